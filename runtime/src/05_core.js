// cPB: what the PureBasic language itself does with numbers that JavaScript does differently
// (integer division, rounding a float into an integer, 64-bit bit operations, the texts of
// floats), and the error lines the debugger would show.

var ORV_TwoTo32 = 4294967296;
var ORV_TwoTo53 = 9007199254740992;
var ORV_TwoTo63 = 9223372036854775808;
// What the processor gives for a float that has no integer value (NaN, infinities, overflow).
var ORV_IntegerIndefinite = -9223372036854775808;

function orvIsInt32(n) {
    return (n | 0) === n;
}

// An integer whose upper half fits 21 bits and a sign, so that both halves take 32-bit operations.
function orvIsSafe(n) {
    return n === Math.floor(n) && n < ORV_TwoTo53 && n >= -ORV_TwoTo53;
}

// A JavaScript number as a 64-bit integer; fractions are cut off, non-numbers are 0.
function orvToBigInt(n) {
    if (typeof n === "bigint") return BigInt.asIntN(64, n);
    n = Number(n);
    if (!isFinite(n)) return 0n;
    return BigInt.asIntN(64, BigInt(Math.trunc(n)));
}

// The 64-bit result of a BigInt operation as a number (exact up to 2^53).
function orvFromBigInt(b) {
    return Number(BigInt.asIntN(64, b));
}

// Digits of a finite number without an exponent: "1.235e-18" becomes "0.000000000000000001235".
function orvPlainDecimal(text) {
    var match = /^(-?)(\d+)(?:\.(\d+))?e([+-]\d+)$/.exec(text);
    if (!match) return text;
    var sign = match[1];
    var digits = match[2] + (match[3] || "");
    var point = match[2].length + parseInt(match[4], 10);
    if (point <= 0) return sign + "0." + "0".repeat(-point) + digits;
    if (point >= digits.length) return sign + digits + "0".repeat(point - digits.length);
    return sign + digits.slice(0, point) + "." + digits.slice(point);
}

function orvSpecialText(x) {
    if (isNaN(x)) return "NaN";
    return x > 0 ? "+Infinity" : "-Infinity";
}

// The shortest digits that read back as the same double (JavaScript's own rule), or as the same
// single when single is true; never an exponent, and ".0" after a whole number.
function orvShortestText(x, single) {
    x = Number(x);
    if (!isFinite(x)) return orvSpecialText(x);
    var text;
    if (single) {
        x = Math.fround(x);
        for (var precision = 1; precision <= 9; precision++) {
            text = x.toPrecision(precision);
            if (Math.fround(parseFloat(text)) === x) break;
        }
        text = String(parseFloat(text));
    } else {
        text = String(x);
    }
    text = orvPlainDecimal(text);
    return text.indexOf(".") < 0 ? text + ".0" : text;
}

// A number with a fixed count of decimals, rounded; never an exponent, no "-0".
function orvFixedText(x, decimals) {
    x = Number(x);
    if (!isFinite(x)) return orvSpecialText(x);
    decimals = Math.min(Math.max(Math.trunc(decimals) || 0, 0), 100);
    var text;
    if (Math.abs(x) < 1e21) {
        text = x.toFixed(decimals);
    } else {
        text = BigInt(x).toString() + (decimals > 0 ? "." + "0".repeat(decimals) : "");
    }
    return /^-0(\.0*)?$/.test(text) ? text.slice(1) : text;
}

// StrF/StrD without a count of decimals: ten, then trailing zeros and a trailing point removed.
function orvDefaultDecimalText(x) {
    var text = orvFixedText(x, 10);
    if (!isFinite(Number(x)) || text.indexOf(".") < 0) return text;
    text = text.replace(/0+$/, "");
    return text.charAt(text.length - 1) === "." ? text.slice(0, -1) : text;
}

// A float stored into an integer: to the nearest integer, halves to the even one (the
// processor's default rounding).
function orvRoundHalfEven(x) {
    if (Number.isInteger(x)) return x;
    if (!isFinite(x)) return ORV_IntegerIndefinite;
    var r = Math.round(x);
    if (r - x === 0.5 && r % 2 !== 0) r -= 1;
    return r || 0;
}

var cPB = (global.cPB = {
    // Integer division truncates towards zero.
    Div: function (a, b) {
        if (b === 0 || !b) {
            cPB.Error("Division by zero forbidden.", ORV_OnError_DivideByZero);
            return 0;
        }
        if (orvIsInt32(a) && orvIsInt32(b)) return Math.trunc(a / b) || 0;
        var q = Math.trunc(a / b);
        if (Math.abs(a) < ORV_TwoTo53 && Math.abs(q * b) < ORV_TwoTo53) {
            // a / b is rounded before it is cut: step back when that crossed an integer
            var r = a - q * b;
            if (r !== 0 && (r < 0) !== (a < 0)) q += (a < 0) === (b < 0) ? -1 : 1;
        }
        return q || 0;
    },

    // The remainder has the sign of the dividend, as in PureBasic.
    Mod: function (a, b) {
        if (b === 0 || !b) {
            cPB.Error("Modulo zero is forbidden (result in a zero divide).", ORV_OnError_DivideByZero);
            return 0;
        }
        return a % b || 0;
    },

    Round: orvRoundHalfEven,

    // Values up to 2^53 are split into their upper and lower 32 bits; beyond, BigInt.
    And: function (a, b) {
        if (orvIsInt32(a) && orvIsInt32(b)) return a & b;
        if (orvIsSafe(a) && orvIsSafe(b)) {
            var ha = Math.floor(a / ORV_TwoTo32);
            var hb = Math.floor(b / ORV_TwoTo32);
            return (ha & hb) * ORV_TwoTo32 + (((a - ha * ORV_TwoTo32) & (b - hb * ORV_TwoTo32)) >>> 0);
        }
        return orvFromBigInt(orvToBigInt(a) & orvToBigInt(b));
    },
    Or: function (a, b) {
        if (orvIsInt32(a) && orvIsInt32(b)) return a | b;
        if (orvIsSafe(a) && orvIsSafe(b)) {
            var ha = Math.floor(a / ORV_TwoTo32);
            var hb = Math.floor(b / ORV_TwoTo32);
            return (ha | hb) * ORV_TwoTo32 + (((a - ha * ORV_TwoTo32) | (b - hb * ORV_TwoTo32)) >>> 0);
        }
        return orvFromBigInt(orvToBigInt(a) | orvToBigInt(b));
    },
    Xor: function (a, b) {
        if (orvIsInt32(a) && orvIsInt32(b)) return a ^ b;
        if (orvIsSafe(a) && orvIsSafe(b)) {
            var ha = Math.floor(a / ORV_TwoTo32);
            var hb = Math.floor(b / ORV_TwoTo32);
            return (ha ^ hb) * ORV_TwoTo32 + (((a - ha * ORV_TwoTo32) ^ (b - hb * ORV_TwoTo32)) >>> 0);
        }
        return orvFromBigInt(orvToBigInt(a) ^ orvToBigInt(b));
    },
    Not: function (a) {
        if (orvIsInt32(a)) return ~a;
        if (orvIsSafe(a)) return -a - 1;
        return orvFromBigInt(~orvToBigInt(a));
    },
    // Shift counts are taken modulo 64, as the processor takes them.
    Shl: function (a, n) {
        n = Number(n) & 63;
        if (orvIsInt32(a)) {
            var product = a * Math.pow(2, n);
            if (Math.abs(product) < ORV_TwoTo53) return product;
        }
        return orvFromBigInt(orvToBigInt(a) << BigInt(n));
    },
    // An arithmetic shift: the sign is kept.
    Shr: function (a, n) {
        n = Number(n) & 63;
        if (orvIsInt32(a)) return n < 32 ? a >> n : a < 0 ? -1 : 0;
        if (Number.isInteger(a) && Math.abs(a) < ORV_TwoTo53) return Math.floor(a / Math.pow(2, n));
        return orvFromBigInt(orvToBigInt(a) >> BigInt(n));
    },

    // A float or a double joined to a string: StrF/StrD with their default decimals.
    StrF: function (x) {
        return orvDefaultDecimalText(Math.fround(Number(x)));
    },
    StrD: function (x) {
        return orvDefaultDecimalText(x);
    },

    // The text Debug shows for a float or a double; the emitter writes
    // cDebugger.Debug(cPB.DebugD(x)).
    DebugF: function (x) {
        return orvShortestText(x, true);
    },
    DebugD: function (x) {
        return orvShortestText(x, false);
    },

    // An error line in the page's debug area; the program goes on. An error that would crash the
    // program on the desktop has its OnError code: it goes to the program's OnErrorCall or
    // OnErrorGoto handler when one is set, and ends the program after OnErrorExit.
    Error: function (text, code, address) {
        if (code && orvRaise(code, address)) return;
        var line = "[ERROR] " + orvText(text);
        cDebugger.ORV_Write(line, "error");
        if (typeof console !== "undefined" && console.error) console.error(line);
        if (code && orvOnError.action === 1) {
            orvOnError.code = code;
            cCommon.End(1);
        }
    },

    // A call of a PureBasic function the browser cannot run.
    Unavailable: function (name, line) {
        var where = line === undefined || line === null ? "" : "Line " + line + ": ";
        cPB.Error(where + orvText(name) + "() is not available in the browser");
        return 0;
    },

    // a = b of structures: every field of source into the target object.
    AssignStructure: function (target, source) {
        if (!target || typeof target !== "object" || !source || typeof source !== "object") {
            cPB.Error("Cannot assign a value to a structure.");
            return target;
        }
        return orvAssignInto(target, source);
    },

    // CopyStructure(*from, *to, Structure): field by field between structure objects, byte by
    // byte between raw memory of factory.ORV_Size.
    StructureCopy: function (fromAddress, toAddress, factory) {
        var from = orvObjectAt(fromAddress);
        var to = orvObjectAt(toAddress);
        if (from && to) {
            orvAssignInto(to, from);
            return;
        }
        var size = factory && factory.ORV_Size > 0 ? factory.ORV_Size : 0;
        if (!from && !to && size > 0) {
            orvCopyMemory(fromAddress, toAddress, size);
            return;
        }
        if (!Number(fromAddress) || !Number(toAddress)) {
            cPB.Error("The structure pointer is NULL.", ORV_OnError_InvalidMemory, 0);
            return;
        }
        cPB.Error("CopyStructure() between a structure object and raw memory is not available in the browser: copy the fields.");
    },

    // ClearStructure, ResetStructure, InitializeStructure: the fields get their initial values.
    StructureReset: function (address, factory) {
        var object = orvObjectAt(address);
        if (object && typeof factory === "function") {
            orvAssignInto(object, factory());
            return;
        }
        var size = factory && factory.ORV_Size > 0 ? factory.ORV_Size : 0;
        if (!object && size > 0) {
            cMemory.FillMemory(address, size, 0);
            return;
        }
        if (!Number(address)) cPB.Error("The structure pointer is NULL.", ORV_OnError_InvalidMemory, 0);
        else cPB.Error("The structure pointer does not point to valid memory.", ORV_OnError_InvalidMemory, address);
    },

    // Runs the program's main part when it awaits; what it throws becomes an error line, End
    // ends it quietly.
    Async: function (main) {
        var run;
        try {
            run = Promise.resolve(main());
        } catch (error) {
            run = Promise.reject(error);
        }
        return run.then(undefined, function (error) {
            if (error instanceof ORV_EndOfProgram) return;
            orvReportFailure(error);
        });
    },
});

// A JavaScript exception that reached the program's top: shown as an error line, since the
// program cannot go on after it.
function orvReportFailure(error) {
    var text = error && error.message ? error.message : String(error);
    cPB.Error("The program stopped: " + text);
    if (typeof console !== "undefined" && console.error) console.error(error);
}
