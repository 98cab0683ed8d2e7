#!/usr/bin/env bash
# Builds Kestrabin and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
scripts/build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
