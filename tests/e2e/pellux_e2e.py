"""Shared set-up for the end-to-end stories: the built binary and a fresh private desktop per test."""

import os
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))

from pellux_desktop import Desktop, DesktopError, wait_until  # noqa: E402,F401

PELLUX = os.environ.get("PELLUX_BINARY") or os.path.join(os.path.dirname(__file__), "..", "..", "build", "pellux")


class PelluxTestCase(unittest.TestCase):
    screen_size = (1280, 800)
    compositor = False

    def setUp(self):
        self.desktop = Desktop(*self.screen_size, compositor=self.compositor).start()
        self.addCleanup(self.desktop.stop)

    def pellux(self, *args, check=True):
        return self.desktop.pellux(PELLUX, *args, check=check)

    def defaults_write(self, key, kind, *values):
        self.pellux("defaults", "write", key, kind, *values)

    def start_pellux(self):
        return self.desktop.start_pellux(PELLUX)

    def state(self):
        return self.desktop.pellux_state(PELLUX)

    def log(self):
        with open(os.path.join(self.desktop.workdir, "pellux.log"), encoding="utf-8", errors="replace") as f:
            return f.read()

    def start_client(self, *args):
        """Our own X client (x_client.py); returns (process, window id)."""
        client = self.desktop.spawn(["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "x_client.py"), *args],
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        line = client.stdout.readline().decode().strip()
        if not line:
            raise DesktopError(f"x_client.py {' '.join(args)} showed no window")
        return client, int(line, 16)

    def write_desktop_entry(self, file_id, **keys):
        """A desktop entry in the desktop's own $XDG_DATA_HOME/applications; file_id may hold '/'."""
        path = self.desktop.xdg_path("data", "applications", file_id)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        lines = ["[Desktop Entry]", "Type=Application"] + [f"{k}={v}" for k, v in keys.items()]
        with open(path, "w") as f:
            f.write("\n".join(lines) + "\n")
        return path

    def running(self):
        return {app["id"]: app for app in self.state()["running"]}

    def dock_windows(self, pid):
        """Pellux's mapped dock windows: id, geometry and reserved edge."""
        out = self.desktop.run(["xdotool", "search", "--all", "--pid", str(pid), "--name", ""], check=False).stdout
        docks = []
        for window in (int(w) for w in out.split()):
            props = self.desktop.xprop(window, "_NET_WM_WINDOW_TYPE", "_NET_WM_STRUT_PARTIAL")
            if "_NET_WM_WINDOW_TYPE_DOCK" not in props:
                continue
            geometry = self.desktop.geometry(window)
            if geometry.get("map_state") != "IsViewable":
                continue
            match = re.search(r"_NET_WM_STRUT_PARTIAL\(CARDINAL\) = ([\d, ]+)", props)
            strut = [int(v) for v in match.group(1).split(",")] if match else None
            docks.append({"id": window, "x": geometry["x"], "y": geometry["y"], "width": geometry["width"],
                          "height": geometry["height"], "strut": strut})
        return sorted(docks, key=lambda d: (d["x"], d["y"]))
