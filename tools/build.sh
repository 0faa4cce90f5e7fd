#!/usr/bin/env bash
# Configures and builds into build/ (shared by run.sh and test.sh).
# A compiler cache is used when the machine has one, so that several checkouts
# of the project share their object files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build build
