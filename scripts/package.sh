#!/usr/bin/env bash
# Makes the Debian package plivane_<version>_amd64.deb in ./build (or $PLIVANE_BUILD_DIR),
# building what is missing (the program alone when the folder is new), and checks it: its
# control fields, the files a desktop needs, and lintian's verdict (an error fails, a
# warning is shown).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package
build_dir=${PLIVANE_BUILD_DIR:-build}
if [ -f "$build_dir/CMakeCache.txt" ]; then
  cmake --build "$build_dir" -j "$(nproc)"
else
  scripts/build.sh -DPLIVANE_BUILD_TESTS=OFF -DPLIVANE_BUILD_BENCH=OFF
fi
rm -f "$build_dir"/plivane_*.deb
(cd "$build_dir" && cpack -G DEB)

debs=("$build_dir"/plivane_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "package: cpack made no plivane_*.deb in $build_dir" >&2; exit 1; }
failures=()

field() { dpkg-deb --field "$deb" "$1"; }
depends=$(field Depends)
description=$(field Description)
[ "$(field Package)" = plivane ] || failures+=("Package is not plivane")
[ "$(field Architecture)" = amd64 ] || failures+=("Architecture is not amd64")
[ "$(basename "$deb")" = "plivane_$(field Version)_amd64.deb" ] \
  || failures+=("$(basename "$deb") is not named plivane_<version>_amd64.deb")
# Computed from the binary: the Qt libraries it links, at the versions it was built with.
for needed in 'libqt6widgets6 (>=' 'libqt6printsupport6 (>=' 'libc6 (>=' qt6-translations-l10n fonts-liberation2; do
  grep -qF "$needed" <<<"$depends" || failures+=("Depends lacks $needed")
done
grep -q 'envelopes' <<<"$description" || failures+=("Description has no English text")
grep -q 'enveloppes' <<<"$description" || failures+=("Description has no French text")

contents=$(dpkg-deb --contents "$deb")
for path in usr/bin/plivane usr/share/applications/plivane.desktop \
    usr/share/mime/packages/plivane.xml usr/share/icons/hicolor/scalable/apps/plivane.svg \
    usr/share/icons/hicolor/48x48/apps/plivane.png usr/share/man/man1/plivane.1.gz \
    usr/share/icons/hicolor/scalable/mimetypes/application-x-plivane.svg \
    usr/share/doc/plivane/copyright usr/share/doc/plivane/changelog.gz; do
  grep -q " \./$path\$" <<<"$contents" || failures+=("the package lacks /$path")
done
# Everything under /usr/bin and /usr/share, owned by root, writable by root alone.
misplaced=$(awk '$6 !~ /^\.\/usr\/((bin|share)(\/.*)?)?$/ { print "outside /usr/bin and /usr/share: " $6 }
                 $2 != "root/root" { print "not owned by root: " $6 }
                 $1 ~ /^.....w/ || $1 ~ /^........w/ { print "writable by others than root: " $6 }' \
            <<<"$contents")
if [ -n "$misplaced" ]; then
  while IFS= read -r line; do failures+=("$line"); done <<<"$misplaced"
fi

# lintian reports errors (E:), warnings (W:) and notes; only errors stop the package.
lintian --fail-on error "$deb" || failures+=("lintian reports errors (above)")

if [ ${#failures[@]} -gt 0 ]; then
  printf 'package: %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "package: $deb is complete and lintian reports no error."
