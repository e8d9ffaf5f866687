// Maps with PureBasic's current element. Keys are texts compared exactly (case matters); a key
// finds its element in constant time through a JavaScript Map from key to slot, and the elements
// form a chain of slots as lists do (40_list.js), in the order in which they were added. A keyed
// access to a missing key creates the element, as PureBasic does, so that "m(key)\field = 1"
// works on a new key.

function orvKeyText(key) {
    return typeof key === "string" ? key : orvText(key);
}

// init: as for cLinkedList.
function cMap(init) {
    this.ORV_Init = init;
    this.ORV_Slots = new Map();
    this.ORV_Keys = [];
    this.ORV_Values = [];
    this.ORV_Next = new Int32Array(8);
    this.ORV_Prev = new Int32Array(8);
    this.ORV_Free = -1;
    this.ORV_First = -1;
    this.ORV_Last = -1;
    this.ORV_Current = -1;
    this.ORV_Size = 0;
    this.ORV_Positions = [];
    this.ORV_Base = 0;
    // Elements hidden by AddMapElement with #PB_Map_NoElementCheck: slot -> the slot it hides.
    this.ORV_Hidden = null;
}

cMap.prototype = {
    constructor: cMap,

    // A new element of key at the end, made current.
    ORV_Add: function (key, value) {
        var slot = orvNewSlot(this, value);
        this.ORV_Keys[slot] = key;
        orvLinkAfter(this, slot, this.ORV_Last);
        this.ORV_Current = slot;
        return slot;
    },
    // The slot of key, created when missing; it becomes the current element.
    ORV_Element: function (key) {
        key = orvKeyText(key);
        var slot = this.ORV_Slots.get(key);
        if (slot === undefined) {
            slot = this.ORV_Add(key, orvInitialValue(this.ORV_Init));
            this.ORV_Slots.set(key, slot);
        } else {
            this.ORV_Current = slot;
        }
        return slot;
    },
    ORV_Delete: function (slot) {
        var key = this.ORV_Keys[slot];
        var hidden = this.ORV_Hidden;
        var shown = this.ORV_Slots.get(key);
        if (shown === slot) {
            if (hidden !== null && hidden.has(slot)) {
                this.ORV_Slots.set(key, hidden.get(slot));
                hidden.delete(slot);
            } else {
                this.ORV_Slots.delete(key);
            }
        } else if (hidden !== null) {
            // An element hidden by a newer one of the same key: take it out of the chain of hidden ones.
            for (var above = shown; hidden.has(above); above = hidden.get(above)) {
                if (hidden.get(above) === slot) {
                    if (hidden.has(slot)) hidden.set(above, hidden.get(slot));
                    else hidden.delete(above);
                    hidden.delete(slot);
                    break;
                }
            }
        }
        if (hidden !== null && hidden.size === 0) this.ORV_Hidden = null;
        this.ORV_Keys[slot] = "";
        orvFreeSlot(this, slot);
    },
    ORV_Clone: function () {
        var copy = new cMap(this.ORV_Init);
        cMap.CopyMap(this, copy);
        return copy;
    },
    ORV_ObjectAt: function (offset) {
        return orvElementObject(this, offset);
    },

    getData: function (key) {
        if (arguments.length === 0) {
            if (this.ORV_Current < 0) {
                orvCollectionError("The map doesn't have a current element.");
                return 0;
            }
            return this.ORV_Values[this.ORV_Current];
        }
        return this.ORV_Values[this.ORV_Element(key)];
    },
    setData: function (value, key) {
        if (arguments.length < 2) {
            if (this.ORV_Current < 0) {
                orvCollectionError("The map doesn't have a current element.");
                return value;
            }
            this.ORV_Values[this.ORV_Current] = value;
            return value;
        }
        this.ORV_Values[this.ORV_Element(key)] = value;
        return value;
    },

    // Returns the element's address (true in a condition) and makes it current, or 0 when the key
    // is missing.
    FindMapElement: function (key) {
        var slot = this.ORV_Slots.get(orvKeyText(key));
        if (slot === undefined) return 0;
        this.ORV_Current = slot;
        return orvSlotAddress(this, slot);
    },
    // With #PB_Map_ElementCheck (the default, 1) an existing element of the key gets a new empty
    // value; with #PB_Map_NoElementCheck (0) a second element of the key is added, which hides the
    // first one from keyed access until it is deleted.
    AddMapElement: function (key, flags) {
        key = orvKeyText(key);
        var value = orvInitialValue(this.ORV_Init);
        var existing = this.ORV_Slots.get(key);
        var slot;
        if (existing === undefined) {
            slot = this.ORV_Add(key, value);
            this.ORV_Slots.set(key, slot);
        } else if (flags === undefined || orvInt(flags) !== 0) {
            slot = existing;
            this.ORV_Values[slot] = value;
            this.ORV_Current = slot;
        } else {
            slot = this.ORV_Add(key, value);
            if (this.ORV_Hidden === null) this.ORV_Hidden = new Map();
            this.ORV_Hidden.set(slot, existing);
            this.ORV_Slots.set(key, slot);
        }
        return orvSlotAddress(this, slot);
    },
    // Without a key the current element is deleted and the one before it becomes current, so that
    // a ForEach loop goes on with the next one; with a key there is no current element afterwards.
    // Returns the address of the new current element, or 0.
    DeleteMapElement: function (key) {
        if (arguments.length === 0) {
            var slot = this.ORV_Current;
            if (slot < 0) {
                orvCollectionError("The map doesn't have a current element.");
                return 0;
            }
            var before = this.ORV_Prev[slot];
            this.ORV_Delete(slot);
            this.ORV_Current = before;
            return orvSlotAddress(this, before);
        }
        var keyed = this.ORV_Slots.get(orvKeyText(key));
        if (keyed === undefined) return 0;
        this.ORV_Delete(keyed);
        this.ORV_Current = -1;
        return 0;
    },
    MapKey: function () {
        return this.ORV_Current < 0 ? "" : this.ORV_Keys[this.ORV_Current];
    },
    MapSize: function () {
        return this.ORV_Size;
    },
    ClearMap: function () {
        orvClearChain(this);
        this.ORV_Slots = new Map();
        this.ORV_Keys = [];
        this.ORV_Hidden = null;
    },
    FreeMap: function () {
        this.ClearMap();
    },
    ResetMap: function () {
        this.ORV_Current = -1;
    },
    // After the last element there is no current element.
    NextMapElement: function () {
        var slot = this.ORV_Current < 0 ? this.ORV_First : this.ORV_Next[this.ORV_Current];
        this.ORV_Current = slot;
        return orvSlotAddress(this, slot);
    },
    PushMapPosition: function () {
        this.ORV_Positions.push(this.ORV_Current);
    },
    PopMapPosition: function () {
        if (this.ORV_Positions.length) this.ORV_Current = this.ORV_Positions.pop();
    },
    // The same keys with equal values (texts by case unless flags holds #PB_String_NoCase 1).
    CompareMap: function (other, flags) {
        if (!(other instanceof cMap) || other.ORV_Size !== this.ORV_Size) return 0;
        var noCase = (orvInt(flags) & 1) !== 0;
        // Elements of the same key hidden behind each other are compared in the order they came.
        var inOrder = this.ORV_Hidden !== null || other.ORV_Hidden !== null;
        var otherSlot = other.ORV_First;
        for (var slot = this.ORV_First; slot >= 0; slot = this.ORV_Next[slot], otherSlot = other.ORV_Next[otherSlot]) {
            var match = inOrder ? otherSlot : other.ORV_Slots.get(this.ORV_Keys[slot]);
            if (inOrder && other.ORV_Keys[match] !== this.ORV_Keys[slot]) return 0;
            if (match === undefined || !orvSameValue(this.ORV_Values[slot], other.ORV_Values[match], noCase)) return 0;
        }
        return 1;
    },

    ForEach_Init: function () {
        this.ORV_Current = -1;
    },
    ForEach: function () {
        var slot = this.ORV_Current < 0 ? this.ORV_First : this.ORV_Next[this.ORV_Current];
        this.ORV_Current = slot;
        return slot >= 0;
    },
};

// The destination's old elements are dropped; the copy is deep.
cMap.CopyMap = function (source, destination) {
    if (!(source instanceof cMap) || !(destination instanceof cMap)) return 0;
    if (source === destination) return 1;
    destination.ClearMap();
    for (var slot = source.ORV_First; slot >= 0; slot = source.ORV_Next[slot]) {
        var key = source.ORV_Keys[slot];
        var copy = destination.ORV_Add(key, orvCopy(source.ORV_Values[slot]));
        var hidden = destination.ORV_Slots.get(key);
        if (hidden !== undefined) {
            if (destination.ORV_Hidden === null) destination.ORV_Hidden = new Map();
            destination.ORV_Hidden.set(copy, hidden);
        }
        destination.ORV_Slots.set(key, copy);
    }
    destination.ORV_Current = -1;
    return 1;
};

cMap.CompareMap = function (first, second, flags) {
    return first instanceof cMap ? first.CompareMap(second, flags) : 0;
};

global.cMap = cMap;
