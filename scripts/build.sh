#!/usr/bin/env bash
# Builds Orvane, Setwright, Setpicker and the program folder build/dist.
# Warnings are errors; the build carries AddressSanitizer and UndefinedBehaviorSanitizer so that
# the tests run under them (ORVANE_SANITIZE=OFF builds a plain one).
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD"
# Debug information then holds relative paths, so every checkout shares one cache.
export CCACHE_NOHASHDIR=1
sanitize=${ORVANE_SANITIZE:-ON}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_WERROR=ON -DORVANE_SANITIZE="$sanitize" >/dev/null
cmake --build build --parallel "$(nproc)"
scripts/build-runtime.sh build/dist
if [ -x scripts/build-libraries.sh ]; then
    scripts/build-libraries.sh build/dist
fi
echo "build: program folder is build/dist"
