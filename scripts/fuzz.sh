#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UBSan) and runs each
# one from its committed seed corpus.
#   scripts/fuzz.sh                 a bounded number of runs per target (the test command)
#   scripts/fuzz.sh --runs N        N runs per target
#   scripts/fuzz.sh --minutes N     N minutes per target
# New inputs go to build/fuzz/corpus/, never into the committed seeds; a
# crash leaves its input in build/fuzz/crashes/ and fails the script: keep it
# as a seed once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-runs=2000)
case "${1:-}" in
  --runs) limit=(-runs="$2") ;;
  --minutes) limit=(-max_total_time=$(( $2 * 60 ))) ;;
  "") ;;
  *) echo "usage: $0 [--runs N | --minutes N]" >&2; exit 2 ;;
esac
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/crashes
failed=0
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work="build/fuzz/corpus/$target"
  mkdir -p "$work"
  log="build/fuzz/$target.log"
  if "build/fuzz/tests/fuzz/$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build/fuzz/crashes/$target-" -print_final_stats=1 \
      "$work" "$seeds" >"$log" 2>&1; then
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    echo "ok: $target ($runs runs)"
  else
    echo "FAIL: $target (see $log)"; tail -20 "$log"; failed=1
  fi
done
exit $failed
