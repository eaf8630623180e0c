#!/usr/bin/env bash
# Refreshes resources/formats-pays.tsv, how each country lays out the locality lines of an
# address (postcode, town, region), from OpenCage's address templates as the npm package
# @fragaria/address-formatter carries them (MIT; templates © OpenCage GmbH, MIT). Only
# this script needs npm and the network; the program carries the table in its resources.
#
#   scripts/formats-pays.sh [VERSION]
#
# One line per country: ISO code <TAB> its locality lines joined by "|", with the tokens
# {cp}, {ville} and {region}; then, for Canada and the United States, one line per
# province or state: "CA:" or "US:" and its name <TAB> its code. The street lines stay as
# the user wrote them, and France's own lines are the program's.
set -euo pipefail
cd "$(dirname "$0")/.."

version=${1:-6.7.1}
out=resources/formats-pays.tsv
command -v npm >/dev/null || { echo "formats-pays: npm is needed (apt-get install npm)." >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "@fragaria/address-formatter@$version" >/dev/null && tar -xzf ./*.tgz)
shasum=$(sha1sum "$work"/*.tgz | cut -d' ' -f1)
expected=$(npm view "@fragaria/address-formatter@$version" dist.shasum)
[ "$shasum" = "$expected" ] || { echo "formats-pays: tarball checksum $shasum, registry says $expected." >&2; exit 1; }

WORK="$work" node - >"$work/body.tsv" <<'JS'
const dir = process.env.WORK + '/package/src/templates/';
const templates = require(dir + 'templates.json');
const states = require(dir + 'state-codes.json');
const TOWN = ['postal_city', 'city', 'town'];
const REGION = ['state_code', 'state', 'county_code', 'county'];
const tokens = s => [...s.matchAll(/\{\{\{(\w+)\}\}\}/g)].map(m => m[1]);
function kind(names) {
  if (names.includes('country')) return '';
  if (names.some(n => TOWN.includes(n))) return '{ville}';
  if (names.some(n => REGION.includes(n))) return '{region}';
  return '';
}
function lines(template) {
  const out = [];
  for (let line of template.split('\n')) {
    line = line.replace(/\{\{#first\}\}(.*?)\{\{\/first\}\}/g, (_, group) => kind(tokens(group)));
    line = line.replace(/\{\{\{(\w+)\}\}\}/g, (_, n) => (n === 'postcode' ? '{cp}' : kind([n])));
    line = line.replace(/\s+/g, ' ').replace(/^[\s,-]+|[\s,-]+$/g, '');
    if (/\{cp\}|\{ville\}/.test(line) || (line === '{region}' && out.length)) out.push(line);
  }
  return out;
}
const rows = [];
for (const [code, entry] of Object.entries(templates)) {
  if (!/^[A-Z]{2}$/.test(code) || code === 'FR') continue;
  let e = entry;
  for (let i = 0; e && e.use_country && i < 5; ++i) e = templates[e.use_country];
  let t = e && e.address_template;
  if (t && templates[t]) t = templates[t];
  if (typeof t !== 'string') continue;
  let l = lines(t);
  // Canada Post's own rule: the province's code after the town, two spaces before the
  // postcode, no comma.
  if (code === 'CA') l = ['{ville} {region}  {cp}'];
  if (l.length) rows.push(`${code}\t${l.join('|')}`);
}
for (const country of ['CA', 'US'])
  for (const s of states[country] || []) {
    const names = typeof s.name === 'string' ? [s.name] : Object.values(s.name);
    for (const n of new Set(names)) rows.push(`${country}:${n}\t${s.key}`);
  }
const sorted = rows.sort((a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b)));
process.stdout.write(sorted.join('\n') + '\n');
JS

{
  echo "# @fragaria/address-formatter $version (npm, MIT; OpenCage address-formatting templates, MIT), tarball sha1 $shasum"
  cat "$work/body.tsv"
} >"$out"
echo "formats-pays: $out, $(wc -l <"$work/body.tsv") lines."
