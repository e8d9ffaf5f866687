// Shared state and helpers of the runtime. Every runtime object is made a property of the global
// object so that the application script, which runs later in the same page, finds it by name.

// Text of a value as PureBasic would show it: JavaScript booleans stand for #True and #False.
function orvText(value) {
    if (value === true) return "1";
    if (value === false) return "0";
    if (value === null || value === undefined) return "";
    if (typeof value === "number") return orvNumberText(value);
    return String(value);
}

// Numbers never show an exponent: PureBasic prints every digit. An integer beyond 2^53 shows the
// exact value the number holds.
function orvNumberText(value) {
    if (Number.isInteger(value)) {
        return Math.abs(value) <= 9007199254740992 ? String(value) : BigInt(value).toString();
    }
    if (!isFinite(value)) return isNaN(value) ? "NaN" : value > 0 ? "+Infinity" : "-Infinity";
    var text = String(value);
    if (text.indexOf("e") < 0) return text;
    return orvTrimZeros(value.toFixed(20));
}

function orvTrimZeros(text) {
    if (text.indexOf(".") < 0) return text;
    text = text.replace(/0+$/, "");
    return text.charAt(text.length - 1) === "." ? text.slice(0, -1) : text;
}

// PureBasic integer arguments: fractions are cut off, missing and non-numbers count as 0.
function orvInt(value) {
    // numbers first: this runs for every integer argument of every library call
    if (typeof value === "number") return value === (value | 0) ? value : isFinite(value) ? Math.trunc(value) : 0;
    if (value === true) return 1;
    var n = Number(value);
    return isFinite(n) ? Math.trunc(n) : 0;
}

function orvNumber(value) {
    if (typeof value === "number") return value === value ? value : 0;
    if (value === true) return 1;
    var n = Number(value);
    return isNaN(n) ? 0 : n;
}

// Copies an element template. jQuery's deep copy keeps lists and maps inside a structure shared
// between copies, so those are cloned here as well.
function orvCopy(value) {
    if (value === null || typeof value !== "object") return value;
    if (value instanceof cLinkedList) return value.ORV_Clone();
    if (value instanceof cMap) return value.ORV_Clone();
    if (ArrayBuffer.isView(value)) return orvKeepArrayMarks(value, value.slice());
    if (Array.isArray(value)) return orvKeepArrayMarks(value, value.map(orvCopy));
    var copy = {};
    for (var key in value) {
        if (Object.prototype.hasOwnProperty.call(value, key)) copy[key] = orvCopy(value[key]);
    }
    return copy;
}

// A copied array keeps what Dim marked it with (dimensions, element kind, type, fixed length).
function orvKeepArrayMarks(from, to) {
    if (from.ORV_Dims) to.ORV_Dims = from.ORV_Dims.slice();
    if (from.ORV_Kind !== undefined) to.ORV_Kind = from.ORV_Kind;
    if (from.ORV_Type) to.ORV_Type = from.ORV_Type;
    if (from.ORV_FixedLength) to.ORV_FixedLength = from.ORV_FixedLength;
    return to;
}

// Copies every field of source into target (a = b of structures): nested structures and static
// arrays are filled in place, so that their addresses stay; strings, lists, maps and dynamic
// arrays are copied.
function orvAssignInto(target, source) {
    if (!target || !source || typeof target !== "object" || typeof source !== "object") return target;
    for (var key in source) {
        if (!Object.prototype.hasOwnProperty.call(source, key)) continue;
        var from = source[key];
        var to = target[key];
        if (ArrayBuffer.isView(from) && ArrayBuffer.isView(to) && to.length === from.length) {
            to.set(from);
        } else if (from !== null && typeof from === "object" && to !== null && typeof to === "object" &&
                   !Array.isArray(from) && !ArrayBuffer.isView(from) && !(from instanceof cLinkedList) && !(from instanceof cMap) &&
                   !Array.isArray(to) && !(to instanceof cLinkedList) && !(to instanceof cMap)) {
            orvAssignInto(to, from);
        } else {
            target[key] = orvCopy(from);
        }
    }
    return target;
}

// The page element with the given id; a page without it gets one at the end of its body.
function orvArea(id, tag) {
    var element = document.getElementById(id);
    if (!element) {
        element = document.createElement(tag);
        element.id = id;
        (document.body || document.documentElement).appendChild(element);
    }
    return element;
}

// Thrown by End to stop the application script; the page's error handler and cPB.Async let it
// pass silently.
function ORV_EndOfProgram() {
    this.message = "End of program";
}

var cCommon = (global.cCommon = {
    PB_Compiler_EnumerationValue: 0,
    ORV_DataArray: [],
    ORV_DataTypes: undefined,
    ORV_Global_Label: 0,
    // The next value to Read: its index in ORV_DataArray and its byte offset in the data section.
    ORV_DataPosition: 0,
    ORV_DataByte: 0,
    ORV_Ended: false,
    ORV_ExitCode: 0,
    CurrentMouseX: 0,
    CurrentMouseY: 0,

    // Read with a type letter (cCommon.Read("i"), "s", ...) reads as PureBasic does: at the
    // current place of the data section, as many bytes as the type takes, whatever the Data line
    // stored there. Without a type (the older emitted form) it gives the next value as written.
    Read: function (type) {
        if (type === undefined) return orvReadNextValue();
        return orvReadTyped(type);
    },

    // Without a label the next Read starts again at the first Data value.
    Restore: function (label) {
        var index = label === undefined ? 0 : orvInt(label);
        cCommon.ORV_DataPosition = index;
        var image = orvDataSection();
        cCommon.ORV_DataByte = image.offsets[Math.min(Math.max(index, 0), image.values.length)];
    },

    // Ends the program. A non-zero exit code shows as a last line in the debug area; the code is
    // also kept in cCommon.ORV_ExitCode and in the debug area's data-exit-code attribute.
    End: function (code) {
        if (!cCommon.ORV_Ended) {
            cCommon.ORV_Ended = true;
            cCommon.ORV_ExitCode = code === undefined ? 0 : orvInt(code);
            if (typeof document !== "undefined") {
                orvArea("orvane-debug", "div").setAttribute("data-exit-code", String(cCommon.ORV_ExitCode));
            }
            if (cCommon.ORV_ExitCode !== 0) {
                cDebugger.ORV_Write("The program ended with exit code " + cCommon.ORV_ExitCode + ".", "end");
            }
            cConsole.ORV_StopInput();
        }
        throw new ORV_EndOfProgram();
    },
});

var orvLetterOfType = { 1: "b", 24: "a", 3: "w", 25: "u", 11: "c", 5: "l", 21: "i", 13: "q", 9: "f", 12: "d", 8: "s", 0: "i" };

function orvNoMoreData(type) {
    cPB.Error("Read data error: no more data.");
    return type === "s" ? "" : 0;
}

function orvReadNextValue() {
    var data = cCommon.ORV_DataArray || [];
    var index = cCommon.ORV_DataPosition;
    if (index >= data.length || index < 0) return orvNoMoreData(typeof data[0] === "string" ? "s" : "i");
    cCommon.ORV_DataPosition = index + 1;
    var image = orvDataSection();
    cCommon.ORV_DataByte = image.offsets[index + 1];
    return image.labels.has(index) ? image.labels.get(index) : data[index];
}

function orvReadTyped(type) {
    var letter = typeof type === "number" ? orvLetterOfType[type] || "i" : String(type).toLowerCase();
    var image = orvDataSection();
    var at = cCommon.ORV_DataByte;
    var index = image.byOffset.get(at);
    var next;
    var value;
    if (index !== undefined && index < image.values.length && image.letters[index] === letter) {
        // the common case: the Read's type is the stored one
        value = letter === "s" ? orvText(image.values[index]) : image.labels.has(index) ? image.labels.get(index) : orvStoreAs(orvLetterType[letter], image.values[index]);
        next = image.offsets[index + 1];
    } else if (letter === "s") {
        if (at >= image.size) return orvNoMoreData("s");
        orvLocate(image.number * ORV_TwoTo32 + at, 0);
        value = orvReadText(-1, 25, false);
        next = Math.min(at + (value.length + 1) * 2, image.size);
    } else {
        var code = orvLetterType[letter];
        if (code === undefined) code = 21;
        var size = orvTypeSize(code);
        if (at + size > image.size) return orvNoMoreData(letter);
        value = orvGetFromView(orvBlocks[image.number].view, at, code);
        next = at + size;
    }
    cCommon.ORV_DataByte = next;
    var nextIndex = image.byOffset.get(next);
    if (nextIndex !== undefined) cCommon.ORV_DataPosition = nextIndex;
    return value;
}

global.ORV_EndOfProgram = ORV_EndOfProgram;

if (typeof window !== "undefined" && window.addEventListener) {
    window.addEventListener("error", function (event) {
        if (event.error instanceof ORV_EndOfProgram) event.preventDefault();
    });
    // End inside an awaited procedure rejects its promise: just as quiet.
    window.addEventListener("unhandledrejection", function (event) {
        if (event.reason instanceof ORV_EndOfProgram) event.preventDefault();
    });
}

if (typeof document !== "undefined" && document.addEventListener) {
    document.addEventListener("mousemove", function (event) {
        cCommon.CurrentMouseX = event.pageX;
        cCommon.CurrentMouseY = event.pageY;
    });
}

if (typeof jQuery !== "undefined" && jQuery.fn) {
    if (!("GadgetsEvents" in jQuery.fn)) jQuery.fn.GadgetsEvents = null;
    if (!("WindowsEvents" in jQuery.fn)) jQuery.fn.WindowsEvents = null;
}
