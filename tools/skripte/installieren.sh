#!/usr/bin/env bash
# Installs a build into a program folder: the programs are replaced, the data only added.
# A data folder, settings file or backup that already exists there is never touched.
set -euo pipefail
build="$1"
ziel="$2"
quelle="$(cd "$(dirname "$0")/../.." && pwd)/data"

mkdir -p "$ziel"
cmake --install "$build" --prefix "$ziel" >/dev/null

# Each shipped data file goes in only where the program folder has none of that name.
if [ -d "$quelle" ]; then
  (cd "$quelle" && find . -type f ! -name 'README*' -print0) | while IFS= read -r -d '' datei; do
    datei="${datei#./}"
    if [ ! -e "$ziel/$datei" ]; then
      mkdir -p "$(dirname "$ziel/$datei")"
      cp -p "$quelle/$datei" "$ziel/$datei"
    fi
  done
fi
# The README is the help the program links to (street data); it is replaced like the programs.
cp "$(dirname "$0")/../../README.md" "$ziel/README.md"
echo "Orvano ist installiert in $ziel"
