#!/usr/bin/env bash
# Refreshes resources/codes-postaux.tsv, the table of French postcodes and localities that
# the address check reads, from the npm package codes-postaux (MIT; data from INSEE's
# official geographic code and the DGFiP). Only this script needs npm and the network; the
# program carries the table in its resources.
#
#   scripts/codes-postaux.sh [VERSION]     (default: the version the table was made from)
#
# The table is one line per postcode and locality, sorted:
#   codePostal <TAB> libelleAcheminement <TAB> nomCommune
# after a header that records the package, its tarball's checksum, how many pairs the
# package holds, and the count and SHA-256 of the table's lines, so that a test can tell
# the committed table from a hand-edited or truncated one.
set -euo pipefail
cd "$(dirname "$0")/.."

version=${1:-4.1.2}
out=resources/codes-postaux.tsv
min_pairs=30000 # France has about 35,000 communes: far fewer means a broken package

command -v npm >/dev/null || { echo "codes-postaux: npm is needed (apt-get install npm)." >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && npm pack --silent "codes-postaux@$version" >/dev/null)
tarball=$(ls "$work"/codes-postaux-*.tgz)
tar -xzf "$tarball" -C "$work"
shasum=$(sha1sum "$tarball" | cut -d' ' -f1)
expected=$(npm view "codes-postaux@$version" dist.shasum)
[ "$shasum" = "$expected" ] || { echo "codes-postaux: tarball checksum $shasum, registry says $expected." >&2; exit 1; }

WORK="$work" VERSION="$version" MIN_PAIRS="$min_pairs" node - >"$work/body.tsv" <<'JS'
const fs = require('fs');
const dir = process.env.WORK + '/package/';
const meta = JSON.parse(fs.readFileSync(dir + 'package.json', 'utf8'));
if (meta.version !== process.env.VERSION)
  throw new Error(`package version ${meta.version}, asked ${process.env.VERSION}`);
const pairs = JSON.parse(fs.readFileSync(dir + 'codes-postaux.json', 'utf8'));
if (!Array.isArray(pairs) || pairs.length < Number(process.env.MIN_PAIRS))
  throw new Error(`only ${pairs.length} pairs in codes-postaux.json`);
const clean = s => String(s).replace(/[\t\r\n]/g, ' ').trim();
const lines = new Set();
for (const p of pairs) {
  if (!/^\d{5}$/.test(p.codePostal) || !p.libelleAcheminement || !p.nomCommune)
    throw new Error('unexpected record ' + JSON.stringify(p));
  lines.add([p.codePostal, clean(p.libelleAcheminement), clean(p.nomCommune)].join('\t'));
}
// Byte order, so that the table is the same whatever the machine's locale.
const sorted = [...lines].sort((a, b) => (Buffer.compare(Buffer.from(a), Buffer.from(b))));
process.stdout.write(sorted.join('\n') + '\n');
fs.writeFileSync(process.env.WORK + '/pairs', String(pairs.length));
JS

lines=$(wc -l <"$work/body.tsv")
sha=$(sha256sum "$work/body.tsv" | cut -d' ' -f1)
{
  echo "# codes-postaux $version (npm, MIT), tarball sha1 $shasum"
  echo "# paires $(cat "$work/pairs") lignes $lines sha256 $sha"
  cat "$work/body.tsv"
} >"$out"
echo "codes-postaux: $out, $lines lines from codes-postaux $version."
