#!/usr/bin/env bash
# Fails when a layer includes a layer it must not know: core sees only Qt Core and Gui;
# platform and ui see core; only app sees everything.
set -u
src=${1:?usage: check-layering.sh SRC_DIR}
status=0
check() {
  local layer=$1 pattern=$2
  local hits
  hits=$(grep -rnE "^#include [<\"]($pattern)" "$src/$layer" 2>/dev/null)
  if [ -n "$hits" ]; then
    echo "$layer includes what it must not:"; echo "$hits"; status=1
  fi
}
check core 'platform/|ui/|app/|QtWidgets|QWidget|QDBus|QtDBus|xcb/|X11/|pulse/'
check platform 'ui/|app/|QtWidgets|QWidget'
check ui 'platform/|app/|xcb/|X11/|QDBus'
[ $status -eq 0 ] && echo "layering: 0 violations"
exit $status
