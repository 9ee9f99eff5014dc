#!/usr/bin/env bash
# Runs every fuzz target in build directory $1 for $2 seconds each, starting
# from the seed corpus; fails on the first crash or sanitizer report.
set -euo pipefail
build=$1
seconds=${2:-20}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
passed=0 failed=0
for target in "$build"/fuzz/fuzz_*; do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  [ -d "$here/corpus/$name" ] && cp "$here/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  if ASAN_OPTIONS=detect_leaks=0 "$target" -max_total_time="$seconds" -timeout=10 \
       -artifact_prefix="$build/fuzz/$name-" "$corpus" >"$build/fuzz/$name.log" 2>&1; then
    echo "$name: $(grep -o 'stat::number_of_executed_units: [0-9]*\|#[0-9]*.*DONE.*' "$build/fuzz/$name.log" | tail -1)"
    passed=$((passed + 1))
  else
    echo "$name: FAILED"; tail -40 "$build/fuzz/$name.log"
    failed=$((failed + 1))
  fi
  rm -rf "$corpus"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
