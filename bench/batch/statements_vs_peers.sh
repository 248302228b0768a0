#!/usr/bin/env bash
# The statements of a 100,000-line company as whole processes, against one
# read of the transaction file and against ledger-cli on the same books, in
# one run: hyperfine medians of many runs with the files in the page cache.
#
#   bench/batch/statements_vs_peers.sh [line_count] [runs]
#
# Installs hyperfine and ledger (scripts/setup-deps), builds kxbatch and
# bench_batch, makes the company and its exported journal with
# `bench_batch line_count 1 --keep`, then times with hyperfine:
#   cat KXACCT.TRN > /dev/null
#   kxbatch --help                      (start-up only)
#   kxbatch where                       (start-up and opening the books)
#   kxbatch report "Income Statement" --month 2025-06 --pdf FILE
#   kxbatch report "Balance Sheet" --month 2025-12 --pdf FILE
#   kxbatch report "Trial Balance" --month 2025-06 --pdf FILE
#   ledger -f J balance                 (at most 10 runs)
# and prints the medians and their ratios.
set -euo pipefail
cd "$(dirname "$0")/../.."
lines="${1:-100000}"
runs="${2:-50}"
scripts/setup-deps
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build kxbatch bench_batch >/dev/null

kept="$(build/bench/bench_batch "$lines" 1 --keep | sed -n 's/^Books kept in //p')"
[ -n "$kept" ] || { echo "bench_batch kept no books" >&2; exit 1; }
trap 'rm -rf "$kept"' EXIT
folder="${kept}company"
journal="${kept}books.journal"
pdf="${kept}report.pdf"
kxbatch="$PWD/build/bin/kxbatch"
cat "$folder/KXACCT.TRN" > /dev/null
echo "Timing $lines lines in $folder" >&2

json="${kept}times.json"
# Without a shell (-N); hyperfine sends every output to /dev/null.
hyperfine -N --style none --warmup 3 --runs "$runs" --export-json "$json" \
  -n "cat KXACCT.TRN" "cat '$folder/KXACCT.TRN'" \
  -n "kxbatch --help" "'$kxbatch' --help" \
  -n "kxbatch where" "'$kxbatch' --folder '$folder' where" \
  -n "Income Statement" "'$kxbatch' --folder '$folder' report 'Income Statement' --month 2025-06 --pdf '$pdf'" \
  -n "Balance Sheet" "'$kxbatch' --folder '$folder' report 'Balance Sheet' --month 2025-12 --pdf '$pdf'" \
  -n "Trial Balance" "'$kxbatch' --folder '$folder' report 'Trial Balance' --month 2025-06 --pdf '$pdf'" \
  >/dev/null 2>&1
peer_json="${kept}peer.json"
hyperfine -N --style none --warmup 1 --runs "$(( runs < 10 ? runs : 10 ))" --export-json "$peer_json" \
  -n "ledger -f J balance" "ledger -f '$journal' balance" >/dev/null 2>&1

python3 - "$json" "$peer_json" "$lines" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"] + json.load(open(sys.argv[2]))["results"]
median = {r["command"]: r["median"] * 1000 for r in results}
cat, ledger = median["cat KXACCT.TRN"], median["ledger -f J balance"]
print(f"{sys.argv[3]} lines, hyperfine medians (ms)\n")
print("| Command | Median | Against cat | ledger balance / it |")
print("|---|---|---|---|")
for name, ms in median.items():
    print(f"| {name} | {ms:.1f} ms | {ms / cat:.2f} x | {ledger / ms:.1f} x |")
PY
