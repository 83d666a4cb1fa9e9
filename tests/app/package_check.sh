#!/usr/bin/env bash
# Builds the Debian package of a build folder, checks its files and declared dependencies,
# validates its desktop entry and AppStream metadata, and starts the unpacked program on a demo
# company until its main window is up.
# Usage: package_check.sh BUILD_DIR QUORVEL_SAMPLE. Exits 77 (skipped) without cpack or dpkg.
set -euo pipefail
build=$1
sample=$2
for tool in cpack dpkg-deb dpkg; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pkg/quorvel_*.deb)

contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/quorvel ./usr/share/quorvel/License.txt ./usr/share/quorvel/help/10.html \
         ./usr/share/applications/quorvel.desktop \
         ./usr/share/icons/hicolor/scalable/apps/quorvel.svg \
         ./usr/share/metainfo/quorvel.metainfo.xml; do
  grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done
depends=$(dpkg-deb --field "$deb" Depends)
# Read as a field, not through "dpkg -I | grep -q": grep ending early breaks the pipe, and
# pipefail then reports a good package as bad.
[ "$(dpkg-deb --field "$deb" Package)" = quorvel ] || fail "package name"
for d in libqt6widgets6 libqt6printsupport6 libqt6charts6 libsqlite3-0 libxlsxwriter; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/quorvel.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/quorvel.metainfo.xml" || fail "metainfo"
fi
if ldd "$root/usr/bin/quorvel" | grep "not found"; then fail "unresolved libraries"; fi

# The unpacked program on a demo company (no set-up wizard), with settings of its own: the main
# window creates NRVCash.ini as it opens.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME/quorvel"
"$sample" "$work/books" 20 >/dev/null
printf '[NRV]\nPath=%s\n' "$work/books" >"$XDG_CONFIG_HOME/quorvel/aliases.ini"
"$root/usr/bin/quorvel" >"$work/run.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -f "$XDG_CONFIG_HOME/quorvel/NRVCash.ini" ] && break
  kill -0 "$pid" 2>/dev/null || { cat "$work/run.log"; fail "the program ended at start-up"; }
  sleep 0.2
done
[ -f "$XDG_CONFIG_HOME/quorvel/NRVCash.ini" ] || fail "no main window within 20 s"
sleep 1
kill -0 "$pid" 2>/dev/null || { cat "$work/run.log"; fail "the program ended"; }
echo "package $(basename "$deb") checked"
