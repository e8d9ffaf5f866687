// Arrays: Dim a(10) holds the indexes 0 to 10; every dimension is a JavaScript array.

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

var cArray = (global.cArray = {
    Dim: function (template, sizes) {
        if (!Array.isArray(sizes)) sizes = [sizes];
        return orvMakeArray(template, sizes.length ? sizes : [0], 0);
    },

    ReDim: function (array, sizes) {
        if (!Array.isArray(array) || sizes === undefined) {
            throw new Error("ReDim: the array and its new sizes are expected, as in cArray.ReDim(a, [20])");
        }
        if (!Array.isArray(sizes)) sizes = [sizes];
        orvResizeArray(array, orvTemplateOf(array), sizes, 0);
        return array;
    },

    // The highest index of a dimension (1-based, default the first); -1 for a missing array.
    ArraySize: function (array, dimension) {
        if (!Array.isArray(array)) return -1;
        var level = dimension === undefined ? 1 : Math.max(orvInt(dimension), 1);
        for (var i = 1; i < level; i++) {
            if (!Array.isArray(array[0])) return -1;
            array = array[0];
        }
        return array.length - 1;
    },

    CopyArray: function (source, destination) {
        if (!Array.isArray(source) || !Array.isArray(destination)) return 0;
        destination.length = 0;
        for (var i = 0; i < source.length; i++) destination.push(orvCopy(source[i]));
        return 1;
    },

    FreeArray: function (array) {
        if (Array.isArray(array)) array.length = 0;
    },
});
