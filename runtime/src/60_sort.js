// The Sort library. Options: #PB_Sort_Ascending 0, #PB_Sort_Descending 1, #PB_Sort_NoCase 2.
// Texts compare by character codes, numbers by value; the sorts are stable.

function orvComparer(options, field) {
    options = orvInt(options);
    var noCase = (options & 2) !== 0;
    var direction = options & 1 ? -1 : 1;
    var path = field !== undefined && String(field).indexOf(".") >= 0 ? String(field).split(".") : null;
    return function (a, b) {
        if (path) {
            a = orvFollowPath(a, path);
            b = orvFollowPath(b, path);
        } else if (field !== undefined) {
            a = a === null || a === undefined ? a : a[field];
            b = b === null || b === undefined ? b : b[field];
        }
        if (typeof a === "string" || typeof b === "string") {
            a = orvText(a);
            b = orvText(b);
            if (noCase) {
                a = a.toLowerCase();
                b = b.toLowerCase();
            }
        } else {
            a = orvNumber(a);
            b = orvNumber(b);
        }
        return a < b ? -direction : a > b ? direction : 0;
    };
}

function orvFollowPath(value, path) {
    for (var i = 0; i < path.length && value !== null && value !== undefined; i++) value = value[path[i]];
    return value;
}

function orvIsSortable(items) {
    return Array.isArray(items) || orvIsTypedArray(items);
}

// The 0-based range first..last of length items, clamped.
function orvRange(length, first, last) {
    var from = first === undefined ? 0 : Math.max(orvInt(first), 0);
    var to = last === undefined ? length - 1 : Math.min(orvInt(last), length - 1);
    return [from, to];
}

function orvSortRange(items, compare, first, last) {
    var range = orvRange(items.length, first, last);
    if (range[1] <= range[0]) return;
    var part = items.slice(range[0], range[1] + 1).sort(compare);
    for (var i = 0; i < part.length; i++) items[range[0] + i] = part[i];
}

function orvShuffleRange(items, first, last) {
    var range = orvRange(items.length, first, last);
    for (var i = range[1]; i > range[0]; i--) {
        var j = range[0] + Math.floor(orvRandom() * (i - range[0] + 1));
        var swap = items[i];
        items[i] = items[j];
        items[j] = swap;
    }
}

// A field of a structured element: its property path ("x", "inner.x"); a byte offset when the
// structure's factory lists its fields (factory.ORV_Fields, [offset, type, path] per field); else
// (the older emitted form) its position among the fields.
// kind: the structure factory when the items do not carry it (a list's elements).
function orvField(items, offset, kind) {
    if (typeof offset === "string") return offset;
    var fields = (items.ORV_Kind && items.ORV_Kind.ORV_Fields) || (typeof kind === "function" && kind.ORV_Fields);
    if (fields) {
        for (var k = 0; k < fields.length; k++) if (fields[k][0] === orvInt(offset)) return fields[k][2];
    }
    for (var i = 0; i < items.length; i++) {
        var element = items[i];
        if (element !== null && typeof element === "object") return Object.keys(element)[orvInt(offset)];
    }
    return undefined;
}

function orvListValues(list) {
    return list.ListData();
}

// Sorting a list relinks its elements; every element keeps its address and the current element
// stays the same element.
function orvSortList(list, compare, first, last) {
    var slots = orvSlotRange(list, first, last);
    if (slots.length < 2) return;
    var values = list.ORV_Values;
    var sorted = slots.slice().sort(function (a, b) {
        return compare(values[a], values[b]);
    });
    orvRelinkRange(list, slots, sorted);
    if (list.ORV_Current >= 0) list.ORV_Index = ORV_IndexUnknown;
}

var cSort = (global.cSort = {
    SortArray: function (array, options, first, last) {
        if (orvIsTypedArray(array) && first === undefined && last === undefined) {
            // numbers: the typed array's own sort, reversed for descending order
            array.sort();
            if (orvInt(options) & 1) array.reverse();
            return;
        }
        if (orvIsSortable(array)) orvSortRange(array, orvComparer(options), first, last);
    },
    SortList: function (list, options, first, last) {
        if (list instanceof cLinkedList) orvSortList(list, orvComparer(options), first, last);
    },
    // offset names the field ("x"), or gives its position among the structure's fields.
    SortStructuredArray: function (array, options, offset, type, first, last) {
        if (!orvIsSortable(array)) return;
        orvSortRange(array, orvComparer(options, orvField(array, offset)), first, last);
    },
    SortStructuredList: function (list, options, offset, type, first, last) {
        if (!(list instanceof cLinkedList)) return;
        orvSortList(list, orvComparer(options, orvField(orvListValues(list), offset, list.ORV_Init)), first, last);
    },
    RandomizeArray: function (array, first, last) {
        if (orvIsSortable(array)) orvShuffleRange(array, first, last);
    },
    RandomizeList: function (list, first, last) {
        if (!(list instanceof cLinkedList)) return;
        var slots = orvSlotRange(list, first, last);
        var shuffled = slots.slice();
        orvShuffleRange(shuffled);
        orvRelinkRange(list, slots, shuffled);
        if (list.ORV_Current >= 0) list.ORV_Index = ORV_IndexUnknown;
    },
});
