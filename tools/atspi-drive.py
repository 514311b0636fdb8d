#!/usr/bin/python3
"""Drives the desktop program as assistive technology does, over AT-SPI.

Starts build/bin/zumaro, presses the start form's 実行, finds the settings
form's boxes by their accessible names, types the settings of the sample
list and an output path, presses 実行 and reads the completion box. Prints
each step; exits non-zero when a window, box, button or message is missing
or the run does not finish.

Needs Debian's python3-pyatspi, gir1.2-atspi-2.0, at-spi2-core and dbus,
and for a virtual screen xvfb and xauth (imagemagick for --screenshot):

    apt-get install --no-install-recommends python3-pyatspi gir1.2-atspi-2.0 \
        at-spi2-core dbus xvfb xauth imagemagick

Run it from anywhere; without a screen it starts itself on Xvfb, and
without a session bus inside dbus-run-session, where the AT-SPI bus is
started on demand:

    tools/atspi-drive.py [--output PATH] [--screenshot PNG] [--program PATH]
        [--input LIST] [--fields N --postal P --pref P --city P --building P
         --company P] [--blocks-written] [--header] [--fix-postal-code] [--review]
        [--save-report PATH] [--save-unmatched PATH] [--pictures DIR]
        [--window-pictures] [--preview]

The program finds its data as the converter does; the script points
ZUMARO_DATA_DIR at data/sample unless it is already set, and gives the
program settings of its own, so that no folder chosen earlier on the form
is used. Without --fields and the positions it types the sample list's
settings.

With --review it presses 「確認…」 in the completion box, reads the summary
and every row of the review window's table, and with --save-report and
--save-unmatched saves both files through the file dialog. --pictures
takes a picture of the screen at each window (settings, completion box,
review window, file dialog); with --window-pictures (needs xdotool) each
picture holds that window only. --preview presses 「プレビュー」 after typing
the input, reads the preview's columns and closes it.

To add a step, write a function taking the Driver and append it to STEPS.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

START_TITLE = "Zumaro Ver 1.1"
SETTINGS_TITLE = "Zumaro Ver1.1"
RUN_FINISHED = "変換処理終了"
ERROR_TITLE = "エラーメッセージ"
REVIEW_TITLE = "確認が必要なレコード"
REVIEW_BUTTON = "確認…"
REVIEW_TABLE = "確認が必要なレコードの一覧"

# The settings of examples/sample-list.csv as the README gives them for the
# command line (--fields 8 --postal 3 --pref 4 --city 5 --building 6
# --company 7 --etc1 2 --opt1 4 --etc2 8 --opt2 3), by the boxes' names.
SAMPLE_SETTINGS = [
    ("元のファイルの項目数を指定して下さい。", "8"),
    ("郵便番号は何番目の項目ですか？", "3"),
    ("県名は何番目の項目ですか？", "4"),
    ("市区町村名丁目は何番目の項目ですか？", "5"),
    ("ビル名、マンション名は何番目の項目ですか？", "6"),
    ("企業名、団体名は何番目の項目ですか？", "7"),
    ("その他の項目1の位置", "2"),
    ("その他の項目1の変換option", "4"),
    ("その他の項目2の位置", "8"),
    ("その他の項目2の変換option", "3"),
]
INPUT_BOX = "元のファイル名を指定して下さい。"
OUTPUT_BOX = "出力先のファイル名を指定して下さい。"

TIMEOUT_S = 60
MAX_MESSAGES = 10  # warnings before the completion box, at most


class Missing(Exception):
    """Something the driver looked for did not appear."""


def ensure_session(argv):
    """Re-runs this script on Xvfb and in a D-Bus session where they lack."""
    me = [sys.executable, os.path.abspath(__file__)] + argv
    # -noreset: the AT-SPI bus launcher's short visit to the screen would
    # otherwise reset the server just as the program connects.
    if not os.environ.get("DISPLAY"):
        need("xvfb-run")
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -noreset"] + me)
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        need("dbus-run-session")
        os.execvp("dbus-run-session", ["dbus-run-session", "--"] + me)


def need(program):
    if not shutil.which(program):
        sys.exit(f"MISSING  {program}: install the packages listed at the top of {os.path.basename(__file__)}")


class Driver:
    """The program under AT-SPI: its windows, boxes and buttons by name."""

    def __init__(self, pyatspi, process):
        self.atspi = pyatspi
        self.process = process
        self.app = None

    # --- finding -----------------------------------------------------------
    def wait_for(self, what, find, timeout=TIMEOUT_S):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise Missing(f"{what}: the program ended (exit {self.process.returncode})")
            found = find()
            if found is not None:
                return found
            time.sleep(0.2)
        raise Missing(f"{what}: not found within {timeout} s")

    def application(self):
        def find():
            desktop = self.atspi.Registry.getDesktop(0)
            for app in children(desktop):
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            return None

        self.app = self.wait_for("application on the AT-SPI bus", find)
        return self.app

    def windows(self):
        return [w for w in children(self.app) if w is not None]

    def window(self, title):
        return self.wait_for(f"window {title}",
                             lambda: next((w for w in self.windows() if w.name == title and showing(w)), None))

    def control(self, window, name, interface):
        """The descendant of `window` named `name` that offers `interface`."""
        def find():
            return self.atspi.findDescendant(window, lambda a: a.name == name and offers(a, interface))

        return self.wait_for(f"{interface} 「{name}」 in {window.name}", find, timeout=10)

    # --- acting ------------------------------------------------------------
    def press(self, window, name):
        button = self.control(window, name, "Action")
        action = button.queryAction()
        index = next((i for i in range(action.nActions) if action.getName(i) in ("Press", "press", "click")), 0)
        try:
            action.doAction(index)
        except Exception as error:
            # A button that opens a modal window (a file dialog, say) answers
            # only when that window closes; the press has happened.
            if "Did not receive a reply" not in str(error):
                raise
        print(f"pressed  {name}")

    def type_into(self, window, name, text):
        box = self.control(window, name, "EditableText")
        box.queryEditableText().setTextContents(text)
        shown = box.queryText().getText(0, -1)
        if shown != text:
            raise Missing(f"box 「{name}」 holds {shown!r} after typing {text!r}")
        print(f"typed    {name} = {text}")

    def check(self, window, name):
        box = self.control(window, name, "Action")
        if not box.getState().contains(self.atspi.STATE_CHECKED):
            box.queryAction().doAction(0)
        self.wait_for(f"「{name}」 checked", lambda: box.getState().contains(self.atspi.STATE_CHECKED) or None,
                      timeout=5)
        print(f"checked  {name}")

    def save_in_file_dialog(self, path, args):
        """Types `path` into the file dialog that has just opened and saves."""
        roles = (self.atspi.ROLE_DIALOG, self.atspi.ROLE_FILE_CHOOSER)
        dialog = self.wait_for("file dialog", lambda: next(
            (w for w in self.windows() if w.getRole() in roles and showing(w)), None))
        print(f"found    dialog {dialog.name}")
        box = self.wait_for("file name box", lambda: self.atspi.findDescendant(
            dialog, lambda a: offers(a, "EditableText") and showing(a)
            and a.getState().contains(self.atspi.STATE_EDITABLE)
            and a.getRole() in (self.atspi.ROLE_TEXT, self.atspi.ROLE_ENTRY)), timeout=10)
        box.queryEditableText().setTextContents(path)
        picture(args, "file-dialog")
        # "Save", or on a Japanese desktop "保存(S)"; mnemonics may show as &.
        def is_save(a):
            name = (a.name or "").replace("&", "")
            return (name == "Save" or name.startswith("保存")) and offers(a, "Action") \
                and a.getRole() == self.atspi.ROLE_PUSH_BUTTON
        button = self.wait_for("save button", lambda: self.atspi.findDescendant(dialog, is_save), timeout=10)
        button.queryAction().doAction(0)
        print(f"pressed  {button.name} in {dialog.name}")

    def next_message(self):
        """The first shown dialog or alert: a message box. The forms are
        frames, and the settings form's title changes while it runs."""
        roles = (self.atspi.ROLE_DIALOG, self.atspi.ROLE_ALERT)

        def find():
            for w in self.windows():
                if w.getRole() in roles and showing(w):
                    return w
            return None

        return self.wait_for("message box", find)

    def texts_of(self, window):
        """Every static text a message box shows, and its description."""
        found = []
        if window.description:
            found.append(window.description)
        for a in self.atspi.findAllDescendants(window, lambda a: a.getRole() == self.atspi.ROLE_LABEL):
            if a.name and a.name not in found:
                found.append(a.name)
        return found

    def close_message(self, box):
        for name in ("OK", "&OK"):
            button = self.atspi.findDescendant(box, lambda a, n=name: a.name == n and offers(a, "Action"))
            if button is not None:
                button.queryAction().doAction(0)
                return
        raise Missing(f"no OK button in message box {box.name}")


def children(accessible):
    try:
        return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
    except Exception:  # a window closing while it is read
        return []


def showing(accessible):
    try:
        from pyatspi import STATE_SHOWING
        return accessible.getState().contains(STATE_SHOWING)
    except Exception:
        return False


def offers(accessible, interface):
    try:
        return interface in accessible.get_interfaces()
    except Exception:
        return False


# --- the steps ---------------------------------------------------------------
def open_settings(driver, args):
    start = driver.window(START_TITLE)
    print(f"found    window {start.name}")
    driver.press(start, "実行")
    args.settings = driver.window(SETTINGS_TITLE)
    print(f"found    window {args.settings.name}")


# The option of each box for lists other than the sample.
SETTING_OPTIONS = [
    ("fields", "元のファイルの項目数を指定して下さい。"),
    ("postal", "郵便番号は何番目の項目ですか？"),
    ("pref", "県名は何番目の項目ですか？"),
    ("city", "市区町村名丁目は何番目の項目ですか？"),
    ("building", "ビル名、マンション名は何番目の項目ですか？"),
    ("company", "企業名、団体名は何番目の項目ですか？"),
]


def settings_of(args):
    if args.fields is None:
        return SAMPLE_SETTINGS
    return [(name, getattr(args, option) or "0") for option, name in SETTING_OPTIONS]


PREVIEW_TITLE = "プレビュー"


def show_preview(driver, args):
    preview = driver.window(PREVIEW_TITLE)
    print(f"found    window {preview.name}")
    for text in driver.texts_of(preview):
        print(f"text     {text.replace(chr(10), ' | ')}")
    table = driver.control(preview, "元のファイルの最初のレコード", "Table").queryTable()
    headers = [table.getColumnDescription(c).replace("\n", " ") for c in range(table.nColumns)]
    print(f"preview  {table.nRows} rows, columns {' | '.join(headers)}")
    time.sleep(0.5)
    picture(args, "preview", PREVIEW_TITLE)
    driver.press(preview, "閉じる")


def fill_settings(driver, args):
    driver.type_into(args.settings, INPUT_BOX, args.input)
    if args.preview:
        driver.press(args.settings, "元のファイルのプレビュー")
        show_preview(driver, args)
    for name, value in settings_of(args):
        driver.type_into(args.settings, name, value)
    driver.type_into(args.settings, OUTPUT_BOX, args.output)
    for wanted, name in ((args.blocks_written, "番地を漢字で書く"), (args.header, "1行目は見出し"),
                         (args.fix_postal_code, "郵便番号を直す")):
        if wanted:
            driver.check(args.settings, name)
    time.sleep(0.5)
    picture(args, "settings", SETTINGS_TITLE)


def execute(driver, args):
    driver.press(args.settings, "実行")
    for _ in range(MAX_MESSAGES):
        box = driver.next_message()
        texts = driver.wait_for("message text", lambda b=box: driver.texts_of(b) or None, timeout=10)
        print(f"message  {box.getRoleName()} {box.name}: {' / '.join(t.replace(chr(10), ' | ') for t in texts)}")
        if args.screenshot:
            take_screenshot(args.screenshot)
            args.screenshot = None
        if any(RUN_FINISHED in t for t in texts):
            picture(args, "completion", box.name)
            args.completion = box
            return
        if box.name == ERROR_TITLE:
            raise Missing(f"the run was refused or failed: {' / '.join(texts)}")
        driver.close_message(box)
        time.sleep(0.5)
    raise Missing(f"no 「{RUN_FINISHED}」 box")


def close_completion(driver, args):
    if args.review:
        driver.press(args.completion, REVIEW_BUTTON)
    else:
        driver.close_message(args.completion)
    with open(args.output, "rb") as out:
        records = out.read().count(b"\n")
    print(f"output   {args.output}: {records} lines")
    if records == 0:
        raise Missing(f"the output {args.output} is empty")


def read_review(driver, args):
    """The review window: its summary, its table row by row."""
    if not args.review:
        return
    review = driver.window(REVIEW_TITLE)
    args.review_window = review
    print(f"found    window {review.name}")
    for text in driver.texts_of(review):
        print(f"text     {text}")
    table = driver.control(review, REVIEW_TABLE, "Table").queryTable()
    headers = [table.getColumnDescription(c) for c in range(table.nColumns)]
    print(f"table    {table.nRows} rows: {' | '.join(headers)}")
    for r in range(table.nRows):
        cells = [table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
        if r < args.rows_shown:
            print(f"row      {' | '.join(cells)}")
    time.sleep(0.5)
    picture(args, "review", REVIEW_TITLE)


def save_from_review(driver, args):
    for button, path in (("CSVで保存", args.save_report), ("照合できなかったレコードを保存", args.save_unmatched)):
        if not (args.review and path):
            continue
        driver.press(args.review_window, button)
        driver.save_in_file_dialog(path, args)
        size = driver.wait_for(f"file {path}", lambda p=path: os.path.getsize(p) if os.path.exists(p) else None)
        print(f"saved    {path}: {size} bytes")


def end_program(driver, args):
    driver.press(args.settings, "終了")
    driver.process.wait(timeout=10)
    print(f"ended    exit {driver.process.returncode}")


STEPS = [open_settings, fill_settings, execute, close_completion, read_review, save_from_review, end_program]


def picture(args, what, title=None):
    if not args.pictures:
        return
    path = os.path.join(args.pictures, f"{what}.png")
    if args.window_pictures and title and shutil.which("xdotool"):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                               capture_output=True, text=True).stdout.split()
        if found:
            subprocess.run(["import", "-window", found[-1], path], check=False)
            print(f"picture  {path}")
            return
    take_screenshot(path)


def take_screenshot(path):
    if shutil.which("import"):
        subprocess.run(["import", "-window", "root", path], check=False)
        print(f"picture  {path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(REPO, "build", "bin", "zumaro"))
    parser.add_argument("--input", default=os.path.join(REPO, "examples", "sample-list.csv"))
    parser.add_argument("--output", default=None, help="output file (default: a new temporary file)")
    parser.add_argument("--screenshot", default=None, help="picture of the screen when the first message shows")
    for option, _ in SETTING_OPTIONS:
        parser.add_argument(f"--{option}", default=None)
    parser.add_argument("--blocks-written", action="store_true", help="check 「番地を漢字で書く」")
    parser.add_argument("--header", action="store_true", help="check 「1行目は見出し」")
    parser.add_argument("--fix-postal-code", action="store_true", help="check 「郵便番号を直す」")
    parser.add_argument("--review", action="store_true", help="open the review window and read its rows")
    parser.add_argument("--rows-shown", type=int, default=10, help="review rows printed (all are read)")
    parser.add_argument("--save-report", default=None, help="save the review's CSV to this path")
    parser.add_argument("--save-unmatched", default=None, help="save the unmatched records to this path")
    parser.add_argument("--pictures", default=None, help="folder for a picture at each window")
    parser.add_argument("--window-pictures", action="store_true", help="pictures of the window alone")
    parser.add_argument("--preview", action="store_true", help="open the preview of the input first")
    args = parser.parse_args()
    ensure_session(sys.argv[1:])
    if args.output is None:
        args.output = os.path.join(tempfile.mkdtemp(prefix="zumaro-atspi-"), "out.csv")

    import pyatspi  # only here: it connects to the bus this script made sure of

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    env.setdefault("ZUMARO_DATA_DIR", os.path.join(REPO, "data", "sample"))
    if args.pictures:
        os.makedirs(args.pictures, exist_ok=True)
    # Settings of its own: a data folder chosen earlier on the form would win.
    env["XDG_CONFIG_HOME"] = tempfile.mkdtemp(prefix="zumaro-atspi-settings-")
    for path in (args.save_report, args.save_unmatched):
        if path and os.path.exists(path):
            os.remove(path)
    if not os.access(args.program, os.X_OK):
        print(f"MISSING  {args.program} (build it with tools/build.sh)", file=sys.stderr)
        return 1
    process = subprocess.Popen([args.program], env=env)
    driver = Driver(pyatspi, process)
    try:
        driver.application()
        for step in STEPS:
            step(driver, args)
    except Missing as missing:
        print(f"MISSING  {missing}", file=sys.stderr)
        return 1
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    print("all found")
    return 0


if __name__ == "__main__":
    sys.exit(main())
