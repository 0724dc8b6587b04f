#!/usr/bin/python3
"""Start-up, memory, idle and click figures of yuvovip beside a plain Qt Widgets
window of the same look (build/bench/reference_window), printed as one table.

    /usr/bin/python3 bench/startup_benchmark.py [--build build] [--runs 15]

A measurement, not a test: it prints figures and passes or fails nothing.

Both programs run in one private X session brought up by the end-to-end rig
(tests/e2e/rig.py: Xvfb, a session bus, openbox), one program at a time, the
two taking turns, each started the same way and watched from outside:

  * A settling run first (it also warms the caches): the program starts, the
    window manager activates its window, and after 1.5 s the window's screen
    rectangle (the frame with the window manager's decorations, and the client
    area inside it) is captured as that program's settled image. Captures over
    1.5 s more show where the text caret blinks; that rectangle is left out of
    every comparison.
  * Each timed run starts the program through build/bench/exec_stamp, which
    notes the moment it execs the program in its own process (CLOCK_MONOTONIC);
    times count from there. The script then captures the rectangle
    (XShmGetImage of the root window) whenever the X DAMAGE extension reports
    drawing that touches it, and at least every 50 ms. "First complete frame"
    is the time the first capture equal to the settled image (outside the
    caret) was asked for. As a capture is asked for as soon as the damage event
    arrives, a figure is late by at most the capture and comparison under way
    when the last drawing happened: their median and 95th percentile are
    printed under the table. "First pixels" is the first capture that differs
    from the screen before the start.
  * After the first complete frame the program is left alone for 10 s: its
    utime+stime ticks from /proc/PID/stat before and after give the CPU it used
    while idle (also summed from every thread's schedstat, to the nanosecond),
    and VmHWM from /proc/PID/status its peak resident memory. Then it is ended
    by its PID.

It then runs build/bench/click_benchmark (click to message box, in process on
the offscreen platform) and build/bench/decode_benchmark, and puts their
figures into the same table.

Debian packages it needs beyond the build's: xvfb openbox dbus
x11-utils xdotool imagemagick libjpeg-turbo-progs, and libx11-6 libxext6
libxdamage1 (used through ctypes).
"""

import argparse
import ctypes
import os
import re
import select
import signal
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))

from rig import Rect, Rig, RigError, wait_until  # noqa: E402

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")
POLL_SECONDS = 0.05        # a capture at least this often, damage or not
RUN_TIMEOUT = 30.0         # a run that shows no complete frame by then is noted
SESSION_TIMEOUT = 60.0     # each wait of the rig's, so that a slow machine only waits longer


# ------------------------------------------------------------------ /proc

def cpu_ticks(pid):
    """utime + stime of a process, in clock ticks."""
    with open(f"/proc/{pid}/stat", "rb") as f:
        fields = f.read().decode("latin-1").rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def run_time_ns(pid):
    """Time on the CPU of every live thread of a process, in ns (schedstat)."""
    total = 0
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return total


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def status_kib(pid, field):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return None


# ------------------------------------------------------------ the session

class Session(Rig):
    """The rig's X session (Xvfb, bus, openbox) without its program: the
    benchmark starts and ends the programs itself, by PID."""

    def _start_program(self):
        pass

    def launch(self, name, argv):
        # The session's environment as it is: no platform named and no
        # accessibility bridge forced on, as on an ordinary desktop.
        return self._spawn(name, list(argv), env=dict(self.env))

    def end(self, proc):
        for sig, grace in ((signal.SIGTERM, 3.0), (signal.SIGKILL, 3.0)):
            if proc.poll() is not None:
                break
            proc.send_signal(sig)
            try:
                proc.wait(timeout=grace)
            except subprocess.TimeoutExpired:
                pass
        # The window manager lets go of the window before the next run starts.
        wait_until(lambda: not self.client_windows(), self.timeout, "the window to go")

    def mapped_window(self, proc):
        def find():
            if proc.poll() is not None:
                raise RigError(f"the program exited with status {proc.returncode}")
            for wid in self.windows_by_pid(proc.pid):
                if self.window_info(wid).get("Map State") == "IsViewable":
                    return wid
            return None
        return wait_until(find, self.timeout, "the program's window to be mapped")


class _XRectangle(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort)]


class _DamageNotify(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("drawable", ctypes.c_ulong), ("damage", ctypes.c_ulong),
                ("level", ctypes.c_int), ("more", ctypes.c_int), ("timestamp", ctypes.c_ulong),
                ("area", _XRectangle), ("geometry", _XRectangle)]


class _XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("damage", _DamageNotify), ("pad", ctypes.c_long * 24)]


class _ShmSegmentInfo(ctypes.Structure):
    _fields_ = [("shmseg", ctypes.c_ulong), ("shmid", ctypes.c_int),
                ("shmaddr", ctypes.c_void_p), ("readOnly", ctypes.c_int)]


class _XImageHead(ctypes.Structure):  # the leading fields of XImage
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


def _library(name, functions):
    lib = ctypes.CDLL(name)
    for fn, restype, argtypes in functions:
        getattr(lib, fn).restype = restype
        getattr(lib, fn).argtypes = argtypes
    return lib


P, UL, I = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int


class Screen:
    """A connection of our own to the X server, through libX11: captures of a
    screen rectangle through shared memory (MIT-SHM, so that a capture costs
    the server one copy and us no parsing) and the DAMAGE extension's reports
    of drawing anywhere on the screen (a damage object on the root window
    hears of drawing in every window while nothing composites)."""

    def __init__(self, name):
        self.x11 = _library("libX11.so.6", [
            ("XOpenDisplay", P, [ctypes.c_char_p]), ("XCloseDisplay", I, [P]),
            ("XDefaultScreen", I, [P]), ("XRootWindow", UL, [P, I]), ("XDefaultVisual", P, [P, I]),
            ("XDefaultDepth", I, [P, I]), ("XConnectionNumber", I, [P]), ("XPending", I, [P]),
            ("XNextEvent", I, [P, ctypes.POINTER(_XEvent)]), ("XSync", I, [P, I]), ("XFlush", I, [P]),
            ("XFree", I, [P])])
        self.ext = _library("libXext.so.6", [
            ("XShmQueryExtension", I, [P]),
            ("XShmCreateImage", P, [P, P, ctypes.c_uint, I, P, ctypes.POINTER(_ShmSegmentInfo),
                                    ctypes.c_uint, ctypes.c_uint]),
            ("XShmAttach", I, [P, ctypes.POINTER(_ShmSegmentInfo)]),
            ("XShmDetach", I, [P, ctypes.POINTER(_ShmSegmentInfo)]),
            ("XShmGetImage", I, [P, UL, P, I, I, UL])])
        self.xdamage = _library("libXdamage.so.1", [
            ("XDamageQueryExtension", I, [P, ctypes.POINTER(I), ctypes.POINTER(I)]),
            ("XDamageCreate", UL, [P, UL, I]), ("XDamageDestroy", None, [P, UL]),
            ("XDamageSubtract", None, [P, UL, UL, UL])])
        self.libc = _library(None, [
            ("shmget", I, [I, ctypes.c_size_t, I]), ("shmat", P, [I, P, I]), ("shmdt", I, [P]),
            ("shmctl", I, [I, I, P])])
        self.d = self.x11.XOpenDisplay(name.encode())
        if not self.d:
            raise RigError(f"cannot open display {name}")
        if not self.ext.XShmQueryExtension(self.d):
            raise RigError("the X server has no MIT-SHM extension")
        event_base, error_base = I(), I()
        if not self.xdamage.XDamageQueryExtension(self.d, ctypes.byref(event_base), ctypes.byref(error_base)):
            raise RigError("the X server has no DAMAGE extension")
        self.damage_notify = event_base.value  # XDamageNotify is event 0 of the extension
        screen = self.x11.XDefaultScreen(self.d)
        self.root = self.x11.XRootWindow(self.d, screen)
        self.visual = self.x11.XDefaultVisual(self.d, screen)
        self.depth = self.x11.XDefaultDepth(self.d, screen)
        self.damage = self.xdamage.XDamageCreate(self.d, self.root, 2)  # XDamageReportBoundingBox
        self.images = {}
        self.event = _XEvent()
        self.x11.XSync(self.d, 0)

    def _image(self, w, h):
        if (w, h) in self.images:
            return self.images[(w, h)]
        info = _ShmSegmentInfo()
        image = self.ext.XShmCreateImage(self.d, self.visual, self.depth, 2, None, ctypes.byref(info), w, h)
        head = ctypes.cast(image, ctypes.POINTER(_XImageHead)).contents
        size = head.bytes_per_line * h
        info.shmid = self.libc.shmget(0, size, 0o1000 | 0o600)  # IPC_PRIVATE, IPC_CREAT
        if info.shmid < 0:
            raise RigError("shmget failed")
        info.shmaddr = self.libc.shmat(info.shmid, None, 0)
        if info.shmaddr in (None, ctypes.c_void_p(-1).value):
            raise RigError("shmat failed")
        head.data = info.shmaddr
        info.readOnly = 0
        self.ext.XShmAttach(self.d, ctypes.byref(info))
        self.x11.XSync(self.d, 0)
        self.libc.shmctl(info.shmid, 0, None)  # IPC_RMID: gone once both sides let go
        self.images[(w, h)] = (image, info, size)
        return self.images[(w, h)]

    def capture(self, rect):
        """The rectangle's pixels, four bytes a pixel, rows top first."""
        image, info, size = self._image(rect.w, rect.h)
        self.ext.XShmGetImage(self.d, self.root, image, rect.x, rect.y, 0xFFFFFFFF)
        return ctypes.string_at(info.shmaddr, size)

    def forget_damage(self):
        """Drops the damage seen so far, and its events."""
        self.xdamage.XDamageSubtract(self.d, self.damage, 0, 0)
        self.x11.XSync(self.d, 0)
        while self.x11.XPending(self.d):
            self.x11.XNextEvent(self.d, ctypes.byref(self.event))

    def subtract_damage(self):
        """Drawing from here on is reported anew."""
        self.xdamage.XDamageSubtract(self.d, self.damage, 0, 0)
        self.x11.XFlush(self.d)

    def wait_damage(self, rect, timeout):
        """Waits up to timeout for drawing that touches rect (screen coordinates);
        True if some did."""
        deadline = time.monotonic() + timeout
        fd = self.x11.XConnectionNumber(self.d)
        while True:
            touched = False
            while self.x11.XPending(self.d):
                self.x11.XNextEvent(self.d, ctypes.byref(self.event))
                if self.event.type == self.damage_notify:
                    a = self.event.damage.area
                    if (a.x < rect.x + rect.w and rect.x < a.x + a.width and
                            a.y < rect.y + rect.h and rect.y < a.y + a.height):
                        touched = True
            if touched:
                return True
            left = deadline - time.monotonic()
            if left <= 0:
                return False
            select.select([fd], [], [], left)

    def close(self):
        for image, info, _ in self.images.values():
            self.ext.XShmDetach(self.d, ctypes.byref(info))
            self.x11.XSync(self.d, 0)
            self.libc.shmdt(info.shmaddr)
        self.xdamage.XDamageDestroy(self.d, self.damage)
        self.x11.XCloseDisplay(self.d)


# ------------------------------------------------------- image comparison

class Target:
    """A rectangle inside the captured frame rectangle, compared with the
    settled image outside one masked rectangle (the blinking caret)."""

    def __init__(self, frame, rect, mask):
        self.slices = []
        stride = frame.w * 4
        left = (rect.x - frame.x) * 4
        width = rect.w * 4
        for row in range(rect.y - frame.y, rect.y - frame.y + rect.h):
            start = row * stride + left
            y = row + frame.y
            if mask and mask.y <= y < mask.y + mask.h:
                a = start + (max(mask.x, rect.x) - rect.x) * 4
                b = start + (min(mask.x + mask.w, rect.x + rect.w) - rect.x) * 4
                self.slices += [(start, a), (b, start + width)]
            else:
                self.slices.append((start, start + width))

    def equal(self, image, settled):
        return all(image[a:b] == settled[a:b] for a, b in self.slices)


def blinking_rect(images, frame):
    """Bounding rectangle (screen coordinates, one pixel added round) of the
    pixels that differ between the images, or None."""
    stride = frame.w * 4
    xs, ys = [], []
    first = images[0]
    for other in images[1:]:
        if other == first:
            continue
        for row in range(frame.h):
            a, b = first[row * stride:(row + 1) * stride], other[row * stride:(row + 1) * stride]
            if a == b:
                continue
            for col in range(frame.w):
                if a[col * 4:col * 4 + 3] != b[col * 4:col * 4 + 3]:
                    xs.append(col)
                    ys.append(row)
    if not xs:
        return None
    x0, x1 = max(min(xs) - 1, 0), min(max(xs) + 1, frame.w - 1)
    y0, y1 = max(min(ys) - 1, 0), min(max(ys) + 1, frame.h - 1)
    return Rect(frame.x + x0, frame.y + y0, x1 - x0 + 1, y1 - y0 + 1)


# ----------------------------------------------------------------- runs

class Settled:
    def __init__(self, frame, client, image, mask):
        self.frame, self.client, self.image, self.mask = frame, client, image, mask
        self.whole = Target(frame, frame, mask)
        self.inside = Target(frame, client, mask)


def settle(session, screen, name, program):
    """Starts the program once, waits until it is active and quiet, and keeps
    its window's settled image and caret rectangle."""
    proc = session.launch(name, [program])
    try:
        wid = session.mapped_window(proc)
        session.wait_active(wid)
        time.sleep(1.5)
        frame = session.frame_rect(wid)
        client = session.client_rect(wid)
        images = []
        for _ in range(38):  # 1.5 s: three caret phases at the usual 0.5 s
            images.append(screen.capture(frame))
            time.sleep(0.04)
        mask = blinking_rect(images, frame)
        session.screenshot(f"settled-{name}")
        return Settled(frame, client, images[0], mask)
    finally:
        session.end(proc)


def timed_run(session, screen, name, program, settled, idle_seconds, exec_stamp):
    """One start of the program; gives a dict of its figures (times in ms from the
    moment exec_stamp execs the program)."""
    frame = settled.frame
    before = screen.capture(frame)
    stamp_file = os.path.join(session.tmp, "exec-stamp")
    if os.path.exists(stamp_file):
        os.unlink(stamp_file)
    screen.forget_damage()
    result = {"first_pixels": None, "client": None, "frame": None, "captures": [],
              "idle_cpu_ms": None, "idle_run_ms": None, "hwm_kib": None, "rss_kib": None, "startup_cpu_ms": None}
    launched = time.monotonic()
    proc = session.launch(name, [exec_stamp, stamp_file, program])
    try:
        deadline = launched + RUN_TIMEOUT
        while time.monotonic() < deadline:
            screen.wait_damage(frame, POLL_SECONDS)
            screen.subtract_damage()
            asked = time.monotonic()
            image = screen.capture(frame)
            if result["first_pixels"] is None and image != before:
                result["first_pixels"] = asked
            if result["client"] is None and settled.inside.equal(image, settled.image):
                result["client"] = asked
            if result["frame"] is None and settled.whole.equal(image, settled.image):
                result["frame"] = asked
            result["captures"].append((time.monotonic() - asked) * 1000)
            if result["client"] is not None and result["frame"] is not None:
                break
            if proc.poll() is not None:
                break
        if result["client"] is not None and proc.poll() is None:
            ticks, ran = cpu_ticks(proc.pid), run_time_ns(proc.pid)
            result["startup_cpu_ms"] = ticks * 1000 / TICKS_PER_SECOND
            time.sleep(idle_seconds)
            result["idle_cpu_ms"] = (cpu_ticks(proc.pid) - ticks) * 1000 / TICKS_PER_SECOND
            result["idle_run_ms"] = (run_time_ns(proc.pid) - ran) / 1e6
            result["hwm_kib"] = status_kib(proc.pid, "VmHWM")
            result["rss_kib"] = status_kib(proc.pid, "VmRSS")
    finally:
        session.end(proc)
    try:
        with open(stamp_file) as f:
            started = float(f.read())
    except (OSError, ValueError):
        raise RigError(f"{name}: exec_stamp left no start time") from None
    result["started_at"] = started  # CLOCK_MONOTONIC, like time.monotonic()
    for key in ("first_pixels", "client", "frame"):
        if result[key] is not None:
            result[key] = (result[key] - started) * 1000
    return result


# --------------------------------------------------- the in-process tools

def click_figures(build, clicks):
    out = subprocess.run([os.path.join(build, "bench", "click_benchmark"), str(clicks), "--figures"],
                         capture_output=True, text=True, timeout=600)
    figures = {}
    for line in out.stdout.splitlines():
        parts = line.split()
        if len(parts) == 5 and parts[0] == "figure":
            figures[parts[1]] = (float(parts[2]), float(parts[3]), int(parts[4]))
    if not figures:
        print(f"click_benchmark printed no figures:\n{out.stdout}{out.stderr}", file=sys.stderr)
    return figures


def decode_figures(build):
    out = subprocess.run([os.path.join(build, "bench", "decode_benchmark")],
                         capture_output=True, text=True, timeout=600)
    def number(label):
        m = re.search(re.escape(label) + r"\s+(-?[\d.]+) us", out.stdout)
        return float(m.group(1)) if m else None
    return {"ours": number("picture box decoder"), "djpeg": number("djpeg, decoding alone"),
            "text": out.stdout.rstrip()}


# ---------------------------------------------------------------- table

def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def spread(values, digits=0):
    values = sorted(v for v in values if v is not None)
    if not values:
        return ""
    return f"{values[0]:.{digits}f}–{values[-1]:.{digits}f}"


def fmt(value, unit, digits=1):
    return "n/a" if value is None else f"{value:.{digits}f} {unit}"


def ratio(a, b):
    return "" if a is None or b in (None, 0) else f"{a / b:.2f}"


def print_table(rows):
    widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
    for n, r in enumerate(rows):
        print("  ".join(c.ljust(widths[i]) if i == 0 else c.rjust(widths[i]) for i, c in enumerate(r)))
        if n == 0:
            print("  ".join("-" * w for w in widths))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(REPO, "build"), help="the build folder")
    parser.add_argument("--runs", type=int, default=15, help="timed starts of each program (15)")
    parser.add_argument("--idle-seconds", type=float, default=10.0, help="idle time after the first frame (10)")
    parser.add_argument("--clicks", type=int, default=200, help="clicks for the click benchmark (200)")
    parser.add_argument("--screen", default="1024x768x24", help="Xvfb screen (1024x768x24)")
    opts = parser.parse_args(argv)

    build = os.path.abspath(opts.build)
    programs = {
        "yuvovip": os.path.join(build, "yuvovip"),
        "reference": os.path.join(build, "bench", "reference_window"),
    }
    for tool in ("bench/click_benchmark", "bench/decode_benchmark", "bench/exec_stamp"):
        programs.setdefault(tool, os.path.join(build, tool))
    missing = [p for p in programs.values() if not os.access(p, os.X_OK)]
    if missing:
        sys.exit("startup_benchmark: build first (cmake --build " + opts.build + "); missing: " + ", ".join(missing))
    os.environ.setdefault("E2E_ARTIFACTS", os.path.join(build, "bench-artifacts"))

    names = ("yuvovip", "reference")
    load_before = load_average()
    results = {n: [] for n in names}
    settled = {}
    print(f"Starting each program {opts.runs} times under Xvfb {opts.screen} with openbox "
          f"({opts.idle_seconds:g} s idle each)...", flush=True)
    with Session(programs["yuvovip"], screen=opts.screen, case="startup-benchmark",
                 timeout=SESSION_TIMEOUT) as session:
        session.x("xdotool", "mousemove", "0", "0")
        screen = Screen(session.display)
        try:
            for name in names:  # also the warm-up: caches, the accessibility bus
                settled[name] = settle(session, screen, name, programs[name])
            for run in range(opts.runs):
                order = names if run % 2 == 0 else tuple(reversed(names))
                for name in order:
                    results[name].append(timed_run(session, screen, name, programs[name], settled[name],
                                                   opts.idle_seconds, programs["bench/exec_stamp"]))
                print(f"  run {run + 1}/{opts.runs}: " + ", ".join(
                    f"{n} {fmt(results[n][-1]['client'], 'ms')}" for n in names), flush=True)
        finally:
            screen.close()

    print("Clicking and decoding in process...", flush=True)
    clicks = click_figures(build, opts.clicks)
    decode = decode_figures(build)

    def col(name, key):
        return [r[key] for r in results[name]]

    rows = [("", "yuvovip", "reference", "yuvovip/ref", "yuvovip range")]

    def add(label, key, unit, scale=1.0, digits=1):
        ours = median([v * scale if v is not None else None for v in col("yuvovip", key)])
        theirs = median([v * scale if v is not None else None for v in col("reference", key)])
        values = [v * scale if v is not None else None for v in col("yuvovip", key)]
        rows.append((label, fmt(ours, unit, digits), fmt(theirs, unit, digits), ratio(ours, theirs),
                     spread(values, max(digits - 1, 0))))

    add("start → first pixels in the window's rectangle", "first_pixels", "ms")
    add("start → first complete frame, client area", "client", "ms")
    add("start → first complete frame, with decorations", "frame", "ms")
    add("CPU used up to that frame (utime+stime)", "startup_cpu_ms", "ms", digits=0)
    add("peak resident memory (VmHWM)", "hwm_kib", "MiB", 1 / 1024)
    add("resident memory when idle (VmRSS)", "rss_kib", "MiB", 1 / 1024)
    add(f"CPU used while idle for {opts.idle_seconds:g} s (utime+stime)", "idle_cpu_ms", "ms", digits=0)
    add("  the same from schedstat, every thread", "idle_run_ms", "ms", digits=2)
    for key, label in (("show", "click → message box Show"), ("paint", "click → message box first Paint")):
        ours, theirs = clicks.get(f"ours-{key}"), clicks.get(f"stock-{key}")
        for n, stat in ((0, "median"), (1, "p95")):
            a = ours[n] / 1000 if ours else None
            b = theirs[n] / 1000 if theirs else None
            rows.append((f"{label}, {stat} ({ours[2] if ours else 0} clicks, in process)",
                         fmt(a, "ms", 3), fmt(b, "ms", 3), ratio(a, b), ""))
    rows.append(("decode the appeal picture (in process; ref: djpeg)",
                 fmt(decode["ours"] and decode["ours"] / 1000, "ms", 3),
                 fmt(decode["djpeg"] and decode["djpeg"] / 1000, "ms", 3),
                 ratio(decode["ours"], decode["djpeg"]), ""))

    load_after = load_average()
    print()
    print(f"Medians of {opts.runs} starts of each program (warm caches; Xvfb {opts.screen}, openbox; "
          f"{os.cpu_count()} CPUs). Reference: {os.path.relpath(programs['reference'], build)} "
          "for the window, a stock QPushButton + QMessageBox for the click, djpeg for the decoding. "
          f"Load average before {load_before}, after {load_after}.")
    print_table(rows)
    cycles = [c for n in names for r in results[n] for c in r["captures"]]
    if cycles:
        cycles.sort()
        print(f"\nTimes count from the exec of the program. A capture and comparison took "
              f"{statistics.median(cycles):.1f} ms (median), {cycles[int(len(cycles) * 0.95)]:.1f} ms "
              f"(95th percentile) of {len(cycles)}: a frame time is late by at most the one under way.")
    for name in names:
        s = settled[name]
        failed = sum(1 for r in results[name] if r["client"] is None)
        mask = f"caret rectangle left out: {s.mask!r}" if s.mask else "no blinking caret seen"
        print(f"{name}: client {s.client!r}, frame {s.frame!r}; {mask}"
              + (f"; {failed} run(s) showed no complete frame within {RUN_TIMEOUT:g} s" if failed else ""))
    print("\n" + decode["text"])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
