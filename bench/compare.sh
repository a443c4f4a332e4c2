#!/usr/bin/env bash
# The scan's targets in one run, every program on cores 0-3 (ripgrep with its
# own threads unless told -j1): on each corpus the bare floor loop, the main
# window's real scan (scan_bench) and the program it is held against. A ratio
# is printed only once scan_bench's rows equal the floor's matches.
#   two patterns, 200 MB            scan_bench speed / rg -o speed       >= 1.5
#   the twelve shipped presets      scan_bench speed / pcregrep -o speed >= 1.5
#   30% distinct addresses          scan_bench time / rg -o time         <= 4, and <= 1 KB a row
#   20,000 files of 10 KB           scan_bench time / rg -j1 time        <= 1.5
#   lines of 1 MB                   scan_bench speed / rg -o speed       >= 1.0
# Stop's latency comes from a separate, untimed run of scan_bench -stop (target 100 ms).
#   bench/compare.sh [rounds, default 1]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --bench
rounds="${1:-1}"
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMOTE_BENCH=ON -DQUILLMOTE_TESTS=OFF >/dev/null
cmake --build "$build" --target corpus_gen floor scan_bench >/dev/null
tmp="${TMPDIR:-/tmp}"
usual="$tmp/quillmote-corpus-200.txt"
distinct="$tmp/quillmote-corpus-distinct30.txt"
long="$tmp/quillmote-corpus-long-lines.txt"
files="$tmp/quillmote-corpus-files"
[ -s "$usual" ] || "$build/bench/corpus_gen" "$usual" 200
[ -s "$distinct" ] || "$build/bench/corpus_gen" --distinct "$distinct" 100 30
[ -s "$long" ] || "$build/bench/corpus_gen" --long-lines "$long" 200
[ -d "$files" ] || "$build/bench/corpus_gen" --files "$files" 20000 10
presets="$tmp/quillmote-presets.txt"
sed 's/^\$[^:]*://' app/RegexPresets/RegexIncludes.txt > "$presets"
cat "$usual" "$distinct" "$long" "$files"/* > /dev/null # into the page cache: every run reads from memory
echo "cores: $(taskset -c 0-3 nproc); load before: $(cut -d' ' -f1-3 /proc/loadavg)"

email='[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,}'
url='(?:https?|ftp)://[^\s"'"'"'<>()]+'
out="$tmp/quillmote-bench"

timeit() { # name, command...: prints the seconds
  local name=$1; shift
  local start end
  start=$(date +%s.%N)
  taskset -c 0-3 "$@" > "$out-$name.out"
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}

# corpus label, rival label, "speed" or "time", target, rival command..., -- , scan arguments...
compare() {
  local label=$1 rival=$2 kind=$3 target=$4; shift 4
  local cmd=()
  while [ "$1" != "--" ]; do cmd+=("$1"); shift; done
  shift
  local f s r
  f=$(timeit floor "$build/bench/floor" "$@")
  s=$(timeit scan "$build/bench/scan_bench" "$@")
  r=$(timeit rival "${cmd[@]}")
  taskset -c 0-3 "$build/bench/scan_bench" -stop "$@" > "$out-stop.out"
  local floor_matches scan_rows
  floor_matches=$(sed -n 's/^floor: [0-9]* lines, \([0-9]*\) matches.*/\1/p' "$out-floor.out")
  scan_rows=$(sed -n 's/^scan_bench: \([0-9]*\) rows.*/\1/p' "$out-scan.out")
  printf '%-22s floor %7.3f s  scan_bench %7.3f s  %-11s %7.3f s  rows %s\n' "$label" "$f" "$s" "$rival" "$r" "$scan_rows"
  sed -n 's/^scan_bench: .*peak/    peak/p' "$out-scan.out"
  sed -n 's/^stop:/    stop:/p' "$out-stop.out"
  if [ "$floor_matches" != "$scan_rows" ]; then
    echo "    scan_bench found $scan_rows rows where floor found $floor_matches matches: no ratio"
    return
  fi
  if [ "$kind" = speed ]; then
    awk -v s="$s" -v r="$r" -v t="$target" -v n="$rival" 'BEGIN {
      printf "    ratio: scan_bench speed / %s speed = %.2f (target >= %s)\n", n, r / s, t }'
  else
    awk -v s="$s" -v r="$r" -v t="$target" -v n="$rival" 'BEGIN {
      printf "    ratio: scan_bench time / %s time = %.2f (target <= %s)\n", n, s / r, t }'
  fi
}

for round in $(seq 1 "$rounds"); do
  echo "round $round"
  compare "two patterns, 200 MB" "rg -o" speed 1.5 rg -o -e "$email" -e "$url" "$usual" -- "$usual"
  compare "twelve presets" "pcregrep -o" speed 1.5 pcregrep -o -f "$presets" "$usual" -- -p app/RegexPresets/RegexIncludes.txt "$usual"
  compare "30% distinct" "rg -o" time 4 rg -o -e "$email" -e "$url" "$distinct" -- "$distinct"
  compare "20,000 files of 10 KB" "rg -j1" time 1.5 rg -j1 -o -e "$email" -e "$url" "$files" -- "$files"
  compare "lines of 1 MB" "rg -o" speed 1.0 rg -o -e "$email" -e "$url" "$long" -- "$long"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
