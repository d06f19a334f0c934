#!/usr/bin/env bash
# Replays every seed corpus through its fuzz target once (no fuzzing): BUILD_DIR given.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
status=0
for exe in "$build"/bin/*_fuzz; do
  name=$(basename "$exe" _fuzz)
  dir="fuzz/corpus/$name"
  [ -d "$dir" ] || continue
  files=("$dir"/*)
  [ -e "${files[0]}" ] || continue
  if ! "$exe" -runs=0 "${files[@]}" >/tmp/tavrin-replay-$$.log 2>&1; then
    echo "replay: $name FAILED"; tail -n 40 /tmp/tavrin-replay-$$.log
    status=1
  else
    echo "replay: $name ok (${#files[@]} inputs)"
  fi
done
rm -f /tmp/tavrin-replay-$$.log
exit $status
