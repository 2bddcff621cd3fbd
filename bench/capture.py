"""The capture benchmark (one 1280 x 800 window to a 520 x 326 thumbnail) on private desktops, without
and with a compositing manager (picom).

    scripts/install-deps.sh test bench && cmake -B build-bench -DCMAKE_BUILD_TYPE=Release \\
        -DPELLUX_BUILD_BENCH=ON && cmake --build build-bench && /usr/bin/python3 bench/capture.py build-bench/bench/pellux_bench
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "scripts"))
from pellux_desktop import Desktop  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench")
    args = parser.parse_args()
    for compositor in (False, True):
        with Desktop(1600, 1000, compositor=compositor) as desktop:
            result = desktop.run([os.path.abspath(args.bench), "--benchmark_filter=captureOfALargeWindow",
                                  "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
                                 timeout=120)
            print(result.stdout, flush=True)


if __name__ == "__main__":
    main()
