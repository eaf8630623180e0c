#!/usr/bin/env bash
# Installs what is missing, builds and starts Plivane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec "${PLIVANE_BUILD_DIR:-build}/app/window/plivane" "$@"
