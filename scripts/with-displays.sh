#!/usr/bin/env bash
# Runs one command with the test displays up, then ends them. For working on a
# few tests without the whole suite, after a build:
#   scripts/with-displays.sh ctest --preset win32 -R e2e.depth8 --output-on-failure
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# shellcheck source=lib/displays.sh
. scripts/lib/displays.sh
trap quil_displays_down EXIT
quil_displays_up || exit 1
"$@"
