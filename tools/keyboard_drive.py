#!/usr/bin/python3
"""Drives the desktop program by the keyboard alone: key events through xdotool.

Run by tools/keyboard-drive.sh, which starts the virtual screen, a window
manager and the D-Bus session. Every action is a key press or typed text sent
with xdotool; AT-SPI only reads what the screen shows (the window that is
active, the control that has the focus, the texts of a message box), so that
each step checks where the keyboard is before it presses anything.

The run: the start form's 実行 by Enter; on the settings form, the sample
list's settings typed box by box with Tab, the tab order checked control by
control (the added settings and the 「…」 buttons after the original ones);
the preview opened with Enter on 「プレビュー」 and closed with Esc; 実行 by
Enter; 「確認…」 in the completion box; in the review window the arrows move
through the rows, Tab reaches 「CSVで保存」 and 「照合できなかったレコードを保存」,
whose file dialogs save by a typed name and Enter; Esc closes the review
window and Enter on 終了 ends the program. The saved files are compared with
what zumaro-convert writes for the same settings (--report, --unmatched).
A picture of the screen is taken at each window; it exits non-zero when
anything is not where it should be.
"""
import argparse
import filecmp
import os
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TIMEOUT_S = 30

START_TITLE = "Zumaro Ver 1.1"
SETTINGS_TITLE = "Zumaro Ver1.1"
PREVIEW_TITLE = "プレビュー"
REVIEW_TITLE = "確認が必要なレコード"
REVIEW_TABLE = "確認が必要なレコードの一覧"

# The sample list's settings, as the README gives them for the command line,
# in the settings form's tab order: (the box's name, what to type; None: pass).
SETTINGS_ROUND = [
    ("元のファイルの項目数を指定して下さい。", "8"),
    ("郵便番号は何番目の項目ですか？", "3"),
    ("県名は何番目の項目ですか？", "4"),
    ("市区町村名丁目は何番目の項目ですか？", "5"),
    ("ビル名、マンション名は何番目の項目ですか？", "6"),
    ("その他の項目1の位置", "2"),
    ("その他の項目1の変換option", "4"),
    ("その他の項目2の位置", "8"),
    ("その他の項目2の変換option", "3"),
]
for k in range(3, 8):
    SETTINGS_ROUND += [(f"その他の項目{k}の位置", None), (f"その他の項目{k}の変換option", None)]
CLI_SETTINGS = ["--fields", "8", "--postal", "3", "--pref", "4", "--city", "5", "--building", "6",
                "--company", "7", "--etc1", "2", "--opt1", "4", "--etc2", "8", "--opt2", "3"]
OUTPUT_BOX = "出力先のファイル名を指定して下さい。"
COMPANY_BOX = "企業名、団体名は何番目の項目ですか？"
# After 企業名 (the last of the original order): the added settings and buttons.
ADDED_ROUND = ["番地を漢字で書く", "1行目は見出し", "元のファイルの文字コード", "町域・番地は何番目の項目ですか？", "郵便番号を直す",
               "元のファイルを選ぶ", "元のファイルのプレビュー", "出力先のファイルを選ぶ", "郵便番号データのフォルダを選ぶ",
               "郵便番号データを更新"]


class Missing(Exception):
    """Something was not where the keyboard expected it."""


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def key(*names):
    for name in names:
        xdotool("key", "--clearmodifiers", name)
        time.sleep(0.15)


def type_text(text):
    xdotool("type", "--delay", "15", "--clearmodifiers", text)
    time.sleep(0.15)


def wait_for(what, find, timeout=TIMEOUT_S):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    raise Missing(f"{what}: not seen within {timeout} s")


class Screen:
    """What the program shows, read over AT-SPI."""

    def __init__(self, pyatspi, process, pictures):
        self.atspi = pyatspi
        self.process = process
        self.pictures = pictures
        self.app = None

    def application(self):
        def find():
            if self.process.poll() is not None:
                raise Missing(f"the program ended (exit {self.process.returncode})")
            for app in children(self.atspi.Registry.getDesktop(0)):
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            return None
        self.app = wait_for("the program on the AT-SPI bus", find)

    def active_window(self):
        for w in children(self.app):
            if w is not None and has_state(w, self.atspi.STATE_ACTIVE):
                return w
        return None

    def wait_active(self, title):
        window = wait_for(f"window 「{title}」 active", lambda: self._active_titled(title))
        print(f"window   {title}")
        return window

    def _active_titled(self, title):
        w = self.active_window()
        if w is None:
            return None
        # After a run the settings form's caption keeps the count (51件目を処理中).
        same = w.name == title or (title == SETTINGS_TITLE and w.name.endswith("件目を処理中"))
        return w if same else None

    def focused(self):
        """(role, name) of the control with the keyboard focus in the active window."""
        window = self.active_window()
        if window is None:
            return None
        for found in self.atspi.findAllDescendants(window, lambda a: has_state(a, self.atspi.STATE_FOCUSED)):
            role, name = found.getRoleName(), found.name or ""
            if found.getRole() == self.atspi.ROLE_TABLE_CELL:
                # The current cell says it is focused even when its table is not.
                table = found.parent
                while table is not None and table.getRole() != self.atspi.ROLE_TABLE:
                    table = table.parent
                if table is None or not has_state(table, self.atspi.STATE_FOCUSED):
                    continue
                return ("table", table.name)
            if found.getRole() == self.atspi.ROLE_COMBO_BOX:
                # Qt names a combo box by its current item; what it is for is its description.
                return (role, f"{name} ({found.description})")
            return (role, name)
        return None

    def expect_focus(self, name):
        def on_it():
            f = self.focused()
            if f and (f[1] == name or (f[0] == "combo box" and f"({name}" in f[1])):
                return f
            return None
        try:
            got = wait_for(f"focus on 「{name}」", on_it, timeout=5)
        except Missing:
            raise Missing(f"the focus is on {self.focused()}, not on 「{name}」") from None
        print(f"focus    {got[0]} 「{got[1]}」")

    def focus_name(self):
        f = self.focused()
        return f[1] if f else None

    def texts_of(self, window):
        found = [window.description] if window.description else []
        for a in self.atspi.findAllDescendants(window, lambda a: a.getRole() == self.atspi.ROLE_LABEL):
            if a.name and a.name not in found:
                found.append(a.name)
        return found

    def table_rows(self, window, name):
        table = self.atspi.findDescendant(window, lambda a: a.name == name and a.getRole() == self.atspi.ROLE_TABLE)
        return table.queryTable().nRows if table is not None else None

    def picture(self, what):
        path = os.path.join(self.pictures, f"{what}.png")
        time.sleep(0.4)
        subprocess.run(["import", "-window", "root", path], check=False)
        print(f"picture  {path}")


def children(accessible):
    try:
        return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
    except Exception:  # a window closing while it is read
        return []


def has_state(accessible, state):
    try:
        return accessible.getState().contains(state)
    except Exception:
        return False


# --- the steps ----------------------------------------------------------------
def start_form(screen, args):
    screen.wait_active(START_TITLE)
    screen.expect_focus("実行")
    screen.picture("01-start")
    key("Return")


def settings_form(screen, args):
    screen.wait_active(SETTINGS_TITLE)
    screen.expect_focus("元のファイル名を指定して下さい。")
    type_text(args.input)
    for name, value in SETTINGS_ROUND:
        key("Tab")
        screen.expect_focus(name)
        if value is not None:
            type_text(value)
    key("Tab")
    screen.expect_focus(OUTPUT_BOX)
    type_text(args.output)
    for name in ("実行", "終了"):
        key("Tab")
        screen.expect_focus(name)
    key("Tab")
    screen.expect_focus(COMPANY_BOX)
    type_text("7")
    for name in ADDED_ROUND:
        key("Tab")
        screen.expect_focus(name)
    key("Tab")
    screen.expect_focus("元のファイル名を指定して下さい。")  # round again
    screen.picture("02-settings")


def preview(screen, args):
    """Back to 「プレビュー」 with Shift+Tab; Enter opens it, Esc closes it."""
    for name in ("郵便番号データを更新", "郵便番号データのフォルダを選ぶ", "出力先のファイルを選ぶ", "元のファイルのプレビュー"):
        key("shift+Tab")
        screen.expect_focus(name)
    key("Return")
    window = screen.wait_active(PREVIEW_TITLE)
    texts = screen.texts_of(window)
    for text in texts:
        print(f"text     {text.splitlines()[-1]}")
    if any("1行目は見出しのようです" in t for t in texts):
        raise Missing("the preview of the sample list hints at a header row")
    screen.picture("03-preview")
    key("Escape")
    screen.wait_active(SETTINGS_TITLE)
    screen.expect_focus("元のファイルのプレビュー")


def execute(screen, args):
    """Shift+Tab back to 実行, Enter, and 確認… in the completion box."""
    for name in ("元のファイルを選ぶ", "郵便番号を直す", "町域・番地は何番目の項目ですか？", "元のファイルの文字コード",
                 "1行目は見出し", "番地を漢字で書く", COMPANY_BOX, "終了", "実行"):
        key("shift+Tab")
        screen.expect_focus(name)
    key("Return")
    box = wait_for("the completion box", lambda: (lambda w: w if w is not None and w.name == "Zumaro" else None)(
        screen.active_window()), timeout=120)
    texts = screen.texts_of(box)
    print(f"message  {' / '.join(t.replace(chr(10), ' | ') for t in texts)}")
    if not any("変換処理終了" in t for t in texts):
        raise Missing(f"no 変換処理終了 in the box: {texts}")
    screen.picture("04-completion")
    for _ in range(4):
        if screen.focus_name() == "確認…":
            break
        key("Tab")
    screen.expect_focus("確認…")
    key("Return")


def review(screen, args):
    window = screen.wait_active(REVIEW_TITLE)
    screen.expect_focus(REVIEW_TABLE)
    rows = screen.table_rows(window, REVIEW_TABLE)
    print(f"table    {rows} rows")
    if not rows:
        raise Missing("the review window shows no row")
    key("Down", "Down")
    screen.picture("05-review")
    key("Tab")
    screen.expect_focus("表に出す行を理由で絞り込みます")
    key("Tab")
    screen.expect_focus("CSVで保存")
    save_through_dialog(screen, args.report, "06-save-report")
    screen.expect_focus("CSVで保存")
    key("Tab")
    screen.expect_focus("照合できなかったレコードを保存")
    save_through_dialog(screen, args.unmatched, "07-save-unmatched")
    key("Escape")
    screen.wait_active(SETTINGS_TITLE)


def save_through_dialog(screen, path, picture):
    """Enter on the focused save button; in the file dialog the name, typed over the one offered, and Enter."""
    key("Return")
    wait_for("the file dialog", lambda: (lambda w: w if w is not None and w.name not in (REVIEW_TITLE, "")
                                         else None)(screen.active_window()))
    key("ctrl+a")
    type_text(path)
    screen.picture(picture)
    key("Return")
    size = wait_for(f"{path} saved", lambda: os.path.exists(path) and os.path.getsize(path) > 0 and
                    os.path.getsize(path))
    print(f"saved    {path}: {size} bytes")
    screen.wait_active(REVIEW_TITLE)


def end_program(screen, args):
    screen.expect_focus("実行")
    key("Tab")
    screen.expect_focus("終了")
    key("Return")
    screen.process.wait(timeout=10)
    print(f"ended    exit {screen.process.returncode}")
    if screen.process.returncode != 0:
        raise Missing(f"the program ended with exit status {screen.process.returncode}")


def same_as_command_line(args):
    """The files saved by the keyboard are those zumaro-convert writes."""
    folder = tempfile.mkdtemp(prefix="zumaro-keys-cli-")
    out, report, unmatched = (os.path.join(folder, n) for n in ("out.csv", "report.csv", "unmatched.csv"))
    subprocess.run([args.convert, "-q", "-i", args.input, "-o", out, "--report", report, "--unmatched", unmatched,
                    "--data-dir", args.data_dir] + CLI_SETTINGS, check=True)
    for mine, theirs in ((args.output, out), (args.report, report), (args.unmatched, unmatched)):
        same = filecmp.cmp(mine, theirs, shallow=False)
        print(f"compare  {os.path.basename(mine)} {'=' if same else '!='} zumaro-convert's")
        if not same:
            raise Missing(f"{mine} differs from {theirs}")


STEPS = [start_form, settings_form, preview, execute, review, end_program]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(REPO, "build", "bin", "zumaro"))
    parser.add_argument("--convert", default=os.path.join(REPO, "build", "bin", "zumaro-convert"))
    parser.add_argument("--input", default=os.path.join(REPO, "examples", "sample-list.csv"))
    parser.add_argument("--data-dir", required=True)
    parser.add_argument("--work", required=True, help="folder for the output and the saved files")
    parser.add_argument("--pictures", required=True)
    args = parser.parse_args()
    args.output = os.path.join(args.work, "out.csv")
    args.report = os.path.join(args.work, "saved-report.csv")
    args.unmatched = os.path.join(args.work, "saved-unmatched.csv")
    os.makedirs(args.pictures, exist_ok=True)

    import pyatspi  # the session bus is the script's own

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", ZUMARO_DATA_DIR=args.data_dir,
               XDG_CONFIG_HOME=tempfile.mkdtemp(prefix="zumaro-keys-settings-"))
    process = subprocess.Popen([args.program], env=env)
    screen = Screen(pyatspi, process, args.pictures)
    try:
        screen.application()
        for step in STEPS:
            step(screen, args)
        same_as_command_line(args)
    except (Missing, subprocess.CalledProcessError) as missing:
        print(f"MISSING  {missing}", file=sys.stderr)
        screen.picture("failed")
        return 1
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    print("all done by keyboard")
    return 0


if __name__ == "__main__":
    sys.exit(main())
