#!/usr/bin/env bash
# Installs the Debian packages vornscript needs to build and test, and only
# those that are missing, so running it again costs a dpkg query.
set -euo pipefail

packages=(
    build-essential   # g++ and make
    cmake
    ninja-build
    clang             # the second compiler; the sanitizer build uses it
    libclang-rt-14-dev  # Clang's AddressSanitizer and UBSan runtimes
    libgtest-dev      # unit tests
    libboost-regex-dev  # regular expressions (ECMAScript grammar)
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
else
    sudo=
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
