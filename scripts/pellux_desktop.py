"""A private X desktop for running Pellux: Xvfb, openbox, a session bus and XDG folders of its own.

Used by the demo (scripts/run.sh) and the end-to-end tests. Every process started here is ended
here, by PID; nothing else on the machine is touched.
"""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time


class DesktopError(RuntimeError):
    pass


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls predicate until it returns something truthy; returns that value."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        last = predicate()
        if last:
            return last
        time.sleep(interval)
    raise DesktopError(f"timed out after {timeout}s waiting for {what} (last: {last!r})")


class Desktop:
    def __init__(self, width=1280, height=800, window_manager="openbox", compositor=False, workdir=None):
        self.width = width
        self.height = height
        self.window_manager = window_manager
        self.compositor = compositor
        self._own_workdir = workdir is None
        self.workdir = workdir or tempfile.mkdtemp(prefix="pellux-desktop-")
        self.env = None
        self.display = None
        self._processes = []  # (name, Popen), in start order

    # --- lifecycle -------------------------------------------------------------------------
    def start(self):
        try:
            self._make_xdg_folders()
            self._start_xvfb()
            self._start_session_bus()
            if self.window_manager:
                self._start_window_manager()
            if self.compositor:
                self.spawn(["picom", "--backend", "xrender", "--no-fading-openclose"], name="picom")
                wait_until(lambda: self._selection_owned("_NET_WM_CM_S0"), what="picom")
        except Exception:
            self.stop()
            raise
        return self

    def stop(self):
        for name, process in reversed(self._processes):
            self._end(process)
        self._processes.clear()
        if self._own_workdir:
            shutil.rmtree(self.workdir, ignore_errors=True)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    # --- processes -------------------------------------------------------------------------
    def spawn(self, argv, name=None, env=None, **popen_args):
        process_env = dict(self.env)
        if env:
            process_env.update(env)
        popen_args.setdefault("stdout", subprocess.DEVNULL)
        popen_args.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(argv, env=process_env, start_new_session=True, **popen_args)
        self._processes.append((name or argv[0], process))
        return process

    def end(self, process, timeout=5.0):
        self._end(process, timeout)
        self._processes = [(n, p) for n, p in self._processes if p is not process]

    @staticmethod
    def _end(process, timeout=5.0):
        if process.stdout:
            process.stdout.close()
        if process.poll() is not None:
            return
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()

    def run(self, argv, check=True, timeout=20, input=None):
        """Runs a short command in the desktop's environment and returns its stdout."""
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout, input=input)
        if check and result.returncode != 0:
            raise DesktopError(f"{' '.join(argv)} exited {result.returncode}: {result.stderr.strip()}")
        return result

    # --- X queries -------------------------------------------------------------------------
    def xprop(self, window, *props):
        return self.run(["xprop", "-id", str(window), *props], check=False).stdout

    def root_prop(self, prop):
        return self.run(["xprop", "-root", prop], check=False).stdout

    def active_window(self):
        out = self.root_prop("_NET_ACTIVE_WINDOW")
        try:
            return int(out.split()[-1], 16)
        except (ValueError, IndexError):
            return 0

    def windows_of_pid(self, pid):
        out = self.run(["xdotool", "search", "--all", "--pid", str(pid), "--onlyvisible", "--name", ""],
                       check=False).stdout
        return [int(w) for w in out.split()]

    def geometry(self, window):
        out = self.run(["xwininfo", "-id", str(window)], check=False).stdout
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key, label in (("x", "Absolute upper-left X:"), ("y", "Absolute upper-left Y:"),
                               ("width", "Width:"), ("height", "Height:")):
                if line.startswith(label):
                    values[key] = int(line.split(":")[1])
            if line.startswith("Map State:"):
                values["map_state"] = line.split(":")[1].strip()
        return values

    def set_monitors(self, monitors):
        """monitors: list of (name, width, height, x, y). Replaces the current monitor layout; the first
        monitor takes over the real output, so no monitor of the whole screen is left behind."""
        listed = self.run(["xrandr", "--listmonitors"], check=False).stdout.splitlines()[1:]
        for line in listed:
            self.run(["xrandr", "--delmonitor", line.split()[1].lstrip("+*")], check=False)
        outputs = [line.split()[0] for line in self.run(["xrandr", "--query"]).stdout.splitlines()
                   if " connected" in line]
        for index, (name, width, height, x, y) in enumerate(monitors):
            output = outputs[0] if index == 0 and outputs else "none"
            self.run(["xrandr", "--setmonitor", name, f"{width}/{width}x{height}/{height}+{x}+{y}", output])

    def screenshot(self, path):
        self.run(["import", "-window", "root", path], timeout=30)
        return path

    def xdg_path(self, kind, *parts):
        return os.path.join(self.workdir, kind, *parts)

    # --- Pellux ----------------------------------------------------------------------------
    def pellux(self, binary, *args, check=True, timeout=20):
        return self.run([binary, *args], check=check, timeout=timeout)

    def pellux_state(self, binary):
        return json.loads(self.pellux(binary, "state").stdout)

    def start_pellux(self, binary, log_path=None, wait=True):
        log = open(log_path or os.path.join(self.workdir, "pellux.log"), "ab")
        process = self.spawn([binary], name="pellux", stdout=log, stderr=subprocess.STDOUT)
        log.close()
        if wait:
            wait_until(lambda: process.poll() is not None or self._pellux_ready(binary), timeout=20,
                       what="Pellux to show its bars")
            if process.poll() is not None:
                raise DesktopError(f"pellux exited with {process.returncode}")
        return process

    def _pellux_ready(self, binary):
        result = self.run([binary, "state"], check=False)
        if result.returncode != 0:
            return False
        bars = json.loads(result.stdout).get("bars", [])
        return bars and all(bar.get("visible") for bar in bars)

    # --- setup -----------------------------------------------------------------------------
    def _make_xdg_folders(self):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("XDG_", "DBUS_", "WAYLAND_"))}
        for kind in ("config", "cache", "data", "runtime", "home"):
            os.makedirs(os.path.join(self.workdir, kind), mode=0o700, exist_ok=True)
        env.update({
            "XDG_CONFIG_HOME": self.xdg_path("config"),
            "XDG_CACHE_HOME": self.xdg_path("cache"),
            "XDG_DATA_HOME": self.xdg_path("data"),
            "XDG_RUNTIME_DIR": self.xdg_path("runtime"),
            "HOME": self.xdg_path("home"),
            "XDG_CURRENT_DESKTOP": "openbox",
            "QT_QPA_PLATFORM": "xcb",
            "LANG": env.get("LANG", "C.UTF-8"),
        })
        env.pop("DISPLAY", None)
        self.env = env

    def _start_xvfb(self):
        read_fd, write_fd = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{self.width}x{self.height}x24",
                    "-nolisten", "tcp", "-noreset", "+extension", "RANDR", "+extension", "Composite", "-ac"],
                   name="Xvfb", pass_fds=(write_fd,))
        os.close(write_fd)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            raise DesktopError("Xvfb did not report a display number")
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display
        wait_until(lambda: self.run(["xdpyinfo"], check=False).returncode == 0, what="Xvfb")

    def _start_session_bus(self):
        process = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], name="dbus-daemon",
                             stdout=subprocess.PIPE)
        address = process.stdout.readline().decode().strip()
        if not address:
            raise DesktopError("dbus-daemon did not print its address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_window_manager(self):
        log = open(os.path.join(self.workdir, f"{self.window_manager}.log"), "ab")
        self.spawn([self.window_manager], name=self.window_manager, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.root_prop("_NET_SUPPORTING_WM_CHECK"),
                   what=self.window_manager)

    def _selection_owned(self, selection):
        # xprop cannot ask for selection owners; xdotool neither. Ask Python's own X client.
        out = self.run(["/usr/bin/python3", "-c",
                        "import sys,ctypes,ctypes.util;"
                        "x=ctypes.cdll.LoadLibrary(ctypes.util.find_library('X11'));"
                        "x.XOpenDisplay.restype=ctypes.c_void_p;"
                        "d=x.XOpenDisplay(None);"
                        "x.XInternAtom.argtypes=[ctypes.c_void_p,ctypes.c_char_p,ctypes.c_int];"
                        "x.XGetSelectionOwner.argtypes=[ctypes.c_void_p,ctypes.c_ulong];"
                        f"a=x.XInternAtom(d,b'{selection}',0);"
                        "print(x.XGetSelectionOwner(d,a))"], check=False).stdout.strip()
        return out not in ("", "0")
