#!/usr/bin/env bash
# Configures and builds the sanitized tree (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer, the fuzz targets and the tests) into build-san/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
source tools/compiler-cache.sh
CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON -DQUILLET_TESTS=ON -DQUILLET_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build build-san
