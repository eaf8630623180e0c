#!/usr/bin/env bash
# CI only, as root on a throwaway machine: installs the Debian package as a user does
# (apt-get install ./plivane_*.deb), then, on a virtual display, starts the program from
# its menu entry and opens an address file as a file manager's double click does (gio, the
# desktop's own launcher, reads the .PLV file type and its default program), checks each
# time that the window comes up with the expected title, does both again in a Wayland
# session, and purges the package again.
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
  debs=("${PLIVANE_BUILD_DIR:-build}"/paquet/plivane_*_amd64.deb)
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

# A Wayland session, as GNOME's default one, on a headless Weston and with no X display at
# all, so that only Qt's Wayland plugin (which the package must bring) can show the window.
# WAYLAND_DEBUG logs each request the program makes of the compositor, the window's title
# among them; every other line it writes is a message a user would see, and must be French.
weston --backend=headless-backend.so --socket=plivane-wayland --idle-time=0 \
  --log="$work/weston.log" &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/plivane-wayland" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/plivane-wayland" ] \
  || { cat "$work/weston.log" >&2; echo "check-installed-package: Weston did not start" >&2; exit 1; }
wayland() {
  env -u DISPLAY -u QT_QPA_PLATFORM -u XDG_CURRENT_DESKTOP WAYLAND_DISPLAY=plivane-wayland \
    XDG_SESSION_TYPE=wayland "$@"
}
wayland WAYLAND_DEBUG=client plivane "$work/Amis.PLV" >"$work/wayland.log" 2>&1 &
program=$!
for _ in $(seq 200); do
  grep -q 'set_title(".*Fichier en cours : Amis\.PLV")' "$work/wayland.log" && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" || true
said=$(grep -v '^\[ *[0-9]*\.[0-9]*\]' "$work/wayland.log" || true)
if ! grep -q 'set_title(".*Fichier en cours : Amis\.PLV")' "$work/wayland.log" || [ -n "$said" ]; then
  tail -n 20 "$work/wayland.log" >&2
  echo "check-installed-package: under Wayland, no window for Amis.PLV, or messages (above)" >&2
  exit 1
fi
said=$(wayland plivane --pdf "$work/wayland.pdf" "$work/Amis.PLV" 2>&1) \
  || { echo "$said" >&2; echo "check-installed-package: the print to PDF failed under Wayland" >&2; exit 1; }
if [ "$said" != "9 enveloppes imprimées dans $work/wayland.pdf" ] || ! head -c 5 "$work/wayland.pdf" | grep -q '%PDF-'; then
  echo "$said" >&2
  echo "check-installed-package: the print to PDF under Wayland said something else (above)" >&2
  exit 1
fi
kill "$weston_pid"
wait "$weston_pid" || true
echo "check-installed-package: under Wayland, the window opened Amis.PLV and the print to PDF said only: $said"

purge
if [ -e /usr/bin/plivane ] || grep -q plivane /usr/share/applications/mimeinfo.cache 2>/dev/null; then
  echo "check-installed-package: purging the package left the program or its file type behind" >&2
  exit 1
fi
echo "check-installed-package: installed, started from the menu, opened a .PLV, purged."
