#!/usr/bin/env bash
# Fails when a C++ file of ours drifts from .clang-format. With --fix, formats them instead.
# clang-format comes from Debian's package of the same name (scripts/install-deps.sh --tests).
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
  echo "check-format: clang-format is not installed (package clang-format)." >&2
  exit 2
fi
mapfile -t files < <(find app addresses bench calendar layout platform print tests \
                       \( -name '*.cpp' -o -name '*.h' \) -not -path '*/corpus/*' | sort)
if [ "${1:-}" = "--fix" ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! "$format" --dry-run --Werror "${files[@]}" 2> "$report"; then
  grep -E '^[^ ].*(error|warning):' "$report" | cut -d: -f1 | sort -u | sed 's/^/check-format: not formatted: /' >&2
  echo "check-format: scripts/check-format.sh --fix formats them." >&2
  exit 1
fi
echo "check-format: every file keeps to .clang-format."
