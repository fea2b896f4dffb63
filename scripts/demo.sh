#!/usr/bin/env bash
# Builds ORVA and runs it on the bundled simulators: one burst of alarm records in, one SMS
# out. Exits 0 only when exactly the expected SMS reached the simulated modem.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target orva orva-modem-simulator orva-alarm-simulator
exec scripts/run-demo.sh "$PWD/build/bin"
