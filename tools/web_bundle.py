#!/usr/bin/env python3
"""Puts the page together (tools/web.sh): the folder to serve, and zumaro.html,
the same page in one file that opens from disk.

  web_bundle.py PAGE-DIR MODULE-JS MODULE-WASM DATA-DIR OUT-DIR

Both carry a Content-Security-Policy that allows no request beyond the
page's own folder (the one file: none at all)."""
import base64
import gzip
import hashlib
import io
import os
import shutil
import sys
import tarfile

# The worker is made from a Blob (worker-src blob:) and compiles the module
# from bytes ('wasm-unsafe-eval'); nothing else runs or loads.
FOLDER_POLICY = ("default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; worker-src blob:; "
                 "connect-src 'self'; style-src 'self'; img-src data:; base-uri 'none'; form-action 'none'")
ONE_FILE_POLICY = ("default-src 'none'; script-src {script} 'wasm-unsafe-eval'; worker-src blob:; "
                   "connect-src 'none'; style-src {style}; img-src data:; base-uri 'none'; form-action 'none'")


def data_archive(folder):
    """The data folder as a gzip'd tar, the same bytes for the same files."""
    raw = io.BytesIO()
    with tarfile.open(fileobj=raw, mode="w", format=tarfile.USTAR_FORMAT) as tar:
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if not os.path.isfile(path):
                continue
            info = tarfile.TarInfo(name)
            info.size = os.path.getsize(path)
            info.mode = 0o644
            with open(path, "rb") as f:
                tar.addfile(info, f)
    return gzip.compress(raw.getvalue(), compresslevel=9, mtime=0)


def source_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def fill(template, **parts):
    for name, text in parts.items():
        template = template.replace(f"<!--{name}-->", text)
    return template


def write(path, data):
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


def main(page, module_js, module_wasm, data_dir, out):
    os.makedirs(out, exist_ok=True)
    read = lambda name: open(os.path.join(page, name), encoding="utf-8").read()
    template, app, css = read("index.html"), read("app.js"), read("zumaro.css")
    archive = data_archive(data_dir)

    # The folder: each part a file of its own.
    for name in ("app.js", "worker.js", "zumaro.css"):
        shutil.copyfile(os.path.join(page, name), os.path.join(out, name))
    shutil.copyfile(module_js, os.path.join(out, "zumaro-web.js"))
    shutil.copyfile(module_wasm, os.path.join(out, "zumaro-web.wasm"))
    write(os.path.join(out, "zumaro-data.tar.gz"), archive)
    write(os.path.join(out, "index.html"), fill(
        template, CSP=f'<meta http-equiv="Content-Security-Policy" content="{FOLDER_POLICY}">',
        STYLE='<link rel="stylesheet" href="zumaro.css">', SCRIPT='<script src="app.js"></script>'))

    # One file: the parts as base64 in elements no browser runs, the script
    # and the style inline, allowed by their hashes.
    def blob(element, data):
        return f'<script type="application/octet-stream" id="{element}">{base64.b64encode(data).decode()}</script>\n'
    bundle = ('<div id="zumaro-bundle" hidden></div>\n' +
              blob("zumaro-module-js", open(module_js, "rb").read()) +
              blob("zumaro-worker-js", open(os.path.join(page, "worker.js"), "rb").read()) +
              blob("zumaro-module-wasm", open(module_wasm, "rb").read()) +
              blob("zumaro-data", archive))
    policy = ONE_FILE_POLICY.format(script=source_hash(app), style=source_hash(css))
    write(os.path.join(out, "zumaro.html"), fill(
        template, CSP=f'<meta http-equiv="Content-Security-Policy" content="{policy}">',
        STYLE=f"<style>{css}</style>", SCRIPT=bundle + f"<script>{app}</script>"))


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
