"""End-to-end checks of the link "点我找答案": its colours under and away from
the pointer, and what a press on it starts, on a private desktop whose
default browser is a recorder.

    /usr/bin/python3 tests/e2e/test_link.py --program build/yuvovip CASE...
    /usr/bin/python3 tests/e2e/test_link.py --program build/yuvovip all
    /usr/bin/python3 tests/e2e/test_link.py --list

The link's look is read from screenshots: the exact text colours show up in
the glyph stems, so each look is told by which of the link colours its
pixels hold. What was opened is read from the recorder's record (one line per
argument, one run after another). Each case starts its own private display,
window manager, desktop and program. Exit status 0 when every requested case
passes, 1 otherwise.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import EDGE, SETTLE, Cases, Checks, started  # noqa: E402
from rig import Desktop, Rect, Rig, RigError, eventually, wait_until  # noqa: E402

URL = "https://www.yuvovip.example/wb008.htm?from=10086&gid=3"

# The link's box, inside the window's sunken edge: left, top, width, height.
LINK = (52, 278, 84, 25)
# A bare spot of the window, left of the link, where the pointer rests when
# it is "away".
AWAY = (20, 290)

# The colours the link's text is drawn in, by look.
COLOURS = {
    "unvisited": (0, 0, 255),
    "hover": (65, 138, 211),
    "visited": (128, 0, 0),
}

# How long to watch for a launch or a window that must not come.
QUIET = 1.0

BROWSER = "recording-browser"
OTHER = "recording-viewer"

CASES = Cases()
case = CASES.case


# ------------------------------------------------------------------ desktops

def https_handler(exec_line="{recorder} %u"):
    """The browser is the default handler for https addresses."""
    return Desktop(apps={BROWSER: (exec_line, ["x-scheme-handler/https"])},
                   defaults={"x-scheme-handler/https": BROWSER})


def html_default(exec_line):
    """No handler for https addresses; the browser is the default
    application for HTML files."""
    return Desktop(apps={BROWSER: (exec_line, ["text/html"])},
                   defaults={"text/html": BROWSER})


def nothing_registered():
    """The browser is installed but chosen for nothing and declares nothing."""
    return Desktop(apps={BROWSER: ("{recorder} %u", [])})


# ------------------------------------------------------------------ helpers

def link_rect(rig):
    left, top, w, h = LINK
    x, y = rig.client_to_screen(left, top, inset=EDGE)
    return Rect(x, y, w, h)


def away_point(rig):
    return rig.client_to_screen(*AWAY, inset=EDGE)


def link_colours(rig, path=None):
    """{look: number of pixels of the link's box in that look's colour}, for
    the looks present; from a screenshot, or live when path is None."""
    pixels = rig.pixels(link_rect(rig), path)
    counts = {}
    for look, colour in COLOURS.items():
        n = pixels.count(colour)
        if n:
            counts[look] = n
    return counts


def expect_look(rig, checks, look, when, shot):
    """Waits for the link to show `look` (its colour and no other link
    colour), then judges from a kept screenshot."""
    eventually(lambda: sorted(link_colours(rig)), [look], SETTLE, "the link's colours")
    path = rig.screenshot(shot)
    counts = link_colours(rig, path)
    checks.equal(f"{when}: link colours present (pixel counts {counts}) in "
                 f"{link_rect(rig)!r}", sorted(counts), [look])


def new_windows(rig, before):
    return [wid for wid in rig.client_windows() if wid not in before]


def outcome(rig, expected, before):
    """Waits up to SETTLE for the record to read `expected`, then QUIET
    longer for anything further: a later launch or a new window. Returns
    (the record, the new top-level windows)."""
    eventually(rig.recorded, expected, SETTLE, "the record")
    seen = rig.recorded()
    try:
        wait_until(lambda: rig.recorded() != seen or new_windows(rig, before), QUIET,
                   "a further launch or window")
    except RigError:
        pass
    return rig.recorded(), new_windows(rig, before)


def expect_outcome(rig, checks, expected, when, before):
    record, windows = outcome(rig, expected, before)
    checks.equal(f"{when}: the browser's record (one line per argument)", record, expected)
    checks.equal(f"{when}: new windows", [hex(w) for w in windows], [])
    checks.true(f"{when}: the program still running", rig.proc.poll() is None,
                f"it exited with status {rig.proc.returncode}")


def click_link(rig, button=1, repeat=1):
    rig.click(*link_rect(rig).center, button=button, repeat=repeat)


def at_start(rig):
    started(rig)
    checks = Checks()
    expect_look(rig, checks, "unvisited", "at start", "start")
    return checks


# -------------------------------------------------------------------- looks

# where the pointer goes, look the link must take
HOVER_WALK = [
    ("over the link", "link", "hover"),
    ("away from the link", "away", "unvisited"),
    ("over the link again", "link", "hover"),
    ("off the window", "off", "unvisited"),
]


@case("hover-colour-follows-pointer")
def hover_colour_follows_pointer(program):
    """The link is blue; with the pointer over it, it takes the hover colour
    and no pixel stays pure blue; once the pointer leaves, blue again."""
    with Rig(program, case="hover-colour-follows-pointer", desktop=Desktop()) as rig:
        checks = at_start(rig)
        places = {
            "link": link_rect(rig).center,
            "away": away_point(rig),
            "off": (5, 5),
        }
        for i, (where, place, look) in enumerate(HOVER_WALK, 1):
            rig.move(*places[place])
            expect_look(rig, checks, look, f"pointer {where}", f"{i}-{place}")
        checks.done()


# ------------------------------------------------------------------ opening

# desktop, what the browser must be started with
REGISTERED = [
    ("https handler", https_handler, [URL]),
    ("https handler and a different HTML default",
     lambda: Desktop(apps={BROWSER: ("{recorder} %u", ["x-scheme-handler/https"]),
                           OTHER: ("{recorder} --from-html-default %u", ["text/html"])},
                     defaults={"x-scheme-handler/https": BROWSER, "text/html": OTHER}),
     [URL]),
]


def click_opens_on(program, index):
    what, desktop, expected = REGISTERED[index]
    with Rig(program, case="click-opens-registered-browser", run=f"{index + 1}",
             desktop=desktop()) as rig:
        checks = at_start(rig)
        before = rig.client_windows()
        click_link(rig)
        expect_outcome(rig, checks, expected, f"left click ({what})", before)
        rig.move(*away_point(rig))
        expect_look(rig, checks, "visited", "pointer away after opening", "visited")
        checks.done()


@case("click-opens-registered-browser", isolate=False)
def click_opens_registered_browser(program):
    """A left click starts the desktop's https handler once, with exactly the
    address; afterwards, with the pointer away, the link is dark red."""
    checks = Checks()
    for i, (what, _, _) in enumerate(REGISTERED):
        checks.run(what, click_opens_on, program, i)
    checks.done()


# Exec line of the HTML default; the browser must get "--new-window" and the
# address: the placeholder and everything after it are left out.
FALLBACK_EXECS = [
    "{recorder} --new-window %u --tail",
    "{recorder} --new-window %U --tail",
    "{recorder} --new-window %f --tail",
    "{recorder} --new-window %F --tail",
    '{recorder} --new-window "%1" --tail',
]


def fallback_on(program, index):
    exec_line = FALLBACK_EXECS[index]
    with Rig(program, case="html-default-is-fallback", run=f"{index + 1}",
             desktop=html_default(exec_line)) as rig:
        checks = at_start(rig)
        before = rig.client_windows()
        click_link(rig)
        expect_outcome(rig, checks, ["--new-window", URL],
                       f"left click, HTML default Exec={exec_line!r}", before)
        rig.screenshot("clicked")
        checks.done()


@case("html-default-is-fallback", isolate=False)
def html_default_is_fallback(program):
    """With no https handler, a click runs the HTML default's command line
    up to its file or address placeholder, with the address appended."""
    checks = Checks()
    for i, exec_line in enumerate(FALLBACK_EXECS):
        checks.run(exec_line, fallback_on, program, i)
    checks.done()


# ------------------------------------------------------------------ buttons

@case("right-click-opens-nothing-double-click-once")
def right_click_opens_nothing_double_click_once(program):
    """A right click on the link starts nothing; a double-click starts the
    browser once."""
    with Rig(program, case="right-click-opens-nothing-double-click-once",
             desktop=https_handler()) as rig:
        checks = at_start(rig)
        before = rig.client_windows()
        click_link(rig, button=3)
        expect_outcome(rig, checks, [], "right click", before)
        rig.screenshot("right-clicked")
        click_link(rig, repeat=2)
        expect_outcome(rig, checks, [URL], "double-click", before)
        rig.screenshot("double-clicked")
        checks.done()


@case("press-opens-before-release")
def press_opens_before_release(program):
    """Pressing the left button on the link starts the browser while the
    button is still down; releasing it starts nothing more."""
    with Rig(program, case="press-opens-before-release", desktop=https_handler()) as rig:
        checks = at_start(rig)
        before = rig.client_windows()
        rig.press(*link_rect(rig).center)
        try:
            expect_outcome(rig, checks, [URL], "left button held down", before)
            rig.screenshot("held")
        finally:
            rig.release()
        expect_outcome(rig, checks, [URL], "after the release", before)
        checks.done()


# ---------------------------------------------------------------- no browser

@case("nothing-registered-opens-nothing")
def nothing_registered_opens_nothing(program):
    """With no handler for https and no HTML default, a click starts
    nothing, shows nothing and the program runs on; the link stays blue."""
    with Rig(program, case="nothing-registered-opens-nothing",
             desktop=nothing_registered()) as rig:
        checks = at_start(rig)
        before = rig.client_windows()
        click_link(rig)
        expect_outcome(rig, checks, [], "left click", before)
        checks.true("main window still there", rig.window in rig.client_windows())
        rig.move(*away_point(rig))
        expect_look(rig, checks, "unvisited", "pointer away after the click", "away")
        checks.done()


if __name__ == "__main__":
    sys.exit(CASES.main(sys.argv[1:], __doc__))
