#!/usr/bin/env bash
# Builds Quorvel twice (plain, and with AddressSanitizer + UndefinedBehaviorSanitizer) and runs
# every test in both builds, printing how long each stage took.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

timings=()
# stage NAME COMMAND...: runs the command and notes how long it took, whether or not it passed.
stage() {
  local name=$1 start=$SECONDS rc=0
  shift
  echo "== $name"
  "$@" || rc=$?
  timings+=("$(printf '%-28s %4dm%02ds%s' "$name" $(((SECONDS - start) / 60)) $(((SECONDS - start) % 60)) \
    "$([ $rc -eq 0 ] || echo '  (failed)')")")
  return $rc
}
report() {
  echo "== Time taken"
  printf '%s\n' "${timings[@]}"
}
trap report EXIT

build() {  # build DIR CMAKE-OPTIONS...
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

stage "Setup" scripts/setup.sh
# Both builds compile in batches: from a fresh clone that saves most of the time the compiler spends
# parsing the same Qt headers again for every file.
stage "Build (release)" build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_UNITY=ON
stage "Build (sanitizer)" build build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON

status=0
stage "Tests (release build)" bash -c "cd build && ctest -j $jobs --output-on-failure --timeout 600" || status=1
stage "Tests (sanitizer build)" bash -c "cd build-asan && ctest -j $jobs --output-on-failure --timeout 900" || status=1
exit $status
