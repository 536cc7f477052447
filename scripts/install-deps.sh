#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and this machine lacks.
set -euo pipefail

packages=(
  g++ cmake ninja-build            # native build
  libgtest-dev libgmock-dev googletest libbenchmark-dev  # unit tests, benchmarks, gtest sources
  libhyperscan-dev pkg-config      # benchmarks only: the phrase benchmark's comparison
  libssl-dev                       # native build: the password's key derivation (libcrypto)
  clang libclang-rt-14-dev         # libFuzzer targets
  mingw-w64                        # Windows cross build
  wine64 xvfb                      # Windows tests and end-to-end tests
  nsis                             # the installer (makensis)
  locales                          # the Spanish locale Wine shows the program in (run.sh)
  libicu-dev                       # the fold table's generator and its test (NFKC, confusables)
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# es_ES.UTF-8, so that Wine's own texts (message box buttons "Sí" and "No") are Spanish too.
if ! locale -a 2>/dev/null | grep -qx 'es_ES\.utf8'; then
  echo "install-deps: generating the es_ES.UTF-8 locale"
  "${sudo[@]}" sed -i 's/^# *\(es_ES\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'es_ES.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'es_ES.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
fi
