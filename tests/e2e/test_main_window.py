"""End-to-end checks of the main window, driven through the real X session.

    /usr/bin/python3 tests/e2e/test_main_window.py --program build/yuvovip CASE...
    /usr/bin/python3 tests/e2e/test_main_window.py --program build/yuvovip all
    /usr/bin/python3 tests/e2e/test_main_window.py --list

Each case starts its own private display, window manager and program, so any
case runs alone. Exit status 0 when every requested case passes, 1 otherwise.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import (CONTROLS, SETTLE, Cases, Checks, Failure, control_rect,  # noqa: E402
                    find_control, focused_control, started)
from rig import Rect, Rig, RigError, eventually  # noqa: E402

TITLE = "YUVOvip账号获取器 v_1.2"
FRAME_W, FRAME_H = 509, 348
ICON_SIZES = [(96, 96)]
WM_FUNCTIONS = {"resize", "move", "close"}
LINK_NAME = "点我找答案"

CASES = Cases()
case = CASES.case


# ----------------------------------------------------------- window itself

# screen, where the outer frame must start
SCREENS = [
    ("1024x768x24", (257, 210)),
    ("1366x768x24", (428, 210)),
]


def title_and_frame_on(program, screen, x, y):
    checks = Checks()
    with Rig(program, screen=screen, case="title-and-frame", run=screen) as rig:
        started(rig)
        expected = Rect(x, y, FRAME_W, FRAME_H)
        checks.equal("title (_NET_WM_NAME)",
                     eventually(rig.wm_name, TITLE, SETTLE, "title"), TITLE)
        frame = eventually(rig.frame_rect, expected, SETTLE, "frame")
        checks.equal(f"outer frame (client {rig.client_rect()!r}, "
                     f"frame extents {rig.frame_extents()})", frame, expected)
        funcs = rig.motif_functions()
        checks.equal(f"window-manager functions in _MOTIF_WM_HINTS {rig.motif_hints()}",
                     sorted(funcs) if funcs is not None else "unrestricted",
                     sorted(WM_FUNCTIONS))
        checks.equal("_NET_WM_ICON image sizes", rig.icon_sizes(), ICON_SIZES)
        rig.screenshot("window")
    checks.done()


@case("title-and-frame", isolate=False)
def title_and_frame(program):
    """The title, the outer frame's size and centred place, the window-manager
    functions asked for and the icon, on each screen size."""
    checks = Checks()
    for screen, (x, y) in SCREENS:
        sw, sh = (int(v) for v in screen.split("x")[:2])
        assert (x, y) == ((sw - FRAME_W) // 2, (sh - FRAME_H) // 2)
        checks.run(screen, title_and_frame_on, program, screen, x, y)
    checks.done()


# ------------------------------------------------------------------ keyboard

@case("typing-goes-to-answer-box")
def typing_goes_to_answer_box(program):
    """Typing right after the window appears, without clicking, fills the
    answer box."""
    with Rig(program, case="typing-goes-to-answer-box") as rig:
        rig.wait_active()
        rig.type("gnx")
        answer = find_control(rig, "answer box")
        seen = eventually(lambda: rig.text(answer), "gnx", SETTLE, "answer text")
        rig.screenshot("typed")
        checks = Checks()
        checks.equal("answer box text", seen, "gnx")
        checks.done()


# key, control that must have the focus afterwards
TAB_RING = [
    ("Tab", "button"),
    ("Tab", "account box"),
    ("Tab", "password box"),
    ("Tab", "answer box"),
    ("shift+Tab", "password box"),
    ("shift+Tab", "account box"),
    ("shift+Tab", "button"),
    ("shift+Tab", "answer box"),
]


@case("tab-ring")
def tab_ring(program):
    """Focus starts in the answer box; Tab walks answer box, button, account
    box, password box and round again; Shift+Tab walks it backwards."""
    with Rig(program, case="tab-ring") as rig:
        started(rig)
        seen = eventually(lambda: focused_control(rig), "the answer box", SETTLE, "focus")
        if seen != "the answer box":
            raise Failure(f"focus at start: expected the answer box, saw {seen}")
        where = "answer box"
        for key, expected in TAB_RING:
            rig.key(key)
            seen = eventually(lambda: focused_control(rig), f"the {expected}", SETTLE,
                              "focus")
            if seen != f"the {expected}":
                rig.screenshot("wrong-focus")
                raise Failure(f"{key} from the {where}: expected the {expected}, "
                              f"focus went to {seen}")
            where = expected


# ------------------------------------------------------------------- closing

def exit_status_after(rig, what):
    """The program's exit status once it has ended after `what`."""
    try:
        return rig.wait_exit(SETTLE)
    except RigError as exc:
        raise Failure(f"after {what}: {exc}") from None


@case("escape-closes")
def escape_closes(program):
    """Esc closes the window and the program exits with status 0."""
    with Rig(program, case="escape-closes") as rig:
        started(rig)
        rig.key("Escape")
        status = exit_status_after(rig, "Esc")
        if status != 0:
            raise Failure(f"after Esc the program exited with status {status}, expected 0")


@case("display-lost-ends-program")
def display_lost_ends_program(program):
    """When the X server goes away the program ends instead of hanging."""
    with Rig(program, case="display-lost-ends-program") as rig:
        started(rig)
        rig.lose_display()
        status = exit_status_after(rig, "the display went away")
        if status < 0:
            raise Failure(f"the program was killed by signal {-status} instead of ending")


# how, action
WM_CLOSERS = [
    ("wmctrl -ic (_NET_CLOSE_WINDOW)", lambda rig: rig.wm_close()),
    ("Alt+F4", lambda rig: rig.key("alt+F4")),
]


def close_through_window_manager(program, index):
    how, close = WM_CLOSERS[index]
    with Rig(program, case="window-manager-close", run=f"{index + 1}") as rig:
        started(rig)
        close(rig)
        status = exit_status_after(rig, how)
        if status != 0:
            raise Failure(f"after {how} the program exited with status {status}, expected 0")


@case("window-manager-close", isolate=False)
def window_manager_close(program):
    """Closing through the window manager ends the program with status 0."""
    checks = Checks()
    for i, (how, _) in enumerate(WM_CLOSERS):
        checks.run(how, close_through_window_manager, program, i)
    checks.done()


# ------------------------------------------------------------------ controls

@case("controls-in-place")
def controls_in_place(program):
    """Each control sits at its exact place with its accessible role and name;
    labels, the link and the picture are described for assistive tools."""
    with Rig(program, case="controls-in-place") as rig:
        started(rig)
        eventually(lambda: focused_control(rig), "the answer box", SETTLE, "focus")
        rig.screenshot("window")
        checks = Checks()
        everything = rig.walk()[1:]
        shown = "; ".join(rig.describe(o) for o in everything)
        for name, (role, _, _, _, _, acc_name) in CONTROLS.items():
            rect = control_rect(rig, name)
            found = rig.find(role=role, rect=rect)
            checks.equal(f"{role} objects at {rect!r} ({name})", len(found), 1)
            if found and acc_name is not None:
                checks.equal(f"{name} accessible name", found[0].get_name(), acc_name)
        labels = [o for o in everything if o.get_role_name() == "label"]
        checks.true("labels", labels, f"none found; the program shows: {shown}")
        for o in labels:
            checks.true(f"label at {rig.extents(o)!r} has its caption as name",
                        o.get_name().strip(), "the name is empty")
        links = [o for o in everything if o.get_role_name() == "link"]
        checks.equal("names of the links", [o.get_name() for o in links], [LINK_NAME])
        images = [o for o in everything if o.get_role_name() == "image"]
        checks.true("picture", images, f"no image found; the program shows: {shown}")
        for o in images:
            checks.true(f"{rig.describe(o)} has an accessible description",
                        o.get_description().strip(), "it is empty")
        checks.done()


if __name__ == "__main__":
    sys.exit(CASES.main(sys.argv[1:], __doc__))
