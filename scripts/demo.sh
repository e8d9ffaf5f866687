#!/usr/bin/env bash
# Converts examples/window.pb (a small window program) into a temporary server folder and serves it on 127.0.0.1.
#   ORVANE_DEMO_PORT   port to serve on (default: the first free one from 8000)
# An installed PureBasic compiler checks the program's syntax (PB_TOOL_Compiler,
# $PUREBASIC_HOME/compilers/pbcompiler or pbcompiler on the PATH, as Orvane looks for it);
# without one the demo converts with --no-syntax-check.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
scripts/setup.sh
scripts/build.sh

work=$(mktemp -d "${TMPDIR:-/tmp}/orvane-demo.XXXXXX")
server="$work/server/"
config="$work/config"
mkdir -p "$server" "$config/Quillmoor/Orvane"

# A profile of its own, in a settings folder of its own, so the user's profiles stay untouched:
# it names the server folder and starts no browser (this machine may have none).
printf '[profile:demo]\r\nserverpath = %s\r\nAfterConvertingDoNothing = 1\r\nAfterConvertingStartDefaultBrowser = 0\r\nAfterConvertingStartSpecificBrowser = 0\r\n' \
    "$server" >"$config/Quillmoor/Orvane/Orvane.ini"
{
    printf 'ORV_Converter_SetProfile("demo")\r\nXIncludeFile "orv.pbi"\r\n'
    cat examples/window.pb
} >"$work/window.pb"
cp build/dist/orv.pbi "$work/orv.pbi"

syntax_check=()
if [ -z "${PB_TOOL_Compiler:-}" ] && [ ! -x "${PUREBASIC_HOME:-/nonexistent}/compilers/pbcompiler" ] &&
    ! command -v pbcompiler >/dev/null; then
    syntax_check=(--no-syntax-check)
fi
echo "demo: converting examples/window.pb"
XDG_CONFIG_HOME="$config" PB_TOOL_Debugger=1 build/dist/Orvane --console "${syntax_check[@]}" "$work/window.pb"

port=${ORVANE_DEMO_PORT:-$(python3 - <<'PY'
import socket
for port in range(8000, 8100):
    s = socket.socket()
    try:
        s.bind(("127.0.0.1", port))
    except OSError:
        continue
    finally:
        s.close()
    print(port)
    break
PY
)}
echo
echo "demo: the converted program is in $server"
echo "demo: open http://127.0.0.1:$port/index.html in a browser (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$server"
