// Drives the page in Debian's Chromium (tools/test-web.sh): zumaro.html from
// disk with the network off, then the folder served on 127.0.0.1. Each list
// is converted in the page, its three files saved and compared byte for byte
// with what zumaro-convert writes for the same settings, its summary and its
// messages with the command's.
//   node page-test.mjs WEB-DIR LISTS-DIR ZUMARO-CONVERT DATA-DIR
import { spawn, spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, existsSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import assert from 'node:assert/strict';
import puppeteer from 'puppeteer-core';

const [webDir, listsDir, convert, dataDir] = process.argv.slice(2);

// The boxes by the words beside them, as a user finds them.
const LABELS = {
  fields: '元のファイルの項目数を指定して下さい。',
  postal: '郵便番号は何番目の項目ですか？',
  pref: '県名は何番目の項目ですか？',
  city: '市区町村名丁目は何番目の項目ですか？',
  town: '町域・番地は何番目の項目ですか？',
  building: 'ビル名、マンション名は何番目の項目ですか？',
  company: '企業名、団体名は何番目の項目ですか？',
};
for (let k = 1; k <= 7; ++k) {
  LABELS[`etc${k}`] = `その他の項目${k}の位置`;
  LABELS[`opt${k}`] = `その他の項目${k}の変換option`;
}
const CHECKS = { blocks: '番地を漢字で書く', header: '1行目は見出し', 'fix-postal-code': '郵便番号を直す' };
const CHOICES = { encoding: '文字コード', 'output-encoding': '出力の文字コード' };

const SAMPLE = { fields: 8, postal: 3, pref: 4, city: 5, building: 6, company: 7, etc1: 2, opt1: 4, etc2: 8, opt2: 3 };
const SIX = { fields: 6, postal: 2, pref: 3, city: 4, building: 5, company: 6 };
const BENCH = { fields: 10, postal: 3, pref: 4, city: 5, building: 6, company: 7, etc1: 2, opt1: 4, etc2: 10, opt2: 3 };
const CASES = [
  { list: 'sample-list.csv', boxes: SAMPLE },
  { list: 'sample-list.csv', boxes: SAMPLE, checks: ['blocks'], choices: { 'output-encoding': 'utf-8' } },
  { list: 'forms.csv', boxes: SIX, checks: ['fix-postal-code'] },
  { list: 'shared.csv', boxes: { ...SIX, city: 3 } },
  { list: 'two-fields.csv', boxes: { ...SIX, fields: 7, town: 7 } },
  { list: 'random-10000.csv', boxes: BENCH, choices: { encoding: 'cp932' } },
  { list: 'random-300000.csv', boxes: BENCH },
];
// Refused settings and a run without a list: the message is the core's, as
// on the command line.
const REFUSED = [
  { list: 'sample-list.csv', boxes: { ...SAMPLE, fields: 'abc' } },
  { list: 'sample-list.csv', boxes: { ...SAMPLE, fields: 51 } },
  { list: 'sample-list.csv', boxes: { ...SAMPLE, postal: 9 } },
  { list: null, boxes: SAMPLE },
];

function commandLine(c, out) {
  const args = ['--data-dir', dataDir, '--input', c.list ? join(listsDir, c.list) : ''];
  for (const [name, value] of Object.entries(c.boxes)) args.push(`--${name}`, String(value));
  for (const check of c.checks || []) args.push(check === 'blocks' ? '--blocks=written' : `--${check}`);
  for (const [name, value] of Object.entries(c.choices || {})) args.push(`--${name}`, value);
  if (out) args.push('--output', out.output, '--unmatched', out.unmatched, '--report', out.report);
  else args.push('--output', join(tmpdir(), 'zumaro-refused.csv'));
  // The page shows its data line its own way; the rest must be the same.
  const run = spawnSync(convert, args, { encoding: 'utf8' });
  const lines = run.stderr.split('\n').filter((l) => l && !l.startsWith('郵便番号データ:'));
  return { status: run.status, lines };
}

async function setBoxes(page, c) {
  await page.evaluate((labels, checks, choices, c) => {
    const byLabel = (words) => {
      const label = [...document.querySelectorAll('label')].find((l) => l.textContent.trim() === words);
      return label ? label.control : document.querySelector(`[aria-label="${words}"]`);
    };
    const set = (element, value) => {
      element.value = value;
      element.dispatchEvent(new Event('input', { bubbles: true }));
    };
    for (const [name, words] of Object.entries(labels)) set(byLabel(words), String(c.boxes[name] ?? 0));
    for (const [name, words] of Object.entries(checks)) byLabel(words).checked = (c.checks || []).includes(name);
    for (const [name, words] of Object.entries(choices)) {
      byLabel(words).value = (c.choices || {})[name] ?? (name === 'encoding' ? 'auto' : '');
    }
  }, LABELS, CHECKS, CHOICES, c);
}

async function openPage(browser, url, offline) {
  const page = await browser.newPage();
  const requests = [];
  const errors = [];
  page.on('request', (r) => requests.push(r.url()));
  // A request the policy stopped is no request, but it is logged as an error.
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  page.on('pageerror', (e) => {
    throw new Error(`page error at ${url}: ${e.message}`);
  });
  if (offline) await page.emulateNetworkConditions({ offline: true, download: 0, upload: 0, latency: 0 });
  await page.goto(url);
  await page.waitForFunction(() => !document.getElementById('run').disabled, { timeout: 60000 });
  await checkDataLine(page);
  const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (m) => m.content);
  assert.match(policy, /default-src 'none'.*connect-src '(self|none)'/, `${url}: no policy against requests`);
  return { page, requests, errors };
}

// The built-in data as the command line describes the same folder: date,
// entries and, when the data are old, their age.
async function checkDataLine(page) {
  const facts = (line) => /（(\d{4}-\d\d-\d\d)、(\d+)件(?:、(\d+)日前のデータです)?/.exec(line)?.slice(1);
  const command = spawnSync(convert, ['--version', '--data-dir', dataDir], { encoding: 'utf8' }).stdout;
  const shown = await page.$eval('#data-line', (e) => e.textContent);
  assert.deepEqual(facts(shown), facts(command), `the page's data line: ${shown}`);
}

async function chooseList(page, path) {
  const input = await page.$('#list-file');
  await page.evaluate(() => {
    document.getElementById('preview-summary').textContent = '';
  });
  await input.uploadFile(path);
  await page.waitForFunction(() => document.getElementById('preview-summary').textContent !== '', { timeout: 30000 });
}

async function runAndWait(page) {
  await page.click('#run');
  await page.waitForFunction(
    () => !document.getElementById('run').disabled && document.getElementById('stop').disabled,
    { timeout: 120000 },
  );
  return page.evaluate(() => ({
    finished: !document.getElementById('result').hidden,
    lines: [
      ...[...document.querySelectorAll('#warnings li')].map((li) => li.textContent),
      ...(document.getElementById('error').hidden ? [] : [
        `${document.querySelector('#error h3').textContent}: ${document.getElementById('error-text').textContent}`,
      ]),
      ...(document.getElementById('result').hidden ? [] : [
        document.getElementById('finished-line').textContent,
        document.getElementById('summary').textContent,
      ]),
    ],
  }));
}

async function saveAll(browser, page, which = ['output', 'unmatched', 'report']) {
  const folder = mkdtempSync(join(tmpdir(), 'zumaro-page-'));
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  const saved = {};
  for (const file of which) {
    const before = new Set(readdirSync(folder));
    await page.click(`#save-${file}`);
    let name;
    for (let wait = 0; wait < 200 && !name; ++wait) {
      await new Promise((resolve) => setTimeout(resolve, 50));
      name = readdirSync(folder).find((f) => !before.has(f) && !f.endsWith('.crdownload'));
    }
    assert.ok(name, `the page saved no ${file} file`);
    saved[file] = join(folder, name);
  }
  return saved;
}

async function checkCase(browser, page, c) {
  await chooseList(page, join(listsDir, c.list));
  await setBoxes(page, c);
  const shown = await runAndWait(page);
  const saved = await saveAll(browser, page);
  const expected = commandLine(c, {
    output: `${saved.output}.expected`,
    unmatched: `${saved.unmatched}.expected`,
    report: `${saved.report}.expected`,
  });
  assert.equal(expected.status, 0, `zumaro-convert failed on ${c.list}: ${expected.lines.join('\n')}`);
  assert.ok(shown.finished, `${c.list}: the page did not finish: ${shown.lines.join('\n')}`);
  assert.deepEqual(shown.lines, expected.lines, `${c.list}: the page's messages differ from the command's`);
  for (const which of Object.keys(saved)) {
    assert.ok(readFileSync(saved[which]).equals(readFileSync(`${saved[which]}.expected`)),
      `${c.list}: the ${which} file differs from zumaro-convert's (${saved[which]})`);
  }
  await checkReview(page, saved.report);
  rmSync(join(saved.output, '..'), { recursive: true });
  return shown.lines.at(-1);
}

// The review table holds the report's rows, reason by reason, a page at a time.
async function checkReview(page, report) {
  const reasons = readFileSync(report, 'utf8').trim().split('\n').slice(1).map((line) => line.split(',')[2]);
  const review = () => page.evaluate(() => ({
    hidden: document.getElementById('review-section').hidden,
    count: document.getElementById('review-count').textContent,
    rows: document.querySelectorAll('#review-table tbody tr').length,
    options: [...document.getElementById('review-filter').options].map((o) => o.textContent),
  }));
  const shown = await review();
  assert.equal(shown.hidden, reasons.length === 0, 'the review table is shown exactly when the report has rows');
  if (reasons.length === 0) return;
  assert.equal(shown.options.length, new Set(reasons).size + 1, 'the filter offers every reason of the report');
  assert.match(shown.count, new RegExp(`^1〜${Math.min(100, reasons.length)}件目（全${reasons.length}件(。表にはそのうち\\d+件、.*)?）$`));
  if (reasons.length > 100) {
    await page.click('#review-next');
    assert.match((await review()).count, new RegExp(`^101〜${Math.min(200, reasons.length)}件目`));
  }
  const byCount = [...new Set(reasons)].map((r) => [r, reasons.filter((x) => x === r).length])
    .sort((a, b) => a[1] - b[1]);
  const choose = async (n) => page.select('#review-filter', await page.$eval('#review-filter', (f, n) => [...f.options]
    .find((o) => o.value && o.textContent.endsWith(`（${n}件）`)).value, n));
  const [reason, fewest] = byCount[0];
  await choose(fewest);
  const filtered = await review();
  assert.equal(filtered.rows, Math.min(100, fewest), `the filter shows the rows of one reason (${reason})`);
  // A reason of more rows than the table holds: counted whole, held in part.
  const most = byCount.at(-1)[1];
  if (most > 10000) {
    await choose(most);
    assert.match((await review()).count, new RegExp(`（全${most}件。表にはそのうち10000件、`));
  }
}

async function checkRefused(page, c) {
  if (c.list) await chooseList(page, join(listsDir, c.list));
  else await page.reload().then(() => page.waitForFunction(() => !document.getElementById('run').disabled));
  await setBoxes(page, c);
  const shown = await runAndWait(page);
  const expected = commandLine(c, null);
  assert.notEqual(expected.status, 0, `zumaro-convert did not refuse: ${expected.lines.join('\n')}`);
  assert.ok(!shown.finished);
  assert.deepEqual(shown.lines, expected.lines, 'a refused setting shows another message than the command');
}

// A run that fails part way: the same message as the command, and the
// records written before the fault saved as the command keeps them.
async function checkFailed(browser, page) {
  const list = join(listsDir, 'unencodable.csv');
  const record = (n, last) => `"${n}","100-0001","ﾄｳｷﾖｳﾄ","ﾁﾖﾀﾞｸﾁﾖﾀﾞ1-1","${last}"\r\n`;
  writeFileSync(list, record(1, 'a') + record(2, '\u{1F600}') + record(3, 'c'));
  const c = { list: 'unencodable.csv', boxes: { fields: 5, postal: 2, pref: 3, city: 4, building: 5 },
    choices: { 'output-encoding': 'cp932' } };
  await chooseList(page, list);
  await setBoxes(page, c);
  const shown = await runAndWait(page);
  const saved = await saveAll(browser, page, ['output', 'unmatched']);
  const expected = commandLine(c, { output: `${saved.output}.expected`, unmatched: `${saved.unmatched}.expected`,
    report: `${saved.output}.report` });
  assert.equal(expected.status, 1);
  assert.deepEqual(shown.lines.flatMap((l) => l.split('\n')).filter((l) => l !== '' && !l.startsWith('エラーの前に')),
    expected.lines, 'a failed run shows another message than the command');
  for (const which of Object.keys(saved)) {
    assert.ok(readFileSync(saved[which]).equals(readFileSync(`${saved[which]}.expected`)),
      `the ${which} file of a failed run differs from zumaro-convert's`);
  }
  assert.ok(await page.$eval('#save-report', (b) => b.hidden), 'a failed run offers a report it did not write');
}

// Every control has a name a screen reader can say.
async function checkNames(page) {
  const tree = await page.accessibility.snapshot({ interestingOnly: false });
  const unnamed = [];
  const walk = (node) => {
    if (['textbox', 'checkbox', 'combobox', 'button', 'spinbutton'].includes(node.role) && !node.name?.trim()) {
      unnamed.push(node.role);
    }
    (node.children || []).forEach(walk);
  };
  walk(tree);
  assert.deepEqual(unnamed, [], 'controls without a name');
}

// A column's number sets the box of the role chosen for it, by keyboard.
async function checkColumnRoles(page) {
  await chooseList(page, join(listsDir, 'sample-list.csv'));
  await page.focus('#preview-table th:nth-child(6) button');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#role-menu:not([hidden])');
  for (let down = 0; down < 4; ++down) await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  assert.equal(await page.$eval('#company', (e) => e.value), '6');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), '6');
}

// Stopping ends the run with nothing to save; the next run works.
async function checkStop(page) {
  await chooseList(page, join(listsDir, 'random-300000.csv'));
  await setBoxes(page, { boxes: BENCH });
  await page.click('#run');
  await page.waitForFunction(() => /件/.test(document.getElementById('progress-text').textContent) &&
    document.getElementById('progress').value > 0, { timeout: 60000 });
  await page.click('#stop');
  assert.match(await page.$eval('#progress-text', (e) => e.textContent), /中止しました/);
  assert.ok(await page.$eval('#result', (e) => e.hidden));
  await page.waitForFunction(() => !document.getElementById('run').disabled, { timeout: 60000 });
}

async function checkRemembered(page) {
  await setBoxes(page, { boxes: { ...SAMPLE, company: 5 }, checks: ['header'] });
  await page.reload();
  await page.waitForFunction(() => !document.getElementById('run').disabled, { timeout: 60000 });
  assert.equal(await page.$eval('#company', (e) => e.value), '5');
}

function startServer() {
  return new Promise((resolve, reject) => {
    const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0', '--directory', webDir]);
    server.stdout.on('data', (text) => {
      const port = /port (\d+)/.exec(String(text));
      if (port) resolve({ server, origin: `http://127.0.0.1:${port[1]}` });
    });
    server.on('error', reject);
  });
}

async function main() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run'],
  });
  const { server, origin } = await startServer();
  try {
    const editions = [
      { name: 'zumaro.html from disk, offline', url: `file://${join(webDir, 'zumaro.html')}`, offline: true,
        own: (u) => u === `file://${join(webDir, 'zumaro.html')}` },
      { name: 'the folder served', url: `${origin}/index.html`, offline: false, own: (u) => u.startsWith(`${origin}/`) },
    ];
    for (const edition of editions) {
      const { page, requests, errors } = await openPage(browser, edition.url, edition.offline);
      await checkNames(page);
      for (const c of CASES) console.log(`${edition.name}: ${c.list}: ${await checkCase(browser, page, c)}`);
      for (const c of REFUSED) await checkRefused(page, c);
      await checkFailed(browser, page);
      console.log(`${edition.name}: refused settings and a failed run show the command's messages`);
      await checkColumnRoles(page);
      await checkStop(page);
      await checkRemembered(page);
      const foreign = requests.filter((u) => !edition.own(u) && !u.startsWith('blob:') && !u.startsWith('data:'));
      assert.deepEqual(foreign, [], `${edition.name}: requests beyond the page's own origin`);
      assert.deepEqual(errors, [], `${edition.name}: errors in the page's console`);
      console.log(`${edition.name}: ${requests.length} requests, none beyond the page's origin`);
      await page.close();
    }
  } finally {
    server.kill();
    await browser.close();
  }
  console.log('The page wrote what zumaro-convert writes, byte for byte, in both editions.');
}

if (!existsSync(join(webDir, 'zumaro.html'))) throw new Error(`no page in ${webDir}: run tools/web.sh`);
// One file small enough to mail.
assert.ok(statSync(join(webDir, 'zumaro.html')).size <= 15 * 2 ** 20, 'zumaro.html is over 15 MB');
await main();
