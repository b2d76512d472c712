#!/usr/bin/env bash
# Builds the Debian package and checks it: lintian (no error), the menu entry, the AppStream
# metainfo; installs it, runs orvano-cli as a user who is not root, removes it again.
set -euo pipefail
cd "$(dirname "$0")/../.."
. tools/skripte/pakete.sh
orvano_pakete_installieren lintian desktop-file-utils appstream
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

bash tools/paket/deb.sh
deb="$(ls build/paket/orvano_*.deb | head -n 1)"
echo "== lintian"
lintian --fail-on error "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1
echo "== desktop-file-validate"
desktop-file-validate paket/de.orvano.Orvano.desktop
echo "== appstreamcli"
appstreamcli validate --no-net paket/de.orvano.Orvano.metainfo.xml

echo "== dpkg -i"
# dpkg -i alone leaves missing dependencies; apt installs them along.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
nutzer="orvano-probe"
id "$nutzer" >/dev/null 2>&1 || $sudo useradd --create-home "$nutzer"
als() { if [ "$(id -un)" = "$nutzer" ]; then "$@"; else $sudo -u "$nutzer" -H "$@" 2>/dev/null || su "$nutzer" -s /bin/bash -c "$(printf '%q ' "$@")"; fi; }
als orvano-cli --version
als orvano-cli info
als test -f "/home/$nutzer/.local/share/Orvano/Ord_1/Dat_D.ppp"
echo "== entfernen"
$sudo dpkg -r orvano >/dev/null
echo "Paket geprüft: $deb"
