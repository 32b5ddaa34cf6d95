#!/usr/bin/env bash
# count_copy_requests.sh COPY_REQUESTS_EXE: the wineserver requests of one copied 4 KiB file,
# counted on the copying thread alone (between copy_requests.exe's two marks) for a job of N
# and of 5N files, so that what every job costs once cancels out. Fails above the budget. Runs
# in a copy of the project's prefix with a debug wineserver of its own: no other server is
# touched, and no other process's requests are counted.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
exe=$1
budget_per_file=14  # under Wine 8.0; the copy took 7 when the budget was set (35 before)
files=40

ensure_wine_prefix
work=$FERRIX_BUILD/copy-requests
export WINEPREFIX=$work/prefix WINEDEBUG=-all DISPLAY=
wineserver -k >/dev/null 2>&1 || true  # a server left by an interrupted run of this script
rm -rf "$work"
mkdir -p "$work"
cp -a "$FERRIX_BUILD/wine-prefix" "$WINEPREFIX"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

make_source() {
  mkdir -p "$work/src$1" "$work/dst$1"
  for ((i = 0; i < $1; i++)); do head -c 4096 /dev/zero >"$work/src$1/f$i.bin"; done
}
make_source "$files"
make_source $((5 * files))

log=$work/server.log
wineserver -f -d1 -p >/dev/null 2>"$log" </dev/null &
for _ in $(seq 100); do wineserver -k0 2>/dev/null && break; sleep 0.1; done
wine cmd /c exit >/dev/null 2>&1 </dev/null || true  # Wine's own start, outside the counts

# Requests, not replies ("0024: name( ... )" or "0024: name()" against "name() = 0 ..."), of
# the thread that made the begin mark, up to its end mark.
count_job() {
  local from
  from=$(wc -l <"$log")
  wine "$exe" "$(printf 'Z:%s' "${work//\//\\}")\\src$1" \
    "$(printf 'Z:%s' "${work//\//\\}")\\dst$1" </dev/null >&2
  awk -v from="$from" 'NR <= from { next }
    !thread && /create_event\(/ && /ferrix-requests-begin/ { thread = $1; next }
    thread && $1 == thread && /ferrix-requests-end/ { print n + 0; exit }
    thread && $1 == thread && /^[0-9a-f]+: [a-z0-9_]+\(/ && !/\) = / { n++ }' "$log"
}
small=$(count_job "$files")
large=$(count_job $((5 * files)))
[ -n "$small" ] && [ -n "$large" ] || { echo "no marks found in the server's log" >&2; exit 1; }
awk -v small="$small" -v large="$large" -v files="$files" -v budget="$budget_per_file" 'BEGIN {
  per_file = (large - small) / (4 * files)
  printf "%d requests for %d files, %d for %d: %.2f per file (budget %d)\n",
         small, files, large, 5 * files, per_file, budget
  exit per_file > budget
}'
