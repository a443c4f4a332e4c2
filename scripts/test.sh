#!/usr/bin/env bash
# Installs what is missing, builds every test under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them all through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --test

jobs=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

# Small extra builds that some tests ask for (ThreadSanitizer, the fuzz targets).
for extra in scripts/test-extra-*.sh; do
  [ -e "$extra" ] || continue
  bash "$extra"
done

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMOTE_SANITIZE=ON >/dev/null
cmake --build build-test -j "$jobs"
cd build-test
ctest --output-on-failure -j "$jobs" --timeout 600
