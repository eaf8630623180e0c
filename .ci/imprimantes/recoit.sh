#!/bin/sh
# Run by each simulated printer for every document it receives: keeps, beside the
# document, the job's attributes as the printer received them (ippeveprinter hands them
# over as IPP_* variables), one per line, for the tests to read.
env | grep '^IPP_' | sort > "$1.attributs"
# A printer asked for a source it has no paper in cancels the job, as real ones do. The
# sources holding paper are listed in the file "bacs" beside the spool folder.
source=$(printf '%s\n' "$IPP_MEDIA_COL" | sed -n 's/.*media-source=\([a-z0-9-]*\).*/\1/p')
if [ -n "$source" ] && ! grep -qx "$source" "$(dirname "$1")/../bacs-$(basename "$(dirname "$1")")"; then
  echo "ERROR: no paper in $source" >&2
  exit 1
fi
exit 0
