#!/usr/bin/env bash
# Scans and converts every .pas and .pp file of Free Pascal's source tree
# (Debian package fpc-source-3.2.2) with scan_tree and writes the figures
# into the "Unit import" section of bench/README.md.
#
#   bench/unitimport/run_fpc_tree.sh [BUILD_DIR] [SOURCE_TREE]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
tree="${2:-/usr/share/fpcsrc}"

cmake --build "$build" --target scan_tree unitimport_bench >/dev/null
figures="$("$build/bench/scan_tree" "$tree" --export)"
echo "$figures"
micro="$("$build/bench/unitimport_bench" --benchmark_format=csv 2>/dev/null)"
echo "$micro"

FIGURES="$figures" MICRO="$micro" TREE="$tree" python3 - "$root/bench/README.md" <<'PY'
import os, re, sys, datetime
path = sys.argv[1]
f = dict(line.split(": ", 1) for line in os.environ["FIGURES"].splitlines())
skips = "\n".join("  - " + k[len("skipped because "):] + ": " + v
                  for k, v in f.items() if k.startswith("skipped because "))
exports = "\n".join("  - " + k[len("export first message "):] + ": " + v
                    for k, v in f.items() if k.startswith("export first message "))
slowest_ms, _, slowest_what = f["slowest_routine_ms"].partition(" (")
slowest_what = "`" + slowest_what.rstrip(")").replace(os.environ["TREE"] + "/", "") + "`"
body = f"""## Unit import

`bench/unitimport/run_fpc_tree.sh` runs `scan_tree` over `{os.environ['TREE']}`: every
`.pas` and `.pp` file is read, scanned, and each routine is converted, framed and
written to diagram bytes (everything the plug-in does but the disk write).
Last run ({datetime.date.today()}, RelWithDebInfo, on the shared 2-core machine):

- files: {f['files']} ({int(f['bytes']) / 1e6:.1f} MB of source)
- routines: {f['routines']}
- skipped: {f['skipped']}
{skips + chr(10) if skips else ''}- total time: {f['total_s']} s (target: under 60 s)
- median per routine: {f['median_routine_ms']} ms (target: under 1 ms); 99th percentile
  {f['p99_routine_ms']} ms; slowest {slowest_ms} ms, {slowest_what}
- exported back through the Pascal export (not timed above, {f['export_total_s']} s in all):
  {f['exported_clean']} routines without a message; the others stop at (see "Unit round
  trip" below for what Free Pascal makes of the exported routines)
{exports}

"""
rows = []
for line in os.environ["MICRO"].splitlines():
    cells = line.split(",")
    if cells and cells[0].startswith('"BM_'):
        scale = {"ns": 1e-3, "us": 1, "ms": 1e3}[cells[4]]
        rows.append(f"| {cells[0].strip(chr(34))} | {float(cells[2]) * scale:.1f} µs | {float(cells[3]) * scale:.1f} µs |")
if rows:
    body += ("`bench/unitimport_bench` (a routine of about 40 statements with loops, nested ifs\n"
             "and a case; a unit of 1 or 100 such routines):\n\n"
             "| Benchmark | Wall | CPU |\n|---|---|---|\n" + "\n".join(rows) + "\n\n")
text = open(path).read()
m = re.search(r"^## Unit import\n.*?(?=^## |\Z)", text, flags=re.S | re.M)
text = text[:m.start()] + body + text[m.end():] if m else text.rstrip("\n") + "\n\n" + body
open(path, "w").write(text.rstrip("\n") + "\n")
PY
