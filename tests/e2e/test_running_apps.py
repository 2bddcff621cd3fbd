"""Installed and running applications as Pellux sees them, driven by real X clients."""

import os
import time
import unittest

from pellux_e2e import PelluxTestCase, wait_until


class RunningApps(PelluxTestCase):
    def setUp(self):
        super().setUp()
        self.write_desktop_entry("org.example.Viewer.desktop", Name="Example Viewer", Exec="example-viewer %f")
        self.write_desktop_entry("gadget.desktop", Name="Gadget", Exec="gadget", StartupWMClass="GadgetMain")
        self.write_desktop_entry("hidden-helper.desktop", Name="Helper", Exec="helper", NoDisplay="true")
        self.start_pellux()
        wait_until(lambda: "org.example.Viewer" in self.state()["installed"]["ids"], what="discovery")

    def test_windows_are_grouped_under_their_applications(self):
        self.start_client("--class", "viewer,Viewer", "--gtk-app-id", "org.example.Viewer")
        self.start_client("--class", "gadgetmain,GadgetMain")
        _, first = self.start_client("--class", "nothing,Nothing")
        self.start_client("--class", "nothing,Nothing", "--title", "second")
        self.start_client("--class", "nothing,Nothing", "--type", "dialog", "--transient-for", hex(first))
        self.start_client("--class", "tool,Tool", "--type", "utility")
        running = wait_until(lambda: len(self.state()["running"]) == 3 and self.state()["running"],
                             what="three applications")
        self.assertEqual([app["id"] for app in running], ["org.example.Viewer", "gadget", "wmclass:Nothing"])
        self.assertEqual([app["name"] for app in running], ["Example Viewer", "Gadget", "Nothing"])
        self.assertTrue(all(app["pid"] > 0 for app in running))
        installed = self.state()["installed"]
        self.assertNotIn("hidden-helper", installed["ids"])
        self.assertEqual(installed["count"], len(installed["ids"]))

    def test_active_mark_follows_activation_minimizing_and_closing(self):
        viewer, viewer_window = self.start_client("--gtk-app-id", "org.example.Viewer")
        _, gadget_window = self.start_client("--class", "gadgetmain,GadgetMain")
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(viewer_window)])
        wait_until(lambda: self.running().get("org.example.Viewer", {}).get("active"), what="viewer active")
        self.assertFalse(self.running()["gadget"]["active"])

        self.desktop.run(["xdotool", "windowminimize", "--sync", str(viewer_window)])
        wait_until(lambda: not self.running()["org.example.Viewer"]["active"], what="viewer no longer active")

        self.desktop.run(["xdotool", "windowactivate", "--sync", str(gadget_window)])
        wait_until(lambda: self.running()["gadget"]["active"], what="gadget active")

        self.desktop.end(viewer)
        wait_until(lambda: "org.example.Viewer" not in self.running(), what="viewer gone")

    def test_a_small_active_window_does_not_mark_its_application(self):
        _, window = self.start_client("--class", "gadgetmain,GadgetMain", "--size", "30x30")
        self.desktop.run(["xdotool", "windowactivate", "--sync", str(window)])
        wait_until(lambda: "gadget" in self.running(), what="gadget listed")
        time.sleep(0.3)
        self.assertFalse(self.running()["gadget"]["active"])

    def test_real_xterms_are_found_by_their_program(self):
        self.desktop.spawn(["xterm", "-class", "SomethingElse"])
        app = wait_until(lambda: self.running().get("debian-xterm"), what="xterm listed")
        self.assertEqual(app["name"], "XTerm")

    def test_new_entries_and_folders_are_discovered_while_running(self):
        self.write_desktop_entry("late.desktop", Name="Late Arrival", Exec="late")
        wait_until(lambda: "late" in self.state()["installed"]["ids"], what="late entry")
        self.write_desktop_entry("suite/tool.desktop", Name="Suite Tool", Exec="suite-tool")
        wait_until(lambda: "suite-tool" in self.state()["installed"]["ids"], what="entry in a new subfolder")
        os.remove(self.desktop.xdg_path("data", "applications", "late.desktop"))
        wait_until(lambda: "late" not in self.state()["installed"]["ids"], what="removed entry gone")


class DiscoveryFromNothing(PelluxTestCase):
    def test_an_applications_folder_created_later_is_watched(self):
        self.start_pellux()
        wait_until(lambda: self.state()["installed"]["count"] > 0, what="the system's applications")
        self.write_desktop_entry("fresh.desktop", Name="Fresh", Exec="fresh")
        wait_until(lambda: "fresh" in self.state()["installed"]["ids"], what="entry in a folder made later")


if __name__ == "__main__":
    unittest.main()
