#!/usr/bin/env bash
# Runs the scan benchmarks on one corpus in one go: the bare floor loop, the
# real scan of the main window, ripgrep, grep and (where installed) pcregrep,
# each on cores 0-3, and prints each one's time and MB/s, and the scan's speed
# over the floor's and over rg -o's once it has checked that the scan found as
# many rows as the floor found matches.
#   bench/compare.sh [megabytes, default 200]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --bench
mb="${1:-200}"
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMOTE_BENCH=ON -DQUILLMOTE_TESTS=OFF >/dev/null
cmake --build "$build" --target corpus_gen floor scan_bench >/dev/null
corpus="${TMPDIR:-/tmp}/quillmote-corpus-${mb}.txt"
[ -s "$corpus" ] || "$build/bench/corpus_gen" "$corpus" "$mb"
size_mb=$(awk -v b="$(stat -c %s "$corpus")" 'BEGIN { printf "%.1f", b / 1048576 }')
echo "corpus: $corpus ($size_mb MB); cores: $(taskset -c 0-3 nproc)"
cat "$corpus" > /dev/null # into the page cache, so every run reads from memory

timeit() { # name, command...
  local name=$1; shift
  local start end secs
  start=$(date +%s.%N)
  taskset -c 0-3 "$@" > /tmp/quillmote-bench-$name.out
  end=$(date +%s.%N)
  secs=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }')
  printf '%-12s %8.3f s  %8.1f MB/s\n' "$name" "$secs" "$(awk -v m="$size_mb" -v s="$secs" 'BEGIN { print m / s }')" >&2
  echo "$secs"
}

email='[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,}'
url='(?:https?|ftp)://[^\s"'"'"'<>()]+'
floor=$(timeit floor "$build/bench/floor" "$corpus")
scan=$(timeit scan_bench "$build/bench/scan_bench" "$corpus")
rg=$(timeit rg_o rg -o -e "$email" -e "$url" "$corpus")
timeit grep_oP grep -oP "$email|$url" "$corpus" > /dev/null
if command -v pcregrep > /dev/null; then timeit pcregrep_o pcregrep -o "$email|$url" "$corpus" > /dev/null; fi
floor_matches=$(sed -n 's/^floor: [0-9]* lines, \([0-9]*\) matches.*/\1/p' /tmp/quillmote-bench-floor.out)
scan_rows=$(sed -n 's/^scan_bench: \([0-9]*\) rows.*/\1/p' /tmp/quillmote-bench-scan_bench.out)
if [ "$floor_matches" != "$scan_rows" ]; then
  echo "scan_bench found $scan_rows rows where floor found $floor_matches matches: no ratio" >&2
  exit 1
fi
awk -v f="$floor" -v s="$scan" -v r="$rg" 'BEGIN {
  printf "ratio scan_bench/floor (speed): %.2f\n", f / s
  printf "ratio scan_bench/rg -o (speed): %.2f\n", r / s }'
