'use strict';
// The page's worker: it holds the core (the module ZumaroModule, whose script
// comes before this one in the same Blob) and does all the work, so that
// the page never waits on a run. The page sends the module's bytes and the
// data folder, then lists to preview and runs; nothing is fetched here.

const DATA_FOLDER = '/data/zumaro';
const BYTES_A_PART = 4 << 20; // output gathered into Blob parts of this size
const READ_AHEAD = 4 << 20;   // the list read from its File in pieces of this size

let zumaro = null;
let nextDevice = 1;

self.onmessage = async (event) => {
  const message = event.data;
  try {
    if (message.type === 'init') await init(message);
    else if (message.type === 'preview') preview(message);
    else if (message.type === 'run') run(message);
  } catch (error) {
    postMessage({ type: 'fault', message: String((error && error.message) || error) });
  }
};

async function init({ wasm, data }) {
  zumaro = await ZumaroModule({
    wasmBinary: wasm,
    print: () => {},
    printErr: () => {},
    onProgress: (recordsRead, bytesRead, bytesTotal) =>
      postMessage({ type: 'progress', recordsRead, bytesRead, bytesTotal }),
    // A batch of report rows, a JSON array in UTF-8; handed over, not copied.
    onReportRows: (json) => postMessage({ type: 'rows', json }, [json.buffer]),
  });
  const FS = zumaro.FS;
  readListInPieces(FS.filesystems.WORKERFS.stream_ops);
  for (const folder of ['/data', DATA_FOLDER, '/in', '/out']) FS.mkdir(folder);
  for (const [name, bytes] of untar(await gunzip(data))) FS.writeFile(`${DATA_FOLDER}/${name}`, bytes);
  const folder = JSON.parse(zumaro.ccall('zumaro_data_folder', 'string', ['string'], [DATA_FOLDER]));
  postMessage({ type: 'ready', folder });
}

async function gunzip(bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

// The files of a ustar archive as [name, bytes]; folders and links skipped.
function* untar(tar) {
  const text = (from, length) => new TextDecoder().decode(tar.subarray(from, from + length)).replace(/\0.*$/s, '');
  for (let at = 0; at + 512 <= tar.length && tar[at] !== 0; ) {
    const name = text(at, 100).split('/').pop();
    const size = parseInt(text(at + 124, 12).trim() || '0', 8);
    const type = String.fromCharCode(tar[at + 156] || 0x30);
    if (type === '0' && name) yield [name, tar.subarray(at + 512, at + 512 + size)];
    at += 512 + Math.ceil(size / 512) * 512;
  }
}

// Each read from a File costs about a millisecond whatever its size; the
// core reads 64 KiB at a time. Reads are served from the last piece read,
// which is taken large enough for many of them.
function readListInPieces(ops) {
  let piece = { file: null, start: 0, bytes: new Uint8Array(0) };
  ops.read = (stream, buffer, offset, length, position) => {
    const file = stream.node.contents;
    if (position >= file.size) return 0;
    const want = Math.min(length, file.size - position);
    if (piece.file !== file || position < piece.start || position + want > piece.start + piece.bytes.length) {
      const end = Math.min(file.size, position + Math.max(want, READ_AHEAD));
      piece = { file, start: position, bytes: new Uint8Array(new FileReaderSync().readAsArrayBuffer(file.slice(position, end))) };
    }
    const from = position - piece.start;
    buffer.set(piece.bytes.subarray(from, from + want), offset);
    return want;
  };
}

// The chosen File under /in, read in pieces as the core asks for them.
function mountList(file) {
  const FS = zumaro.FS;
  try {
    FS.unmount('/in');
  } catch (notMounted) {
    // the first list of this worker
  }
  FS.mount(FS.filesystems.WORKERFS, { files: [file] }, '/in');
  return `/in/${file.name}`;
}

function preview({ file, encoding, header }) {
  const path = mountList(file);
  const answer = zumaro.ccall('zumaro_preview', 'string', ['string', 'string', 'number'], [path, encoding, header ? 1 : 0]);
  postMessage({ type: 'preview', preview: JSON.parse(answer) });
}

// A file under /out whose writes go straight into Blob parts: the output is
// never held whole in the module's memory. Writes are gathered in one
// buffer, used again for every part, so that they leave no garbage behind.
function makeSink(path) {
  const sink = { parts: [], buffer: new Uint8Array(BYTES_A_PART), used: 0 };
  const FS = zumaro.FS;
  const device = FS.makedev(64, nextDevice++);
  FS.registerDevice(device, {
    open() {},
    close() {},
    write(stream, heap, offset, length) {
      const bytes = new Uint8Array(heap.buffer, heap.byteOffset + offset, length);
      for (let done = 0; done < length; ) {
        const n = Math.min(length - done, sink.buffer.length - sink.used);
        sink.buffer.set(bytes.subarray(done, done + n), sink.used);
        sink.used += n;
        done += n;
        if (sink.used === sink.buffer.length) flushSink(sink);
      }
      return length;
    },
  });
  try {
    FS.unlink(path);
  } catch (absent) {
    // no earlier run wrote here
  }
  FS.mkdev(path, 0o666, device);
  return sink;
}

function flushSink(sink) {
  if (sink.used === 0) return;
  sink.parts.push(new Blob([sink.buffer.subarray(0, sink.used)]));
  sink.used = 0;
}

function run({ file, settings, names }) {
  const input = file ? mountList(file) : '';
  const paths = { output: `/out/${names.output}`, unmatched: `/out/${names.unmatched}`, report: `/out/${names.report}` };
  const sinks = {};
  for (const [which, path] of Object.entries(paths)) sinks[which] = makeSink(path);
  const lines = Object.entries({ ...settings, input, 'data-dir': DATA_FOLDER, ...paths })
    .map(([name, value]) => `${name}=${value}`)
    .join('\n');
  const outcome = JSON.parse(zumaro.ccall('zumaro_run', 'string', ['string'], [lines]));
  const files = {};
  for (const [which, sink] of Object.entries(sinks)) {
    flushSink(sink);
    files[which] = new Blob(sink.parts, { type: 'text/csv' });
  }
  postMessage({ type: 'done', outcome, files });
}
