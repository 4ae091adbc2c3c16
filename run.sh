#!/usr/bin/env bash
# Installs what is missing, builds and starts Pelmora.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
exec build/src/pelmora "$@"
