#!/usr/bin/env bash
# Configures and builds one of the project's builds in build/NAME:
#   native  portable core, unit tests, benchmarks, native tools (g++)
#   asan    the same under AddressSanitizer + UndefinedBehaviorSanitizer (no benchmarks)
#   fuzz    libFuzzer targets (clang)
#   win     Tevanor.exe, Windows tests, helpers, tools (mingw-w64)
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: build.sh native|asan|fuzz|win}
common=(-G Ninja -DTEVANOR_WERROR=ON)
case "$name" in
  native) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=Debug -DTEVANOR_SANITIZE=ON -DTEVANOR_BENCHMARKS=OFF) ;;
  fuzz) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
              -DTEVANOR_FUZZ=ON -DTEVANOR_BENCHMARKS=OFF) ;;
  win) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake) ;;
  *) echo "build.sh: unknown build '$name'" >&2; exit 2 ;;
esac
cmake -S . -B "build/$name" "${common[@]}" "${args[@]}" >/dev/null
cmake --build "build/$name"
