#!/usr/bin/env bash
# Installs the Debian packages Hygrovane needs, only those that are missing, quietly. "locales"
# holds the sources the comma-decimal locale test makes de_DE.UTF-8 from (tests/locale);
# "poppler-utils" the tools the design report's test reads its PDF back with (tests/views).
set -euo pipefail

packages=(build-essential cmake pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation qt6-svg-dev
          pybind11-dev python3-dev python3-numpy python3-pytest python3-pandas python3-dask
          python3-distributed python3-xarray locales poppler-utils "$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
