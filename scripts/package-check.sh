#!/usr/bin/env bash
# Builds the Debian package from a release build with Debian's hardening flags, checks it and
# its AppStream data as a Debian maintainer would (any lintian error or warning fails), installs
# it into this machine with apt, verifies the installed user services as systemd would load them,
# and runs the installed orva once end to end on the installed simulators. With build-only it
# stops once the package is built.
# usage: scripts/package-check.sh [build-only]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh dpkg-dev lintian appstream desktop-file-utils man-db systemd
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVA_SANITIZE=OFF \
    -DORVA_WERROR=ON -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-release --target orva orva-modem-simulator orva-alarm-simulator \
    orva_packaging_files
rm -f build-release/orva_*.deb
(cd build-release && cpack -G DEB)
package=$(ls "$PWD"/build-release/orva_*.deb)
[ "${1:-}" != build-only ] || exit 0

appstreamcli validate --pedantic --no-net packaging/org.orvaproject.orva.metainfo.xml
desktop-file-validate packaging/org.orvaproject.orva.desktop
lintian --fail-on error,warning --display-info "$package"
echo "lintian: no error or warning"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$package"
dpkg -L orva | grep -E 'bin/|\.desktop|\.svg|\.png|man1|orva(-headless)?\.service$'
# The user services as the user's service manager loads them: their command, their manual
# page, and no key it does not know. systemd-analyze only warns of an unknown key or a value it
# cannot parse, so any line it says about a unit fails too. Its user manager needs a runtime
# folder of its own, which a root shell without a login session lacks. Both units restart ORVA
# however it ends; the one without a desktop belongs to no graphical session, which would stop
# it at a desktop logout, and never runs beside the other.
for unit in /usr/lib/systemd/user/orva.service /usr/lib/systemd/user/orva-headless.service; do
    dpkg -L orva | grep -qx "$unit" || { echo "not in the package: $unit"; exit 1; }
    runtime=$(mktemp -d)
    verified=0
    findings=$(XDG_RUNTIME_DIR="$runtime" systemd-analyze --user verify "$unit" 2>&1) ||
        verified=$?
    rm -rf "$runtime"
    if ((verified)) || grep -qF "${unit##*/}" <<<"$findings"; then
        echo "$findings"
        echo "systemd-analyze verify: $unit is not right"
        exit 1
    fi
    grep -qx 'Restart=always' "$unit" || { echo "not restarted however it ends: $unit"; exit 1; }
    echo "systemd-analyze verify: $unit loads cleanly and restarts ORVA however it ends"
done
headless=/usr/lib/systemd/user/orva-headless.service
if grep -nE '^PartOf=|graphical-session' "$headless"; then
    echo "stopped with another unit or the desktop session: $headless"
    exit 1
fi
grep -qx 'Conflicts=orva.service' "$headless" ||
    { echo "may run beside orva.service: $headless"; exit 1; }
# The installed guide shows its pictures: every file it links to stands beside it.
for linked in $(grep -o '](\([^)#]*\))' README.md | sed 's/^](//; s/)$//' | grep -v '://'); do
    test -e "/usr/share/doc/orva/$linked" || { echo "not installed beside the guide: $linked"; exit 1; }
done
orva --version
scripts/run-demo.sh /usr/bin
