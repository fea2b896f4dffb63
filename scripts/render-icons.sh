#!/usr/bin/env bash
# Renders the PNG icons from the SVG one; run after changing the SVG, and commit the results.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh librsvg2-bin
for size in 48 256; do
    rsvg-convert -w "$size" -h "$size" packaging/org.orvaproject.orva.svg \
        -o "packaging/org.orvaproject.orva-$size.png"
done
