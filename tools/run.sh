#!/usr/bin/env bash
# Installs what is missing, builds, lays the program folder out in build/stage
# and starts Quillet from it. Works on a desktop and under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh -DQUILLET_TESTS=OFF -DQUILLET_BENCH=OFF
cmake --install build --prefix build/stage >/dev/null
# The browser's sandbox cannot start for root.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x900x24" build/stage/quillet "$@"
fi
exec build/stage/quillet "$@"
