#!/usr/bin/env bash
# Windows, gadgets, menus and requesters in Debian's Chromium: real clicks, typing, dragging and
# keyboard focus on pages that run the runtime library directly; screenshots in
# build/screenshots/gadgets-*.png, menus-*.png and requester-*.png.
set -euo pipefail
cd "$(dirname "$0")/../.."
for need in build/dist/system/libraries/orvane/orvane.js node_modules/playwright-core /usr/bin/chromium; do
    if [ ! -e "$need" ]; then
        echo "gui: $need is missing (scripts/setup.sh and scripts/build.sh provide it)" >&2
        exit 1
    fi
done
node --test --test-concurrency=1 --test-reporter=dot tests/browser/gadgets.test.js tests/browser/menus.test.js tests/browser/requesters.test.js tests/browser/bad_arguments.test.js \
    tests/browser/examples.test.js tests/browser/notepad.test.js
