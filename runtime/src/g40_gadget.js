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

// Where a gadget list puts its gadgets: { element, tab } (tab: the panel tab that holds them),
// or null when it cannot take any (a panel without tabs).
function orvListTarget(list) {
    if (!list.gadget) return { element: list.element, tab: null };
    var kind = list.gadget.kind;
    if (kind.listTarget) return kind.listTarget(list.gadget, list.item);
    return { element: kind.listElement(list.gadget), tab: null };
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
    var target = orvListTarget(list);
    if (!target) return 0;
    var kind = orvGadgetKinds[type];
    var gadget = {
        type: type,
        kind: kind,
        window: list.window,
        parent: list.gadget,
        parentTab: target.tab,
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
    target.element.appendChild(element);
    element.addEventListener("focusin", function () {
        orvActiveGadget = gadget;
    });
    orvLastGadget = gadget;
    if (kind.created) kind.created(gadget);
    return result;
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
    input.value = text;
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

// What a string gadget's flags make of a typed text. As on the desktop they act on typing; a
// text the program sets stays as it is.
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
        g.input.value = text;
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
    // The attributes are the flags #PB_Editor_ReadOnly and #PB_Editor_WordWrap.
    getAttribute: function (g, attribute) {
        if (attribute === ORV_EDITOR_READONLY) return g.input.readOnly ? 1 : 0;
        if (attribute === ORV_EDITOR_WORDWRAP) return g.input.wrap === "soft" ? 1 : 0;
        return 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === ORV_EDITOR_READONLY) g.input.readOnly = !!orvInt(value);
        else if (attribute === ORV_EDITOR_WORDWRAP) g.input.wrap = orvInt(value) ? "soft" : "off";
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

// Applies an item's front (1) and back (2) colours to its element.
function orvColorElement(element, colors) {
    element.style.color = colors[1] !== undefined && colors[1] !== -1 ? orvCssColor(colors[1]) : "";
    element.style.backgroundColor = colors[2] !== undefined && colors[2] !== -1 ? orvCssColor(colors[2]) : "";
}

orvGadgetKinds[ORV_GADGET.ListView] = {
    itemColor: function (g, index) {
        orvColorElement(g.element.children[index], g.items[index].colors);
    },
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
        mouse.key = 0;
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
        post(downTypes[event.button], event, function (mouse) {
            mouse.buttons |= buttonBit(event.button);
        });
        if (gadget.flags & ORV_CANVAS_KEYBOARD) box.focus();
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

// A canvas's 2D context, or null where the page cannot draw (a test page without canvas support).
function orvContext2d(canvas) {
    if (typeof CanvasRenderingContext2D === "undefined" || !canvas.getContext) return null;
    return canvas.getContext("2d");
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
        var copy = orvContext2d(old);
        if (copy) copy.drawImage(canvas, 0, 0);
        else old = null;
    }
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = width + "px";
    canvas.style.height = height + "px";
    var context = orvContext2d(canvas);
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
            var context = orvContext2d(g.canvas);
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
// ComboBox: a drop-down list, or with #PB_ComboBox_Editable a text field with the list below it.

var ORV_COMBOBOX_EDITABLE = 2 | 64;
var ORV_COMBOBOX_LOWERCASE = 0x4000;
var ORV_COMBOBOX_UPPERCASE = 0x2000;

function orvBuildComboBox(gadget) {
    gadget.items = [];
    gadget.state = -1;
    gadget.editable = (gadget.flags & ORV_COMBOBOX_EDITABLE) === ORV_COMBOBOX_EDITABLE;
    if (!gadget.editable) {
        var select = orvElement("select", "orvane-combobox ui-widget ui-state-default ui-corner-all");
        select.addEventListener("change", function () {
            gadget.state = select.selectedIndex;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
        });
        gadget.element = select;
        gadget.input = select;
        return;
    }
    var box = orvElement("div", "orvane-combobox orvane-editable");
    var input = orvElement("input", "ui-widget ui-widget-content ui-corner-left", box);
    input.type = "text";
    var button = orvElement("button", "ui-button ui-widget ui-state-default ui-corner-right", box);
    button.type = "button";
    button.tabIndex = -1;
    orvElement("span", "ui-icon ui-icon-triangle-1-s", button);
    gadget.element = box;
    gadget.input = input;
    var typed = function () {
        var text = input.value;
        if (gadget.flags & ORV_COMBOBOX_UPPERCASE) text = text.toUpperCase();
        else if (gadget.flags & ORV_COMBOBOX_LOWERCASE) text = text.toLowerCase();
        if (text !== input.value) input.value = text;
        gadget.state = -1;
        for (var i = 0; i < gadget.items.length; i++) if (gadget.items[i].text === text) gadget.state = i;
        orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
    };
    input.addEventListener("input", typed);
    orvFocusEvents(gadget, input);
    var $input = orvUi(input, "autocomplete");
    if ($input) {
        $input.autocomplete({
            minLength: 0,
            delay: 0,
            appendTo: orvDesktop(),
            source: function (request, answer) {
                answer(
                    gadget.items.map(function (item) {
                        return item.text;
                    }),
                );
            },
            select: function (event, ui) {
                input.value = ui.item.value;
                typed();
                return false;
            },
        });
    }
    button.addEventListener("click", function () {
        if (gadget.disabled || !$input) return;
        if ($input.autocomplete("widget").is(":visible")) {
            $input.autocomplete("close");
        } else {
            $input.autocomplete("search", "");
            input.focus();
        }
    });
}

function orvComboSelect(g, index) {
    g.state = index;
    if (g.editable) g.input.value = index >= 0 ? g.items[index].text : "";
    else g.input.selectedIndex = index;
}

orvGadgetKinds[ORV_GADGET.ComboBox] = {
    addItem: function (g, position, text) {
        var count = g.items.length;
        position = orvInt(position);
        if (position < 0 || position > count) position = count;
        g.items.splice(position, 0, { text: text, data: 0 });
        if (!g.editable) {
            var option = document.createElement("option");
            option.textContent = text;
            g.input.insertBefore(option, position < count ? g.input.options[position] : null);
            if (g.state < 0) g.input.selectedIndex = -1;
        }
        if (g.state >= position) g.state++;
        if (!g.editable) g.input.selectedIndex = g.state;
        return position;
    },
    removeItem: function (g, index) {
        g.items.splice(index, 1);
        if (!g.editable) g.input.remove(index);
        if (g.state === index) orvComboSelect(g, -1);
        else if (g.state > index) g.state--;
        if (!g.editable) g.input.selectedIndex = g.state;
    },
    clear: function (g) {
        g.items = [];
        if (!g.editable) g.input.textContent = "";
        orvComboSelect(g, -1);
    },
    getItemText: function (g, index) {
        return g.items[index].text;
    },
    setItemText: function (g, index, text) {
        g.items[index].text = text;
        if (!g.editable) g.input.options[index].textContent = text;
    },
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        state = orvInt(state);
        orvComboSelect(g, state >= 0 && state < g.items.length ? state : -1);
    },
    getText: function (g) {
        if (g.editable) return g.input.value;
        return g.state >= 0 ? g.items[g.state].text : "";
    },
    // An editable box takes any text; a list selects the item with that text.
    setText: function (g, text) {
        var found = -1;
        for (var i = 0; i < g.items.length && found < 0; i++) if (g.items[i].text === text) found = i;
        if (g.editable) {
            g.input.value = text;
            g.state = found;
        } else if (found >= 0) {
            orvComboSelect(g, found);
        }
    },
    disable: function (g, state) {
        g.input.disabled = state;
        g.element.classList.toggle("ui-state-disabled", state);
    },
};

// ---------------------------------------------------------------------------------------------
// Frame: a group box drawn over the window; with #PB_Frame_Container also a container.

var ORV_FRAME_CONTAINER = 8;

function orvBuildFrame(gadget, text) {
    var box = orvElement("fieldset", "orvane-frame-gadget ui-widget-content ui-corner-all");
    var style = gadget.flags & 3;
    if (style) {
        box.classList.add(style === 1 ? "orvane-double" : style === 2 ? "orvane-single" : "orvane-flat");
    } else {
        var legend = orvElement("legend", null, box);
        legend.textContent = text;
        gadget.label = legend;
    }
    gadget.text = text;
    gadget.element = box;
    gadget.content = orvElement("div", "orvane-frame-content", box);
}

orvGadgetKinds[ORV_GADGET.Frame] = {
    container: true,
    listElement: function (g) {
        return g.content;
    },
    getText: function (g) {
        return g.text;
    },
    setText: function (g, text) {
        g.text = text;
        if (g.label) g.label.textContent = text;
    },
};

// ---------------------------------------------------------------------------------------------
// ScrollArea: a scrolling box around an inner area of the given size.

function orvBuildScrollArea(gadget, innerWidth, innerHeight, step) {
    var box = orvElement("div", "orvane-scrollarea ui-widget-content");
    var flags = gadget.flags;
    if (flags & 8) box.classList.add("orvane-borderless");
    else if (flags & 2) box.classList.add("orvane-raised");
    else if (flags & 1) box.classList.add("orvane-flat");
    var inner = orvElement("div", "orvane-scrollarea-inner", box);
    gadget.element = box;
    gadget.content = inner;
    gadget.innerWidth = Math.max(0, orvInt(innerWidth));
    gadget.innerHeight = Math.max(0, orvInt(innerHeight));
    gadget.step = step === undefined ? 10 : Math.max(1, orvInt(step));
    gadget.scrollX = 0;
    gadget.scrollY = 0;
    orvSizeScrollArea(gadget);
    box.addEventListener("scroll", function () {
        if (gadget.settingScroll) return;
        gadget.scrollX = Math.round(box.scrollLeft);
        gadget.scrollY = Math.round(box.scrollTop);
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
}

function orvSizeScrollArea(g) {
    g.content.style.width = g.innerWidth + "px";
    g.content.style.height = g.innerHeight + "px";
    g.content.classList.toggle("orvane-centered", (g.flags & 16) !== 0 && g.innerWidth < g.width);
}

function orvScrollAreaTo(g) {
    g.settingScroll = true;
    g.element.scrollLeft = g.scrollX;
    g.element.scrollTop = g.scrollY;
    // Without layout (or beyond the end) the box keeps what it can.
    if (g.element.scrollWidth) {
        g.scrollX = Math.round(g.element.scrollLeft);
        g.scrollY = Math.round(g.element.scrollTop);
    }
    g.settingScroll = false;
}

orvGadgetKinds[ORV_GADGET.ScrollArea] = {
    container: true,
    listElement: function (g) {
        return g.content;
    },
    offset: function (g, axis) {
        return axis === "x" ? -g.scrollX : -g.scrollY;
    },
    getAttribute: function (g, attribute) {
        return [0, g.innerWidth, g.innerHeight, g.scrollX, g.scrollY, g.step][attribute] || 0;
    },
    setAttribute: function (g, attribute, value) {
        value = Math.max(0, orvInt(value));
        if (attribute === 1) g.innerWidth = value;
        else if (attribute === 2) g.innerHeight = value;
        else if (attribute === 3) g.scrollX = Math.min(value, Math.max(0, g.innerWidth - g.width));
        else if (attribute === 4) g.scrollY = Math.min(value, Math.max(0, g.innerHeight - g.height));
        else if (attribute === 5) g.step = Math.max(1, value);
        if (attribute <= 2) orvSizeScrollArea(g);
        if (attribute >= 1 && attribute <= 4) orvScrollAreaTo(g);
    },
    resize: function (g) {
        orvSizeScrollArea(g);
        orvGadgetEvent(g, ORV_EVENTTYPE.Resize);
    },
};

// ---------------------------------------------------------------------------------------------
// ScrollBar: arrows, a track and a thumb as long as the page is of the range, drawn in the theme
// (a browser's own scroll bar hides itself on many systems until it is used).

function orvBuildScrollBar(gadget, minimum, maximum, page) {
    var vertical = (gadget.flags & 1) !== 0;
    var box = orvElement("div", "orvane-scrollbar ui-widget ui-widget-content " + (vertical ? "orvane-vertical" : "orvane-horizontal"));
    var less = orvElement("div", "orvane-scrollbar-arrow ui-state-default", box);
    var track = orvElement("div", "orvane-scrollbar-track", box);
    var more = orvElement("div", "orvane-scrollbar-arrow ui-state-default", box);
    orvElement("span", "ui-icon " + (vertical ? "ui-icon-triangle-1-n" : "ui-icon-triangle-1-w"), less);
    orvElement("span", "ui-icon " + (vertical ? "ui-icon-triangle-1-s" : "ui-icon-triangle-1-e"), more);
    gadget.thumb = orvElement("div", "orvane-scrollbar-thumb ui-state-default ui-corner-all", track);
    gadget.track = track;
    gadget.element = box;
    gadget.vertical = vertical;
    gadget.minimum = orvInt(minimum);
    gadget.maximum = orvInt(maximum);
    gadget.page = Math.max(1, orvInt(page));
    gadget.state = gadget.minimum;
    var moveTo = function (state) {
        state = orvScrollBarClamp(gadget, state);
        if (state === gadget.state) return;
        gadget.state = state;
        orvShowScrollBar(gadget);
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    };
    // Arrows and the track repeat while the button stays down.
    var repeat = function (element, step) {
        var timer = null;
        var stop = function () {
            clearTimeout(timer);
            timer = null;
        };
        element.addEventListener("pointerdown", function (event) {
            if (gadget.disabled || event.button !== 0) return;
            event.preventDefault();
            if (element.setPointerCapture) element.setPointerCapture(event.pointerId);
            var run = function (delay) {
                var amount = step(event);
                if (!amount) return stop();
                moveTo(gadget.state + amount);
                timer = setTimeout(function () {
                    run(50);
                }, delay);
            };
            run(400);
        });
        element.addEventListener("pointerup", stop);
        element.addEventListener("pointercancel", stop);
    };
    repeat(less, function () {
        return -1;
    });
    repeat(more, function () {
        return 1;
    });
    repeat(track, function (event) {
        if (event.target !== track) return 0;
        var box = gadget.thumb.getBoundingClientRect();
        var at = vertical ? event.clientY : event.clientX;
        var start = vertical ? box.top : box.left;
        var end = vertical ? box.bottom : box.right;
        return at < start ? -gadget.page : at > end ? gadget.page : 0;
    });
    gadget.thumb.addEventListener("pointerdown", function (event) {
        if (gadget.disabled || event.button !== 0) return;
        event.preventDefault();
        var thumb = gadget.thumb;
        if (thumb.setPointerCapture) thumb.setPointerCapture(event.pointerId);
        var from = vertical ? event.clientY : event.clientX;
        var startState = gadget.state;
        thumb.classList.add("ui-state-active");
        var move = function (moveEvent) {
            var length = vertical ? track.clientHeight : track.clientWidth;
            var units = Math.max(gadget.page, gadget.maximum - gadget.minimum + 1);
            if (!length) return;
            var moved = ((vertical ? moveEvent.clientY : moveEvent.clientX) - from) * (units / length);
            moveTo(startState + Math.round(moved));
        };
        var up = function () {
            thumb.classList.remove("ui-state-active");
            thumb.removeEventListener("pointermove", move);
            thumb.removeEventListener("pointerup", up);
        };
        thumb.addEventListener("pointermove", move);
        thumb.addEventListener("pointerup", up);
    });
    box.addEventListener(
        "wheel",
        function (event) {
            if (gadget.disabled || !event.deltaY) return;
            event.preventDefault();
            moveTo(gadget.state + (event.deltaY > 0 ? 1 : -1));
        },
        { passive: false },
    );
    orvShowScrollBar(gadget);
}

// The state runs from the minimum to maximum - page length + 1.
function orvScrollBarClamp(g, state) {
    var last = Math.max(g.minimum, g.maximum - g.page + 1);
    return Math.min(last, Math.max(g.minimum, state));
}

// The thumb's place and length, in shares of the track.
function orvShowScrollBar(g) {
    g.state = orvScrollBarClamp(g, g.state);
    var units = Math.max(g.page, g.maximum - g.minimum + 1);
    var size = (100 * g.page) / units;
    var start = (100 * (g.state - g.minimum)) / units;
    var style = g.thumb.style;
    style[g.vertical ? "top" : "left"] = start + "%";
    style[g.vertical ? "height" : "width"] = size + "%";
}

orvGadgetKinds[ORV_GADGET.ScrollBar] = {
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        g.state = orvScrollBarClamp(g, orvInt(state));
        orvShowScrollBar(g);
    },
    getAttribute: function (g, attribute) {
        return [0, g.minimum, g.maximum, g.page][attribute] || 0;
    },
    setAttribute: function (g, attribute, value) {
        value = orvInt(value);
        if (attribute === 1) g.minimum = value;
        else if (attribute === 2) g.maximum = value;
        else if (attribute === 3) g.page = Math.max(1, value);
        orvShowScrollBar(g);
    },
};

// ---------------------------------------------------------------------------------------------
// ProgressBar (jQuery UI progressbar)

function orvBuildProgressBar(gadget, minimum, maximum) {
    var box = orvElement("div", "orvane-progressbar");
    gadget.element = box;
    gadget.minimum = orvInt(minimum);
    gadget.maximum = orvInt(maximum);
    gadget.state = gadget.minimum;
    gadget.vertical = (gadget.flags & 4) !== 0;
    if (gadget.vertical) box.classList.add("orvane-vertical");
    var $box = orvUi(box, "progressbar");
    if ($box) $box.progressbar({ max: Math.max(1, gadget.maximum - gadget.minimum), value: 0 });
    orvShowProgress(gadget);
}

function orvShowProgress(g) {
    var $box = orvUi(g.element, "progressbar");
    var range = Math.max(1, g.maximum - g.minimum);
    var unknown = g.state === -1 && g.minimum >= 0;
    if ($box && $box.progressbar("instance")) {
        $box.progressbar("option", { max: range, value: unknown ? false : Math.min(range, Math.max(0, g.state - g.minimum)) });
        if (g.vertical) {
            // jQuery UI fills from the left; a vertical bar fills from the bottom.
            var share = unknown ? 100 : (100 * Math.min(range, Math.max(0, g.state - g.minimum))) / range;
            $box.find(".ui-progressbar-value").css({ width: "100%", height: share + "%", position: "absolute", bottom: 0 });
        }
    }
}

orvGadgetKinds[ORV_GADGET.ProgressBar] = {
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        state = orvInt(state);
        g.state = state === -1 ? -1 : Math.min(g.maximum, Math.max(g.minimum, state));
        orvShowProgress(g);
    },
    getAttribute: function (g, attribute) {
        return attribute === 1 ? g.minimum : attribute === 2 ? g.maximum : 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === 1) g.minimum = orvInt(value);
        else if (attribute === 2) g.maximum = orvInt(value);
        orvShowProgress(g);
    },
};

// ---------------------------------------------------------------------------------------------
// TrackBar (jQuery UI slider; the slider pips plugin draws the ticks)

var ORV_TRACKBAR_TICKS = 1;
var ORV_TRACKBAR_VERTICAL = 2;

function orvBuildTrackBar(gadget, minimum, maximum) {
    var box = orvElement("div", "orvane-trackbar");
    var slider = orvElement("div", "orvane-slider", box);
    gadget.element = box;
    gadget.slider = slider;
    gadget.minimum = orvInt(minimum);
    gadget.maximum = Math.max(gadget.minimum, orvInt(maximum));
    gadget.state = gadget.minimum;
    gadget.vertical = (gadget.flags & ORV_TRACKBAR_VERTICAL) !== 0;
    box.classList.add(gadget.vertical ? "orvane-vertical" : "orvane-horizontal");
    var $slider = orvUi(slider, "slider");
    if (!$slider) return;
    // The desktop's vertical track bar has its minimum at the top; jQuery UI's at the bottom.
    $slider.slider({
        orientation: gadget.vertical ? "vertical" : "horizontal",
        min: gadget.minimum,
        max: gadget.maximum,
        value: gadget.state,
        slide: function (event, ui) {
            var state = gadget.vertical ? gadget.maximum + gadget.minimum - ui.value : ui.value;
            if (state === gadget.state) return;
            gadget.state = state;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
        },
        change: function (event, ui) {
            if (!event.originalEvent) return;
            var state = gadget.vertical ? gadget.maximum + gadget.minimum - ui.value : ui.value;
            if (state === gadget.state) return;
            gadget.state = state;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
        },
    });
    orvTrackBarTicks(gadget);
    orvShowTrackBar(gadget);
}

function orvTrackBarTicks(g) {
    var $slider = orvUi(g.slider, "slider");
    if (!$slider || !(g.flags & ORV_TRACKBAR_TICKS) || typeof jQuery.fn.slider !== "function") return;
    if (!jQuery.ui || !jQuery.ui.slider || !jQuery.ui.slider.prototype.pips) return;
    var range = g.maximum - g.minimum;
    $slider.slider("pips", { rest: "pip", first: "pip", last: "pip", step: Math.max(1, Math.ceil(range / 50)) });
}

function orvShowTrackBar(g) {
    var $slider = orvUi(g.slider, "slider");
    if (!$slider || !$slider.slider("instance")) return;
    $slider.slider("option", { min: g.minimum, max: g.maximum });
    $slider.slider("value", g.vertical ? g.maximum + g.minimum - g.state : g.state);
}

orvGadgetKinds[ORV_GADGET.TrackBar] = {
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        g.state = Math.min(g.maximum, Math.max(g.minimum, orvInt(state)));
        orvShowTrackBar(g);
    },
    getAttribute: function (g, attribute) {
        return attribute === 1 ? g.minimum : attribute === 2 ? g.maximum : 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === 1) g.minimum = orvInt(value);
        else if (attribute === 2) g.maximum = orvInt(value);
        else return;
        g.state = Math.min(g.maximum, Math.max(g.minimum, g.state));
        orvShowTrackBar(g);
        orvTrackBarTicks(g);
    },
    disable: function (g, state) {
        var $slider = orvUi(g.slider, "slider");
        if ($slider && $slider.slider("instance")) $slider.slider(state ? "disable" : "enable");
    },
};

// ---------------------------------------------------------------------------------------------
// Spin (jQuery UI spinner). Without #PB_Spin_Numeric the arrows change the state and send their
// event, and the program writes the text itself.

var ORV_SPIN_READONLY = 1;
var ORV_SPIN_NUMERIC = 2;

function orvBuildSpin(gadget, minimum, maximum) {
    var box = orvElement("div", "orvane-spin");
    var input = orvElement("input", "orvane-spin-input", box);
    input.type = "text";
    gadget.element = box;
    gadget.input = input;
    gadget.minimum = orvInt(minimum);
    gadget.maximum = orvInt(maximum);
    gadget.state = gadget.minimum;
    gadget.numeric = (gadget.flags & ORV_SPIN_NUMERIC) !== 0;
    if (gadget.flags & ORV_SPIN_READONLY) input.readOnly = true;
    if (gadget.numeric) input.value = String(gadget.state);
    var step = function (direction) {
        var state = Math.min(gadget.maximum, Math.max(gadget.minimum, gadget.state + direction));
        gadget.state = state;
        if (gadget.numeric) input.value = String(state);
        orvGadgetEvent(gadget, direction > 0 ? ORV_EVENTTYPE.Up : ORV_EVENTTYPE.Down);
    };
    var $input = orvUi(input, "spinner");
    if ($input) {
        $input.spinner({
            // The gadget steps its own state; the spinner only says which way.
            spin: function (event, ui) {
                var target = event.originalEvent && event.originalEvent.target;
                var up = target && target.closest ? target.closest(".ui-spinner-up") : null;
                var down = target && target.closest ? target.closest(".ui-spinner-down") : null;
                var key = event.originalEvent && event.originalEvent.key;
                var direction = up || key === "ArrowUp" || key === "PageUp" ? 1 : down || key === "ArrowDown" || key === "PageDown" ? -1 : 0;
                if (!direction) direction = ui.value > gadget.state ? 1 : -1;
                step(direction);
                return false;
            },
        });
    }
    input.addEventListener("input", function () {
        if (gadget.numeric) {
            var value = parseInt(input.value, 10);
            if (!isNaN(value)) gadget.state = Math.min(gadget.maximum, Math.max(gadget.minimum, value));
        }
        orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
    });
}

orvGadgetKinds[ORV_GADGET.Spin] = {
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        g.state = Math.min(g.maximum, Math.max(g.minimum, orvInt(state)));
        if (g.numeric) g.input.value = String(g.state);
    },
    getText: function (g) {
        return g.input.value;
    },
    setText: function (g, text) {
        g.input.value = text;
    },
    getAttribute: function (g, attribute) {
        return attribute === 1 ? g.minimum : attribute === 2 ? g.maximum : 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === 1) g.minimum = orvInt(value);
        else if (attribute === 2) g.maximum = orvInt(value);
        else return;
        g.state = Math.min(g.maximum, Math.max(g.minimum, g.state));
    },
    disable: function (g, state) {
        var $input = orvUi(g.input, "spinner");
        if ($input && $input.spinner("instance")) $input.spinner(state ? "disable" : "enable");
        else g.input.disabled = state;
    },
};

// ---------------------------------------------------------------------------------------------
// HyperLink

function orvBuildHyperLink(gadget, text, color) {
    var link = orvElement("div", "orvane-hyperlink");
    link.textContent = text;
    link.tabIndex = 0;
    link.style.color = orvCssColor(color);
    if (gadget.flags & 1) link.classList.add("orvane-underline");
    gadget.element = link;
    gadget.text = text;
    link.addEventListener("click", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
    link.addEventListener("keydown", function (event) {
        if (event.key === "Enter") orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
}

orvGadgetKinds[ORV_GADGET.HyperLink] = {
    getText: function (g) {
        return g.text;
    },
    setText: function (g, text) {
        g.text = text;
        g.element.textContent = text;
    },
};

// ---------------------------------------------------------------------------------------------
// Image and ButtonImage: a canvas that shows a copy of the image (the image library's canvas).

// Draws an image (by ImageID or number) into a gadget's canvas; with fit the canvas takes the
// image's size. Returns whether there was an image to draw.
function orvShowImage(canvas, imageId, fit, width, height) {
    var source = imageId && typeof orvImageCanvas === "function" ? orvImageCanvas(imageId) : null;
    if (fit) {
        canvas.width = source ? source.width : 0;
        canvas.height = source ? source.height : 0;
    } else {
        canvas.width = Math.max(0, width);
        canvas.height = Math.max(0, height);
    }
    var context = orvContext2d(canvas);
    if (context) context.clearRect(0, 0, canvas.width, canvas.height);
    if (!source || !context) return false;
    context.drawImage(source, 0, 0);
    return true;
}

function orvBuildImage(gadget, imageId) {
    var box = orvElement("div", "orvane-image");
    if (gadget.flags & 0x200) box.classList.add("orvane-border");
    else if (gadget.flags & 1) box.classList.add("orvane-raised");
    gadget.canvas = orvElement("canvas", null, box);
    gadget.element = box;
    gadget.image = orvInt(imageId);
    // The gadget takes the size of the image it shows; the size given is kept for no image.
    gadget.givenSize = { width: gadget.width, height: gadget.height };
    orvSetImage(gadget, gadget.image);
    box.addEventListener("click", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
    box.addEventListener("dblclick", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftDoubleClick);
    });
    box.addEventListener("contextmenu", function (event) {
        event.preventDefault();
        orvGadgetEvent(gadget, ORV_EVENTTYPE.RightClick);
    });
}

function orvSetImage(g, imageId) {
    g.image = orvInt(imageId);
    // The image's size also where the page cannot draw it (no canvas).
    var image = g.image && typeof orvFindImage === "function" ? orvFindImage(g.image) : null;
    orvShowImage(g.canvas, g.image, true);
    var size = image || g.givenSize;
    if (g.width !== size.width || g.height !== size.height) {
        g.width = size.width;
        g.height = size.height;
        orvPlaceGadget(g);
    }
}

orvGadgetKinds[ORV_GADGET.Image] = {
    getState: function (g) {
        return g.image;
    },
    setState: orvSetImage,
};

function orvBuildButtonImage(gadget, imageId) {
    var button = orvElement("button", "orvane-button orvane-buttonimage ui-button ui-widget ui-corner-all");
    button.type = "button";
    gadget.canvas = orvElement("canvas", null, button);
    gadget.element = button;
    gadget.input = button;
    gadget.images = { 1: orvInt(imageId), 2: 0 };
    gadget.state = 0;
    gadget.toggle = (gadget.flags & ORV_BUTTON_TOGGLE) === ORV_BUTTON_TOGGLE;
    orvShowButtonImage(gadget);
    // The pressed image shows while the mouse holds the button down, and while a toggle is on.
    var hold = function (down) {
        if (gadget.held === down) return;
        gadget.held = down;
        orvShowButtonImage(gadget);
    };
    button.addEventListener("mousedown", function (event) {
        if (event.button === 0 && !button.disabled) hold(true);
    });
    button.addEventListener("mouseup", function () {
        hold(false);
    });
    button.addEventListener("mouseleave", function () {
        hold(false);
    });
    button.addEventListener("click", function () {
        if (gadget.toggle) {
            orvSetButtonState(gadget, gadget.state ? 0 : 1);
            orvShowButtonImage(gadget);
        }
        orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
    });
}

function orvShowButtonImage(g) {
    var image = (g.state || g.held) && g.images[2] ? g.images[2] : g.images[1];
    orvShowImage(g.canvas, image, true);
}

orvGadgetKinds[ORV_GADGET.ButtonImage] = {
    getState: function (g) {
        return g.toggle ? g.state : 0;
    },
    setState: function (g, state) {
        if (!g.toggle) return;
        orvSetButtonState(g, orvInt(state));
        orvShowButtonImage(g);
    },
    getAttribute: function (g, attribute) {
        return g.images[attribute] || 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute !== 1 && attribute !== 2) return;
        g.images[attribute] = orvInt(value);
        orvShowButtonImage(g);
    },
    disable: function (g, state) {
        g.element.disabled = state;
        g.element.classList.toggle("ui-state-disabled", state);
    },
};

// ---------------------------------------------------------------------------------------------
// IPAddress: four fields; the state has the first field in its low byte, as MakeIPAddress.

function orvBuildIPAddress(gadget) {
    var box = orvElement("div", "orvane-ipaddress ui-widget ui-widget-content ui-corner-all");
    gadget.fields = [];
    for (var i = 0; i < 4; i++) {
        if (i) orvElement("span", "orvane-ipaddress-dot", box).textContent = ".";
        var field = orvElement("input", null, box);
        field.type = "text";
        field.maxLength = 3;
        field.inputMode = "numeric";
        gadget.fields.push(field);
    }
    gadget.element = box;
    gadget.input = gadget.fields[0];
    gadget.fields.forEach(function (field, index) {
        field.addEventListener("input", function () {
            var digits = field.value.replace(/[^0-9]/g, "");
            if (digits !== "" && Number(digits) > 255) digits = "255";
            field.value = digits;
            if (digits.length === 3 && index < 3) gadget.fields[index + 1].focus();
            orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
        });
        // A dot goes to the next field, unless typing three digits already went there.
        field.addEventListener("keydown", function (event) {
            if (event.key !== ".") return;
            event.preventDefault();
            if (index < 3 && field.value !== "") gadget.fields[index + 1].focus();
        });
    });
}

orvGadgetKinds[ORV_GADGET.IPAddress] = {
    getState: function (g) {
        var value = 0;
        for (var i = 3; i >= 0; i--) value = value * 256 + (Number(g.fields[i].value) || 0);
        return value;
    },
    setState: function (g, state) {
        state = orvInt(state);
        for (var i = 0; i < 4; i++) {
            g.fields[i].value = String(state % 256 < 0 ? (state % 256) + 256 : state % 256);
            state = Math.floor(state / 256);
        }
    },
    getText: function (g) {
        return g.fields
            .map(function (field) {
                return String(Number(field.value) || 0);
            })
            .join(".");
    },
    // Only "" is meant here: it clears the address.
    setText: function (g, text) {
        var parts = text.split(".");
        g.fields.forEach(function (field, i) {
            field.value = text === "" ? "" : String(Math.min(255, Number(parts[i]) || 0));
        });
    },
    disable: function (g, state) {
        g.fields.forEach(function (field) {
            field.disabled = state;
        });
    },
};

// ---------------------------------------------------------------------------------------------
// Date and Calendar (jQuery UI datepicker; the time picker add-on when the mask has a time).
// States are PureBasic dates: seconds since 1970 of the local clock.

var ORV_DATE_CHECKBOX = 2;
var ORV_DEFAULT_DATE_MASK = "%yyyy-%mm-%dd";

function orvDateOfJs(date) {
    return Math.floor(Date.UTC(date.getFullYear(), date.getMonth(), date.getDate(), date.getHours(), date.getMinutes(), date.getSeconds()) / 1000);
}

function orvJsOfDate(seconds) {
    var utc = new Date(seconds * 1000);
    return new Date(utc.getUTCFullYear(), utc.getUTCMonth(), utc.getUTCDate(), utc.getUTCHours(), utc.getUTCMinutes(), 0);
}

function orvToday() {
    return cDate.Date();
}

function orvBuildDate(gadget, mask, date) {
    var box = orvElement("div", "orvane-date");
    gadget.element = box;
    gadget.mask = mask || ORV_DEFAULT_DATE_MASK;
    gadget.state = date ? orvInt(date) : orvToday();
    gadget.minimum = 0;
    gadget.maximum = 0;
    gadget.checked = true;
    if (gadget.flags & ORV_DATE_CHECKBOX) {
        gadget.check = orvElement("input", "orvane-date-check", box);
        gadget.check.type = "checkbox";
        gadget.check.checked = true;
        gadget.check.addEventListener("change", function () {
            gadget.checked = gadget.check.checked;
            gadget.input.disabled = !gadget.checked;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
        });
    }
    var input = orvElement("input", "orvane-date-input ui-widget ui-widget-content ui-corner-all", box);
    input.type = "text";
    gadget.input = input;
    input.addEventListener("change", function () {
        var parsed = cDate.ParseDate(gadget.mask, input.value);
        if (parsed !== -1 && orvDateAllowed(gadget, parsed)) gadget.state = parsed;
        orvShowDate(gadget);
        orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
    });
    var $input = orvUi(input, "datepicker");
    if ($input) {
        var withTime = /%hh|%ii/.test(gadget.mask) && typeof jQuery.fn.datetimepicker === "function";
        var options = {
            showOn: "button",
            buttonText: "\u25be",
            showAnim: "",
            beforeShow: function () {
                $input[withTime ? "datetimepicker" : "datepicker"]("setDate", orvJsOfDate(gadget.state));
            },
            onSelect: function () {
                var picked = $input[withTime ? "datetimepicker" : "datepicker"]("getDate");
                if (picked) gadget.state = orvDateOfJs(picked);
                orvShowDate(gadget);
                orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
            },
        };
        if (withTime) $input.datetimepicker(Object.assign(options, { controlType: "select", oneLine: true }));
        else $input.datepicker(options);
        gadget.picker = withTime ? "datetimepicker" : "datepicker";
        jQuery(box).find(".ui-datepicker-trigger").addClass("ui-button ui-widget ui-state-default ui-corner-all");
    }
    orvShowDate(gadget);
}

function orvDateAllowed(g, date) {
    return (!g.minimum || date >= g.minimum) && (!g.maximum || date <= g.maximum);
}

function orvShowDate(g) {
    g.input.value = cDate.FormatDate(g.mask.replace(/%ss/g, "00"), g.state);
}

orvGadgetKinds[ORV_GADGET.Date] = {
    getState: function (g) {
        return g.checked ? g.state : 0;
    },
    // 0 unchecks a box with a check box; any date checks it again.
    setState: function (g, state) {
        state = orvInt(state);
        if (g.check) {
            g.checked = state !== 0;
            g.check.checked = g.checked;
            g.input.disabled = !g.checked;
        }
        if (state !== 0) g.state = state;
        orvShowDate(g);
    },
    getText: function (g) {
        return g.input.value;
    },
    // The text is the mask.
    setText: function (g, mask) {
        g.mask = mask || ORV_DEFAULT_DATE_MASK;
        orvShowDate(g);
    },
    getAttribute: function (g, attribute) {
        return attribute === 1 ? g.minimum : attribute === 2 ? g.maximum : 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === 1) g.minimum = orvInt(value);
        else if (attribute === 2) g.maximum = orvInt(value);
        var $input = orvUi(g.input, "datepicker");
        if ($input && g.picker) {
            $input.datepicker("option", attribute === 1 ? "minDate" : "maxDate", orvInt(value) ? orvJsOfDate(orvInt(value)) : null);
        }
    },
    disable: function (g, state) {
        var $input = orvUi(g.input, "datepicker");
        if ($input && g.picker) $input.datepicker(state ? "disable" : "enable");
        g.input.disabled = state;
    },
};

function orvBuildCalendar(gadget, date) {
    var box = orvElement("div", "orvane-calendar");
    if (gadget.flags & 0x800000) box.classList.add("orvane-borderless");
    gadget.element = box;
    gadget.state = date ? orvInt(date) : orvToday();
    gadget.minimum = 0;
    gadget.maximum = 0;
    var $box = orvUi(box, "datepicker");
    if (!$box) return;
    $box.datepicker({
        defaultDate: orvJsOfDate(gadget.state),
        onSelect: function () {
            var picked = $box.datepicker("getDate");
            if (!picked) return;
            // The time of day stays what it was.
            gadget.state = orvDateOfJs(picked) + (((gadget.state % 86400) + 86400) % 86400);
            orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
        },
    });
    $box.datepicker("setDate", orvJsOfDate(gadget.state));
}

orvGadgetKinds[ORV_GADGET.Calendar] = {
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        g.state = orvInt(state);
        var $box = orvUi(g.element, "datepicker");
        if ($box) $box.datepicker("setDate", orvJsOfDate(g.state));
    },
    getAttribute: function (g, attribute) {
        return attribute === 1 ? g.minimum : attribute === 2 ? g.maximum : 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute !== 1 && attribute !== 2) return;
        g[attribute === 1 ? "minimum" : "maximum"] = orvInt(value);
        var $box = orvUi(g.element, "datepicker");
        if ($box) $box.datepicker("option", attribute === 1 ? "minDate" : "maxDate", orvInt(value) ? orvJsOfDate(orvInt(value)) : null);
    },
    disable: function (g, state) {
        var $box = orvUi(g.element, "datepicker");
        if ($box) $box.datepicker(state ? "disable" : "enable");
    },
};

// ---------------------------------------------------------------------------------------------
// Panel (jQuery UI tabs). Each tab is an item with a content area that holds its gadgets; the
// gadgets created after AddGadgetItem go into the tab added last.

var orvPanelTabs = 0;

function orvBuildPanel(gadget) {
    var box = orvElement("div", "orvane-panel");
    gadget.strip = orvElement("ul", null, box);
    gadget.element = box;
    gadget.items = [];
    gadget.state = -1;
    gadget.listTab = null;
    var $box = orvUi(box, "tabs");
    if ($box) {
        $box.tabs({
            activate: function () {
                var index = $box.tabs("option", "active");
                if (gadget.settingTab || index === gadget.state) return;
                gadget.state = index === false ? -1 : index;
                orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
            },
        });
    }
    orvSizePanel(gadget);
}

// The height of the tab strip: measured in a browser, the theme's usual height otherwise.
function orvPanelTabHeight(g) {
    var measured = g.strip.offsetHeight;
    return measured ? measured + g.strip.offsetTop : 26;
}

function orvSizePanel(g) {
    var tabHeight = orvPanelTabHeight(g);
    g.itemWidth = Math.max(0, g.width - 4);
    g.itemHeight = Math.max(0, g.height - tabHeight - 4);
    for (var i = 0; i < g.items.length; i++) {
        g.items[i].content.style.width = g.itemWidth + "px";
        g.items[i].content.style.height = g.itemHeight + "px";
    }
}

function orvShowTab(g, index) {
    g.state = index;
    g.settingTab = true;
    var $box = orvUi(g.element, "tabs");
    if ($box && $box.tabs("instance")) {
        $box.tabs("refresh");
        $box.tabs("option", "active", index < 0 ? false : index);
    } else {
        for (var i = 0; i < g.items.length; i++) g.items[i].content.style.display = i === index ? "" : "none";
    }
    g.settingTab = false;
}

orvGadgetKinds[ORV_GADGET.Panel] = {
    container: true,
    listTarget: function (g, item) {
        var tab = item === undefined ? g.listTab : g.items[item];
        if (!tab) {
            orvError("The PanelGadget #" + g.number + " has no item " + (item === undefined ? "yet (AddGadgetItem comes first)." : item + "."));
            return null;
        }
        return { element: tab.content, tab: tab };
    },
    addItem: function (g, position, text) {
        var count = g.items.length;
        position = orvInt(position);
        if (position < 0 || position > count) position = count;
        var id = "orvane-tab-" + ++orvPanelTabs;
        var li = document.createElement("li");
        var link = orvElement("a", null, li);
        link.href = "#" + id;
        link.textContent = text;
        var content = document.createElement("div");
        content.id = id;
        content.className = "orvane-tab";
        var tab = { text: text, data: 0, li: li, link: link, content: content };
        g.strip.insertBefore(li, position < count ? g.items[position].li : null);
        g.element.insertBefore(content, position < count ? g.items[position].content : null);
        g.items.splice(position, 0, tab);
        g.listTab = tab;
        orvSizePanel(g);
        orvShowTab(g, g.state < 0 ? 0 : g.state >= position ? g.state + 1 : g.state);
        orvSizePanel(g);
        return position;
    },
    // The tab's gadgets go with it.
    removeItem: function (g, index) {
        var tab = g.items[index];
        orvGadgetRegistry.All().forEach(function (child) {
            if (child.parentTab === tab && !child.freed) orvGadgetRegistry.Free(child.number);
        });
        g.items.splice(index, 1);
        tab.li.remove();
        tab.content.remove();
        if (g.listTab === tab) g.listTab = g.items[g.items.length - 1] || null;
        var state = g.state > index || g.state >= g.items.length ? g.state - 1 : g.state;
        orvShowTab(g, g.items.length ? Math.max(0, state) : -1);
    },
    clear: function (g) {
        for (var i = g.items.length - 1; i >= 0; i--) orvGadgetKinds[ORV_GADGET.Panel].removeItem(g, i);
    },
    getItemText: function (g, index) {
        return g.items[index].text;
    },
    setItemText: function (g, index, text) {
        g.items[index].text = text;
        g.items[index].link.textContent = text;
    },
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        state = orvInt(state);
        if (state >= 0 && state < g.items.length) orvShowTab(g, state);
    },
    getText: function (g) {
        return g.state >= 0 ? g.items[g.state].text : "";
    },
    getAttribute: function (g, attribute) {
        if (!g.items.length) return 0;
        if (attribute === 1) return g.itemWidth;
        if (attribute === 2) return g.itemHeight;
        if (attribute === 3) return orvPanelTabHeight(g);
        return 0;
    },
    resize: function (g) {
        orvSizePanel(g);
        orvGadgetEvent(g, ORV_EVENTTYPE.Resize);
    },
    created: function (g) {
        orvSizePanel(g);
    },
    disable: function (g, state) {
        var $box = orvUi(g.element, "tabs");
        if ($box && $box.tabs("instance")) $box.tabs(state ? "disable" : "enable");
    },
};

// ---------------------------------------------------------------------------------------------
// Views that a library draws from the gadget's items (the tree, the grid): the items are the
// truth, and the view is redrawn once after a run of changes, so that filling a gadget with
// thousands of items costs one drawing.

var orvViewsToRedraw = new Set();

function orvRedrawLater(gadget) {
    if (orvViewsToRedraw.has(gadget)) return;
    orvViewsToRedraw.add(gadget);
    if (orvViewsToRedraw.size === 1) Promise.resolve().then(orvRedrawViews);
}

function orvRedrawViews() {
    var gadgets = Array.from(orvViewsToRedraw);
    orvViewsToRedraw.clear();
    gadgets.forEach(function (gadget) {
        if (!gadget.freed) gadget.kind.redraw(gadget);
    });
}

// ---------------------------------------------------------------------------------------------
// Tree (fancytree). PureBasic's tree is a list of items with a sublevel each: an item is a child
// of the nearest item above it with a lower sublevel.

var ORV_TREE = { noButtons: 1, noLines: 2, checkBoxes: 0x100, threeState: 0x10000 };
var ORV_TREE_STATE = { selected: 1, expanded: 2, checked: 4, collapsed: 8, inbetween: 16 };

function orvBuildTree(gadget) {
    var box = orvElement("div", "orvane-tree ui-widget ui-widget-content ui-corner-all");
    gadget.element = box;
    gadget.items = [];
    gadget.state = -1;
    gadget.checkBoxes = (gadget.flags & ORV_TREE.checkBoxes) !== 0;
    if (gadget.flags & ORV_TREE.noLines) box.classList.add("orvane-nolines");
    if (gadget.flags & ORV_TREE.noButtons) box.classList.add("orvane-nobuttons");
    if (typeof jQuery === "undefined" || typeof jQuery.fn.fancytree !== "function") return;
    var indexOf = function (node) {
        return node && node.data ? gadget.items.indexOf(node.data.item) : -1;
    };
    jQuery(box).fancytree({
        extensions: ["themeroller"],
        // The selected item is highlighted as in a list view; check boxes show their own state.
        themeroller: { activeClass: "ui-state-highlight", selectedClass: "" },
        source: [],
        checkbox: gadget.checkBoxes,
        selectMode: 2,
        icon: false,
        quicksearch: false,
        // Items open at once, as on the desktop (and report it at once).
        toggleEffect: false,
        activate: function (event, data) {
            var index = indexOf(data.node);
            if (gadget.redrawing || index === gadget.state) return;
            gadget.state = index;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
        },
        // The expander opens and closes; a check box reports through select.
        click: function (event, data) {
            if (data.targetType === "expander" || data.targetType === "checkbox") return;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
        },
        dblclick: function () {
            orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftDoubleClick);
        },
        select: function (event, data) {
            var item = data.node.data.item;
            if (gadget.redrawing || !item) return;
            item.checked = data.node.isSelected() ? 1 : 0;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
        },
        expand: function (event, data) {
            if (data.node.data.item) data.node.data.item.expanded = true;
        },
        collapse: function (event, data) {
            if (data.node.data.item) data.node.data.item.expanded = false;
        },
    });
    box.addEventListener("contextmenu", function (event) {
        var node = jQuery.ui.fancytree.getNode(event.target);
        if (!node) return;
        event.preventDefault();
        node.setActive();
        orvGadgetEvent(gadget, ORV_EVENTTYPE.RightClick);
    });
    gadget.tree = jQuery(box).fancytree("getTree");
}

// The nested nodes of the flat item list.
function orvTreeNodes(g) {
    var root = { children: [] };
    var stack = [{ level: -1, node: root }];
    g.items.forEach(function (item, index) {
        while (stack[stack.length - 1].level >= item.level) stack.pop();
        var parent = stack[stack.length - 1].node;
        var node = { title: item.text, key: String(index), expanded: item.expanded, selected: item.checked === 1, data: { item: item } };
        if (item.checked === -1) node.partsel = true;
        (parent.children = parent.children || []).push(node);
        stack.push({ level: item.level, node: node });
    });
    return root.children;
}

// Escapes a title: the tree shows item texts as text, not as HTML.
function orvEscapeHtml(text) {
    return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}

function orvTreeHasChildren(g, index) {
    return index + 1 < g.items.length && g.items[index + 1].level > g.items[index].level;
}

orvGadgetKinds[ORV_GADGET.Tree] = {
    itemColor: orvRedrawLater,
    redraw: function (g) {
        if (!g.tree) return;
        g.redrawing = true;
        var nodes = orvTreeNodes(g);
        (function escape(list) {
            list.forEach(function (node) {
                node.title = orvEscapeHtml(node.title);
                if (node.children) escape(node.children);
            });
        })(nodes);
        g.tree.reload(nodes);
        var active = g.state >= 0 ? g.tree.getNodeByKey(String(g.state)) : null;
        if (active) active.setActive(true, { noEvents: true, noFocus: true });
        g.items.forEach(function (item, index) {
            var node = item.colors ? g.tree.getNodeByKey(String(index)) : null;
            if (node && node.span) orvColorElement(node.span.querySelector(".fancytree-title") || node.span, item.colors);
        });
        g.redrawing = false;
    },
    // The flags are the sublevel; it cannot be deeper than one below the item above.
    addItem: function (g, position, text, image, flags) {
        var count = g.items.length;
        position = orvInt(position);
        if (position < 0 || position > count) position = count;
        var above = position > 0 ? g.items[position - 1].level : -1;
        var level = Math.max(0, Math.min(orvInt(flags), above + 1));
        g.items.splice(position, 0, { text: text, level: level, expanded: false, checked: 0, data: 0 });
        if (g.state >= position) g.state++;
        orvRedrawLater(g);
        return position;
    },
    // An item goes with its children.
    removeItem: function (g, index) {
        var end = index + 1;
        while (end < g.items.length && g.items[end].level > g.items[index].level) end++;
        g.items.splice(index, end - index);
        if (g.state >= end) g.state -= end - index;
        else if (g.state >= index) g.state = -1;
        orvRedrawLater(g);
    },
    clear: function (g) {
        g.items = [];
        g.state = -1;
        orvRedrawLater(g);
    },
    getItemText: function (g, index) {
        return g.items[index].text;
    },
    setItemText: function (g, index, text) {
        g.items[index].text = text;
        orvRedrawLater(g);
    },
    getItemState: function (g, index) {
        var item = g.items[index];
        var state = index === g.state ? ORV_TREE_STATE.selected : 0;
        if (orvTreeHasChildren(g, index)) state |= item.expanded ? ORV_TREE_STATE.expanded : ORV_TREE_STATE.collapsed;
        if (item.checked === 1) state |= ORV_TREE_STATE.checked;
        else if (item.checked === -1) state |= ORV_TREE_STATE.inbetween;
        return state;
    },
    setItemState: function (g, index, state) {
        state = orvInt(state);
        var item = g.items[index];
        if (state & ORV_TREE_STATE.selected) g.state = index;
        else if (g.state === index) g.state = -1;
        if (state & ORV_TREE_STATE.expanded) item.expanded = true;
        else if (state & ORV_TREE_STATE.collapsed) item.expanded = false;
        item.checked = state & ORV_TREE_STATE.inbetween ? -1 : state & ORV_TREE_STATE.checked ? 1 : 0;
        orvRedrawLater(g);
    },
    getItemAttribute: function (g, index, attribute) {
        if (attribute !== 1 || index < 0 || index >= g.items.length) return 0;
        return g.items[index].level;
    },
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        state = orvInt(state);
        g.state = state >= 0 && state < g.items.length ? state : -1;
        // Its parents open, so that the selected item shows.
        for (var level = g.state >= 0 ? g.items[g.state].level : 0, i = g.state - 1; i >= 0 && level > 0; i--) {
            if (g.items[i].level < level) {
                g.items[i].expanded = true;
                level = g.items[i].level;
            }
        }
        orvRedrawLater(g);
    },
    getText: function (g) {
        return g.state >= 0 ? g.items[g.state].text : "";
    },
    setText: function (g, text) {
        if (g.state < 0) return;
        g.items[g.state].text = text;
        orvRedrawLater(g);
    },
};

// ---------------------------------------------------------------------------------------------
// ListIcon (a w2ui grid). Items hold one text per column; check boxes are a column of their own.

var ORV_LISTICON = { checkBoxes: 1, multiSelect: 4, gridLines: 0x10000, threeState: 64 };
var ORV_LISTICON_STATE = { selected: 1, checked: 2, inbetween: 4 };
var orvGrids = 0;

function orvBuildListIcon(gadget, title, width) {
    var box = orvElement("div", "orvane-listicon");
    gadget.element = box;
    gadget.items = [];
    gadget.columns = [{ title: title, width: Math.max(0, orvInt(width)), align: 0 }];
    gadget.clickedColumn = 0;
    gadget.nextId = 1;
    gadget.checkBoxes = (gadget.flags & ORV_LISTICON.checkBoxes) !== 0;
    gadget.multi = (gadget.flags & ORV_LISTICON.multiSelect) !== 0;
    if (gadget.flags & ORV_LISTICON.gridLines) box.classList.add("orvane-gridlines");
    if (typeof w2grid !== "function") return;
    var indexOfId = function (recid) {
        for (var i = 0; i < gadget.items.length; i++) if (String(gadget.items[i].recid) === String(recid)) return i;
        return -1;
    };
    gadget.grid = new w2grid({
        name: "orvane_grid_" + ++orvGrids,
        box: box,
        columns: [],
        records: gadget.items,
        multiSelect: gadget.multi,
        show: { columnHeaders: true, lineNumbers: false, selectColumn: false, footer: false, toolbar: false },
        recordHeight: 22,
        onSelect: function (event) {
            if (gadget.redrawing) return;
            event.done(function () {
                orvListIconReadSelection(gadget);
            });
        },
        onUnselect: function (event) {
            if (gadget.redrawing) return;
            event.done(function () {
                orvListIconReadSelection(gadget);
            });
        },
        onClick: function (event) {
            var detail = event.detail || {};
            var index = indexOfId(detail.recid);
            var target = detail.originalEvent && detail.originalEvent.target;
            if (index >= 0 && target && target.classList && target.classList.contains("orvane-check-cell")) {
                var item = gadget.items[index];
                item.checked = item.checked === 1 ? 0 : 1;
                orvRedrawLater(gadget);
            }
            if (index >= 0) {
                gadget.clickedColumn = Math.max(0, (detail.column || 0) - (gadget.checkBoxes ? 1 : 0));
                orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftClick);
            }
        },
        onDblClick: function (event) {
            if (indexOfId((event.detail || {}).recid) >= 0) orvGadgetEvent(gadget, ORV_EVENTTYPE.LeftDoubleClick);
        },
        onContextMenu: function (event) {
            if (indexOfId((event.detail || {}).recid) >= 0) orvGadgetEvent(gadget, ORV_EVENTTYPE.RightClick);
        },
        onColumnClick: function (event) {
            // Sorting stays the program's business, as on the desktop.
            event.preventDefault();
            var column = (event.detail || {}).field;
            gadget.clickedColumn = column ? Number(String(column).slice(1)) : 0;
            orvGadgetEvent(gadget, ORV_EVENTTYPE.ColumnClick);
        },
    });
    orvListIconColumns(gadget);
}

function orvListIconReadSelection(g) {
    var chosen = new Set(g.grid.getSelection().map(String));
    for (var i = 0; i < g.items.length; i++) g.items[i].selected = chosen.has(String(g.items[i].recid));
}

// The grid's columns from the gadget's: an optional check box column, then c0, c1, ...
function orvListIconColumns(g) {
    if (!g.grid) return;
    var columns = [];
    if (g.checkBoxes) {
        columns.push({
            field: "checkbox",
            text: "",
            size: "24px",
            render: function (record) {
                var state = record.checked === 1 ? " checked" : "";
                return "<input type='checkbox' class='orvane-check-cell'" + state + (record.checked === -1 ? " data-inbetween='1'" : "") + ">";
            },
        });
    }
    g.columns.forEach(function (column, index) {
        columns.push({
            field: "c" + index,
            text: orvEscapeHtml(column.title),
            size: column.width + "px",
            resizable: true,
            style: column.align === 1 ? "text-align: right" : column.align === 2 ? "text-align: center" : "",
            render: function (record) {
                return orvEscapeHtml(record.texts[index] || "");
            },
        });
    });
    g.grid.columns = columns;
    orvRedrawLater(g);
}

function orvListIconItem(g, text) {
    return { recid: g.nextId++, texts: text.split("\n"), data: 0, selected: false, checked: 0 };
}

orvGadgetKinds[ORV_GADGET.ListIcon] = {
    itemColor: function (g, index) {
        var colors = g.items[index].colors;
        var style = "";
        if (colors[1] !== undefined && colors[1] !== -1) style += "color: " + orvCssColor(colors[1]) + ";";
        if (colors[2] !== undefined && colors[2] !== -1) style += "background-color: " + orvCssColor(colors[2]) + ";";
        g.items[index].w2ui = { style: style };
        orvRedrawLater(g);
    },
    redraw: function (g) {
        if (!g.grid) return;
        g.redrawing = true;
        g.grid.records = g.items;
        g.grid.total = g.items.length;
        g.grid.selectNone(true);
        var chosen = [];
        for (var i = 0; i < g.items.length; i++) if (g.items[i].selected) chosen.push(g.items[i].recid);
        if (chosen.length) g.grid.select.apply(g.grid, chosen);
        g.grid.refresh();
        g.redrawing = false;
    },
    // Chr(10) separates the texts of the columns.
    addItem: function (g, position, text) {
        var count = g.items.length;
        position = orvInt(position);
        if (position < 0 || position > count) position = count;
        g.items.splice(position, 0, orvListIconItem(g, text));
        orvRedrawLater(g);
        return position;
    },
    removeItem: function (g, index) {
        g.items.splice(index, 1);
        orvRedrawLater(g);
    },
    clear: function (g) {
        g.items.length = 0;
        orvRedrawLater(g);
    },
    // Item -1 is the column header.
    headerItem: true,
    getItemText: function (g, index, column) {
        if (index === -1) return column >= 0 && column < g.columns.length ? g.columns[column].title : "";
        return g.items[index].texts[column] || "";
    },
    setItemText: function (g, index, text, column) {
        if (index === -1) {
            if (column >= 0 && column < g.columns.length) g.columns[column].title = text;
            orvListIconColumns(g);
            return;
        }
        var texts = text.split("\n");
        for (var i = 0; i < texts.length; i++) g.items[index].texts[column + i] = texts[i];
        orvRedrawLater(g);
    },
    getItemState: function (g, index) {
        var item = g.items[index];
        var state = item.selected ? ORV_LISTICON_STATE.selected : 0;
        if (item.checked === 1) state |= ORV_LISTICON_STATE.checked;
        else if (item.checked === -1) state |= ORV_LISTICON_STATE.inbetween;
        return state;
    },
    setItemState: function (g, index, state) {
        state = orvInt(state);
        var item = g.items[index];
        if (state & ORV_LISTICON_STATE.selected && !g.multi) {
            for (var i = 0; i < g.items.length; i++) g.items[i].selected = false;
        }
        item.selected = (state & ORV_LISTICON_STATE.selected) !== 0;
        item.checked = state & ORV_LISTICON_STATE.inbetween ? -1 : state & ORV_LISTICON_STATE.checked ? 1 : 0;
        orvRedrawLater(g);
    },
    getState: function (g) {
        for (var i = 0; i < g.items.length; i++) if (g.items[i].selected) return i;
        return -1;
    },
    setState: function (g, state) {
        state = orvInt(state);
        for (var i = 0; i < g.items.length; i++) g.items[i].selected = i === state;
        orvRedrawLater(g);
        if (g.grid && state >= 0 && state < g.items.length) {
            var recid = g.items[state].recid;
            Promise.resolve().then(function () {
                if (!g.freed && g.grid) g.grid.scrollIntoView(g.grid.get(recid, true));
            });
        }
    },
    getText: function (g) {
        var index = orvGadgetKinds[ORV_GADGET.ListIcon].getState(g);
        return index >= 0 ? g.items[index].texts[0] || "" : "";
    },
    addColumn: function (g, position, title, width) {
        if (position < 0 || position > g.columns.length) position = g.columns.length;
        g.columns.splice(position, 0, { title: title, width: Math.max(0, width), align: 0 });
        g.items.forEach(function (item) {
            if (item.texts.length > position) item.texts.splice(position, 0, "");
        });
        orvListIconColumns(g);
    },
    removeColumn: function (g, column) {
        if (column < 0 || column >= g.columns.length) {
            orvError("RemoveGadgetColumn(): column index out of range: " + column + ".");
            return;
        }
        g.columns.splice(column, 1);
        g.items.forEach(function (item) {
            item.texts.splice(column, 1);
        });
        orvListIconColumns(g);
    },
    getAttribute: function (g, attribute) {
        if (attribute === 3) return g.columns.length;
        if (attribute === 4) return g.clickedColumn;
        if (attribute === 2) return 3;
        return 0;
    },
    getItemAttribute: function (g, index, attribute, column) {
        if (attribute !== 1 || column < 0 || column >= g.columns.length) return 0;
        return g.columns[column].width;
    },
    setItemAttribute: function (g, index, attribute, value, column) {
        if (column < 0 || column >= g.columns.length) return;
        if (attribute === 1) g.columns[column].width = Math.max(0, orvInt(value));
        else if (attribute === 5) g.columns[column].align = orvInt(value);
        else return;
        orvListIconColumns(g);
    },
    resize: function (g) {
        if (g.grid) g.grid.resize();
    },
    release: function (g) {
        if (g.grid) g.grid.destroy();
    },
};

// ---------------------------------------------------------------------------------------------
// Splitter: two existing gadgets in two panes, with a bar between them (the jquery.splitter
// plugin moves it). The state is the size of the first pane.

var ORV_SPLITTER = { vertical: 1, separator: 2, firstFixed: 4, secondFixed: 8 };
var ORV_SPLITTER_BAR = 7;

function orvBuildSplitter(gadget, first, second) {
    var box = orvElement("div", "orvane-splitter");
    gadget.element = box;
    gadget.vertical = (gadget.flags & ORV_SPLITTER.vertical) !== 0;
    gadget.panes = [orvElement("div", "orvane-splitter-pane", box), orvElement("div", "orvane-splitter-pane", box)];
    gadget.minimums = [0, 0];
    gadget.children = [null, null];
    var length = gadget.vertical ? gadget.width : gadget.height;
    gadget.state = Math.max(0, Math.round((length - ORV_SPLITTER_BAR) / 2));
    orvSplitterTake(gadget, 0, first);
    orvSplitterTake(gadget, 1, second);
}

// Puts a gadget into a pane; the gadget that was there goes back to the splitter's own list.
function orvSplitterTake(g, pane, number) {
    var old = g.children[pane];
    if (old && !old.freed) {
        old.parent = g.parent;
        old.parentTab = g.parentTab;
        g.element.parentNode.appendChild(old.element);
        old.element.classList.remove("orvane-in-splitter");
    }
    g.children[pane] = null;
    var child = orvGadgetRegistry.Find(number);
    if (!child) {
        orvError("SplitterGadget(): #Gadget " + orvInt(number) + " object not initialized.");
        return;
    }
    child.parent = g;
    child.parentTab = null;
    child.x = 0;
    child.y = 0;
    child.element.classList.add("orvane-in-splitter");
    g.panes[pane].appendChild(child.element);
    g.children[pane] = child;
}

function orvLayoutSplitter(g) {
    var length = g.vertical ? g.width : g.height;
    var room = Math.max(0, length - ORV_SPLITTER_BAR);
    var first = Math.max(g.minimums[0], Math.min(g.state, room - g.minimums[1]));
    g.state = Math.max(0, Math.min(room, first));
    var sizes = [g.state, room - g.state];
    if (g.plugin) g.plugin.position(g.state + ORV_SPLITTER_BAR / 2, true);
    for (var pane = 0; pane < 2; pane++) {
        var style = g.panes[pane].style;
        var start = pane ? g.state + ORV_SPLITTER_BAR : 0;
        style.left = (g.vertical ? start : 0) + "px";
        style.top = (g.vertical ? 0 : start) + "px";
        style.width = (g.vertical ? sizes[pane] : g.width) + "px";
        style.height = (g.vertical ? g.height : sizes[pane]) + "px";
        var child = g.children[pane];
        if (!child || child.freed) continue;
        var width = g.vertical ? sizes[pane] : g.width;
        var height = g.vertical ? g.height : sizes[pane];
        var sized = child.width !== width || child.height !== height;
        child.x = 0;
        child.y = 0;
        child.width = width;
        child.height = height;
        orvPlaceGadget(child);
        if (sized && child.kind.resize) child.kind.resize(child);
    }
    if (g.plugin) {
        g.plugin.settings.limit = { leftUpper: g.minimums[0], rightBottom: g.minimums[1] };
        g.plugin.limit = g.plugin.settings.limit;
        var bar = g.element.querySelector(".vsplitter, .hsplitter");
        if (bar) bar.style[g.vertical ? "left" : "top"] = g.state + "px";
    }
}

// The bar is the jquery.splitter plugin's: it moves the bar and the panes, the gadget then
// gives its two gadgets the panes' sizes.
function orvSplitterPlugin(g) {
    if (typeof jQuery === "undefined" || typeof jQuery.fn.split !== "function") return;
    g.plugin = jQuery(g.element).split({
        orientation: g.vertical ? "vertical" : "horizontal",
        limit: { leftUpper: g.minimums[0], rightBottom: g.minimums[1] },
        position: g.state + ORV_SPLITTER_BAR / 2,
        onDrag: function () {
            var state = Math.round(g.plugin.position() - ORV_SPLITTER_BAR / 2);
            if (state === g.state) return;
            g.state = state;
            orvLayoutSplitter(g);
            orvGadgetEvent(g, ORV_EVENTTYPE.Resize);
        },
    });
    var bar = g.element.querySelector(".vsplitter, .hsplitter");
    if (bar) bar.classList.add("ui-state-default", "orvane-splitter-bar");
    if (bar && g.flags & ORV_SPLITTER.separator) bar.classList.add("orvane-separator");
}

orvGadgetKinds[ORV_GADGET.Splitter] = {
    created: function (g) {
        orvSplitterPlugin(g);
        orvLayoutSplitter(g);
    },
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        g.state = orvInt(state);
        orvLayoutSplitter(g);
    },
    getAttribute: function (g, attribute) {
        if (attribute === 1 || attribute === 2) return g.minimums[attribute - 1];
        if (attribute === 3 || attribute === 4) {
            var child = g.children[attribute - 3];
            return child && !child.freed ? child.number : -1;
        }
        return 0;
    },
    setAttribute: function (g, attribute, value) {
        if (attribute === 1 || attribute === 2) g.minimums[attribute - 1] = Math.max(0, orvInt(value));
        else if (attribute === 3 || attribute === 4) orvSplitterTake(g, attribute - 3, value);
        orvLayoutSplitter(g);
    },
    // A fixed pane keeps its size when the splitter changes size.
    resize: function (g) {
        var length = g.vertical ? g.width : g.height;
        if (g.flags & ORV_SPLITTER.secondFixed && g.children[1]) {
            g.state = length - ORV_SPLITTER_BAR - (g.vertical ? g.children[1].width : g.children[1].height);
        }
        orvLayoutSplitter(g);
    },
};

// ---------------------------------------------------------------------------------------------
// Web: an inline frame.

function orvBuildWeb(gadget, url) {
    var frame = orvElement("iframe", "orvane-web ui-widget-content");
    gadget.element = frame;
    gadget.url = url;
    if (url) frame.src = url;
    frame.addEventListener("load", function () {
        orvGadgetEvent(gadget, ORV_EVENTTYPE.DownloadEnd);
    });
}

function orvWebDocument(g) {
    try {
        return g.element.contentDocument;
    } catch (error) {
        return null;
    }
}

orvGadgetKinds[ORV_GADGET.Web] = {
    getText: function (g) {
        var doc = orvWebDocument(g);
        return doc && doc.location && doc.location.href !== "about:blank" ? doc.location.href : g.url;
    },
    setText: function (g, url) {
        g.url = url;
        g.element.removeAttribute("srcdoc");
        g.element.src = url;
    },
    // #PB_Web_Back, Forward, Stop, Refresh
    setState: function (g, state) {
        var view = g.element.contentWindow;
        if (!view) return;
        try {
            state = orvInt(state);
            if (state === 1) view.history.back();
            else if (state === 2) view.history.forward();
            else if (state === 3) view.stop();
            else if (state === 4) view.location.reload();
        } catch (error) {
            orvError("WebGadget: the page of another site does not allow this.");
        }
    },
    // Item #PB_Web_HtmlCode: the page's HTML; #PB_Web_PageTitle, #PB_Web_SelectedText.
    getItemText: function (g, item) {
        var doc = orvWebDocument(g);
        if (!doc) return "";
        if (item === 1) return doc.documentElement ? doc.documentElement.outerHTML : "";
        if (item === 2) return doc.title || "";
        if (item === 4) return doc.getSelection ? String(doc.getSelection()) : "";
        return "";
    },
    setItemText: function (g, item, text) {
        if (item !== 1) return;
        g.url = "about:srcdoc";
        g.element.srcdoc = text;
    },
    // The items are the page's parts (#PB_Web_HtmlCode ...), not a list.
    anyItem: true,
};

// ---------------------------------------------------------------------------------------------
// Shortcut: a field that shows and keeps the key combination typed into it.

var ORV_SHORTCUT_MODIFIERS = { shift: 0x10000, control: 0x20000, alt: 0x40000 };

function orvShortcutText(shortcut) {
    if (!shortcut) return "";
    var parts = [];
    if (shortcut & ORV_SHORTCUT_MODIFIERS.control) parts.push("Ctrl");
    if (shortcut & ORV_SHORTCUT_MODIFIERS.shift) parts.push("Shift");
    if (shortcut & ORV_SHORTCUT_MODIFIERS.alt) parts.push("Alt");
    var key = shortcut & 0xffff;
    var names = { 8: "Backspace", 9: "Tab", 13: "Enter", 27: "Esc", 32: "Space", 33: "Page Up", 34: "Page Down", 35: "End", 36: "Home", 37: "Left", 38: "Up", 39: "Right", 40: "Down", 45: "Ins", 46: "Del" };
    var name = names[key];
    if (!name && key >= 112 && key <= 135) name = "F" + (key - 111);
    if (!name && key >= 96 && key <= 105) name = "Num " + (key - 96);
    if (!name) name = String.fromCharCode(key);
    parts.push(name);
    return parts.join("+");
}

function orvBuildShortcut(gadget, shortcut) {
    var input = orvElement("input", "orvane-shortcut ui-widget ui-widget-content ui-corner-all");
    input.type = "text";
    input.readOnly = true;
    gadget.element = input;
    gadget.input = input;
    gadget.state = orvInt(shortcut);
    input.value = orvShortcutText(gadget.state);
    input.addEventListener("keydown", function (event) {
        if (event.key === "Tab") return;
        event.preventDefault();
        var key = orvShortcutKey(event);
        if (key === 16 || key === 17 || key === 18) return;
        var value = key | (event.shiftKey ? ORV_SHORTCUT_MODIFIERS.shift : 0) | (event.ctrlKey || event.metaKey ? ORV_SHORTCUT_MODIFIERS.control : 0) | (event.altKey ? ORV_SHORTCUT_MODIFIERS.alt : 0);
        if (key === 8 && !(value & 0x70000)) value = 0;
        gadget.state = value;
        input.value = orvShortcutText(value);
        orvGadgetEvent(gadget, ORV_EVENTTYPE.Change);
    });
}

orvGadgetKinds[ORV_GADGET.Shortcut] = {
    getState: function (g) {
        return g.state;
    },
    setState: function (g, state) {
        g.state = orvInt(state);
        g.input.value = orvShortcutText(g.state);
    },
    getText: function (g) {
        return g.input.value;
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
    var header = orvInt(index) === -1 && gadget.kind.headerItem && /ItemText$/.test(name);
    if (gadget.kind.anyItem || header) return action.apply(null, [gadget, orvInt(index)].concat(args || []));
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
    ComboBoxGadget: function (number, x, y, width, height, flags) {
        return orvCreateGadget(number, ORV_GADGET.ComboBox, x, y, width, height, flags, orvBuildComboBox);
    },
    FrameGadget: function (number, x, y, width, height, text, flags) {
        var build = function (g) {
            orvBuildFrame(g, orvText1(text));
        };
        if (orvInt(flags) & ORV_FRAME_CONTAINER) {
            return orvCreateContainer(number, ORV_GADGET.Frame, x, y, width, height, flags, build);
        }
        return orvCreateGadget(number, ORV_GADGET.Frame, x, y, width, height, flags, build);
    },
    ScrollAreaGadget: function (number, x, y, width, height, innerWidth, innerHeight, step, flags) {
        return orvCreateContainer(number, ORV_GADGET.ScrollArea, x, y, width, height, flags, function (g) {
            orvBuildScrollArea(g, innerWidth, innerHeight, step);
        });
    },
    PanelGadget: function (number, x, y, width, height) {
        return orvCreateContainer(number, ORV_GADGET.Panel, x, y, width, height, 0, orvBuildPanel);
    },
    ScrollBarGadget: function (number, x, y, width, height, minimum, maximum, page, flags) {
        return orvCreateGadget(number, ORV_GADGET.ScrollBar, x, y, width, height, flags, function (g) {
            orvBuildScrollBar(g, minimum, maximum, page);
        });
    },
    ProgressBarGadget: function (number, x, y, width, height, minimum, maximum, flags) {
        return orvCreateGadget(number, ORV_GADGET.ProgressBar, x, y, width, height, flags, function (g) {
            orvBuildProgressBar(g, minimum, maximum);
        });
    },
    TrackBarGadget: function (number, x, y, width, height, minimum, maximum, flags) {
        return orvCreateGadget(number, ORV_GADGET.TrackBar, x, y, width, height, flags, function (g) {
            orvBuildTrackBar(g, minimum, maximum);
        });
    },
    SpinGadget: function (number, x, y, width, height, minimum, maximum, flags) {
        return orvCreateGadget(number, ORV_GADGET.Spin, x, y, width, height, flags, function (g) {
            orvBuildSpin(g, minimum, maximum);
        });
    },
    HyperLinkGadget: function (number, x, y, width, height, text, color, flags) {
        return orvCreateGadget(number, ORV_GADGET.HyperLink, x, y, width, height, flags, function (g) {
            orvBuildHyperLink(g, orvText1(text), color);
        });
    },
    ImageGadget: function (number, x, y, width, height, imageId, flags) {
        return orvCreateGadget(number, ORV_GADGET.Image, x, y, width, height, flags, function (g) {
            orvBuildImage(g, imageId);
        });
    },
    ButtonImageGadget: function (number, x, y, width, height, imageId, flags) {
        return orvCreateGadget(number, ORV_GADGET.ButtonImage, x, y, width, height, flags, function (g) {
            orvBuildButtonImage(g, imageId);
        });
    },
    IPAddressGadget: function (number, x, y, width, height) {
        return orvCreateGadget(number, ORV_GADGET.IPAddress, x, y, width, height, 0, orvBuildIPAddress);
    },
    DateGadget: function (number, x, y, width, height, mask, date, flags) {
        return orvCreateGadget(number, ORV_GADGET.Date, x, y, width, height, flags, function (g) {
            orvBuildDate(g, orvText1(mask), date);
        });
    },
    CalendarGadget: function (number, x, y, width, height, date, flags) {
        return orvCreateGadget(number, ORV_GADGET.Calendar, x, y, width, height, flags, function (g) {
            orvBuildCalendar(g, date);
        });
    },
    TreeGadget: function (number, x, y, width, height, flags) {
        return orvCreateGadget(number, ORV_GADGET.Tree, x, y, width, height, flags, orvBuildTree);
    },
    ListIconGadget: function (number, x, y, width, height, title, titleWidth, flags) {
        return orvCreateGadget(number, ORV_GADGET.ListIcon, x, y, width, height, flags, function (g) {
            orvBuildListIcon(g, orvText1(title), titleWidth);
        });
    },
    SplitterGadget: function (number, x, y, width, height, first, second, flags) {
        if (!orvGadgetOf(first) || !orvGadgetOf(second)) return 0;
        return orvCreateGadget(number, ORV_GADGET.Splitter, x, y, width, height, flags, function (g) {
            orvBuildSplitter(g, first, second);
        });
    },
    WebGadget: function (number, x, y, width, height, url, flags) {
        return orvCreateGadget(number, ORV_GADGET.Web, x, y, width, height, flags, function (g) {
            orvBuildWeb(g, orvText1(url));
        });
    },
    ShortcutGadget: function (number, x, y, width, height, shortcut) {
        return orvCreateGadget(number, ORV_GADGET.Shortcut, x, y, width, height, 0, function (g) {
            orvBuildShortcut(g, shortcut);
        });
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
        if (sized && gadget.givenSize) gadget.givenSize = { width: gadget.width, height: gadget.height };
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

    // Item colours: front (1) and back (2) of list, list icon and tree items.
    SetGadgetItemColor: function (number, index, type, color, column) {
        var gadget = orvGadgetOf(number);
        if (!gadget || !gadget.items) return;
        index = orvItemIndex(gadget, index, gadget.items.length, "SetGadgetItemColor");
        if (index < 0) return;
        var item = gadget.items[index];
        item.colors = item.colors || {};
        item.colors[orvInt(type)] = orvInt(color);
        if (gadget.kind.itemColor) gadget.kind.itemColor(gadget, index);
    },
    GetGadgetItemColor: function (number, index, type) {
        var gadget = orvGadgetOf(number);
        if (!gadget || !gadget.items) return 0;
        index = orvItemIndex(gadget, index, gadget.items.length, "GetGadgetItemColor");
        if (index < 0) return 0;
        var colors = gadget.items[index].colors;
        return colors && colors[orvInt(type)] !== undefined ? colors[orvInt(type)] : -1;
    },
    // Item images are kept; the gadgets show texts only.
    SetGadgetItemImage: function (number, index, imageId) {
        var gadget = orvGadgetOf(number);
        if (!gadget || !gadget.items) return;
        index = orvItemIndex(gadget, index, gadget.items.length, "SetGadgetItemImage");
        if (index >= 0) gadget.items[index].image = orvInt(imageId);
    },

    // A handle for a tree or panel item, as on Windows; 0 for the items of other gadgets.
    GadgetItemID: function (number, index) {
        var gadget = orvGadgetOf(number);
        if (!gadget || (gadget.type !== ORV_GADGET.Tree && gadget.type !== ORV_GADGET.Panel)) return 0;
        index = orvItemIndex(gadget, index, gadget.items.length, "GadgetItemID");
        return index >= 0 ? orvHandle(gadget.items[index]) : 0;
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
