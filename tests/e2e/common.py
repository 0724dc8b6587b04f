"""Helpers shared by the end-to-end case files: where the main window's
controls are, how failures are collected, the case registry and the
command-line runner every case file uses.

A case file does:

    CASES = Cases()
    case = CASES.case

    @case("some-behaviour")
    def some_behaviour(program):
        ...

    if __name__ == "__main__":
        sys.exit(CASES.main(sys.argv[1:], __doc__))
"""

import argparse
import os
import signal
import traceback

from rig import Rect, RigError, isolated

# The program draws a 2-pixel sunken edge inside its client window; control
# places are counted from inside that edge.
EDGE = 2

# name: (accessible role, left, top, width, height, accessible name or None)
CONTROLS = {
    "answer box": ("text", 85, 133, 175, 26, None),
    "account box": ("text", 86, 175, 172, 26, None),
    "password box": ("text", 86, 216, 171, 26, None),
    "button": ("push button", 156, 272, 104, 32, "获取YUVOvip账号"),
}

# How long a single observable change may take to show up before a check
# gives up and reports what it saw.
SETTLE = 5.0


class Failure(AssertionError):
    pass


class Checks:
    """Collects failed checks so one run reports all of them."""

    def __init__(self):
        self.failures = []

    def equal(self, what, seen, expected):
        if seen != expected:
            self.failures.append(f"{what}: expected {expected!r}, saw {seen!r}")

    def true(self, what, ok, detail=""):
        if not ok:
            self.failures.append(f"{what}{': ' + detail if detail else ''}")

    def run(self, label, fn, *args):
        """Runs one session in a process of its own, keeping its failures."""
        try:
            isolated(fn, *args)
        except (Failure, RigError) as exc:
            lines = [ln for ln in str(exc).splitlines() if ln.strip()]
            self.failures += [f"[{label}] {ln.strip()}" for ln in lines]

    def done(self):
        if self.failures:
            raise Failure("\n  ".join([""] + self.failures))


# ------------------------------------------------------------ main window

def control_rect(rig, name):
    """Where a control must be on the screen."""
    _, left, top, w, h, _ = CONTROLS[name]
    x, y = rig.client_to_screen(left, top, inset=EDGE)
    return Rect(x, y, w, h)


def identify(rig, obj):
    """Names the control obj is, by role and screen extents, or describes it."""
    if obj is None:
        return "nothing"
    role, rect = obj.get_role_name(), rig.extents(obj)
    for name, expected in CONTROLS.items():
        if role == expected[0] and rect == control_rect(rig, name):
            return f"the {name}"
    return f"an unknown object: {rig.describe(obj)}"


def focused_control(rig):
    return identify(rig, rig.focused())


def find_control(rig, name):
    role = CONTROLS[name][0]
    rect = control_rect(rig, name)
    found = rig.find(role=role, rect=rect)
    if len(found) != 1:
        raise Failure(f"expected one {role} at {rect!r} for the {name}, found "
                      f"{len(found)}; the program shows: "
                      + "; ".join(rig.describe(o) for o in rig.walk()[1:]))
    return found[0]


def click_control(rig, name):
    """Clicks the middle of a control with the mouse."""
    rig.click(*control_rect(rig, name).center)


def started(rig):
    """Waits until a person would see the window up and focused."""
    rig.wait_active()
    rig.application()


# ----------------------------------------------------------------- runner

class Cases:
    """The cases of one file, by name, and the command line that runs them."""

    def __init__(self):
        self.table = {}

    def case(self, name, isolate=True):
        """Registers a case. Its body runs in a process of its own unless it
        starts several sessions itself (then each goes through Checks.run)."""
        def register(fn):
            run = (lambda program: isolated(fn, program)) if isolate else fn
            run.__doc__ = fn.__doc__
            self.table[name] = run
            return fn
        return register

    def main(self, argv, doc):
        """Runs the named cases; returns the exit status (0: all passed)."""
        signal.signal(signal.SIGTERM, _interrupted)
        parser = argparse.ArgumentParser(
            description=doc, formatter_class=argparse.RawDescriptionHelpFormatter)
        parser.add_argument("--program", help="path of the built program")
        parser.add_argument("--list", action="store_true", help="list the cases")
        parser.add_argument("cases", nargs="*", help="case names, or 'all'")
        opts = parser.parse_args(argv)
        if opts.list:
            for name, fn in self.table.items():
                print(f"{name:32} {(fn.__doc__ or '').split(chr(10))[0]}")
            return 0
        if not opts.program or not opts.cases:
            parser.error("--program and at least one case are required")
        names = list(self.table) if opts.cases == ["all"] else opts.cases
        unknown = [n for n in names if n not in self.table]
        if unknown:
            parser.error(f"unknown case(s): {', '.join(unknown)}; see --list")
        if not os.access(opts.program, os.X_OK):
            print(f"FAIL: program {opts.program} does not exist or is not executable")
            return 1
        passed = failed = 0
        base = os.environ.get("E2E_ARTIFACTS")
        for name in names:
            if base and len(names) > 1:  # one folder per case
                os.environ["E2E_ARTIFACTS"] = os.path.join(base, name)
            try:
                self.table[name](opts.program)
            except (Failure, RigError) as exc:
                failed += 1
                print(f"FAIL {name}: {exc}", flush=True)
            except KeyboardInterrupt:
                print(f"INTERRUPTED {name}", flush=True)
                return 130
            except Exception:
                failed += 1
                print(f"ERROR {name}:\n{traceback.format_exc()}", flush=True)
            else:
                passed += 1
                print(f"PASS {name}", flush=True)
        print(f"e2e: {passed} passed, {failed} failed")
        return 0 if failed == 0 else 1


def _interrupted(signum, frame):
    raise KeyboardInterrupt(f"signal {signum}")
