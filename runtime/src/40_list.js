// Linked lists with PureBasic's current element; every step, insertion and deletion at the
// current element takes constant time, as in PureBasic.
//
// A list (and a map, 50_map.js) keeps its elements in a chain of slots: the values in one array,
// the links to the next and the previous slot in two Int32Arrays (-1 for none). A list of a
// million numbers is three flat arrays instead of a million small objects, and a deleted
// element's slot is taken again by the next new one.
//
// An element's address (@list(), the result of AddElement, NextElement, ...) is a number: the
// address of the collection itself plus ORV_SlotSize times the slot. It stays the same while the
// element lives, through moves, swaps and sorts; ChangeCurrentElement, SwapElements and
// MoveElement take it back. MergeLists and SplitList move elements into other slots, so their
// addresses change (a structured element stays the same object).

var ORV_SlotSize = 256;
// The previous-slot link of a slot that holds no element.
var ORV_FreeSlot = -2;

function orvCollectionError(text) {
    if (typeof cPB !== "undefined" && cPB.Error) cPB.Error(text);
    else console.error(text);
}

// ---- the chain of slots, shared by lists and maps

function orvGrowLinks(chain) {
    var next = new Int32Array(chain.ORV_Next.length * 2);
    var prev = new Int32Array(chain.ORV_Prev.length * 2);
    next.set(chain.ORV_Next);
    prev.set(chain.ORV_Prev);
    chain.ORV_Next = next;
    chain.ORV_Prev = prev;
}

// A slot holding value, not yet linked. Free slots are chained through their next links.
function orvNewSlot(chain, value) {
    var slot = chain.ORV_Free;
    if (slot >= 0) {
        chain.ORV_Free = chain.ORV_Next[slot];
        chain.ORV_Values[slot] = value;
    } else {
        slot = chain.ORV_Values.length;
        chain.ORV_Values.push(value);
        if (slot >= chain.ORV_Next.length) orvGrowLinks(chain);
    }
    chain.ORV_Size++;
    return slot;
}

// Links slot after the slot after (-1: at the start).
function orvLinkAfter(chain, slot, after) {
    var next = chain.ORV_Next;
    var prev = chain.ORV_Prev;
    var following = after < 0 ? chain.ORV_First : next[after];
    prev[slot] = after;
    next[slot] = following;
    if (after < 0) chain.ORV_First = slot;
    else next[after] = slot;
    if (following < 0) chain.ORV_Last = slot;
    else prev[following] = slot;
}

function orvUnlink(chain, slot) {
    var next = chain.ORV_Next;
    var prev = chain.ORV_Prev;
    var before = prev[slot];
    var after = next[slot];
    if (before < 0) chain.ORV_First = after;
    else next[before] = after;
    if (after < 0) chain.ORV_Last = before;
    else prev[after] = before;
}

function orvFreeSlot(chain, slot) {
    orvUnlink(chain, slot);
    chain.ORV_Prev[slot] = ORV_FreeSlot;
    chain.ORV_Next[slot] = chain.ORV_Free;
    chain.ORV_Free = slot;
    chain.ORV_Values[slot] = 0;
    chain.ORV_Size--;
    if (chain.ORV_Positions.length > 0) orvForgetPosition(chain.ORV_Positions, slot);
}

// Remembered positions of a deleted element lead to no current element when they are restored.
function orvForgetPosition(positions, slot) {
    for (var i = 0; i < positions.length; i++) {
        if (positions[i] === slot) positions[i] = -1;
    }
}

function orvClearChain(chain) {
    chain.ORV_Values = [];
    chain.ORV_Next = new Int32Array(8);
    chain.ORV_Prev = new Int32Array(8);
    chain.ORV_Free = -1;
    chain.ORV_First = -1;
    chain.ORV_Last = -1;
    chain.ORV_Current = -1;
    chain.ORV_Size = 0;
    for (var i = 0; i < chain.ORV_Positions.length; i++) chain.ORV_Positions[i] = -1;
}

function orvIsSlot(chain, slot) {
    return slot >= 0 && slot < chain.ORV_Values.length && chain.ORV_Prev[slot] !== ORV_FreeSlot;
}

function orvSlotAddress(chain, slot) {
    if (slot < 0) return 0;
    // The collection's own block (15_memory.js); ORV_ObjectAt finds the element inside it.
    if (chain.ORV_Base === 0) chain.ORV_Base = orvAddressOf(chain);
    return chain.ORV_Base + slot * ORV_SlotSize;
}

// The slot of an element address of this collection, -1 when it names none. An address made for
// the element object itself (a structure) is found by looking for that object.
function orvSlotOf(chain, address) {
    if (typeof address === "number" && chain.ORV_Base !== 0) {
        var offset = address - chain.ORV_Base;
        if (offset >= 0 && offset < 4294967296 && offset % ORV_SlotSize === 0) {
            var slot = offset / ORV_SlotSize;
            return orvIsSlot(chain, slot) ? slot : -1;
        }
    }
    var object = typeof address === "number" ? orvObjectAt(address) : address;
    if (object === null || typeof object !== "object") return -1;
    if (object instanceof orvElementView) return object.ORV_Chain === chain && orvIsSlot(chain, object.ORV_Slot) ? object.ORV_Slot : -1;
    for (var s = chain.ORV_First; s >= 0; s = chain.ORV_Next[s]) {
        if (chain.ORV_Values[s] === object) return s;
    }
    return -1;
}

// What an element address points to: the structure of a structured element, otherwise a view
// whose value property reads and writes the element.
function orvElementView(chain, slot) {
    this.ORV_Chain = chain;
    this.ORV_Slot = slot;
}
Object.defineProperty(orvElementView.prototype, "value", {
    get: function () {
        return this.ORV_Chain.ORV_Values[this.ORV_Slot];
    },
    set: function (value) {
        this.ORV_Chain.ORV_Values[this.ORV_Slot] = value;
    },
});

function orvElementObject(chain, offset) {
    if (offset % ORV_SlotSize !== 0) return null;
    var slot = offset / ORV_SlotSize;
    if (!orvIsSlot(chain, slot)) return null;
    var value = chain.ORV_Values[slot];
    return value !== null && typeof value === "object" ? value : new orvElementView(chain, slot);
}

// The slots from position first to position last (both clamped), in order.
function orvSlotRange(chain, first, last) {
    var from = first === undefined ? 0 : Math.max(orvInt(first), 0);
    var to = last === undefined ? chain.ORV_Size - 1 : Math.min(orvInt(last), chain.ORV_Size - 1);
    var slots = [];
    var slot = chain.ORV_First;
    for (var position = 0; slot >= 0 && position <= to; position++) {
        if (position >= from) slots.push(slot);
        slot = chain.ORV_Next[slot];
    }
    return slots;
}

// Puts the slots that orvSlotRange gave back into the chain in the order they now have.
function orvRelinkRange(chain, original, reordered) {
    if (original.length === 0) return;
    var before = chain.ORV_Prev[original[0]];
    var after = chain.ORV_Next[original[original.length - 1]];
    for (var i = 0; i < reordered.length; i++) {
        var slot = reordered[i];
        chain.ORV_Prev[slot] = i === 0 ? before : reordered[i - 1];
        chain.ORV_Next[slot] = i === reordered.length - 1 ? after : reordered[i + 1];
    }
    if (before < 0) chain.ORV_First = reordered[0];
    else chain.ORV_Next[before] = reordered[0];
    if (after < 0) chain.ORV_Last = reordered[reordered.length - 1];
    else chain.ORV_Prev[after] = reordered[reordered.length - 1];
}

// The value of a new element: a fresh structure from the factory, a copy of a template structure,
// or the initial value 0 or "".
function orvInitialValue(init) {
    if (typeof init === "function") return init();
    if (init === undefined || init === null) return 0;
    return typeof init === "object" ? orvCopy(init) : init;
}

// ---- lists

// init: the element's initial value, 0 or "", or a structure factory; a template structure that
// is copied for every element is accepted as well.
function cLinkedList(init) {
    this.ORV_Init = init;
    this.ORV_Values = [];
    this.ORV_Next = new Int32Array(8);
    this.ORV_Prev = new Int32Array(8);
    // The first free slot, -1 when every slot holds an element.
    this.ORV_Free = -1;
    this.ORV_First = -1;
    this.ORV_Last = -1;
    this.ORV_Current = -1;
    this.ORV_Size = 0;
    this.ORV_Positions = [];
    this.ORV_Base = 0;
    // The position of the current element, -1 when there is none, ORV_IndexUnknown after a jump
    // (ChangeCurrentElement, a sort ...) until ListIndex counts it.
    this.ORV_Index = -1;
}

var ORV_IndexUnknown = -2;

cLinkedList.prototype = {
    constructor: cLinkedList,

    ORV_Select: function (slot, index) {
        this.ORV_Current = slot;
        this.ORV_Index = slot < 0 ? -1 : index;
        return orvSlotAddress(this, slot);
    },
    // A new element's value; an argument is a template from an older form of emitted code.
    ORV_NewValue: function (template) {
        return template === undefined ? orvInitialValue(this.ORV_Init) : orvCopy(template);
    },
    // A copied structure's list keeps its current element where the original had it, so that an
    // AddElement after CopyStructure adds where it would have added to the original.
    ORV_Clone: function () {
        var copy = new cLinkedList(this.ORV_Init);
        for (var slot = this.ORV_First; slot >= 0; slot = this.ORV_Next[slot]) {
            var made = orvNewSlot(copy, orvCopy(this.ORV_Values[slot]));
            orvLinkAfter(copy, made, copy.ORV_Last);
            if (slot === this.ORV_Current) {
                copy.ORV_Current = made;
                copy.ORV_Index = this.ORV_Index;
            }
        }
        return copy;
    },
    // The address of the element at a slot of this list, for the memory library.
    ORV_ObjectAt: function (offset) {
        return orvElementObject(this, offset);
    },

    // Content of the current element; 0 when there is none, with the debugger's message.
    GetContent: function () {
        if (this.ORV_Current < 0) {
            orvCollectionError("The list doesn't have a current element.");
            return 0;
        }
        return this.ORV_Values[this.ORV_Current];
    },
    SetContent: function (value) {
        if (this.ORV_Current < 0) {
            orvCollectionError("The list doesn't have a current element.");
            return value;
        }
        this.ORV_Values[this.ORV_Current] = value;
        return value;
    },
    GetCurrentElement: function () {
        return orvSlotAddress(this, this.ORV_Current);
    },

    // After the current element, or at the start when there is none; the new element is current.
    AddElement: function (template) {
        var slot = orvNewSlot(this, this.ORV_NewValue(template));
        orvLinkAfter(this, slot, this.ORV_Current);
        var index = this.ORV_Index;
        return this.ORV_Select(slot, index === ORV_IndexUnknown ? index : index + 1);
    },
    // Before the current element, or at the start when there is none.
    InsertElement: function (template) {
        var slot = orvNewSlot(this, this.ORV_NewValue(template));
        var current = this.ORV_Current;
        orvLinkAfter(this, slot, current < 0 ? -1 : this.ORV_Prev[current]);
        return this.ORV_Select(slot, current < 0 ? 0 : this.ORV_Index);
    },
    // The previous element becomes current, so that a ForEach loop goes on with the next one.
    // With flags 1 the next element becomes current when the first one is deleted.
    DeleteElement: function (flags) {
        var slot = this.ORV_Current;
        if (slot < 0) {
            orvCollectionError("The list doesn't have a current element.");
            return 0;
        }
        // orvFreeSlot and ORV_Select written out: deleting inside a ForEach is the hot path.
        var next = this.ORV_Next;
        var prev = this.ORV_Prev;
        var before = prev[slot];
        var after = next[slot];
        if (before < 0) this.ORV_First = after;
        else next[before] = after;
        if (after < 0) this.ORV_Last = before;
        else prev[after] = before;
        prev[slot] = ORV_FreeSlot;
        next[slot] = this.ORV_Free;
        this.ORV_Free = slot;
        this.ORV_Values[slot] = 0;
        this.ORV_Size--;
        if (this.ORV_Positions.length > 0) orvForgetPosition(this.ORV_Positions, slot);
        if (before < 0 && after >= 0 && flags !== undefined && orvInt(flags) === 1) return this.ORV_Select(after, 0);
        this.ORV_Current = before;
        if (before < 0) {
            this.ORV_Index = -1;
            return 0;
        }
        if (this.ORV_Index !== ORV_IndexUnknown) this.ORV_Index--;
        return orvSlotAddress(this, before);
    },
    ClearList: function () {
        orvClearChain(this);
        this.ORV_Index = -1;
    },
    FreeList: function () {
        this.ClearList();
    },
    ResetList: function () {
        this.ORV_Select(-1, -1);
    },
    FirstElement: function () {
        return this.ORV_First < 0 ? 0 : this.ORV_Select(this.ORV_First, 0);
    },
    LastElement: function () {
        return this.ORV_Last < 0 ? 0 : this.ORV_Select(this.ORV_Last, this.ORV_Size - 1);
    },
    // At the end the current element stays where it is and 0 is returned.
    NextElement: function () {
        var slot = this.ORV_Current < 0 ? this.ORV_First : this.ORV_Next[this.ORV_Current];
        if (slot < 0) return 0;
        var index = this.ORV_Index;
        return this.ORV_Select(slot, index === ORV_IndexUnknown ? index : index + 1);
    },
    PreviousElement: function () {
        if (this.ORV_Current < 0) return 0;
        var slot = this.ORV_Prev[this.ORV_Current];
        if (slot < 0) return 0;
        var index = this.ORV_Index;
        return this.ORV_Select(slot, index === ORV_IndexUnknown ? index : index - 1);
    },
    // Walks from the nearer end, or from the current element when that is nearer.
    SelectElement: function (position) {
        position = orvInt(position);
        var size = this.ORV_Size;
        if (position < 0 || position >= size) return 0;
        var slot;
        var at;
        var index = this.ListIndex();
        if (index >= 0 && Math.abs(position - index) < Math.min(position, size - 1 - position)) {
            slot = this.ORV_Current;
            at = index;
        } else if (position < size - 1 - position) {
            slot = this.ORV_First;
            at = 0;
        } else {
            slot = this.ORV_Last;
            at = size - 1;
        }
        for (; at < position; at++) slot = this.ORV_Next[slot];
        for (; at > position; at--) slot = this.ORV_Prev[slot];
        return this.ORV_Select(slot, position);
    },
    ChangeCurrentElement: function (address) {
        var slot = orvSlotOf(this, address);
        if (slot >= 0) this.ORV_Select(slot, ORV_IndexUnknown);
    },
    ListIndex: function () {
        if (this.ORV_Index === ORV_IndexUnknown) {
            var index = 0;
            for (var slot = this.ORV_First; slot !== this.ORV_Current; slot = this.ORV_Next[slot]) index++;
            this.ORV_Index = index;
        }
        return this.ORV_Index;
    },
    ListSize: function () {
        return this.ORV_Size;
    },
    // The contents of all elements, in order.
    ListData: function () {
        var values = [];
        for (var slot = this.ORV_First; slot >= 0; slot = this.ORV_Next[slot]) values.push(this.ORV_Values[slot]);
        return values;
    },
    SwapElements: function (first, second) {
        var a = orvSlotOf(this, first);
        var b = orvSlotOf(this, second);
        if (a < 0 || b < 0 || a === b) return;
        // b is put where a was, then a where b was; neighbours are handled by the order of the links.
        var beforeA = this.ORV_Prev[a];
        var beforeB = this.ORV_Prev[b];
        if (beforeB === a) {
            orvUnlink(this, b);
            orvLinkAfter(this, b, beforeA);
        } else if (beforeA === b) {
            orvUnlink(this, a);
            orvLinkAfter(this, a, beforeB);
        } else {
            orvUnlink(this, a);
            orvUnlink(this, b);
            orvLinkAfter(this, b, beforeA);
            orvLinkAfter(this, a, beforeB);
        }
        if (this.ORV_Current === a || this.ORV_Current === b) this.ORV_Index = ORV_IndexUnknown;
    },
    // #PB_List_First 1, #PB_List_Last 2, #PB_List_Before 3, #PB_List_After 4 (relative to an element).
    MoveElement: function (location, relative) {
        var slot = this.ORV_Current;
        if (slot < 0) return;
        location = orvInt(location);
        var target = -1;
        if (location === 3 || location === 4) {
            target = orvSlotOf(this, relative);
            if (target < 0 || target === slot) return;
        } else if (location !== 1 && location !== 2) {
            return;
        }
        orvUnlink(this, slot);
        if (location === 1) orvLinkAfter(this, slot, -1);
        else if (location === 2) orvLinkAfter(this, slot, this.ORV_Last);
        else if (location === 3) orvLinkAfter(this, slot, this.ORV_Prev[target]);
        else orvLinkAfter(this, slot, target);
        this.ORV_Index = location === 1 ? 0 : location === 2 ? this.ORV_Size - 1 : ORV_IndexUnknown;
    },
    PushListPosition: function () {
        this.ORV_Positions.push(this.ORV_Current);
    },
    // A position whose element was deleted meanwhile leaves no current element.
    PopListPosition: function () {
        if (!this.ORV_Positions.length) return;
        var slot = this.ORV_Positions.pop();
        this.ORV_Select(slot, ORV_IndexUnknown);
    },

    // this list is the source, the argument the destination, whose old elements are dropped.
    CopyList: function (destination) {
        if (!(destination instanceof cLinkedList)) return 0;
        if (destination === this) return 1;
        destination.ClearList();
        for (var slot = this.ORV_First; slot >= 0; slot = this.ORV_Next[slot]) {
            orvLinkAfter(destination, orvNewSlot(destination, orvCopy(this.ORV_Values[slot])), destination.ORV_Last);
        }
        return 1;
    },
    // Elements equal one by one (texts by case unless flags holds #PB_String_NoCase 1).
    CompareList: function (other, flags) {
        if (!(other instanceof cLinkedList)) return 0;
        if (other.ORV_Size !== this.ORV_Size) return 0;
        var noCase = (orvInt(flags) & 1) !== 0;
        for (var a = this.ORV_First, b = other.ORV_First; a >= 0; a = this.ORV_Next[a], b = other.ORV_Next[b]) {
            if (!orvSameValue(this.ORV_Values[a], other.ORV_Values[b], noCase)) return 0;
        }
        return 1;
    },
    // Moves every element of this list into the destination: #PB_List_Last 2 (the default) at its
    // end, #PB_List_First 1 at its start, #PB_List_Before 3 or #PB_List_After 4 next to its current
    // element. This list is left empty; the destination keeps its current element.
    MergeLists: function (destination, location) {
        if (!(destination instanceof cLinkedList) || destination === this) return;
        location = location === undefined ? 2 : orvInt(location);
        var current = destination.ORV_Current;
        var after = destination.ORV_Last;
        if (location === 1) after = -1;
        else if (location === 3 && current >= 0) after = destination.ORV_Prev[current];
        else if (location === 4 && current >= 0) after = current;
        for (var slot = this.ORV_First; slot >= 0; slot = this.ORV_Next[slot]) {
            var moved = orvNewSlot(destination, this.ORV_Values[slot]);
            orvLinkAfter(destination, moved, after);
            after = moved;
        }
        if (destination.ORV_Index !== -1) destination.ORV_Index = ORV_IndexUnknown;
        this.ClearList();
    },
    // Moves the current element and all after it into the destination (its old elements are
    // dropped); with keepCurrent the current element stays here. The destination has no current
    // element; here the element before the split becomes current.
    SplitList: function (destination, keepCurrent) {
        if (!(destination instanceof cLinkedList) || destination === this || this.ORV_Current < 0) return;
        var index = this.ListIndex();
        var before = this.ORV_Prev[this.ORV_Current];
        var slot = keepCurrent ? this.ORV_Next[this.ORV_Current] : this.ORV_Current;
        destination.ClearList();
        while (slot >= 0) {
            var next = this.ORV_Next[slot];
            orvLinkAfter(destination, orvNewSlot(destination, this.ORV_Values[slot]), destination.ORV_Last);
            orvFreeSlot(this, slot);
            slot = next;
        }
        if (!keepCurrent) this.ORV_Select(before, index - 1);
    },

    ForEach_Start: function () {
        this.ORV_Current = -1;
        this.ORV_Index = -1;
    },
    ForEach: function () {
        var slot = this.ORV_Current < 0 ? this.ORV_First : this.ORV_Next[this.ORV_Current];
        if (slot < 0) return false;
        this.ORV_Current = slot;
        if (this.ORV_Index !== -2) this.ORV_Index++;
        return true;
    },
    // The loop leaves the last element it visited current, as PureBasic does.
    ForEach_End: function () {},
};

// Equality of two element values for CompareList and CompareMap: numbers and texts by value,
// structures field by field, lists and maps element by element.
function orvSameValue(a, b, noCase) {
    if (a === b) return true;
    if (typeof a === "string" && typeof b === "string") return noCase && a.toLowerCase() === b.toLowerCase();
    if (a === null || b === null || typeof a !== "object" || typeof b !== "object") {
        return typeof a !== "object" && typeof b !== "object" && orvNumber(a) === orvNumber(b);
    }
    if (a instanceof cLinkedList) return a.CompareList(b, noCase ? 1 : 0) === 1;
    if (typeof cMap !== "undefined" && a instanceof cMap) return a.CompareMap(b, noCase ? 1 : 0) === 1;
    var keys = Object.keys(a);
    if (keys.length !== Object.keys(b).length) return false;
    for (var i = 0; i < keys.length; i++) {
        if (!orvSameValue(a[keys[i]], b[keys[i]], noCase)) return false;
    }
    return true;
}

global.cLinkedList = cLinkedList;
