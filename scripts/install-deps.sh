#!/usr/bin/env bash
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs what building and testing need on Debian 12 (run as root).
set -euo pipefail
packages=(
    cmake g++ make pkg-config libgtest-dev libbenchmark-dev
    libdxflib-dev libcli11-dev nlohmann-json3-dev libboost-dev
    qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core
    python3-ezdxf python3-dev pybind11-dev python3-pytest python3-shapely \
    python3-jsonschema help2man dpkg-dev file
    gdal-bin python3-gdal librsvg2-bin
    python3-dask python3-distributed python3-pandas
    clang libclang-rt-14-dev
    libcpp-httplib-dev zlib1g-dev chromium chromium-driver python3-selenium
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
