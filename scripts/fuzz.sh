#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one from its seeds in
# fuzz/corpus/<target> for a while (20 seconds unless told), as many at once as there are
# processors. The seeds are copied first: what a run adds stays out of the tree. A crash, a
# sanitizer report, a leak or a slow input fails the run; the input is kept in
# build-fuzz/artifacts.
#   scripts/fuzz.sh [SECONDS] [TARGET...]    (ZAZ_FUZZ_BUILD=DIR for another build folder)
set -euo pipefail
source "$(dirname "$0")/common.sh"
root="$(zaz_root)"
seconds="${1:-20}"
shift $(( $# > 0 ? 1 : 0 ))
build="$(realpath -m "${ZAZ_FUZZ_BUILD:-$root/build-fuzz}")"

zaz_install_packages "${ZAZ_RUN_PACKAGES[@]}" "${ZAZ_FUZZ_PACKAGES[@]}"

# -O1 runs as fast as -O3 here and builds quicker; line tables give the stacks their lines.
CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DZAZ_BUILD_FUZZ=ON -DZAZ_BUILD_TESTS=OFF -DZAZ_BUILD_BENCH=OFF
cmake --build "$build" --target zaz_fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$root"/fuzz/corpus/*/; do
    targets+=("$(basename "$dir")")
  done
fi

work="$build/runs"
artifacts="$build/artifacts"
rm -rf "$work"
mkdir -p "$work" "$artifacts"
# Without llvm-symbolizer the stacks are read with addr2line.
export ASAN_OPTIONS="allow_addr2line=1"
export UBSAN_OPTIONS="print_stacktrace=1"

# run_target NAME — one run; its output in runs/NAME.log, its exit status in runs/NAME.status.
run_target() {
  local name="$1" dict=() rc=0
  mkdir -p "$work/$name"
  cp -R "$root/fuzz/corpus/$name/." "$work/$name/"
  [ -f "$root/fuzz/$name.dict" ] && dict=("-dict=$root/fuzz/$name.dict")
  "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$name-" "${dict[@]}" "$work/$name" >"$work/$name.log" 2>&1 || rc=$?
  echo "$rc" >"$work/$name.status"
}

status=0
for name in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/$name" ]; then
    echo "cible de fuzzing inconnue : $name" >&2
    status=1
    continue
  fi
  run_target "$name" &
  # No more runs at once than processors.
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
    sleep 1
  done
done
wait

for name in "${targets[@]}"; do
  [ -f "$work/$name.status" ] || continue
  if [ "$(cat "$work/$name.status")" = 0 ]; then
    grep -E "^#[0-9]+[[:space:]]+DONE" "$work/$name.log" | sed "s/^/$name: /" || true
  else
    echo "=== $name : échec (code $(cat "$work/$name.status")) ==="
    grep -v -E "^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|RELOAD)" "$work/$name.log" | tail -n 150
    status=1
  fi
done
exit "$status"
