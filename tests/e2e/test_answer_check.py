"""End-to-end checks of the answer check behind the button, driven through
the real X session with the keyboard and the mouse.

    /usr/bin/python3 tests/e2e/test_answer_check.py --program build/yuvovip CASE...
    /usr/bin/python3 tests/e2e/test_answer_check.py --program build/yuvovip all
    /usr/bin/python3 tests/e2e/test_answer_check.py --list

The message box is observed as a person and a screen reader meet it: its
title from the X server (_NET_WM_NAME), its text and buttons from the
accessibility tree. Each case starts its own private display, window manager
and program. Exit status 0 when every requested case passes, 1 otherwise.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import (SETTLE, Cases, Checks, Failure, click_control,  # noqa: E402
                    control_rect, find_control, started)
from rig import Rig, RigError, eventually, wait_until  # noqa: E402

BOX_TITLE = "信息："
BOX_BUTTONS = ["OK"]
ACCOUNT_TEXT = "账号：12300004567    密码：5172qk46w"
REMINDER_TEXT = "亲，你还没注册哦，注册好就能使用YUVOvip账号了哦！！"

# How long to watch for a window that must not appear.
QUIET = 1.0

CASES = Cases()
case = CASES.case


# ------------------------------------------------------------------ helpers

def name_windows(rig, wids):
    out = []
    for wid in wids:
        try:
            out.append(f"{wid:#x} {rig.wm_name(wid)!r}")
        except RigError:
            out.append(f"{wid:#x}")
    return ", ".join(out) or "none"


def new_windows(rig, before):
    """Managed top-level windows that were not there before."""
    return [wid for wid in rig.client_windows() if wid not in before]


def watch_quiet(rig, before):
    """Watches for QUIET seconds for a new top-level window; returns the new
    windows seen, or [] if none appeared."""
    try:
        return wait_until(lambda: new_windows(rig, before), QUIET, "a new window")
    except RigError:
        return []


def answer_text(rig):
    return rig.text(find_control(rig, "answer box"))


def expect_answer(rig, expected, when):
    seen = eventually(lambda: answer_text(rig), expected, SETTLE, "answer box text")
    if seen != expected:
        rig.screenshot("answer-box")
        raise Failure(f"{when}: the answer box reads {seen!r}, expected {expected!r}")


def clear_answer(rig):
    """Selects everything in the answer box and deletes it."""
    rig.key("ctrl+a", "BackSpace")
    expect_answer(rig, "", "after ctrl+a, BackSpace in the answer box")


def fill_answer(rig, text):
    """Clicks into the answer box, empties it and types text."""
    click_control(rig, "answer box")
    clear_answer(rig)
    rig.type(text)
    expect_answer(rig, text, f"after typing {text!r}")


def read_box(rig, wid):
    """(title, texts of the shown labels, names of the shown buttons) of a
    message box window: the title from the X server, the rest from the
    accessible top-level that covers the window's client area."""
    title = rig.wm_name(wid)
    rect = rig.client_rect(wid)
    tops = [t for t in rig.frames() if rig.extents(t) == rect]
    if len(tops) != 1:
        raise Failure(f"expected one accessible top-level at {rect!r}, found "
                      f"{len(tops)}: " + "; ".join(rig.describe(t) for t in rig.frames()))
    shown = [o for o in rig.walk(tops[0])[1:] if rig.has_state(o, "showing")]
    labels = [rig.spoken(o) for o in shown if o.get_role_name() == "label"]
    buttons = [o.get_name() for o in shown if o.get_role_name() == "push button"]
    return title, labels, buttons


def await_box(rig, before, when):
    """Waits for the one new top-level window that `when` brings up."""
    try:
        wids = wait_until(lambda: new_windows(rig, before), SETTLE, "a new window")
    except RigError:
        rig.screenshot("no-box")
        raise Failure(f"{when}: no window appeared within {SETTLE:g} s") from None
    if len(wids) != 1:
        raise Failure(f"{when}: expected one new window, saw {name_windows(rig, wids)}")
    return wids[0]


def dismiss(rig, wid, checks, when):
    """Presses Return in the box, as a person does once it has the focus, and
    checks the box goes away while the main window stays."""
    active = eventually(rig.active_window, wid, SETTLE, "active window")
    checks.equal(f"{when}: active window before Return",
                 name_windows(rig, [active]) if active else None, name_windows(rig, [wid]))
    rig.key("Return")
    still = eventually(lambda: wid in rig.client_windows(), False, SETTLE, "box listed")
    if still is not False:
        rig.screenshot("not-dismissed")
        raise Failure(f"{when}: the box was still there {SETTLE:g} s after Return ({still})")
    checks.true(f"{when}: program still running after Return", rig.proc.poll() is None,
                f"it exited with status {rig.proc.returncode}")
    checks.true(f"{when}: main window still there after Return",
                rig.window in rig.client_windows(),
                f"managed windows: {name_windows(rig, rig.client_windows())}")


def button_brings_box(rig, checks, text, when, shot):
    """Clicks the button; a box titled BOX_TITLE with text and one OK button
    must come up. Dismisses it with Return."""
    before = rig.client_windows()
    click_control(rig, "button")
    wid = await_box(rig, before, when)
    expected = (BOX_TITLE, [text], BOX_BUTTONS)
    seen = eventually(lambda: read_box(rig, wid), expected, SETTLE, "the box")
    rig.screenshot(shot)
    checks.equal(f"{when}: the box (title, label texts, buttons)", seen, expected)
    dismiss(rig, wid, checks, when)


# --------------------------------------------------------------- the answer

@case("right-answer-shows-account")
def right_answer_shows_account(program):
    """With "gnx" in the answer box the button brings up a box titled 信息：
    with the account and password and one OK button; Return dismisses it and
    the button brings it up again."""
    with Rig(program, case="right-answer-shows-account") as rig:
        started(rig)
        fill_answer(rig, "gnx")
        checks = Checks()
        for attempt in ("first", "second"):
            button_brings_box(rig, checks, ACCOUNT_TEXT, f"{attempt} click with 'gnx'",
                              f"account-{attempt}")
        checks.done()


@case("empty-answer-shows-reminder")
def empty_answer_shows_reminder(program):
    """With the answer box empty, untouched or emptied again, the button
    brings up a box with the reminder to register."""
    with Rig(program, case="empty-answer-shows-reminder") as rig:
        started(rig)
        checks = Checks()
        expect_answer(rig, "", "at start")
        button_brings_box(rig, checks, REMINDER_TEXT, "click with the answer box untouched",
                          "reminder-untouched")
        fill_answer(rig, "gnx")
        clear_answer(rig)
        button_brings_box(rig, checks, REMINDER_TEXT,
                          "click after typing 'gnx' and deleting it", "reminder-emptied")
        checks.done()


# answer, how it differs from the right one
WRONG_ANSWERS = [
    ("gnx ", "trailing space"),
    ("gn", "too short"),
    ("GNX", "upper case"),
]


@case("wrong-answers-show-nothing")
def wrong_answers_show_nothing(program):
    """Any other answer than "gnx" makes the button do nothing visible: no
    window appears and the answer box keeps its text."""
    with Rig(program, case="wrong-answers-show-nothing") as rig:
        started(rig)
        checks = Checks()
        for answer, why in WRONG_ANSWERS:
            when = f"click with {answer!r} ({why})"
            fill_answer(rig, answer)
            before = rig.client_windows()
            click_control(rig, "button")
            appeared = watch_quiet(rig, before)
            rig.screenshot(f"wrong-{why.replace(' ', '-')}")
            checks.true(f"{when}: no new window within {QUIET:g} s", not appeared,
                        f"saw {name_windows(rig, appeared)}")
            for wid in appeared:  # out of the way of the next answer
                dismiss(rig, wid, checks, when)
            checks.equal(f"{when}: answer box text afterwards", answer_text(rig), answer)
        # The same clicks with the right answer do bring the box up, so the
        # quiet above was the program's answer and not a lost click.
        fill_answer(rig, "gnx")
        button_brings_box(rig, checks, ACCOUNT_TEXT, "click with 'gnx' afterwards",
                          "right-afterwards")
        checks.done()


# ----------------------------------------------------------------- modality

@case("open-box-blocks-main-window")
def open_box_blocks_main_window(program):
    """While the box is open, clicking the main window's button and typing
    change nothing: after Return exactly one box was shown and the answer box
    still reads "gnx"."""
    with Rig(program, case="open-box-blocks-main-window") as rig:
        started(rig)
        checks = Checks()
        fill_answer(rig, "gnx")
        before = rig.client_windows()
        click_control(rig, "button")
        box = await_box(rig, before, "click with 'gnx'")
        expected = (BOX_TITLE, [ACCOUNT_TEXT], BOX_BUTTONS)
        seen = eventually(lambda: read_box(rig, box), expected, SETTLE, "the box")
        checks.equal("the box (title, label texts, buttons)", seen, expected)
        eventually(rig.active_window, box, SETTLE, "active window")
        rig.screenshot("box-open")

        button = control_rect(rig, "button")
        if rig.frame_rect(box).contains(*button.center):
            raise Failure(f"the box {rig.frame_rect(box)!r} covers the button's middle "
                          f"{button.center}; the click would not reach the main window")
        rig.click(*button.center)
        rig.type("zz")
        extra = watch_quiet(rig, before + [box])
        rig.screenshot("after-click-and-typing")
        checks.true("no further window while the box is open", not extra,
                    f"saw {name_windows(rig, extra)}")
        checks.true("the box still open after the click and typing",
                    box in rig.client_windows(),
                    f"managed windows: {name_windows(rig, rig.client_windows())}")
        checks.equal("answer box text while the box is open", answer_text(rig), "gnx")

        dismiss(rig, box, checks, "the box")
        later = watch_quiet(rig, before)
        rig.screenshot("dismissed")
        checks.true("no second box after dismissing the first", not later,
                    f"saw {name_windows(rig, later)}")
        for wid in later:
            dismiss(rig, wid, checks, "a second box")
        checks.equal("answer box text after dismissing", answer_text(rig), "gnx")
        checks.done()


if __name__ == "__main__":
    sys.exit(CASES.main(sys.argv[1:], __doc__))
