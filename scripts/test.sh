#!/usr/bin/env bash
# Builds ORVA with warnings as errors and runs every test, offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVA_WERROR=ON
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
