#!/usr/bin/env bash
# Builds the Windows program and its installer: build/win/Tevanor-<version>-setup.exe, with the
# version of project() in CMakeLists.txt. Installs nsis first when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/win -G Ninja -DTEVANOR_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win --target installer
ls -l build/win/Tevanor-*-setup.exe
