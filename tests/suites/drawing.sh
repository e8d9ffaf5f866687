#!/usr/bin/env bash
# Images, drawing, sprites, keyboard and mouse in Debian's Chromium (pixel tests against
# PureBasic's sizes and colours); screenshots in build/screenshots/drawing-*.png.
set -euo pipefail
cd "$(dirname "$0")/../.."
for need in build/dist/system/libraries/orvane/orvane.js node_modules/playwright-core /usr/bin/chromium; do
    if [ ! -e "$need" ]; then
        echo "drawing: $need is missing (scripts/setup.sh and scripts/build.sh provide it)" >&2
        exit 1
    fi
done
node --test --test-reporter=dot tests/browser/drawing.test.js
