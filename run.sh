#!/usr/bin/env bash
# Builds ZAZ, prepares the working folder (settings and demo sector) and starts the radar.
# The working folder is $ZAZ_WORKDIR, by default ~/ZAZ; files already there are never
# overwritten, so the controller's settings survive every run.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
root="$(zaz_root)"

zaz_install_packages "${ZAZ_RUN_PACKAGES[@]}"
zaz_build "$root/build" -DZAZ_BUILD_TESTS=OFF -DZAZ_BUILD_BENCH=OFF

work="${ZAZ_WORKDIR:-$HOME/ZAZ}"
mkdir -p "$work"
# Copy the starting set, keeping every file the controller already has.
cp -R -n "$root/data/." "$work/"

cd "$work"
exec "$root/build/src/app/zaz" "$@"
