#!/usr/bin/env bash
# Installs what is missing, builds Pellux and runs it: on $DISPLAY when there is one, otherwise on a
# private demo desktop that is screenshotted and kept running until interrupted.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pellux
if [ -n "${DISPLAY:-}" ]; then
  exec build/pellux "$@"
fi
exec /usr/bin/python3 scripts/demo.py build/pellux "$@"
