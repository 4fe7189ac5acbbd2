#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only when missing.
# A first argument --no-install-recommends leaves out what the packages only
# recommend (the compiler's optional development files are large).
set -euo pipefail
apt_flags=()
if [ "${1:-}" = "--no-install-recommends" ]; then
  apt_flags+=(--no-install-recommends)
  shift
fi
need=()
for pkg in "$@"; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${apt_flags[@]}" "${need[@]}"
fi
