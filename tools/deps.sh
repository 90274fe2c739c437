#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, only when some are missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libxcb1-dev libxcb-shape0-dev libxcb-shm0-dev libxcb-xkb-dev libxkbcommon-dev libxkbcommon-x11-dev libx11-dev libfreetype-dev libfontconfig-dev libcairo2-dev libpng-dev
  libsqlite3-dev sqlite3 libcups2-dev cups-client libfltk1.3-dev
  fonts-liberation fonts-dejavu-core fonts-texgyre
  libxtst-dev libxdamage-dev xvfb openbox x11-utils x11-apps imagemagick poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
install_line="apt-get install -y --no-install-recommends ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root with:" >&2
    echo "  $install_line" >&2
    exit 1
  fi
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
