#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Quillmere
# need. Only missing packages are installed, so a second run is quick.
# "install-deps.sh windows" installs only what the Windows build needs (scripts/build-windows.sh).
set -euo pipefail

# MinGW-w64 for the Windows build, Wine to run its tests, dpkg-dev to fetch the libraries' sources.
windows_packages=(cmake make mingw-w64 mingw-w64-tools libz-mingw-w64-dev wine64 libwine-dev dpkg-dev)
packages=(
  g++ cmake make pkg-config git libpng-dev
  libpugixml-dev libzip-dev zlib1g-dev libsqlite3-dev libgsf-1-dev libcli11-dev libfmt-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev python3-olefile parallel
  clang libfuzzer-14-dev
  libcpp-httplib-dev nlohmann-json3-dev chromium chromium-driver python3-selenium
  libreoffice-impress libreoffice-dev
  fonts-crosextra-carlito fonts-crosextra-caladea fonts-liberation2 fonts-dejavu-core
  "${windows_packages[@]}"
)
case ${1:-} in
  windows) packages=("${windows_packages[@]}") ;;
  "") ;;
  *) echo "usage: install-deps.sh [windows]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [[ $status == installed ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages are installed"
  exit 0
fi

if ((EUID != 0)); then
  echo "install-deps: run as root to install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
