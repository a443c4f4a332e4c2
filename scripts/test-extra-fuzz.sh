#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan), runs each over its
# checked-in seed corpus through CTest, then fuzzes the XML parser with a fixed
# seed and run count (about a minute on an 8-core machine) on a scratch copy of
# its corpus. Any finding fails the script; the input is kept in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

targets=(xml_fuzz profile_fuzz)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DQUILLMOTE_FUZZ=ON -DQUILLMOTE_TESTS=ON >/dev/null
cmake --build build-fuzz --target "${targets[@]}"
(cd build-fuzz && ctest --output-on-failure --no-tests=error -L fuzz)

# The same seed gives the same run only with fixed addresses (the parser's
# positions are pointers, and compared values steer the mutations) and
# without re-reading the corpus folder on a timer.
fixed=()
if setarch "$(uname -m)" -R true 2>/dev/null; then fixed=(setarch "$(uname -m)" -R); fi

# fuzz <target> <corpus> <runs>: a fixed seed and run count on a scratch copy of the corpus.
fuzz() {
  local target=$1 corpus=$2 runs=$3
  local scratch
  scratch=$(mktemp -d)
  cp "tests/fuzz/corpus/$corpus"/* "$scratch"/
  local start
  start=$(date +%s)
  if ! "${fixed[@]}" "build-fuzz/tests/fuzz/$target" "$scratch" -seed=1 -runs="$runs" -reload=0 -timeout=60 \
       -artifact_prefix="$PWD/build-fuzz/$target-" -print_final_stats=1 2>"$scratch.log"; then
    tail -n 60 "$scratch.log"
    rm -rf "$scratch" "$scratch.log"
    exit 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE' "$scratch.log" || true
  rm -rf "$scratch" "$scratch.log"
  echo "$target: nothing found in $(($(date +%s) - start)) s"
}

fuzz xml_fuzz xml 55000
# The profile reader writes what it read and reads it again; every line must come back.
fuzz profile_fuzz profile 30000
