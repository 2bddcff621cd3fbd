"""The bars as the X server sees them: docks on every monitor, reserving their edges, never focused."""

import os
import subprocess
import time
import unittest

from pellux_e2e import PelluxTestCase, wait_until

LEFT = ("A", 1280, 800, 0, 0)
RIGHT = ("B", 1280, 800, 1280, 0)


def strut_edges(strut):
    """left, right, top, bottom of a _NET_WM_STRUT_PARTIAL, or None."""
    return tuple(strut[:4]) if strut else None


class TwoMonitors(PelluxTestCase):
    screen_size = (2560, 800)

    def setUp(self):
        super().setUp()
        self.desktop.set_monitors([LEFT, RIGHT])

    def test_one_dock_per_monitor_at_each_position(self):
        # (geometry, strut edges) per monitor; an edge shared with the other monitor reserves nothing.
        expected = {
            "bottom": [((0, 752, 1280, 48), (0, 0, 0, 48)), ((1280, 752, 1280, 48), (0, 0, 0, 48))],
            "top": [((0, 0, 1280, 48), (0, 0, 48, 0)), ((1280, 0, 1280, 48), (0, 0, 48, 0))],
            "left": [((0, 0, 48, 800), (48, 0, 0, 0)), ((1280, 0, 48, 800), None)],
            "right": [((1232, 0, 48, 800), None), ((2512, 0, 48, 800), (0, 48, 0, 0))],
        }
        for position, bars in expected.items():
            with self.subTest(position=position):
                self.defaults_write("pellux.position", "-string", position)
                pellux = self.start_pellux()
                docks = wait_until(lambda: len(self.dock_windows(pellux.pid)) == 2 and self.dock_windows(pellux.pid),
                                   what="two docks")
                seen = [((d["x"], d["y"], d["width"], d["height"]), strut_edges(d["strut"])) for d in docks]
                self.assertEqual(seen, bars)
                state = self.state()
                self.assertEqual([b["position"] for b in state["bars"]], [position, position])
                self.assertEqual(sorted((b["x"], b["y"], b["width"], b["height"]) for b in state["bars"]),
                                 [g for g, _ in bars])
                for dock in docks:
                    props = self.desktop.xprop(dock["id"], "_NET_WM_DESKTOP", "_NET_WM_STATE", "WM_HINTS")
                    self.assertIn("4294967295", props)
                    self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", props)
                    self.assertIn("_NET_WM_STATE_ABOVE", props)
                    self.assertIn("accepts input or input focus: False", props)
                self.pellux("quit")
                pellux.wait(10)

    def test_primary_display_mode_gives_one_bar_on_the_origin_monitor(self):
        self.defaults_write("pellux.displayMode", "-string", "primary")
        pellux = self.start_pellux()
        docks = self.dock_windows(pellux.pid)
        self.assertEqual(len(docks), 1)
        self.assertEqual((docks[0]["x"], docks[0]["width"]), (0, 1280))
        self.assertEqual(len(self.state()["bars"]), 1)

    def test_bars_follow_monitors_added_and_removed(self):
        pellux = self.start_pellux()
        self.assertEqual(len(self.state()["bars"]), 2)

        self.desktop.set_monitors([LEFT])
        wait_until(lambda: len(self.state()["bars"]) == 1, what="one bar after a monitor went away")
        wait_until(lambda: len(self.dock_windows(pellux.pid)) == 1, what="one dock window")

        self.desktop.set_monitors([LEFT, RIGHT, ("C", 640, 400, 0, 0)])
        wait_until(lambda: len(self.state()["bars"]) == 3, what="three bars")
        self.assertIn("Screen parameters changed; rebuilding taskbar windows", self.log())
        self.assertIsNone(pellux.poll())


class OneMonitor(PelluxTestCase):
    def test_clicking_the_bar_leaves_the_focus_where_it_was(self):
        xterm = self.desktop.spawn(["xterm", "-title", "focused"])
        terminal = wait_until(lambda: self.desktop.windows_of_pid(xterm.pid), what="xterm")[0]
        wait_until(lambda: self.desktop.active_window() != 0, what="an active window")
        active = self.desktop.active_window()
        pellux = self.start_pellux()
        bar = self.dock_windows(pellux.pid)[0]
        self.desktop.run(["xdotool", "mousemove", str(bar["x"] + 300), str(bar["y"] + 20), "click", "1"])
        time.sleep(0.3)
        self.assertEqual(self.desktop.active_window(), active)
        focus = int(self.desktop.run(["xdotool", "getwindowfocus"]).stdout.strip())
        self.assertEqual(focus, terminal)

    def test_a_second_pellux_says_so_and_leaves_the_first_alone(self):
        first = self.start_pellux()
        second = self.pellux(check=False)
        self.assertNotEqual(second.returncode, 0)
        self.assertIn("already running", second.stderr)
        self.assertIsNone(first.poll())
        self.assertEqual(len(self.state()["bars"]), 1)

    def test_corrupt_settings_are_kept_aside_and_pellux_runs_on_defaults(self):
        settings = self.desktop.xdg_path("config", "pellux", "app.pellux.Pellux.json")
        os.makedirs(os.path.dirname(settings))
        with open(settings, "w") as f:
            f.write('{"pellux.position": "top", ')
        pellux = self.start_pellux()
        self.assertEqual(self.state()["bars"][0]["position"], "bottom")
        with open(settings + ".corrupt") as f:
            self.assertEqual(f.read(), '{"pellux.position": "top", ')
        self.assertIsNone(pellux.poll())

    def test_restart_brings_up_a_new_pellux(self):
        first = self.start_pellux()
        self.pellux("restart")
        first.wait(10)
        # The new process is not ours to track; it answers on the bus once it has its bars.
        state = wait_until(lambda: self._state_or_none(), timeout=15, what="the relaunched Pellux")
        self.assertEqual(len(state["bars"]), 1)
        self.pellux("quit")
        wait_until(lambda: self.pellux("state", check=False).returncode != 0, what="the relaunched Pellux to quit")

    def _state_or_none(self):
        result = self.pellux("state", check=False)
        return result.returncode == 0 and __import__("json").loads(result.stdout)

    def test_commands_without_a_running_pellux_fail_clearly(self):
        result = self.pellux("state", check=False)
        self.assertEqual(result.returncode, 1)
        self.assertIn("not running", result.stderr)
        env = dict(self.desktop.env)
        env.pop("DISPLAY")
        headless = subprocess.run([self.desktop_binary()], env=env, capture_output=True, text=True, timeout=10)
        self.assertEqual(headless.returncode, 1)
        self.assertIn("DISPLAY", headless.stderr)

    def desktop_binary(self):
        from pellux_e2e import PELLUX
        return PELLUX


if __name__ == "__main__":
    unittest.main()
