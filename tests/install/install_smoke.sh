#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed programs
# from there: blstool on an installed template, and the editor (offscreen),
# which must find its plug-in and templates beside its own resolved path.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
program=$prefix/lib/kestrabin
for f in bin/kestrabin bin/blstool lib/kestrabin/help/index.html share/man/man1/blstool.1 share/man/man1/kestrabin.1 \
         share/applications/kestrabin.desktop share/mime/packages/kestrabin-diagram.xml; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
template=$(find "$program/template" -name '*.bls' | sort | head -n 1)
[ -n "$template" ] || { echo "no template installed"; exit 1; }
ls "$program"/plugin/* > /dev/null || { echo "no plug-in installed"; exit 1; }

"$prefix/bin/blstool" check "$template"
"$prefix/bin/blstool" render "$template" -o "$work/template.png"
[ -s "$work/template.png" ]

# The editor, isolated from any running one (its hand-off socket lives in
# TMPDIR) and from the user's settings and data.
export QT_QPA_PLATFORM=offscreen TMPDIR=$work/tmp XDG_CONFIG_HOME=$work/config \
       XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$TMPDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
KESTRABIN_STARTUP_REPORT=$work/report.txt timeout 60 "$prefix/bin/kestrabin" "$template"
cat "$work/report.txt"
grep -q "^program-folder: $program/\?\$" "$work/report.txt"
grep -q '^plugin: ' "$work/report.txt"
grep -q '^template: ' "$work/report.txt"
grep -q "^document: $template\$" "$work/report.txt"
echo "installed programs run"
