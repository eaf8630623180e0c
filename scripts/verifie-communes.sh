#!/usr/bin/env bash
# Checks the address check against every postcode and commune pair of
# @etalab/decoupage-administratif (npm, MIT), and every old commune of a commune nouvelle:
# each written six ways must be taken as right, each with a code that does not serve it
# must be flagged. The tests run the same check on a committed sample
# (tests/data/communes-echantillon.tsv), which this script also makes again.
#
#   scripts/verifie-communes.sh [VERSION]              the whole list, through the test
#   scripts/verifie-communes.sh --echantillon [VERSION] the committed sample, rewritten
#
# It needs npm, the network and a build with the tests (PLIVANE_BUILD_DIR, default build).
set -euo pipefail
cd "$(dirname "$0")/.."

sample=
if [ "${1:-}" = --echantillon ]; then
  sample=yes
  shift
fi
version=${1:-6.0.0}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "@etalab/decoupage-administratif@$version" >/dev/null && tar -xzf ./*.tgz)

# One line per case: code, the locality as written officially, La Poste's form of it, a
# code that does not serve it, and for an old commune the routing form of the commune it
# now belongs to.
SAMPLE="$sample" WORK="$work" node - >"$work/communes.tsv" <<'JS'
const communes = require(process.env.WORK + '/package/data/communes.json');
const words = n => n.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toUpperCase().replace(/Œ/g, 'OE')
  .replace(/Æ/g, 'AE').replace(/[^A-Z0-9]+/g, ' ').trim().split(' ').filter(w => w);
const SMALL = new Set(['D', 'DE', 'DES', 'DU', 'L', 'LA', 'LE', 'LES', 'ET', 'EN', 'AU', 'AUX']);
function routing(name) {
  const w = words(name).map(x => (x === 'SAINT' ? 'ST' : x === 'SAINTE' ? 'STE' : x));
  for (let i = w.length - 1; w.join(' ').length > 32 && i > 0; --i) if (SMALL.has(w[i])) w.splice(i, 1);
  while (w.join(' ').length > 32 && w.length > 1) w.pop();
  return w.join(' ').slice(0, 32);
}
const key = n => words(n).map(x => (x === 'ST' ? 'SAINT' : x === 'STE' ? 'SAINTE' : x)).join(' ');
const current = communes.filter(c => c.type === 'commune-actuelle' && (c.codesPostaux || []).length);
const byCode = new Map(current.map(c => [c.code, c]));
const served = new Map(); // postcode -> keys of every name it serves
const serve = (cp, name) => served.set(cp, (served.get(cp) || new Set()).add(key(name)));
for (const c of current) for (const cp of c.codesPostaux) serve(cp, c.nom);
const old = communes.filter(c => (c.type === 'commune-deleguee' || c.type === 'commune-associee') &&
  byCode.has(c.chefLieu) && key(c.nom) !== key(byCode.get(c.chefLieu).nom));
for (const c of old) for (const cp of byCode.get(c.chefLieu).codesPostaux) serve(cp, c.nom);
// A code that serves nothing of that name, some communes further in the list.
const codes = current.map(c => c.codesPostaux[0]);
const wrongFor = (name, i) => {
  for (let j = i + 47; ; ++j) {
    const cp = codes[j % codes.length];
    if (!served.get(cp).has(key(name))) return cp;
  }
};
const out = [];
let i = 0;
for (const c of current)
  for (const cp of c.codesPostaux) {
    if (!process.env.SAMPLE || i % 100 === 0) out.push([cp, c.nom, routing(c.nom), wrongFor(c.nom, i), ''].join('\t'));
    ++i;
  }
old.forEach((c, k) => {
  const parent = byCode.get(c.chefLieu);
  if (process.env.SAMPLE && k % 40 !== 0) return;
  // Where the old name is also a commune the code serves, that commune is meant.
  const namesake = current.some(x => x.codesPostaux.includes(parent.codesPostaux[0]) && key(x.nom) === key(c.nom));
  out.push([parent.codesPostaux[0], c.nom, routing(c.nom), wrongFor(c.nom, k), namesake ? '' : routing(parent.nom)].join('\t'));
});
process.stdout.write(`# @etalab/decoupage-administratif ${require(process.env.WORK + '/package/package.json').version}\n` +
  '# code\tnom\tforme La Poste\tcode qui ne le dessert pas\tcommune nouvelle\n' + out.join('\n') + '\n');
JS

if [ -n "$sample" ]; then
  cp "$work/communes.tsv" tests/data/communes-echantillon.tsv
  echo "verifie-communes: tests/data/communes-echantillon.tsv, $(grep -vc '^#' "$work/communes.tsv") cases."
  exit 0
fi
build=${PLIVANE_BUILD_DIR:-build}
PLIVANE_COMMUNES="$work/communes.tsv" "$build/tests/test_addresses_acheminement" communesEcritesDeSixFacons
