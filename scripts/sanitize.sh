#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer (leak detection included) and
# UndefinedBehaviorSanitizer in build-asan, and runs the whole of it on the offscreen
# platform. Any sanitizer report fails the run, also one from a program a test starts.
#   scripts/sanitize.sh [CTEST ARGS...]      (ZAZ_ASAN_BUILD=DIR for another build folder)
set -euo pipefail
source "$(dirname "$0")/common.sh"
root="$(zaz_root)"
build="$(realpath -m "${ZAZ_ASAN_BUILD:-$root/build-asan}")"

zaz_install_packages "${ZAZ_RUN_PACKAGES[@]}" "${ZAZ_TEST_PACKAGES[@]}"

# Not optimised: the build is what takes the time, and the suite still runs in seconds
# under the sanitizers. Line tables are enough for the stacks. A Debug build keeps Qt's own
# assertions (an index out of a list's range among them) on.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DZAZ_BUILD_TESTS=ON -DZAZ_BUILD_BENCH=OFF -DZAZ_BUILD_FUZZ=OFF

# Only what ctest runs: the targets of tests/ and what they depend on (the libraries and
# the command-line tool the tests start), not the program nor the other tools. A test that
# does not build fails the run but does not keep the others from running.
status=0
if [ -f "$build/build.ninja" ]; then
  cmake --build "$build" --target tests/all -j "$(nproc)" -- -k 0 || status=$?
else
  cmake --build "$build/tests" -j "$(nproc)" -- -k || status=$?
fi

# An AddressSanitizer or LeakSanitizer report also goes to a file of its own, so that one
# from a program a test starts (the command-line tool) or from the listing of a test's cases
# is seen too. UndefinedBehaviorSanitizer writes to the standard error only (it ignores
# log_path next to ASan); it halts its process with code 99, which no test expects of the
# tool, and the output of every test is searched for its reports at the end.
logs="$build/sanitizer-logs"
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:exitcode=99:log_path=$logs/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=99"
# Leak detection stays on with no suppression: Qt and fontconfig keep what they allocate
# reachable from their globals, and the whole suite reports no leak.
export QT_QPA_PLATFORM=offscreen

rc=0
(cd "$build" && ctest --output-on-failure -j "$(nproc)" "$@") || rc=$?
[ "$rc" -eq 0 ] || status=$rc

shopt -s nullglob
reports=("$logs"/*)
if [ ${#reports[@]} -gt 0 ]; then
  echo "=== ${#reports[@]} rapport(s) d'AddressSanitizer / LeakSanitizer ==="
  for report in "${reports[@]}"; do
    echo "--- $report"
    cat "$report"
  done
  status=1
fi
testlog="$build/Testing/Temporary/LastTest.log"
if [ -f "$testlog" ] && grep -q -E "runtime error:|ERROR: (Address|Leak)Sanitizer" "$testlog"; then
  echo "=== rapports des sanitizers dans la sortie des tests ($testlog) ==="
  grep -E "^[0-9]+/[0-9]+ Test: |runtime error:|ERROR: (Address|Leak)Sanitizer|^SUMMARY: " "$testlog" \
    | grep -B1 -E "runtime error:|Sanitizer|^SUMMARY: " | grep -v "^--$"
  status=1
fi
exit "$status"
