#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests build-test -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir build-test --output-on-failure
