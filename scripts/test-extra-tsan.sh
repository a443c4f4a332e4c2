#!/usr/bin/env bash
# Builds the thread components, the scan, the grid and their tests once more
# under ThreadSanitizer and runs the thread tests; any report fails the run.
# The scan's tests run on two processors, with three matching threads (and the
# duplicate keys sorted on several); the grid's saves formatted on threads run
# as they come.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMOTE_TSAN=ON -DQUILLMOTE_TESTS=ON >/dev/null
cmake --build build-tsan -j "$jobs" --target platform_tests components_tests app_tests grid_tests

export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
filter='Thread.*:CriticalSection.*:Timer.*:KxThread.*:KxThreadGroup.*'
build-tsan/tests/platform_tests --gtest_filter="$filter"
build-tsan/tests/components_tests --gtest_filter="$filter"
scan='TScanThreadTest.*:TScanDifferentialTest.Generated*:ScanJobs.*:FoldedKeys.*'
two=()
if command -v taskset > /dev/null; then two=(taskset -c 0-1); fi
"${two[@]}" build-tsan/tests/app_tests --gtest_filter="$scan"
build-tsan/tests/grid_tests --gtest_filter='TGxGridSaveThreads*'
