// Maps with PureBasic's current element. Keys are texts compared exactly (case matters); the
// elements keep the order in which they were added. A keyed access to a missing key creates the
// element, as PureBasic does, so that "m(key)\field = 1" works on a new key.

function cMap(template) {
    this.ORV_Template = template === undefined ? null : template;
    this.ORV_Keys = new Map();
    this.ORV_Elements = [];
    this.ORV_Index = -1;
    this.ORV_Positions = [];
}

cMap.prototype = {
    constructor: cMap,

    ORV_Current: function () {
        return this.ORV_Index >= 0 ? this.ORV_Elements[this.ORV_Index] : null;
    },
    ORV_Empty: function () {
        return this.ORV_Template === null ? 0 : orvCopy(this.ORV_Template);
    },
    // The element of key, created when missing; it becomes the current element.
    ORV_Element: function (key) {
        key = orvText(key);
        var element = this.ORV_Keys.get(key);
        if (!element) {
            element = { key: key, value: this.ORV_Empty() };
            this.ORV_Keys.set(key, element);
            this.ORV_Elements.push(element);
            this.ORV_Index = this.ORV_Elements.length - 1;
        } else {
            this.ORV_Index = this.ORV_Elements.indexOf(element);
        }
        return element;
    },
    ORV_Clone: function () {
        var copy = new cMap(this.ORV_Template);
        for (var i = 0; i < this.ORV_Elements.length; i++) {
            var element = { key: this.ORV_Elements[i].key, value: orvCopy(this.ORV_Elements[i].value) };
            copy.ORV_Keys.set(element.key, element);
            copy.ORV_Elements.push(element);
        }
        return copy;
    },

    getData: function (key) {
        if (arguments.length === 0) {
            var element = this.ORV_Current();
            if (!element) {
                console.error("Map: there is no current element");
                return 0;
            }
            return element.value;
        }
        return this.ORV_Element(key).value;
    },
    setData: function (value, key) {
        var element = arguments.length < 2 ? this.ORV_Current() : this.ORV_Element(key);
        if (!element) {
            console.error("Map: there is no current element to assign to");
            return value;
        }
        element.value = value;
        return value;
    },

    // Returns the element's address (true in a condition) and makes it current, or 0 when the key
    // is missing.
    FindMapElement: function (key) {
        var element = this.ORV_Keys.get(orvText(key));
        if (!element) return 0;
        this.ORV_Index = this.ORV_Elements.indexOf(element);
        return orvAddress(element);
    },
    // With #PB_Map_ElementCheck (the default, 1) an existing element of the key is replaced by a
    // new empty one; with #PB_Map_NoElementCheck (0) it is kept.
    AddMapElement: function (key, flags) {
        key = orvText(key);
        var existing = this.ORV_Keys.get(key);
        if (existing && (flags === undefined || orvInt(flags) !== 0)) existing.value = this.ORV_Empty();
        return orvAddress(this.ORV_Element(key));
    },
    // Without a key the current element is deleted; the element before it becomes current, so
    // that a ForEach loop goes on with the next one.
    DeleteMapElement: function (key) {
        var element = arguments.length === 0 ? this.ORV_Current() : this.ORV_Keys.get(orvText(key));
        if (!element) return 0;
        var index = this.ORV_Elements.indexOf(element);
        this.ORV_Elements.splice(index, 1);
        this.ORV_Keys.delete(element.key);
        if (index <= this.ORV_Index) this.ORV_Index--;
        return 1;
    },
    MapKey: function () {
        var element = this.ORV_Current();
        return element ? element.key : "";
    },
    MapSize: function () {
        return this.ORV_Elements.length;
    },
    ClearMap: function () {
        this.ORV_Keys.clear();
        this.ORV_Elements = [];
        this.ORV_Index = -1;
        this.ORV_Positions = [];
    },
    FreeMap: function () {
        this.ClearMap();
    },
    ResetMap: function () {
        this.ORV_Index = -1;
    },
    NextMapElement: function () {
        if (this.ORV_Index + 1 >= this.ORV_Elements.length) {
            this.ORV_Index = -1;
            return 0;
        }
        this.ORV_Index++;
        return orvAddress(this.ORV_Current());
    },
    PushMapPosition: function () {
        this.ORV_Positions.push(this.ORV_Current());
    },
    PopMapPosition: function () {
        if (!this.ORV_Positions.length) return;
        var element = this.ORV_Positions.pop();
        this.ORV_Index = element ? this.ORV_Elements.indexOf(element) : -1;
    },

    ForEach_Init: function () {
        this.ORV_Index = -1;
    },
    ForEach: function () {
        return this.NextMapElement() !== 0;
    },
};

// The destination's old elements are dropped; the copy is deep.
cMap.CopyMap = function (source, destination) {
    if (!(source instanceof cMap) || !(destination instanceof cMap)) return 0;
    if (source === destination) return 1;
    var copy = source.ORV_Clone();
    destination.ClearMap();
    destination.ORV_Keys = copy.ORV_Keys;
    destination.ORV_Elements = copy.ORV_Elements;
    return 1;
};

global.cMap = cMap;
