#!/usr/bin/env bash
# Builds the Debian package of Tavrin: installs what is missing, builds a release tree in
# build-package/ and runs cpack there. The .deb lands in build-package/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRIN_TESTS=OFF \
  -DTAVRIN_BENCH=OFF >/dev/null
cmake --build build-package -j "$jobs"
(cd build-package && cpack -G DEB)
ls -1 build-package/*.deb
