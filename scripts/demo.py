"""Runs Pellux on a private demo desktop (Xvfb, openbox, a session bus, a few X applications),
saves a screenshot, prints its path, and keeps everything running until interrupted."""

import argparse
import os
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from pellux_desktop import Desktop, wait_until  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("pellux", help="the pellux binary")
    parser.add_argument("--screenshot", default=os.path.abspath("pellux-demo.png"))
    parser.add_argument("--size", default="1280x800")
    args = parser.parse_args()
    width, height = (int(v) for v in args.size.split("x"))

    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(True))
    with Desktop(width, height) as desktop:
        for argv in (["xterm", "-geometry", "90x24+60+60", "-title", "Terminal"],
                     ["xclock", "-geometry", "180x180+700+80"],
                     ["xterm", "-geometry", "70x16+380+330", "-title", "Second terminal"]):
            desktop.spawn(argv)
        pellux = desktop.start_pellux(os.path.abspath(args.pellux))
        time.sleep(1.0)
        print(f"Pellux runs on display {desktop.display} (pid {pellux.pid}); its log: "
              f"{os.path.join(desktop.workdir, 'pellux.log')}")
        print(f"Screenshot: {desktop.screenshot(args.screenshot)}", flush=True)
        print("Press Ctrl+C to stop.", flush=True)
        try:
            while not stop and pellux.poll() is None:
                time.sleep(0.5)
        except KeyboardInterrupt:
            pass
        if pellux.poll() is not None:
            print(f"Pellux exited with status {pellux.returncode}", file=sys.stderr)
            return pellux.returncode or 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
