"""Time from a new client window being managed (the window manager's _NET_CLIENT_LIST change) until
Pellux lists its application, with `count` other windows open. Median of 20 windows.

    scripts/install-deps.sh test bench && /usr/bin/python3 bench/running_latency.py build/pellux [--windows 50]
"""

import argparse
import json
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "scripts"))
from pellux_desktop import Desktop, wait_until  # noqa: E402
from bar_repaint import wait_for  # noqa: E402

import dbus  # noqa: E402
from Xlib import X, display as xdisplay  # noqa: E402


def open_window(conn, name):
    screen = conn.screen()
    window = screen.root.create_window(10, 10, 200, 120, 0, screen.root_depth, X.InputOutput, X.CopyFromParent)
    window.set_wm_class(name.lower(), name)
    window.set_wm_name(name)
    window.map()
    conn.flush()
    return window


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pellux")
    parser.add_argument("--windows", type=int, default=50, help="windows open in the background")
    parser.add_argument("--samples", type=int, default=20)
    args = parser.parse_args()

    with Desktop(1280, 800) as desktop:
        os.environ["DISPLAY"] = desktop.display
        desktop.start_pellux(os.path.abspath(args.pellux))
        conn = xdisplay.Display(desktop.display)
        root = conn.screen().root
        root.change_attributes(event_mask=X.PropertyChangeMask)
        client_list = conn.intern_atom("_NET_CLIENT_LIST")
        background = [open_window(conn, f"Background{i}") for i in range(args.windows)]
        bus = dbus.bus.BusConnection(desktop.env["DBUS_SESSION_BUS_ADDRESS"])
        pellux = bus.get_object("app.pellux.Pellux", "/app/pellux/Pellux")
        state = pellux.get_dbus_method("State", "app.pellux.Pellux")
        wait_until(lambda: len(json.loads(str(state()))["running"]) >= args.windows, timeout=30,
                   what="background windows listed")
        while conn.pending_events():
            conn.next_event()

        latencies = []
        for i in range(args.samples):
            name = f"Sample{i}"
            window = open_window(conn, name)
            managed = wait_for(conn, lambda e: e.type == X.PropertyNotify and e.atom == client_list, timeout=10)
            listed = managed is not None and wait_until(
                lambda: any(app["id"] == f"wmclass:{name}" for app in json.loads(str(state()))["running"]),
                timeout=10, interval=0, what=f"{name} listed")
            if listed:
                latencies.append((time.perf_counter() - managed) * 1000)
            window.destroy()
            conn.flush()
            time.sleep(0.05)
            while conn.pending_events():
                conn.next_event()
        for window in background:
            window.destroy()
        conn.close()
    print(f"new window to listed, {args.windows} other windows: median {statistics.median(latencies):.2f} ms, "
          f"min {min(latencies):.2f}, max {max(latencies):.2f} (n={len(latencies)})")


if __name__ == "__main__":
    main()
