// Arrays. Dim a(10) holds the indexes 0 to 10. The emitted form (cArray.Dim(kind, sizes)):
// numeric arrays are typed arrays, string and structure arrays plain arrays, and an array of
// several dimensions is one flat array with ORV_Dims (the size of each dimension). The older
// emitted form (cArray.Dim(null or template object, sizes)) makes nested plain arrays; both are
// kept until that form is gone.

function orvArrayElement(template) {
    return template === null || template === undefined ? 0 : orvCopy(template);
}

function orvMakeArray(template, sizes, level) {
    var length = Math.max(orvInt(sizes[level]) + 1, 0);
    var array = new Array(length);
    for (var i = 0; i < length; i++) {
        array[i] = level + 1 < sizes.length ? orvMakeArray(template, sizes, level + 1) : orvArrayElement(template);
    }
    return array;
}

// Resizes in place so that every variable holding the array sees the new size; contents kept.
function orvResizeArray(array, template, sizes, level) {
    var length = Math.max(orvInt(sizes[level]) + 1, 0);
    var old = array.length;
    array.length = length;
    for (var i = 0; i < length; i++) {
        if (level + 1 < sizes.length) {
            if (i >= old || !Array.isArray(array[i])) array[i] = orvMakeArray(template, sizes, level + 1);
            else orvResizeArray(array[i], template, sizes, level + 1);
        } else if (i >= old) {
            array[i] = orvArrayElement(template);
        }
    }
}

// The element template of an existing array: a copy of a structured element, cleared of values.
function orvTemplateOf(array) {
    while (Array.isArray(array) && array.length > 0 && Array.isArray(array[0])) array = array[0];
    if (!Array.isArray(array) || array.length === 0) return null;
    var first = array[0];
    if (first === null || typeof first !== "object") return null;
    var template = orvCopy(first);
    orvClearStructure(template);
    return template;
}

function orvClearStructure(object) {
    for (var key in object) {
        var value = object[key];
        if (value instanceof cLinkedList) value.ClearList();
        else if (value instanceof cMap) value.ClearMap();
        else if (value !== null && typeof value === "object" && !Array.isArray(value)) orvClearStructure(value);
        else object[key] = typeof value === "string" ? "" : Array.isArray(value) ? [] : typeof value === "number" ? 0 : null;
    }
}

// The new form's arrays: a typed array, or a plain array marked with its element kind ("" or
// the structure's factory).
function orvIsKind(kind) {
    return kind === "" || typeof kind === "function";
}

function orvIsNewArray(array) {
    return orvIsTypedArray(array) || (Array.isArray(array) && array.ORV_Kind !== undefined);
}

function orvDimsOf(array) {
    return array.ORV_Dims || [array.length];
}

// The sizes of each dimension (highest index + 1); null after an error line.
function orvDimensionSizes(sizes) {
    if (!Array.isArray(sizes)) sizes = [sizes];
    if (sizes.length === 0) sizes = [0];
    var dims = [];
    for (var i = 0; i < sizes.length; i++) {
        var size = orvInt(sizes[i]) + 1;
        if (size < 0) {
            cPB.Error("Array size can't be negative.");
            return null;
        }
        dims.push(size);
    }
    return dims;
}

function orvProduct(dims) {
    var total = 1;
    for (var i = 0; i < dims.length; i++) total *= dims[i];
    return total;
}

function orvNewArrayElement(kind) {
    return kind === "" ? "" : kind();
}

// A fresh array of a kind; detail is the type code of a Float64Array (12 for doubles) or the
// length of fixed strings (.s{n}).
function orvAllocate(kind, dims, detail) {
    var total = orvProduct(dims);
    var array;
    if (orvIsTypedArrayKind(kind)) {
        array = new kind(total);
        if (orvIsFloat64Array(array) && orvInt(detail) === 12) array.ORV_Type = 12;
    } else {
        array = new Array(total);
        for (var i = 0; i < total; i++) array[i] = orvNewArrayElement(kind);
        array.ORV_Kind = kind;
        if (kind === "" && orvInt(detail) > 0) array.ORV_FixedLength = orvInt(detail);
    }
    if (dims.length > 1) array.ORV_Dims = dims;
    return array;
}

function orvKindOf(array) {
    return orvIsTypedArray(array) ? array.constructor : array.ORV_Kind;
}

// Copies the elements of old into fresh where both have them, index by index in every
// dimension.
function orvCopyElements(old, fresh) {
    var from = orvDimsOf(old);
    var to = orvDimsOf(fresh);
    if (from.length !== to.length) return;
    var last = from.length - 1;
    var rows = Math.min(orvProduct(from.slice(0, last)), orvProduct(to.slice(0, last)));
    var count = Math.min(from[last], to[last]);
    if (last === 0) {
        for (var i = 0; i < count; i++) fresh[i] = old[i];
        return;
    }
    // only the last dimension changes size (ReDim); the other ones index the same rows
    for (var row = 0; row < rows; row++) {
        for (var j = 0; j < count; j++) fresh[row * to[last] + j] = old[row * from[last] + j];
    }
}

var cArray = (global.cArray = {
    // Dim(kind, sizes [, detail]): kind is a typed-array constructor, "" for strings or a
    // structure's factory. The older form passes null or a template object.
    Dim: function (kind, sizes, detail) {
        if (!orvIsKind(kind)) {
            if (!Array.isArray(sizes)) sizes = [sizes];
            return orvMakeArray(kind, sizes.length ? sizes : [0], 0);
        }
        var dims = orvDimensionSizes(sizes);
        return orvAllocate(kind, dims || [0], detail);
    },

    // Returns the resized array; the emitter assigns it back (a typed array cannot grow in
    // place). Only the last dimension may change; the contents are kept.
    ReDim: function (array, sizes) {
        if (orvIsNewArray(array)) {
            var dims = orvDimensionSizes(sizes);
            if (!dims) return array;
            var old = orvDimsOf(array);
            if (dims.length !== old.length) {
                cPB.Error("ReDim: the array has " + old.length + " dimension(s), " + dims.length + " given.");
                return array;
            }
            for (var i = 0; i + 1 < dims.length; i++) {
                if (dims[i] !== old[i]) {
                    cPB.Error("Only the last dimension of an array can be changed with ReDim.");
                    return array;
                }
            }
            if (Array.isArray(array) && dims.length === 1) {
                var length = array.length;
                array.length = dims[0];
                for (var k = length; k < dims[0]; k++) array[k] = orvNewArrayElement(array.ORV_Kind);
                return array;
            }
            var fresh = orvAllocate(orvKindOf(array), dims, array.ORV_Type || array.ORV_FixedLength);
            orvCopyElements(array, fresh);
            return fresh;
        }
        if (!Array.isArray(array) || sizes === undefined) {
            cPB.Error("ReDim: the array and its new sizes are expected, as in cArray.ReDim(a, [20]).");
            return array;
        }
        if (!Array.isArray(sizes)) sizes = [sizes];
        orvResizeArray(array, orvTemplateOf(array), sizes, 0);
        return array;
    },

    // The highest index of a dimension (1-based, default the first); -1 for a missing array.
    ArraySize: function (array, dimension) {
        var level = dimension === undefined ? 1 : orvInt(dimension);
        if (orvIsNewArray(array)) {
            var dims = orvDimsOf(array);
            if (level < 1 || level > dims.length) return -1;
            return dims[level - 1] - 1;
        }
        if (!Array.isArray(array)) return -1;
        level = Math.max(level, 1);
        for (var i = 1; i < level; i++) {
            if (!Array.isArray(array[0])) return -1;
            array = array[0];
        }
        return array.length - 1;
    },

    // Returns the destination with the source's size and elements (truthy, as PureBasic's nonzero
    // result); a typed destination of another size is a fresh array, so the emitter assigns the
    // result back: b = cArray.CopyArray(a, b).
    CopyArray: function (source, destination) {
        if (orvIsNewArray(source)) {
            if (!orvIsNewArray(destination)) return 0;
            var dims = orvDimsOf(source);
            var copy = destination;
            if (orvIsTypedArray(destination)) {
                if (destination.length !== source.length || destination.constructor !== source.constructor) {
                    copy = new source.constructor(source.length);
                    if (source.ORV_Type) copy.ORV_Type = source.ORV_Type;
                }
                copy.set(source);
            } else {
                copy.length = source.length;
                for (var i = 0; i < source.length; i++) copy[i] = orvCopy(source[i]);
                copy.ORV_Kind = source.ORV_Kind;
                if (source.ORV_FixedLength) copy.ORV_FixedLength = source.ORV_FixedLength;
            }
            if (dims.length > 1) copy.ORV_Dims = dims.slice();
            else delete copy.ORV_Dims;
            return copy;
        }
        if (!Array.isArray(source) || !Array.isArray(destination)) return 0;
        destination.length = 0;
        for (var k = 0; k < source.length; k++) destination.push(orvCopy(source[k]));
        return 1;
    },

    // Nonzero when both arrays have the same dimensions and equal elements (structures compared
    // field by field); flags #PB_String_NoCase (1) compares texts without case.
    CompareArray: function (first, second, flags) {
        if (!first || !second || first.length !== second.length) return 0;
        var a = orvIsNewArray(first) ? orvDimsOf(first) : [first.length];
        var b = orvIsNewArray(second) ? orvDimsOf(second) : [second.length];
        if (a.join(",") !== b.join(",")) return 0;
        var noCase = (orvInt(flags) & 1) !== 0;
        for (var i = 0; i < first.length; i++) if (!orvSameArrayElement(first[i], second[i], noCase)) return 0;
        return 1;
    },

    // Returns an empty array of the same kind; the emitter assigns it back.
    FreeArray: function (array) {
        if (orvIsTypedArray(array)) {
            var empty = new array.constructor(0);
            if (array.ORV_Type) empty.ORV_Type = array.ORV_Type;
            return empty;
        }
        if (Array.isArray(array)) {
            array.length = 0;
            if (array.ORV_Dims) array.ORV_Dims = array.ORV_Dims.map(function () {
                return 0;
            });
        }
        return array;
    },
});

function orvSameArrayElement(a, b, noCase) {
    if (typeof a === "string" && typeof b === "string") return noCase ? a.toLowerCase() === b.toLowerCase() : a === b;
    if (a === b) return true;
    if (a === null || b === null || typeof a !== "object" || typeof b !== "object") return false;
    if (a instanceof cLinkedList || a instanceof cMap) {
        try {
            return JSON.stringify(a) === JSON.stringify(b);
        } catch (error) {
            return false;
        }
    }
    var keys = Object.keys(a);
    if (keys.length !== Object.keys(b).length) return false;
    for (var i = 0; i < keys.length; i++) if (!orvSameArrayElement(a[keys[i]], b[keys[i]], noCase)) return false;
    return true;
}
