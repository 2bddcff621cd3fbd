"""Window previews: resting on a button with several windows shows live thumbnails of them, and a
click on a thumbnail brings that window forward."""

import os
import subprocess
import tempfile
import unittest

from pellux_e2e import PelluxTestCase, wait_until


class Previews(PelluxTestCase):
    def popups(self, pid):
        out = self.desktop.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", ""],
                               check=False).stdout
        return [(int(w), self.desktop.geometry(int(w))) for w in out.split()
                if "_NET_WM_WINDOW_TYPE_POPUP_MENU" in self.desktop.xprop(int(w), "_NET_WM_WINDOW_TYPE")]

    def test_thumbnails_of_real_windows_and_selecting_one(self):
        self.pellux("defaults", "write", "pellux.feature.windowPreviews", "-bool", "true")
        pellux = self.start_pellux()
        first = self.desktop.spawn(["xterm", "-geometry", "80x20+40+40", "-title", "first"])
        second = self.desktop.spawn(["xterm", "-geometry", "60x15+300+150", "-title", "second", "-bg", "navy"])
        first_window = wait_until(lambda: self.desktop.windows_of_pid(first.pid), what="first xterm")[0]
        wait_until(lambda: self.desktop.windows_of_pid(second.pid), what="second xterm")
        rect = wait_until(lambda: next((i["rect"] for i in self.state()["bars"][0]["items"]
                                        if i["id"] == "debian-xterm"), None), what="the xterm button")
        self.desktop.run(["xdotool", "mousemove", str(rect["x"] + 20), str(rect["y"] + 20)])
        popup, geometry = wait_until(lambda: self.popups(pellux.pid), what="the previews")[0]
        self.assertGreater(geometry["width"], 2 * 260)

        # The thumbnails are real pictures of the windows, not blank cards.
        def colours():
            with tempfile.TemporaryDirectory() as folder:
                shot = os.path.join(folder, "previews.png")
                self.desktop.run(["import", "-window", str(popup), shot])
                return int(subprocess.run(["identify", "-format", "%k", shot], capture_output=True,
                                          text=True).stdout.strip() or 0)
        wait_until(lambda: colours() > 20, timeout=10, what="thumbnails drawn")

        # The first card, left in the strip, holds the first window.
        self.desktop.run(["xdotool", "mousemove", str(geometry["x"] + 150), str(geometry["y"] + geometry["height"] // 2),
                          "click", "1"])
        wait_until(lambda: self.desktop.active_window() == first_window, what="the first window in front")


if __name__ == "__main__":
    unittest.main()
