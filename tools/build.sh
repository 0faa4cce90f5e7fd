#!/usr/bin/env bash
# Configures and builds into build/ (shared by run.sh and test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
source tools/compiler-cache.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build build
