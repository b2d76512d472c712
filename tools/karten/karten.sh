#!/usr/bin/env bash
# Draws data/Karten/Karte_{D,A,C}.png from the country outlines of the Digital Chart of the
# World (Debian's gmt + gmt-dcw) and the shipped postal codes. Rerunning gives the same bytes.
#   tools/karten/karten.sh BUILDORDNER
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/release}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p data/Karten
for paar in D:DE A:AT C:CH; do
  land="${paar%%:*}"
  code="${paar##*:}"
  gmt coast -E"$code" -M > "$tmp/$code.txt"
  if [ "$land" = D ]; then
    QT_QPA_PLATFORM=offscreen "$build/tools/orvano-karten" "$land" "$tmp/$code.txt" data/Ord_1/Dat_D.ppp "data/Karten/Karte_$land.png"
  else
    QT_QPA_PLATFORM=offscreen "$build/tools/orvano-karten" "$land" "$tmp/$code.txt" "data/Karten/Karte_$land.png"
  fi
done
