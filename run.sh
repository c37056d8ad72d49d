#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ -x build/release/app/tovarin ]; then
  exec build/release/app/tovarin "$@"
else
  exec build/release/cli/tovarin-calc "${@:-CSinglyRectDesignDlg}"
fi
