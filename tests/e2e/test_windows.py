"""Windows as Pellux handles them: full-screen windows hide the bars, show desktop minimizes and
brings back exactly the right windows, windows are kept out from under the bar, and the control
interface lists an application's windows."""

import json
import time
import unittest

from pellux_e2e import PelluxTestCase, wait_until


class Windows(PelluxTestCase):
    def hidden(self, window):
        return "_NET_WM_STATE_HIDDEN" in self.desktop.xprop(window, "_NET_WM_STATE")

    def bar_shown(self):
        return all(bar["visible"] for bar in self.state()["bars"])

    def test_a_full_screen_window_hides_the_bars_until_it_leaves_full_screen(self):
        self.start_pellux()
        _, window = self.start_client("--class", "player,Player")
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(window)])
        self.desktop.run(["wmctrl", "-i", "-r", hex(window), "-b", "add,fullscreen"])
        wait_until(lambda: not self.bar_shown(), what="bars hidden behind a full-screen window")
        # Bars made anew meanwhile (another display mode) stay hidden too.
        before = self.state()["bars"]
        self.pellux("set", "pellux.displayMode", "-string", "primary")
        wait_until(lambda: self.state()["bars"] != before, what="the bars rebuilt")
        time.sleep(0.5)
        self.assertFalse(self.bar_shown())
        self.desktop.run(["wmctrl", "-i", "-r", hex(window), "-b", "remove,fullscreen"])
        wait_until(self.bar_shown, what="bars back")

    def test_show_desktop_minimizes_and_restores_exactly_the_windows_it_minimized(self):
        self.pellux("defaults", "write", "pellux.feature.showDesktop", "-bool", "true")
        pellux = self.start_pellux()
        _, first = self.start_client("--class", "one,One")
        _, second = self.start_client("--class", "two,Two")
        _, minimized = self.start_client("--class", "three,Three")
        self.desktop.run(["xdotool", "windowminimize", "--sync", str(minimized)])
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(second)])

        # The strip at the far end of the bar.
        bar = self.state()["bars"][0]
        self.desktop.run(["xdotool", "mousemove", str(bar["x"] + bar["width"] - 4), str(bar["y"] + bar["height"] // 2),
                          "click", "1"])
        wait_until(lambda: self.hidden(first) and self.hidden(second), what="desktop shown")
        self.assertTrue(self.bar_shown())
        self.assertTrue(all(d["id"] for d in self.dock_windows(pellux.pid)), "Pellux's own bar stays")

        self.pellux("show-desktop")
        wait_until(lambda: not self.hidden(first) and not self.hidden(second), what="windows back")
        time.sleep(0.3)
        self.assertTrue(self.hidden(minimized), "a window the user minimized stays minimized")
        self.assertEqual(self.desktop.active_window(), second)

    def test_a_window_placed_under_the_bar_is_moved_clear_of_it(self):
        self.start_pellux()
        bar = self.state()["bars"][0]
        _, window = self.start_client("--class", "tall,Tall", "--size", "400x300")
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(window)])
        self.desktop.run(["wmctrl", "-i", "-r", hex(window), "-e", "0,100,600,400,300"])

        def bottom():
            geometry = self.desktop.geometry(window)
            return geometry["y"] + geometry["height"]
        wait_until(lambda: bottom() <= bar["y"], what="the window clear of the bar")
        self.assertGreaterEqual(self.desktop.geometry(window)["height"], 60)

    def test_the_control_interface_lists_an_applications_windows(self):
        self.start_pellux()
        client, window = self.start_client("--class", "lister,Lister", "--title", "Report", "--size", "300x200")
        listed = wait_until(lambda: json.loads(self.pellux("windows", str(client.pid)).stdout), what="its window")
        self.assertEqual([(w["id"], w["title"], w["state"]) for w in listed], [(window, "Report", "normal")])
        self.assertGreaterEqual(listed[0]["frame"]["width"], 300)
        self.desktop.run(["xdotool", "windowminimize", "--sync", str(window)])
        wait_until(lambda: json.loads(self.pellux("windows", str(client.pid)).stdout)[0]["state"] == "minimized",
                   what="minimized state")


class TwoMonitors(PelluxTestCase):
    screen_size = (2560, 800)

    def test_a_full_screen_window_hides_only_its_monitors_bar_while_in_front_there(self):
        self.desktop.set_monitors([("A", 1280, 800, 0, 0), ("B", 1280, 800, 1280, 0)])
        self.start_pellux()

        def shown():
            return {bar["x"]: bar["visible"] for bar in self.state()["bars"]}

        wait_until(lambda: shown() == {0: True, 1280: True}, what="a bar on each monitor")
        _, film = self.start_client("--class", "player,Player")
        _, editor = self.start_client("--class", "editor,Editor")
        self.desktop.run(["xdotool", "windowmove", "--sync", str(film), "1500", "100"])
        self.desktop.run(["xdotool", "windowmove", "--sync", str(editor), "100", "100"])
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(film)])
        self.desktop.run(["wmctrl", "-i", "-r", hex(film), "-b", "add,fullscreen"])
        wait_until(lambda: shown() == {0: True, 1280: False}, what="only the film's monitor without its bar")
        # Working on the other monitor leaves the film in front on its own.
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(editor)])
        time.sleep(0.5)
        self.assertEqual(shown(), {0: True, 1280: False})
        self.desktop.run(["wmctrl", "-i", "-r", hex(film), "-b", "remove,fullscreen"])
        wait_until(lambda: shown() == {0: True, 1280: True}, what="both bars back")


if __name__ == "__main__":
    unittest.main()
