#!/usr/bin/env bash
# Server programs written by the converter, run on real servers (php -S, Node.js, Python's
# standard library, Flask) on free ports of 127.0.0.1 and called as the client stubs call them.
set -uo pipefail
cd "$(dirname "$0")/../.."
if [ ! -x build/dist/Orvane ] || [ ! -f build/dist/system/templates/php.php ]; then
    echo "servers: build/dist is incomplete; run scripts/build.sh first" >&2
    exit 1
fi
for tool in php node; do
    command -v "$tool" >/dev/null || { echo "servers: $tool is missing; run scripts/setup.sh" >&2; exit 1; }
done
node --test --test-reporter=spec --test-concurrency=1 tests/servers/
