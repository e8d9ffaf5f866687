#!/usr/bin/env bash
# Unit tests of the JavaScript runtime library in jsdom, against the readable build and again
# against the minified one that pages load.
set -euo pipefail
cd "$(dirname "$0")/../.."
lib=build/dist/system/libraries/orvane
if [ ! -f "$lib/orvane.js" ] || [ ! -f "$lib/orvane.min.js" ]; then
    echo "runtime: $lib/orvane.js is missing; run scripts/build.sh first" >&2
    exit 1
fi
for file in orvane.js orvane.min.js; do
    echo "runtime: testing $file"
    ORVANE_RUNTIME="$PWD/$lib/$file" node --test --test-reporter=dot runtime/test/
done
