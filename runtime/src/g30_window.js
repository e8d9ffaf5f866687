// Windows: jQuery UI dialogs in the profile's theme, placed on the page's desktop area. A window's
// dialog content holds, from top to bottom, the menu bar, toolbar, the inner area and the status
// bar; the inner area has exactly the size the program asked for and holds its gadgets at their
// pixel positions.

var ORV_IGNORE = -0xffff;
var ORV_WINDOW_FLAGS = {
    screenCentered: 0x1,
    windowCentered: 0x2,
    tool: 0x4,
    noGadgets: 0x8,
    systemMenu: 0x80000,
    sizeGadget: 0x40000,
    minimizeGadget: 0x20000,
    maximizeGadget: 0x10000,
    maximize: 0x1000000,
    minimize: 0x20000000,
    invisible: 0x10000000,
    borderLess: 0x80000000,
    noActivate: 0x2000000,
};
var ORV_WINDOW_STATE_NORMAL = 0;
var ORV_WINDOW_STATE_MAXIMIZE = 0x1000000;
var ORV_WINDOW_STATE_MINIMIZE = 0x20000000;
var ORV_EVENT_ACTIVATE_WINDOW = 13104;
var ORV_EVENT_MINIMIZE_WINDOW = 13107;
var ORV_EVENT_MAXIMIZE_WINDOW = 13108;
var ORV_EVENT_RESTORE_WINDOW = 13109;
var ORV_EVENT_RIGHT_CLICK = 13111;
var ORV_EVENT_LEFT_CLICK = 13112;
var ORV_EVENT_LEFT_DOUBLE_CLICK = 13113;
var ORV_EVENT_DEACTIVATE_WINDOW = 13114;
var ORV_EVENT_MOVE_WINDOW = 13117;
var ORV_EVENT_SIZE_WINDOW = 13118;

var orvWindowRegistry = orvRegistry("Window", orvReleaseWindow);
var orvActiveWindow = null;
var orvWindowsOpened = 0;
// Functions that undo what other libraries attached to a window (menus, toolbars, status bars,
// shortcuts); each is called with the window object when the window closes.
var orvWindowCloseHooks = [];

function orvOnWindowClose(hook) {
    orvWindowCloseHooks.push(hook);
}

// A PureBasic colour (red in the low byte) as CSS.
function orvCssColor(color) {
    color = orvInt(color);
    return "rgb(" + (color & 255) + "," + ((color >> 8) & 255) + "," + ((color >> 16) & 255) + ")";
}

function orvHasJQueryUi() {
    return typeof jQuery !== "undefined" && jQuery.fn && typeof jQuery.fn.dialog === "function";
}

// The part of the page the windows live on; the page turns into a desktop when the first
// window opens, with the debug output and the console below it instead of under the windows.
function orvDesktop() {
    var desktop = document.getElementById("orvane-desktop");
    if (!desktop) {
        desktop = document.createElement("div");
        desktop.id = "orvane-desktop";
        desktop.className = "orvane-desktop ui-widget-header";
        var body = document.body || document.documentElement;
        body.insertBefore(desktop, body.firstChild);
        body.classList.add("orvane-windows");
        // The mobile page's wait picture covers the page until jQuery Mobile starts; a window
        // program's windows show without it.
        var wait = document.getElementById("orvane-wait");
        if (wait) wait.style.display = "none";
    }
    return desktop;
}

function orvWindowOf(number) {
    return orvWindowRegistry.Get(number);
}

// A window given by number, or by its WindowID (ParentID, UseGadgetList).
function orvWindowOfId(id) {
    return orvWindowRegistry.FindByNumberOrHandle(id);
}

function orvBuildWindow(win, title, flags) {
    var content = document.createElement("div");
    content.className = "orvane-window";
    win.element = content;
    win.menuBar = orvSlot(content, "orvane-menubar");
    win.toolBar = orvSlot(content, "orvane-toolbar");
    win.inner = orvSlot(content, "orvane-inner");
    win.statusBar = orvSlot(content, "orvane-statusbar");
    win.inner.style.width = win.width + "px";
    win.inner.style.height = win.height + "px";
    orvDesktop().appendChild(content);

    if (orvHasJQueryUi()) {
        var $content = jQuery(content);
        $content.dialog({
            appendTo: orvDesktop(),
            autoOpen: false,
            title: title,
            width: win.width,
            height: "auto",
            minWidth: 0,
            minHeight: 0,
            resizable: (flags & ORV_WINDOW_FLAGS.sizeGadget) === ORV_WINDOW_FLAGS.sizeGadget,
            draggable: !(flags & ORV_WINDOW_FLAGS.borderLess),
            closeOnEscape: false,
            beforeClose: function () {
                // The close box asks the program; only CloseWindow and HideWindow close.
                if (win.closingByProgram) return true;
                if (!win.disabled) orvPostEvent(ORV_EVENT_CLOSE_WINDOW, win.number, -1, 0, 0);
                return false;
            },
            resize: function () {
                orvWindowSizeChanged(win, true);
            },
            resizeStop: function () {
                orvWindowSizeChanged(win, true);
            },
            dragStop: function () {
                orvWindowMoved(win);
            },
            // Called when the dialog came in front of the others.
            focus: function () {
                orvKeepInFront(win);
            },
        });
        win.frame = $content.dialog("widget")[0];
    } else {
        // Without jQuery UI (a mobile page) the window is a plain framed box.
        var frame = document.createElement("div");
        frame.className = "ui-dialog ui-widget ui-widget-content ui-corner-all ui-front";
        frame.style.position = "absolute";
        var bar = document.createElement("div");
        bar.className = "ui-dialog-titlebar ui-widget-header ui-corner-all";
        var caption = document.createElement("span");
        caption.className = "ui-dialog-title";
        caption.textContent = title;
        bar.appendChild(caption);
        frame.appendChild(bar);
        frame.appendChild(content);
        frame.style.display = "none";
        orvDesktop().appendChild(frame);
        win.frame = frame;
    }
    var $frame = typeof jQuery !== "undefined" ? jQuery(win.frame) : null;
    win.frame.classList.add("orvane-frame");
    if (flags & ORV_WINDOW_FLAGS.borderLess) win.frame.classList.add("orvane-borderless");
    if (flags & ORV_WINDOW_FLAGS.tool) win.frame.classList.add("orvane-tool");
    // Without the system menu there is no close box, as on the desktop.
    if (flags !== undefined && !(flags & ORV_WINDOW_FLAGS.systemMenu)) win.frame.classList.add("orvane-noclose");
    if ($frame) {
        $frame.on("mousedown focusin", function () {
            orvActivateWindow(win, true);
        });
        $frame.find(".ui-dialog-titlebar").on("dblclick", function () {
            if (win.flags & ORV_WINDOW_FLAGS.maximizeGadget) {
                orvSetWindowState(win, win.state === ORV_WINDOW_STATE_MAXIMIZE ? ORV_WINDOW_STATE_NORMAL : ORV_WINDOW_STATE_MAXIMIZE, true);
            }
        });
        orvAddTitleButtons(win, $frame);
    }
    // Clicks on the window itself, not on one of its gadgets.
    win.inner.addEventListener("click", function (event) {
        if (event.target === win.inner && !win.disabled) orvPostEvent(ORV_EVENT_LEFT_CLICK, win.number, -1, 0, 0);
    });
    win.inner.addEventListener("dblclick", function (event) {
        if (event.target === win.inner && !win.disabled) orvPostEvent(ORV_EVENT_LEFT_DOUBLE_CLICK, win.number, -1, 0, 0);
    });
    win.inner.addEventListener("contextmenu", function (event) {
        if (event.target === win.inner && !win.disabled) {
            event.preventDefault();
            orvPostEvent(ORV_EVENT_RIGHT_CLICK, win.number, -1, 0, 0);
        }
    });
}

function orvSlot(parent, className) {
    var slot = document.createElement("div");
    slot.className = className;
    parent.appendChild(slot);
    return slot;
}

// Minimize and maximize boxes in the title bar, for the windows that ask for them.
function orvAddTitleButtons(win, $frame) {
    var titlebar = $frame.find(".ui-dialog-titlebar");
    var close = titlebar.find(".ui-dialog-titlebar-close");
    var add = function (className, icon, title, state) {
        var button = jQuery("<button type='button'></button>")
            .addClass("orvane-titlebar-button " + className)
            .attr("title", title)
            .insertBefore(close.length ? close : null);
        if (!close.length) titlebar.append(button);
        if (typeof jQuery.fn.button === "function") button.button({ icon: icon, showLabel: false, label: title });
        button.on("click", function () {
            if (win.disabled) return;
            orvSetWindowState(win, win.state === state ? ORV_WINDOW_STATE_NORMAL : state, true);
        });
    };
    if ((win.flags & ORV_WINDOW_FLAGS.maximizeGadget) === ORV_WINDOW_FLAGS.maximizeGadget) {
        add("orvane-maximize", "ui-icon-newwin", "Maximize", ORV_WINDOW_STATE_MAXIMIZE);
    }
    if ((win.flags & ORV_WINDOW_FLAGS.minimizeGadget) === ORV_WINDOW_FLAGS.minimizeGadget) {
        add("orvane-minimize", "ui-icon-minus", "Minimize", ORV_WINDOW_STATE_MINIMIZE);
    }
}

function orvIsOpen(win) {
    if (orvHasJQueryUi() && jQuery(win.element).dialog("instance")) return jQuery(win.element).dialog("isOpen");
    return win.frame.style.display !== "none";
}

function orvShowFrame(win, show) {
    win.closingByProgram = true;
    try {
        if (orvHasJQueryUi() && jQuery(win.element).dialog("instance")) {
            jQuery(win.element).dialog(show ? "open" : "close");
        } else {
            win.frame.style.display = show ? "" : "none";
        }
    } finally {
        win.closingByProgram = false;
    }
    if (show) orvPlaceFrame(win);
}

// Measured frame sizes; 0 where the page has no layout (tests without a browser).
function orvFrameExtra(win) {
    var frame = win.frame;
    var width = frame.offsetWidth;
    var height = frame.offsetHeight;
    if (!width && !height) return { width: 0, height: 0, left: 0, top: 0 };
    var frameBox = frame.getBoundingClientRect();
    var innerBox = win.inner.getBoundingClientRect();
    return {
        width: width - win.inner.offsetWidth,
        height: height - win.inner.offsetHeight,
        left: Math.round(innerBox.left - frameBox.left),
        top: Math.round(innerBox.top - frameBox.top),
    };
}

// Puts the frame where win.x, win.y say (PureBasic's x and y are those of the frame).
function orvPlaceFrame(win) {
    if (win.state === ORV_WINDOW_STATE_MAXIMIZE) {
        win.frame.style.left = "0px";
        win.frame.style.top = "0px";
        return;
    }
    win.frame.style.left = win.x + "px";
    win.frame.style.top = win.y + "px";
}

function orvCenterWindow(win, within) {
    var extra = orvFrameExtra(win);
    var frameWidth = win.width + extra.width;
    var frameHeight = win.height + extra.height;
    if (within) {
        win.x = Math.round(within.x + (within.width + orvFrameExtra(within).width - frameWidth) / 2);
        win.y = Math.round(within.y + (within.height + orvFrameExtra(within).height - frameHeight) / 2);
    } else {
        var desktop = orvDesktop();
        win.x = Math.max(0, Math.round((desktop.clientWidth - frameWidth) / 2));
        win.y = Math.max(0, Math.round((desktop.clientHeight - frameHeight) / 2));
    }
}

// Sets the dialog to the inner size the program wants, plus whatever the slots take.
function orvApplyWindowSize(win) {
    win.inner.style.width = win.width + "px";
    win.inner.style.height = win.height + "px";
    if (orvHasJQueryUi() && jQuery(win.element).dialog("instance")) {
        var $content = jQuery(win.element);
        $content.dialog("option", { width: win.width, height: "auto" });
        // The dialog's own width counts its padding; the content must be exactly as wide as
        // the inner area.
        var extra = win.element.offsetWidth ? win.element.offsetWidth - win.inner.offsetWidth : 0;
        if (extra) $content.dialog("option", "width", win.width - extra);
    }
}

// Recomputes the inner area after a menu bar, toolbar or status bar was put into its slot (or
// taken out): the inner area keeps the program's size and the window grows or shrinks around it.
function orvWindowLayout(win) {
    if (!win || win.freed) return;
    orvApplyWindowSize(win);
    orvPlaceFrame(win);
}

// After the user resized the window: the inner area takes what the menu bar leaves of the
// content (the toolbar and the status bar lie over the inner area, as PureBasic counts them).
function orvWindowSizeChanged(win, post) {
    var content = win.element;
    var width = content.clientWidth;
    var height = content.clientHeight - win.menuBar.offsetHeight;
    if (width <= 0 && height <= 0) return;
    width = Math.max(0, width);
    height = Math.max(0, height);
    if (width === win.width && height === win.height) return;
    win.width = width;
    win.height = height;
    win.inner.style.width = width + "px";
    win.inner.style.height = height + "px";
    if (post) orvPostEvent(ORV_EVENT_SIZE_WINDOW, win.number, -1, 0, 0);
}

function orvWindowMoved(win) {
    var x = parseInt(win.frame.style.left, 10) || 0;
    var y = parseInt(win.frame.style.top, 10) || 0;
    if (x === win.x && y === win.y) return;
    win.x = x;
    win.y = y;
    orvPostEvent(ORV_EVENT_MOVE_WINDOW, win.number, -1, 0, 0);
}

// A window opened with a parent stays in front of it, as an owned window does on the desktop, and
// sticky windows stay in front of all others.
function orvKeepInFront(win) {
    var frames = orvWindowRegistry.All().filter(function (other) {
        return other.frame && !other.hidden;
    });
    var top = 0;
    frames.forEach(function (other) {
        top = Math.max(top, Number(getComputedStyle(other.frame).zIndex) || 0);
    });
    var raise = function (other) {
        top++;
        other.frame.style.zIndex = String(top);
    };
    var raiseOwned = function (owner, depth) {
        frames.forEach(function (other) {
            if (other.parent === owner && other !== owner && depth < 16) {
                raise(other);
                raiseOwned(other, depth + 1);
            }
        });
    };
    if (win) raiseOwned(win, 0);
    frames.forEach(function (other) {
        if (other.sticky) {
            raise(other);
            raiseOwned(other, 0);
        }
    });
}

function orvActivateWindow(win, post) {
    if (orvActiveWindow === win) return;
    var previous = orvActiveWindow;
    orvActiveWindow = win;
    if (orvHasJQueryUi() && jQuery(win.element).dialog("instance")) jQuery(win.element).dialog("moveToTop");
    if (!post) return;
    if (previous && !previous.freed) orvPostEvent(ORV_EVENT_DEACTIVATE_WINDOW, previous.number, -1, 0, 0);
    orvPostEvent(ORV_EVENT_ACTIVATE_WINDOW, win.number, -1, 0, 0);
}

function orvSetWindowState(win, state, post) {
    state = orvInt(state);
    if (state === win.state) return;
    var frame = win.frame;
    if (win.state === ORV_WINDOW_STATE_MAXIMIZE || win.state === ORV_WINDOW_STATE_MINIMIZE) {
        // Back to the size and place it had before.
        var normal = win.normal;
        frame.classList.remove("orvane-minimized", "orvane-maximized");
        win.element.style.display = "";
        if (normal) {
            win.x = normal.x;
            win.y = normal.y;
            win.width = normal.width;
            win.height = normal.height;
        }
    }
    if (win.state === ORV_WINDOW_STATE_NORMAL) {
        win.normal = { x: win.x, y: win.y, width: win.width, height: win.height };
    }
    var event = ORV_EVENT_RESTORE_WINDOW;
    win.state = state;
    if (state === ORV_WINDOW_STATE_MAXIMIZE) {
        var desktop = orvDesktop();
        var extra = orvFrameExtra(win);
        win.width = Math.max(0, (desktop.clientWidth || win.width) - extra.width);
        win.height = Math.max(0, (desktop.clientHeight || win.height) - extra.height);
        frame.classList.add("orvane-maximized");
        event = ORV_EVENT_MAXIMIZE_WINDOW;
    } else if (state === ORV_WINDOW_STATE_MINIMIZE) {
        frame.classList.add("orvane-minimized");
        win.element.style.display = "none";
        event = ORV_EVENT_MINIMIZE_WINDOW;
    } else {
        win.state = ORV_WINDOW_STATE_NORMAL;
    }
    if (state !== ORV_WINDOW_STATE_MINIMIZE) orvApplyWindowSize(win);
    orvPlaceFrame(win);
    if (post) {
        orvPostEvent(event, win.number, -1, 0, 0);
        if (state !== ORV_WINDOW_STATE_MINIMIZE) orvPostEvent(ORV_EVENT_SIZE_WINDOW, win.number, -1, 0, 0);
    }
}

// Undoes everything a window owns; called by the registry (CloseWindow, a new window under the
// same number, the end of the program).
function orvReleaseWindow(win) {
    orvRemoveWindowTimers(win.number);
    orvUnbindWindow(win.number);
    for (var i = 0; i < orvWindowCloseHooks.length; i++) {
        try {
            orvWindowCloseHooks[i](win);
        } catch (error) {
            if (typeof console !== "undefined" && console.error) console.error(error);
        }
    }
    orvFreeGadgetsOfWindow(win);
    orvForgetGadgetListsOf(win);
    if (orvActiveWindow === win) orvActiveWindow = null;
    if (orvHasJQueryUi() && jQuery(win.element).dialog("instance")) {
        win.closingByProgram = true;
        jQuery(win.element).dialog("destroy");
    }
    if (win.frame && win.frame.parentNode) win.frame.parentNode.removeChild(win.frame);
    if (win.element.parentNode) win.element.parentNode.removeChild(win.element);
}

orvAtProgramEnd.push(function () {
    orvWindowRegistry.All().forEach(function (win) {
        orvWindowRegistry.Free(win.number);
    });
});

function orvWindowMouse(win, axis) {
    var mouse = orvMousePosition;
    if (!mouse || !orvIsOpen(win)) return -1;
    var box = win.inner.getBoundingClientRect();
    var x = Math.floor(mouse.x - box.left);
    var y = Math.floor(mouse.y - box.top);
    if (x < 0 || y < 0 || x >= win.width || y >= win.height) return -1;
    return axis === "x" ? x : y;
}

var orvMousePosition = null;
if (typeof document !== "undefined" && document.addEventListener) {
    document.addEventListener(
        "mousemove",
        function (event) {
            orvMousePosition = { x: event.clientX, y: event.clientY };
        },
        true,
    );
}

var orvWindowFunctions = {
    OpenWindow: function (number, x, y, width, height, title, flags, parentId) {
        if (orvProgramEnded) return 0;
        width = orvInt(width);
        height = orvInt(height);
        if (width < 0 || height < 0) {
            orvError("OpenWindow(): the width and height can't be negative.");
            width = Math.max(0, width);
            height = Math.max(0, height);
        }
        var hasFlags = flags !== undefined;
        flags = hasFlags ? orvInt(flags) >>> 0 : ORV_WINDOW_FLAGS.systemMenu;
        var parent = parentId === undefined || parentId === 0 ? null : orvWindowOfId(parentId);
        var win = {
            x: 0,
            y: 0,
            width: width,
            height: height,
            flags: flags,
            title: orvText(title),
            color: -1,
            data: 0,
            state: ORV_WINDOW_STATE_NORMAL,
            hidden: false,
            disabled: false,
            sticky: false,
            bounds: { minWidth: -1, minHeight: -1, maxWidth: -1, maxHeight: -1 },
            parent: parent,
        };
        var result = orvWindowRegistry.Create(number, win);
        if (!result) return 0;
        orvBuildWindow(win, win.title, hasFlags ? flags : undefined);
        x = x === undefined ? ORV_IGNORE : orvInt(x);
        y = y === undefined ? ORV_IGNORE : orvInt(y);
        var cascade = 24 * (orvWindowsOpened++ % 10);
        win.x = x === ORV_IGNORE ? 20 + cascade : x;
        win.y = y === ORV_IGNORE ? 20 + cascade : y;
        win.hidden = (flags & ORV_WINDOW_FLAGS.invisible) !== 0;
        orvApplyWindowSize(win);
        if (!win.hidden) orvShowFrame(win, true);
        orvApplyWindowSize(win);
        if ((flags & ORV_WINDOW_FLAGS.windowCentered) !== 0 && parent) {
            orvCenterWindow(win, parent);
        } else if (flags & (ORV_WINDOW_FLAGS.screenCentered | ORV_WINDOW_FLAGS.windowCentered)) {
            orvCenterWindow(win, null);
        }
        orvPlaceFrame(win);
        if (!(flags & ORV_WINDOW_FLAGS.noGadgets)) orvUseWindowGadgetList(win);
        if (flags & ORV_WINDOW_FLAGS.maximize) orvSetWindowState(win, ORV_WINDOW_STATE_MAXIMIZE, false);
        else if (flags & ORV_WINDOW_FLAGS.minimize) orvSetWindowState(win, ORV_WINDOW_STATE_MINIMIZE, false);
        if (!win.hidden && !(flags & ORV_WINDOW_FLAGS.noActivate)) orvActivateWindow(win, true);
        return result;
    },

    CloseWindow: function (number) {
        if (orvInt(number) === -1) {
            orvWindowRegistry.All().forEach(function (win) {
                orvWindowRegistry.Free(win.number);
            });
            return;
        }
        if (!orvWindowOf(number)) return;
        orvWindowRegistry.Free(number);
    },

    IsWindow: function (number) {
        return orvWindowRegistry.Is(number);
    },

    WindowID: function (number) {
        var win = orvWindowOf(number);
        return win ? orvHandle(win) : 0;
    },

    SetWindowTitle: function (number, title) {
        var win = orvWindowOf(number);
        if (!win) return;
        win.title = orvText(title);
        if (orvHasJQueryUi() && jQuery(win.element).dialog("instance")) jQuery(win.element).dialog("option", "title", win.title);
        else win.frame.querySelector(".ui-dialog-title").textContent = win.title;
    },
    GetWindowTitle: function (number) {
        var win = orvWindowOf(number);
        return win ? win.title : "";
    },

    ResizeWindow: function (number, x, y, width, height) {
        var win = orvWindowOf(number);
        if (!win) return;
        x = orvInt(x);
        y = orvInt(y);
        width = orvInt(width);
        height = orvInt(height);
        if ((width < 0 && width !== ORV_IGNORE) || (height < 0 && height !== ORV_IGNORE)) {
            orvError("ResizeWindow(): the width and height can't be negative.");
            return;
        }
        var moved = (x !== ORV_IGNORE && x !== win.x) || (y !== ORV_IGNORE && y !== win.y);
        var sized = (width !== ORV_IGNORE && width !== win.width) || (height !== ORV_IGNORE && height !== win.height);
        if (x !== ORV_IGNORE) win.x = x;
        if (y !== ORV_IGNORE) win.y = y;
        if (width !== ORV_IGNORE) win.width = orvBounded(width, win.bounds.minWidth, win.bounds.maxWidth);
        if (height !== ORV_IGNORE) win.height = orvBounded(height, win.bounds.minHeight, win.bounds.maxHeight);
        if (sized) orvApplyWindowSize(win);
        orvPlaceFrame(win);
        if (moved) orvPostEvent(ORV_EVENT_MOVE_WINDOW, win.number, -1, 0, 0);
        if (sized) orvPostEvent(ORV_EVENT_SIZE_WINDOW, win.number, -1, 0, 0);
    },

    WindowX: function (number, mode) {
        var win = orvWindowOf(number);
        if (!win) return 0;
        return win.x + (orvInt(mode) === 1 ? orvFrameExtra(win).left : 0);
    },
    WindowY: function (number, mode) {
        var win = orvWindowOf(number);
        if (!win) return 0;
        return win.y + (orvInt(mode) === 1 ? orvFrameExtra(win).top : 0);
    },
    // The inner area by default; mode #PB_Window_FrameCoordinate (0) adds the frame.
    WindowWidth: function (number, mode) {
        var win = orvWindowOf(number);
        if (!win) return 0;
        return win.width + (mode !== undefined && orvInt(mode) === 0 ? orvFrameExtra(win).width : 0);
    },
    WindowHeight: function (number, mode) {
        var win = orvWindowOf(number);
        if (!win) return 0;
        return win.height + (mode !== undefined && orvInt(mode) === 0 ? orvFrameExtra(win).height : 0);
    },

    HideWindow: function (number, state, flags) {
        var win = orvWindowOf(number);
        if (!win) return;
        var hide = !!orvInt(state);
        flags = orvInt(flags);
        win.hidden = hide;
        orvShowFrame(win, !hide);
        if (hide) {
            if (orvActiveWindow === win) orvActiveWindow = null;
            return;
        }
        if ((flags & ORV_WINDOW_FLAGS.windowCentered) !== 0 && win.parent && !win.parent.freed) {
            orvCenterWindow(win, win.parent);
        } else if (flags & (ORV_WINDOW_FLAGS.screenCentered | ORV_WINDOW_FLAGS.windowCentered)) {
            orvCenterWindow(win, null);
        }
        orvApplyWindowSize(win);
        orvPlaceFrame(win);
        if (!(flags & ORV_WINDOW_FLAGS.noActivate)) orvActivateWindow(win, true);
    },

    DisableWindow: function (number, state) {
        var win = orvWindowOf(number);
        if (!win) return;
        win.disabled = !!orvInt(state);
        win.frame.classList.toggle("orvane-disabled", win.disabled);
        win.element.inert = win.disabled;
    },

    SetActiveWindow: function (number) {
        var win = orvWindowOf(number);
        if (!win || win.hidden) return;
        orvActivateWindow(win, true);
    },
    GetActiveWindow: function () {
        return orvActiveWindow && !orvActiveWindow.freed ? orvActiveWindow.number : -1;
    },

    StickyWindow: function (number, state) {
        var win = orvWindowOf(number);
        if (!win) return;
        win.sticky = !!orvInt(state);
        win.frame.classList.toggle("orvane-sticky", win.sticky);
        if (win.sticky) orvKeepInFront(null);
    },

    SetWindowColor: function (number, color) {
        var win = orvWindowOf(number);
        if (!win) return;
        color = orvInt(color);
        win.color = color;
        win.inner.style.backgroundColor = color === -1 ? "" : orvCssColor(color);
    },
    GetWindowColor: function (number) {
        var win = orvWindowOf(number);
        return win ? win.color : 0;
    },

    SetWindowData: function (number, value) {
        var win = orvWindowOf(number);
        if (win) win.data = value;
    },
    GetWindowData: function (number) {
        var win = orvWindowOf(number);
        return win ? win.data : 0;
    },

    SetWindowState: function (number, state) {
        var win = orvWindowOf(number);
        if (win) orvSetWindowState(win, state, false);
    },
    GetWindowState: function (number) {
        var win = orvWindowOf(number);
        return win ? win.state : 0;
    },

    WindowMouseX: function (number) {
        var win = orvWindowOf(number);
        return win ? orvWindowMouse(win, "x") : -1;
    },
    WindowMouseY: function (number) {
        var win = orvWindowOf(number);
        return win ? orvWindowMouse(win, "y") : -1;
    },

    // #PB_Ignore keeps a bound, #PB_Default (-1) removes it.
    WindowBounds: function (number, minWidth, minHeight, maxWidth, maxHeight) {
        var win = orvWindowOf(number);
        if (!win) return;
        var set = function (name, value) {
            value = orvInt(value);
            if (value !== ORV_IGNORE) win.bounds[name] = value < 0 ? -1 : value;
        };
        set("minWidth", minWidth);
        set("minHeight", minHeight);
        set("maxWidth", maxWidth);
        set("maxHeight", maxHeight);
        if (orvHasJQueryUi() && jQuery(win.element).dialog("instance")) {
            var extra = orvFrameExtra(win);
            var b = win.bounds;
            jQuery(win.element).dialog("option", {
                minWidth: b.minWidth < 0 ? 0 : b.minWidth + extra.width,
                minHeight: b.minHeight < 0 ? 0 : b.minHeight + extra.height,
                maxWidth: b.maxWidth < 0 ? null : b.maxWidth + extra.width,
                maxHeight: b.maxHeight < 0 ? null : b.maxHeight + extra.height,
            });
        }
        var width = orvBounded(win.width, win.bounds.minWidth, win.bounds.maxWidth);
        var height = orvBounded(win.height, win.bounds.minHeight, win.bounds.maxHeight);
        if (width !== win.width || height !== win.height) {
            win.width = width;
            win.height = height;
            orvApplyWindowSize(win);
        }
    },

    // The browser always redraws smartly.
    SmartWindowRefresh: function (number) {
        orvWindowOf(number);
    },

    // Windows message parameters do not exist in a browser.
    EventwParam: function () {
        return 0;
    },
    EventlParam: function () {
        return 0;
    },
};

function orvBounded(value, minimum, maximum) {
    if (minimum >= 0 && value < minimum) value = minimum;
    if (maximum >= 0 && value > maximum) value = maximum;
    return value;
}

Object.assign(cWindow, orvWindowFunctions);

// Constants of the Window library, with PureBasic's values (Windows values where the systems differ).
orvAddConstants({
    PB_Window_ScreenCentered: 1,
    PB_Window_WindowCentered: 2,
    PB_Window_Tool: 4,
    PB_Window_TitleBar: 12582912,
    PB_Window_SystemMenu: 13107200,
    PB_Window_SizeGadget: 12845056,
    PB_Window_MinimizeGadget: 13238272,
    PB_Window_MaximizeGadget: 13172736,
    PB_Window_Invisible: 268435456,
    PB_Window_BorderLess: 2147483648,
    PB_Window_NoGadgets: 8,
    PB_Window_NoActivate: 33554432,
    PB_Window_FrameCoordinate: 0,
    PB_Window_InnerCoordinate: 1,
    PB_Window_Normal: 0,
    PB_Window_Maximize: 16777216,
    PB_Window_Minimize: 536870912,
});
