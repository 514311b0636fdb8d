'use strict';
// The page: the settings, the preview, the run's progress and its results.
// Every rule of the conversion, and every check of the settings, is the
// core's, in the worker; this script only carries texts to and fro.

const SETTINGS_KEY = 'zumaro.settings';
const BOXES = ['fields', 'postal', 'pref', 'city', 'town', 'building', 'company'];
for (let k = 1; k <= 7; ++k) BOXES.push(`etc${k}`, `opt${k}`);
const CHECKS = ['blocks-written', 'header', 'fix-postal-code'];
const CHOICES = ['encoding', 'output-encoding'];
const ROLES = [
  ['postal', '郵便番号'], ['pref', '県名'], ['city', '市区町村名丁目'],
  ['building', 'ビル名'], ['company', '企業名'], ['town', '町域・番地'],
];
const REVIEW_COLUMNS = [
  ['record', '件目'], ['label', '理由'], ['postalCode', '郵便番号'], ['addressAsRead', '読み込んだ住所'],
  ['suggestedPostalCode', '候補の郵便番号'], ['suggestedAddress', '候補の住所'], ['message', '説明'],
];
const REVIEW_PAGE = 100; // rows a page of the review table
// Rows of one reason the table holds; the saved report has them all. A list
// of a million records may give a hundred thousand rows of one reason.
const REVIEW_KEPT_PER_REASON = 10000;

const $ = (id) => document.getElementById(id);
const utf8 = new TextDecoder();
const assets = { worker: null, wasm: null, data: null }; // worker: the URL of its script
let worker = null;
let ready = false;
let running = false;
let list = null;      // the chosen File
let results = null;   // { files, names } of the last finished run
let reviewRows = [];
let reviewCounts = new Map(); // label -> rows of the report, kept or not
let reviewShown = { rows: [], from: 0 };

// ---- the worker ----

const scriptUrl = (parts) => URL.createObjectURL(new Blob(parts, { type: 'text/javascript' }));

async function loadAssets() {
  const bundle = $('zumaro-bundle');
  if (bundle) {
    // One file: everything is inside, base64 in the bundle's elements.
    const bytes = (id) => Uint8Array.from(atob($(id).textContent.trim()), (c) => c.charCodeAt(0));
    assets.worker = scriptUrl([bytes('zumaro-module-js'), '\n', bytes('zumaro-worker-js')]);
    assets.wasm = bytes('zumaro-module-wasm');
    assets.data = bytes('zumaro-data');
    return;
  }
  const fetched = async (name) => {
    const response = await fetch(name);
    if (!response.ok) throw new Error(`${name}: ${response.status}`);
    return response;
  };
  const [module, workerScript, wasm, data] = await Promise.all([
    fetched('zumaro-web.js').then((r) => r.text()),
    fetched('worker.js').then((r) => r.text()),
    fetched('zumaro-web.wasm').then((r) => r.arrayBuffer()),
    fetched('zumaro-data.tar.gz').then((r) => r.arrayBuffer()),
  ]);
  // From a Blob in both editions, so the page's own policy binds the worker.
  assets.worker = scriptUrl([module, '\n', workerScript]);
  assets.wasm = new Uint8Array(wasm);
  assets.data = new Uint8Array(data);
}

function startWorker() {
  ready = false;
  updateButtons();
  worker = new Worker(assets.worker);
  worker.onmessage = (event) => handlers[event.data.type](event.data);
  worker.onerror = (event) => showFault(event.message);
  // Copies: the page keeps its bytes for the next worker after a stop.
  worker.postMessage({ type: 'init', wasm: assets.wasm.slice(), data: assets.data.slice() });
}

const handlers = {
  ready({ folder }) {
    ready = true;
    // The page's data are those it was built with; newer data come with a newer page.
    const age = folder.staleDays > 0 ? `、${folder.staleDays}日前のデータです。新しいデータの入ったページで更新できます` : '';
    $('data-line').textContent = `郵便番号データ: 内蔵（${folder.date || '日付不明'}、${folder.entries}件${age}）`;
    $('data-line').classList.toggle('stale', folder.staleDays > 0);
    updateButtons();
    if (list) requestPreview();
  },
  preview({ preview }) {
    showPreview(preview);
  },
  progress({ recordsRead, bytesRead, bytesTotal }) {
    const bar = $('progress');
    if (bytesTotal > 0) bar.value = bytesRead / bytesTotal;
    else bar.removeAttribute('value');
    const share = bytesTotal > 0 ? `（${Math.floor((100 * bytesRead) / bytesTotal)}%）` : '';
    $('progress-text').textContent = `${recordsRead.toLocaleString('ja-JP')}件${share}`;
  },
  rows({ json }) {
    for (const row of JSON.parse(utf8.decode(json))) {
      const count = (reviewCounts.get(row.label) || 0) + 1;
      reviewCounts.set(row.label, count);
      if (count <= REVIEW_KEPT_PER_REASON) reviewRows.push(row);
    }
  },
  done({ outcome, files }) {
    running = false;
    finishRun(outcome, files);
  },
  fault({ message }) {
    showFault(message);
  },
};

// A fault of the worker itself, not of the list: the module may be left in
// any state, so a fresh worker takes over.
function showFault(message) {
  running = false;
  showError(`ページの内部でエラーが起きました: ${message}`);
  worker.terminate();
  startWorker();
}

// ---- the list and its preview ----

function chooseList(file) {
  if (!file) return;
  list = file;
  results = null;
  $('list-name').textContent = `${file.name}（${file.size.toLocaleString('ja-JP')}バイト）`;
  $('result').hidden = true;
  $('review-section').hidden = true;
  hideMessages();
  updateButtons();
  if (ready) requestPreview();
}

function requestPreview() {
  if (running) return;
  worker.postMessage({ type: 'preview', file: list, encoding: $('encoding').value, header: $('header').checked });
}

function showPreview(preview) {
  const box = $('preview');
  box.hidden = false;
  if (!preview.ok) {
    $('preview-summary').textContent = preview.error;
    $('preview-table').replaceChildren();
    $('header-hint').hidden = true;
    return;
  }
  $('preview-summary').textContent =
    `文字コード: ${preview.encoding}、1行目の項目数: ${preview.firstLineFields}、表示しているレコード: ${preview.records.length}件`;
  const count = $('use-field-count');
  count.textContent = `項目数に ${preview.firstLineFields} を入れる`;
  count.disabled = preview.firstLineFields <= 0;
  count.dataset.count = preview.firstLineFields;
  $('header-hint').hidden = !preview.headerRowWarning;
  $('header-hint-text').textContent = preview.headerRowWarning || '';
  fillPreviewTable(preview);
}

function fillPreviewTable(preview) {
  const columns = Math.max(preview.firstLineFields, ...preview.records.map((r) => r.length));
  const head = document.createElement('tr');
  for (let c = 0; c < columns; ++c) {
    const th = document.createElement('th');
    th.scope = 'col';
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'column';
    button.textContent = String(c + 1);
    button.setAttribute('aria-haspopup', 'menu');
    button.setAttribute('aria-label', `${c + 1}番目の項目${preview.headerFields[c] ? `（${preview.headerFields[c]}）` : ''}`);
    button.addEventListener('click', () => offerRoles(button, c + 1));
    th.append(button);
    if (preview.headerFields[c] !== undefined) th.append(document.createElement('br'), preview.headerFields[c]);
    head.append(th);
  }
  const thead = document.createElement('thead');
  thead.append(head);
  const tbody = document.createElement('tbody');
  for (const record of preview.records) {
    const tr = document.createElement('tr');
    for (let c = 0; c < columns; ++c) {
      const td = document.createElement('td');
      td.textContent = record[c] ?? '';
      tr.append(td);
    }
    tbody.append(tr);
  }
  $('preview-table').replaceChildren(thead, tbody);
}

// The menu of what a column can be; the box it sets is the one the
// settings show, so the user sees at once what was chosen.
function offerRoles(anchor, field) {
  const menu = $('role-menu');
  menu.replaceChildren();
  menu.setAttribute('aria-label', `${field}番目の項目`);
  for (const [box, name] of ROLES) {
    const item = document.createElement('button');
    item.type = 'button';
    item.setAttribute('role', 'menuitem');
    item.textContent = `${field}番目を${name}にする`;
    item.addEventListener('click', () => {
      setBox(box, String(field));
      closeMenu(anchor);
    });
    menu.append(item);
  }
  menu.onkeydown = (event) => {
    const items = [...menu.children];
    const at = items.indexOf(document.activeElement);
    if (event.key === 'Escape') closeMenu(anchor);
    else if (event.key === 'ArrowDown') items[(at + 1) % items.length].focus();
    else if (event.key === 'ArrowUp') items[(at + items.length - 1) % items.length].focus();
    else return;
    event.preventDefault();
  };
  const place = anchor.getBoundingClientRect();
  menu.style.left = `${place.left + window.scrollX}px`;
  menu.style.top = `${place.bottom + window.scrollY}px`;
  menu.hidden = false;
  menu.firstChild.focus();
}

function closeMenu(anchor) {
  $('role-menu').hidden = true;
  anchor.focus();
}

// ---- settings ----

function setBox(id, value) {
  $(id).value = value;
  saveSettings();
}

function currentSettings() {
  const settings = {};
  for (const id of BOXES) settings[id] = $(id).value;
  settings.blocks = $('blocks-written').checked ? 'written' : 'full-width';
  settings.header = $('header').checked ? '1' : '0';
  settings['fix-postal-code'] = $('fix-postal-code').checked ? '1' : '0';
  settings.encoding = $('encoding').value;
  if ($('output-encoding').value) settings['output-encoding'] = $('output-encoding').value;
  return settings;
}

function saveSettings() {
  const kept = {};
  for (const id of [...BOXES, ...CHOICES]) kept[id] = $(id).value;
  for (const id of CHECKS) kept[id] = $(id).checked;
  try {
    localStorage.setItem(SETTINGS_KEY, JSON.stringify(kept));
  } catch (unavailable) {
    // private windows may refuse; the settings then last as long as the page
  }
}

function restoreSettings() {
  let kept = null;
  try {
    kept = JSON.parse(localStorage.getItem(SETTINGS_KEY) || 'null');
  } catch (unreadable) {
    kept = null;
  }
  if (!kept) return;
  for (const id of [...BOXES, ...CHOICES]) if (typeof kept[id] === 'string') $(id).value = kept[id];
  for (const id of CHECKS) if (typeof kept[id] === 'boolean') $(id).checked = kept[id];
}

// ---- the run ----

function outputNames(file) {
  const base = file ? file.name.replace(/\.[^.]*$/, '') : 'list';
  const suffix = file && /\.[^.]+$/.test(file.name) ? file.name.match(/\.[^.]+$/)[0] : '.csv';
  return { output: `${base}_変換後${suffix}`, unmatched: `${base}_unmatched${suffix}`, report: `${base}_report.csv` };
}

function startRun() {
  if (!ready || running) return;
  hideMessages();
  $('result').hidden = true;
  $('review-section').hidden = true;
  results = null;
  reviewRows = [];
  reviewCounts = new Map();
  running = true;
  $('progress').hidden = false;
  $('progress').value = 0;
  $('progress-text').textContent = '変換しています…';
  updateButtons();
  // Without a list the core is asked all the same: it names what is missing.
  worker.postMessage({ type: 'run', file: list, settings: currentSettings(), names: outputNames(list) });
}

// A run in the module cannot be interrupted from outside; the worker is
// ended instead and a fresh one made. Nothing of the stopped run is kept.
function stopRun() {
  if (!running) return;
  worker.terminate();
  running = false;
  $('progress').hidden = true;
  $('progress-text').textContent = '中止しました。出力はありません。';
  startWorker();
}

function finishRun(outcome, files) {
  $('progress').hidden = true;
  $('progress-text').textContent = '';
  showWarnings(outcome.warnings);
  const finished = outcome.status === 'finished';
  if (!finished) {
    let text = outcome.message;
    if (outcome.status === 'failed' && outcome.recordsWritten > 0) text += `\n出力済みのレコード: ${outcome.recordsWritten}件`;
    showError(text, outcome.errorTitle);
  }
  // The records written before a fault are the user's as much as a whole
  // run's: they can be saved too (the report is written only by a whole run).
  if (finished || (outcome.status === 'failed' && outcome.recordsWritten > 0)) {
    results = { files, names: outputNames(list) };
    $('finished-line').textContent = finished ? outcome.finishedLine : '';
    $('summary').textContent = finished ? outcome.summary : 'エラーの前に出力したレコードを保存できます。';
    $('save-report').hidden = !finished;
    $('result').hidden = false;
  }
  if (finished) showReview();
  updateButtons();
}

function save(which) {
  if (!results) return;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(results.files[which]);
  link.download = results.names[which];
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// ---- messages ----

function hideMessages() {
  $('error').hidden = true;
  $('warnings').hidden = true;
}

function showError(text, title) {
  $('error').querySelector('h3').textContent = title || 'エラーメッセージ';
  $('error-text').textContent = text;
  $('error').hidden = false;
}

function showWarnings(warnings) {
  const box = $('warnings');
  box.replaceChildren(...warnings.map((w) => Object.assign(document.createElement('li'), { textContent: `警告: ${w}` })));
  box.hidden = warnings.length === 0;
}

// ---- the review table ----

function showReview() {
  const section = $('review-section');
  section.hidden = reviewRows.length === 0;
  if (section.hidden) return;
  const total = [...reviewCounts.values()].reduce((a, b) => a + b, 0);
  const filter = $('review-filter');
  const all = Object.assign(document.createElement('option'), { value: '', textContent: `すべての理由（${total}件）` });
  filter.replaceChildren(all, ...[...reviewCounts].map(([label, n]) =>
    Object.assign(document.createElement('option'), { value: label, textContent: `${label}（${n}件）` })));
  fillReview();
}

function fillReview() {
  const reason = $('review-filter').value;
  reviewShown = {
    rows: reason ? reviewRows.filter((r) => r.label === reason) : reviewRows,
    total: reason ? reviewCounts.get(reason) : [...reviewCounts.values()].reduce((a, b) => a + b, 0),
    from: 0,
  };
  showReviewPage();
}

function showReviewPage() {
  const { rows, total, from } = reviewShown;
  const head = document.createElement('tr');
  for (const [, title] of REVIEW_COLUMNS) head.append(Object.assign(document.createElement('th'), { scope: 'col', textContent: title }));
  const thead = document.createElement('thead');
  thead.append(head);
  const tbody = document.createElement('tbody');
  for (const row of rows.slice(from, from + REVIEW_PAGE)) {
    const tr = document.createElement('tr');
    for (const [key] of REVIEW_COLUMNS) tr.append(Object.assign(document.createElement('td'), { textContent: String(row[key]) }));
    tbody.append(tr);
  }
  $('review-table').replaceChildren(thead, tbody);
  const to = Math.min(rows.length, from + REVIEW_PAGE);
  const held = rows.length < total ? `。表にはそのうち${rows.length}件、すべては「確認の一覧を保存」で` : '';
  $('review-count').textContent = rows.length === 0 ? '0件' : `${from + 1}〜${to}件目（全${total}件${held}）`;
  $('review-previous').disabled = from === 0;
  $('review-next').disabled = to >= rows.length;
}

function turnReviewPage(step) {
  reviewShown.from = Math.max(0, reviewShown.from + step * REVIEW_PAGE);
  showReviewPage();
}

// ---- wiring ----

function updateButtons() {
  $('run').disabled = !ready || running;
  $('stop').disabled = !running;
  $('list-file').disabled = running;
}

function wire() {
  $('list-file').addEventListener('change', (e) => {
    chooseList(e.target.files[0]);
    e.target.value = ''; // choosing the same file again, changed meanwhile, reads it again
  });
  const zone = $('drop-zone');
  zone.addEventListener('dragover', (e) => {
    e.preventDefault();
    zone.classList.add('over');
  });
  zone.addEventListener('dragleave', () => zone.classList.remove('over'));
  zone.addEventListener('drop', (e) => {
    e.preventDefault();
    zone.classList.remove('over');
    if (!running) chooseList(e.dataTransfer.files[0]);
  });
  $('settings').addEventListener('input', saveSettings);
  $('settings').addEventListener('submit', (e) => e.preventDefault());
  for (const id of ['encoding', 'header']) $(id).addEventListener('change', () => list && ready && requestPreview());
  $('use-field-count').addEventListener('click', (e) => setBox('fields', e.target.dataset.count));
  $('header-hint-button').addEventListener('click', () => {
    $('header').checked = true;
    saveSettings();
    requestPreview();
  });
  $('run').addEventListener('click', startRun);
  $('stop').addEventListener('click', stopRun);
  for (const which of ['output', 'unmatched', 'report']) $(`save-${which}`).addEventListener('click', () => save(which));
  $('review-filter').addEventListener('change', fillReview);
  $('review-previous').addEventListener('click', () => turnReviewPage(-1));
  $('review-next').addEventListener('click', () => turnReviewPage(1));
  document.addEventListener('click', (e) => {
    const menu = $('role-menu');
    if (!menu.hidden && !menu.contains(e.target) && !e.target.classList.contains('column')) menu.hidden = true;
  });
}

// The seven further fields, a row each: its position and its conversion.
function addFurtherRows() {
  const row = (k) => {
    const box = (name, label) => {
      const input = Object.assign(document.createElement('input'), { id: `${name}${k}`, name: `${name}${k}`, value: '0' });
      input.setAttribute('inputmode', 'numeric');
      input.setAttribute('aria-label', `その他の項目${k}の${label}`);
      return input;
    };
    const div = Object.assign(document.createElement('div'), { className: 'further-row' });
    div.append(Object.assign(document.createElement('span'), { className: 'number', textContent: String(k) }),
      box('etc', '位置'), box('opt', '変換option'));
    return div;
  };
  $('further-rows').replaceChildren(...[1, 2, 3, 4, 5, 6, 7].map(row));
}

async function boot() {
  addFurtherRows();
  restoreSettings();
  wire();
  try {
    await loadAssets();
    startWorker();
  } catch (error) {
    $('data-line').textContent = `ページの部品を読み込めませんでした: ${error.message}`;
  }
}

boot();
