#!/usr/bin/env bash
# Installs what is missing, builds, and starts the application.
# Without a display it starts under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    exec xvfb-run -a build/src/app/reservium "$@"
fi
exec build/src/app/reservium "$@"
