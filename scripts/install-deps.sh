#!/usr/bin/env bash
# Installs the Debian packages vornscript needs to build and test, and only
# those that are missing, so running it again costs a dpkg query.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh"

packages=(
    build-essential   # g++ and make
    cmake
    ninja-build
    clang             # the second compiler; the sanitizer build uses it
    libclang-rt-14-dev  # Clang's AddressSanitizer and UBSan runtimes
    libgtest-dev      # unit tests
    libboost-regex-dev  # regular expressions (ECMAScript grammar)
    libasound2-dev    # MIDI output through the ALSA sequencer (playmidi)
    pkg-config        # finds libgd for the build
    libgd-dev         # pictures: image files, filling and text drawing
    fontconfig        # resolves the picture font "Arial" to an installed face
    fonts-liberation  # Liberation Sans, the face with Arial's metrics
    libx11-dev        # windows of the win32 extension (headers; libX11 is loaded at run time)
    libxtst-dev       # synthetic keystrokes of win32::SendKeys (XTest headers)
    xvfb              # virtual X server for the window tests
)

installmissing "${packages[@]}"
