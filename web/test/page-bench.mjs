// The page's speed against zumaro-convert's, side by side in one run, and the
// browser's memory while it converts a large list (tools/web-bench.sh).
//   node page-bench.mjs WEB-DIR ZUMARO-CONVERT DATA-DIR SPEED-LIST MEMORY-LIST
// Times are the quickest of three: the page's from the press of 実行 to the
// summary, the command's for the whole process; both write the converted
// list, the records left as read and the report.
import { spawnSync } from 'node:child_process';
import { readFileSync, readdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const [webDir, convert, dataDir, speedList, memoryList] = process.argv.slice(2);
const BOXES = { fields: 10, postal: 3, pref: 4, city: 5, building: 6, company: 7, etc1: 2, opt1: 4, etc2: 10, opt2: 3 };
const TURNS = 3;

function nativeSeconds(list) {
  const out = mkdtempSync(join(tmpdir(), 'zumaro-bench-'));
  const args = ['-q', '--data-dir', dataDir, '--input', list, '--output', join(out, 'out.csv'),
    '--unmatched', join(out, 'unmatched.csv'), '--report', join(out, 'report.csv')];
  for (const [name, value] of Object.entries(BOXES)) args.push(`--${name}`, String(value));
  const start = process.hrtime.bigint();
  const run = spawnSync(convert, args);
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  rmSync(out, { recursive: true });
  if (run.status !== 0) throw new Error(`zumaro-convert: ${run.stderr}`);
  return seconds;
}

// Memory of the browser and every process under it, in bytes: proportional
// (each shared page split among the processes that share it, so the sum
// is what they hold together) and resident (shared pages counted in each).
function browserMemory(rootPid) {
  const children = new Map();
  for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
    try {
      const parent = readFileSync(`/proc/${pid}/stat`, 'utf8').replace(/^.*\) /, '').split(' ')[1];
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(pid);
    } catch (gone) {
      // ended while we looked
    }
  }
  const total = { proportional: 0, resident: 0 };
  const pending = [String(rootPid)];
  while (pending.length) {
    const pid = pending.pop();
    try {
      const rollup = readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8');
      total.proportional += Number(/^Pss:\s+(\d+)/m.exec(rollup)[1]) * 1024;
      total.resident += Number(/^Rss:\s+(\d+)/m.exec(rollup)[1]) * 1024;
    } catch (gone) {
      // ended while we looked
    }
    pending.push(...(children.get(pid) || []));
  }
  return total;
}

async function pageSeconds(page, list) {
  const input = await page.$('#list-file');
  await input.uploadFile(list);
  await page.evaluate((boxes) => {
    for (const [id, value] of Object.entries(boxes)) document.getElementById(id).value = String(value);
  }, BOXES);
  const start = process.hrtime.bigint();
  await page.click('#run');
  await page.waitForFunction(() => !document.getElementById('result').hidden || !document.getElementById('error').hidden,
    { timeout: 600000, polling: 5 });
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  const summary = await page.$eval('#summary', (e) => e.textContent);
  if (!summary) throw new Error(await page.$eval('#error', (e) => e.textContent));
  return seconds;
}

// A browser of its own for each measurement: the memory is that of one
// run of the large list, not of the runs before it.
async function withPage(use) {
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox'] });
  try {
    const [page] = await browser.pages(); // the browser's own tab: no second page to hold
    await page.goto(`file://${join(webDir, 'zumaro.html')}`);
    await page.waitForFunction(() => !document.getElementById('run').disabled, { timeout: 60000 });
    return await use(browser, page);
  } finally {
    await browser.close();
  }
}

await withPage(async (browser, page) => {
  let inPage = Infinity;
  let native = Infinity;
  for (let turn = 0; turn < TURNS; ++turn) {
    inPage = Math.min(inPage, await pageSeconds(page, speedList));
    native = Math.min(native, nativeSeconds(speedList));
  }
  console.log(`${speedList}: page ${inPage.toFixed(2)} s, zumaro-convert ${native.toFixed(2)} s, ` +
    `ratio ${(inPage / native).toFixed(2)} (goal: at most 2.5)`);
});

await withPage(async (browser, page) => {
  const peak = { proportional: 0, resident: 0 };
  const sampler = setInterval(() => {
    const now = browserMemory(browser.process().pid);
    peak.proportional = Math.max(peak.proportional, now.proportional);
    peak.resident = Math.max(peak.resident, now.resident);
  }, 100);
  const seconds = await pageSeconds(page, memoryList);
  clearInterval(sampler);
  const mib = (bytes) => `${(bytes / 2 ** 20).toFixed(0)} MiB`;
  console.log(`${memoryList}: page ${seconds.toFixed(2)} s; the browser's processes together at most ` +
    `${mib(peak.proportional)} resident (goal: under 1536 MiB; summing each process's own resident ` +
    `memory, shared pages counted in every process: ${mib(peak.resident)})`);
});
