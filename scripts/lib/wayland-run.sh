#!/usr/bin/env bash
# Runs one program on a headless sway of its own (two outputs, software
# rendering, no input devices), as the ordinary user tidelight-saver when
# run as root (sway refuses root), then ends the compositor: how CTest runs
# the Wayland back end's tests and the end-to-end case starts its desktop.
#   scripts/lib/wayland-run.sh program [args...]
# The program sees WAYLAND_DISPLAY, XDG_RUNTIME_DIR, SWAYSOCK and the
# compositor's process id as TIDELIGHT_COMPOSITOR_PID. The outputs' size
# and number: TIDELIGHT_WAYLAND_SIZE (1024x768), TIDELIGHT_WAYLAND_OUTPUTS (2).
set -euo pipefail
user=tidelight-saver
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  id "$user" >/dev/null 2>&1 || useradd --create-home --shell /usr/sbin/nologin "$user"
  as_user=(runuser -u "$user" --)
fi
runtime="$(mktemp -d /tmp/tidelight-wayland.XXXXXX)"
chmod 700 "$runtime"
[[ ${#as_user[@]} -gt 0 ]] && chown "$user" "$runtime"
# Each output a size and a desktop colour of its own, side by side.
size=${TIDELIGHT_WAYLAND_SIZE:-1024x768}
cat >"$runtime/config" <<CONF
output HEADLESS-1 resolution $size position 0 0 bg #204080 solid_color
output HEADLESS-2 resolution $size position ${size%%x*} 0 bg #806020 solid_color
CONF
chmod 644 "$runtime/config"
env=(XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman
     WLR_LIBINPUT_NO_DEVICES=1 WLR_HEADLESS_OUTPUTS=${TIDELIGHT_WAYLAND_OUTPUTS:-2} HOME="$runtime")
"${as_user[@]}" env "${env[@]}" sway -c "$runtime/config" >"$runtime/sway.log" 2>&1 &
sway_pid=$!
cleanup() {
  # runuser's children outlive a signal to runuser: end sway by its own id.
  for pid in $(pgrep -P "$sway_pid" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
  kill "$sway_pid" 2>/dev/null || true
  wait "$sway_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT
# Ready once its socket answers.
for _ in $(seq 200); do
  sock=$(ls "$runtime"/sway-ipc.*.sock 2>/dev/null | head -1 || true)
  if [[ -n $sock ]] && "${as_user[@]}" env XDG_RUNTIME_DIR="$runtime" SWAYSOCK="$sock" swaymsg -t get_outputs >/dev/null 2>&1; then
    break
  fi
  sleep 0.1
done
[[ -n ${sock:-} ]] || { cat "$runtime/sway.log" >&2; echo "wayland-run: sway did not start" >&2; exit 1; }
display=$(basename "$(ls "$runtime"/wayland-[0-9] | head -1)")
# sway itself, under runuser when run as root.
compositor=$(pgrep -P "$sway_pid" -x sway || echo "$sway_pid")
"${as_user[@]}" env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$display" SWAYSOCK="$sock" \
  TIDELIGHT_COMPOSITOR_PID="$compositor" "$@"
