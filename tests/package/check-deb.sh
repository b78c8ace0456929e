#!/usr/bin/env bash
# Builds the .deb from an already built tree and checks what a user's apt and desktop will see.
# Usage: check-deb.sh BUILD_DIR
set -euo pipefail
build=$1
id=io.github.marquee_sketch.MarqueeSketch
# A scratch folder of its own, so a .deb the user made in the build folder is left alone.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack"
    exit 1
fi
debs=("$scratch"/marquee-sketch_*_*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
    ls "$scratch"
    echo "FAIL: expected one marquee-sketch_<version>_<arch>.deb"
    exit 1
fi
deb=${debs[0]}
echo "package: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in usr/bin/marquee-sketch usr/bin/marquee-sketch-cli \
    usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/marquee-sketch.svg \
    usr/share/man/man1/marquee-sketch-cli.1.gz; do
    grep -qx "\./$path" <<<"$contents" || fail "$path is not in the package"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Debian 13 renamed some libraries for 64-bit time (libqt6core6t64).
for pkg in fonts-arphic-uming fonts-cns11643-kai gcc-avr binutils-avr avr-libc arduino-core-avr avrdude qt6-translations-l10n \
    libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
    grep -Eq "(^|, )$pkg(t64)?( |,|$)" <<<"$depends" || fail "Depends lacks $pkg"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"

# help2man must have read the real --help, not an error or an empty page.
man=$(zcat "$root/usr/share/man/man1/marquee-sketch-cli.1.gz")
grep -qF -- '\-\-list\-ports' <<<"$man" ||
    fail "the man page does not list --list-ports"

out=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) ||
    fail "desktop-file-validate failed"
[[ -z $out ]] || fail "desktop-file-validate: $out"

# The metainfo on its own, then with the desktop file and icon it names, as installed.
# AppStream before 1.0 (Debian 12) does not know the <developer> tag that 1.0 asks for.
notes() { grep -E '^ *[EWI]:' | grep -v 'unknown-tag developer$'; }
out=$(appstreamcli validate --no-net --no-color "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
notes <<<"$out" >/dev/null && fail "appstreamcli validate: $out"
out=$(appstreamcli validate-tree --no-net --no-color "$root" 2>&1) ||
    fail "appstreamcli validate-tree: $out"
notes <<<"$out" >/dev/null && fail "appstreamcli validate-tree: $out"

[[ $failures -eq 0 ]] || exit 1
echo "package checks passed"
