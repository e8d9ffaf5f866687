#!/usr/bin/env bash
# Converted programs in a real browser: each program is converted with build/dist/Orvane into a
# server folder of its own, served on 127.0.0.1 and opened in Debian's Chromium, which must run
# it without a script error and load every script and stylesheet the page names. Screenshots go
# to build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
for need in build/dist/Orvane node_modules/playwright-core /usr/bin/chromium; do
    if [ ! -e "$need" ]; then
        echo "browser: $need is missing (scripts/setup.sh and scripts/build.sh provide it)" >&2
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orvane-browser.XXXXXX")
server_pid=
cleanup() {
    if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p build/screenshots

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'
}

# check NAME PROGRAM TEMPLATE TEXT...: converts PROGRAM with a profile named NAME whose page
# template is TEMPLATE and whose server folder is $work/NAME/server/, then opens the page and
# expects each TEXT in it. ENCODING, when set, is the profile's encoding.
failures=0
check() {
    local name=$1 program=$2 template=$3
    shift 3
    local dir="$work/$name"
    mkdir -p "$dir/server" "$dir/config/Quillmoor/Orvane"
    printf '[profile:%s]\r\nserverpath = %s\r\nindexpage = %s\r\nencoding = %s\r\nAfterConvertingDoNothing = 1\r\nAfterConvertingStartDefaultBrowser = 0\r\n' \
        "$name" "$dir/server/" "$template" "${ENCODING:-UTF8}" >"$dir/config/Quillmoor/Orvane/Orvane.ini"
    {
        printf 'ORV_Converter_SetProfile("%s")\r\n' "$name"
        cat "$program"
    } >"$dir/program.pb"
    cp build/dist/orv.pbi "$dir/"
    if ! XDG_CONFIG_HOME="$dir/config" PB_TOOL_Compiler="$repo/tests/fakes/pbcompiler" \
        PB_TOOL_Debugger=1 build/dist/Orvane --console "$dir/program.pb" >"$dir/convert.log" 2>&1; then
        echo "browser: $name: the conversion failed:" >&2
        cat "$dir/convert.log" >&2
        failures=$((failures + 1))
        return
    fi
    local port
    port=$(free_port)
    python3 -m http.server "$port" --bind 127.0.0.1 --directory "$dir/server" >"$dir/http.log" 2>&1 &
    server_pid=$!
    for _ in $(seq 100); do
        if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then break; fi
        sleep 0.1
    done
    if node tests/browser/open_page.js "http://127.0.0.1:$port/index.html" \
        "build/screenshots/$name.png" "$@"; then
        echo "browser: $name: ok (build/screenshots/$name.png)"
    else
        echo "browser: $name: FAILED" >&2
        failures=$((failures + 1))
    fi
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=
}

# names NAME FILE...: the page of check NAME must name each library file.
names() {
    local name=$1
    shift
    for file in "$@"; do
        if ! grep -q "$file" "$work/$name/server/index.html"; then
            echo "browser: $name: the page does not load $file" >&2
            failures=$((failures + 1))
        fi
    done
}

check hello examples/hello.pb index.html "Hello, World!" "Line 3 of 3"
check libraries tests/browser/libraries.pb index.html "All libraries loaded"
names libraries fancytree/jquery.fancytree-all.min.js w2ui/w2ui.min.js jsPDF/jspdf.debug.js \
    jquery.tristate.js/jquery.tristate.js jStorage/jStorage.min.js FileSaver.js/FileSaver.min.js \
    jquery.timepicker/jquery-ui-timepicker-addon.min.js jquery.splitter/js/jquery.splitter-0.14.0.js
check gadgets tests/browser/gadgets.pb index.html "Gadgets ready" "Grid row" "Left pane" "Three states"
names gadgets fancytree/jquery.fancytree-all.min.js w2ui/w2ui.min.js jquery.ui.slider.pips/jquery-ui-slider-pips.js \
    jquery.timepicker/jquery-ui-timepicker-addon.min.js jquery.splitter/js/jquery.splitter-0.14.0.js \
    jquery.tristate.js/jquery.tristate.js
check mobile tests/browser/mobile.pb index_mobile.html "Hello from a mobile page"
names mobile jquery.mobile/jquery.mobile.js

# The same page in each encoding, served and opened straight from its file, shows its text as
# written: the page declares the encoding it is written in. Ascii holds no Greek.
for encoding in UTF8 Unicode Ascii; do
    texts=("Grüße aus Köln")
    if [ "$encoding" = Ascii ]; then texts+=("????????"); else texts+=("Ελληνικά"); fi
    ENCODING=$encoding check "encoding-$encoding" tests/browser/encoding.pb index.html "${texts[@]}"
    if node tests/browser/open_page.js "file://$work/encoding-$encoding/server/index.html" \
        "build/screenshots/encoding-$encoding-file.png" "${texts[@]}"; then
        echo "browser: encoding-$encoding from its file: ok"
    else
        echo "browser: encoding-$encoding from its file: FAILED" >&2
        failures=$((failures + 1))
    fi
done

if [ "$failures" -gt 0 ]; then
    echo "browser: $failures of the pages failed"
    exit 1
fi
