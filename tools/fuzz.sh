#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-san/ and runs one target, or all, for SECONDS each (default 60) over a
# copy of its starting corpus. A finding leaves its input in build-san/fuzz-findings/
# and fails the script.
#   tools/fuzz.sh [TARGET|all] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:-all}"
seconds="${2:-60}"
bash tools/build-san.sh
source tools/sanitize-env.sh
export QT_QPA_PLATFORM=offscreen

targets=()
if [ "$target" = all ]; then
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
else
  targets=("${target#fuzz_}")
fi

mkdir -p build-san/fuzz-findings
status=0
for name in "${targets[@]}"; do
  work="build-san/fuzz-corpus/$name"
  mkdir -p "$work"
  cp -n "fuzz/corpus/$name"/* "$work"/ 2>/dev/null || true
  echo "fuzz_$name: ${seconds} s"
  if ! "build-san/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="build-san/fuzz-findings/${name}-" \
      "$work" 2> "build-san/fuzz-$name.log"; then
    echo "fuzz_$name found a fault; see build-san/fuzz-$name.log" >&2
    tail -40 "build-san/fuzz-$name.log" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|cov: " "build-san/fuzz-$name.log" | tail -2
  fi
done
exit $status
