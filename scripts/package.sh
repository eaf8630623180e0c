#!/usr/bin/env bash
# Makes the Debian package from debian/ as a distribution does (dpkg-buildpackage -us -uc
# -b, on a copy of the tree so that the working folder stays clean) and checks it: its
# control fields, the files a desktop needs, AppStream and the menu entry, the hardened
# binary, and lintian --pedantic, where an error or a warning fails.
#   --twice  builds it a second time in another folder and requires the same bytes.
# The packages land in ./build/paquet (or $PLIVANE_BUILD_DIR/paquet).
set -euo pipefail
cd "$(dirname "$0")/.."
twice=false
for arg in "$@"; do
  case "$arg" in
    --twice) twice=true ;;
    *) echo "package: unknown option $arg (known: --twice)" >&2; exit 2 ;;
  esac
done
scripts/install-deps.sh --package
out=$(realpath -m "${PLIVANE_BUILD_DIR:-build}/paquet")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(dpkg-parsechangelog -S Version)

# Builds from the files git knows (new ones included), in $1/plivane-<version>.
build_in() {
  local source=$1/plivane-$version
  mkdir -p "$source"
  git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$source"
  (cd "$source" && dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$1/build.log" 2>&1 \
    || { tail -n 60 "$1/build.log" >&2; echo "package: dpkg-buildpackage failed" >&2; exit 1; }
}

build_in "$work/a"
rm -rf "$out" && mkdir -p "$out"
cp "$work"/a/*.deb "$work"/a/*.changes "$work"/a/*.buildinfo "$out"/
deb=$out/plivane_${version}_amd64.deb
failures=()

if $twice; then
  build_in "$work/second-build"
  for first in "$work"/a/*.deb; do
    second=$work/second-build/$(basename "$first")
    cmp -s "$first" "$second" || failures+=("$(basename "$first") differs between two builds")
  done
fi

field() { dpkg-deb --field "$deb" "$1"; }
depends=$(field Depends)
[ "$(field Maintainer)" != "" ] && ! grep -q example <<<"$(field Maintainer)" \
  || failures+=("the Maintainer field is a placeholder")
for needed in 'libqt6widgets6 (>=' 'libqt6printsupport6 (>=' 'libcups2 (>=' 'libc6 (>=' \
    qt6-translations-l10n qt6-wayland libqt6svg6 fonts-liberation2 fonts-dejavu-core; do
  grep -qF "$needed" <<<"$depends" || failures+=("Depends lacks $needed")
done

# Evolution's library is loaded when present, so that the program starts without it.
grep -q libebook <<<"$depends" && failures+=("Depends names Evolution's library, which is only loaded")
grep -qF evolution-data-server <<<"$(field Recommends)" || failures+=("Recommends lacks evolution-data-server")

contents=$(dpkg-deb --contents "$deb")
for path in usr/bin/plivane usr/share/applications/plivane.desktop \
    usr/share/metainfo/org.plivane.plivane.metainfo.xml \
    usr/share/mime/packages/plivane.xml usr/share/icons/hicolor/scalable/apps/plivane.svg \
    usr/share/icons/hicolor/48x48/apps/plivane.png \
    usr/share/man/man1/plivane.1.gz usr/share/man/fr/man1/plivane.1.gz \
    usr/share/icons/hicolor/scalable/mimetypes/application-x-plivane.svg \
    usr/share/doc/plivane/copyright usr/share/doc/plivane/changelog.gz; do
  grep -q " \./$path\$" <<<"$contents" || failures+=("the package lacks /$path")
done

tree=$work/contents
dpkg-deb --extract "$deb" "$tree"
appstreamcli validate --no-net --pedantic "$tree"/usr/share/metainfo/*.xml \
  || failures+=("appstreamcli rejects the metainfo file (above)")
desktop-file-validate "$tree"/usr/share/applications/plivane.desktop \
  || failures+=("desktop-file-validate rejects the menu entry (above)")
# Debian 12's own C start files carry no control-flow note, so the linker can give none to
# any program linked there (every binary of Debian 12 fails that line): the code's own
# protection is checked in the code instead: only -fcf-protection puts landing instructions
# in it (the start files have none, and the program links no static library of Debian's).
hardening-check --nocfprotection "$tree"/usr/bin/plivane || failures+=("hardening-check fails (above)")
objdump -d "$tree"/usr/bin/plivane | grep -c endbr64 >/dev/null \
  || failures+=("the program was built without control-flow protection (-fcf-protection)")

lintian --pedantic --fail-on error,warning "$out"/*.changes || failures+=("lintian reports errors or warnings (above)")

if [ ${#failures[@]} -gt 0 ]; then
  printf 'package: %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "package: $deb is complete$($twice && echo ', two builds gave the same bytes'), and lintian --pedantic reports no error or warning."
