#!/usr/bin/env bash
# The package's files: completion script syntax, manual pages without groff warnings and with
# every command and option of --help, menu entry and AppStream metainfo valid.
#   tests/paket/paketdateien.sh QUELLORDNER ORVANO-CLI
set -euo pipefail
quelle="$1"
cli="$2"
fehler() { echo "FEHLER: $*" >&2; exit 1; }

bash -n "$quelle/paket/orvano-cli.bash" || fehler "orvano-cli.bash"
for seite in orvano.1 orvano-cli.1; do
  warnungen="$(groff -ww -man -z "$quelle/paket/man/$seite" 2>&1)"
  [ -z "$warnungen" ] || fehler "$seite: $warnungen"
  warnungen="$(MANWIDTH=80 man -l "$quelle/paket/man/$seite" 2>&1 >/dev/null)"
  [ -z "$warnungen" ] || fehler "$seite: $warnungen"
done
text="$(MANWIDTH=200 man -l "$quelle/paket/man/orvano-cli.1" 2>/dev/null | sed 's/‐/-/g')"
hilfe="$("$cli" --help)"
for wort in $(printf '%s\n' "$hilfe" | grep -oE '^  [a-z][a-z-]+' | tr -d ' ') $(printf '%s\n' "$hilfe" | grep -oE -- '--[a-z0-9-]+' | sort -u); do
  grep -qF -- "$wort" <<<"$text" || fehler "orvano-cli.1 nennt $wort nicht"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$quelle/paket/de.orvano.Orvano.desktop" || fehler "de.orvano.Orvano.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$quelle/paket/de.orvano.Orvano.metainfo.xml" >/dev/null || fehler "metainfo"
fi
echo "Paketdateien geprüft"
