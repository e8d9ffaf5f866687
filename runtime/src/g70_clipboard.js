// The clipboard through the browser's clipboard interface. Browsers guard it: writing needs a
// page that has the focus (and, in some browsers, a click or key just before), reading needs
// the user's permission. Where the browser refuses, an error line says so, and the text this
// page put there last stays available to GetClipboardText, so that a program that copies and
// pastes within itself still works.

var orvClipboardText = "";
// The PNG bytes of the image this page put on the clipboard last (null after a text).
var orvClipboardImage = null;

function orvClipboardRefused(caller, error) {
    var reason = error && error.message ? " (" + error.message + ")" : "";
    var what = /Image/.test(caller) ? "image" : "text";
    orvError(caller + ": the browser refused access to the clipboard" + reason + "; the " + what + " is kept for this page only.");
}

// The older copy command, for pages the clipboard interface is not offered to (a site served
// without https, for one).
function orvCopyWithCommand(text) {
    if (typeof document === "undefined" || typeof document.execCommand !== "function") return false;
    var field = document.createElement("textarea");
    field.value = text;
    field.setAttribute("readonly", "");
    field.style.cssText = "position:fixed;left:-1000px;top:0;opacity:0";
    var focused = document.activeElement;
    document.body.appendChild(field);
    field.select();
    var copied = false;
    try {
        copied = document.execCommand("copy");
    } catch (error) {
        copied = false;
    }
    field.remove();
    if (focused && typeof focused.focus === "function") focused.focus();
    return copied;
}

function orvWriteClipboard(text, caller) {
    orvClipboardText = text;
    orvClipboardImage = null;
    var clipboard = typeof navigator !== "undefined" ? navigator.clipboard : null;
    if (clipboard && typeof clipboard.writeText === "function") {
        clipboard.writeText(text).then(undefined, function (error) {
            if (!orvCopyWithCommand(text)) orvClipboardRefused(caller, error);
        });
        return;
    }
    if (!orvCopyWithCommand(text)) orvClipboardRefused(caller, null);
}

// An image from the page's own copy, as a new image numbered number.
function orvImageFromPageClipboard(number, depth) {
    if (!orvClipboardImage) return Promise.resolve(0);
    return orvImageFromClipboardBytes(number, orvClipboardImage, depth);
}

function orvImageFromClipboardBytes(number, bytes, depth) {
    return orvDecodeImage(bytes).then(
        function (bitmap) {
            var info = bitmap.info;
            var withAlpha = orvInt(depth) === 32;
            if (!withAlpha) for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
            return orvRegisterImage(number, bitmap, withAlpha ? 32 : 24, info.originalDepth, 0);
        },
        function (error) {
            orvError("GetClipboardImage(): the clipboard's image could not be read (" + ((error && error.message) || error) + ").");
            return 0;
        }
    );
}

var cClipboard = (global.cClipboard = {
    SetClipboardText: function (text) {
        orvWriteClipboard(orvText(text), "SetClipboardText()");
    },
    ClearClipboard: function () {
        orvWriteClipboard("", "ClearClipboard()");
    },
    // As a PNG file, the one image format every browser's clipboard takes.
    SetClipboardImage: function (number) {
        var image = orvImageRegistry.Get(number);
        if (!image) return;
        var encoded = orvEncodeImage(image, ORV_PLUGIN_PNG, 0, 32);
        if (!encoded) return orvError("SetClipboardImage(): this browser cannot encode images.");
        orvClipboardText = "";
        orvClipboardImage = encoded.bytes;
        var clipboard = typeof navigator !== "undefined" ? navigator.clipboard : null;
        if (!clipboard || typeof clipboard.write !== "function" || typeof ClipboardItem !== "function") {
            orvClipboardRefused("SetClipboardImage()", null);
            return;
        }
        var item = new ClipboardItem({ "image/png": new Blob([encoded.bytes], { type: "image/png" }) });
        clipboard.write([item]).then(undefined, function (error) {
            orvClipboardRefused("SetClipboardImage()", error);
        });
    },
    // Waits for the browser like GetClipboardText; 0 when the clipboard holds no image.
    GetClipboardImage: function (number, depth) {
        var clipboard = typeof navigator !== "undefined" ? navigator.clipboard : null;
        if (!clipboard || typeof clipboard.read !== "function") {
            orvClipboardRefused("GetClipboardImage()", null);
            return orvImageFromPageClipboard(number, depth);
        }
        return clipboard.read().then(
            function (items) {
                for (var i = 0; i < items.length; i++) {
                    var type = items[i].types.filter(function (kind) {
                        return /^image\//.test(kind);
                    })[0];
                    if (type) {
                        return items[i].getType(type).then(function (blob) {
                            return blob.arrayBuffer().then(function (buffer) {
                                return orvImageFromClipboardBytes(number, new Uint8Array(buffer), depth);
                            });
                        });
                    }
                }
                return 0;
            },
            function (error) {
                orvClipboardRefused("GetClipboardImage()", error);
                return orvImageFromPageClipboard(number, depth);
            }
        );
    },
    // Reading waits for the browser (and its permission question), so the converter awaits it.
    GetClipboardText: function () {
        var clipboard = typeof navigator !== "undefined" ? navigator.clipboard : null;
        if (!clipboard || typeof clipboard.readText !== "function") {
            orvClipboardRefused("GetClipboardText()", null);
            return Promise.resolve(orvClipboardText);
        }
        return clipboard.readText().then(
            function (text) {
                return text === undefined || text === null ? "" : String(text);
            },
            function (error) {
                orvClipboardRefused("GetClipboardText()", error);
                return orvClipboardText;
            }
        );
    },
});
