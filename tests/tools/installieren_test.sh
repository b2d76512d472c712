#!/usr/bin/env bash
# Installing into a program folder adds the programs and missing data files, and leaves every
# data file, settings file and backup that is already there as it was.
set -euo pipefail
build="$1"
skript="$2"
ziel="$(mktemp -d)"
trap 'rm -rf "$ziel"' EXIT

bash "$skript" "$build" "$ziel" >/dev/null
test -x "$ziel/orvano-cli" || { echo "orvano-cli fehlt"; exit 1; }
test -s "$ziel/Ord_1/Dat_D.ppp" || { echo "Ord_1/Dat_D.ppp fehlt"; exit 1; }
test -f "$ziel/DATENQUELLEN.txt" || { echo "DATENQUELLEN.txt fehlt"; exit 1; }

echo "eigene Daten" > "$ziel/Ord_1/Dat_D.ppp"
echo "1" > "$ziel/einstPLZ.frb"
mkdir -p "$ziel/SichCopy" && echo "kopie" > "$ziel/SichCopy/Dat_D_2024-03-05_01.ppp"
bash "$skript" "$build" "$ziel" >/dev/null
[ "$(cat "$ziel/Ord_1/Dat_D.ppp")" = "eigene Daten" ] || { echo "Daten überschrieben"; exit 1; }
[ "$(cat "$ziel/einstPLZ.frb")" = "1" ] || { echo "Einstellungen überschrieben"; exit 1; }
[ "$(cat "$ziel/SichCopy/Dat_D_2024-03-05_01.ppp")" = "kopie" ] || { echo "Sicherung verändert"; exit 1; }
echo ok
