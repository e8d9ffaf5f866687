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

// Numbers never show an exponent: PureBasic prints every digit.
function orvNumberText(value) {
    if (Number.isInteger(value)) {
        return Math.abs(value) < 1e21 ? String(value) : BigInt(value).toString();
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
    if (value === true) return 1;
    var n = Number(value);
    return isFinite(n) ? Math.trunc(n) : 0;
}

function orvNumber(value) {
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
    if (Array.isArray(value)) return value.map(orvCopy);
    var copy = {};
    for (var key in value) {
        if (Object.prototype.hasOwnProperty.call(value, key)) copy[key] = orvCopy(value[key]);
    }
    return copy;
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

// Thrown by End to stop the application script; the page's error handler lets it pass silently.
function ORV_EndOfProgram() {
    this.message = "End of program";
}

var cCommon = (global.cCommon = {
    PB_Compiler_EnumerationValue: 0,
    ORV_DataArray: [],
    ORV_Global_Label: 0,
    ORV_DataPosition: 0,
    ORV_Ended: false,
    CurrentMouseX: 0,
    CurrentMouseY: 0,

    // Reads the next value of the program's Data lines.
    Read: function () {
        var data = cCommon.ORV_DataArray || [];
        if (cCommon.ORV_DataPosition >= data.length) {
            console.error("Read: no more data (" + data.length + " values)");
            return 0;
        }
        return data[cCommon.ORV_DataPosition++];
    },

    // Without a label the next Read starts again at the first Data value.
    Restore: function (label) {
        cCommon.ORV_DataPosition = label === undefined ? 0 : orvInt(label);
    },

    End: function () {
        cCommon.ORV_Ended = true;
        throw new ORV_EndOfProgram();
    },
});

global.ORV_EndOfProgram = ORV_EndOfProgram;

if (typeof window !== "undefined" && window.addEventListener) {
    window.addEventListener("error", function (event) {
        if (event.error instanceof ORV_EndOfProgram) event.preventDefault();
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
