#!/usr/bin/env bash
# Writes src/text/fold_table.cpp from ICU's NFKC and confusables data (libicu-dev), through
# tools/fold_table_gen built in the native build. Run it after an ICU upgrade; the test
# fold_table_is_generated compares the two.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build/native ] || scripts/build.sh native
cmake --build build/native --target fold_table_gen
build/native/bin/fold_table_gen >src/text/fold_table.cpp
