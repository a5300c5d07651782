#!/usr/bin/env bash
# Import and export of a 6-column table through the real handlers, at 50,000 and
# 100,000 rows (each in its own process, so peak memory is per size); medians of 5
# runs. The peer is awk reading and rewriting the same 100,000-row text as TSV.
set -euo pipefail
bin="$QUILLMERE_BENCH_BUILD/bench/exchange_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

field() { sed -n "s/^$1=//p" "$2"; }
calc() { awk "BEGIN { printf \"%.4f\", $1 }"; }

"$bin" 50000 5 >"$work/50k"
"$bin" 100000 5 "$work/table.txt" >"$work/100k"

awk_runs=()
for _ in 1 2 3 4 5; do
  start=$(date +%s.%N)
  awk 'BEGIN { FS = "\t"; OFS = "\t" } { $1 = $1; print }' "$work/table.txt" >/dev/null
  end=$(date +%s.%N)
  awk_runs+=("$(calc "$end - $start")")
done
awk_s=$(printf '%s\n' "${awk_runs[@]}" | sort -g | sed -n 3p)

imp50=$(field import_s "$work/50k"); exp50=$(field export_s "$work/50k")
imp=$(field import_s "$work/100k"); exp=$(field export_s "$work/100k")
echo "import_s_50k=$imp50"
echo "export_s_50k=$exp50"
echo "peak_rss_mb_50k=$(field peak_rss_mb "$work/50k")"
echo "import_growth_100k_over_50k=$(calc "$imp / $imp50")"
echo "export_growth_100k_over_50k=$(calc "$exp / $exp50")"
echo "awk_rewrite_s=$awk_s"
echo "import_over_awk=$(calc "$imp / $awk_s")"
echo "import_s=$imp"
echo "export_s=$exp"
echo "peak_rss_mb=$(field peak_rss_mb "$work/100k")"
