// The String library. Positions are 1-based and counted in characters, as in PureBasic.

var ORV_NoCase = 1;

// Bit widths of the PureBasic integer types, for Hex, Bin and StrU.
function orvTypeBits(type) {
    switch (orvInt(type)) {
        case 1: // #PB_Byte
        case 24: // #PB_Ascii
            return 8;
        case 3: // #PB_Word
        case 11: // #PB_Character
        case 25: // #PB_Unicode
            return 16;
        case 5: // #PB_Long
            return 32;
        default:
            return 64;
    }
}

// A Value.q argument: a float is rounded as PureBasic rounds it into an integer.
function orvBigInt(value) {
    var n = orvNumber(value);
    return isFinite(n) ? BigInt(orvRoundHalfEven(n)) : 0n;
}

// Character by character, so that the length never changes ("ß" stays "ß").
function orvChangeCase(text, upper) {
    return orvText(text).replace(/[^\x00-\x40\x5b-\x60\x7b-\x7f]/gu, function (c) {
        var changed = upper ? c.toUpperCase() : c.toLowerCase();
        return changed.length === c.length ? changed : c;
    });
}

// Lower case character by character, so that positions stay where they were.
function orvFold(text) {
    return orvChangeCase(text, false);
}

// Finds search in text from a 0-based index; -1 when it is not there.
function orvIndexOf(text, search, from, mode) {
    if (orvInt(mode) & ORV_NoCase) return orvFold(text).indexOf(orvFold(search), from);
    return text.indexOf(search, from);
}

// Replaces the occurrences of search from a 1-based position on, at most count of them
// (count < 1: all). Shared by ReplaceString and RemoveString.
function orvReplace(text, search, replacement, mode, start, count) {
    text = orvText(text);
    search = orvText(search);
    replacement = orvText(replacement);
    if (search === "") return text;
    var from = Math.max(orvInt(start === undefined ? 1 : start), 1) - 1;
    var limit = count === undefined ? 0 : orvInt(count);
    var result = text.slice(0, from);
    var done = 0;
    var position = from;
    while (limit < 1 || done < limit) {
        var found = orvIndexOf(text, search, position, mode);
        if (found < 0) break;
        result += text.slice(position, found) + replacement;
        position = found + search.length;
        done++;
    }
    return result + text.slice(position);
}

// The numeric prefix of a text as PureBasic's Val reads it: optional blanks and sign, then a
// "$" hexadecimal, a "%" binary or a decimal number; whatever follows is ignored.
function orvIntegerValue(text) {
    var match = /^[ \t]*([+-]?)[ \t]*(\$([0-9a-fA-F]+)|%([01]+)|([0-9]+))/.exec(orvText(text));
    if (!match) return 0;
    var digits = match[3] !== undefined ? "0x" + match[3] : match[4] !== undefined ? "0b" + match[4] : match[5];
    var value = BigInt.asIntN(64, BigInt(digits));
    return Number(match[1] === "-" ? BigInt.asIntN(64, -value) : value);
}

// ValD and ValF: a decimal or scientific number at the start, or NaN, +Infinity, -Infinity.
function orvFloatValue(text) {
    text = orvText(text);
    var special = /^[ \t]*([+-]?)(NaN|Infinity)/i.exec(text);
    if (special) return special[2].toLowerCase() === "nan" ? NaN : special[1] === "-" ? -Infinity : Infinity;
    var match = /^[ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?/.exec(text);
    return match ? parseFloat(match[0].replace(/[ \t]/g, "")) : 0;
}

// A float argument: NaN and the infinities stay what they are.
function orvFloatArgument(value) {
    return typeof value === "number" ? value : orvNumber(value);
}

function orvFixed(value, decimals) {
    return orvFixedText(orvFloatArgument(value), orvInt(decimals));
}

// Ascii() and UTF8(): a new memory block with the text and its terminating zero.
function orvTextBuffer(text, format) {
    var bytes = orvEncodeText(orvText(text), format, -1);
    var address = orvNewMemory(bytes.length + 1, "memory");
    if (address) orvBlocks[address / ORV_TwoTo32].bytes.set(bytes);
    return address;
}

// Modes of EscapeString and UnescapeString: #PB_String_EscapeInternal 0 (the escapes of ~"..."
// literals), #PB_String_EscapeXML 1, #PB_String_EscapeJSON 2.
var orvInternalEscapes = { "\x07": "a", "\b": "b", "\f": "f", "\n": "n", "\r": "r", "\t": "t", "\v": "v", '"': '"', "\\": "\\" };
var orvXmlEscapes = { "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;", "'": "&apos;" };

function orvUnescapeInternal(text) {
    return text.replace(/\\(.)/g, function (all, c) {
        for (var key in orvInternalEscapes) if (orvInternalEscapes[key] === c) return key;
        return all;
    });
}

var cString = (global.cString = {
    Ascii: function (text) {
        return orvTextBuffer(text, 24);
    },
    UTF8: function (text) {
        return orvTextBuffer(text, 2);
    },
    Asc: function (text) {
        text = orvText(text);
        return text === "" ? 0 : text.codePointAt(0);
    },
    Bin: function (value, type) {
        return BigInt.asUintN(orvTypeBits(type), orvBigInt(value)).toString(2);
    },
    // The characters String.txt allows: 1 to $D7FF and $E000 to $FFFF; 0, surrogate halves and
    // values beyond $FFFF (which PureBasic's UTF-16 characters cannot hold) give "".
    Chr: function (code) {
        code = orvInt(code);
        if (code <= 0 || code > 0xffff || (code >= 0xd800 && code <= 0xdfff)) return "";
        return String.fromCharCode(code);
    },
    CountString: function (text, search) {
        text = orvText(text);
        search = orvText(search);
        if (search === "") return 0;
        var count = 0;
        for (var i = text.indexOf(search); i >= 0; i = text.indexOf(search, i + search.length)) count++;
        return count;
    },
    EscapeString: function (text, mode) {
        text = orvText(text);
        switch (orvInt(mode)) {
            case 1:
                return text.replace(/[&<>"']/g, function (c) {
                    return orvXmlEscapes[c];
                });
            case 2:
                return JSON.stringify(text).slice(1, -1);
            default:
                return text.replace(/[\x07\b\f\n\r\t\v"\\]/g, function (c) {
                    return "\\" + orvInternalEscapes[c];
                });
        }
    },
    UnescapeString: function (text, mode) {
        text = orvText(text);
        switch (orvInt(mode)) {
            case 1:
                return text.replace(/&(amp|lt|gt|quot|apos);/g, function (all) {
                    for (var key in orvXmlEscapes) if (orvXmlEscapes[key] === all) return key;
                    return all;
                });
            case 2:
                try {
                    return JSON.parse('"' + text.replace(/(^|[^\\])((?:\\\\)*)"/g, '$1$2\\"') + '"');
                } catch (error) {
                    return text;
                }
            default:
                return orvUnescapeInternal(text);
        }
    },
    FindString: function (text, search, start, mode) {
        text = orvText(text);
        search = orvText(search);
        if (search === "") return 0;
        var from = Math.max(orvInt(start === undefined ? 1 : start), 1) - 1;
        return orvIndexOf(text, search, from, mode) + 1;
    },
    FormatNumber: function (value, decimals, point, separator) {
        var text = orvFixed(value, decimals === undefined ? 2 : decimals);
        point = point === undefined ? "." : orvText(point);
        separator = separator === undefined ? "," : orvText(separator);
        var sign = text.charAt(0) === "-" ? "-" : "";
        var parts = text.slice(sign.length).split(".");
        var whole = parts[0].replace(/\B(?=(\d{3})+(?!\d))/g, separator);
        return sign + whole + (parts.length > 1 ? point + parts[1] : "");
    },
    Hex: function (value, type) {
        return BigInt.asUintN(orvTypeBits(type), orvBigInt(value)).toString(16).toUpperCase();
    },
    InsertString: function (text, insert, position) {
        text = orvText(text);
        var at = Math.min(Math.max(orvInt(position), 1), text.length + 1) - 1;
        return text.slice(0, at) + orvText(insert) + text.slice(at);
    },
    LCase: function (text) {
        return orvChangeCase(text, false);
    },
    Left: function (text, length) {
        return orvText(text).slice(0, Math.max(orvInt(length), 0));
    },
    Len: function (text) {
        return orvText(text).length;
    },
    LSet: function (text, length, pad) {
        text = orvText(text);
        length = Math.max(orvInt(length), 0);
        pad = pad === undefined || orvText(pad) === "" ? " " : orvText(pad).charAt(0);
        return text.length >= length ? text.slice(0, length) : text + pad.repeat(length - text.length);
    },
    LTrim: function (text, character) {
        return cString.ORV_Trim(text, character, true, false);
    },
    Mid: function (text, start, length) {
        text = orvText(text);
        var from = Math.max(orvInt(start), 1) - 1;
        if (length === undefined || orvInt(length) < 0) return text.slice(from);
        return text.substr(from, orvInt(length));
    },
    RemoveString: function (text, search, mode, start, count) {
        return orvReplace(text, search, "", mode, start, count);
    },
    ReplaceString: function (text, search, replacement, mode, start, count) {
        return orvReplace(text, search, replacement, mode, start, count);
    },
    ReverseString: function (text) {
        return Array.from(orvText(text)).reverse().join("");
    },
    Right: function (text, length) {
        text = orvText(text);
        length = Math.max(orvInt(length), 0);
        return length === 0 ? "" : text.slice(-length);
    },
    RSet: function (text, length, pad) {
        text = orvText(text);
        length = Math.max(orvInt(length), 0);
        pad = pad === undefined || orvText(pad) === "" ? " " : orvText(pad).charAt(0);
        return text.length >= length ? text.slice(0, length) : pad.repeat(length - text.length) + text;
    },
    RTrim: function (text, character) {
        return cString.ORV_Trim(text, character, false, true);
    },
    Space: function (length) {
        return " ".repeat(Math.max(orvInt(length), 0));
    },
    // Str takes a quad: a float is rounded to the nearest integer, halves to even.
    Str: function (value) {
        if (typeof value === "number") return orvNumberText(orvRoundHalfEven(value));
        return orvText(typeof value === "string" ? orvIntegerValue(value) : value);
    },
    // Without a number of decimals, ten are written and the trailing zeros dropped.
    StrD: function (value, decimals) {
        if (decimals === undefined) return orvDefaultDecimalText(orvFloatArgument(value));
        return orvFixed(value, decimals);
    },
    StrF: function (value, decimals) {
        return cString.StrD(Math.fround(orvFloatArgument(value)), decimals);
    },
    StrU: function (value, type) {
        return BigInt.asUintN(orvTypeBits(type), orvBigInt(value)).toString();
    },
    // Bytes the text takes in memory: #PB_Unicode (the default) 2 per UTF-16 unit, #PB_Ascii 1
    // per character, #PB_UTF8 (2) its UTF-8 length; without the terminating zero.
    StringByteLength: function (text, format) {
        text = orvText(text);
        var f = format === undefined ? 25 : orvInt(format);
        if (f === 24) return text.length;
        if (f === 2) {
            var bytes = 0;
            for (var c of text) {
                var code = c.codePointAt(0);
                bytes += code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
            }
            return bytes;
        }
        return text.length * 2;
    },
    StringField: function (text, index, delimiter) {
        text = orvText(text);
        delimiter = orvText(delimiter);
        index = orvInt(index);
        if (index < 1) return "";
        if (delimiter === "") return index === 1 ? text : "";
        var fields = text.split(delimiter);
        return index <= fields.length ? fields[index - 1] : "";
    },
    Trim: function (text, character) {
        return cString.ORV_Trim(text, character, true, true);
    },
    UCase: function (text) {
        return orvChangeCase(text, true);
    },
    Val: function (text) {
        return orvIntegerValue(text);
    },
    ValD: function (text) {
        return orvFloatValue(text);
    },
    ValF: function (text) {
        return Math.fround(orvFloatValue(text));
    },

    // Trim removes blanks only (not tabs), or the given character.
    ORV_Trim: function (text, character, left, right) {
        text = orvText(text);
        var c = character === undefined || orvText(character) === "" ? " " : orvText(character).charAt(0);
        var from = 0;
        var to = text.length;
        if (left) while (from < to && text.charAt(from) === c) from++;
        if (right) while (to > from && text.charAt(to - 1) === c) to--;
        return text.slice(from, to);
    },
});
