#!/usr/bin/env bash
# Installs what is missing, then builds every test twice and runs them all
# through CTest: under AddressSanitizer and UndefinedBehaviorSanitizer, and
# again as a Release build, where freed memory is reused at once and faults
# that the sanitizers' quarantine hides show.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --test

jobs=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

# Checks of the tree itself (include order of the layers).
for check in scripts/check-*.sh; do
  [ -e "$check" ] || continue
  bash "$check"
done

# Small extra builds that some tests ask for (ThreadSanitizer, the fuzz targets).
for extra in scripts/test-extra-*.sh; do
  [ -e "$extra" ] || continue
  bash "$extra"
done

# build_and_test <folder> <cmake options...>
# Tests are turned on every time: a folder that scripts/run.sh configured has
# them off in its cache, and a run that finds no test must fail, not pass.
build_and_test() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DQUILLMOTE_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure --no-tests=error -j "$jobs" --timeout 600)
}

build_and_test build-test -DCMAKE_BUILD_TYPE=Debug -DQUILLMOTE_SANITIZE=ON
build_and_test build-release -DCMAKE_BUILD_TYPE=Release
