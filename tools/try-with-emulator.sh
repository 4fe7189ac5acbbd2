#!/usr/bin/env bash
# Builds the program and the controller emulator, then runs the program
# against the emulator instead of a real controller: COM1 is the emulator's
# pseudo-terminal.
#   tools/try-with-emulator.sh [--axes N]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
"$root/scripts/app-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zel_comm zel-emu
emu="$build/tools/zel-emu"
app="$build/src/app/zel_comm"

tmp="$(mktemp -d)"
emu_pid=""
cleanup() {
  if [[ -n "$emu_pid" ]]; then kill "$emu_pid" 2>/dev/null || true; wait "$emu_pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$emu" "$@" >"$tmp/out" &
emu_pid=$!
slave=""
for _ in $(seq 100); do
  slave="$(head -n 1 "$tmp/out")"
  [[ -n "$slave" ]] && break
  kill -0 "$emu_pid" 2>/dev/null || break
  sleep 0.1
done
[[ -n "$slave" ]] || { echo "the emulator did not start" >&2; exit 1; }

# The settings store of the application: $XDG_CONFIG_HOME/<organization>.conf.
mkdir -p "$tmp/xdg"
printf '[Properties]\nCOM1=%s\n' "$slave" >"$tmp/xdg/Zel 통신프로그램.conf"
echo "controller emulator on $slave (choose Comm Port, Open(COM1))"
XDG_CONFIG_HOME="$tmp/xdg" "$app"
