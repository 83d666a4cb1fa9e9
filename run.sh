#!/usr/bin/env bash
# Builds Quorvel and starts it on its default data folder.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quorvel
exec build/quorvel "$@"
