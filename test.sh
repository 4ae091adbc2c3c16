#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./test.sh              the test build (warnings are errors)
#   ./test.sh --sanitize   then the same suite again built with AddressSanitizer,
#                          UndefinedBehaviorSanitizer and LeakSanitizer
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh --tests build-test -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir build-test --output-on-failure

if [ "${1:-}" = --sanitize ]; then
    scripts/setup.sh --tests build-asan -DCMAKE_BUILD_TYPE=Debug -DPELMORA_SANITIZE=ON
    # Any leak fails the run: none of Qt's or fontconfig's needs suppressing
    # (the Wayland run alone leaves libwayland-client's own to the end).
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # The package and cross-compile checks build nothing of their own to sanitize.
    ctest --test-dir build-asan --output-on-failure -E '^(package_|windows_)'
fi
