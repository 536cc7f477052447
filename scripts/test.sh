#!/usr/bin/env bash
# Runs every test layer: native unit tests, the same under sanitizers, fuzz smoke runs, and the
# Windows tests and end-to-end tests under Wine. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for build in native asan fuzz win; do
  echo "=== $build"
  scripts/build.sh "$build"
  ctest --test-dir "build/$build" --output-on-failure -j "$(nproc)"
done
