#!/usr/bin/env bash
# Refreshes resources/codes-postaux.tsv, the table of French postcodes and localities that
# the address check reads, from two npm packages (both MIT):
# - @etalab/decoupage-administratif: every commune with its postcodes, the communes
#   déléguées and associées of the communes nouvelles, the overseas collectivities;
# - codes-postaux: the localities La Poste routes by that are no commune's name ("LES
#   MILLES" in Aix-en-Provence), and the tax office's shortened forms people copy.
# Only this script needs npm and the network; the program carries the table in its
# resources.
#
#   scripts/codes-postaux.sh [DECOUPAGE_VERSION [CODES_POSTAUX_VERSION]]
#
# The routing form of a commune is made from its official name by La Poste's rules:
# capitals without accents, punctuation and hyphens as spaces, SAINT and SAINTE as ST and
# STE, at most 32 characters (small words dropped, then the last words).
#
# The table is one line per postcode and locality, sorted:
#   codePostal <TAB> acheminement <TAB> nomCommune [<TAB> ancienneCommune]
# the fourth column naming a commune déléguée or associée, which La Poste asks to be
# written on the line above "CP COMMUNE NOUVELLE". Its header records the packages and
# their checksums, and the count and SHA-256 of the table's lines, which a test compares
# with the table, so that a hand-edited or truncated table is told apart.
set -euo pipefail
cd "$(dirname "$0")/.."

decoupage=${1:-6.0.0}
codes=${2:-4.1.2}
out=resources/codes-postaux.tsv
min_pairs=30000 # France has about 35,000 communes: far fewer means a broken package

command -v npm >/dev/null || { echo "codes-postaux: npm is needed (apt-get install npm)." >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fetch() { # package version folder -> prints the tarball's sha1
  mkdir -p "$work/$3"
  (cd "$work/$3" && npm pack --silent "$1@$2" >/dev/null)
  local tarball shasum expected
  tarball=$(ls "$work/$3"/*.tgz)
  tar -xzf "$tarball" -C "$work/$3"
  shasum=$(sha1sum "$tarball" | cut -d' ' -f1)
  expected=$(npm view "$1@$2" dist.shasum)
  [ "$shasum" = "$expected" ] || { echo "codes-postaux: $1 tarball checksum $shasum, registry says $expected." >&2; exit 1; }
  echo "$shasum"
}
sha_decoupage=$(fetch @etalab/decoupage-administratif "$decoupage" decoupage)
sha_codes=$(fetch codes-postaux "$codes" codes)

WORK="$work" DECOUPAGE="$decoupage" CODES="$codes" MIN_PAIRS="$min_pairs" node - >"$work/body.tsv" <<'JS'
const fs = require('fs');
const env = process.env;
const read = (dir, file) => JSON.parse(fs.readFileSync(`${env.WORK}/${dir}/package/${file}`, 'utf8'));
for (const [dir, version] of [['decoupage', env.DECOUPAGE], ['codes', env.CODES]])
  if (read(dir, 'package.json').version !== version)
    throw new Error(`${dir}: package version ${read(dir, 'package.json').version}, asked ${version}`);

// La Poste's routing form of a name; key() is how the program compares spellings.
const words = name => name.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toUpperCase()
  .replace(/Œ/g, 'OE').replace(/Æ/g, 'AE').replace(/ß/g, 'SS').replace(/[^A-Z0-9]+/g, ' ').trim().split(' ')
  .filter(w => w);
const SMALL = new Set(['D', 'DE', 'DES', 'DU', 'L', 'LA', 'LE', 'LES', 'ET', 'EN', 'AU', 'AUX']);
function routing(name) {
  // "BAUX-DE-PROVENCE (LES)": the article goes in front.
  const m = /^(.*)\(\s*(LE|LA|LES|L)\s*\)\s*$/i.exec(name);
  if (m) name = `${m[2]} ${m[1]}`;
  let w = words(name).map(x => (x === 'SAINT' ? 'ST' : x === 'SAINTE' ? 'STE' : x));
  const len = a => a.join(' ').length;
  for (let i = w.length - 1; len(w) > 32 && i > 0; --i)
    if (SMALL.has(w[i])) w.splice(i, 1);
  while (len(w) > 32 && w.length > 1) w.pop();
  return w.join(' ').slice(0, 32);
}
const key = name => routing(name).split(' ').map(x => (x === 'ST' ? 'SAINT' : x === 'STE' ? 'SAINTE' : x)).join(' ');

const communes = read('decoupage', 'data/communes.json');
const current = communes.filter(c => c.type === 'commune-actuelle');
const pairs = current.reduce((n, c) => n + (c.codesPostaux || []).length, 0);
if (pairs < Number(env.MIN_PAIRS)) throw new Error(`only ${pairs} postcode and commune pairs`);
const clean = s => String(s).replace(/[\t\r\n]/g, ' ').trim();
const lines = new Set();
const byCode = new Map(); // INSEE code -> current commune
for (const c of current) {
  byCode.set(c.code, c);
  for (const cp of c.codesPostaux || []) {
    if (!/^\d{5}$/.test(cp)) throw new Error('unexpected postcode ' + JSON.stringify(c));
    lines.add([cp, routing(c.nom), clean(c.nom)].join('\t'));
  }
}
// Old communes, under every postcode of the commune they now belong to.
const oldNames = new Map(); // INSEE code of a current commune -> keys of its old names
const oldByCode = new Map(); // INSEE code of an old commune -> it
const oldLine = (cp, parent, nom) => [cp, routing(parent.nom), clean(parent.nom), clean(nom)].join('\t');
for (const c of communes.filter(c => c.type === 'commune-deleguee' || c.type === 'commune-associee')) {
  const parent = byCode.get(c.chefLieu);
  if (!parent || key(c.nom) === key(parent.nom)) continue;
  oldByCode.set(c.code, c);
  oldNames.set(parent.code, (oldNames.get(parent.code) || new Set()).add(key(c.nom)));
  for (const cp of parent.codesPostaux || []) lines.add(oldLine(cp, parent, c.nom));
}
// La Poste's own localities and the shortened forms, where they name something else.
for (const p of read('codes', 'codes-postaux.json')) {
  if (!/^\d{5}$/.test(p.codePostal) || !p.libelleAcheminement || !p.nomCommune)
    throw new Error('unexpected record ' + JSON.stringify(p));
  const commune = byCode.get(p.codeCommune);
  if (!commune) {
    // A commune merged since: its name is an old name of the new one.
    const old = oldByCode.get(p.codeCommune);
    if (old && byCode.get(old.chefLieu)) lines.add(oldLine(p.codePostal, byCode.get(old.chefLieu), old.nom));
    continue;
  }
  lines.add([p.codePostal, routing(commune.nom), clean(commune.nom)].join('\t'));
  const k = key(p.libelleAcheminement);
  if (k !== key(commune.nom) && !(oldNames.get(commune.code) || new Set()).has(k))
    lines.add([p.codePostal, routing(p.libelleAcheminement), clean(commune.nom)].join('\t'));
}
// Monaco is served by La Poste as a French département would be.
lines.add(['98000', 'MONACO', 'Monaco'].join('\t'));
// Byte order, so that the table is the same whatever the machine's locale.
const sorted = [...lines].sort((a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b)));
process.stdout.write(sorted.join('\n') + '\n');
fs.writeFileSync(env.WORK + '/pairs', String(pairs));
JS

lines=$(wc -l <"$work/body.tsv")
sha=$(sha256sum "$work/body.tsv" | cut -d' ' -f1)
{
  echo "# @etalab/decoupage-administratif $decoupage (npm, MIT), tarball sha1 $sha_decoupage"
  echo "# codes-postaux $codes (npm, MIT), tarball sha1 $sha_codes"
  echo "# paires $(cat "$work/pairs") lignes $lines sha256 $sha"
  cat "$work/body.tsv"
} >"$out"
echo "codes-postaux: $out, $lines lines."
