#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60), growing the
# corpus in fuzz/out/<name> (seeds from fuzz/corpus/<name> are read, not changed).
# Crashes are left in fuzz/out/crash-<name>-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTAVRIN_FUZZ=ON >/dev/null
cmake --build "$build"
status=0
for exe in "$build"/bin/*_fuzz; do
  name=$(basename "$exe" _fuzz)
  mkdir -p "fuzz/out/$name" "fuzz/corpus/$name"
  echo "fuzz: $name for ${seconds}s"
  if ! "$exe" -max_total_time="$seconds" -print_final_stats=0 \
       -artifact_prefix="fuzz/out/crash-$name-" "fuzz/out/$name" "fuzz/corpus/$name" \
       >"fuzz/out/$name.log" 2>&1; then
    echo "fuzz: $name FAILED, see fuzz/out/$name.log"
    status=1
  fi
done
exit $status
