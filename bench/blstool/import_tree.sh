#!/usr/bin/env bash
# Imports every .pas and .pp file of a source tree with `blstool import`, one
# unit per process, as a script over a source tree runs it, and prints the
# wall time, the CPU time of all the processes and the load average.
#
#   bench/blstool/import_tree.sh BLSTOOL [SOURCE_TREE]
#
# SOURCE_TREE defaults to Free Pascal's sources (Debian's fpc-source package).
set -euo pipefail
blstool=$1
tree="${2:-/usr/share/fpcsrc}"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mapfile -d '' units < <(find "$tree" \( -name '*.pas' -o -name '*.pp' \) -print0 | sort -z)
echo "units: ${#units[@]}"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
start=$(date +%s.%N)
i=0
for unit in "${units[@]}"; do
    i=$((i + 1))
    "$blstool" import "$unit" -o "$out/$i" >/dev/null 2>&1 || true
done
end=$(date +%s.%N)
echo "wall: $(echo "$end - $start" | bc) s"
# The second line of `times`: user and system time of the processes run.
times > "$out/times"
echo "cpu of the processes (user, system): $(tail -n 1 "$out/times")"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "files written: $(find "$out" -type f | wc -l)"
