"""Opening the window previews of an application with five windows: the time from the hover timer
firing (0.6 s after the pointer came to rest on the button) until the flyout is painted (first
DAMAGE on it). Medians over `samples` openings, without and with a compositing manager (picom).
--timeline prints every paint of each opening, relative to the first: the thumbnails arrive a few
milliseconds after it, then the entrance slide repaints every frame for 150 ms.

    scripts/install-deps.sh test bench && /usr/bin/python3 bench/previews_flyout.py build/pellux
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "scripts"))
from pellux_desktop import Desktop, wait_until  # noqa: E402

from Xlib import X, display as xdisplay  # noqa: E402
from Xlib.ext import damage, xtest  # noqa: E402

HOVER_DELAY = 0.6
QUIET = 0.3  # seconds without a paint that end an opening


class Watcher:
    """Sees every new top-level window and every paint in it."""

    def __init__(self, conn):
        self.conn = conn
        self.popup_type = conn.intern_atom("_NET_WM_WINDOW_TYPE_POPUP_MENU")
        self.window_type = conn.intern_atom("_NET_WM_WINDOW_TYPE")
        conn.damage_query_version()
        conn.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.damage_event = conn.extension_event.DamageNotify
        self.kinds = {}

    def is_popup(self, window_id):
        if window_id not in self.kinds:
            prop = self.conn.create_resource_object("window", window_id).get_full_property(self.window_type,
                                                                                         X.AnyPropertyType)
            self.kinds[window_id] = bool(prop and self.popup_type in prop.value)
        return self.kinds[window_id]

    def popup_paints(self, timeout):
        """Times of the paints of the next popup: until it has been quiet for QUIET seconds."""
        paints = []
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and not (paints and time.perf_counter() - paints[-1] > QUIET):
            if not self.conn.pending_events():
                time.sleep(0.0002)
                continue
            event = self.conn.next_event()
            if event.type == X.CreateNotify:
                # Watched from birth: the first paint may follow the map at once.
                self.conn.create_resource_object("window", event.window.id).damage_create(
                    damage.DamageReportRawRectangles)
                self.conn.flush()
            elif event.type == self.damage_event and self.is_popup(event.drawable.id):
                paints.append(time.perf_counter())
        return paints


def move(conn, x, y):
    xtest.fake_input(conn, X.MotionNotify, x=x, y=y)
    conn.flush()
    return time.perf_counter()


def measure(binary, samples, compositor, timeline):
    with Desktop(1280, 800, compositor=compositor) as desktop:
        desktop.pellux(binary, "defaults", "write", "pellux.feature.windowPreviews", "-bool", "true")
        desktop.start_pellux(binary)
        xterms = [desktop.spawn(["xterm", "-geometry", f"80x24+{40 + 60 * i}+{40 + 40 * i}"]) for i in range(5)]
        for xterm in xterms:
            wait_until(lambda: desktop.windows_of_pid(xterm.pid), what="an xterm window")
        rect = wait_until(lambda: next((i["rect"] for i in desktop.pellux_state(binary)["bars"][0]["items"]
                                        if i["id"] == "debian-xterm" and i.get("running")), None),
                          what="the xterm button")
        conn = xdisplay.Display(desktop.display)
        watcher = Watcher(conn)
        painted = []
        for _ in range(samples):
            move(conn, 640, 300)
            time.sleep(1.0)  # the flyout closes once the pointer has left it
            rested = move(conn, rect["x"] + rect["width"] // 2, rect["y"] + rect["height"] // 2)
            paints = watcher.popup_paints(timeout=5.0)
            if paints:
                painted.append((paints[0] - rested - HOVER_DELAY) * 1000)
                if timeline:
                    print("  paints at", ", ".join(f"{(t - paints[0]) * 1000:.1f}" for t in paints), "ms")
        conn.close()
        return painted


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pellux")
    parser.add_argument("--samples", type=int, default=15)
    parser.add_argument("--timeline", action="store_true")
    args = parser.parse_args()
    for compositor in (False, True):
        painted = measure(os.path.abspath(args.pellux), args.samples, compositor, args.timeline)
        label = "with picom" if compositor else "no compositor"
        if not painted:
            print(f"{label}: the previews never showed", flush=True)
            continue
        print(f"{label}: hover timer to painted previews flyout median {statistics.median(painted):.1f} ms "
              f"(min {min(painted):.1f}, max {max(painted):.1f}, n={len(painted)})", flush=True)


if __name__ == "__main__":
    main()
