# Shared by run.sh, test.sh and the CI scripts: installs the Debian packages that are
# missing and builds. Source it; it defines functions and package lists only.

zaz_root() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }

# zaz_install_packages PACKAGE... — installs with apt-get those not yet installed,
# through sudo when not root.
zaz_install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installation des paquets manquants : ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "sudo est nécessaire pour installer : ${missing[*]}" >&2; return 1; }
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Packages needed to build and run the program.
ZAZ_RUN_PACKAGES=(build-essential cmake pkg-config qt6-base-dev libgl-dev fonts-dejavu-core libxlsxwriter-dev)
# Packages needed by the test suite and the benchmarks.
ZAZ_TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev unzip)
# Packages needed by the fuzz targets: clang and its runtime libraries (libFuzzer and the
# sanitizers).
ZAZ_FUZZ_PACKAGES=(clang libclang-rt-dev)

# zaz_build BUILD_DIR [CMAKE ARGS...] — configures (Release) and builds everything.
zaz_build() {
  local dir="$1"; shift
  cmake -S "$(zaz_root)" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$dir" -j "$(nproc)"
}
