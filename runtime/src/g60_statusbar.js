// Status bars: a row of fields over the bottom of a window's inner area. As in PureBasic, the
// status bar is part of the inner height: a program keeps its gadgets above
// WindowHeight() - StatusBarHeight().

var ORV_STATUSBAR_RAISED = 1;
var ORV_STATUSBAR_BORDERLESS = 2;
var ORV_STATUSBAR_CENTER = 4;
var ORV_STATUSBAR_RIGHT = 8;
var ORV_STATUSBAR_HEIGHT = 23;

var orvStatusBarRegistry = orvRegistry("StatusBar", orvReleaseStatusBar);
var orvBuildingStatusBar = null;

function orvReleaseStatusBar(bar) {
    if (orvBuildingStatusBar === bar) orvBuildingStatusBar = null;
    if (bar.row.parentNode) bar.row.parentNode.removeChild(bar.row);
    if (bar.win && !bar.win.freed && bar.win.statusbarObject === bar) {
        bar.win.statusbarObject = null;
        orvWindowLayout(bar.win);
    }
}

orvOnWindowClose(function (win) {
    if (win.statusbarObject && !win.statusbarObject.freed) orvStatusBarRegistry.Free(win.statusbarObject.number);
});

// The field of a status bar; an index out of range shows an error line and gives null.
function orvStatusBarField(number, index, caller) {
    var bar = orvStatusBarRegistry.Get(number);
    if (!bar) return null;
    index = orvInt(index);
    var field = bar.fields[index];
    if (!field) {
        orvError(caller + ": the status bar has no field " + index + " (it has " + bar.fields.length + ").");
        return null;
    }
    return field;
}

// Appearance flags: the border, and where the content sits in the field.
function orvStatusBarAppearance(field, appearance) {
    appearance = orvInt(appearance);
    var element = field.element;
    element.classList.toggle("orvane-statusbar-raised", (appearance & ORV_STATUSBAR_RAISED) !== 0);
    element.classList.toggle("orvane-statusbar-borderless", (appearance & ORV_STATUSBAR_BORDERLESS) !== 0);
    element.style.justifyContent = appearance & ORV_STATUSBAR_CENTER ? "center" : appearance & ORV_STATUSBAR_RIGHT ? "flex-end" : "";
}

// What a field shows: its text, a picture or a progress bar; each replaces the others.
function orvStatusBarShow(field, kind) {
    if (field.kind === kind) return;
    field.kind = kind;
    field.element.textContent = "";
    field.progress = null;
}

var cStatusBar = (global.cStatusBar = {
    CreateStatusBar: function (number, windowId) {
        var win = orvWindowOfId(windowId);
        if (!win) {
            orvError("CreateStatusBar(): #Window object not initialized.");
            return 0;
        }
        if (win.statusbarObject && !win.statusbarObject.freed) orvStatusBarRegistry.Free(win.statusbarObject.number);
        var row = document.createElement("div");
        row.className = "orvane-statusbar-row ui-widget ui-widget-content";
        var bar = { win: win, row: row, fields: [] };
        var result = orvStatusBarRegistry.Create(number, bar);
        if (!result) return 0;
        win.statusBar.appendChild(row);
        win.statusbarObject = bar;
        orvBuildingStatusBar = bar;
        return result;
    },

    // A width in pixels, or #PB_Ignore for a field that shares the free width with the others.
    AddStatusBarField: function (width) {
        var bar = orvBuildingStatusBar;
        if (!bar || bar.freed) {
            orvError("AddStatusBarField(): there is no current status bar (CreateStatusBar() first).");
            return;
        }
        var element = document.createElement("div");
        element.className = "orvane-statusbar-field ui-corner-all";
        width = orvInt(width);
        if (width === ORV_IGNORE) {
            element.style.flex = "1 1 0";
        } else {
            element.style.flex = "0 0 auto";
            element.style.width = Math.max(0, width) + "px";
        }
        bar.row.appendChild(element);
        bar.fields.push({ element: element, kind: "text", text: "" });
    },

    StatusBarText: function (number, index, text, appearance) {
        var field = orvStatusBarField(number, index, "StatusBarText()");
        if (!field) return;
        orvStatusBarShow(field, "text");
        field.text = orvText(text);
        field.element.textContent = field.text;
        field.element.title = field.text;
        orvStatusBarAppearance(field, appearance);
    },
    StatusBarImage: function (number, index, imageId, appearance) {
        var field = orvStatusBarField(number, index, "StatusBarImage()");
        if (!field) return;
        orvStatusBarShow(field, "image");
        field.element.textContent = "";
        var picture = orvSmallPicture(imageId, 16);
        if (picture) field.element.appendChild(picture);
        orvStatusBarAppearance(field, appearance);
    },

    // Min and Max stay as they were where they are omitted or #PB_Ignore (0 and 100 at first).
    StatusBarProgress: function (number, index, value, appearance, minimum, maximum) {
        var field = orvStatusBarField(number, index, "StatusBarProgress()");
        if (!field) return;
        orvStatusBarShow(field, "progress");
        if (!field.progress) {
            var track = document.createElement("div");
            track.className = "orvane-statusbar-progress ui-progressbar ui-widget ui-widget-content ui-corner-all";
            track.setAttribute("role", "progressbar");
            var fill = document.createElement("div");
            fill.className = "ui-progressbar-value ui-widget-header ui-corner-left";
            track.appendChild(fill);
            field.element.appendChild(track);
            field.progress = { track: track, fill: fill, minimum: field.minimum || 0, maximum: field.maximum === undefined ? 100 : field.maximum };
        }
        var progress = field.progress;
        if (minimum !== undefined && orvInt(minimum) !== ORV_IGNORE) progress.minimum = orvInt(minimum);
        if (maximum !== undefined && orvInt(maximum) !== ORV_IGNORE) progress.maximum = orvInt(maximum);
        field.minimum = progress.minimum;
        field.maximum = progress.maximum;
        var span = progress.maximum - progress.minimum;
        var share = span > 0 ? (orvNumber(value) - progress.minimum) / span : 0;
        share = Math.min(1, Math.max(0, share));
        progress.fill.style.width = share * 100 + "%";
        progress.fill.style.display = share > 0 ? "" : "none";
        progress.track.setAttribute("aria-valuenow", String(orvNumber(value)));
        orvStatusBarAppearance(field, appearance);
    },

    // As laid out; the height the stylesheet gives it while the window is not shown.
    StatusBarHeight: function (number) {
        var bar = orvStatusBarRegistry.Get(number);
        if (!bar) return 0;
        return bar.row.offsetHeight || ORV_STATUSBAR_HEIGHT;
    },
    FreeStatusBar: function (number) {
        if (orvInt(number) === -1) {
            orvStatusBarRegistry.All().forEach(function (bar) {
                orvStatusBarRegistry.Free(bar.number);
            });
            return;
        }
        if (orvStatusBarRegistry.Get(number)) orvStatusBarRegistry.Free(number);
    },
    IsStatusBar: function (number) {
        return orvStatusBarRegistry.Is(number);
    },
    StatusBarID: function (number) {
        var bar = orvStatusBarRegistry.Get(number);
        return bar ? orvHandle(bar) : 0;
    },
});

orvAddConstants({
    PB_StatusBar_Raised: 1,
    PB_StatusBar_BorderLess: 2,
    PB_StatusBar_Center: 4,
    PB_StatusBar_Right: 8,
});
