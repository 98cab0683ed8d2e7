#!/usr/bin/env bash
# Time from starting the editor to its main window being mapped on screen,
# measured from outside: start the program, poll the X server for the window.
# Run under a display; Xvfb needs -noreset, or it resets (refusing
# connections meanwhile) each time the editor of the last run goes:
#   xvfb-run -a -s "-screen 0 1280x800x24 -noreset" build/bench/startup_time.sh build/bin/kestrabin
set -euo pipefail
program=${1:-build/bin/kestrabin}
runs=${RUNS:-9}
title="Редактор блок-схем"
# A private folder for the settings, the file association and the
# single-instance socket, so no running editor takes the start over.
scratch=$(mktemp -d)
# The desktop databases may still be refreshing in the background.
trap 'sleep 0.5; rm -rf "$scratch" 2>/dev/null || true' EXIT
export HOME=$scratch TMPDIR=$scratch XDG_RUNTIME_DIR=$scratch

times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$program" >"$scratch/run$i.log" 2>&1 &
    pid=$!
    until xwininfo -name "$title" 2>/dev/null | grep -q "IsViewable"; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "run $i: the editor ended before showing its window:" >&2
            cat "$scratch/run$i.log" >&2
            exit 1
        fi
        sleep 0.005
    done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "main window mapped after: ${sorted[*]} ms; median ${sorted[$((runs / 2))]} ms"
