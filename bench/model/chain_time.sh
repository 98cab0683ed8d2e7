#!/bin/sh
# Times blstool on one chain of links on links (make_chain_diagram): the
# export and the picture, each once, wall and CPU time and peak memory.
#
#   bench/model/chain_time.sh BUILD_DIR [LINKS...]   (default 20000 40000)
#
# Each size twice: links hanging on links only, and with every link also
# ending on one block (--hub of make_chain_diagram).
set -eu
build=${1:?usage: chain_time.sh BUILD_DIR [LINKS...]}
shift
[ $# -gt 0 ] || set -- 20000 40000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size_and_shape in $(for n in "$@"; do echo "$n:chain $n:hub"; done); do
    links=${size_and_shape%%:*}
    shape=${size_and_shape#*:}
    file=$work/$shape$links.bls
    if [ "$shape" = hub ]; then
        "$build/bench/make_chain_diagram" "$file" "$links" --hub
    else
        "$build/bench/make_chain_diagram" "$file" "$links"
    fi
    size=$(stat -c %s "$file")
    for cmd in pascal render; do
        case $cmd in
        pascal) set -- pascal "$file" ;;
        render) set -- render "$file" -o "$work/chain.png" ;;
        esac
        # The export may stop with a message on such a graph (exit 1); the
        # time to get there is what counts.
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$build/bin/blstool" "$@" \
            >/dev/null 2>"$work/err" || true
        read -r wall user sys rss <<EOF
$(tail -n 1 "$work/time")
EOF
        cpu=$(echo "$user + $sys" | bc)
        echo "$links links, $shape ($size bytes): blstool $cmd: ${wall} s wall, ${cpu} s CPU, $((rss / 1024)) MiB peak"
    done
done
