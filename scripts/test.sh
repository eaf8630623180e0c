#!/usr/bin/env bash
# Installs what is missing for the tests too, builds everything, and runs every test
# without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/build.sh -DPLIVANE_BUILD_TESTS=ON -DPLIVANE_BUILD_BENCH=ON
cd "${PLIVANE_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
