#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and this machine lacks.
set -euo pipefail

packages=(
  g++ cmake ninja-build            # native build
  libgtest-dev libgmock-dev googletest libbenchmark-dev  # unit tests, benchmarks, gtest sources
  libhyperscan-dev pkg-config      # benchmarks only: the phrase benchmark's comparison
  clang libclang-rt-14-dev         # libFuzzer targets
  mingw-w64                        # Windows cross build
  wine64 xvfb                      # Windows tests and end-to-end tests
  nsis                             # the installer (makensis)
  zlib1g-dev                       # the ordinary-text guard reads the gzip manual pages
  libicu-dev                       # the fold table's generator and its test (NFKC, confusables)
  manpages manpages-es             # ordinary-text guard: English and Spanish manual pages
  wamerican wspanish               # ordinary-text guard: English and Spanish word lists
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
