#!/usr/bin/env bash
# An installed orvano-cli in a read-only prefix keeps its data in $XDG_DATA_HOME/Orvano: made and
# filled at the first start, left as the user changed it at the second.
#   tests/paket/installation.sh BUILDORDNER
set -euo pipefail
build="$1"
tmp="$(mktemp -d)"
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
prefix="$tmp/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
chmod -R a-w "$prefix"
cli=("env" "-i" "HOME=$tmp/home" "PATH=/usr/bin:/bin" "$prefix/bin/orvano-cli")
mkdir "$tmp/home"
fehler() { echo "FEHLER: $*" >&2; exit 1; }

"${cli[@]}" --version | grep -q "^orvano-cli [0-9]" || fehler "--version"
"${cli[@]}" info > "$tmp/info1.txt" || fehler "erster Start: $(cat "$tmp/info1.txt")"
daten="$tmp/home/.local/share/Orvano"
[ -d "$daten/Ord_1" ] || fehler "kein Datenordner unter $daten"
cmp -s "$daten/Ord_1/Dat_D.ppp" "$prefix/share/orvano/Ord_1/Dat_D.ppp" || fehler "Dat_D.ppp nicht mitgeliefert"
for f in DATENQUELLEN.txt Orvano-Export.ims Karten/Karte_D.png; do
  [ -f "$daten/$f" ] || fehler "$f fehlt"
done
grep -q "Dat_D.ppp: 12883 Datensätze" "$tmp/info1.txt" || fehler "info: $(cat "$tmp/info1.txt")"

# The user's own change survives the next start.
printf 'eigene Daten' > "$daten/Ord_1/Dat_D.ppp"
"${cli[@]}" info > "$tmp/info2.txt" || fehler "zweiter Start"
[ "$(cat "$daten/Ord_1/Dat_D.ppp")" = "eigene Daten" ] || fehler "geänderte Datei überschrieben"
# XDG_DATA_HOME and ORVANO_PROGRAMMORDNER name other places.
env -i HOME="$tmp/home" XDG_DATA_HOME="$tmp/xdg" PATH=/usr/bin:/bin "$prefix/bin/orvano-cli" info >/dev/null
[ -f "$tmp/xdg/Orvano/Ord_1/Dat_D.ppp" ] || fehler "XDG_DATA_HOME nicht beachtet"
mkdir -p "$tmp/eigen/Ord_1"
env -i HOME="$tmp/home" ORVANO_PROGRAMMORDNER="$tmp/eigen" PATH=/usr/bin:/bin "$prefix/bin/orvano-cli" info | grep -q "Programmordner: $tmp/eigen/" ||
  fehler "ORVANO_PROGRAMMORDNER nicht beachtet"
echo "Installation geprüft"
