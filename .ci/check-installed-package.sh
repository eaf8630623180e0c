#!/usr/bin/env bash
# CI only, as root on a throwaway machine: installs the Debian package as a user does
# (apt-get install ./plivane_*.deb), then, on a virtual display, starts the program from
# its menu entry and opens an address file as a file manager's double click does (gio, the
# desktop's own launcher, reads the .PLV file type and its default program), checks each
# time that the window comes up with the expected title, and purges the package again.
# Usage: .ci/check-installed-package.sh [plivane_<version>_amd64.deb]
# Do not run it on your own machine: it installs and removes a system package.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "check-installed-package: must run as root (CI only); nothing done." >&2
  exit 1
fi
scripts/install-deps.sh --ci

if [ $# -gt 0 ]; then
  deb=$(realpath "$1")
else
  debs=("${PLIVANE_BUILD_DIR:-build}"/plivane_*_amd64.deb)
  deb=$(realpath "${debs[0]}")
fi
[ -f "$deb" ] || { echo "check-installed-package: no package $deb; run scripts/package.sh" >&2; exit 1; }

purge() {
  DEBIAN_FRONTEND=noninteractive apt-get purge -y plivane >/dev/null 2>&1 || true
}
work=$(mktemp -d)
trap 'purge; rm -rf "$work"' EXIT
purge  # a package left by an earlier run would hide a failing install
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb"

cp tests/data/plv/Amis.PLV tests/data/plv/Logo.bmp "$work"/
content_type=$(gio info -a standard::content-type "$work/Amis.PLV" | sed -n 's/^ *standard::content-type: //p')
[ "$content_type" = application/x-plivane ] \
  || { echo "check-installed-package: a .PLV file is seen as '$content_type'" >&2; exit 1; }
grep -q '^Default application .*: plivane.desktop$' <<<"$(gio mime application/x-plivane)" \
  || { echo "check-installed-package: plivane.desktop does not open .PLV files" >&2; exit 1; }

# Runs on the virtual display: launches with the given gio command, waits for a window
# whose title matches, then ends that program by the process id its window carries.
cat >"$work/launch.sh" <<'EOF'
set -eu
expected=$1; shift
gio "$@"
window=$(timeout 60 xdotool search --sync --name "$expected" | head -n 1)
if [ -z "$window" ]; then
  echo "check-installed-package: no window titled '$expected' after gio $*" >&2
  exit 1
fi
echo "check-installed-package: gio $* shows '$(xdotool getwindowname "$window")'"
pid=$(xdotool getwindowpid "$window")
kill "$pid"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
EOF
export LC_ALL=C.UTF-8 XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb-run -a sh "$work/launch.sh" '^Plivane - Version ' launch /usr/share/applications/plivane.desktop
xvfb-run -a sh "$work/launch.sh" 'Fichier en cours : Amis\.PLV$' open "$work/Amis.PLV"

purge
if [ -e /usr/bin/plivane ] || grep -q plivane /usr/share/applications/mimeinfo.cache 2>/dev/null; then
  echo "check-installed-package: purging the package left the program or its file type behind" >&2
  exit 1
fi
echo "check-installed-package: installed, started from the menu, opened a .PLV, purged."
