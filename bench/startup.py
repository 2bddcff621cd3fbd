"""Pellux beside tint2 on the same private desktop set-up: time from exec until the dock window is
mapped, memory 5 s after start (RSS, PSS) and CPU time over an idle stretch. Prints medians of
several runs and the Pellux/tint2 ratios.

    scripts/install-deps.sh bench && /usr/bin/python3 bench/startup.py build/pellux
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "scripts"))
from pellux_desktop import Desktop  # noqa: E402

from Xlib import X, display as xdisplay  # noqa: E402
from Xlib.error import XError  # noqa: E402


def wait_for_dock_map(conn, started, timeout=20.0):
    """Seconds from `started` until a window of type DOCK is mapped."""
    dock_type = conn.intern_atom("_NET_WM_WINDOW_TYPE_DOCK")
    type_atom = conn.intern_atom("_NET_WM_WINDOW_TYPE")
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if not conn.pending_events():
            time.sleep(0.0005)
            continue
        event = conn.next_event()
        if event.type == X.CreateNotify:
            try:
                event.window.change_attributes(event_mask=X.StructureNotifyMask | X.PropertyChangeMask)
            except XError:
                pass
        elif event.type == X.MapNotify:
            mapped = time.monotonic()
            try:
                prop = event.window.get_full_property(type_atom, X.AnyPropertyType)
            except XError:
                continue
            if prop and dock_type in prop.value:
                return mapped - started
    raise RuntimeError("no dock window was mapped")


def memory_kib(pid):
    values = {}
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            parts = line.split()
            if parts[0] in ("Rss:", "Pss:"):
                values[parts[0][:-1]] = int(parts[1])
    return values["Rss"], values["Pss"]


def cpu_seconds(pid):
    """User and system time of the whole process, threads that have ended included (10 ms ticks)."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def measure(argv, idle_seconds):
    with Desktop(1280, 800) as desktop:
        conn = xdisplay.Display(desktop.display)
        conn.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        conn.sync()
        started = time.monotonic()
        process = desktop.spawn(argv)
        map_time = wait_for_dock_map(conn, started)
        time.sleep(max(0.0, 5.0 - (time.monotonic() - started)))
        rss, pss = memory_kib(process.pid)
        cpu_before = cpu_seconds(process.pid)
        time.sleep(idle_seconds)
        idle_cpu = cpu_seconds(process.pid) - cpu_before
        conn.close()
        return {"map_ms": map_time * 1000, "rss_mb": rss / 1024, "pss_mb": pss / 1024, "idle_cpu_ms": idle_cpu * 1000}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pellux")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--idle", type=float, default=30.0, help="idle seconds for the CPU measurement")
    args = parser.parse_args()
    programs = {"pellux": [os.path.abspath(args.pellux)], "tint2": ["tint2"]}
    results = {name: [] for name in programs}
    for run in range(args.runs):
        for name, argv in programs.items():
            results[name].append(measure(argv, args.idle))
            print(f"run {run + 1} {name}: " + ", ".join(f"{k} {v:.1f}" for k, v in results[name][-1].items()),
                  flush=True)
    print()
    medians = {name: {k: statistics.median(r[k] for r in runs) for k in runs[0]} for name, runs in results.items()}
    print(f"{'median':<14}{'pellux':>10}{'tint2':>10}{'ratio':>8}")
    for key in medians["pellux"]:
        p, t = medians["pellux"][key], medians["tint2"][key]
        print(f"{key:<14}{p:>10.1f}{t:>10.1f}{(p / t if t else float('nan')):>8.2f}")


if __name__ == "__main__":
    main()
