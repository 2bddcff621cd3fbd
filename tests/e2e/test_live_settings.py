"""Settings changed while Pellux runs (`pellux set`) take effect at once and are kept."""

import json
import unittest

from pellux_e2e import PelluxTestCase, wait_until

LEFT = ("A", 1280, 800, 0, 0)
RIGHT = ("B", 1280, 800, 1280, 0)


class LiveSettings(PelluxTestCase):
    screen_size = (2560, 800)

    def setUp(self):
        super().setUp()
        self.desktop.set_monitors([LEFT, RIGHT])
        self.process = self.start_pellux()

    def docks(self, count):
        return wait_until(lambda: len(self.dock_windows(self.process.pid)) == count
                          and self.dock_windows(self.process.pid), what=f"{count} dock(s)")

    def stored(self):
        path = self.desktop.xdg_path("config", "pellux", "app.pellux.Pellux.json")
        with open(path) as f:
            return json.load(f)

    def test_height_and_position_move_the_same_windows(self):
        before = self.docks(2)
        self.pellux("set", "pellux.barHeight", "-float", "56")
        wait_until(lambda: [d["height"] for d in self.dock_windows(self.process.pid)] == [56, 56], what="56 high")
        self.pellux("set", "pellux.position", "-string", "left")
        after = wait_until(lambda: [d for d in self.dock_windows(self.process.pid) if d["width"] == 56],
                           what="left bars")
        self.assertEqual([d["id"] for d in after], [d["id"] for d in before])
        self.assertEqual((after[0]["x"], after[0]["y"], after[0]["height"]), (0, 0, 800))
        self.assertEqual(after[0]["strut"][:4], [56, 0, 0, 0])
        self.assertEqual(self.stored()["pellux.position"], "left")
        self.assertEqual(self.stored()["pellux.barHeight"], 56)

    def test_display_mode_rebuilds_only_on_a_real_change(self):
        self.docks(2)
        self.pellux("set", "pellux.displayMode", "-string", "primary")
        only = self.docks(1)
        self.pellux("set", "pellux.displayMode", "-string", "primary")
        self.assertEqual([d["id"] for d in self.docks(1)], [d["id"] for d in only])
        self.pellux("set", "pellux.displayMode", "-string", "all")
        self.docks(2)

    def test_transparency_switches_the_blur_behind_the_bars(self):
        dock = self.docks(2)[0]["id"]
        blur = lambda: "_KDE_NET_WM_BLUR_BEHIND_REGION(CARDINAL)" in self.desktop.xprop(dock, "_KDE_NET_WM_BLUR_BEHIND_REGION")
        wait_until(blur, what="blur behind the bar")
        self.pellux("set", "pellux.transparencyEnabled", "-bool", "false")
        wait_until(lambda: not blur(), what="no blur without transparency")
        self.pellux("set", "pellux.transparencyEnabled", "-bool", "true")
        wait_until(blur, what="blur back")

    def test_unknown_settings_are_refused(self):
        result = self.pellux("set", "pellux.noSuchThing", "-bool", "true", check=False)
        self.assertEqual(result.returncode, 1)
        self.assertIn("not a setting", result.stderr)
        result = self.pellux("set", "pellux.barHeight", "-float", "tall", check=False)
        self.assertEqual(result.returncode, 2)


if __name__ == "__main__":
    unittest.main()
