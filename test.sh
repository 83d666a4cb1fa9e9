#!/usr/bin/env bash
# Builds Quorvel twice (plain, and with AddressSanitizer + UndefinedBehaviorSanitizer) and runs
# every test in both builds.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"

status=0
echo "== Tests (release build)"
(cd build && ctest -j "$jobs" --output-on-failure --timeout 600) || status=1
echo "== Tests (sanitizer build)"
(cd build-asan && ctest -j "$jobs" --output-on-failure --timeout 900) || status=1
exit $status
