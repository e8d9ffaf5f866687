#!/usr/bin/env bash
# Converts examples/hello.pb into a temporary server folder and serves it on 127.0.0.1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
echo "demo: the converter is not finished yet"
exit 1
