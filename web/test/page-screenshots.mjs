// The screenshots of the page in docs/ (tools/web-screenshots.sh): the
// sample list chosen and previewed, then converted with its review table.
//   node page-screenshots.mjs WEB-DIR SAMPLE-LIST DOCS-DIR
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const [webDir, sample, docs] = process.argv.slice(2);
const BOXES = { fields: 8, postal: 3, pref: 4, city: 5, building: 6, company: 7, etc1: 2, opt1: 4, etc2: 8, opt2: 3 };

const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--lang=ja-JP'] });
try {
  const [page] = await browser.pages();
  await page.setViewport({ width: 1100, height: 900 });
  await page.goto(`file://${join(webDir, 'zumaro.html')}`);
  await page.waitForFunction(() => !document.getElementById('run').disabled);
  await page.evaluate(() => localStorage.clear());
  await (await page.$('#list-file')).uploadFile(sample);
  await page.waitForFunction(() => document.getElementById('preview-summary').textContent !== '');
  await page.evaluate((boxes) => {
    for (const [id, value] of Object.entries(boxes)) document.getElementById(id).value = String(value);
  }, BOXES);
  await page.click('#preview-table th:nth-child(3) button');
  await page.waitForSelector('#role-menu:not([hidden])');
  await page.screenshot({ path: join(docs, 'browser-page.png') });
  await page.keyboard.press('Escape');
  await page.click('#run');
  await page.waitForFunction(() => !document.getElementById('result').hidden);
  await page.evaluate(() => document.getElementById('run-section').scrollIntoView());
  await page.screenshot({ path: join(docs, 'browser-result.png') });
} finally {
  await browser.close();
}
