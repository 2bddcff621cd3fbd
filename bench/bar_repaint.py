"""With many windows open, the time from a new client window asking to be mapped (and from the window
manager listing it in _NET_CLIENT_LIST) until Pellux's bar has
repainted to show it (DAMAGE on the bar window); then resident memory and idle CPU with all those
windows open. Runs Pellux and, for comparison, tint2 on identical private desktops.

    scripts/install-deps.sh test bench && /usr/bin/python3 bench/bar_repaint.py build/pellux [--windows 50]
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "scripts"))
from pellux_desktop import Desktop  # noqa: E402
from startup import cpu_seconds, memory_kib  # noqa: E402

from Xlib import X, display as xdisplay  # noqa: E402
from Xlib.ext import damage  # noqa: E402


def open_window(conn, name):
    screen = conn.screen()
    window = screen.root.create_window(20, 20, 200, 120, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
                                       event_mask=X.StructureNotifyMask)
    window.set_wm_class(name.lower(), name)
    window.set_wm_name(name)
    window.map()
    conn.flush()
    return window


def find_dock(conn):
    dock = conn.intern_atom("_NET_WM_WINDOW_TYPE_DOCK")
    wtype = conn.intern_atom("_NET_WM_WINDOW_TYPE")
    pending = [conn.screen().root]
    while pending:
        window = pending.pop()
        prop = window.get_full_property(wtype, X.AnyPropertyType)
        if prop and dock in prop.value:
            return window
        pending.extend(window.query_tree().children)
    return None


def drain(conn):
    while conn.pending_events():
        conn.next_event()


def wait_for(conn, predicate, timeout=5.0):
    """The moment the first event matching `predicate` arrives; None when none does within `timeout`."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if not conn.pending_events():
            time.sleep(0.0002)
            continue
        event = conn.next_event()
        if predicate(event):
            return time.perf_counter()
    return None


def measure(argv, windows, samples, idle):
    with Desktop(1600, 900) as desktop:
        conn = xdisplay.Display(desktop.display)
        process = desktop.spawn(argv)
        time.sleep(2.0)
        # Like many terminals: one application with many windows.
        background = [open_window(conn, "Background") for _ in range(windows)]
        time.sleep(2.0)
        bar = find_dock(conn)
        conn.screen().root.change_attributes(event_mask=X.PropertyChangeMask)
        client_list = conn.intern_atom("_NET_CLIENT_LIST")
        conn.damage_query_version()
        bar.damage_create(damage.DamageReportRawRectangles)
        damage_event = conn.extension_event.DamageNotify
        latencies = []
        after_list = []
        for i in range(samples):
            drain(conn)
            window = open_window(conn, f"Sample{i}")
            mapped = time.perf_counter()
            listed = wait_for(conn, lambda e: e.type == X.PropertyNotify and e.atom == client_list)
            painted = wait_for(conn, lambda e: e.type == damage_event)
            if listed and painted:
                latencies.append((painted - mapped) * 1000)
                after_list.append((painted - listed) * 1000)
            window.destroy()
            conn.flush()
            time.sleep(0.3)
        time.sleep(1.0)
        rss, _ = memory_kib(process.pid)
        before = cpu_seconds(process.pid)
        time.sleep(idle)
        idle_cpu = cpu_seconds(process.pid) - before
        for window in background:
            window.destroy()
        conn.close()
        return latencies, after_list, rss / 1024, idle_cpu * 1000


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pellux")
    parser.add_argument("--windows", type=int, default=50)
    parser.add_argument("--samples", type=int, default=20)
    parser.add_argument("--idle", type=float, default=30.0)
    args = parser.parse_args()
    for name, argv in (("pellux", [os.path.abspath(args.pellux)]), ("tint2", ["tint2"])):
        latencies, after_list, rss, idle_cpu = measure(argv, args.windows, args.samples, args.idle)
        median = statistics.median(latencies) if latencies else float("nan")
        own = statistics.median(after_list) if after_list else float("nan")
        print(f"{name}: new window to repainted bar median {median:.2f} ms, of which {own:.2f} ms after the "
              f"window manager listed it (n={len(latencies)}), "
              f"RSS {rss:.1f} MB with {args.windows} windows, CPU {idle_cpu:.2f} ms over {args.idle:.0f} idle s",
              flush=True)


if __name__ == "__main__":
    main()
