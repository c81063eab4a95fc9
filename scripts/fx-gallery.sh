#!/usr/bin/env bash
# Renders every effect of tidelight-fx on a sample picture of our own into
# one labelled contact sheet.
#
# usage: scripts/fx-gallery.sh [OUT.png]       (default: docs/fx-gallery.png)
# Builds the native tidelight-fx first; needs python3, ImageMagick's montage
# and the DejaVu Sans font (Debian's fonts-dejavu-core, which scripts/setup.sh
# installs): the labels name their font, since ImageMagick's default one
# comes only with a package it merely recommends.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/fx-gallery.png}"
fx=build/native/tidelight-fx
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[[ -f $font ]] || { echo "fx-gallery: $font is missing (Debian's fonts-dejavu-core)" >&2; exit 1; }

cmake --preset native >/dev/null
cmake --build --preset native --target tidelight-fx >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 scripts/fx_sample.py 200 130 "$work/sample.png"

tiles=(-label original "$work/sample.png")
n=0
# One line per effect: name, arguments, engine call, summary, example chain
# (tab-separated; the arguments may be empty, so fields are cut, not read).
while IFS= read -r line; do
  name=$(cut -f1 <<<"$line")
  example=$(cut -f5 <<<"$line")
  n=$((n + 1))
  tile=$(printf '%s/%02d-%s.png' "$work" "$n" "$name")
  # The example is a chain of words, split as the shell would; a fixed seed
  # gives the same dots on every run.
  read -r -a chain <<<"$example"
  "$fx" "$work/sample.png" "${chain[@]}" --seed 1 -o "$tile"
  tiles+=(-label "$example" "$tile")
done < <("$fx" --list)

mkdir -p "$(dirname "$out")"
montage "${tiles[@]}" -tile 5x -geometry +6+6 -font "$font" -pointsize 11 -background '#1e1e24' -fill '#e8e8e8' \
  -title "tidelight-fx: $n effects" "$out"
echo "wrote $out ($n effects)"
