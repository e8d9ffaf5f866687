#!/usr/bin/env bash
# Builds the JavaScript runtime library from runtime/src into the program folder:
# system/libraries/orvane/orvane.js (readable, for debugging) and orvane.min.js (terser).
# The sources are joined in file-name order inside one function, so that only the runtime
# objects they hand to the global object are visible to the application script.
set -euo pipefail
cd "$(dirname "$0")/.."
dist=${1:-build/dist}
out="$dist/system/libraries/orvane"
mkdir -p "$out"
tmp="$out/orvane.js.tmp"
{
    echo "// Orvane runtime library: what converted PureBasic programs call in the browser."
    echo "// Runs in non-strict mode, after jQuery."
    echo "(function (global) {"
    for f in runtime/src/*.js; do
        echo
        echo "// ---- $(basename "$f")"
        cat "$f"
    done
    echo "})(typeof window !== \"undefined\" ? window : this);"
} >"$tmp"
mv "$tmp" "$out/orvane.js"
terser=node_modules/.bin/terser
if [ ! -x "$terser" ]; then
    echo "build-runtime: $terser is missing; run scripts/setup.sh" >&2
    exit 1
fi
"$terser" "$out/orvane.js" --compress --mangle --comments false -o "$out/orvane.min.js"
node scripts/constant-values.js "$out/orvane.js" "$dist/constant-values.txt" >/dev/null
echo "build-runtime: $out/orvane.js and orvane.min.js, $dist/constant-values.txt"
