#!/usr/bin/env bash
# Checks the sources' layout, builds ORVA with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test offscreen, runs each fuzz target for a few
# seconds, then builds, checks, installs and runs the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

# Everything at once, also what the package check installs for itself: it runs beside the tests.
scripts/install-deps.sh clang clang-format libclang-rt-14-dev xvfb dpkg-dev lintian appstream \
    desktop-file-utils man-db
find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror
# Light optimisation and line tables only: the sanitizers' reports keep their lines, and the
# build takes a good deal less time.
cmake -S . -B build -G Ninja -DORVA_WERROR=ON -DORVA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
cmake --build build

# The fuzz targets and the release build compile at the lowest priority while the tests,
# which mostly wait on real time, run: the tests keep the processor whenever they want it.
side_log=build/side-builds.log
(
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DORVA_FUZZ=ON \
        -DORVA_WERROR=ON -DORVA_FUZZ_SECONDS=10 -DORVA_FUZZ_SEED=1
    nice -n 19 cmake --build build-fuzz
    nice -n 19 scripts/package-check.sh build-only
) >"$side_log" 2>&1 &
side_builds=$!
# Most tests wait on real time rather than compute, so six run at once on two cores.
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 6)
wait "$side_builds" || { cat "$side_log"; exit 1; }

(cd build-fuzz && ctest --output-on-failure --parallel 2)

scripts/package-check.sh
