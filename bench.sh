#!/usr/bin/env bash
# Builds Pelmora and the baseline (Release), measures both side by side and
# writes the table to docs/performance.md. Never run by the tests.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --bench build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DPELMORA_BENCH=ON
exec python3 bench/run.py build-bench docs/performance.md
