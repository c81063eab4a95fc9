#!/usr/bin/env bash
# Makes the Linux packages from the native-release build (with Debian's
# hardening flags) and checks them: the .deb's listing, control fields and
# lintian's verdict (no error, no warning); the .rpm's listing and what it
# requires; the settings description's options against the program. As
# root the .deb is installed with apt (and removed again, unless it was
# installed before): the programs answer by name, their manual pages open,
# `tidelight --add-to-xscreensaver` adds the hack to a user's
# ~/.xscreensaver and xscreensaver's daemon runs it from there. Otherwise
# the daemon runs the program unpacked from the .deb.
#   scripts/check-deb.sh    -> out/tidelight_<version>_<arch>.deb, out/tidelight-<version>-1.<arch>.rpm
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "check-deb: $*" >&2; exit 1; }
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target tidelight tidelight-fx package-files
(cd build/native-release && cpack -G "DEB;RPM" >/dev/null)
deb=$(ls -t out/tidelight_*.deb | head -n 1)
rpm=$(ls -t out/tidelight-*.rpm | head -n 1)
echo "packages: $deb $rpm"

# The .deb: its files, the hack a link to the program, its fields.
contents=$(dpkg-deb -c "$deb")
listing=$(awk '$1 !~ /^d/ {print $6}' <<<"$contents" | sort)
expected="./usr/bin/tidelight
./usr/bin/tidelight-fx
./usr/libexec/xscreensaver/tidelight
./usr/share/doc/tidelight/changelog.gz
./usr/share/doc/tidelight/copyright
./usr/share/man/man1/tidelight-fx.1.gz
./usr/share/man/man1/tidelight.1.gz
./usr/share/xscreensaver/config/tidelight.xml"
[[ "$listing" == "$expected" ]] || fail "unexpected files in the .deb:"$'\n'"$listing"
grep -q ' ./usr/libexec/xscreensaver/tidelight -> ../../bin/tidelight$' <<<"$contents" ||
  fail "the hack is not a link to /usr/bin/tidelight"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libx11-6 libxext6 libxrandr2 libgstreamer1.0-0 gstreamer1.0-plugins-base gstreamer1.0-plugins-good \
    "gstreamer1.0-alsa | gstreamer1.0-pulseaudio"; do
  [[ "$depends" == *"$dep"* ]] || fail "Depends lacks $dep"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *"xscreensaver (>= 6)"* ]] || fail "Recommends lacks xscreensaver (>= 6)"
# Debian's checker: errors and warnings fail; informational tags are shown.
lintian --fail-on error,warning --display-info "$deb" 2> >(grep -v 'running with root privileges' >&2)

# The .rpm: the same files (rpm lists folders too, and the build-id links
# Fedora's tools add), the libraries and plugins it requires.
rpm_listing=$(rpm -qlp "$rpm" | grep -v '^/usr/lib/.build-id' | sort)
for f in $expected; do
  grep -qx "${f#.}" <<<"$rpm_listing" || fail "the .rpm lacks ${f#.}"
done
requires=$(rpm -qp --requires "$rpm")
for req in 'libX11.so.6()(64bit)' 'libgstreamer-1.0.so.0()(64bit)' \
    '(gstreamer1-plugins-base or gstreamer-plugins-base)' '(gstreamer1-plugins-good or gstreamer-plugins-good)'; do
  grep -qxF "$req" <<<"$requires" || fail ".rpm requires lack $req"
done
[[ $'\n'$(rpm -qp --recommends "$rpm")$'\n' == *$'\nxscreensaver >= 6\n'* ]] || fail ".rpm recommends lack xscreensaver >= 6"

# Every option the settings description can pass, the program accepts.
python3 - build/native-release/tidelight packaging/xscreensaver/tidelight.xml <<'EOF'
import subprocess, sys, xml.etree.ElementTree as t
program, root = sys.argv[1], t.parse(sys.argv[2]).getroot()
for e in root.iter():
    for key in ("arg", "arg-set", "arg-unset"):
        if key in e.attrib:
            args = e.attrib[key].replace("%", "12").split()
            r = subprocess.run([program, *args, "--version"], capture_output=True, text=True)
            if r.returncode != 0:
                sys.exit("tidelight.xml: tidelight refuses %s: %s" % (args, r.stderr.strip()))
EOF

work=build/deb-check
rm -rf "$work" && mkdir -p "$work"
if [[ $(id -u) -eq 0 ]] && ! dpkg-query -W tidelight >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install ./$deb failed"; }
  trap 'dpkg -r tidelight >/dev/null' EXIT
  # By name, from the PATH and the manual, as a user would.
  [[ $(tidelight --help) == *--add-to-xscreensaver* ]] || fail "tidelight --help"
  [[ $(tidelight-fx --help) == *--rotate* ]] || fail "tidelight-fx --help"
  [[ $(man -P cat tidelight-fx 2>/dev/null) == *NAME*tidelight-fx* ]] || fail "man tidelight-fx shows no page"
  # The page is --help's text: the newest option is in it.
  [[ $(man -P cat tidelight 2>/dev/null) == *NAME*add-to-xscreensaver* ]] || fail "man tidelight is not --help's text"
  python3 tests/e2e/x11_e2e.py --program /usr/bin/tidelight --work "$work" \
    --only xscreensaver --installed-hack tidelight
else
  dpkg-deb -x "$deb" "$work/root"
  python3 tests/e2e/x11_e2e.py --program "$work/root/usr/bin/tidelight" \
    --work "$work" --only xscreensaver
fi
