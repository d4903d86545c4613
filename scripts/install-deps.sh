#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Reservium need.
# Does nothing (and needs no root) when every package is already present.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite libqt6svg6
    libfontconfig-dev
    sqlite3 fonts-dejavu-core poppler-utils qt6-translations-l10n
    libdxflib-dev python3-ezdxf
    xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "A instalar: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
