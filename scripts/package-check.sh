#!/usr/bin/env bash
# Builds the Debian package from a release build, installs it into this machine with apt and
# runs the installed orva once end to end on the installed simulators.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVA_SANITIZE=OFF \
    -DORVA_WERROR=ON -DBUILD_TESTING=OFF
cmake --build build-release
(cd build-release && cpack -G DEB)
package=$(ls "$PWD"/build-release/orva_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$package"
dpkg -L orva | grep -E 'bin/|\.desktop|\.svg'
scripts/run-demo.sh /usr/bin
