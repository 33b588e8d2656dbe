#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine lacks to build and test the bar.
# Idempotent: packages already present are not fetched again.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/versions.sh"

# The two-monitor test bed needs xrandr (x11-xserver-utils) to split its screen, and the 32-bit
# Xinerama library through which Wine's 32-bit X11 driver sees the monitors; no 32-bit XRandR
# library may come with it (Wine would see one screen again).
packages=(
  g++-mingw-w64-i686 binutils-mingw-w64-i686 cmake make g++ googletest
  wine wine32:i386 wine64 xvfb xdotool imagemagick locales fonts-ipafont-gothic
  python3 unzip "clang-$clang_version" "libclang-rt-$clang_version-dev" libx11-dev
  x11-xserver-utils libxinerama1:i386 g++-mingw-w64-x86-64-posix
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  as_root apt-get update -q
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Japanese for the test beds, English (code page 1252) for the one of an English Windows.
for loc in ja_JP en_US; do
  locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$" && continue
  as_root sed -i "s/^# *$loc.UTF-8/$loc.UTF-8/" /etc/locale.gen
  grep -q "^$loc.UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen
done
