#!/usr/bin/env bash
# Installs the Debian packages Plivane needs. Alone, what building and running need;
#   --tests    adds what the tests and benchmarks need,
#   --package  adds what making and checking the Debian package needs,
#   --ci       adds what only CI uses (a second build with Ninja, a display for the
#              installed package's check).
# It only installs packages (through sudo when not root) and does nothing when they are
# all present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n qt6-gtk-platformtheme
  fonts-liberation2 libcups2-dev libicu-dev libqt6svg6 zlib1g-dev libsqlite3-dev
  libebook1.2-dev
)
for group in "$@"; do
  case "$group" in
    --tests)
      packages+=(
        libpoppler-qt6-dev libbenchmark-dev libatspi2.0-dev at-spi2-core dbus-daemon
        clang libclang-rt-14-dev clang-format
        desktop-file-utils shared-mime-info libxml2-utils sqlite3 evolution-data-server
        xvfb xauth
      ) ;;
    --package)
      packages+=(dpkg-dev debhelper devscripts file lintian appstream desktop-file-utils) ;;
    --ci)
      packages+=(ninja-build xvfb xauth xdotool libglib2.0-bin weston) ;;
    *)
      echo "install-deps: unknown option $group (known: --tests, --package, --ci)" >&2
      exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
