#!/usr/bin/env bash
# Fills the program folder's system/libraries (and system/userlibraries) with the browser
# libraries converted pages load, taken from the npm packages pinned in package.json and
# package-lock.json, under the file names the page templates and deployment expect.
# Usage: scripts/build-libraries.sh [program folder, default build/dist]
set -euo pipefail
cd "$(dirname "$0")/.."
dist=${1:-build/dist}
nm=node_modules

# Other checkouts may not have installed packages added since their last "npm ci". The lock
# file's content decides, not its date, which every checkout of a branch changes.
stamp="$nm/.orvane-package-lock.sha256"
want=$(sha256sum package-lock.json | cut -d' ' -f1)
if [ ! -d "$nm" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$want" ]; then
    if ! command -v npm >/dev/null 2>&1; then
        echo "build-libraries: npm is missing; run scripts/setup.sh" >&2
        exit 1
    fi
    echo "build-libraries: npm ci"
    npm ci --no-audit --no-fund --loglevel=error
    echo "$want" >"$stamp"
fi

lib="$dist/system/libraries"
userlib="$dist/system/userlibraries"

# copy SOURCE TARGET: one file; the date is kept so that unchanged libraries are not deployed
# again on the next conversion.
copy() {
    local from="$nm/$1" to=$2
    if [ ! -f "$from" ]; then
        echo "build-libraries: $from is missing (package-lock.json and node_modules disagree?)" >&2
        exit 1
    fi
    mkdir -p "$(dirname "$to")"
    if ! cmp -s "$from" "$to" 2>/dev/null; then cp -p "$from" "$to"; fi
}

# copydir SOURCE TARGET: a whole folder (themes with their pictures).
copydir() {
    local from="$nm/$1" to=$2
    if [ ! -d "$from" ]; then
        echo "build-libraries: $from is missing" >&2
        exit 1
    fi
    mkdir -p "$to"
    cp -pR "$from/." "$to/"
}

# note TARGET TEXT: a small script of ours where no package does the job and the runtime library
# uses the browser's own facility instead (a stylesheet gets the same words as a CSS comment).
note() {
    local to=$1 text=$2 body
    body=$(printf '%s\nOrvane delivers no library here: %s' "$(basename "$to")" "$text")
    case "$to" in
        *.css) body="/* ${body} */" ;;
        *) body=$(printf '%s\n' "$body" | sed 's|^|// |') ;;
    esac
    mkdir -p "$(dirname "$to")"
    if [ ! -f "$to" ] || [ "$(cat "$to")" != "$body" ]; then printf '%s\n' "$body" >"$to"; fi
}

# Always loaded.
copy jquery/dist/jquery.min.js "$lib/jquery/jquery.min.js"
copy jquery-migrate/dist/jquery-migrate.min.js "$lib/jquery/jquery-migrate.min.js"
copy jquery-ui/dist/jquery-ui.js "$lib/jquery.ui/jquery-ui.js"
copy jquery-ui/dist/jquery-ui.min.js "$lib/jquery.ui/jquery-ui.min.js"
for theme in "$nm"/jquery-ui/dist/themes/*/; do
    name=$(basename "$theme")
    copydir "jquery-ui/dist/themes/$name" "$lib/jquery.ui/themes/$name"
done
copy jquery-color/dist/jquery.color.js "$lib/jquery.color/jquery.color.js"
note "$lib/jquery.ui.dialogextend/jquery.ui.dialogextend.js" \
    "jquery-dialogextend has no npm package and no maintained successor; \
windows are plain jQuery UI dialogs, without its minimize and maximize buttons."
copy moment/min/moment-with-locales.min.js "$lib/moment/moment-with-locales.min.js"
copy @rwap/jquery-ui-touch-punch/jquery.ui.touch-punch.js \
    "$lib/jquery.ui.touch.punch/jquery.ui.touch.punch.improved.dev.js"
copy jquery-binarytransport/jquery.binarytransport.js \
    "$lib/BinaryTransport/jquery.binarytransport.js"

# jQuery Mobile pages.
copy jquery-mobile/dist/jquery.mobile.js "$lib/jquery.mobile/jquery.mobile.js"
copy jquery-mobile/dist/jquery.mobile.css "$lib/jquery.mobile/jquery.mobile.css"
copydir jquery-mobile/dist/images "$lib/jquery.mobile/images"

# Loaded when the program needs them.
copy jquery.fancytree/dist/jquery.fancytree-all.min.js "$lib/fancytree/jquery.fancytree-all.min.js"
copydir jquery.fancytree/dist/skin-themeroller "$lib/fancytree/skin-themeroller"
copy jquery-ui-slider-pips-npm/dist/jquery-ui-slider-pips.css \
    "$lib/jquery.ui.slider.pips/jquery-ui-slider-pips.css"
copy jquery-ui-slider-pips-npm/dist/jquery-ui-slider-pips.js \
    "$lib/jquery.ui.slider.pips/jquery-ui-slider-pips.js"
copy jquery-ui-timepicker-addon/dist/jquery-ui-timepicker-addon.min.css \
    "$lib/jquery.timepicker/jquery-ui-timepicker-addon.min.css"
copy jquery-ui-timepicker-addon/dist/jquery-ui-timepicker-addon.min.js \
    "$lib/jquery.timepicker/jquery-ui-timepicker-addon.min.js"
copy @googlemaps/markerclusterer/dist/index.umd.js \
    "$userlib/google-maps-utility-library/markerclusterer/markerclusterer.js"
copy google-maps-utility-library-v3-keydragzoom/dist/keydragzoom.js \
    "$userlib/google-maps-utility-library/keydragzoom/keydragzoom.js"
copy jquery-blockui/jquery.blockUI.js "$lib/jquery.blockUI/jquery.blockUI.js"

# CryptoJS: the npm package holds modules that each need its core, and loading the core twice
# would drop what the first file defined. The whole library therefore comes with the first file
# the page loads; the others only check that it is there.
copy crypto-js/crypto-js.js "$lib/CryptoJS/rollups/sha256.js"
for part in rollups/rc4.js rollups/md5.js components/enc-base64-min.js; do
    note "$lib/CryptoJS/$part" "the whole of crypto-js (SHA256, RC4, MD5, Base64 and the rest) \
is loaded by rollups/sha256.js, which the page loads first."
done

copy pixi.js/dist/pixi.min.js "$lib/pixi/pixi.min.js"
note "$lib/jquery.ui.menubar/jquery.ui.menubar.js" "the jQuery UI menubar was never released as \
a package; menu bars are left to the runtime library (jQuery UI has a menu widget to build on)."
note "$lib/jquery.ui.menubar/jquery.ui.menubar.css" "see jquery.ui.menubar.js."
copy jspdf/dist/jspdf.umd.js "$lib/jsPDF/jspdf.debug.js"
copy html2canvas/dist/html2canvas.js "$lib/html2canvas/html2canvas.js"
copy jquery.cookie/jquery.cookie.js "$lib/jquery.cookie/jquery.cookie.js"
copy w2ui/w2ui-2.0.min.css "$lib/w2ui/w2ui.min.css"
copy w2ui/w2ui-2.0.min.js "$lib/w2ui/w2ui.min.js"
copy jquery-touchswipe/jquery.touchSwipe.min.js "$lib/jquery.touchSwipe/jquery.touchSwipe.min.js"
copy alasql/dist/alasql.min.js "$lib/alasql/alasql.min.js"
copy jquery.splitter/js/jquery.splitter.js "$lib/jquery.splitter/js/jquery.splitter-0.14.0.js"
copy jquery.splitter/css/jquery.splitter.css "$lib/jquery.splitter/css/jquery.splitter.css"
note "$lib/jquery.xpath/jquery.xpath.js" "the jQuery XPath plugin has no npm package; the \
runtime library evaluates XPath with the browser's document.evaluate."
note "$lib/jsxml/jsxmlstand.js" "the runtime library parses, serializes and transforms XML \
with the browser's DOMParser, XMLSerializer and XSLTProcessor."
copy evol-colorpicker/css/evol-colorpicker.min.css \
    "$lib/evol.colorpicker/css/evol.colorpicker.min.css"
copy evol-colorpicker/js/evol-colorpicker.min.js "$lib/evol.colorpicker/js/evol.colorpicker.min.js"
copy blob-polyfill/Blob.js "$lib/Blob.js/Blob.js"
copy canvas-toBlob/canvas-toBlob.js "$lib/canvas-toBlob.js/canvas-toBlob.js"
copy file-saver/dist/FileSaver.min.js "$lib/FileSaver.js/FileSaver.min.js"
copy jquery.hotkeys/jquery.hotkeys.js "$lib/jquery.hotkeys/jquery.hotkeys.js"
copy jstorage/jstorage.min.js "$lib/jStorage/jStorage.min.js"
copy tristate/jquery.tristate.js "$lib/jquery.tristate.js/jquery.tristate.js"
note "$lib/jquery.websocket/jquery.WebSocket.js" "every browser has WebSocket built in; the \
runtime library uses it directly."

echo "build-libraries: $lib"
