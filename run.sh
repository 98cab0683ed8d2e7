#!/usr/bin/env bash
# Builds Kestrabin and starts the editor on an example diagram.
set -euo pipefail
cd "$(dirname "$0")"
scripts/build
if [ -x build/bin/kestrabin ]; then
    exec build/bin/kestrabin examples/loop.bls "$@"
fi
exec build/bin/blstool info examples/loop.bls
