#!/usr/bin/env bash
# Installs the Debian packages Pellux needs to build, run and test.
# Usage: scripts/install-deps.sh [build|run|test|bench]...  (default: build run)
set -euo pipefail

build_pkgs=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-composite0-dev libxcb-render0-dev
  libxcb-render-util0-dev libxcb-damage0-dev libxcb-xkb-dev libxcb-randr0-dev
  libxcb-xtest0-dev libxcb-image0-dev libxcb-xinput-dev libxcb-keysyms1-dev
  libpulse-dev libicu-dev libssl-dev
)
run_pkgs=(
  xvfb openbox x11-utils x11-xserver-utils x11-apps xterm dbus dbus-x11 imagemagick
  fonts-dejavu-core adwaita-icon-theme hicolor-icon-theme
)
test_pkgs=(
  libgtest-dev libgmock-dev xdotool wmctrl python3-dbusmock python3-xlib python3-dbus
  pulseaudio pulseaudio-utils picom
)
bench_pkgs=(libbenchmark-dev tint2 python3-xlib)

wanted=()
[ $# -eq 0 ] && set -- build run
for group in "$@"; do
  case "$group" in
    build) wanted+=("${build_pkgs[@]}") ;;
    run) wanted+=("${run_pkgs[@]}") ;;
    test) wanted+=("${test_pkgs[@]}") ;;
    bench) wanted+=("${bench_pkgs[@]}") ;;
    *) echo "install-deps: unknown group '$group' (build, run, test, bench)" >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
