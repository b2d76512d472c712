#!/usr/bin/env bash
# Builds the Debian package build/paket/orvano_<version>_<arch>.deb from a Release build.
set -euo pipefail
cd "$(dirname "$0")/../.."
. tools/skripte/pakete.sh
orvano_pakete_installieren dpkg-dev file
# Debian's hardening: fortified functions, stack protector, read-only relocations bound at start.
cmake -S . -B build/paket -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANO_TESTS=OFF -DORVANO_PAKET=ON -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now" >/dev/null
cmake --build build/paket
(cd build/paket && cpack -G DEB >/dev/null)
ls build/paket/orvano_*.deb
