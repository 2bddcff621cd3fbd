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
        second_window = wait_until(lambda: self.desktop.windows_of_pid(second.pid), what="second xterm")[0]
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

        # Cards go in window order. A click on the card of the window behind brings it forward (a click
        # on the front window's card would minimize it); a middle click on the other card closes that one.
        cards = sorted([(first_window, first), (second_window, second)])
        behind = 0 if self.desktop.active_window() != cards[0][0] else 1
        centre_y = geometry["y"] + geometry["height"] // 2
        card_x = [geometry["x"] + 150, geometry["x"] + geometry["width"] - 150]
        self.desktop.run(["xdotool", "mousemove", str(card_x[behind]), str(centre_y), "click", "1"])
        wait_until(lambda: self.desktop.active_window() == cards[behind][0], what="the window behind in front")

        self.desktop.run(["xdotool", "mousemove", str(rect["x"] + 20), str(rect["y"] + 20)])
        _, geometry = wait_until(lambda: self.popups(pellux.pid), what="the previews again")[0]
        other = 1 - behind
        self.desktop.run(["xdotool", "mousemove", str(card_x[other]), str(centre_y), "click", "2"])
        wait_until(lambda: cards[other][1].poll() is not None, what="the other card's xterm closed")


class PreviewsWithCompositor(Previews):
    """The same story with a compositing manager (picom) owning the windows' pixmaps."""

    compositor = True


if __name__ == "__main__":
    unittest.main()
