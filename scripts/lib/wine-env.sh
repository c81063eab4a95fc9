# Wine and a virtual screen for the test scripts. Source it, don't run it:
#
#   source scripts/lib/wine-env.sh
#   wine_start_screen 1024x768        # an Xvfb of that size; exports DISPLAY
#   wine_use_prefix build/wineprefix  # exports WINEPREFIX; creates and boots it once
#   "$WINE" program.exe args...
#
# When the sourcing shell exits, commands given to wine_at_exit run, then the
# prefix's Wine server is ended and every Xvfb started here is killed; the
# shell must not set an EXIT trap of its own.
# Displays are taken from TIDELIGHT_DISPLAYS (first-last, default 120-139),
# the first one free, so that several runs on one machine never meet.

WINE=/usr/lib/wine/wine64
WINESERVER="${WINE%/*}/wineserver64"
: "${WINEDEBUG:=-all}"
export WINEDEBUG

_wine_env_xvfb=()
_wine_env_at_exit=()
_wine_env_lock=""

wine_at_exit() { _wine_env_at_exit+=("$1"); }

_wine_env_exit() {
  local c p
  for c in "${_wine_env_at_exit[@]}"; do eval "$c" || true; done
  # A server outliving its screen would hand the next program a dead display.
  [[ -n "$_wine_env_lock" ]] && { "$WINESERVER" -k 2>/dev/null || true; }
  for p in "${_wine_env_xvfb[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${_wine_env_xvfb[@]}"; do wait "$p" 2>/dev/null || true; done
}
trap _wine_env_exit EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# wine_start_screen WIDTHxHEIGHT [Xvfb options...]: starts Xvfb on the first
# free display of the range and waits until it takes connections.
wine_start_screen() {
  local size="$1"; shift
  local range="${TIDELIGHT_DISPLAYS:-120-139}" n pid
  for ((n = ${range%-*}; n <= ${range#*-}; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset "$@" >/dev/null 2>&1 &
    pid=$!
    # Another run may take the same number at the same moment: then Xvfb
    # ends at once and the next number is tried.
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      # The socket may be another run's server: the lock names the owner.
      if [[ -S /tmp/.X11-unix/X$n && "$(tr -d ' ' < /tmp/.X$n-lock 2>/dev/null)" == "$pid" ]]; then
        _wine_env_xvfb+=("$pid")
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  echo "wine-env: no free display in $range for Xvfb" >&2
  return 1
}

# wine_use_prefix DIR: exports WINEPREFIX=DIR, creates the prefix the first
# time (so that its first-start messages never mix into a test's output) and
# keeps it for this shell alone until it exits: a prefix's server serves one
# screen, and ending it at exit must not end another run's program.
wine_use_prefix() {
  mkdir -p "$(dirname "$1")"
  WINEPREFIX="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
  export WINEPREFIX
  exec {_wine_env_lock}>"$WINEPREFIX.lock"
  flock "$_wine_env_lock"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    "$WINE" wineboot -i >/dev/null 2>&1 || true
  fi
  # A server left from an earlier run may belong to a screen that is gone.
  "$WINESERVER" -w || true
}

# wine_path FILE: the file's path as a Windows program sees it (drive Z:).
wine_path() {
  local p
  p="$(readlink -m "$1")"
  printf 'Z:%s' "${p//\//\\}"
}
