#!/usr/bin/env bash
# Installs what is missing, builds Pellux with its tests and runs them all: unit, widget (offscreen)
# and end-to-end (each on its own Xvfb desktop with openbox and a private session bus).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLUX_BUILD_TESTS=ON -DPELLUX_WERROR=ON >/dev/null
cmake --build build-test
ctest --test-dir build-test --output-on-failure --parallel 2 --timeout 900 "$@"
