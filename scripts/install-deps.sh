#!/usr/bin/env bash
# Installs the Debian packages Plivane needs to build, run and test. It only installs
# packages (through sudo when not root) and does nothing when they are all present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-l10n-tools qt6-gtk-platformtheme
  fonts-liberation2
  libpoppler-qt6-dev libbenchmark-dev
  clang libclang-rt-14-dev
  desktop-file-utils shared-mime-info libxml2-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
