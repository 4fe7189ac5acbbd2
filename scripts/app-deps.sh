#!/usr/bin/env bash
# Installs what building and running the program needs, only when missing:
# Qt's translations too, so that its own dialogs follow a Korean locale.
set -euo pipefail
exec "$(dirname "$0")/deps.sh" g++ cmake ninja-build qt6-base-dev qt6-serialport-dev qt6-translations-l10n
