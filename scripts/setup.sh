#!/usr/bin/env bash
# Installs what the build needs on Debian 12, only what is missing.
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config ccache lld qt6-base-dev libsqlite3-dev sqlite3
          libgtest-dev fonts-dejavu-core xvfb xauth poppler-utils openbox
          libxlsxwriter-dev unzip libshp-dev qt6-charts-dev libqt6opengl6-dev desktop-file-utils
          appstream dpkg-dev libofx-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
