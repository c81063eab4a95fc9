#!/usr/bin/env bash
# Runs one program on a virtual screen of its own (Xvfb, 1024 x 768), then
# ends the screen: how CTest runs the x11 back end's tests.
#   scripts/lib/x11-run.sh program [args...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# The one place that starts a virtual screen (no Wine is started here).
source "$here/wine-env.sh"
wine_start_screen 1024x768
"$@"
