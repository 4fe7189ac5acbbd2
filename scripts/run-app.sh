#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh" g++ cmake ninja-build qt6-base-dev qt6-serialport-dev qt6-translations-l10n
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" --target zel_comm
exec "$root/build/src/app/zel_comm"
