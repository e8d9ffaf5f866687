// Linked lists with PureBasic's current element. The elements are kept in an array of element
// records { value }; index is the position of the current element, -1 when there is none (as after
// ResetList). What PureBasic gives as an element's address (@list(), the result of AddElement,
// NextElement, ...) is the structure itself for a structured element, so that "*p\field" works on
// it, and the record otherwise; both survive moves and sorts.

function orvAddress(element) {
    if (!element) return 0;
    return element.value !== null && typeof element.value === "object" ? element.value : element;
}

// The position of the element with the given address, -1 when it is not in the list.
function orvFindAddress(elements, address) {
    if (!address) return -1;
    for (var i = 0; i < elements.length; i++) {
        if (elements[i] === address || elements[i].value === address) return i;
    }
    return -1;
}

function cLinkedList() {
    this.ORV_Elements = [];
    this.ORV_Index = -1;
    this.ORV_Positions = [];
}

// New elements of a list without structure hold 0 (the converter does not tell string lists apart).
function orvNewElement(value) {
    return { value: value === undefined ? 0 : orvCopy(value) };
}

cLinkedList.prototype = {
    constructor: cLinkedList,

    ORV_Current: function () {
        return this.ORV_Index >= 0 ? this.ORV_Elements[this.ORV_Index] : null;
    },
    ORV_Select: function (index) {
        this.ORV_Index = index;
        return orvAddress(this.ORV_Current());
    },
    ORV_Clone: function () {
        var copy = new cLinkedList();
        for (var i = 0; i < this.ORV_Elements.length; i++) copy.ORV_Elements.push(orvNewElement(this.ORV_Elements[i].value));
        return copy;
    },
    ORV_Take: function (other) {
        var elements = other.ORV_Elements;
        other.ORV_Elements = [];
        other.ORV_Index = -1;
        other.ORV_Positions = [];
        return elements;
    },

    // Content of the current element; 0 when there is none rather than a crash.
    GetContent: function () {
        var element = this.ORV_Current();
        if (!element) {
            console.error("List: there is no current element");
            return 0;
        }
        return element.value;
    },
    SetContent: function (value) {
        var element = this.ORV_Current();
        if (!element) {
            console.error("List: there is no current element to assign to");
            return value;
        }
        element.value = value;
        return value;
    },
    GetCurrentElement: function () {
        return orvAddress(this.ORV_Current());
    },

    // After the current element, or at the start when there is none; the new element is current.
    AddElement: function (value) {
        var element = orvNewElement(value);
        this.ORV_Elements.splice(this.ORV_Index + 1, 0, element);
        this.ORV_Index++;
        return orvAddress(element);
    },
    // Before the current element, or at the start when there is none.
    InsertElement: function (value) {
        var element = orvNewElement(value);
        var at = Math.max(this.ORV_Index, 0);
        this.ORV_Elements.splice(at, 0, element);
        this.ORV_Index = at;
        return orvAddress(element);
    },
    // The previous element becomes current, so a ForEach loop goes on with the next one.
    // With flags 1 the next element becomes current when the first one is deleted.
    DeleteElement: function (flags) {
        if (this.ORV_Index < 0) return 0;
        this.ORV_Elements.splice(this.ORV_Index, 1);
        if (this.ORV_Index === 0 && orvInt(flags) === 1 && this.ORV_Elements.length > 0) return this.ORV_Select(0);
        return this.ORV_Select(this.ORV_Index - 1);
    },
    ClearList: function () {
        this.ORV_Elements = [];
        this.ORV_Index = -1;
        this.ORV_Positions = [];
    },
    FreeList: function () {
        this.ClearList();
    },
    ResetList: function () {
        this.ORV_Index = -1;
    },
    FirstElement: function () {
        return this.ORV_Elements.length ? this.ORV_Select(0) : 0;
    },
    LastElement: function () {
        return this.ORV_Elements.length ? this.ORV_Select(this.ORV_Elements.length - 1) : 0;
    },
    // At the end the current element stays where it is and 0 is returned.
    NextElement: function () {
        if (this.ORV_Index + 1 >= this.ORV_Elements.length) return 0;
        return this.ORV_Select(this.ORV_Index + 1);
    },
    PreviousElement: function () {
        if (this.ORV_Index <= 0) return 0;
        return this.ORV_Select(this.ORV_Index - 1);
    },
    SelectElement: function (position) {
        position = orvInt(position);
        if (position < 0 || position >= this.ORV_Elements.length) return 0;
        return this.ORV_Select(position);
    },
    ChangeCurrentElement: function (address) {
        var index = orvFindAddress(this.ORV_Elements, address);
        if (index >= 0) this.ORV_Index = index;
    },
    ListIndex: function () {
        return this.ORV_Index;
    },
    ListSize: function () {
        return this.ORV_Elements.length;
    },
    // The contents of all elements, in order.
    ListData: function () {
        return this.ORV_Elements.map(function (element) {
            return element.value;
        });
    },
    SwapElements: function (first, second) {
        var i = orvFindAddress(this.ORV_Elements, first);
        var j = orvFindAddress(this.ORV_Elements, second);
        if (i < 0 || j < 0) return;
        var current = this.ORV_Current();
        var swap = this.ORV_Elements[i];
        this.ORV_Elements[i] = this.ORV_Elements[j];
        this.ORV_Elements[j] = swap;
        if (current) this.ORV_Index = this.ORV_Elements.indexOf(current);
    },
    // #PB_List_First 1, #PB_List_Last 2, #PB_List_Before 3, #PB_List_After 4 (relative to element).
    MoveElement: function (location, relative) {
        var current = this.ORV_Current();
        if (!current) return;
        location = orvInt(location);
        var target = orvFindAddress(this.ORV_Elements, relative);
        if ((location === 3 || location === 4) && (target < 0 || target === this.ORV_Index)) return;
        var targetElement = this.ORV_Elements[target];
        this.ORV_Elements.splice(this.ORV_Index, 1);
        var at;
        if (location === 1) at = 0;
        else if (location === 2) at = this.ORV_Elements.length;
        else if (location === 3) at = this.ORV_Elements.indexOf(targetElement);
        else if (location === 4) at = this.ORV_Elements.indexOf(targetElement) + 1;
        else at = this.ORV_Index;
        this.ORV_Elements.splice(at, 0, current);
        this.ORV_Index = at;
    },
    PushListPosition: function () {
        this.ORV_Positions.push(this.ORV_Current());
    },
    // A position whose element was deleted meanwhile leaves no current element.
    PopListPosition: function () {
        if (!this.ORV_Positions.length) return;
        var element = this.ORV_Positions.pop();
        this.ORV_Index = element ? this.ORV_Elements.indexOf(element) : -1;
    },

    // this list is the source, the argument the destination, whose old elements are dropped.
    CopyList: function (destination) {
        if (!(destination instanceof cLinkedList) || destination === this) return 0;
        destination.ClearList();
        destination.ORV_Elements = this.ORV_Clone().ORV_Elements;
        return 1;
    },
    // Moves every element of this list to the end of the destination, or before its start with
    // location #PB_List_First (1); this list is left empty.
    MergeLists: function (destination, location) {
        if (!(destination instanceof cLinkedList) || destination === this) return;
        var elements = destination.ORV_Take(this);
        var current = destination.ORV_Current();
        if (orvInt(location) === 1) destination.ORV_Elements = elements.concat(destination.ORV_Elements);
        else destination.ORV_Elements = destination.ORV_Elements.concat(elements);
        if (current) destination.ORV_Index = destination.ORV_Elements.indexOf(current);
    },
    // Moves the current element and all after it into the destination (its old elements are
    // dropped); with keepCurrent the current element stays here. The destination has no current
    // element; here the element before the split becomes current.
    SplitList: function (destination, keepCurrent) {
        if (!(destination instanceof cLinkedList) || destination === this || this.ORV_Index < 0) return;
        var from = keepCurrent ? this.ORV_Index + 1 : this.ORV_Index;
        destination.ClearList();
        destination.ORV_Elements = this.ORV_Elements.splice(from);
        this.ORV_Index = Math.min(this.ORV_Index, this.ORV_Elements.length - 1);
        if (!keepCurrent) this.ORV_Index = from - 1;
    },

    ForEach_Start: function () {
        this.ORV_Index = -1;
    },
    ForEach: function () {
        return this.NextElement() !== 0;
    },
    // The loop leaves the last element it visited current, as PureBasic does.
    ForEach_End: function () {},
};

global.cLinkedList = cLinkedList;
