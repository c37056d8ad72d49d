#!/usr/bin/env bash
# Long fuzz runs: scripts/fuzz-long.sh [SECONDS-PER-TARGET] (default 600). Prints each target's
# execution count; new interesting inputs stay in build/fuzz/tests/fuzz/corpus-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for t in numfield reportfile forms; do
  dir=build/fuzz/tests/fuzz
  mkdir -p "$dir/corpus-$t"
  "$dir/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      "$dir/corpus-$t" "tests/fuzz/corpus/$t" 2>&1 | grep -E 'stat::number_of_executed_units|Done|ERROR|SUMMARY' | sed "s/^/$t: /"
done
