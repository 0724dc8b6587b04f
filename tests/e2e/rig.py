"""End-to-end rig: drives the built program on a private X display as a person would.

Run with the system interpreter (/usr/bin/python3), which has pyatspi.

A Rig starts, in this order and each in a private temporary folder:
  Xvfb (its display number read back through -displayfd),
  a private D-Bus session bus,
  openbox as window manager,
  the program itself, with the Qt accessibility bridge forced on,
and waits until the program's top-level window is mapped. Every wait has a
timeout. On leaving the `with` block, also on failure, Ctrl-C or SIGTERM, the
rig ends exactly the processes it started (and what those started in turn),
by PID, and removes its temporary folder. Artefacts (screenshots, logs) are
kept in the folder named by E2E_ARTIFACTS, or build/e2e-artifacts/<case>.

The accessibility library binds itself to the first session bus it meets for
the life of the process, so a process reads the tree of one Rig only: run
each Rig of a case through isolated(), which gives it a process of its own.

    with Rig("build/yuvovip", case="look") as rig:
        rig.wait_active()
        rig.type("gnx")
        print(rig.frame_rect(), rig.describe(rig.focused()))

A Rig can also give the program a private desktop (Desktop): the
applications it may find, the defaults chosen for types and URI schemes, and
a stand-in browser that records how it was started.

`/usr/bin/python3 tests/e2e/rig.py PROGRAM [SCREEN]` prints what the rig sees.
"""

import ctypes
import os
import pickle
import re
import select
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))

PR_SET_PDEATHSIG = 1
PR_SET_CHILD_SUBREAPER = 36

# _MOTIF_WM_HINTS bits.
MWM_HINTS_FUNCTIONS = 1 << 0
MWM_HINTS_DECORATIONS = 1 << 1
MWM_FUNC_ALL = 1 << 0
MWM_FUNCS = {
    "resize": 1 << 1,
    "move": 1 << 2,
    "minimize": 1 << 3,
    "maximize": 1 << 4,
    "close": 1 << 5,
}

_libc = ctypes.CDLL(None, use_errno=True)


class RigError(Exception):
    """The rig could not bring the session up, or a wait ran out."""


class RigFatal(RigError):
    """Raised inside a wait when waiting longer cannot help (a process the
    wait depends on has exited); the wait stops at once."""


def _die_with_parent():
    # Runs in the child between fork and exec: if the rig itself is killed
    # outright, its direct children go with it.
    _libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)


def wait_until(predicate, timeout, what, interval=0.05):
    """Polls predicate() until it returns a truthy value; returns that value.

    Raises RigError naming `what` (and the last exception, if any) on timeout.
    """
    deadline = time.monotonic() + timeout
    last_exc = None
    while True:
        try:
            value = predicate()
            if value:
                return value
            last_exc = None
        except RigFatal:
            raise
        except (RigError, subprocess.SubprocessError, OSError, ValueError) as exc:
            last_exc = exc
        except Exception as exc:  # accessibility calls raise GLib errors
            if type(exc).__name__ != "GError":
                raise
            last_exc = exc
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_exc})" if last_exc else ""
            raise RigError(f"timed out after {timeout:g} s waiting for {what}{detail}")
        time.sleep(interval)


def eventually(probe, expected, timeout, what, interval=0.05):
    """Polls probe() until it equals expected; returns the last value seen.

    Unlike wait_until this never raises on timeout: the caller compares the
    returned value and reports what it saw.
    """
    deadline = time.monotonic() + timeout
    seen = None
    while True:
        try:
            seen = probe()
        except Exception as exc:  # keep polling; report the error if it persists
            seen = f"<{what}: {type(exc).__name__}: {exc}>"
        if seen == expected or time.monotonic() >= deadline:
            return seen
        time.sleep(interval)


def _descendants(pids):
    """All live descendants of the given PIDs, read from /proc."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", "rb") as f:
                stat = f.read().decode("latin-1")
        except OSError:
            continue
        ppid = int(stat.rsplit(")", 1)[1].split()[1])
        children.setdefault(ppid, []).append(int(entry))
    found, todo = [], list(pids)
    while todo:
        pid = todo.pop()
        for child in children.get(pid, []):
            if child not in found:
                found.append(child)
                todo.append(child)
    return found


def _children_of_self():
    return set(_descendants([os.getpid()]))


def _decode_xprop_string(literal):
    """Decodes one xprop string literal body ("..." without the quotes)."""
    out = bytearray()
    i = 0
    raw = literal.encode("utf-8")
    while i < len(raw):
        c = raw[i]
        if c == 0x5C and i + 1 < len(raw):  # backslash
            nxt = raw[i + 1:i + 4]
            if re.fullmatch(rb"[0-7]{3}", nxt):
                out.append(int(nxt, 8))
                i += 4
                continue
            out.append(raw[i + 1])
            i += 2
            continue
        out.append(c)
        i += 1
    return out.decode("utf-8", errors="replace")


def isolated(fn, *args, **kwargs):
    """Runs fn(*args, **kwargs) in a forked child process and hands back its
    result, or raises the exception it raised.

    The accessibility library keeps its bus connection for the life of a
    process and cannot be pointed at another session, so every rig that
    reads the accessibility tree gets a process of its own. Use one call per
    Rig when a case needs several sessions.
    """
    r, w = os.pipe()
    sys.stdout.flush()
    sys.stderr.flush()
    pid = os.fork()
    if pid == 0:  # child
        os.close(r)
        # A parent that dies takes the run down with it, through the rig's
        # own clean-up.
        _libc.prctl(PR_SET_PDEATHSIG, signal.SIGTERM, 0, 0, 0)
        code = 0
        try:
            try:
                outcome = ("ok", fn(*args, **kwargs))
            except BaseException as exc:  # noqa: B902 - all of it goes to the parent
                code = 1
                outcome = ("error", exc, traceback.format_exc())
            try:
                data = pickle.dumps(outcome)
            except Exception:
                data = pickle.dumps(("error", RigError(outcome[-1]), outcome[-1]))
            with os.fdopen(w, "wb") as f:
                f.write(data)
            sys.stdout.flush()
            sys.stderr.flush()
        finally:
            os._exit(code)
    os.close(w)
    try:
        with os.fdopen(r, "rb") as f:
            data = f.read()
        os.waitpid(pid, 0)
    except BaseException:
        # Ctrl-C reaches the child too, which then cleans up its session:
        # give it the time for that, then end it.
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            try:
                if os.waitpid(pid, os.WNOHANG)[0]:
                    break
            except ChildProcessError:
                break
            time.sleep(0.1)
        else:
            os.kill(pid, signal.SIGKILL)
            os.waitpid(pid, 0)
        raise
    if not data:
        raise RigError("the isolated run died without reporting")
    outcome = pickle.loads(data)
    if outcome[0] == "ok":
        return outcome[1]
    exc = outcome[1]
    if not isinstance(exc, (AssertionError, RigError, KeyboardInterrupt)):
        raise RigError(f"isolated run failed:\n{outcome[2]}")
    raise exc


class Rect(tuple):
    """(x, y, width, height)."""

    def __new__(cls, x, y, w, h):
        return super().__new__(cls, (int(x), int(y), int(w), int(h)))

    x = property(lambda s: s[0])
    y = property(lambda s: s[1])
    w = property(lambda s: s[2])
    h = property(lambda s: s[3])
    center = property(lambda s: (s[0] + s[2] // 2, s[1] + s[3] // 2))

    def contains(self, x, y):
        return self[0] <= x < self[0] + self[2] and self[1] <= y < self[1] + self[3]

    def __repr__(self):
        return f"{self.w}x{self.h}+{self.x}+{self.y}"


RECORDER = """#!/bin/sh
# Stands in for a browser: appends each argument as a line to the record.
printf '%s\\n' "$@" >> {record}
"""


class Desktop:
    """A private desktop for the program, written into the rig's temporary
    folder, so that nothing of the host's desktop shows through:

      XDG_DATA_DIRS    applications/<id>.desktop for each application
      XDG_CONFIG_HOME  mimeapps.list with the default handlers
      XDG_DATA_HOME, XDG_CONFIG_DIRS   empty

    and a recorder: an executable script that appends each of its arguments
    as a line to a record file (Rig.recorded() reads it back).

      apps      {desktop id: (Exec line, [MIME types / x-scheme-handler/...
                the entry declares])}; "{recorder}" in an Exec line stands
                for the recorder's path
      defaults  {MIME type or x-scheme-handler/...: desktop id}

    Desktop() alone is a desktop where nothing is installed.
    """

    def __init__(self, apps=None, defaults=None):
        self.apps = dict(apps or {})
        self.defaults = dict(defaults or {})
        unknown = set(self.defaults.values()) - set(self.apps)
        if unknown:
            raise ValueError(f"defaults name applications not installed: {sorted(unknown)}")

    def build(self, root):
        """Writes the desktop under root. Returns (environment for the
        program, path of the record file)."""
        dirs = {name: os.path.join(root, name)
                for name in ("data-home", "data", "config-home", "config", "bin")}
        for d in dirs.values():
            os.makedirs(d)
        record = os.path.join(root, "record")
        recorder = os.path.join(dirs["bin"], "recorder")
        with open(recorder, "w") as f:
            f.write(RECORDER.format(record=shlex.quote(record)))
        os.chmod(recorder, 0o755)

        apps_dir = os.path.join(dirs["data"], "applications")
        os.makedirs(apps_dir)
        for app_id, (exec_line, types) in self.apps.items():
            lines = ["[Desktop Entry]", "Type=Application", f"Name={app_id}",
                     "Exec=" + exec_line.replace("{recorder}", recorder),
                     "Terminal=false"]
            if types:
                lines.append("MimeType=" + "".join(f"{t};" for t in types))
            with open(os.path.join(apps_dir, f"{app_id}.desktop"), "w") as f:
                f.write("\n".join(lines) + "\n")
        with open(os.path.join(dirs["config-home"], "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\n")
            for kind, app_id in self.defaults.items():
                f.write(f"{kind}={app_id}.desktop\n")

        env = {
            "XDG_DATA_HOME": dirs["data-home"],
            "XDG_DATA_DIRS": dirs["data"],
            "XDG_CONFIG_HOME": dirs["config-home"],
            "XDG_CONFIG_DIRS": dirs["config"],
        }
        return env, record


class Rig:
    """A private X session running the program under test.

    Arguments:
      program    path of the program to run
      args       its command-line arguments
      screen     Xvfb screen, "WIDTHxHEIGHTxDEPTH"
      case       name used for the default artefacts folder
      run        sub-folder of the artefacts folder for this rig, if several
                 rigs run in one case
      chars      non-ASCII characters to bind to free keycodes before start
      timeout    seconds for each start-up wait
      env        extra environment for the program
      desktop    a Desktop to give the program instead of the host's
    """

    # Accessibility is initialised once per Python process and stays tied to
    # the bus it first connected to; remember which one that was.
    _atspi_bus = None

    def __init__(self, program, args=(), screen="1024x768x24", case="adhoc",
                 run=None, chars="", timeout=20.0, env=None, desktop=None):
        self.program = os.path.abspath(program)
        self.args = list(args)
        self.screen = screen
        parts = screen.split("x")
        self.screen_width, self.screen_height = int(parts[0]), int(parts[1])
        self.case = case
        self.timeout = timeout
        self.extra_env = dict(env or {})
        self.private_desktop = desktop
        self.record = None        # the desktop recorder's record file
        self.initial_chars = chars
        self.artifacts = os.environ.get("E2E_ARTIFACTS") or os.path.join(
            REPO, "build", "e2e-artifacts", case)
        if run:  # several rigs in one case keep their artefacts apart
            self.artifacts = os.path.join(self.artifacts, run)
        self.tmp = None
        self.display = None
        self.env = None
        self.proc = None          # the program
        self.window = None        # its top-level client window id
        self._started = []        # (name, Popen) in start order
        self._logs = []
        self._children_before = set()
        self._saved_environ = {}
        self._old_handlers = {}
        self._bound = {}          # character -> keysym name bound with xmodmap
        self._shots = 0

    # ----------------------------------------------------------- life cycle

    def __enter__(self):
        self._old_handlers = {
            signal.SIGTERM: signal.signal(signal.SIGTERM, self._on_signal),
            signal.SIGHUP: signal.signal(signal.SIGHUP, self._on_signal),
        }
        try:
            self.start()
        except BaseException:
            self._teardown(failed=True)
            raise
        return self

    def __exit__(self, exc_type, exc, tb):
        self._teardown(failed=exc_type is not None)
        return False

    @staticmethod
    def _on_signal(signum, frame):
        # Turn SIGTERM/SIGHUP into an exception so that __exit__ cleans up.
        raise KeyboardInterrupt(f"signal {signum}")

    def start(self):
        _libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
        self._children_before = _children_of_self()
        self._clear_artifacts()
        self.tmp = tempfile.mkdtemp(prefix="yuvovip-e2e-")
        runtime = os.path.join(self.tmp, "runtime")
        home = os.path.join(self.tmp, "home")
        os.makedirs(runtime, mode=0o700)
        os.makedirs(home)

        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "WAYLAND_", "XDG_", "DBUS_", "AT_SPI",
                                    "GTK_", "SESSION_MANAGER"))
               and k not in ("DISPLAY", "XAUTHORITY", "NO_AT_BRIDGE", "GNOME_ACCESSIBILITY")}
        env.update({
            "HOME": home,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
        })
        env.pop("LANGUAGE", None)
        self.env = env

        self._start_xvfb()
        self._start_dbus()
        self._start_openbox()
        if self.initial_chars:
            self.bind_chars(self.initial_chars)
        self._start_program()

    LOGS = ("xvfb", "dbus", "openbox", "program")
    RECORD_COPY = "recorded.txt"

    def _clear_artifacts(self):
        """Removes what an earlier run left in the artefacts folder (only the
        files the rig itself names), so that what is there is from this run."""
        os.makedirs(self.artifacts, exist_ok=True)
        for entry in os.listdir(self.artifacts):
            if re.fullmatch(r"\d\d-[\w.-]+\.png", entry) or \
                    entry in {f"{n}.log" for n in self.LOGS} | {self.RECORD_COPY}:
                os.unlink(os.path.join(self.artifacts, entry))

    def _log(self, name):
        f = open(os.path.join(self.artifacts, f"{name}.log"), "wb")
        self._logs.append(f)
        return f

    def _spawn(self, name, argv, env=None, **kw):
        kw.setdefault("stdout", self._log(name))
        kw.setdefault("stderr", subprocess.STDOUT)
        proc = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL,
                                start_new_session=True, preexec_fn=_die_with_parent,
                                **kw)
        self._started.append((name, proc))
        return proc

    def _read_line(self, fd, proc, what):
        """Reads one line from fd, giving up after the start-up timeout."""
        deadline = time.monotonic() + self.timeout
        buf = b""
        while b"\n" not in buf:
            left = deadline - time.monotonic()
            if left <= 0:
                raise RigError(f"timed out waiting for {what}")
            ready, _, _ = select.select([fd], [], [], min(left, 0.2))
            if ready:
                chunk = os.read(fd, 4096)
                if not chunk:
                    break
                buf += chunk
            elif proc.poll() is not None:
                raise RigError(f"{what}: process exited with status {proc.returncode}")
        if b"\n" not in buf:
            raise RigError(f"{what}: no output")
        return buf.split(b"\n", 1)[0].decode().strip()

    def _start_xvfb(self):
        r, w = os.pipe()
        try:
            proc = self._spawn("xvfb", [
                "Xvfb", "-displayfd", str(w), "-screen", "0", self.screen,
                "-nolisten", "tcp", "-noreset", "+extension", "RANDR",
            ], pass_fds=(w,))
            os.close(w)
            w = None
            number = self._read_line(r, proc, "Xvfb's display number")
        finally:
            if w is not None:
                os.close(w)
            os.close(r)
        self.display = f":{number}"
        self.env["DISPLAY"] = self.display

    def _start_dbus(self):
        proc = self._spawn("dbus", ["dbus-daemon", "--session", "--nofork",
                                    "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=self._log("dbus"))
        address = self._read_line(proc.stdout.fileno(), proc, "the session bus address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_openbox(self):
        proc = self._spawn("openbox", ["openbox", "--sm-disable"])

        def ready():
            if proc.poll() is not None:
                raise RigFatal(f"openbox exited with status {proc.returncode}")
            check = self.root_property("_NET_SUPPORTING_WM_CHECK")
            if not check:
                return False
            wid = int(check.split()[-1], 16)
            # The check window names itself and points at itself once set up.
            return self.property(wid, "_NET_SUPPORTING_WM_CHECK") is not None

        wait_until(ready, self.timeout, "openbox to manage the screen")
        # The first synthetic key event switches the core keyboard over to
        # the XTEST device, which sends every client a MappingNotify; openbox
        # answers that by dropping and re-taking its key grabs, and a key
        # combination arriving in between (Alt+F4) slips past it to the
        # program. Make that switch now, before the program exists: openbox
        # handles its events in order, so by the time it has mapped the
        # program's window its grabs are back in place.
        self.key("shift")

    def _start_program(self):
        env = dict(self.env)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        if self.private_desktop is not None:
            root = os.path.join(self.tmp, "desktop")
            desktop_env, self.record = self.private_desktop.build(root)
            env.update(desktop_env)
        env.update(self.extra_env)
        self.proc = self._spawn("program", [self.program] + self.args, env=env)

        def mapped():
            if self.proc.poll() is not None:
                raise RigFatal(f"the program exited with status {self.proc.returncode} "
                               "before showing a window")
            wins = self.windows_by_pid(self.proc.pid)
            for wid in wins:
                if self.window_info(wid).get("Map State") == "IsViewable":
                    return wid
            return None

        self.window = wait_until(mapped, self.timeout, "the program's top-level window to be mapped")

    def _teardown(self, failed):
        # Clean-up runs to its end: a second Ctrl-C or SIGTERM waits.
        held = {sig: signal.signal(sig, signal.SIG_IGN)
                for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP)}
        try:
            self._clean_up(failed)
        finally:
            for sig, handler in held.items():
                signal.signal(sig, handler)
            for sig, handler in self._old_handlers.items():
                signal.signal(sig, handler)
            self._old_handlers = {}

    def _clean_up(self, failed):
        if failed and self.display:
            try:
                self.screenshot("failure")
            except Exception:
                pass
        self._kill_all()
        if self.record and os.path.exists(self.record):
            shutil.copyfile(self.record, os.path.join(self.artifacts, self.RECORD_COPY))
        for f in self._logs:
            try:
                f.close()
            except OSError:
                pass
        for k, v in self._saved_environ.items():
            if v is None:
                os.environ.pop(k, None)
            else:
                os.environ[k] = v
        self._saved_environ = {}
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    def _our_pids(self):
        """Live PIDs the rig is responsible for: what it started, their
        descendants, and orphans of those that were re-parented to the rig."""
        started = [p.pid for _, p in self._started if p.poll() is None]
        pids = started + _descendants([p.pid for _, p in self._started])
        adopted = _children_of_self() - self._children_before
        for pid in adopted:
            if pid not in pids:
                pids.append(pid)
        return pids

    def _kill_all(self):
        # Program first, then openbox, the bus and the display server last.
        for sig, grace in ((signal.SIGTERM, 3.0), (signal.SIGKILL, 3.0)):
            pids = self._our_pids()
            ordered = [p.pid for _, p in reversed(self._started)]
            pids.sort(key=lambda pid: ordered.index(pid) if pid in ordered else -1)
            if not pids:
                break
            for pid in pids:
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + grace
            while time.monotonic() < deadline:
                self._reap()
                if not any(self._alive(pid) for pid in pids):
                    break
                time.sleep(0.05)
        self._reap()

    @staticmethod
    def _alive(pid):
        try:
            with open(f"/proc/{pid}/stat", "rb") as f:
                state = f.read().decode("latin-1").rsplit(")", 1)[1].split()[0]
            return state != "Z"
        except OSError:
            return False

    def _reap(self):
        for _, p in self._started:
            p.poll()
        while True:  # orphans adopted through the subreaper flag
            try:
                pid, _ = os.waitpid(-1, os.WNOHANG)
            except ChildProcessError:
                return
            if pid == 0:
                return

    # ------------------------------------------------------------ X helpers

    def x(self, *argv, check=True, timeout=10):
        """Runs an X client tool against the rig's display; returns stdout."""
        res = subprocess.run(list(argv), env=self.env, stdin=subprocess.DEVNULL,
                             capture_output=True, timeout=timeout)
        if check and res.returncode != 0:
            raise RigError(f"{' '.join(argv)} failed ({res.returncode}): "
                           f"{res.stderr.decode(errors='replace').strip()}")
        return res.stdout.decode("utf-8", errors="replace")

    def _xprop_value(self, out, name):
        for line in out.splitlines():
            if line.startswith(name):
                rest = line[len(name):]
                if "not found" in rest or "no such atom" in rest:
                    return None
                m = re.match(r"\s*(?:\([^)]*\))?\s*[=:]\s?(.*)$", rest)
                if m:
                    return m.group(1)
        return None

    def property(self, wid, name):
        """The raw xprop value text of a window property, or None if unset."""
        out = self.x("xprop", "-id", hex(wid), "-notype", name, check=False)
        return self._xprop_value(out, name)

    def root_property(self, name):
        out = self.x("xprop", "-root", "-notype", name, check=False)
        return self._xprop_value(out, name)

    def cardinals(self, wid, name):
        """A CARDINAL/INTEGER/WINDOW list property as ints, or None if unset."""
        raw = self.property(wid, name)
        if raw is None:
            return None
        return [int(v, 0) for v in re.findall(r"0x[0-9a-fA-F]+|-?\d+", raw)]

    def utf8_property(self, wid, name):
        raw = self.property(wid, name)
        if raw is None:
            return None
        m = re.match(r'\s*"(.*)"\s*$', raw)
        if not m:
            raise RigError(f"unexpected {name} value: {raw!r}")
        return _decode_xprop_string(m.group(1))

    def wm_name(self, wid=None):
        return self.utf8_property(wid or self.window, "_NET_WM_NAME")

    def motif_hints(self, wid=None):
        """(flags, functions, decorations, input_mode, status) or None."""
        return self.cardinals(wid or self.window, "_MOTIF_WM_HINTS")

    def motif_functions(self, wid=None):
        """The set of window-manager functions the window asks for, by name,
        or None if it does not restrict them."""
        hints = self.motif_hints(wid)
        if not hints or not hints[0] & MWM_HINTS_FUNCTIONS:
            return None
        funcs = hints[1]
        names = {n for n, bit in MWM_FUNCS.items() if funcs & bit}
        if funcs & MWM_FUNC_ALL:  # "all except the listed ones"
            names = set(MWM_FUNCS) - names
        return names

    def icon_sizes(self, wid=None):
        """[(width, height), ...] of the images in _NET_WM_ICON."""
        out = self.x("xprop", "-id", hex(wid or self.window), "-notype",
                     "-f", "_NET_WM_ICON", "32c", " = $0+", "_NET_WM_ICON", check=False)
        raw = self._xprop_value(out, "_NET_WM_ICON")
        if raw is None:
            return []
        values = [int(v, 0) for v in re.findall(r"0x[0-9a-fA-F]+|\d+", raw)]
        sizes, i = [], 0
        while i + 1 < len(values):
            w, h = values[i], values[i + 1]
            sizes.append((w, h))
            i += 2 + w * h
        if i != len(values):
            raise RigError(f"_NET_WM_ICON is malformed ({len(values)} values)")
        return sizes

    def window_info(self, wid):
        """xwininfo's fields for a window, as a dict of strings."""
        out = self.x("xwininfo", "-id", hex(wid))
        info = {}
        for line in out.splitlines():
            if ":" in line:
                k, v = line.split(":", 1)
                info[k.strip()] = v.strip()
        return info

    def client_rect(self, wid=None):
        """The client window's absolute geometry on the screen."""
        info = self.window_info(wid or self.window)
        return Rect(info["Absolute upper-left X"], info["Absolute upper-left Y"],
                    info["Width"], info["Height"])

    def frame_extents(self, wid=None):
        """(left, right, top, bottom) of the window manager's frame."""
        ext = self.cardinals(wid or self.window, "_NET_FRAME_EXTENTS")
        if ext is None or len(ext) != 4:
            raise RigError(f"_NET_FRAME_EXTENTS not set on {hex(wid or self.window)}")
        return tuple(ext)

    def frame_rect(self, wid=None):
        """The outer rectangle of the window, frame included.

        (`xdotool getwindowgeometry` reports the wrong place once a window
        manager has reparented the window, so this reads xwininfo.)"""
        c = self.client_rect(wid)
        left, right, top, bottom = self.frame_extents(wid)
        return Rect(c.x - left, c.y - top, c.w + left + right, c.h + top + bottom)

    def client_windows(self):
        """Top-level windows the window manager manages."""
        raw = self.root_property("_NET_CLIENT_LIST") or ""
        return [int(v, 16) for v in re.findall(r"0x[0-9a-fA-F]+", raw)]

    def windows_by_pid(self, pid):
        """Managed top-level windows whose _NET_WM_PID is pid."""
        found = []
        for wid in self.client_windows():
            pids = self.cardinals(wid, "_NET_WM_PID")
            if pids and pids[0] == pid:
                found.append(wid)
        return found

    def windows_by_title(self, title):
        return [wid for wid in self.client_windows() if self.wm_name(wid) == title]

    def active_window(self):
        raw = self.root_property("_NET_ACTIVE_WINDOW")
        ids = re.findall(r"0x[0-9a-fA-F]+", raw or "")
        return int(ids[0], 16) if ids else None

    def wait_active(self, wid=None, timeout=None):
        """Waits until the window manager has made the window active, which is
        when a person would see it focused and start typing."""
        wid = wid or self.window
        wait_until(lambda: self.active_window() == wid, timeout or self.timeout,
                   f"window {hex(wid)} to become active")

    # ------------------------------------------------------------- keyboard

    def key(self, *keys, delay=50):
        """Presses key combinations, e.g. key("Tab"), key("shift+Tab")."""
        self.x("xdotool", "key", "--delay", str(delay), *keys)

    def type(self, text, delay=50):
        """Types text. ASCII goes through `xdotool type`; any other character
        is first bound to a free keycode (bind_chars) and then pressed."""
        ascii_run = ""
        for ch in text:
            if ord(ch) < 128:
                ascii_run += ch
                continue
            if ascii_run:
                self.x("xdotool", "type", "--delay", str(delay), ascii_run)
                ascii_run = ""
            if ch not in self._bound:
                self.bind_chars(ch)
            self.key(self._bound[ch], delay=delay)
        if ascii_run:
            self.x("xdotool", "type", "--delay", str(delay), ascii_run)

    def bind_chars(self, chars):
        """Binds each non-ASCII character to a free keycode with xmodmap, so
        that pressing that keycode produces the character.

        A keymap change makes openbox drop and re-take its key grabs, so a
        window-manager key pressed right after may reach the program instead:
        pass the characters as Rig(chars=...) to bind them before start."""
        need = [c for c in dict.fromkeys(chars) if ord(c) >= 128 and c not in self._bound]
        if not need:
            return
        free = []
        for line in self.x("xmodmap", "-pke").splitlines():
            m = re.match(r"keycode\s+(\d+)\s*=\s*$", line)
            if m:
                free.append(int(m.group(1)))
        free.sort(reverse=True)
        if len(free) < len(need):
            raise RigError(f"only {len(free)} free keycodes for {len(need)} characters")
        exprs = []
        for ch in need:
            keysym = f"U{ord(ch):04X}"
            code = free.pop(0)
            exprs += ["-e", f"keycode {code} = {keysym} {keysym}"]
            self._bound[ch] = keysym
        self.x("xmodmap", *exprs)

    # ---------------------------------------------------------------- mouse

    def click(self, x, y, button=1, repeat=1, delay=100):
        """Moves the pointer to a screen position and clicks there, `repeat`
        times `delay` ms apart (repeat=2 is a double-click).

        (No --sync: xdotool then waits for the pointer to move, forever if it
        is already there. The server handles the synthetic motion and the
        click in order, so the click lands at the new position anyway.)"""
        several = ["--repeat", str(repeat), "--delay", str(delay)] if repeat > 1 else []
        self.x("xdotool", "mousemove", str(x), str(y), "click", *several, str(button))

    def move(self, x, y):
        """Moves the pointer to a screen position."""
        self.x("xdotool", "mousemove", str(x), str(y))

    def press(self, x, y, button=1):
        """Moves the pointer to a screen position and presses a button there,
        holding it down until release()."""
        self.x("xdotool", "mousemove", str(x), str(y), "mousedown", str(button))

    def release(self, button=1):
        self.x("xdotool", "mouseup", str(button))

    # ---------------------------------------------------------- screenshots

    def screenshot(self, name):
        """Saves the whole screen as a PNG in the artefacts folder."""
        self._shots += 1
        path = os.path.join(self.artifacts, f"{self._shots:02d}-{name}.png")
        self.x("import", "-display", self.display, "-window", "root", path, timeout=20)
        return path

    def pixels(self, rect, path=None):
        """The (r, g, b) pixels of a screen rectangle, row by row: from a
        saved screenshot, or straight from the screen when path is None."""
        crop = f"{rect.w}x{rect.h}+{rect.x}+{rect.y}"
        if path is None:
            argv = ["import", "-display", self.display, "-window", "root",
                    "-crop", crop, "+repage", "-depth", "8", "rgb:-"]
        else:
            argv = ["convert", path, "-crop", crop, "+repage", "-depth", "8", "rgb:-"]
        res = subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL,
                             capture_output=True, timeout=20)
        raw = res.stdout
        if res.returncode != 0 or len(raw) != 3 * rect.w * rect.h:
            raise RigError(f"{' '.join(argv)} gave {len(raw)} bytes, status "
                           f"{res.returncode}: {res.stderr.decode(errors='replace').strip()}")
        return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]

    # --------------------------------------------------------- the program

    def recorded(self):
        """The lines the desktop's recorder has written so far ([] when it
        has not run)."""
        if self.record is None:
            raise RigError("the rig was started without a Desktop")
        try:
            with open(self.record, encoding="utf-8", errors="replace") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def wait_exit(self, timeout=10.0):
        """Waits for the program to end; returns its exit status (negative:
        killed by that signal). Raises RigError if it is still running."""
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise RigError(f"the program was still running after {timeout:g} s") from None

    def lose_display(self):
        """Ends the X server under the running program, as when a session dies."""
        for name, proc in self._started:
            if name == "xvfb":
                proc.kill()
                proc.wait(timeout=10)

    def wm_close(self, wid=None):
        """Asks the window manager to close the window (_NET_CLOSE_WINDOW)."""
        self.x("wmctrl", "-i", "-c", hex(wid or self.window))

    def client_to_screen(self, x, y, inset=0):
        """Screen position of a point given in client-window coordinates."""
        c = self.client_rect()
        return c.x + inset + x, c.y + inset + y

    # -------------------------------------------------------- accessibility

    def atspi(self):
        """The Atspi module, connected to this rig's session."""
        if Rig._atspi_bus is None:
            for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR",
                      "AT_SPI_BUS_ADDRESS"):
                self._saved_environ.setdefault(k, os.environ.get(k))
                if k in self.env:
                    os.environ[k] = self.env[k]
                else:
                    os.environ.pop(k, None)
            import gi
            gi.require_version("Atspi", "2.0")
            import pyatspi  # noqa: F401  (sets up the registry wrappers)
            from gi.repository import Atspi
            Atspi.init()
            Atspi.set_timeout(3000, 10000)
            Rig._atspi_bus = self.env["DBUS_SESSION_BUS_ADDRESS"]
        elif Rig._atspi_bus != self.env["DBUS_SESSION_BUS_ADDRESS"]:
            raise RigError("accessibility can only be used by one Rig per process")
        from gi.repository import Atspi
        return Atspi

    def desktop(self):
        import pyatspi
        self.atspi()
        d = pyatspi.Registry.getDesktop(0)
        d.clear_cache()
        return d

    def application(self, timeout=None):
        """The program's accessible application object (waits for it)."""
        pid = self.proc.pid

        def find():
            d = self.desktop()
            for i in range(d.get_child_count()):
                app = d.get_child_at_index(i)
                if app is None:
                    continue
                app.clear_cache()
                if app.get_process_id() == pid:
                    return app
            return None

        return wait_until(find, timeout or self.timeout,
                          "the program on the accessibility bus")

    def frames(self, app=None):
        """The application's top-level objects (one per top-level window;
        the role depends on the widget: frame, dialog, filler...)."""
        return self.children(app or self.application())

    @staticmethod
    def children(obj):
        obj.clear_cache()
        out = []
        for i in range(obj.get_child_count()):
            c = obj.get_child_at_index(i)
            if c is not None:
                out.append(c)
        return out

    def walk(self, obj=None):
        """Every accessible object under obj (the application by default)."""
        root = obj or self.application()
        todo, out = [root], []
        while todo:
            o = todo.pop(0)
            out.append(o)
            todo.extend(self.children(o))
        return out

    def focused(self):
        """The object with keyboard focus, or None."""
        Atspi = self.atspi()
        for o in self.walk():
            if o.get_state_set().contains(Atspi.StateType.FOCUSED):
                return o
        return None

    def extents(self, obj):
        Atspi = self.atspi()
        r = obj.get_extents(Atspi.CoordType.SCREEN)
        return Rect(r.x, r.y, r.width, r.height)

    def text(self, obj):
        """The text of an object with the Text interface, else None."""
        Atspi = self.atspi()
        if "Text" not in obj.get_interfaces():
            return None
        return Atspi.Text.get_text(obj, 0, Atspi.Text.get_character_count(obj))

    def spoken(self, obj):
        """What a screen reader reads out for an object: its text if it has
        the Text interface, else its accessible name (as for labels)."""
        text = self.text(obj)
        return obj.get_name() if text is None else text

    def has_state(self, obj, state):
        """Whether obj is in the named state, e.g. "showing", "focused"."""
        Atspi = self.atspi()
        value = getattr(Atspi.StateType, state.upper().replace("-", "_"))
        return obj.get_state_set().contains(value)

    def describe(self, obj):
        """role, name, screen extents: for messages."""
        if obj is None:
            return "nothing"
        return f"{obj.get_role_name()} {obj.get_name()!r} at {self.extents(obj)!r}"

    def find(self, role=None, rect=None, name=None):
        """Accessible objects matching the given role, screen rect and name."""
        out = []
        for o in self.walk():
            if role is not None and o.get_role_name() != role:
                continue
            if name is not None and o.get_name() != name:
                continue
            if rect is not None and self.extents(o) != rect:
                continue
            out.append(o)
        return out


if __name__ == "__main__":
    # Manual look: python3 rig.py PROGRAM [SCREEN]; prints what the rig sees.
    prog = sys.argv[1]
    scr = sys.argv[2] if len(sys.argv) > 2 else "1024x768x24"
    with Rig(prog, screen=scr, case="manual") as rig:
        print("display", rig.display, "window", hex(rig.window))
        print("title", rig.wm_name())
        print("client", rig.client_rect(), "extents", rig.frame_extents(),
              "frame", rig.frame_rect())
        print("motif", rig.motif_hints(), rig.motif_functions())
        print("icons", rig.icon_sizes())
        for o in rig.walk():
            print("  ", rig.describe(o), repr(o.get_description()), repr(rig.text(o)))
        print("focused", rig.describe(rig.focused()))
        print("shot", rig.screenshot("manual"))
