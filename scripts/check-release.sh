#!/usr/bin/env bash
# The release archive and installers: made by their own command from the
# preset builds, then once more from nothing in other build folders; the two
# must be the same bytes, and they must hold what the guide promises.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --workflow --preset release
again="$PWD/build/release-again"
rm -rf "$again"
cmake --preset release -B "$again" -DTIDELIGHT_RELEASE_BUILDS="$again" \
  -DTIDELIGHT_RELEASE_OUT="$again/out" >/dev/null
cmake --build "$again" --target release
python3 tests/release/archive_test.py out/Tidelight-1.00-windows.zip \
  "$again/out/Tidelight-1.00-windows.zip"
