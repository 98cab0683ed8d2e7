#!/bin/bash
# Peak memory of every blstool command on files it must refuse, and whether
# any command dies of a signal when its address space is limited to 1 GiB.
#
#   bench/model/memory_limits.sh BUILD_DIR   (a Release build of blstool)
#
# Files: 1 GiB of random bytes; a 63 MiB file of the diagram header and
# zeros (zeros read as empty rectangles, so the reader meets record 65,537);
# the 65,536-entry diagram and a 40,000-link chain as ordinary large inputs.
set -euo pipefail
build=${1:?usage: memory_limits.sh BUILD_DIR}
blstool=$build/bin/blstool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

head -c 1G /dev/urandom >"$work/random.bls"
{ printf 'FileKestrabinEditorV2'; head -c $((63 * 1024 * 1024 - 21)) /dev/zero; } >"$work/zeros.bls"
"$build/bench/make_big_diagram" "$work/big.bls"
"$build/bench/make_chain_diagram" "$work/chain.bls" 40000

# Runs one command; prints its exit status (or signal), peak memory and the
# first line it printed on stderr.
run() {
    local label=$1
    shift
    local status=0
    /usr/bin/time -f "%M" -o "$work/rss" "$@" >/dev/null 2>"$work/err" || status=$?
    local rss
    rss=$(tail -n 1 "$work/rss")
    local how="exit $status"
    if grep -q "Command terminated by signal" "$work/rss"; then
        how="SIGNAL $(grep -o 'signal [0-9]*' "$work/rss")"
    fi
    printf '%-34s %-10s %6s MiB  %s\n' "$label" "$how" "$((rss / 1024))" \
        "$(grep -v '^Command\|^QStandardPaths' "$work/err" | head -n 1 | cut -c1-90)"
}

commands() {
    local f=$1
    echo "info $f"
    echo "check $f"
    echo "resave $f $work/out.bls"
    echo "render $f -o $work/out.png"
    echo "pascal $f"
    echo "routines $f"
    echo "import $f -o $work/import"
}

echo "== peak memory (no limit)"
for file in random zeros; do
    while read -r line; do
        # shellcheck disable=SC2086
        run "$(echo "$line" | cut -d' ' -f1) $file" "$blstool" $line
    done < <(commands "$work/$file.bls")
done

echo "== under a 1 GiB address-space limit (ulimit -v 1048576)"
for file in random zeros big chain; do
    while read -r line; do
        # shellcheck disable=SC2086
        run "$(echo "$line" | cut -d' ' -f1) $file" bash -c "ulimit -v 1048576; exec \"\$@\"" \
            bash "$blstool" $line
    done < <(commands "$work/$file.bls")
done
