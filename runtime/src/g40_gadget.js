// Gadgets: absolutely positioned elements in a window's inner area (or in a container gadget),
// built with jQuery UI or the library the page loads for them. Every gadget keeps its state
// (position, size, items, states) in its object, so that reading it never depends on layout;
// the element shows that state.
//
// Each gadget type has a kind: a table of what its Set/Get functions do for it. A function a kind
// does not have does nothing and returns PureBasic's neutral result (0, "" or -1), as the
// desktop does for a gadget type that does not support it.

var ORV_GADGET = {
    Unknown: 0,
    Button: 1,
    String: 2,
    Text: 3,
    CheckBox: 4,
    Option: 5,
    ListView: 6,
    Frame: 7,
    ComboBox: 8,
    Image: 9,
    HyperLink: 10,
    Container: 11,
    ListIcon: 12,
    IPAddress: 13,
    ProgressBar: 14,
    ScrollBar: 15,
    ScrollArea: 16,
    TrackBar: 17,
    Web: 18,
    ButtonImage: 19,
    Calendar: 20,
    Date: 21,
    Editor: 22,
    ExplorerList: 23,
    ExplorerTree: 24,
    ExplorerCombo: 25,
    Spin: 26,
    Tree: 27,
    Panel: 28,
    Splitter: 29,
    MDI: 30,
    Scintilla: 31,
    Shortcut: 32,
    Canvas: 33,
};

var ORV_EVENTTYPE = {
    LeftClick: 0,
    RightClick: 1,
    LeftDoubleClick: 2,
    RightDoubleClick: 3,
    Up: 4,
    Down: 5,
    Resize: 6,
    ColumnClick: 8,
    Change: 768,
    Focus: 14000,
    LostFocus: 14001,
    DragStart: 14002,
    MouseEnter: 0x10000 + 1,
    MouseLeave: 0x10000 + 2,
    MouseMove: 0x10000 + 3,
    LeftButtonDown: 0x10000 + 4,
    LeftButtonUp: 0x10000 + 5,
    RightButtonDown: 0x10000 + 6,
    RightButtonUp: 0x10000 + 7,
    MiddleButtonDown: 0x10000 + 8,
    MiddleButtonUp: 0x10000 + 9,
    MouseWheel: 0x10000 + 10,
    KeyDown: 0x10000 + 11,
    KeyUp: 0x10000 + 12,
    Input: 0x10000 + 13,
    DownloadStart: 0x10050 + 4,
    DownloadEnd: 0x10050 + 6,
};

var orvGadgetRegistry = orvRegistry("Gadget", orvReleaseGadget);
var orvGadgetKinds = {};
// The gadget lists new gadgets go to: the bottom one is a window's inner area, the ones above it
// are open containers (OpenGadgetList, container and panel gadgets).
var orvGadgetLists = [];
// The gadget created last and the option group it may have started: consecutive option gadgets
// of one gadget list form a group.
var orvLastGadget = null;
var orvOptionGroups = 0;
var orvActiveGadget = null;

function orvGadgetOf(number) {
    return orvGadgetRegistry.Get(number);
}

function orvCurrentGadgetList() {
    var list = orvGadgetLists[orvGadgetLists.length - 1];
    return list && !list.window.freed ? list : null;
}

// The element a gadget list puts its gadgets into.
function orvListElement(list) {
    if (list.gadget && list.gadget.kind.listElement) return list.gadget.kind.listElement(list.gadget, list.item);
    return list.element;
}

function orvUseWindowGadgetList(win) {
    orvGadgetLists = [{ window: win, element: win.inner, gadget: null }];
    orvLastGadget = null;
}

function orvForgetGadgetListsOf(win) {
    if (orvGadgetLists.length && orvGadgetLists[0].window === win) orvGadgetLists = [];
}

function orvFreeGadgetsOfWindow(win) {
    orvGadgetRegistry.All().forEach(function (gadget) {
        if (gadget.window === win && !gadget.freed) orvGadgetRegistry.Free(gadget.number);
    });
}

// Posts a gadget event unless the gadget is gone or disabled.
function orvGadgetEvent(gadget, type, detail) {
    if (gadget.freed || gadget.disabled || gadget.window.freed) return;
    orvPostEvent(ORV_EVENT_GADGET, gadget.window.number, gadget.number, type, 0, detail);
}

function orvElement(tag, className, parent) {
    var element = document.createElement(tag);
    if (className) element.className = className;
    if (parent) parent.appendChild(element);
    return element;
}

function orvPlaceGadget(gadget) {
    var style = gadget.element.style;
    style.left = gadget.x + "px";
    style.top = gadget.y + "px";
    style.width = gadget.width + "px";
    style.height = gadget.height + "px";
}

// Creates a gadget of a kind in the current gadget list. build(gadget) makes gadget.element
// (and whatever else the kind keeps); the result is what PureBasic's function returns.
function orvCreateGadget(number, type, x, y, width, height, flags, build) {
    var list = orvCurrentGadgetList();
    if (!list) {
        orvError("There is no current GadgetList.");
        return 0;
    }
    x = orvInt(x);
    y = orvInt(y);
    width = orvInt(width);
    height = orvInt(height);
    if (width < 0 || height < 0) {
        orvError("Gadget width and height can't be negative (" + width + ", " + height + ").");
        width = Math.max(0, width);
        height = Math.max(0, height);
    }
    var kind = orvGadgetKinds[type];
    var gadget = {
        type: type,
        kind: kind,
        window: list.window,
        parent: list.gadget,
        parentItem: list.gadget ? orvListItemIndex(list) : -1,
        x: x,
        y: y,
        width: width,
        height: height,
        flags: orvInt(flags),
        data: 0,
        disabled: false,
        hidden: false,
        colors: {},
        font: 0,
        element: null,
    };
    var result = orvGadgetRegistry.Create(number, gadget);
    if (!result) return 0;
    build(gadget);
    var element = gadget.element;
    element.classList.add("orvane-gadget");
    element.setAttribute("data-gadget", String(gadget.number));
    if (orvDefaultGadgetFont) {
        gadget.font = orvDefaultGadgetFont;
        orvApplyFont(kind.fontElement ? kind.fontElement(gadget) : element, gadget.font);
    }
    orvPlaceGadget(gadget);
    orvListElement(list).appendChild(element);
    element.addEventListener("focusin", function () {
        orvActiveGadget = gadget;
    });
    orvLastGadget = gadget;
    if (kind.created) kind.created(gadget);
    return result;
}

function orvListItemIndex(list) {
    if (list.item !== undefined) return list.item;
    return list.gadget.kind.currentItem ? list.gadget.kind.currentItem(list.gadget) : -1;
}

function orvReleaseGadget(gadget) {
    // Gadgets inside a container go with it.
    orvGadgetRegistry.All().forEach(function (child) {
        if (child.parent === gadget && !child.freed) orvGadgetRegistry.Free(child.number);
    });
    orvUnbindGadget(gadget.number);
    if (gadget.kind.release) gadget.kind.release(gadget);
    if (gadget.element && gadget.element.parentNode) gadget.element.parentNode.removeChild(gadget.element);
    orvGadgetLists = orvGadgetLists.filter(function (list) {
        return list.gadget !== gadget;
    });
    if (orvActiveGadget === gadget) orvActiveGadget = null;
    if (orvLastGadget === gadget) orvLastGadget = null;
}

// Checks an item index for the functions that read or change one item.
function orvItemIndex(gadget, index, count, name) {
    index = orvInt(index);
    if (index < 0 || index >= count) {
        orvError(name + "(): item index out of range: " + index + " (#Gadget " + gadget.number + " has " + count + " items).");
        return -1;
    }
    return index;
}

function orvCount(gadget) {
    return gadget.kind.count ? gadget.kind.count(gadget) : gadget.items ? gadget.items.length : 0;
}

function orvText1(value) {
    return value === undefined ? "" : orvText(value);
}

// The element of a gadget that takes the keyboard focus.
function orvFocusElement(gadget) {
    if (gadget.kind.focusElement) return gadget.kind.focusElement(gadget);
    return gadget.input || gadget.element;
}

// Focus and LostFocus events for the gadgets whose PureBasic counterparts send them.
function orvFocusEvents(gadget, element) {
    element.addEventListener("focus", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.Focus);
    });
    element.addEventListener("blur", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LostFocus);
    });
}

// A jQuery UI widget call when jQuery UI is there; tests without it still keep the state.
function orvUi(element, widget) {
    if (typeof jQuery === "undefined" || typeof jQuery.fn[widget] !== "function") return null;
    return jQuery(element);
}

// ---------------------------------------------------------------------------------------------
// Button and ButtonImage

var ORV_BUTTON_DEFAULT = 1;
var ORV_BUTTON_TOGGLE = 4096;
var ORV_BUTTON_LEFT = 256;
var ORV_BUTTON_RIGHT = 512;
var ORV_BUTTON_MULTILINE = 0x2000;

function orvBuildButton(gadget, text) {
    var button = orvElement("button", "orvane-button ui-button ui-widget ui-corner-all");
    button.type = "button";
    var label = orvElement("span", "orvane-label", button);
    label.textContent = text;
    gadget.element = button;
    gadget.input = button;
    gadget.label = label;
    gadget.text = text;
    gadget.state = 0;
    var flags = gadget.flags;
    gadget.toggle = (flags & ORV_BUTTON_TOGGLE) === ORV_BUTTON_TOGGLE;
    if ((flags & ORV_BUTTON_LEFT) === ORV_BUTTON_LEFT) button.classList.add("orvane-align-left");
    else if ((flags & ORV_BUTTON_RIGHT) === ORV_BUTTON_RIGHT) button.classList.add("orvane-align-right");
    if (flags & ORV_BUTTON_MULTILINE) button.classList.add("orvane-multiline");
    if (!gadget.toggle && (flags & ORV_BUTTON_DEFAULT)) {
        button.classList.add("orvane-default", "ui-priority-primary");
        gadget.window.defaultButton = gadget;
    }
    button.addEventListener("click", function () {
        if (gadget.toggle) orvSetButtonState(gadget, gadget.state ? 0 : 1);
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
}

function orvSetButtonState(gadget, state) {
    gadget.state = state ? 1 : 0;
    gadget.element.classList.toggle("ui-state-active", !!gadget.state);
    gadget.element.setAttribute("aria-pressed", gadget.state ? "true" : "false");
}

orvGadgetKinds[ORV_GADGET.Button] = {
    getText: function (g) {
        return g.text;
    },
    setText: function (g, text) {
        g.text = text;
        g.label.textContent = text;
    },
    getState: function (g) {
        return g.toggle ? g.state : 0;
    },
    setState: function (g, state) {
        if (g.toggle) orvSetButtonState(g, orvInt(state));
    },
    disable: function (g, state) {
        g.element.disabled = state;
        g.element.classList.toggle("ui-state-disabled", state);
    },
    release: function (g) {
        if (g.window.defaultButton === g) g.window.defaultButton = null;
    },
};

// The Return key in a window presses its default button, unless the key belongs to a gadget
// that uses it (an editor, a list).
if (typeof document !== "undefined" && document.addEventListener) {
    document.addEventListener("keydown", function (event) {
        if (event.key !== "Enter" || event.defaultPrevented) return;
        var target = event.target;
        if (!target || !target.closest) return;
        if (target.tagName === "TEXTAREA" || target.tagName === "BUTTON" || target.tagName === "SELECT") return;
        var content = target.closest(".orvane-window");
        if (!content) return;
        var win = orvWindowRegistry.All().filter(function (w) {
            return w.element === content;
        })[0];
        var button = win && win.defaultButton;
        if (button && !button.freed && !button.disabled && !button.hidden) {
            event.preventDefault();
            orvGadgetEvent(button, ORV_EVENTTYPE.LeftClick);
        }
    });
}

// ---------------------------------------------------------------------------------------------
// Text

orvGadgetKinds[ORV_GADGET.Text] = {
    getText: function (g) {
        return g.text;
    },
    setText: function (g, text) {
        g.text = text;
        g.element.textContent = text;
    },
};

function orvBuildText(gadget, text) {
    var element = orvElement("div", "orvane-text");
    element.textContent = text;
    gadget.element = element;
    gadget.text = text;
    if (gadget.flags & 1) element.classList.add("orvane-align-center");
    else if (gadget.flags & 2) element.classList.add("orvane-align-right");
    if (gadget.flags & 0x20000) element.classList.add("orvane-border", "ui-widget-content");
}

// ---------------------------------------------------------------------------------------------
// String

var ORV_STRING = { password: 32, readOnly: 0x800, numeric: 0x2000, lowerCase: 16, upperCase: 8, borderLess: 0x20000 };

function orvBuildString(gadget, text) {
    var flags = gadget.flags;
    var input = orvElement("input", "orvane-string ui-widget ui-widget-content ui-corner-all");
    input.type = flags & ORV_STRING.password ? "password" : "text";
    gadget.element = input;
    gadget.input = input;
    gadget.maxLength = 0;
    if (flags & ORV_STRING.readOnly) input.readOnly = true;
    if (flags & ORV_STRING.borderLess) input.classList.add("orvane-borderless");
    if (flags & ORV_STRING.numeric) input.inputMode = "numeric";
    input.value = orvStringInput(gadget, text);
    input.addEventListener("input", function () {
        var cleaned = orvStringInput(gadget, input.value);
        if (cleaned !== input.value) {
            var at = input.selectionStart - (input.value.length - cleaned.length);
            input.value = cleaned;
            input.setSelectionRange(Math.max(0, at), Math.max(0, at));
        }
        orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
    });
    orvFocusEvents(gadget, input);
}

// What a string gadget's flags make of a typed or set text.
function orvStringInput(gadget, text) {
    var flags = gadget.flags;
    if (flags & ORV_STRING.numeric) text = text.replace(/[^0-9]/g, "");
    if (flags & ORV_STRING.upperCase) text = text.toUpperCase();
    else if (flags & ORV_STRING.lowerCase) text = text.toLowerCase();
    if (gadget.maxLength > 0 && text.length > gadget.maxLength) text = text.slice(0, gadget.maxLength);
    return text;
}

orvGadgetKinds[ORV_GADGET.String] = {
    getText: function (g) {
        return g.input.value;
    },
    setText: function (g, text) {
        g.input.value = orvStringInput(g, text);
    },
    getAttribute: function (g, attribute) {
        return attribute === 1 ? g.maxLength : 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute !== 1) return;
        g.maxLength = Math.max(0, orvInt(value));
        if (g.maxLength) g.input.maxLength = g.maxLength;
        else g.input.removeAttribute("maxlength");
    },
    disable: function (g, state) {
        g.input.disabled = state;
    },
};

// ---------------------------------------------------------------------------------------------
// Editor: one item per line.

var ORV_EDITOR_READONLY = 0x800;
var ORV_EDITOR_WORDWRAP = 0x10000000;

function orvBuildEditor(gadget) {
    var area = orvElement("textarea", "orvane-editor ui-widget ui-widget-content ui-corner-all");
    gadget.element = area;
    gadget.input = area;
    area.spellcheck = false;
    area.readOnly = (gadget.flags & ORV_EDITOR_READONLY) !== 0;
    area.wrap = gadget.flags & ORV_EDITOR_WORDWRAP ? "soft" : "off";
    area.addEventListener("input", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
    });
    orvFocusEvents(gadget, area);
}

function orvEditorLines(g) {
    return g.input.value === "" ? [] : g.input.value.split("\n");
}

orvGadgetKinds[ORV_GADGET.Editor] = {
    // Lines end in Chr(13) + Chr(10), as on Windows.
    getText: function (g) {
        return g.input.value.replace(/\n/g, "\r\n");
    },
    setText: function (g, text) {
        g.input.value = text.replace(/\r\n?/g, "\n");
    },
    count: function (g) {
        return orvEditorLines(g).length;
    },
    addItem: function (g, position, text) {
        var lines = orvEditorLines(g);
        position = orvInt(position);
        if (position < 0 || position > lines.length) position = lines.length;
        lines.splice(position, 0, text.replace(/\r\n?/g, "\n"));
        g.input.value = lines.join("\n");
        return position;
    },
    removeItem: function (g, index) {
        var lines = orvEditorLines(g);
        lines.splice(index, 1);
        g.input.value = lines.join("\n");
    },
    clear: function (g) {
        g.input.value = "";
    },
    getItemText: function (g, index) {
        return orvEditorLines(g)[index];
    },
    setItemText: function (g, index, text) {
        var lines = orvEditorLines(g);
        lines[index] = text;
        g.input.value = lines.join("\n");
    },
    getAttribute: function (g, attribute) {
        if (attribute === 1) return g.input.readOnly ? 1 : 0;
        if (attribute === 2) return g.input.wrap === "soft" ? 1 : 0;
        return 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === 1) g.input.readOnly = !!orvInt(value);
        else if (attribute === 2) g.input.wrap = orvInt(value) ? "soft" : "off";
    },
    disable: function (g, state) {
        g.input.disabled = state;
    },
};

// ---------------------------------------------------------------------------------------------
// CheckBox and Option

var ORV_CHECKBOX_RIGHT = 512;
var ORV_CHECKBOX_CENTER = 0x300;
var ORV_CHECKBOX_THREESTATE = 5;

function orvBuildCheck(gadget, text, type) {
    var label = orvElement("label", "orvane-check");
    var box = orvElement("input", null);
    box.type = type;
    var caption = orvElement("span", "orvane-label");
    caption.textContent = text;
    var flags = gadget.flags;
    if (type === "checkbox" && (flags & ORV_CHECKBOX_CENTER) === ORV_CHECKBOX_CENTER) {
        label.classList.add("orvane-align-center");
    } else if (type === "checkbox" && (flags & ORV_CHECKBOX_RIGHT) === ORV_CHECKBOX_RIGHT) {
        label.classList.add("orvane-align-right");
    }
    label.appendChild(box);
    label.appendChild(caption);
    gadget.element = label;
    gadget.input = box;
    gadget.label = caption;
    gadget.text = text;
    gadget.threeState = type === "checkbox" && (flags & ORV_CHECKBOX_THREESTATE) === ORV_CHECKBOX_THREESTATE;
    if (gadget.threeState && typeof jQuery !== "undefined" && typeof jQuery.fn.tristate === "function") {
        // The three-state plugin cycles unchecked, checked, in between on each click.
        jQuery(box).tristate({
            change: function () {
                orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
            },
        });
        gadget.tristate = true;
        return;
    }
    box.addEventListener("click", function () {
        if (gadget.threeState) {
            // Unchecked, checked, in between, as the desktop's three-state box goes round.
            var state = gadget.state;
            orvSetCheckState(gadget, state === 0 ? 1 : state === 1 ? -1 : 0);
        } else {
            gadget.state = box.checked ? 1 : 0;
        }
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
    gadget.state = 0;
}

function orvCheckState(g) {
    if (g.tristate) {
        var value = jQuery(g.input).tristate("state");
        return value === null ? -1 : value ? 1 : 0;
    }
    if (g.type === ORV_GADGET.Option) return g.input.checked ? 1 : 0;
    return g.state;
}

function orvSetCheckState(g, state) {
    if (state === -1 && !g.threeState) state = 1;
    if (g.tristate) {
        jQuery(g.input).tristate("state", state === -1 ? null : !!state);
        return;
    }
    g.state = state === -1 ? -1 : state ? 1 : 0;
    g.input.checked = g.state === 1;
    g.input.indeterminate = g.state === -1;
}

var orvCheckKind = {
    getText: function (g) {
        return g.text;
    },
    setText: function (g, text) {
        g.text = text;
        g.label.textContent = text;
    },
    getState: orvCheckState,
    setState: function (g, state) {
        state = orvInt(state);
        if (g.type === ORV_GADGET.Option) g.input.checked = state !== 0;
        else orvSetCheckState(g, state);
    },
    disable: function (g, state) {
        g.input.disabled = state;
        g.element.classList.toggle("ui-state-disabled", state);
    },
};
orvGadgetKinds[ORV_GADGET.CheckBox] = orvCheckKind;
orvGadgetKinds[ORV_GADGET.Option] = orvCheckKind;

function orvBuildOption(gadget, text) {
    orvBuildCheck(gadget, text, "radio");
    var previous = orvLastGadget;
    if (previous && !previous.freed && previous.type === ORV_GADGET.Option && previous.window === gadget.window) {
        gadget.group = previous.group;
    } else {
        gadget.group = "orvane-option-" + ++orvOptionGroups;
    }
    gadget.input.name = gadget.group;
    gadget.input.addEventListener("click", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
}

// ---------------------------------------------------------------------------------------------
// ListView: items are rows of the gadget's own list; the selection is kept per item.

var ORV_LISTVIEW_MULTISELECT = 0x800;
var ORV_LISTVIEW_CLICKSELECT = 0x8;

function orvBuildListView(gadget) {
    var box = orvElement("div", "orvane-listview ui-widget ui-widget-content ui-corner-all");
    box.tabIndex = 0;
    box.setAttribute("role", "listbox");
    gadget.element = box;
    gadget.items = [];
    gadget.anchor = -1;
    gadget.multi = (gadget.flags & (ORV_LISTVIEW_MULTISELECT | ORV_LISTVIEW_CLICKSELECT)) !== 0;
    box.addEventListener("mousedown", function (event) {
        var index = orvRowIndex(gadget, event.target);
        if (index < 0 || event.button !== 0 || gadget.disabled) return;
        orvListClick(gadget, index, event);
    });
    box.addEventListener("click", function (event) {
        if (orvRowIndex(gadget, event.target) >= 0) orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
    box.addEventListener("dblclick", function (event) {
        if (orvRowIndex(gadget, event.target) >= 0) orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftDoubleClick);
    });
    box.addEventListener("contextmenu", function (event) {
        var index = orvRowIndex(gadget, event.target);
        if (index < 0) return;
        event.preventDefault();
        if (!gadget.items[index].selected) orvListClick(gadget, index, {});
        orvGadgetEvent(gadget, ORV_EVENTTYPE.RightClick);
    });
    box.addEventListener("keydown", function (event) {
        var count = gadget.items.length;
        if (!count || gadget.disabled) return;
        var current = gadget.anchor;
        var next = -1;
        if (event.key === "ArrowDown") next = Math.min(count - 1, current + 1);
        else if (event.key === "ArrowUp") next = Math.max(0, current - 1);
        else if (event.key === "Home") next = 0;
        else if (event.key === "End") next = count - 1;
        if (next < 0) return;
        event.preventDefault();
        orvListClick(gadget, next, { shiftKey: event.shiftKey });
        orvShowRow(gadget, next);
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
}

function orvRowIndex(gadget, target) {
    var row = target && target.closest ? target.closest(".orvane-row") : null;
    if (!row || row.parentNode !== gadget.element) return -1;
    return Array.prototype.indexOf.call(gadget.element.children, row);
}

function orvSelectRow(gadget, index, selected) {
    var item = gadget.items[index];
    item.selected = selected;
    var row = gadget.element.children[index];
    row.classList.toggle("ui-state-highlight", selected);
    row.setAttribute("aria-selected", selected ? "true" : "false");
}

function orvClearSelection(gadget) {
    for (var i = 0; i < gadget.items.length; i++) if (gadget.items[i].selected) orvSelectRow(gadget, i, false);
}

// A click on a row: one selection, or with multi-select the control and shift keys (click-select
// lists toggle the row on every click).
function orvListClick(gadget, index, event) {
    if (gadget.flags & ORV_LISTVIEW_CLICKSELECT) {
        orvSelectRow(gadget, index, !gadget.items[index].selected);
    } else if (gadget.multi && event.shiftKey && gadget.anchor >= 0) {
        orvClearSelection(gadget);
        var from = Math.min(gadget.anchor, index);
        var to = Math.max(gadget.anchor, index);
        for (var i = from; i <= to; i++) orvSelectRow(gadget, i, true);
        return;
    } else if (gadget.multi && (event.ctrlKey || event.metaKey)) {
        orvSelectRow(gadget, index, !gadget.items[index].selected);
    } else {
        orvClearSelection(gadget);
        orvSelectRow(gadget, index, true);
    }
    gadget.anchor = index;
}

function orvShowRow(gadget, index) {
    var row = gadget.element.children[index];
    if (row && row.scrollIntoView) row.scrollIntoView({ block: "nearest" });
}

function orvListState(g) {
    if (g.anchor >= 0 && g.anchor < g.items.length && g.items[g.anchor].selected) return g.anchor;
    for (var i = 0; i < g.items.length; i++) if (g.items[i].selected) return i;
    return -1;
}

orvGadgetKinds[ORV_GADGET.ListView] = {
    addItem: function (g, position, text) {
        var count = g.items.length;
        position = orvInt(position);
        if (position < 0 || position > count) position = count;
        var row = document.createElement("div");
        row.className = "orvane-row";
        row.setAttribute("role", "option");
        row.textContent = text;
        g.items.splice(position, 0, { text: text, data: 0, selected: false });
        g.element.insertBefore(row, position < count ? g.element.children[position] : null);
        if (position <= g.anchor) g.anchor++;
        return position;
    },
    removeItem: function (g, index) {
        g.items.splice(index, 1);
        g.element.removeChild(g.element.children[index]);
        if (g.anchor === index) g.anchor = -1;
        else if (g.anchor > index) g.anchor--;
    },
    clear: function (g) {
        g.items = [];
        g.element.textContent = "";
        g.anchor = -1;
    },
    getItemText: function (g, index) {
        return g.items[index].text;
    },
    setItemText: function (g, index, text) {
        g.items[index].text = text;
        g.element.children[index].textContent = text;
    },
    getItemState: function (g, index) {
        return g.items[index].selected ? 1 : 0;
    },
    setItemState: function (g, index, state) {
        if (!g.multi && orvInt(state)) orvClearSelection(g);
        orvSelectRow(g, index, !!orvInt(state));
        if (orvInt(state)) g.anchor = index;
    },
    getState: orvListState,
    setState: function (g, state) {
        state = orvInt(state);
        orvClearSelection(g);
        if (state >= 0 && state < g.items.length) {
            orvSelectRow(g, state, true);
            g.anchor = state;
            orvShowRow(g, state);
        } else {
            g.anchor = -1;
        }
    },
    getText: function (g) {
        var index = orvListState(g);
        return index >= 0 ? g.items[index].text : "";
    },
    // Selects the item with exactly this text.
    setText: function (g, text) {
        for (var i = 0; i < g.items.length; i++) {
            if (g.items[i].text === text) {
                orvGadgetKinds[ORV_GADGET.ListView].setState(g, i);
                return;
            }
        }
    },
    disable: function (g, state) {
        g.element.classList.toggle("ui-state-disabled", state);
    },
};

// ---------------------------------------------------------------------------------------------
// Container

var ORV_CONTAINER_BORDERS = { 1: "orvane-flat", 2: "orvane-raised", 4: "orvane-single", 8: "orvane-double" };

function orvBuildContainer(gadget) {
    var box = orvElement("div", "orvane-container");
    var border = ORV_CONTAINER_BORDERS[gadget.flags & 15];
    if (border) box.classList.add(border, "ui-widget-content");
    gadget.element = box;
    gadget.content = box;
}

orvGadgetKinds[ORV_GADGET.Container] = {
    container: true,
    listElement: function (g) {
        return g.content;
    },
};

// ---------------------------------------------------------------------------------------------
// Canvas: a canvas element with the mouse and keyboard events of PureBasic's canvas gadget.
// Drawing on it is the 2D drawing library's part; it finds the element as gadget.canvas.

var ORV_CANVAS_BORDER = 1;
var ORV_CANVAS_KEYBOARD = 4;
var ORV_CANVAS_CONTAINER = 32;
var ORV_CANVAS_ATTRIBUTE = { image: 1, mouseX: 2, mouseY: 3, buttons: 4, key: 5, modifiers: 6, cursor: 7, wheelDelta: 8, input: 9, clip: 10, customCursor: 11 };
var ORV_CURSORS = ["default", "crosshair", "text", "pointer", "wait", "not-allowed", "move", "ew-resize", "ns-resize", "nwse-resize", "nesw-resize", "none"];

function orvBuildCanvas(gadget) {
    var box = orvElement("div", "orvane-canvas");
    var canvas = orvElement("canvas", null, box);
    gadget.element = box;
    gadget.canvas = canvas;
    gadget.cursor = 0;
    gadget.border = gadget.flags & ORV_CANVAS_BORDER ? 1 : 0;
    if (gadget.border) box.classList.add("orvane-border");
    // What the last event saw; each event keeps its own copy for the program.
    gadget.mouse = { x: 0, y: 0, buttons: 0, modifiers: 0, key: 0, input: 0, wheel: 0 };
    orvSizeCanvas(gadget, false);
    if (gadget.flags & ORV_CANVAS_CONTAINER) {
        gadget.content = orvElement("div", "orvane-canvas-content", box);
    }
    var post = function (type, event, change) {
        var mouse = gadget.mouse;
        if (event && "clientX" in event) {
            var rect = canvas.getBoundingClientRect();
            mouse.x = Math.floor(event.clientX - rect.left);
            mouse.y = Math.floor(event.clientY - rect.top);
        }
        if (event) mouse.modifiers = (event.shiftKey ? 1 : 0) | (event.altKey ? 2 : 0) | (event.ctrlKey || event.metaKey ? 4 : 0);
        mouse.wheel = 0;
        mouse.input = 0;
        if (change) change(mouse);
        orvGadgetEvent(gadget, type, Object.assign({}, mouse));
    };
    var buttonBit = function (button) {
        return button === 0 ? 1 : button === 2 ? 2 : button === 1 ? 4 : 0;
    };
    var downTypes = [ORV_EVENTTYPE.LeftButtonDown, ORV_EVENTTYPE.MiddleButtonDown, ORV_EVENTTYPE.RightButtonDown];
    var upTypes = [ORV_EVENTTYPE.LeftButtonUp, ORV_EVENTTYPE.MiddleButtonUp, ORV_EVENTTYPE.RightButtonUp];
    canvas.addEventListener("mouseenter", function (event) {
        post(ORV_EVENTTYPE.MouseEnter, event);
    });
    canvas.addEventListener("mouseleave", function (event) {
        if (!gadget.mouse.buttons) post(ORV_EVENTTYPE.MouseLeave, event);
    });
    canvas.addEventListener("pointermove", function (event) {
        post(ORV_EVENTTYPE.MouseMove, event);
    });
    canvas.addEventListener("pointerdown", function (event) {
        if (event.button > 2) return;
        // The gadget keeps the mouse while a button is down, as the desktop's canvas does.
        if (canvas.setPointerCapture && event.pointerId !== undefined) {
            try {
                canvas.setPointerCapture(event.pointerId);
            } catch (error) {
                // A synthetic pointer cannot be captured; the events still come.
            }
        }
        if (gadget.flags & ORV_CANVAS_KEYBOARD) box.focus();
        post(downTypes[event.button], event, function (mouse) {
            mouse.buttons |= buttonBit(event.button);
        });
    });
    canvas.addEventListener("pointerup", function (event) {
        if (event.button > 2) return;
        post(upTypes[event.button], event, function (mouse) {
            mouse.buttons &= ~buttonBit(event.button);
        });
    });
    canvas.addEventListener("click", function (event) {
        if (event.button === 0) post(ORV_EVENTTYPE.LeftClick, event);
    });
    canvas.addEventListener("dblclick", function (event) {
        if (event.button === 0) post(ORV_EVENTTYPE.LeftDoubleClick, event);
    });
    canvas.addEventListener("contextmenu", function (event) {
        event.preventDefault();
        post(ORV_EVENTTYPE.RightClick, event);
    });
    canvas.addEventListener("wheel", function (event) {
        event.preventDefault();
        var steps = event.deltaY === 0 ? 0 : event.deltaY < 0 ? 1 : -1;
        if (!steps) return;
        post(ORV_EVENTTYPE.MouseWheel, event, function (mouse) {
            mouse.wheel = steps;
        });
    });
    if (gadget.flags & ORV_CANVAS_KEYBOARD) {
        box.tabIndex = 0;
        box.addEventListener("keydown", function (event) {
            if (event.target !== box) return;
            if (event.key === "Tab") return;
            event.preventDefault();
            post(ORV_EVENTTYPE.KeyDown, event, function (mouse) {
                mouse.key = orvShortcutKey(event);
            });
            if (event.key && event.key.length === 1 && !event.ctrlKey && !event.metaKey && !event.altKey) {
                post(ORV_EVENTTYPE.Input, event, function (mouse) {
                    mouse.input = event.key.codePointAt(0);
                });
            }
        });
        box.addEventListener("keyup", function (event) {
            if (event.target !== box) return;
            post(ORV_EVENTTYPE.KeyUp, event, function (mouse) {
                mouse.key = orvShortcutKey(event);
            });
        });
        orvFocusEvents(gadget, box);
    }
}

// The #PB_Shortcut_ value of a key: Windows' virtual key codes, which browsers give as keyCode
// for the keys a canvas sees.
function orvShortcutKey(event) {
    if (event.keyCode) return event.keyCode;
    var key = event.key || "";
    if (key.length === 1) return key.toUpperCase().charCodeAt(0);
    var named = { Enter: 13, Escape: 27, Backspace: 8, Tab: 9, " ": 32, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Delete: 46, Insert: 45, Home: 36, End: 35, PageUp: 33, PageDown: 34, Shift: 16, Control: 17, Alt: 18 };
    return named[key] || 0;
}

// The drawing area is the gadget less its border; a resize keeps what was drawn.
function orvSizeCanvas(gadget, keep) {
    var canvas = gadget.canvas;
    var width = Math.max(0, gadget.width - 2 * gadget.border);
    var height = Math.max(0, gadget.height - 2 * gadget.border);
    if (canvas.width === width && canvas.height === height && keep) return;
    var old = null;
    if (keep && canvas.width && canvas.height && canvas.getContext) {
        old = document.createElement("canvas");
        old.width = canvas.width;
        old.height = canvas.height;
        var copy = old.getContext && old.getContext("2d");
        if (copy) copy.drawImage(canvas, 0, 0);
        else old = null;
    }
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = width + "px";
    canvas.style.height = height + "px";
    var context = canvas.getContext ? canvas.getContext("2d") : null;
    if (!context) return;
    context.fillStyle = "#ffffff";
    context.fillRect(0, 0, width, height);
    if (old) context.drawImage(old, 0, 0);
}

// The mouse and keyboard state of the event being handled when it belongs to this canvas, else
// of the last event the canvas saw.
function orvCanvasState(g) {
    var detail = orvCurrentEvent.detail;
    if (orvCurrentEvent.event === ORV_EVENT_GADGET && orvCurrentEvent.object === g.number && detail) return detail;
    return g.mouse;
}

orvGadgetKinds[ORV_GADGET.Canvas] = {
    container: true,
    listElement: function (g) {
        return g.content || g.element;
    },
    getAttribute: function (g, attribute) {
        var state = orvCanvasState(g);
        switch (attribute) {
            case ORV_CANVAS_ATTRIBUTE.mouseX:
                return state.x;
            case ORV_CANVAS_ATTRIBUTE.mouseY:
                return state.y;
            case ORV_CANVAS_ATTRIBUTE.buttons:
                return state.buttons;
            case ORV_CANVAS_ATTRIBUTE.modifiers:
                return state.modifiers;
            case ORV_CANVAS_ATTRIBUTE.key:
                return state.key;
            case ORV_CANVAS_ATTRIBUTE.input:
                return state.input;
            case ORV_CANVAS_ATTRIBUTE.wheelDelta:
                return state.wheel;
            case ORV_CANVAS_ATTRIBUTE.cursor:
                return g.cursor;
            case ORV_CANVAS_ATTRIBUTE.image:
                return typeof orvImageOfCanvas === "function" ? orvImageOfCanvas(g.canvas) : 0;
        }
        return 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === ORV_CANVAS_ATTRIBUTE.cursor) {
            g.cursor = orvInt(value);
            g.canvas.style.cursor = ORV_CURSORS[g.cursor] || "default";
        } else if (attribute === ORV_CANVAS_ATTRIBUTE.image) {
            var source = typeof orvImageCanvas === "function" ? orvImageCanvas(value) : null;
            var context = g.canvas.getContext ? g.canvas.getContext("2d") : null;
            if (source && context) context.drawImage(source, 0, 0);
        }
    },
    resize: function (g) {
        orvSizeCanvas(g, true);
    },
    focusElement: function (g) {
        return g.element;
    },
};

// ---------------------------------------------------------------------------------------------
// The Gadget library's functions.

// Calls a kind's function for an existing gadget; fallback when the kind has none.
function orvKindCall(number, name, fallback, args) {
    var gadget = orvGadgetOf(number);
    if (!gadget) return fallback;
    var action = gadget.kind[name];
    if (!action) return fallback;
    return action.apply(null, [gadget].concat(args || []));
}

// The same for the functions that name an item: the index is checked first.
function orvItemCall(number, index, name, fallback, args, caller) {
    var gadget = orvGadgetOf(number);
    if (!gadget) return fallback;
    var action = gadget.kind[name];
    if (!action) return fallback;
    index = orvItemIndex(gadget, index, orvCount(gadget), caller);
    if (index < 0) return fallback;
    return action.apply(null, [gadget, index].concat(args || []));
}

var orvColorTypes = { 1: "color", 2: "backgroundColor" };

var cGadget = (global.cGadget = {
    ButtonGadget: function (number, x, y, width, height, text, flags) {
        return orvCreateGadget(number, ORV_GADGET.Button, x, y, width, height, flags, function (g) {
            orvBuildButton(g, orvText1(text));
        });
    },
    TextGadget: function (number, x, y, width, height, text, flags) {
        return orvCreateGadget(number, ORV_GADGET.Text, x, y, width, height, flags, function (g) {
            orvBuildText(g, orvText1(text));
        });
    },
    StringGadget: function (number, x, y, width, height, text, flags) {
        return orvCreateGadget(number, ORV_GADGET.String, x, y, width, height, flags, function (g) {
            orvBuildString(g, orvText1(text));
        });
    },
    EditorGadget: function (number, x, y, width, height, flags) {
        return orvCreateGadget(number, ORV_GADGET.Editor, x, y, width, height, flags, orvBuildEditor);
    },
    CheckBoxGadget: function (number, x, y, width, height, text, flags) {
        return orvCreateGadget(number, ORV_GADGET.CheckBox, x, y, width, height, flags, function (g) {
            orvBuildCheck(g, orvText1(text), "checkbox");
        });
    },
    OptionGadget: function (number, x, y, width, height, text) {
        return orvCreateGadget(number, ORV_GADGET.Option, x, y, width, height, 0, function (g) {
            orvBuildOption(g, orvText1(text));
        });
    },
    ListViewGadget: function (number, x, y, width, height, flags) {
        return orvCreateGadget(number, ORV_GADGET.ListView, x, y, width, height, flags, orvBuildListView);
    },
    // Gadgets created after a container go into it until CloseGadgetList.
    ContainerGadget: function (number, x, y, width, height, flags) {
        return orvCreateContainer(number, ORV_GADGET.Container, x, y, width, height, flags, orvBuildContainer);
    },
    CanvasGadget: function (number, x, y, width, height, flags) {
        if (orvInt(flags) & ORV_CANVAS_CONTAINER) {
            return orvCreateContainer(number, ORV_GADGET.Canvas, x, y, width, height, flags, orvBuildCanvas);
        }
        return orvCreateGadget(number, ORV_GADGET.Canvas, x, y, width, height, flags, orvBuildCanvas);
    },

    SetGadgetText: function (number, text) {
        orvKindCall(number, "setText", undefined, [orvText1(text)]);
    },
    GetGadgetText: function (number) {
        return orvKindCall(number, "getText", "");
    },
    SetGadgetState: function (number, state) {
        orvKindCall(number, "setState", undefined, [state]);
    },
    GetGadgetState: function (number) {
        return orvKindCall(number, "getState", 0);
    },
    // Position -1 (or beyond the end) adds at the end. Returns the new item's index.
    AddGadgetItem: function (number, position, text, image, flags) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return -1;
        if (!gadget.kind.addItem) return -1;
        return gadget.kind.addItem(gadget, position, orvText1(text), image, flags);
    },
    RemoveGadgetItem: function (number, index) {
        orvItemCall(number, index, "removeItem", undefined, [], "RemoveGadgetItem");
    },
    ClearGadgetItems: function (number) {
        orvKindCall(number, "clear");
    },
    CountGadgetItems: function (number) {
        var gadget = orvGadgetOf(number);
        return gadget ? orvCount(gadget) : 0;
    },
    GetGadgetItemText: function (number, index, column) {
        return orvItemCall(number, index, "getItemText", "", [orvInt(column)], "GetGadgetItemText");
    },
    SetGadgetItemText: function (number, index, text, column) {
        orvItemCall(number, index, "setItemText", undefined, [orvText1(text), orvInt(column)], "SetGadgetItemText");
    },
    GetGadgetItemState: function (number, index) {
        return orvItemCall(number, index, "getItemState", 0, [], "GetGadgetItemState");
    },
    SetGadgetItemState: function (number, index, state) {
        orvItemCall(number, index, "setItemState", undefined, [state], "SetGadgetItemState");
    },
    SetGadgetItemData: function (number, index, value) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return;
        if (gadget.kind.setItemData) {
            orvItemCall(number, index, "setItemData", undefined, [value], "SetGadgetItemData");
            return;
        }
        if (!gadget.items) return;
        index = orvItemIndex(gadget, index, gadget.items.length, "SetGadgetItemData");
        if (index >= 0) gadget.items[index].data = value;
    },
    GetGadgetItemData: function (number, index) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return 0;
        if (gadget.kind.getItemData) return orvItemCall(number, index, "getItemData", 0, [], "GetGadgetItemData");
        if (!gadget.items) return 0;
        index = orvItemIndex(gadget, index, gadget.items.length, "GetGadgetItemData");
        return index >= 0 ? gadget.items[index].data : 0;
    },
    SetGadgetData: function (number, value) {
        var gadget = orvGadgetOf(number);
        if (gadget) gadget.data = value;
    },
    GetGadgetData: function (number) {
        var gadget = orvGadgetOf(number);
        return gadget ? gadget.data : 0;
    },
    SetGadgetAttribute: function (number, attribute, value) {
        orvKindCall(number, "setAttribute", undefined, [orvInt(attribute), value]);
    },
    GetGadgetAttribute: function (number, attribute) {
        return orvKindCall(number, "getAttribute", 0, [orvInt(attribute)]);
    },
    SetGadgetItemAttribute: function (number, index, attribute, value, column) {
        orvKindCall(number, "setItemAttribute", undefined, [orvInt(index), orvInt(attribute), value, orvInt(column)]);
    },
    GetGadgetItemAttribute: function (number, index, attribute, column) {
        return orvKindCall(number, "getItemAttribute", 0, [orvInt(index), orvInt(attribute), orvInt(column)]);
    },

    // Front colour is the text, back colour the background; #PB_Default (-1) restores the theme's.
    SetGadgetColor: function (number, type, color) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return;
        type = orvInt(type);
        color = orvInt(color);
        if (color === -1) delete gadget.colors[type];
        else gadget.colors[type] = color;
        if (gadget.kind.setColor && gadget.kind.setColor(gadget, type, color)) return;
        var property = orvColorTypes[type];
        if (!property) return;
        var target = gadget.kind.colorElement ? gadget.kind.colorElement(gadget) : gadget.input || gadget.element;
        target.style[property] = color === -1 ? "" : orvCssColor(color);
        if (type === 2) target.style.backgroundImage = color === -1 ? "" : "none";
    },
    GetGadgetColor: function (number, type) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return 0;
        var color = gadget.colors[orvInt(type)];
        return color === undefined ? -1 : color;
    },

    DisableGadget: function (number, state) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return;
        gadget.disabled = !!orvInt(state);
        gadget.element.classList.toggle("orvane-disabled", gadget.disabled);
        if (gadget.kind.disable) gadget.kind.disable(gadget, gadget.disabled);
        else gadget.element.classList.toggle("ui-state-disabled", gadget.disabled);
    },
    HideGadget: function (number, state) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return;
        gadget.hidden = !!orvInt(state);
        gadget.element.style.display = gadget.hidden ? "none" : "";
    },
    ResizeGadget: function (number, x, y, width, height) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return;
        var values = [orvInt(x), orvInt(y), orvInt(width), orvInt(height)];
        if ((values[2] < 0 && values[2] !== ORV_IGNORE) || (values[3] < 0 && values[3] !== ORV_IGNORE)) {
            orvError("ResizeGadget(): the width and height can't be negative (" + values[2] + ", " + values[3] + ").");
            return;
        }
        var sized = false;
        if (values[0] !== ORV_IGNORE) gadget.x = values[0];
        if (values[1] !== ORV_IGNORE) gadget.y = values[1];
        if (values[2] !== ORV_IGNORE && values[2] !== gadget.width) {
            gadget.width = values[2];
            sized = true;
        }
        if (values[3] !== ORV_IGNORE && values[3] !== gadget.height) {
            gadget.height = values[3];
            sized = true;
        }
        orvPlaceGadget(gadget);
        if (sized && gadget.kind.resize) gadget.kind.resize(gadget);
        if (sized && gadget.type === ORV_GADGET.Canvas) orvGadgetEvent(gadget, ORV_EVENTTYPE.Resize);
    },
    // Mode #PB_Gadget_WindowCoordinate (2) counts from the window's inner area, mode
    // #PB_Gadget_ScreenCoordinate (1) from the page.
    GadgetX: function (number, mode) {
        return orvGadgetPosition(number, mode, "x");
    },
    GadgetY: function (number, mode) {
        return orvGadgetPosition(number, mode, "y");
    },
    // Mode #PB_Gadget_RequiredSize (1): the size the content needs.
    GadgetWidth: function (number, mode) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return 0;
        if (orvInt(mode) === 1) return orvRequiredSize(gadget, "width");
        return gadget.width;
    },
    GadgetHeight: function (number, mode) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return 0;
        if (orvInt(mode) === 1) return orvRequiredSize(gadget, "height");
        return gadget.height;
    },
    GadgetType: function (number) {
        var gadget = orvGadgetOf(number);
        return gadget ? gadget.type : 0;
    },
    FreeGadget: function (number) {
        if (orvInt(number) === -1) {
            orvGadgetRegistry.All().forEach(function (gadget) {
                if (!gadget.freed) orvGadgetRegistry.Free(gadget.number);
            });
            return;
        }
        if (orvGadgetOf(number)) orvGadgetRegistry.Free(number);
    },
    IsGadget: function (number) {
        return orvGadgetRegistry.Is(number);
    },
    GadgetID: function (number) {
        var gadget = orvGadgetOf(number);
        return gadget ? orvHandle(gadget) : 0;
    },
    SetActiveGadget: function (number) {
        if (orvInt(number) === -1) {
            if (document.activeElement && document.activeElement.blur) document.activeElement.blur();
            return;
        }
        var gadget = orvGadgetOf(number);
        if (!gadget) return;
        var element = orvFocusElement(gadget);
        if (element && element.focus) element.focus();
        orvActiveGadget = gadget;
    },
    GetActiveGadget: function () {
        var active = typeof document !== "undefined" ? document.activeElement : null;
        var element = active && active.closest ? active.closest(".orvane-gadget") : null;
        if (!element) return -1;
        var number = Number(element.getAttribute("data-gadget"));
        var gadget = orvGadgetRegistry.Find(number);
        return gadget && gadget.element === element ? number : -1;
    },
    GadgetToolTip: function (number, text) {
        var gadget = orvGadgetOf(number);
        if (gadget) gadget.element.title = orvText1(text);
    },

    OpenGadgetList: function (number, item) {
        var gadget = orvGadgetOf(number);
        if (!gadget) return;
        if (!gadget.kind.container) {
            orvError("OpenGadgetList(): #Gadget " + gadget.number + " is not a container gadget.");
            return;
        }
        if (gadget.window.freed) return;
        orvGadgetLists.push({ window: gadget.window, element: null, gadget: gadget, item: item === undefined ? undefined : orvInt(item) });
        orvLastGadget = null;
    },
    CloseGadgetList: function () {
        if (orvGadgetLists.length > 1) orvGadgetLists.pop();
        orvLastGadget = null;
    },
    // Makes a window's gadget list the current one; returns the WindowID of the one before.
    UseGadgetList: function (windowId) {
        var current = orvGadgetLists.length ? orvHandle(orvGadgetLists[0].window) : 0;
        if (!orvInt(windowId)) return current;
        var win = orvWindowOfId(windowId);
        if (!win) {
            orvError("UseGadgetList(): the WindowID is not a valid window.");
            return current;
        }
        orvUseWindowGadgetList(win);
        return current;
    },

    AddGadgetColumn: function (number, position, title, width) {
        orvKindCall(number, "addColumn", undefined, [orvInt(position), orvText1(title), orvInt(width)]);
    },
    RemoveGadgetColumn: function (number, column) {
        orvKindCall(number, "removeColumn", undefined, [orvInt(column)]);
    },

    BindGadgetEvent: function (number, callback, type) {
        orvBindGadgetEvent(number, callback, type);
    },
    UnbindGadgetEvent: function (number, callback, type) {
        orvUnbindGadgetEvent(number, callback, type);
    },
});

function orvCreateContainer(number, type, x, y, width, height, flags, build) {
    var result = orvCreateGadget(number, type, x, y, width, height, flags, build);
    if (!result) return result;
    var gadget = orvGadgetRegistry.Find(orvInt(number) === -1 ? result : number);
    if (gadget) {
        orvGadgetLists.push({ window: gadget.window, element: null, gadget: gadget, item: undefined });
        orvLastGadget = null;
    }
    return result;
}

function orvGadgetPosition(number, mode, axis) {
    var gadget = orvGadgetOf(number);
    if (!gadget) return 0;
    mode = orvInt(mode);
    if (mode === 1) {
        var box = gadget.element.getBoundingClientRect();
        return Math.round(axis === "x" ? box.left + window.scrollX : box.top + window.scrollY);
    }
    var value = gadget[axis];
    if (mode === 2) {
        for (var parent = gadget.parent; parent; parent = parent.parent) value += parent[axis] + (parent.kind.offset ? parent.kind.offset(parent, axis) : 0);
    }
    return value;
}

function orvRequiredSize(gadget, dimension) {
    var element = gadget.element;
    var measured = dimension === "width" ? element.scrollWidth : element.scrollHeight;
    if (!measured) return gadget[dimension];
    if (dimension === "width" && gadget.label) {
        // A label's natural width, not the width the gadget gives it.
        var saved = element.style.width;
        element.style.width = "auto";
        element.style.whiteSpace = "nowrap";
        measured = Math.ceil(element.getBoundingClientRect().width);
        element.style.width = saved;
        element.style.whiteSpace = "";
    }
    return measured;
}

// Constants of the Gadget library with PureBasic's values (Windows values where the systems
// differ): gadget types, flags, attributes, item states, cursors, and the shortcut keys that
// canvas and shortcut gadgets report.
orvAddConstants({
    PB_GadgetType_Unknown: 0,
    PB_GadgetType_Button: 1,
    PB_GadgetType_String: 2,
    PB_GadgetType_Text: 3,
    PB_GadgetType_CheckBox: 4,
    PB_GadgetType_Option: 5,
    PB_GadgetType_ListView: 6,
    PB_GadgetType_Frame: 7,
    PB_GadgetType_ComboBox: 8,
    PB_GadgetType_Image: 9,
    PB_GadgetType_HyperLink: 10,
    PB_GadgetType_Container: 11,
    PB_GadgetType_ListIcon: 12,
    PB_GadgetType_IPAddress: 13,
    PB_GadgetType_ProgressBar: 14,
    PB_GadgetType_ScrollBar: 15,
    PB_GadgetType_ScrollArea: 16,
    PB_GadgetType_TrackBar: 17,
    PB_GadgetType_Web: 18,
    PB_GadgetType_ButtonImage: 19,
    PB_GadgetType_Calendar: 20,
    PB_GadgetType_Date: 21,
    PB_GadgetType_Editor: 22,
    PB_GadgetType_ExplorerList: 23,
    PB_GadgetType_ExplorerTree: 24,
    PB_GadgetType_ExplorerCombo: 25,
    PB_GadgetType_Spin: 26,
    PB_GadgetType_Tree: 27,
    PB_GadgetType_Panel: 28,
    PB_GadgetType_Splitter: 29,
    PB_GadgetType_MDI: 30,
    PB_GadgetType_Scintilla: 31,
    PB_GadgetType_Shortcut: 32,
    PB_GadgetType_Canvas: 33,
    PB_Gadget_FrontColor: 1,
    PB_Gadget_BackColor: 2,
    PB_Gadget_LineColor: 3,
    PB_Gadget_TitleFrontColor: 4,
    PB_Gadget_TitleBackColor: 5,
    PB_Gadget_GrayTextColor: 6,
    PB_ProgressBar_Unknown: -1,
    PB_Gadget_ContainerCoordinate: 0,
    PB_Gadget_ScreenCoordinate: 1,
    PB_Gadget_WindowCoordinate: 2,
    PB_Gadget_ActualSize: 0,
    PB_Gadget_RequiredSize: 1,
    PB_Checkbox_Checked: 1,
    PB_Checkbox_Unchecked: 0,
    PB_Checkbox_Inbetween: -1,
    PB_ListIcon_DisplayMode: 2,
    PB_ListIcon_ColumnCount: 3,
    PB_ListIcon_ClickedColumn: 4,
    PB_ListIcon_ColumnWidth: 1,
    PB_ListIcon_ColumnAlignment: 5,
    PB_ListIcon_Left: 0,
    PB_ListIcon_Right: 1,
    PB_ListIcon_Center: 2,
    PB_ListIcon_Selected: 1,
    PB_ListIcon_Checked: 2,
    PB_ListIcon_Inbetween: 4,
    PB_ListIcon_LargeIcon: 0,
    PB_ListIcon_SmallIcon: 1,
    PB_ListIcon_List: 2,
    PB_ListIcon_Report: 3,
    PB_Container_BorderLess: 0,
    PB_Container_Flat: 1,
    PB_Container_Raised: 2,
    PB_Container_Single: 4,
    PB_Container_Double: 8,
    PB_HyperLink_Underline: 1,
    PB_Panel_ItemWidth: 1,
    PB_Panel_ItemHeight: 2,
    PB_Panel_TabHeight: 3,
    PB_ScrollArea_Flat: 1,
    PB_ScrollArea_Raised: 2,
    PB_ScrollArea_Single: 4,
    PB_ScrollArea_BorderLess: 8,
    PB_ScrollArea_Center: 16,
    PB_ScrollArea_InnerWidth: 1,
    PB_ScrollArea_InnerHeight: 2,
    PB_ScrollArea_X: 3,
    PB_ScrollArea_Y: 4,
    PB_ScrollArea_ScrollStep: 5,
    PB_ScrollBar_Vertical: 1,
    PB_ScrollBar_Minimum: 1,
    PB_ScrollBar_Maximum: 2,
    PB_ScrollBar_PageLength: 3,
    PB_Splitter_Vertical: 1,
    PB_Splitter_Separator: 2,
    PB_Splitter_FirstFixed: 4,
    PB_Splitter_SecondFixed: 8,
    PB_Splitter_FirstMinimumSize: 1,
    PB_Splitter_SecondMinimumSize: 2,
    PB_Splitter_FirstGadget: 3,
    PB_Splitter_SecondGadget: 4,
    PB_TrackBar_Ticks: 1,
    PB_TrackBar_Vertical: 2,
    PB_TrackBar_Minimum: 1,
    PB_TrackBar_Maximum: 2,
    PB_Frame_Double: 1,
    PB_Frame_Single: 2,
    PB_Frame_Flat: 3,
    PB_Frame_Container: 8,
    PB_String_MaximumLength: 1,
    PB_Web_Back: 1,
    PB_Web_Forward: 2,
    PB_Web_Stop: 3,
    PB_Web_Refresh: 4,
    PB_Web_HtmlCode: 1,
    PB_Web_PageTitle: 2,
    PB_Web_StatusMessage: 3,
    PB_Web_SelectedText: 4,
    PB_Web_BlockPopups: 1,
    PB_Web_BlockPopupMenu: 2,
    PB_Web_NavigationCallback: 3,
    PB_Web_Progress: 4,
    PB_Web_ProgressMax: 5,
    PB_Web_Busy: 6,
    PB_Web_ScrollX: 7,
    PB_Web_ScrollY: 8,
    PB_Canvas_Border: 1,
    PB_Canvas_Keyboard: 4,
    PB_Canvas_DrawFocus: 12,
    PB_Canvas_Container: 32,
    PB_Canvas_Image: 1,
    PB_Canvas_MouseX: 2,
    PB_Canvas_MouseY: 3,
    PB_Canvas_Buttons: 4,
    PB_Canvas_Key: 5,
    PB_Canvas_Modifiers: 6,
    PB_Canvas_Cursor: 7,
    PB_Canvas_WheelDelta: 8,
    PB_Canvas_Input: 9,
    PB_Canvas_Shift: 1,
    PB_Canvas_Alt: 2,
    PB_Canvas_Control: 4,
    PB_Canvas_Command: 4,
    PB_Canvas_LeftButton: 1,
    PB_Canvas_RightButton: 2,
    PB_Canvas_MiddleButton: 4,
    PB_Cursor_Default: 0,
    PB_Cursor_Cross: 1,
    PB_Cursor_IBeam: 2,
    PB_Cursor_Hand: 3,
    PB_Cursor_Busy: 4,
    PB_Cursor_Denied: 5,
    PB_Cursor_Arrows: 6,
    PB_Cursor_LeftRight: 7,
    PB_Cursor_UpDown: 8,
    PB_Cursor_LeftUpRightDown: 9,
    PB_Cursor_LeftDownRightUp: 10,
    PB_Cursor_Invisible: 11,
    PB_Button_Right: 512,
    PB_Button_Left: 256,
    PB_Button_Default: 1,
    PB_Button_MultiLine: 8192,
    PB_Button_Toggle: 4099,
    PB_Button_Image: 1,
    PB_Button_PressedImage: 2,
    PB_Calendar_Borderless: 8388608,
    PB_Calendar_Minimum: 1,
    PB_Calendar_Maximum: 2,
    PB_Calendar_Bold: 1,
    PB_Calendar_Normal: 0,
    PB_CheckBox_Right: 512,
    PB_CheckBox_Center: 768,
    PB_CheckBox_ThreeState: 5,
    PB_ComboBox_Editable: 66,
    PB_ComboBox_LowerCase: 16384,
    PB_ComboBox_UpperCase: 8192,
    PB_ComboBox_Image: 268435456,
    PB_Date_Calendar: 0,
    PB_Date_UpDown: 1,
    PB_Date_CheckBox: 2,
    PB_Date_Minimum: 1,
    PB_Date_Maximum: 2,
    PB_Editor_ReadOnly: 2048,
    PB_Editor_WordWrap: 268435456,
    PB_ListView_MultiSelect: 2048,
    PB_ListView_ClickSelect: 8,
    PB_ListIcon_CheckBoxes: 1,
    PB_ListIcon_MultiSelect: 4,
    PB_ListIcon_GridLines: 65536,
    PB_ListIcon_FullRowSelect: 1073741824,
    PB_ListIcon_HeaderDragDrop: 268435456,
    PB_ListIcon_AlwaysShowSelection: 8,
    PB_ListIcon_ThreeState: 64,
    PB_String_Password: 32,
    PB_String_ReadOnly: 2048,
    PB_String_Numeric: 8192,
    PB_String_LowerCase: 16,
    PB_String_UpperCase: 8,
    PB_String_BorderLess: 131072,
    PB_Spin_ReadOnly: 1,
    PB_Spin_Numeric: 2,
    PB_Spin_Minimum: 1,
    PB_Spin_Maximum: 2,
    PB_Tree_AlwaysShowSelection: 32,
    PB_Tree_NoLines: 2,
    PB_Tree_NoButtons: 1,
    PB_Tree_CheckBoxes: 256,
    PB_Tree_ThreeState: 65536,
    PB_Tree_SubLevel: 1,
    PB_Tree_Selected: 1,
    PB_Tree_Expanded: 2,
    PB_Tree_Checked: 4,
    PB_Tree_Collapsed: 8,
    PB_Tree_Inbetween: 16,
    PB_Image_Raised: 1,
    PB_Image_Border: 512,
    PB_ProgressBar_Smooth: 1,
    PB_ProgressBar_Vertical: 4,
    PB_ProgressBar_Minimum: 1,
    PB_ProgressBar_Maximum: 2,
    PB_Text_Center: 1,
    PB_Text_Right: 2,
    PB_Text_Border: 131072,
    PB_Shortcut_All: -1,
    PB_Shortcut_Shift: 65536,
    PB_Shortcut_Control: 131072,
    PB_Shortcut_Alt: 262144,
    PB_Shortcut_Command: 131072,
    PB_Shortcut_Back: 8,
    PB_Shortcut_Tab: 9,
    PB_Shortcut_Clear: 12,
    PB_Shortcut_Return: 13,
    PB_Shortcut_Menu: 18,
    PB_Shortcut_Pause: 19,
    PB_Shortcut_Print: 42,
    PB_Shortcut_Capital: 20,
    PB_Shortcut_Escape: 27,
    PB_Shortcut_Space: 32,
    PB_Shortcut_PageUp: 33,
    PB_Shortcut_PageDown: 34,
    PB_Shortcut_End: 35,
    PB_Shortcut_Home: 36,
    PB_Shortcut_Left: 37,
    PB_Shortcut_Up: 38,
    PB_Shortcut_Right: 39,
    PB_Shortcut_Down: 40,
    PB_Shortcut_Select: 41,
    PB_Shortcut_Execute: 43,
    PB_Shortcut_Snapshot: 44,
    PB_Shortcut_Insert: 45,
    PB_Shortcut_Delete: 46,
    PB_Shortcut_Help: 47,
    PB_Shortcut_0: 48,
    PB_Shortcut_1: 49,
    PB_Shortcut_2: 50,
    PB_Shortcut_3: 51,
    PB_Shortcut_4: 52,
    PB_Shortcut_5: 53,
    PB_Shortcut_6: 54,
    PB_Shortcut_7: 55,
    PB_Shortcut_8: 56,
    PB_Shortcut_9: 57,
    PB_Shortcut_A: 65,
    PB_Shortcut_B: 66,
    PB_Shortcut_C: 67,
    PB_Shortcut_D: 68,
    PB_Shortcut_E: 69,
    PB_Shortcut_F: 70,
    PB_Shortcut_G: 71,
    PB_Shortcut_H: 72,
    PB_Shortcut_I: 73,
    PB_Shortcut_J: 74,
    PB_Shortcut_K: 75,
    PB_Shortcut_L: 76,
    PB_Shortcut_M: 77,
    PB_Shortcut_N: 78,
    PB_Shortcut_O: 79,
    PB_Shortcut_P: 80,
    PB_Shortcut_Q: 81,
    PB_Shortcut_R: 82,
    PB_Shortcut_S: 83,
    PB_Shortcut_T: 84,
    PB_Shortcut_U: 85,
    PB_Shortcut_V: 86,
    PB_Shortcut_W: 87,
    PB_Shortcut_X: 88,
    PB_Shortcut_Y: 89,
    PB_Shortcut_Z: 90,
    PB_Shortcut_LeftWindows: 91,
    PB_Shortcut_RightWindows: 92,
    PB_Shortcut_Apps: 93,
    PB_Shortcut_Pad0: 96,
    PB_Shortcut_Pad1: 97,
    PB_Shortcut_Pad2: 98,
    PB_Shortcut_Pad3: 99,
    PB_Shortcut_Pad4: 100,
    PB_Shortcut_Pad5: 101,
    PB_Shortcut_Pad6: 102,
    PB_Shortcut_Pad7: 103,
    PB_Shortcut_Pad8: 104,
    PB_Shortcut_Pad9: 105,
    PB_Shortcut_Multiply: 106,
    PB_Shortcut_Add: 107,
    PB_Shortcut_Separator: 108,
    PB_Shortcut_Subtract: 109,
    PB_Shortcut_Decimal: 110,
    PB_Shortcut_Divide: 111,
    PB_Shortcut_F1: 112,
    PB_Shortcut_F2: 113,
    PB_Shortcut_F3: 114,
    PB_Shortcut_F4: 115,
    PB_Shortcut_F5: 116,
    PB_Shortcut_F6: 117,
    PB_Shortcut_F7: 118,
    PB_Shortcut_F8: 119,
    PB_Shortcut_F9: 120,
    PB_Shortcut_F10: 121,
    PB_Shortcut_F11: 122,
    PB_Shortcut_F12: 123,
    PB_Shortcut_F13: 124,
    PB_Shortcut_F14: 125,
    PB_Shortcut_F15: 126,
    PB_Shortcut_F16: 127,
    PB_Shortcut_F17: 128,
    PB_Shortcut_F18: 129,
    PB_Shortcut_F19: 130,
    PB_Shortcut_F20: 131,
    PB_Shortcut_F21: 132,
    PB_Shortcut_F22: 133,
    PB_Shortcut_F23: 134,
    PB_Shortcut_F24: 135,
    PB_Shortcut_Numlock: 144,
    PB_Shortcut_Scroll: 145,
});
