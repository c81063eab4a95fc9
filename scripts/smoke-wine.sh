#!/usr/bin/env bash
# Starts the real program under Wine with a command line that must end it at
# once, and checks that it does.
set -euo pipefail
scr="$1"
run="$(dirname "$0")/lib/wine-run.sh"
for args in "/a" "/"; do
  start=$(date +%s)
  timeout 60 "$run" "$scr" "$args" || { echo "FAIL: $scr $args did not end cleanly"; exit 1; }
  echo "ok: $scr $args ended at once ($(( $(date +%s) - start )) s)"
done
