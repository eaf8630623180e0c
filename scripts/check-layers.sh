#!/usr/bin/env bash
# Checks the layering that docs/ARCHITECTURE.md describes, over the includes of every
# source file and over the libraries each of our libraries links:
#   - a library that holds logic includes no Qt Widgets or Qt PrintSupport header and
#     links neither, directly or through another of our libraries;
#   - each part of the program includes only the parts below it (layout never print).
# Usage: scripts/check-layers.sh [BUILD_DIR]   (the links come from BUILD_DIR/plivane-liens.txt)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-${PLIVANE_BUILD_DIR:-build}}

# The part a source file belongs to, from its path; nothing for files outside the program.
part_of() {
  case "$1" in
    platform/widgets/*) echo platform_widgets ;;
    platform/*/*) echo "" ;;
    platform/*) echo platform ;;
    app/window/* | app/main.cpp) echo app_widgets ;;
    app/document/*) echo document ;;
    app/*/*) echo "" ;;
    app/*) echo settings ;;
    addresses/widgets/*) echo addresses_widgets ;;
    addresses/*/*) echo addresses ;;
    layout/widgets/*) echo layout_widgets ;;
    layout/*) echo layout ;;
    print/widgets/*) echo print_widgets ;;
    print/*) echo print ;;
    calendar/widgets/*) echo calendar_widgets ;;
    calendar/*) echo calendar ;;
    *) echo "" ;;
  esac
}

# What each part may include besides itself.
declare -A allowed=(
  [platform]=""
  [settings]="platform"
  [addresses]="platform settings"
  [document]="platform settings addresses"
  [layout]="platform settings addresses document"
  [print]="platform settings addresses document layout"
  [calendar]="platform"
  [platform_widgets]="platform"
  [addresses_widgets]="platform platform_widgets settings addresses document"
  [layout_widgets]="platform platform_widgets settings addresses document layout"
  [print_widgets]="platform platform_widgets settings addresses document layout print"
  [calendar_widgets]="platform platform_widgets calendar"
  [app_widgets]="platform platform_widgets settings addresses document layout print calendar addresses_widgets layout_widgets print_widgets calendar_widgets"
)

is_widgets_part() { [[ "$1" == *_widgets ]]; }

# Qt's widget headers, by name, as this machine's Qt has them.
qt_widget_headers=$(for d in /usr/include/*/qt6/QtWidgets /usr/include/*/qt6/QtPrintSupport \
                               /usr/include/qt6/QtWidgets /usr/include/qt6/QtPrintSupport; do
                      [ -d "$d" ] && ls "$d"
                    done | grep -E '^Q[A-Za-z0-9]+$' | sort -u || true)
if [ -z "$qt_widget_headers" ]; then
  echo "check-layers: Qt's QtWidgets headers were not found (package qt6-base-dev)." >&2
  exit 2
fi
declare -A widget_header=()
for h in $qt_widget_headers; do widget_header[$h]=1; done

faults=0
fault() {
  echo "check-layers: $*" >&2
  faults=$((faults + 1))
}

while IFS= read -r file; do
  part=$(part_of "$file")
  [ -n "$part" ] || continue
  while IFS=: read -r line include; do
    if [[ "$include" =~ ^\#include\ *\<(QtWidgets|QtPrintSupport)(/|\>) ]] ||
       { [[ "$include" =~ ^\#include\ *\<(Q[A-Za-z0-9]+)\> ]] && [ -n "${widget_header[${BASH_REMATCH[1]}]:-}" ]; }; then
      is_widgets_part "$part" || fault "$file:$line: a library that holds logic includes a Qt Widgets header: $include"
      continue
    fi
    if [[ "$include" =~ ^\#include\ *\"([^\"]+)\" ]]; then
      target=$(part_of "${BASH_REMATCH[1]}")
      [ -n "$target" ] && [ "$target" != "$part" ] || continue
      [[ " ${allowed[$part]} " == *" $target "* ]] ||
        fault "$file:$line: $part may not include $target: $include"
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file" | sed -E 's/:[[:space:]]*#[[:space:]]*include/:#include/')
done < <(find platform app addresses layout print calendar -name '*.h' -o -name '*.cpp' | sort)

# The libraries each of ours links, as the build's configuration wrote them.
links="$build_dir/plivane-liens.txt"
if [ ! -f "$links" ]; then
  echo "check-layers: $links is missing: configure the build first." >&2
  exit 2
fi
declare -A deps=()
while read -r target rest || [ -n "${target:-}" ]; do deps[$target]="$rest"; done < "$links"

reaches() {  # every library a target links, directly or through ours
  local -A seen=()
  local queue=("$1") t d
  while [ ${#queue[@]} -gt 0 ]; do
    t=${queue[0]}; queue=("${queue[@]:1}")
    for d in ${deps[$t]:-}; do
      [ -n "${seen[$d]:-}" ] && continue
      seen[$d]=1
      echo "$d"
      queue+=("$d")
    done
  done
}

for target in "${!deps[@]}"; do
  part=${target#plivane_}
  [ -n "${allowed[$part]+set}" ] || continue
  for d in $(reaches "$target"); do
    if ! is_widgets_part "$part"; then
      case "$d" in
        Qt6::Widgets | Qt6::PrintSupport | *_widgets)
          fault "$target links $d, which brings Qt Widgets into a library that holds logic" ;;
      esac
    fi
    dpart=${d#plivane_}
    [ "$dpart" != "$part" ] || continue
    if [[ "$d" == plivane_* ]] && [ -n "${allowed[$dpart]+set}" ] && [[ " ${allowed[$part]} " != *" $dpart "* ]]; then
      fault "$target links $d, a part it may not use"
    fi
  done
done

if [ "$faults" -gt 0 ]; then
  echo "check-layers: $faults fault(s); docs/ARCHITECTURE.md says which part may use which." >&2
  exit 1
fi
echo "check-layers: every include and every link keeps to the layers."
