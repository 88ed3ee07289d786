#!/usr/bin/env bash
# Builds ZAZ with its tests and benchmarks and runs the whole test suite on the offscreen
# platform.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
root="$(zaz_root)"

zaz_install_packages "${ZAZ_RUN_PACKAGES[@]}" "${ZAZ_TEST_PACKAGES[@]}"
zaz_build "$root/build-test" -DZAZ_BUILD_TESTS=ON -DZAZ_BUILD_BENCH=ON

export QT_QPA_PLATFORM=offscreen
cd "$root/build-test"
ctest --output-on-failure -j "$(nproc)"
