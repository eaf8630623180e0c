#!/usr/bin/env bash
# Installs what building and running need, builds the program alone and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DPLIVANE_BUILD_TESTS=OFF -DPLIVANE_BUILD_BENCH=OFF
exec "${PLIVANE_BUILD_DIR:-build}/app/window/plivane" "$@"
