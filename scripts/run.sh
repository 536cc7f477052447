#!/usr/bin/env bash
# Builds Tevanor.exe and runs it under Wine in a private prefix (build/run-session), on the
# current X display or, without one, on a private Xvfb. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh win
state=build/run-session
scripts/wine-session start "$state"
trap 'scripts/wine-session stop "$state"' EXIT
scripts/wine-session run "$state" build/win/bin/Tevanor.exe "$@"
