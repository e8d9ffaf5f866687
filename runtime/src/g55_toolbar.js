// Toolbars: a row of buttons over the top of a window's inner area, right under its menu bar.
// As in PureBasic, the toolbar is part of the inner height: a program places its gadgets below
// ToolBarHeight(). A click posts #PB_Event_Menu with the button's number, so a button and a menu
// item with the same number are handled alike.

var ORV_TOOLBAR_SMALL = 1;
var ORV_TOOLBAR_LARGE = 2;
var ORV_TOOLBAR_TEXT = 4;
var ORV_TOOLBAR_INLINE_TEXT = 8;
var ORV_TOOLBAR_TOGGLE = 1;

var orvToolBarRegistry = orvRegistry("ToolBar", orvReleaseToolBar);
var orvBuildingToolBar = null;

// The standard buttons of ToolBarStandardButton (Windows' standard toolbar pictures): their name,
// and the Font Awesome icon that stands for them where the page loads that font.
var orvStandardButtons = [
    ["Cut", "fa-scissors"],
    ["Copy", "fa-files-o"],
    ["Paste", "fa-clipboard"],
    ["Undo", "fa-undo"],
    ["Redo", "fa-repeat"],
    ["Delete", "fa-times"],
    ["New", "fa-file-o"],
    ["Open", "fa-folder-open-o"],
    ["Save", "fa-floppy-o"],
    ["Preview", "fa-search-plus"],
    ["Properties", "fa-list-alt"],
    ["Help", "fa-question-circle"],
    ["Find", "fa-search"],
    ["Replace", "fa-exchange"],
    ["Print", "fa-print"],
];

// Whether the page has Font Awesome: its stylesheet gives ".fa" the font.
function orvHasIconFont() {
    var probe = document.createElement("i");
    probe.className = "fa";
    probe.style.position = "absolute";
    probe.style.visibility = "hidden";
    document.body.appendChild(probe);
    var family = window.getComputedStyle ? window.getComputedStyle(probe).fontFamily || "" : "";
    probe.remove();
    return /fontawesome/i.test(family.replace(/\s+/g, ""));
}

function orvToolBarButtons(toolbar, button, caller) {
    var found = toolbar.buttons.get(orvInt(button));
    if (!found) orvError(caller + ": the toolbar has no button " + orvInt(button) + ".");
    return found || null;
}

function orvToolBarOf(number, button, caller) {
    var toolbar = orvToolBarRegistry.Get(number);
    if (!toolbar) return null;
    return orvToolBarButtons(toolbar, button, caller);
}

function orvSetToolBarState(button, state) {
    button.state = state ? 1 : 0;
    button.element.classList.toggle("ui-state-active", button.state === 1);
    button.element.setAttribute("aria-pressed", button.state ? "true" : "false");
}

// Adds a button: face is the picture element (or null), label its text.
function orvAddToolBarButton(number, face, label, mode, text, caller) {
    var toolbar = orvBuildingToolBar;
    if (!toolbar || toolbar.freed) {
        orvError(caller + ": there is no current toolbar (CreateToolBar() first).");
        return;
    }
    number = orvInt(number);
    var element = document.createElement("button");
    element.type = "button";
    element.className = "orvane-toolbar-button ui-button ui-widget ui-corner-all";
    element.setAttribute("data-item", String(number));
    if (face) element.appendChild(face);
    text = orvText(text);
    var caption = text || (!face ? label : "");
    if (caption && (toolbar.flags & (ORV_TOOLBAR_TEXT | ORV_TOOLBAR_INLINE_TEXT) || !face)) {
        var span = document.createElement("span");
        span.className = "orvane-toolbar-caption";
        span.textContent = caption;
        element.appendChild(span);
    }
    if (!text && label) element.title = label;
    var button = { number: number, element: element, toggle: orvInt(mode) === ORV_TOOLBAR_TOGGLE, state: 0, disabled: false };
    element.addEventListener("click", function () {
        if (button.disabled || toolbar.freed) return;
        if (button.toggle) orvSetToolBarState(button, !button.state);
        orvPostEvent(ORV_EVENT_MENU, toolbar.win.number, number, 0, 0);
    });
    if (toolbar.buttons.has(number)) orvError(caller + ": the toolbar button number " + number + " is already used in this toolbar.");
    else toolbar.buttons.set(number, button);
    toolbar.row.appendChild(element);
}

function orvReleaseToolBar(toolbar) {
    if (orvBuildingToolBar === toolbar) orvBuildingToolBar = null;
    if (toolbar.row.parentNode) toolbar.row.parentNode.removeChild(toolbar.row);
    if (toolbar.win && !toolbar.win.freed && toolbar.win.toolbarObject === toolbar) {
        toolbar.win.toolbarObject = null;
        orvWindowLayout(toolbar.win);
    }
}

orvOnWindowClose(function (win) {
    if (win.toolbarObject && !win.toolbarObject.freed) orvToolBarRegistry.Free(win.toolbarObject.number);
});

var cToolBar = (global.cToolBar = {
    // #PB_ToolBar_Small (16 pixel pictures, the default), _Large (24), _Text (captions under
    // the pictures), _InlineText (captions beside them).
    CreateToolBar: function (number, windowId, flags) {
        var win = orvWindowOfId(windowId);
        if (!win) {
            orvError("CreateToolBar(): #Window object not initialized.");
            return 0;
        }
        if (win.toolbarObject && !win.toolbarObject.freed) orvToolBarRegistry.Free(win.toolbarObject.number);
        flags = orvInt(flags);
        var row = document.createElement("div");
        row.className = "orvane-toolbar-row ui-widget ui-widget-content";
        if (flags & ORV_TOOLBAR_LARGE) row.classList.add("orvane-toolbar-large");
        if (flags & ORV_TOOLBAR_TEXT) row.classList.add("orvane-toolbar-text");
        if (flags & ORV_TOOLBAR_INLINE_TEXT) row.classList.add("orvane-toolbar-inline");
        row.setAttribute("role", "toolbar");
        var toolbar = { win: win, row: row, flags: flags, buttons: new Map() };
        var result = orvToolBarRegistry.Create(number, toolbar);
        if (!result) return 0;
        win.toolBar.appendChild(row);
        win.toolbarObject = toolbar;
        orvBuildingToolBar = toolbar;
        orvPlaceWindowBars(win);
        return result;
    },

    ToolBarImageButton: function (number, imageId, mode, text) {
        var size = orvBuildingToolBar && orvBuildingToolBar.flags & ORV_TOOLBAR_LARGE ? 24 : 16;
        var picture = orvSmallPicture(imageId, size);
        orvAddToolBarButton(number, picture, "", mode, text, "ToolBarImageButton()");
    },

    // #PB_ToolBarIcon_Cut (0) to _Print (14): drawn with the page's icon font, or named.
    ToolBarStandardButton: function (number, icon, mode, text) {
        var standard = orvStandardButtons[orvInt(icon)];
        if (!standard) {
            orvError("ToolBarStandardButton(): there is no standard button " + orvInt(icon) + ".");
            standard = ["?", ""];
        }
        var face = null;
        if (standard[1] && orvHasIconFont()) {
            face = document.createElement("i");
            face.className = "fa " + standard[1];
            face.setAttribute("aria-hidden", "true");
        }
        orvAddToolBarButton(number, face, standard[0], mode, text, "ToolBarStandardButton()");
    },

    ToolBarSeparator: function () {
        var toolbar = orvBuildingToolBar;
        if (!toolbar || toolbar.freed) {
            orvError("ToolBarSeparator(): there is no current toolbar (CreateToolBar() first).");
            return;
        }
        var separator = document.createElement("span");
        separator.className = "orvane-toolbar-separator";
        toolbar.row.appendChild(separator);
    },

    ToolBarToolTip: function (number, button, text) {
        var found = orvToolBarOf(number, button, "ToolBarToolTip()");
        if (!found) return;
        text = orvText(text);
        if (text) found.element.title = text;
        else found.element.removeAttribute("title");
    },
    ToolBarButtonText: function (number, button, text) {
        var found = orvToolBarOf(number, button, "ToolBarButtonText()");
        if (!found) return;
        var caption = found.element.querySelector(".orvane-toolbar-caption");
        if (!caption) {
            caption = document.createElement("span");
            caption.className = "orvane-toolbar-caption";
            found.element.appendChild(caption);
        }
        caption.textContent = orvText(text);
    },
    SetToolBarButtonState: function (number, button, state) {
        var found = orvToolBarOf(number, button, "SetToolBarButtonState()");
        if (found) orvSetToolBarState(found, orvInt(state) !== 0);
    },
    GetToolBarButtonState: function (number, button) {
        var found = orvToolBarOf(number, button, "GetToolBarButtonState()");
        return found ? found.state : 0;
    },
    DisableToolBarButton: function (number, button, state) {
        var found = orvToolBarOf(number, button, "DisableToolBarButton()");
        if (!found) return;
        found.disabled = orvInt(state) !== 0;
        found.element.disabled = found.disabled;
        found.element.classList.toggle("ui-state-disabled", found.disabled);
    },
    // As laid out; the height the stylesheet gives it while the window is not shown.
    ToolBarHeight: function (number) {
        var toolbar = orvToolBarRegistry.Get(number);
        if (!toolbar) return 0;
        if (toolbar.row.offsetHeight) return toolbar.row.offsetHeight;
        var height = toolbar.flags & ORV_TOOLBAR_LARGE ? 36 : 28;
        return toolbar.flags & ORV_TOOLBAR_TEXT ? height + 16 : height;
    },
    FreeToolBar: function (number) {
        if (orvInt(number) === -1) {
            orvToolBarRegistry.All().forEach(function (toolbar) {
                orvToolBarRegistry.Free(toolbar.number);
            });
            return;
        }
        if (orvToolBarRegistry.Get(number)) orvToolBarRegistry.Free(number);
    },
    IsToolBar: function (number) {
        return orvToolBarRegistry.Is(number);
    },
    ToolBarID: function (number) {
        var toolbar = orvToolBarRegistry.Get(number);
        return toolbar ? orvHandle(toolbar) : 0;
    },
});

orvAddConstants({
    PB_ToolBar_Small: 1,
    PB_ToolBar_Large: 2,
    PB_ToolBar_Text: 4,
    PB_ToolBar_InlineText: 8,
    PB_ToolBar_Normal: 0,
    PB_ToolBar_Toggle: 1,
    PB_ToolBarIcon_Cut: 0,
    PB_ToolBarIcon_Copy: 1,
    PB_ToolBarIcon_Paste: 2,
    PB_ToolBarIcon_Undo: 3,
    PB_ToolBarIcon_Redo: 4,
    PB_ToolBarIcon_Delete: 5,
    PB_ToolBarIcon_New: 6,
    PB_ToolBarIcon_Open: 7,
    PB_ToolBarIcon_Save: 8,
    PB_ToolBarIcon_PrintPreview: 9,
    PB_ToolBarIcon_Properties: 10,
    PB_ToolBarIcon_Help: 11,
    PB_ToolBarIcon_Find: 12,
    PB_ToolBarIcon_Replace: 13,
    PB_ToolBarIcon_Print: 14,
});
