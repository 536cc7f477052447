#!/usr/bin/env bash
# Builds Tevanor.exe and runs it under Wine, in a private prefix (build/run-session) on a Wine
# virtual desktop with its taskbar. Installs what is missing first.
#  - With an X display: the program itself, for a person to use. A fresh prefix starts as a
#    first run, as after an install: welcome, new password, then the tray icon.
#  - Without one: a short scripted run on a private virtual screen (tests/e2e/demo.cpp) that
#    prints each step and the paths of its screenshots, and ends by itself.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh win
state=build/run-session
program="$state/Tevanor"
mkdir -p "$program"
cp build/win/bin/Tevanor.exe "$program/"
fresh=1
[ -f "$state/prefix/system.reg" ] && fresh=0
had_display=${DISPLAY:+1}
# Wine shows its own texts (the message boxes' "Sí" and "No") in the session's language.
export LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8
scripts/wine-session start "$state"
trap 'scripts/wine-session stop "$state"' EXIT
desktop=(explorer /desktop=Tevanor,1024x768)

if [ -n "$had_display" ]; then
  if [ "$fresh" = 1 ]; then
    # What the installer leaves for the first run.
    scripts/wine-session run "$state" reg add 'HKCU\Software\Tevanor\Tevanor' /v Pr \
      /t REG_DWORD /d 1 /f >/dev/null
  fi
  scripts/wine-session run "$state" "${desktop[@]}" "Z:$PWD/$program/Tevanor.exe"
  exit 0
fi

screenshots="$PWD/$state/screenshots"
mkdir -p "$screenshots"
cp build/win/bin/e2e_demo.exe "$program/"
log="$state/demo.log"
# The desktop's explorer does not pass on the program's exit status: its last line tells.
scripts/wine-session run "$state" "${desktop[@]}" "Z:$PWD/$program/e2e_demo.exe" \
  "Z:$screenshots" | tee "$log"
grep -q '^demo: done' "$log"
echo "screenshots:"
ls -1 "$screenshots"/*.png
