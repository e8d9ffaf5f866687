// cMemory: addresses, memory blocks, Peek/Poke and the Memory library.
//
// An address is a plain number, block * 2^32 + offset; block 0 is no memory, so 0 is the null
// pointer and address arithmetic works on the numbers as it does in PureBasic. A block is
// - bytes: an ArrayBuffer seen through a DataView (AllocateMemory, the data section, a string
//   snapshot, the buffer of a typed array);
// - slots: the Float64Array of an .i/.q array, whose elements hold integer values rather than the
//   bytes of doubles: whole 8-byte reads and writes reach the elements, smaller ones are cut out
//   of the element's 64-bit two's complement form;
// - object: a structure, a list or map element, or a plain array (of structures or strings);
//   fields are reached by their property path.
// Memory is little-endian, as on the desktop.

var ORV_BytesBlock = 1;
var ORV_SlotsBlock = 2;
var ORV_ObjectBlock = 3;

var orvBlocks = [null];
// Numbers of freed blocks, reused first in first out, and only once enough have gathered, so that
// a stale pointer rarely lands in a new block.
var orvFreeNumbers = [];
var orvFreeNumbersKept = 1024;
var orvBlockOfObject = new WeakMap();

var orvHasWeakRef = typeof WeakRef !== "undefined";
// When an object or array that had an address is collected, its block number is freed; the record
// is checked first, since a number freed before may already serve another block.
var orvFinalizer =
    typeof FinalizationRegistry !== "undefined"
        ? new FinalizationRegistry(function (record) {
              if (!record.freed && orvBlocks[record.number] === record) orvReleaseNumber(record.number);
          })
        : null;

function orvStrongRef(target) {
    return {
        deref: function () {
            return target;
        },
    };
}

function orvNewBlock(record) {
    var number;
    if (orvFreeNumbers.length > orvFreeNumbersKept) {
        number = orvFreeNumbers.shift();
        orvBlocks[number] = record;
    } else {
        number = orvBlocks.push(record) - 1;
    }
    record.number = number;
    return number;
}

function orvReleaseNumber(number) {
    var record = orvBlocks[number];
    if (!record) return;
    record.freed = true;
    record.bytes = null;
    record.view = null;
    record.ref = null;
    if (orvCachedRecord === record) {
        orvCachedRecord = null;
        orvCachedArray = null;
    }
    orvFreeNumbers.push(number);
}

function orvBytesRecord(buffer, byteOffset, size, owner) {
    return {
        kind: ORV_BytesBlock,
        owner: owner,
        size: size,
        bytes: new Uint8Array(buffer, byteOffset, size),
        view: new DataView(buffer, byteOffset, size),
        freed: false,
        number: 0,
    };
}

function orvNewMemory(size, owner) {
    var buffer;
    try {
        buffer = new ArrayBuffer(size);
    } catch (error) {
        return 0;
    }
    return orvNewBlock(orvBytesRecord(buffer, 0, size, owner)) * ORV_TwoTo32;
}

// ---- the address of a value

var orvTypedArrayKinds = [Int8Array, Uint8Array, Int16Array, Uint16Array, Int32Array, Uint32Array, Float32Array, Float64Array];

function orvIsTypedArray(value) {
    return ArrayBuffer.isView(value) && !(value instanceof DataView);
}

// A typed-array constructor, also one of another realm (a frame, a test's own globals).
function orvIsTypedArrayKind(kind) {
    return typeof kind === "function" && kind.BYTES_PER_ELEMENT > 0 && orvTypedArrayKinds.some(function (known) {
        return known.name === kind.name;
    });
}

function orvIsFloat64Array(array) {
    return Object.prototype.toString.call(array) === "[object Float64Array]";
}

// A typed array's buffer is reached through a weak reference: an array that the program dropped
// may go, and its block number with it.
function orvArrayRecord(array) {
    var slots = orvIsFloat64Array(array) && array.ORV_Type !== 12;
    return {
        kind: slots ? ORV_SlotsBlock : ORV_BytesBlock,
        owner: "array",
        size: array.byteLength,
        ref: orvHasWeakRef ? new WeakRef(array) : orvStrongRef(array),
        bytes: null,
        view: null,
        freed: false,
        number: 0,
    };
}

function orvObjectRecord(object) {
    return {
        kind: ORV_ObjectBlock,
        owner: "object",
        size: Infinity,
        ref: orvHasWeakRef ? new WeakRef(object) : orvStrongRef(object),
        freed: false,
        number: 0,
    };
}

// The address of an object or a typed array: the same one always gets the same address.
function orvAddressOf(object) {
    // a procedure's address (@Proc() stored in a variable or an array) is the function's block
    if (object === null || (typeof object !== "object" && typeof object !== "function")) return 0;
    var number = orvBlockOfObject.get(object);
    var record = number === undefined ? null : orvBlocks[number];
    if (!record || record.freed || record.ref.deref() !== object) {
        record = orvIsTypedArray(object) ? orvArrayRecord(object) : orvObjectRecord(object);
        number = orvNewBlock(record);
        orvBlockOfObject.set(object, number);
        if (orvFinalizer) orvFinalizer.register(object, record);
    }
    return number * ORV_TwoTo32;
}

// The object an address was made for by orvAddressOf (an element of an array of structures for
// an address inside it), or null.
function orvObjectAt(address) {
    address = Number(address);
    if (!(address > 0)) return null;
    var number = Math.floor(address / ORV_TwoTo32);
    var record = orvBlocks[number];
    if (!record || record.freed || record.kind !== ORV_ObjectBlock) return null;
    var target = record.ref.deref();
    if (target === undefined) return null;
    return orvObjectInBlock(target, address - number * ORV_TwoTo32);
}

// The object at an offset of an object block: a list's or map's element (ORV_ObjectAt: the
// structure, or a view whose value property is a plain element), an element of an array of
// structures, or the object itself at offset 0.
function orvObjectInBlock(target, offset) {
    if (typeof target.ORV_ObjectAt === "function") return target.ORV_ObjectAt(offset);
    if (Array.isArray(target)) return orvElementAt(target, offset);
    return offset === 0 ? target : null;
}

// A list or map element that is not a structure is reached through a view on its value.
function orvIsElementView(object) {
    return object !== null && typeof object === "object" && typeof object.ORV_Slot === "number" && "value" in object;
}

function orvElementSize(array) {
    var kind = array.ORV_Kind;
    return kind && kind.ORV_Size > 0 ? kind.ORV_Size : 0;
}

function orvElementAt(array, offset) {
    var size = orvElementSize(array);
    var index = size ? Math.floor(offset / size) : offset === 0 ? 0 : -1;
    var element = array[index];
    return element === undefined ? null : element;
}

// Snapshots of strings (@s$): one block per text, kept while the text is used again and not
// written through; at most orvSnapshotsKept of them live at once.
var orvSnapshotOfText = new Map();
var orvSnapshotRing = [];
var orvSnapshotsKept = 4096;
var orvSnapshotNext = 0;

function orvSnapshotAddress(text) {
    var number = orvSnapshotOfText.get(text);
    if (number !== undefined) return number * ORV_TwoTo32;
    var size = (text.length + 1) * 2;
    var buffer = new ArrayBuffer(size);
    var units = new Uint16Array(buffer);
    for (var i = 0; i < text.length; i++) units[i] = text.charCodeAt(i);
    var record = orvBytesRecord(buffer, 0, size, "string");
    record.text = text;
    if (orvSnapshotRing.length < orvSnapshotsKept) {
        number = orvNewBlock(record);
        orvSnapshotRing.push(number);
    } else {
        number = orvSnapshotRing[orvSnapshotNext];
        var old = orvBlocks[number];
        if (old && old.text !== undefined && orvSnapshotOfText.get(old.text) === number) orvSnapshotOfText.delete(old.text);
        orvBlocks[number] = record;
        record.number = number;
        orvSnapshotNext = (orvSnapshotNext + 1) % orvSnapshotsKept;
    }
    orvSnapshotOfText.set(text, number);
    return number * ORV_TwoTo32;
}

// A write into a snapshot: later @s$ of the same text get a fresh one.
function orvWritten(record) {
    if (record.text !== undefined) {
        if (orvSnapshotOfText.get(record.text) === record.number) orvSnapshotOfText.delete(record.text);
        record.text = undefined;
    }
}

// ---- finding the block of an address

// Set by orvLocate: the block record, the offset inside it, and for bytes blocks the view.
var orvAtRecord = null;
var orvAtOffset = 0;
var orvAtView = null;
var orvAtBytes = null;
var orvAtTarget = null;

// The typed array used last, its block record, DataView and bytes, made again only when another
// array is used.
var orvCachedArray = null;
var orvCachedRecord = null;
var orvCachedView = null;
var orvCachedBytes = null;

// Finds the block of an address for an access of length bytes. Shows the debugger's message and
// returns false for the null pointer, freed memory or an access beyond the end of the block.
function orvLocate(address, length, name) {
    address = Number(address);
    if (!address) {
        cPB.Error("Pointer is null.", ORV_OnError_InvalidMemory, 0);
        return false;
    }
    var number = Math.floor(address / ORV_TwoTo32);
    var record = number > 0 ? orvBlocks[number] : undefined;
    var offset = address - number * ORV_TwoTo32;
    orvAtAddress = address;
    if (!record || record.freed || !Number.isInteger(offset)) return orvInvalid(name);
    orvAtRecord = record;
    orvAtOffset = offset;
    if (record.kind === ORV_ObjectBlock) {
        orvAtTarget = record.ref.deref();
        if (orvAtTarget === undefined) return orvInvalid(name);
        return true;
    }
    if (record.ref) {
        var array = record.ref.deref();
        if (array === undefined) return orvInvalid(name);
        orvAtTarget = array;
        if (array !== orvCachedArray) {
            orvCachedArray = array;
            orvCachedView = new DataView(array.buffer, array.byteOffset, array.byteLength);
            orvCachedBytes = new Uint8Array(array.buffer, array.byteOffset, array.byteLength);
        }
        orvCachedRecord = record;
        orvAtView = orvCachedView;
        orvAtBytes = orvCachedBytes;
        if (offset + length > array.byteLength) return orvInvalid(name);
        return true;
    }
    orvAtView = record.view;
    orvAtBytes = record.bytes;
    if (offset + length > record.size) return orvInvalid(name);
    return true;
}

// The bytes from an address to the end of its block (Infinity for an object block), or -1 after
// the error line of an invalid address.
function orvBytesAfter(address, name) {
    if (!orvLocate(address, 0, name)) return -1;
    if (orvAtRecord.kind === ORV_ObjectBlock) return Infinity;
    var length = orvAtRecord.ref ? orvAtTarget.byteLength : orvAtRecord.size;
    return length - orvAtOffset;
}

var orvAtAddress = 0;

function orvInvalid(name) {
    cPB.Error((name || "The address") + " does not point to valid memory.", ORV_OnError_InvalidMemory, orvAtAddress);
    return false;
}

// ---- values in memory

// Type codes: #PB_Byte 1, #PB_Word 3, #PB_Long 5, #PB_Structure 7, #PB_String 8, #PB_Float 9,
// #PB_Character 11, #PB_Double 12, #PB_Quad 13, #PB_Integer 21, #PB_Ascii 24, #PB_Unicode 25,
// 0 a pointer; a negative code -n is a fixed string .s{n}.
function orvTypeSize(type) {
    switch (type) {
        case 1:
        case 24:
            return 1;
        case 3:
        case 11:
        case 25:
            return 2;
        case 5:
        case 9:
            return 4;
        default:
            return type < 0 ? -type * 2 : 8;
    }
}

function orvGetFromView(view, offset, type) {
    switch (type) {
        case 1:
            return view.getInt8(offset);
        case 24:
            return view.getUint8(offset);
        case 3:
            return view.getInt16(offset, true);
        case 11:
        case 25:
            return view.getUint16(offset, true);
        case 5:
            return view.getInt32(offset, true);
        case 9:
            return view.getFloat32(offset, true);
        case 12:
            return view.getFloat64(offset, true);
        default:
            return view.getInt32(offset + 4, true) * ORV_TwoTo32 + view.getUint32(offset, true);
    }
}

// An integer argument as it is stored: fractions rounded as PureBasic rounds them.
function orvIntegerOf(value) {
    value = Number(value);
    if (Number.isInteger(value)) return value;
    return value !== value ? 0 : orvRoundHalfEven(value);
}

function orvSetInView(view, offset, type, value) {
    switch (type) {
        case 1:
        case 24:
            view.setUint8(offset, orvIntegerOf(value) & 255);
            return;
        case 3:
        case 11:
        case 25:
            view.setUint16(offset, orvIntegerOf(value) & 65535, true);
            return;
        case 5:
            view.setInt32(offset, orvIntegerOf(value) | 0, true);
            return;
        case 9:
            view.setFloat32(offset, Number(value), true);
            return;
        case 12:
            view.setFloat64(offset, Number(value), true);
            return;
        default:
            orvSetInt64(view, offset, orvIntegerOf(value));
    }
}

function orvSetInt64(view, offset, n) {
    if (n >= -ORV_TwoTo53 && n <= ORV_TwoTo53) {
        var high = Math.floor(n / ORV_TwoTo32);
        view.setUint32(offset, n - high * ORV_TwoTo32, true);
        view.setInt32(offset + 4, high | 0, true);
    } else {
        view.setBigInt64(offset, orvToBigInt(n), true);
    }
}

var orvScratch = new DataView(new ArrayBuffer(24));

// The bytes of a slots block from offset on, through the scratch view; the count of slots copied.
function orvSlotsToScratch(array, offset, length) {
    var first = Math.floor(offset / 8);
    var last = Math.floor((offset + length - 1) / 8);
    for (var k = first; k <= last; k++) orvSetInt64(orvScratch, (k - first) * 8, orvIntegerOf(array[k]));
    return first;
}

function orvScratchToSlots(array, first, offset, length) {
    var last = Math.floor((offset + length - 1) / 8);
    for (var k = first; k <= last; k++) array[k] = orvGetFromView(orvScratch, (k - first) * 8, 21);
}

// The DataView of the bytes block an access of length bytes at address falls in, with the offset
// in orvFastOffset; null when the address needs the full check (null, freed, beyond the end,
// slots, objects, snapshots to be written). Keeps Peek and Poke in loops cheap.
var orvFastOffset = 0;

function orvFastView(address, length, writing) {
    var number = (address / ORV_TwoTo32) | 0;
    var record = number > 0 ? orvBlocks[number] : null;
    if (!record || record.kind !== ORV_BytesBlock || (writing && record.text !== undefined)) return null;
    var offset = address - number * ORV_TwoTo32;
    if ((offset | 0) !== offset || offset < 0) return null;
    var view = record.view;
    if (record.ref) {
        if (record !== orvCachedRecord) return null;
        view = orvCachedView;
    }
    if (view === null || offset + length > view.byteLength) return null;
    orvFastOffset = offset;
    return view;
}

function orvPeek(address, type, length) {
    var view = orvFastView(address, length, false);
    if (view !== null) return orvGetFromView(view, orvFastOffset, type);
    if (length === 8 && orvFastSlot(address)) return orvCachedArray[orvFastOffset];
    return orvLocate(address, length, "*MemoryBuffer") ? orvReadLocated(type) : 0;
}

function orvPoke(address, type, length, value) {
    var view = orvFastView(address, length, true);
    if (view !== null) orvSetInView(view, orvFastOffset, type, value);
    else if (length === 8 && orvFastSlot(address)) orvCachedArray[orvFastOffset] = type === 12 ? Number(value) : orvIntegerOf(value);
    else if (orvLocate(address, length, "*MemoryBuffer")) orvWriteLocated(type, value);
}

// An aligned element of the .i array used last: its index in orvFastOffset.
function orvFastSlot(address) {
    var number = (address / ORV_TwoTo32) | 0;
    var record = number > 0 ? orvBlocks[number] : null;
    if (!record || record !== orvCachedRecord || record.kind !== ORV_SlotsBlock) return false;
    var offset = address - number * ORV_TwoTo32;
    if (offset < 0 || offset % 8 !== 0 || offset + 8 > orvCachedArray.byteLength) return false;
    orvFastOffset = offset / 8;
    return true;
}

// Reads a value at the located address (orvLocate ran before).
function orvReadLocated(type) {
    var record = orvAtRecord;
    var offset = orvAtOffset;
    if (record.kind === ORV_BytesBlock) return orvGetFromView(orvAtView, offset, type);
    var size = orvTypeSize(type);
    if (record.kind === ORV_SlotsBlock) {
        if (size === 8 && offset % 8 === 0) return orvAtTarget[offset / 8];
        var first = orvSlotsToScratch(orvAtTarget, offset, size);
        return orvGetFromView(orvScratch, offset - first * 8, type);
    }
    return orvReadObjectMemory(orvAtTarget, offset, type);
}

function orvWriteLocated(type, value) {
    var record = orvAtRecord;
    var offset = orvAtOffset;
    if (record.kind === ORV_BytesBlock) {
        orvSetInView(orvAtView, offset, type, value);
        if (record.text !== undefined) orvWritten(record);
        return;
    }
    var size = orvTypeSize(type);
    if (record.kind === ORV_SlotsBlock) {
        if (size === 8 && offset % 8 === 0) {
            orvAtTarget[offset / 8] = type === 12 || type === 9 ? Number(value) : orvIntegerOf(value);
            return;
        }
        var first = orvSlotsToScratch(orvAtTarget, offset, size);
        orvSetInView(orvScratch, offset - first * 8, type, value);
        orvScratchToSlots(orvAtTarget, first, offset, size);
        return;
    }
    orvWriteObjectMemory(orvAtTarget, offset, type, value);
}

// Memory inside a plain array of strings: a fixed-string array (.s{n}, ORV_FixedLength n) holds
// its characters one after the other; an ordinary string array holds the addresses of its texts.
function orvReadObjectMemory(target, offset, type) {
    if (typeof target.ORV_ObjectAt === "function") {
        var element = target.ORV_ObjectAt(offset);
        if (orvIsElementView(element)) return typeof element.value === "number" ? element.value : 0;
    }
    var fixed = Array.isArray(target) ? target.ORV_FixedLength : 0;
    if (fixed > 0) {
        var size = orvTypeSize(type);
        for (var i = 0; i < size; i++) orvScratch.setUint8(i, orvFixedByte(target, fixed, offset + i));
        return orvGetFromView(orvScratch, 0, type);
    }
    if (Array.isArray(target) && offset % 8 === 0 && orvTypeSize(type) === 8 && typeof target[offset / 8] === "string") {
        return orvSnapshotAddress(target[offset / 8]);
    }
    cPB.Error("The memory of a structure cannot be read by address in the browser: use its fields.");
    return 0;
}

function orvWriteObjectMemory(target, offset, type, value) {
    if (typeof target.ORV_ObjectAt === "function") {
        var element = target.ORV_ObjectAt(offset);
        if (orvIsElementView(element)) {
            element.value = orvStoreAs(type, value);
            return;
        }
    }
    var fixed = Array.isArray(target) ? target.ORV_FixedLength : 0;
    if (fixed > 0) {
        var size = orvTypeSize(type);
        orvSetInView(orvScratch, 0, type, value);
        for (var i = 0; i < size; i++) orvSetFixedByte(target, fixed, offset + i, orvScratch.getUint8(i));
        return;
    }
    cPB.Error("The memory of a structure cannot be written by address in the browser: use its fields.");
}

function orvFixedByte(array, fixed, byte) {
    var unit = byte >> 1;
    var text = array[Math.floor(unit / fixed)];
    var code = typeof text === "string" ? text.charCodeAt(unit % fixed) || 0 : 0;
    return byte & 1 ? code >> 8 : code & 255;
}

function orvSetFixedByte(array, fixed, byte, value) {
    var unit = byte >> 1;
    var index = Math.floor(unit / fixed);
    if (index >= array.length) return;
    var text = typeof array[index] === "string" ? array[index] : "";
    var codes = [];
    for (var i = 0; i < fixed; i++) codes.push(i < text.length ? text.charCodeAt(i) : 0);
    var at = unit % fixed;
    codes[at] = byte & 1 ? (codes[at] & 255) | (value << 8) : (codes[at] & 0xff00) | value;
    var end = codes.indexOf(0);
    array[index] = String.fromCharCode.apply(null, end < 0 ? codes : codes.slice(0, end));
}

function orvBlockSize(record) {
    if (record.kind === ORV_ObjectBlock) {
        var target = record.ref.deref();
        if (Array.isArray(target) && target.ORV_FixedLength > 0) return target.length * target.ORV_FixedLength * 2;
        return 0;
    }
    if (record.ref) {
        var array = record.ref.deref();
        return array ? array.byteLength : 0;
    }
    return record.size;
}

// Bytes from a located address: a view into the block, or a copy for slots and objects.
function orvReadBytes(length) {
    var record = orvAtRecord;
    var offset = orvAtOffset;
    if (record.kind === ORV_BytesBlock) return orvAtBytes.subarray(offset, offset + length);
    var bytes = new Uint8Array(length);
    if (record.kind === ORV_SlotsBlock) {
        var array = orvAtTarget;
        for (var k = Math.floor(offset / 8); k * 8 < offset + length; k++) {
            orvSetInt64(orvScratch, 0, orvIntegerOf(array[k]));
            for (var b = 0; b < 8; b++) {
                var at = k * 8 + b - offset;
                if (at >= 0 && at < length) bytes[at] = orvScratch.getUint8(b);
            }
        }
        return bytes;
    }
    var fixed = orvAtTarget.ORV_FixedLength;
    for (var i = 0; i < length; i++) bytes[i] = fixed > 0 ? orvFixedByte(orvAtTarget, fixed, offset + i) : 0;
    return bytes;
}

function orvWriteBytes(bytes) {
    var record = orvAtRecord;
    var offset = orvAtOffset;
    var length = bytes.length;
    if (record.kind === ORV_BytesBlock) {
        orvAtBytes.set(bytes, offset);
        if (record.text !== undefined) orvWritten(record);
        return;
    }
    if (record.kind === ORV_SlotsBlock) {
        var array = orvAtTarget;
        for (var k = Math.floor(offset / 8); k * 8 < offset + length; k++) {
            orvSetInt64(orvScratch, 0, orvIntegerOf(array[k]));
            for (var b = 0; b < 8; b++) {
                var at = k * 8 + b - offset;
                if (at >= 0 && at < length) orvScratch.setUint8(b, bytes[at]);
            }
            array[k] = orvGetFromView(orvScratch, 0, 21);
        }
        return;
    }
    var fixed = orvAtTarget.ORV_FixedLength;
    if (fixed > 0) {
        for (var i = 0; i < length; i++) orvSetFixedByte(orvAtTarget, fixed, offset + i, bytes[i]);
    } else {
        cPB.Error("The memory of a structure cannot be written by address in the browser: use its fields.");
    }
}

// ---- strings in memory

// Formats: #PB_Ascii 24, #PB_UTF8 2, #PB_Unicode 25 (the default); #PB_ByteLength 64 makes a
// UTF-8 length count bytes.
function orvFormatOf(flags) {
    var format = flags === undefined || flags === null ? 25 : orvInt(flags) & 0xff & ~64;
    return format === 24 || format === 2 ? format : 25;
}

function orvUtf8Encode(text, limit) {
    var bytes = [];
    var count = 0;
    for (var i = 0; i < text.length && (limit < 0 || count < limit); i++, count++) {
        var code = text.codePointAt(i);
        if (code > 0xffff) i++;
        if (code < 0x80) bytes.push(code);
        else if (code < 0x800) bytes.push(0xc0 | (code >> 6), 0x80 | (code & 63));
        else if (code < 0x10000) bytes.push(0xe0 | (code >> 12), 0x80 | ((code >> 6) & 63), 0x80 | (code & 63));
        else bytes.push(0xf0 | (code >> 18), 0x80 | ((code >> 12) & 63), 0x80 | ((code >> 6) & 63), 0x80 | (code & 63));
    }
    return bytes;
}

// Decodes UTF-8 bytes; a broken sequence gives U+FFFD for its first byte, a character cut off at
// the end is left out.
function orvUtf8Decode(bytes, charLimit) {
    var text = "";
    var count = 0;
    for (var i = 0; i < bytes.length && (charLimit < 0 || count < charLimit); count++) {
        var b = bytes[i];
        var need = b < 0x80 ? 0 : b >= 0xf0 && b < 0xf8 ? 3 : b >= 0xe0 ? 2 : b >= 0xc0 ? 1 : -1;
        var code = need === 0 ? b : need === 1 ? b & 31 : need === 2 ? b & 15 : b & 7;
        if (need > 0 && i + need >= bytes.length) break; // a character cut by the length
        var ok = need >= 0;
        for (var k = 1; ok && k <= need; k++) {
            if ((bytes[i + k] & 0xc0) !== 0x80) ok = false;
            else code = (code << 6) | (bytes[i + k] & 63);
        }
        if (!ok) {
            text += "\ufffd";
            i++;
            continue;
        }
        text += String.fromCodePoint(code);
        i += need + 1;
    }
    return text;
}

// The bytes of a text in a format, without the terminating zero; Ascii writes "?" for what
// Latin-1 cannot hold.
function orvEncodeText(text, format, limit) {
    if (format === 2) return orvUtf8Encode(text, limit);
    var length = limit < 0 ? text.length : Math.min(limit, text.length);
    var bytes = [];
    for (var i = 0; i < length; i++) {
        var code = text.charCodeAt(i);
        if (format === 24) bytes.push(code < 256 ? code : 63);
        else bytes.push(code & 255, code >> 8);
    }
    return bytes;
}

// Reads a zero-terminated text at the located address, at most limit characters (-1: no limit),
// never beyond the end of the block.
function orvReadText(limit, format, byteLength) {
    var end = orvBlockSize(orvAtRecord) - orvAtOffset;
    var start = orvAtOffset;
    var record = orvAtRecord;
    var text = "";
    if (format === 25) {
        if (record.kind === ORV_BytesBlock) {
            var view = orvAtView;
            var parts = [];
            var count = 0;
            for (var at = start; at + 2 <= start + end && (limit < 0 || count < limit); at += 2, count++) {
                var unit = view.getUint16(at, true);
                if (unit === 0) break;
                parts.push(unit);
                if (parts.length === 8192) {
                    text += String.fromCharCode.apply(null, parts);
                    parts = [];
                }
            }
            return text + String.fromCharCode.apply(null, parts);
        }
        var units = orvReadBytes(end - (end % 2));
        for (var i = 0; i + 1 < units.length && (limit < 0 || i / 2 < limit); i += 2) {
            var code = units[i] | (units[i + 1] << 8);
            if (code === 0) break;
            text += String.fromCharCode(code);
        }
        return text;
    }
    var bytes = orvReadBytes(end);
    var zero = bytes.indexOf(0);
    if (zero >= 0) bytes = bytes.subarray(0, zero);
    if (format === 24) {
        if (limit >= 0) bytes = bytes.subarray(0, limit);
        for (var j = 0; j < bytes.length; j++) text += String.fromCharCode(bytes[j]);
        return text;
    }
    if (byteLength && limit >= 0) return orvUtf8Decode(bytes.subarray(0, limit), -1);
    return orvUtf8Decode(bytes, limit);
}

function orvPeekText(address, length, flags) {
    if (!orvLocate(address, 0, "*MemoryBuffer")) return "";
    var limit = length === undefined || length === null || orvInt(length) < 0 ? -1 : orvInt(length);
    return orvReadText(limit, orvFormatOf(flags), (orvInt(flags) & 64) !== 0);
}

// Writes a text and (unless #PB_String_NoZero, 256) its terminating zero; the count of bytes
// written without the zero. A zero that would fall just beyond the end of the block is left out.
function orvPokeText(address, text, length, flags) {
    text = orvText(text);
    var format = orvFormatOf(flags);
    var limit = length === undefined || length === null || orvInt(length) < 0 ? -1 : orvInt(length);
    var bytes = orvEncodeText(text, format, limit);
    if (!orvLocate(address, bytes.length, "*MemoryBuffer")) return 0;
    var data = new Uint8Array(bytes.length + (format === 25 ? 2 : 1));
    data.set(bytes);
    var room = orvBlockSize(orvAtRecord) - orvAtOffset;
    var withZero = (orvInt(flags) & 256) === 0 && room >= data.length;
    orvWriteBytes(withZero ? data : data.subarray(0, bytes.length));
    return bytes.length;
}

// ---- the data section

// The program's Data values as PureBasic lays them out: cCommon.ORV_DataArray holds the values,
// cCommon.ORV_DataTypes one type letter per value (b a w u c l i q f d s, or "?" for the address
// of a label, whose value is the index of the label's first value). Strings are UTF-16 with their
// terminating zero, inline. Built when first needed, again when the program's data changes.
var orvDataImage = null;

function orvDataLetter(value) {
    if (typeof value === "string") return "s";
    return Number.isInteger(Number(value)) ? "i" : "d";
}

var orvLetterType = { b: 1, a: 24, w: 3, u: 25, c: 11, l: 5, i: 21, q: 13, f: 9, d: 12, "?": 0 };

function orvDataSection() {
    var values = cCommon.ORV_DataArray || [];
    var types = cCommon.ORV_DataTypes;
    if (orvDataImage && orvDataImage.values === values && orvDataImage.types === types) return orvDataImage;
    var letters = [];
    var offsets = [];
    var size = 0;
    for (var i = 0; i < values.length; i++) {
        var letter = (types && types[i]) || orvDataLetter(values[i]);
        letter = letter.toLowerCase();
        if (letter !== "s" && orvLetterType[letter] === undefined) letter = orvDataLetter(values[i]);
        if (orvIsPendingLabel(values[i])) letter = "?";
        letters.push(letter);
        offsets.push(size);
        size += letter === "s" ? (orvText(values[i]).length + 1) * 2 : orvTypeSize(orvLetterType[letter]);
    }
    offsets.push(size);
    var buffer = new ArrayBuffer(Math.max(size, 1));
    var record = orvBytesRecord(buffer, 0, size, "data");
    var number = orvDataImage ? orvDataImage.number : orvNewBlock(record);
    orvBlocks[number] = record;
    record.number = number;
    var base = number * ORV_TwoTo32;
    var byOffset = new Map();
    var labels = new Map();
    for (var k = 0; k < values.length; k++) {
        byOffset.set(offsets[k], k);
        if (letters[k] === "s") {
            var text = orvText(values[k]);
            for (var c = 0; c < text.length; c++) record.view.setUint16(offsets[k] + c * 2, text.charCodeAt(c), true);
        } else if (letters[k] === "?") {
            var target = orvIsPendingLabel(values[k]) ? values[k] - ORV_PendingLabels : orvInt(values[k]);
            var address = base + offsets[Math.min(Math.max(target, 0), values.length)];
            orvSetInt64(record.view, offsets[k], address);
            labels.set(k, address);
        } else {
            orvSetInView(record.view, offsets[k], orvLetterType[letters[k]], values[k]);
        }
    }
    byOffset.set(size, values.length);
    orvDataImage = { values: values, types: types, letters: letters, offsets: offsets, byOffset: byOffset, labels: labels, number: number, size: size };
    return orvDataImage;
}

// ?label inside the Data values themselves (Data.i ?Other) is computed while the array literal is
// being built, before the data exists: it gets a stand-in number, replaced by the real address
// when the data section is laid out. The stand-ins lie far beyond any block in use.
var ORV_PendingLabels = 1040000 * ORV_TwoTo32;
var orvNoDataYet = cCommon.ORV_DataArray;

function orvIsPendingLabel(value) {
    return typeof value === "number" && value >= ORV_PendingLabels && value < ORV_PendingLabels + ORV_TwoTo32;
}

// ---- structures and fields by address

var orvPathParts = new Map();

function orvSplitPath(path) {
    var parts = orvPathParts.get(path);
    if (parts === undefined) {
        parts = path === "" || path === undefined || path === null ? [] : String(path).split(".");
        orvPathParts.set(path, parts);
    }
    return parts;
}

// The object a field path starts from, at an address of an object block.
function orvFieldOwner(address) {
    address = Number(address);
    if (!address) {
        cPB.Error("The structure pointer is NULL.", ORV_OnError_InvalidMemory, 0);
        return null;
    }
    var number = Math.floor(address / ORV_TwoTo32);
    var record = orvBlocks[number];
    if (!record || record.freed) {
        cPB.Error("The structure pointer does not point to valid memory.", ORV_OnError_InvalidMemory, address);
        return null;
    }
    return record;
}

// A value stored into a field of a type: small integers wrap, floats are rounded to single.
function orvStoreAs(type, value) {
    switch (type) {
        case 1:
            return (orvIntegerOf(value) << 24) >> 24;
        case 24:
            return orvIntegerOf(value) & 255;
        case 3:
            return (orvIntegerOf(value) << 16) >> 16;
        case 11:
        case 25:
            return orvIntegerOf(value) & 65535;
        case 5:
            return orvIntegerOf(value) | 0;
        case 9:
            return Math.fround(Number(value));
        case 12:
            return Number(value);
        case 8:
            return orvText(value);
        case 7:
            return value;
        default:
            if (type < 0) return orvText(value).slice(0, -type);
            return typeof value === "number" ? orvIntegerOf(value) : value;
    }
}

function orvEmptyOf(type) {
    return type === 8 || type < 0 ? "" : 0;
}

// A string field in raw memory holds the address of a block of its own; assigning another text
// frees the block of the previous one.
function orvFieldString(address) {
    if (!address) return "";
    var number = Math.floor(address / ORV_TwoTo32);
    var record = orvBlocks[number];
    if (!record || record.freed) return "";
    return orvPeekText(address, -1, 25);
}

function orvSetFieldString(text) {
    var old = orvGetFromView(orvAtView, orvAtOffset, 21);
    var view = orvAtView;
    var offset = orvAtOffset;
    var record = orvAtRecord;
    if (old > 0) {
        var oldRecord = orvBlocks[Math.floor(old / ORV_TwoTo32)];
        if (oldRecord && oldRecord.owner === "field" && !oldRecord.freed) orvReleaseNumber(oldRecord.number);
    }
    text = orvText(text);
    var address = orvNewMemory((text.length + 1) * 2, "field");
    var fresh = orvBlocks[address / ORV_TwoTo32];
    for (var i = 0; i < text.length; i++) fresh.view.setUint16(i * 2, text.charCodeAt(i), true);
    orvSetInt64(view, offset, address);
    if (record.text !== undefined) orvWritten(record);
}

function orvReadFixedString(length) {
    return orvReadText(length, 25, false);
}

// ---- the library object

var cMemory = (global.cMemory = {
    // @x: a typed array's buffer, a snapshot of a string, or an object (structure, element,
    // array of structures or strings).
    ORV_Address: function (value) {
        if (typeof value === "string") return orvSnapshotAddress(value);
        if (value !== null && (typeof value === "object" || typeof value === "function")) return orvAddressOf(value);
        return 0;
    },

    // A variable of a prototype type called through: the procedure an address was taken of.
    ORV_Function: function (p) {
        if (typeof p === "function") return p;
        var target = orvObjectAt(p);
        if (typeof target === "function") return target;
        return function () {
            cPB.Error(Number(p) ? "Invalid memory access." : "Pointer is null.", ORV_OnError_InvalidMemory, p);
            return 0;
        };
    },

    // *p\list(), *p\arr[i]: the structure object an address leads to, null for raw memory.
    ORV_Object: function (p) {
        var object = orvObjectAt(p);
        if (object === null && Number(p) === 0) cPB.Error("The structure pointer is NULL.", ORV_OnError_InvalidMemory, 0);
        return orvIsElementView(object) ? null : object;
    },

    // ?label: i is the index of the label's first value in the program's Data values.
    ORV_LabelAddress: function (index) {
        if (cCommon.ORV_DataArray === orvNoDataYet) return ORV_PendingLabels + Math.max(orvInt(index), 0);
        var image = orvDataSection();
        index = Math.min(Math.max(orvInt(index), 0), image.values.length);
        return image.number * ORV_TwoTo32 + image.offsets[index];
    },

    // *p\field: o is the field's byte offset, type its type code, path its property path.
    ORV_Get: function (p, o, type, path) {
        var record = orvFieldOwner(p);
        if (!record) return orvEmptyOf(type);
        if (record.kind === ORV_ObjectBlock) {
            var owner = orvObjectInBlock(record.ref.deref(), Number(p) - record.number * ORV_TwoTo32);
            if (orvIsElementView(owner)) return owner.value;
            var parts = orvSplitPath(path);
            for (var i = 0; i < parts.length && owner !== null && owner !== undefined; i++) owner = owner[parts[i]];
            if (owner === undefined || owner === null) {
                if (parts.length === 0 || owner === undefined) {
                    cPB.Error("The structure pointer does not point to valid memory.");
                }
                return orvEmptyOf(type);
            }
            return owner;
        }
        type = orvInt(type);
        if (type > 0 && type !== 7 && type !== 8) {
            var view = orvFastView(Number(p) + orvInt(o), orvTypeSize(type), false);
            if (view !== null) return orvGetFromView(view, orvFastOffset, type);
        }
        var size = type === 8 || type === 7 ? 8 : orvTypeSize(type);
        if (!orvLocate(Number(p) + orvInt(o), type === 7 ? 0 : size, "The structure pointer")) return orvEmptyOf(type);
        if (type === 7) return Number(p) + orvInt(o);
        if (type === 8) return orvFieldString(orvReadLocated(21));
        if (type < 0) return orvReadFixedString(-type);
        return orvReadLocated(type);
    },

    ORV_Set: function (p, o, type, path, value) {
        var record = orvFieldOwner(p);
        type = orvInt(type);
        if (!record) return value;
        if (record.kind === ORV_ObjectBlock) {
            var owner = orvObjectInBlock(record.ref.deref(), Number(p) - record.number * ORV_TwoTo32);
            if (orvIsElementView(owner)) {
                owner.value = orvStoreAs(type, value);
                return value;
            }
            var parts = orvSplitPath(path);
            for (var i = 0; i + 1 < parts.length && owner !== null && owner !== undefined; i++) owner = owner[parts[i]];
            if (owner === null || owner === undefined || parts.length === 0) {
                cPB.Error("The structure pointer does not point to valid memory.");
                return value;
            }
            owner[parts[parts.length - 1]] = orvStoreAs(type, value);
            return value;
        }
        var size = type === 8 ? 8 : orvTypeSize(type);
        if (!orvLocate(Number(p) + orvInt(o), size, "The structure pointer")) return value;
        if (type === 8) {
            if (orvAtRecord.kind !== ORV_BytesBlock) cPB.Error("A string field cannot be written at this address.");
            else orvSetFieldString(value);
        } else if (type < 0) {
            orvPokeText(Number(p) + orvInt(o), orvText(value).slice(0, -type), -1, orvText(value).length < -type ? 25 : 25 | 256);
        } else {
            orvWriteLocated(type, value);
        }
        return value;
    },

    AllocateMemory: function (size, flags) {
        size = orvInt(size);
        if (size <= 0) {
            cPB.Error("AllocateMemory(): the size must be greater than 0.");
            return 0;
        }
        return orvNewMemory(size, "memory");
    },

    ReAllocateMemory: function (address, size, flags) {
        size = orvInt(size);
        if (!Number(address)) return cMemory.AllocateMemory(size, flags);
        if (!orvLocate(address, 0, "*MemoryID")) return 0;
        var record = orvAtRecord;
        if (record.owner !== "memory" || orvAtOffset !== 0) return orvInvalid("*MemoryID");
        if (size <= 0) {
            cPB.Error("ReAllocateMemory(): the size must be greater than 0.");
            return 0;
        }
        var buffer;
        try {
            buffer = new ArrayBuffer(size);
        } catch (error) {
            return 0;
        }
        new Uint8Array(buffer).set(record.bytes.subarray(0, Math.min(size, record.size)));
        var fresh = orvBytesRecord(buffer, 0, size, "memory");
        fresh.number = record.number;
        orvBlocks[record.number] = fresh;
        return record.number * ORV_TwoTo32;
    },

    FreeMemory: function (address) {
        if (!orvLocate(address, 0, "*MemoryID")) return;
        if (orvAtOffset !== 0 || (orvAtRecord.owner !== "memory" && orvAtRecord.owner !== "structure")) {
            orvInvalid("*MemoryID");
            return;
        }
        orvReleaseNumber(orvAtRecord.number);
    },

    MemorySize: function (address) {
        if (!orvLocate(address, 0, "*MemoryID")) return 0;
        return orvBlockSize(orvAtRecord) - orvAtOffset;
    },

    // Types: #PB_Byte/#PB_Ascii (the default), #PB_Word/#PB_Unicode/#PB_Character, #PB_Long,
    // #PB_Integer. A last part shorter than the value gets the value's first bytes.
    FillMemory: function (address, size, value, type) {
        size = orvInt(size);
        if (size <= 0) return;
        type = type === undefined ? 1 : orvInt(type);
        var unit = orvTypeSize(type === 9 || type === 12 ? 21 : type);
        if (unit > 8) unit = 8;
        if (!orvLocate(address, size, "*Memory")) return;
        value = orvIntegerOf(value === undefined ? 0 : value);
        if (orvAtRecord.kind === ORV_BytesBlock && unit === 1) {
            orvAtBytes.fill(value & 255, orvAtOffset, orvAtOffset + size);
            if (orvAtRecord.text !== undefined) orvWritten(orvAtRecord);
            return;
        }
        orvSetInView(orvScratch, 0, unit === 1 ? 24 : unit === 2 ? 25 : unit === 4 ? 5 : 21, value);
        var pattern = new Uint8Array(8);
        for (var i = 0; i < unit; i++) pattern[i] = orvScratch.getUint8(i);
        if (orvAtRecord.kind === ORV_SlotsBlock && orvAtOffset % 8 === 0 && size % 8 === 0) {
            for (var j = unit; j < 8; j++) pattern[j] = pattern[j % unit];
            var slot = new DataView(pattern.buffer).getInt32(4, true) * ORV_TwoTo32 + new DataView(pattern.buffer).getUint32(0, true);
            orvAtTarget.fill(slot, orvAtOffset / 8, (orvAtOffset + size) / 8);
            return;
        }
        var bytes = new Uint8Array(size);
        for (var k = 0; k < size; k++) bytes[k] = pattern[k % unit];
        orvWriteBytes(bytes);
    },

    // Both copy as if through a buffer, so overlapping areas come out right either way.
    CopyMemory: function (source, destination, size) {
        orvCopyMemory(source, destination, size);
    },
    MoveMemory: function (source, destination, size) {
        orvCopyMemory(source, destination, size);
    },

    CompareMemory: function (first, second, size) {
        size = orvInt(size);
        if (size <= 0) return 1;
        // A range that runs past the end of its block (an array smaller than the size compared)
        // reads whatever lies beyond on the desktop: not equal, and no error.
        if (orvBytesAfter(first, "*MemoryID1") < size || orvBytesAfter(second, "*MemoryID2") < size) return 0;
        if (!orvLocate(first, size, "*MemoryID1")) return 0;
        var a = orvReadBytes(size);
        if (!orvLocate(second, size, "*MemoryID2")) return 0;
        var b = orvReadBytes(size);
        for (var i = 0; i < size; i++) if (a[i] !== b[i]) return 0;
        return 1;
    },

    // Modes: #PB_String_CaseSensitive 0, #PB_String_NoCase 1, #PB_String_NoCaseAscii 3.
    // Results: #PB_String_Lower -1, #PB_String_Equal 0, #PB_String_Greater 1.
    CompareMemoryString: function (first, second, mode, length, flags) {
        var limit = length === undefined || orvInt(length) < 0 ? -1 : orvInt(length);
        var a = orvPeekText(first, limit, flags);
        var b = orvPeekText(second, limit, flags);
        mode = orvInt(mode);
        if (mode === 1) {
            a = a.toLowerCase();
            b = b.toLowerCase();
        } else if (mode === 3) {
            a = a.replace(/[A-Z]/g, function (c) {
                return c.toLowerCase();
            });
            b = b.replace(/[A-Z]/g, function (c) {
                return c.toLowerCase();
            });
        }
        return a < b ? -1 : a > b ? 1 : 0;
    },

    // CopyMemoryString(text or address, destination): the emitter passes the value of *Pointer
    // and stores the result back into it (*Pointer = the end of the copied text). Without a
    // destination the text goes after the previous one.
    CopyMemoryString: function (source, destination) {
        var text = typeof source === "string" ? source : orvPeekText(source, -1, 25);
        var target = destination === undefined ? cMemory.ORV_CopyEnd : Number(destination);
        if (!target) {
            cPB.Error("Pointer is null.");
            return 0;
        }
        var written = orvPokeText(target, text, -1, 25);
        cMemory.ORV_CopyEnd = target + written;
        return cMemory.ORV_CopyEnd;
    },
    ORV_CopyEnd: 0,

    MemoryStringLength: function (address, flags) {
        var format = orvFormatOf(flags);
        var text = orvPeekText(address, -1, format);
        if (format === 2) return orvInt(flags) & 64 ? orvUtf8Encode(text, -1).length : Array.from(text).length;
        return text.length;
    },

    PeekA: function (address) {
        return orvPeek(address, 24, 1);
    },
    PeekB: function (address) {
        return orvPeek(address, 1, 1);
    },
    PeekC: function (address) {
        return orvPeek(address, 11, 2);
    },
    PeekW: function (address) {
        return orvPeek(address, 3, 2);
    },
    PeekU: function (address) {
        return orvPeek(address, 25, 2);
    },
    PeekL: function (address) {
        return orvPeek(address, 5, 4);
    },
    PeekI: function (address) {
        return orvPeek(address, 21, 8);
    },
    PeekQ: function (address) {
        return orvPeek(address, 13, 8);
    },
    PeekF: function (address) {
        return orvPeek(address, 9, 4);
    },
    PeekD: function (address) {
        return orvPeek(address, 12, 8);
    },
    PeekS: function (address, length, format) {
        return orvPeekText(address, length, format);
    },

    PokeA: function (address, value) {
        orvPoke(address, 24, 1, value);
    },
    PokeB: function (address, value) {
        orvPoke(address, 1, 1, value);
    },
    PokeC: function (address, value) {
        orvPoke(address, 11, 2, value);
    },
    PokeW: function (address, value) {
        orvPoke(address, 3, 2, value);
    },
    PokeU: function (address, value) {
        orvPoke(address, 25, 2, value);
    },
    PokeL: function (address, value) {
        orvPoke(address, 5, 4, value);
    },
    PokeI: function (address, value) {
        orvPoke(address, 21, 8, value);
    },
    PokeQ: function (address, value) {
        orvPoke(address, 13, 8, value);
    },
    PokeF: function (address, value) {
        orvPoke(address, 9, 4, value);
    },
    PokeD: function (address, value) {
        orvPoke(address, 12, 8, value);
    },
    PokeS: function (address, text, length, flags) {
        return orvPokeText(address, text, length, flags);
    },

    // AllocateStructure(factory): the structure's factory function, as Dim and NewList get it.
    // A structure of numbers only whose factory tells its size (factory.ORV_Size) gets raw
    // memory, so that Peek, Poke and CopyMemory reach it; any other gets a fresh object.
    AllocateStructure: function (factory) {
        if (typeof factory !== "function") {
            cPB.Error("AllocateStructure(): a structure is expected.");
            return 0;
        }
        var object = factory();
        if (factory.ORV_Size > 0 && orvNumbersOnly(object)) {
            return orvNewMemory(factory.ORV_Size, "structure");
        }
        var address = orvAddressOf(object);
        orvBlocks[address / ORV_TwoTo32].owner = "structure";
        orvBlocks[address / ORV_TwoTo32].ref = orvStrongRef(object);
        return address;
    },

    FreeStructure: function (address) {
        var record = orvFieldOwner(address);
        if (!record) return;
        if (record.owner !== "structure" || Number(address) !== record.number * ORV_TwoTo32) {
            cPB.Error("The structure pointer does not point to valid memory.");
            return;
        }
        orvReleaseNumber(record.number);
    },
});

function orvNumbersOnly(object) {
    if (typeof object === "number") return true;
    if (orvIsTypedArray(object)) return true;
    if (object === null || typeof object !== "object" || Array.isArray(object)) return false;
    for (var key in object) {
        if (Object.prototype.hasOwnProperty.call(object, key) && !orvNumbersOnly(object[key])) return false;
    }
    return true;
}

function orvCopyMemory(source, destination, size) {
    size = orvInt(size);
    if (size <= 0) return;
    if (!orvLocate(source, size, "*SourceMemoryID")) return;
    var from = orvAtRecord;
    var fromOffset = orvAtOffset;
    var fromTarget = orvAtTarget;
    if (from.kind === ORV_ObjectBlock && !(fromTarget.ORV_FixedLength > 0)) {
        orvCopyObject(fromTarget, fromOffset, destination);
        return;
    }
    // Between two integer arrays the values go as they are, beyond 2^53 too.
    var values = from.kind === ORV_SlotsBlock && fromOffset % 8 === 0 && size % 8 === 0 ? fromTarget.slice(fromOffset / 8, (fromOffset + size) / 8) : null;
    // A view into the source; set() copies through a buffer when both share one.
    var bytes = orvReadBytes(size);
    if (!orvLocate(destination, size, "*DestinationMemoryID")) return;
    if (values && orvAtRecord.kind === ORV_SlotsBlock && orvAtOffset % 8 === 0) {
        orvAtTarget.set(values, orvAtOffset / 8);
        return;
    }
    orvWriteBytes(bytes);
}

// CopyMemory from a structure to another: the fields are copied.
function orvCopyObject(source, offset, destination) {
    source = orvObjectInBlock(source, offset);
    var target = orvObjectAt(destination);
    if (orvIsElementView(source) && orvIsElementView(target)) {
        target.value = source.value;
        return;
    }
    if (!source || !target || typeof source !== "object" || typeof target !== "object" || Array.isArray(target)) {
        cPB.Error("CopyMemory() between a structure and raw memory is not available in the browser: copy the fields.");
        return;
    }
    for (var key in source) {
        if (Object.prototype.hasOwnProperty.call(source, key)) target[key] = orvCopy(source[key]);
    }
}
