"""Window previews: resting on a button with several windows shows live thumbnails of them; a click
on a thumbnail brings that window forward and a card's menu acts on its window."""

import os
import subprocess
import tempfile
import unittest

from pellux_e2e import PelluxTestCase, wait_until


class Previews(PelluxTestCase):
    def setUp(self):
        super().setUp()
        self.pellux("defaults", "write", "pellux.feature.windowPreviews", "-bool", "true")
        self.pellux_process = self.start_pellux()

    def visible_windows(self):
        out = self.desktop.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(self.pellux_process.pid),
                                "--name", ""], check=False).stdout
        return [int(w) for w in out.split()]

    def popups(self):
        return [(w, self.desktop.geometry(w)) for w in self.visible_windows()
                if "_NET_WM_WINDOW_TYPE_POPUP_MENU" in self.desktop.xprop(w, "_NET_WM_WINDOW_TYPE")]

    def xterm(self, *args):
        """An xterm and its window."""
        process = self.desktop.spawn(["xterm", *args])
        window = wait_until(lambda: self.desktop.windows_of_pid(process.pid), what="an xterm window")[0]
        return process, window

    def open_previews(self):
        """Rests the pointer on the xterm button; the previews popup and its geometry."""
        rect = wait_until(lambda: next((i["rect"] for i in self.state()["bars"][0]["items"]
                                        if i["id"] == "debian-xterm"), None), what="the xterm button")
        self.desktop.run(["xdotool", "mousemove", str(rect["x"] + 20), str(rect["y"] + 20)])
        return wait_until(self.popups, what="the previews")[0]

    def shot(self, window, measure):
        """`measure` of a screenshot of `window`, given ImageMagick's arguments before the output."""
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "shot.png")
            self.desktop.run(["import", "-window", str(window), path])
            return subprocess.run(["convert", path, *measure, "info:"], capture_output=True, text=True).stdout.strip()

    def colours(self, window):
        return int(self.shot(window, ["-format", "%k"]) or 0)

    def thumbnails_drawn(self):
        """Whether the previews shown now hold real pictures (they may have been made anew meanwhile)."""
        shown = self.popups()
        return bool(shown) and self.colours(shown[0][0]) > 20

    def share_of(self, window, colour):
        """The share of the window's pixels close to `colour`."""
        value = self.shot(window, ["-fuzz", "15%", "-fill", "black", "+opaque", colour, "-fill", "white",
                                   "-opaque", colour, "-format", "%[fx:mean]"])
        return float(value or 0)

    @staticmethod
    def card_centres(geometry):
        """The centres of the first and the last card of a horizontal strip."""
        y = geometry["y"] + geometry["height"] // 2
        return [(geometry["x"] + 150, y), (geometry["x"] + geometry["width"] - 150, y)]

    def test_thumbnails_of_real_windows_and_selecting_one(self):
        first, first_window = self.xterm("-geometry", "80x20+40+40", "-title", "first")
        second, second_window = self.xterm("-geometry", "60x15+300+150", "-title", "second", "-bg", "navy")
        _, geometry = self.open_previews()
        self.assertGreater(geometry["width"], 2 * 260)
        # The thumbnails are real pictures of the windows, not blank cards.
        wait_until(self.thumbnails_drawn, timeout=10, what="thumbnails drawn")

        # Cards go in window order. A click on the card of the window behind brings it forward (a click
        # on the front window's card would minimize it); a middle click on the other card closes that one.
        cards = sorted([(first_window, first), (second_window, second)])
        behind = 0 if self.desktop.active_window() != cards[0][0] else 1
        centres = self.card_centres(geometry)
        self.desktop.run(["xdotool", "mousemove", *map(str, centres[behind]), "click", "1"])
        wait_until(lambda: self.desktop.active_window() == cards[behind][0], what="the window behind in front")

        _, geometry = self.open_previews()
        other = 1 - behind
        self.desktop.run(["xdotool", "mousemove", *map(str, self.card_centres(geometry)[other]), "click", "2"])
        wait_until(lambda: cards[other][1].poll() is not None, what="the other card's xterm closed")

    def test_a_thumbnail_follows_its_windows_contents(self):
        with tempfile.TemporaryDirectory() as folder:
            trigger = os.path.join(folder, "go")
            # Once the trigger exists the terminal clears itself to red.
            script = f'while [ ! -e "{trigger}" ]; do sleep 0.05; done; printf "\\033[41m\\033[2J"; sleep 600'
            self.xterm("-geometry", "80x20+40+40", "-bg", "white", "-e", "sh", "-c", script)
            self.xterm("-geometry", "60x15+500+300", "-bg", "white")
            popup, _ = self.open_previews()
            wait_until(self.thumbnails_drawn, timeout=10, what="thumbnails drawn")
            self.assertLess(self.share_of(popup, "#cd0000"), 0.01)
            open(trigger, "w").close()
            # The previews stay open under the pointer and refresh by themselves.
            wait_until(lambda: self.share_of(popup, "#cd0000") > 0.1, timeout=10, what="the red terminal in its card")

    def test_a_cards_menu_minimizes_maximizes_restores_and_closes_its_window(self):
        xterms = sorted((self.xterm("-geometry", "80x20+40+40"), self.xterm("-geometry", "60x15+500+300")),
                        key=lambda xterm: xterm[1])
        windows = [window for _, window in xterms]

        def choose(card, item):
            """Picks item `item` of the three in the menu of card `card`, in previews opened afresh."""
            self.desktop.run(["xdotool", "mousemove", "640", "10"])
            wait_until(lambda: not self.popups(), what="the previews closed")
            _, geometry = self.open_previews()
            shown = set(self.visible_windows())
            self.desktop.run(["xdotool", "mousemove", *map(str, self.card_centres(geometry)[card]), "click", "3"])
            menu = wait_until(lambda: [w for w in self.visible_windows() if w not in shown and "_NET_WM_WINDOW_TYPE_POPUP"
                                       not in self.desktop.xprop(w, "_NET_WM_WINDOW_TYPE")], what="the card's menu")[0]
            box = self.desktop.geometry(menu)
            y = box["y"] + box["height"] * (2 * item + 1) // 6
            self.desktop.run(["xdotool", "mousemove", str(box["x"] + box["width"] // 2), str(y), "click", "1"])

        def state(window):
            return self.desktop.xprop(window, "_NET_WM_STATE")

        choose(0, 0)  # Minimize
        wait_until(lambda: "_NET_WM_STATE_HIDDEN" in state(windows[0]), what="the first window minimized")
        choose(1, 1)  # Maximize
        wait_until(lambda: "_NET_WM_STATE_MAXIMIZED_VERT" in state(windows[1]), what="the second window maximized")
        self.assertNotIn("_NET_WM_STATE_HIDDEN", state(windows[1]))
        choose(0, 0)  # Restore
        wait_until(lambda: "_NET_WM_STATE_HIDDEN" not in state(windows[0]), what="the first window restored")
        choose(1, 2)  # Close
        wait_until(lambda: xterms[1][0].poll() is not None, what="the second xterm closed")


class PreviewsWithCompositor(Previews):
    """The same stories with a compositing manager (picom) owning the windows' pixmaps."""

    compositor = True


if __name__ == "__main__":
    unittest.main()
