// The clipboard through the browser's clipboard interface. Browsers guard it: writing needs a
// page that has the focus (and, in some browsers, a click or key just before), reading needs
// the user's permission. Where the browser refuses, an error line says so, and the text this
// page put there last stays available to GetClipboardText, so that a program that copies and
// pastes within itself still works.

var orvClipboardText = "";

function orvClipboardRefused(caller, error) {
    var reason = error && error.message ? " (" + error.message + ")" : "";
    orvError(caller + ": the browser refused access to the clipboard" + reason + "; the text is kept for this page only.");
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
    var clipboard = typeof navigator !== "undefined" ? navigator.clipboard : null;
    if (clipboard && typeof clipboard.writeText === "function") {
        clipboard.writeText(text).then(undefined, function (error) {
            if (!orvCopyWithCommand(text)) orvClipboardRefused(caller, error);
        });
        return;
    }
    if (!orvCopyWithCommand(text)) orvClipboardRefused(caller, null);
}

var cClipboard = (global.cClipboard = {
    SetClipboardText: function (text) {
        orvWriteClipboard(orvText(text), "SetClipboardText()");
    },
    ClearClipboard: function () {
        orvWriteClipboard("", "ClearClipboard()");
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
