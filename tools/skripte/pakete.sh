# Installs the Debian packages the build needs, but only those that are missing.
# Sourced by ./run, ./test and ./bench.

ORVANO_PAKETE="cmake ninja-build g++ pkg-config libcurl4-openssl-dev openssl ca-certificates libosmium2-dev libprotozero-dev zlib1g-dev libbz2-dev libexpat1-dev osmium-tool qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xdg-user-dirs poppler-utils desktop-file-utils appstream man-db groff-base"

orvano_pakete_installieren() {
  local fehlend=""
  local p
  for p in $ORVANO_PAKETE "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      fehlend="$fehlend $p"
    fi
  done
  [ -z "$fehlend" ] && return 0
  echo "Installiere:$fehlend"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $fehlend
}
