#!/usr/bin/env bash
# Sets up, builds and runs Quindel(1) on a bundled example grammar: the desktop program when
# there is a display, the command-line tool otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ejemplo=examples/expresiones.ll1
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/quindel "$ejemplo"
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): analysing $ejemplo with quindel-cli."
echo
exec build/cli/quindel-cli --analysis --errors --table "$ejemplo"
