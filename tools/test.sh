#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test;
# then runs the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz target for a short while.
# GUI tests run on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh -DQUILLET_TESTS=ON -DQUILLET_BENCH=ON
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2

echo "== the tests again, with the sanitizers"
bash tools/build-san.sh
(
  source tools/sanitize-env.sh
  ctest --test-dir build-san --output-on-failure -j2
)

echo "== each fuzz target briefly"
bash tools/fuzz.sh all "${QUILLET_FUZZ_SECONDS:-20}"
