#!/usr/bin/env bash
# Makes the Debian package of the Linux program from the native-release build
# and checks it: its listing (the program where xscreensaver finds hacks, the
# settings description where xscreensaver-settings finds them), its control
# fields, and that xscreensaver runs what it holds. As root the package is
# installed for the check and removed again (unless it was installed
# before); otherwise the daemon runs the program unpacked from it.
#   scripts/check-deb.sh            -> out/tidelight_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target tidelight
(cd build/native-release && cpack -G DEB >/dev/null)
deb=$(ls -t out/tidelight_*.deb | head -n 1)
echo "package: $deb"

listing=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
expected=$'./usr/libexec/xscreensaver/tidelight\n./usr/share/xscreensaver/config/tidelight.xml'
[[ "$listing" == "$expected" ]] || { echo "unexpected files in the package:"; echo "$listing"; exit 1; }
for lib in libx11-6 libxext6 libxrandr2 libgstreamer1.0-0; do
  dpkg-deb -f "$deb" Depends | grep -q "$lib" || { echo "Depends lacks $lib"; exit 1; }
done
dpkg-deb -f "$deb" Recommends | grep -q xscreensaver || { echo "Recommends lacks xscreensaver"; exit 1; }
python3 -c "import sys, xml.etree.ElementTree as t; t.parse(sys.argv[1])" \
  packaging/xscreensaver/tidelight.xml

work=build/deb-check
rm -rf "$work" && mkdir -p "$work"
if [[ $(id -u) -eq 0 ]] && ! dpkg-query -W tidelight >/dev/null 2>&1; then
  dpkg -i "$deb" >/dev/null
  trap 'dpkg -r tidelight >/dev/null' EXIT
  python3 tests/e2e/x11_e2e.py --program /usr/libexec/xscreensaver/tidelight --work "$work" \
    --only xscreensaver --installed-hack tidelight
else
  dpkg-deb -x "$deb" "$work/root"
  python3 tests/e2e/x11_e2e.py --program "$work/root/usr/libexec/xscreensaver/tidelight" \
    --work "$work" --only xscreensaver
fi
