#!/usr/bin/env bash
# Installs what is missing, builds everything, runs every test; then runs the core tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer and replays the fuzz seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  ${TAVRIN_CORPUS_DIR:+-DTAVRIN_CORPUS_DIR="$TAVRIN_CORPUS_DIR"} >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

echo "== core tests under ASan and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_CORE_ONLY=ON \
  -DTAVRIN_SANITIZE=ON -DTAVRIN_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")

echo "== fuzz seed replay"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVRIN_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs"
fuzz/replay.sh build-fuzz
echo "== all tests passed"
