#!/usr/bin/env bash
# Makes the AppStream screenshot again: the gallery's picture of the control centre on the demo
# company. Usage: scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$build/quorvel-gallery" "$out" >/dev/null
mkdir -p "$here/packaging/screenshots"
cp "$out/TQVCoyOpsForm.png" "$here/packaging/screenshots/control-centre.png"
echo "packaging/screenshots/control-centre.png"
