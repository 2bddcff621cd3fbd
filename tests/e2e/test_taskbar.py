"""The bar's buttons as a user meets them: clicking activates, minimizes, restores and launches real
applications; dragging reorders the pinned ones; the bar looks right in every position."""

import json
import os
import subprocess
import tempfile
import time
import unittest

from pellux_e2e import PelluxTestCase, wait_until

CLIENT = os.path.join(os.path.dirname(__file__), "x_client.py")


class Taskbar(PelluxTestCase):
    def setUp(self):
        super().setUp()
        self.write_desktop_entry("org.example.Viewer.desktop", Name="Example Viewer",
                                 Exec=f"/usr/bin/python3 {CLIENT} --stay --gtk-app-id org.example.Viewer")
        self.write_desktop_entry("org.example.Notes.desktop", Name="Notes",
                                 Exec=f"/usr/bin/python3 {CLIENT} --stay --gtk-app-id org.example.Notes")

    def items(self):
        return {item["id"]: item for item in self.state()["bars"][0].get("items", [])}

    def click(self, bundle_id, button=1):
        rect = wait_until(lambda: self.items().get(bundle_id, {}).get("rect"), what=f"{bundle_id}'s button")
        self.desktop.run(["xdotool", "mousemove", str(rect["x"] + rect["width"] // 2),
                          str(rect["y"] + rect["height"] // 2), "click", str(button)])

    def hidden(self, window):
        return "_NET_WM_STATE_HIDDEN" in self.desktop.xprop(window, "_NET_WM_STATE")

    def test_clicks_launch_activate_minimize_and_restore(self):
        self.pellux("defaults", "write", "pellux.pinnedBundleIDs", "-array", "org.example.Viewer")
        self.start_pellux()
        wait_until(lambda: self.items().get("org.example.Viewer", {}).get("name") == "Example Viewer",
                   what="the pinned viewer")
        self.assertFalse(self.items()["org.example.Viewer"]["running"])

        self.click("org.example.Viewer")
        wait_until(lambda: self.items()["org.example.Viewer"]["running"], timeout=15, what="viewer launched")
        window = wait_until(lambda: int(self.desktop.run(["xdotool", "search", "--classname", "testclient"],
                                                         check=False).stdout.split()[0] or 0), what="its window")
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(window)])
        wait_until(lambda: self.items()["org.example.Viewer"]["active"], what="viewer active")

        self.click("org.example.Viewer")
        wait_until(lambda: self.hidden(window), what="viewer minimized by a click")
        self.click("org.example.Viewer")
        wait_until(lambda: not self.hidden(window) and self.desktop.active_window() == window,
                   what="viewer restored and active by another click")

    def test_clicking_an_inactive_application_brings_its_window_forward(self):
        self.start_pellux()
        _, notes = self.start_client("--gtk-app-id", "org.example.Notes", "--title", "notes")
        _, viewer = self.start_client("--gtk-app-id", "org.example.Viewer", "--title", "viewer")
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(viewer)])
        wait_until(lambda: self.items().get("org.example.Viewer", {}).get("active"), what="viewer active")
        self.click("org.example.Notes")
        wait_until(lambda: self.desktop.active_window() == notes, what="notes active after its click")
        self.assertFalse(self.hidden(viewer))

    def share_on_screen(self, rect, colour):
        """The share of the pixels in `rect` of the screen close to `colour`."""
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "screen.png")
            self.desktop.screenshot(path)
            crop = f"{rect['width']}x{rect['height']}+{rect['x']}+{rect['y']}"
            value = subprocess.run(["convert", path, "-crop", crop, "-fuzz", "15%", "-fill", "black", "+opaque", colour,
                                    "-fill", "white", "-opaque", colour, "-format", "%[fx:mean]", "info:"],
                                   capture_output=True, text=True).stdout.strip()
            return float(value or 0)

    def test_a_window_icon_set_or_changed_after_the_window_appears_reaches_its_button(self):
        self.start_pellux()
        client, _ = self.start_client("--class", "iconless,Iconless")
        rect = wait_until(lambda: self.items().get("wmclass:Iconless", {}).get("rect"), what="its button")
        for colour in ("#ff0000", "#0000ff"):
            self.assertLess(self.share_on_screen(rect, colour), 0.05)
            client.stdin.write(f"icon {colour[1:]}\n".encode())
            client.stdin.flush()
            self.assertEqual(client.stdout.readline().decode().strip(), "ok")
            wait_until(lambda: self.share_on_screen(rect, colour) > 0.2, what=f"the {colour} icon on its button")

    def test_dragging_a_pinned_button_reorders_and_persists(self):
        self.pellux("defaults", "write", "pellux.pinnedBundleIDs", "-array",
                    "org.example.Viewer", "org.example.Notes", "debian-xterm")
        self.start_pellux()
        items = wait_until(lambda: len(self.items()) == 3 and self.items(), what="three buttons")
        source, target = items["debian-xterm"]["rect"], items["org.example.Viewer"]["rect"]
        x0, y0 = source["x"] + source["width"] // 2, source["y"] + source["height"] // 2
        x1, y1 = target["x"] + target["width"] // 2, target["y"] + target["height"] // 2
        self.desktop.run(["xdotool", "mousemove", str(x0), str(y0), "mousedown", "1"])
        for step in range(1, 11):
            self.desktop.run(["xdotool", "mousemove", str(x0 + (x1 - x0) * step // 10), str(y0)])
            time.sleep(0.03)
        self.desktop.run(["xdotool", "mouseup", "1"])
        wait_until(lambda: [i["id"] for i in self.state()["bars"][0]["items"]]
                   == ["debian-xterm", "org.example.Viewer", "org.example.Notes"], what="the new order")
        with open(self.desktop.xdg_path("config", "pellux", "app.pellux.Pellux.json")) as f:
            self.assertEqual(json.load(f)["pellux.pinnedBundleIDs"],
                             ["debian-xterm", "org.example.Viewer", "org.example.Notes"])


class NarrowBar(PelluxTestCase):
    screen_size = (300, 400)

    def popups(self, pid):
        out = self.desktop.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", ""],
                               check=False).stdout
        found = []
        for window in (int(w) for w in out.split()):
            if "_NET_WM_WINDOW_TYPE_POPUP_MENU" in self.desktop.xprop(window, "_NET_WM_WINDOW_TYPE"):
                found.append(self.desktop.geometry(window))
        return found

    def test_applications_that_do_not_fit_open_from_the_overflow_list(self):
        for i in range(7):
            self.write_desktop_entry(f"org.example.App{i}.desktop", Name=f"App {i}",
                                     Exec=f"/usr/bin/python3 {CLIENT} --stay --gtk-app-id org.example.App{i}")
        self.pellux("defaults", "write", "pellux.pinnedBundleIDs", "-array", *[f"org.example.App{i}" for i in range(7)])
        pellux = self.start_pellux()
        bar = wait_until(lambda: self.state()["bars"][0].get("layout", {}).get("overflow") and self.state()["bars"][0],
                         what="items in the overflow list")
        self.assertEqual(bar["layout"]["visible"] + bar["layout"]["overflow"], 7)
        self.assertEqual([i["id"] for i in bar["overflow"]][-1], "org.example.App6")

        last = bar["items"][-1]["rect"]
        chevron = (last["x"] + last["width"] + 4 + last["width"] // 2, last["y"] + last["height"] // 2)
        self.desktop.run(["xdotool", "mousemove", str(chevron[0]), str(chevron[1]), "click", "1"])
        popup = wait_until(lambda: self.popups(pellux.pid), what="the overflow list")[0]
        self.assertLessEqual(popup["height"], 420)
        self.assertLessEqual(popup["y"] + popup["height"], bar["y"])

        # The last row is the last application that did not fit; a click closes the list and launches it.
        self.desktop.run(["xdotool", "mousemove", str(popup["x"] + 60), str(popup["y"] + popup["height"] - 8 - 10),
                          "click", "1"])
        wait_until(lambda: not self.popups(pellux.pid), what="the list closed")
        wait_until(lambda: any(app["id"] == "org.example.App6" for app in self.state()["running"]), timeout=15,
                   what="the application launched")

    def test_resting_on_a_button_shows_its_name(self):
        self.pellux("defaults", "write", "pellux.pinnedBundleIDs", "-array", "debian-xterm")
        pellux = self.start_pellux()
        rect = wait_until(lambda: self.state()["bars"][0].get("items") and self.state()["bars"][0]["items"][0]["rect"],
                          what="the button")
        self.desktop.run(["xdotool", "mousemove", str(rect["x"] + 10), str(rect["y"] + 10)])
        label = wait_until(lambda: self.popups(pellux.pid), what="the name label")[0]
        self.assertLess(label["y"], rect["y"])
        self.desktop.run(["xdotool", "mousemove", "150", "100"])
        wait_until(lambda: not self.popups(pellux.pid), what="the label gone")


if __name__ == "__main__":
    unittest.main()
