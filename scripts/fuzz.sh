#!/usr/bin/env bash
# Runs every fuzz target for longer than the test command does.
# usage: scripts/fuzz.sh [seconds per target, default 300]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}

scripts/install-deps.sh clang libclang-rt-14-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DORVA_FUZZ=ON \
    -DORVA_FUZZ_SECONDS="$seconds" -DORVA_FUZZ_SEED=0 >/dev/null
cmake --build build-fuzz
cd build-fuzz
ctest --output-on-failure --parallel "$(nproc)" --timeout $((seconds + 120))
