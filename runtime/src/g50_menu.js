// Menus: a window's menu bar (titles in its menu bar slot, each opening a jQuery UI menu widget
// below it), popup menus shown at the mouse, and the keyboard shortcuts of a window (the page's
// hotkeys library). Choosing an item, pressing a shortcut or clicking a toolbar button posts
// #PB_Event_Menu with the item's number, which EventMenu() gives back.
//
// The menu bar makes the window taller (the inner area keeps the program's size), as on Linux,
// so MenuHeight() is 0 there as well: a program that adds MenuHeight() to its window gets
// exactly the inner area it asked for.

var orvMenuRegistry = orvRegistry("Menu", orvReleaseMenu);
// The menu that MenuTitle, MenuItem, MenuBar and OpenSubMenu add to.
var orvBuildingMenu = null;
// The list (ul element) shown now, with its menu and title: { menu, list, title }.
var orvShownMenu = null;
// OpenSubMenu answers a number of its own, so that SetMenuItemText can rename the submenu.
var orvNextSubMenuNumber = 0x10000;

// "&Open\tCtrl+O": the label without its accelerator marks and the shortcut text after the tab.
function orvMenuLabel(text) {
    text = orvText(text);
    var tab = text.indexOf("\t");
    var label = tab < 0 ? text : text.slice(0, tab);
    return {
        label: label.replace(/&(&?)/g, "$1"),
        shortcut: tab < 0 ? "" : text.slice(tab + 1),
    };
}

function orvMenuElement(tag, className, parent) {
    var element = document.createElement(tag);
    if (className) element.className = className;
    if (parent) parent.appendChild(element);
    return element;
}

function orvHasMenuWidget() {
    return typeof jQuery !== "undefined" && jQuery.fn && typeof jQuery.fn.menu === "function";
}

// A 16x16 picture of an image (ImageID or number) for an image menu or a toolbar, or null.
function orvSmallPicture(imageId, size) {
    if (!imageId || typeof orvImageCanvas !== "function") return null;
    var canvas = orvImageCanvas(imageId);
    if (!canvas) return null;
    var picture = document.createElement("img");
    try {
        picture.src = canvas.toDataURL();
    } catch (error) {
        return null;
    }
    picture.width = size;
    picture.height = size;
    picture.alt = "";
    return picture;
}

// One list of items (a title's drop-down, a submenu, a popup menu).
// Lists wait hidden at the end of the page until they are shown. A page without jQuery UI (a
// jQuery Mobile page) has plain lists: submenus open on hover by the stylesheet, a click chooses.
function orvNewMenuList(menu) {
    var list = orvMenuElement("ul", "orvane-menu-list orvane-menu-popup", document.body);
    list.style.display = "none";
    list.tabIndex = -1;
    if (menu.images) list.classList.add("orvane-menu-images");
    if (!orvHasMenuWidget()) {
        list.classList.add("orvane-menu-plain", "ui-widget", "ui-widget-content");
        list.addEventListener("click", function (event) {
            var li = event.target.closest ? event.target.closest("li[data-item]") : null;
            if (li && !li.classList.contains("orvane-menu-separator")) orvChooseMenuItem(menu, li);
        });
    }
    return list;
}

// The row of an item: check mark, picture, label and the shortcut text on the right.
function orvFillMenuRow(item) {
    var row = item.row;
    var caret = row.querySelector(".ui-menu-icon");
    row.textContent = "";
    if (caret) row.appendChild(caret);
    var parts = orvMenuLabel(item.text);
    orvMenuElement("span", "orvane-menu-check", row).textContent = item.state ? "\u2713" : "";
    if (item.menu.images) {
        var icon = orvMenuElement("span", "orvane-menu-icon", row);
        var picture = orvSmallPicture(item.image, 16);
        if (picture) icon.appendChild(picture);
    }
    orvMenuElement("span", "orvane-menu-text", row).textContent = parts.label;
    if (parts.shortcut) orvMenuElement("span", "orvane-menu-shortcut", row).textContent = parts.shortcut;
    // The menu widget draws its own arrow for a submenu.
    if (item.submenu && !orvHasMenuWidget()) orvMenuElement("span", "orvane-menu-arrow", row).textContent = "\u25b8";
}

function orvAddMenuItem(menu, number, text, image, caller) {
    var list = menu.list;
    var li = orvMenuElement("li", "orvane-menu-item", list);
    var row = orvMenuElement("div", "", li);
    var item = { number: number, text: orvText(text), image: image, state: 0, disabled: false, menu: menu, li: li, row: row };
    li.setAttribute("data-item", String(number));
    var same = menu.items.get(number);
    if (same) {
        orvError(caller + ": the menu item number " + number + " is already used in this menu.");
        same.push(item);
    } else {
        menu.items.set(number, [item]);
    }
    menu.changed = true;
    return item;
}

// The menu being built, for MenuTitle, MenuItem, MenuBar and the submenus.
function orvMenuBeingBuilt(caller) {
    var menu = orvBuildingMenu;
    if (!menu || menu.freed) {
        orvError(caller + ": there is no current menu (CreateMenu() or CreatePopupMenu() first).");
        return null;
    }
    if (!menu.list) {
        orvError(caller + ": the menu has no title yet (MenuTitle() first).");
        return null;
    }
    return menu;
}

function orvMenuItems(number, item, caller) {
    var menu = orvMenuRegistry.Get(number);
    if (!menu) return null;
    var items = menu.items.get(orvInt(item));
    if (!items) {
        orvError(caller + ": the menu item " + orvInt(item) + " does not exist in this menu.");
        return null;
    }
    return items;
}

// The jQuery UI menu widget of a list, made or brought up to date before it is shown.
function orvPrepareMenuList(menu, list) {
    if (!orvHasMenuWidget()) return;
    var $list = jQuery(list);
    if (!$list.menu("instance")) {
        $list.menu({
            // A click chooses the item under the mouse, the keys the active one.
            select: function (event, ui) {
                var original = event && event.originalEvent;
                var clicked = original && original.type === "click" ? jQuery(original.target).closest(".ui-menu-item")[0] : null;
                orvChooseMenuItem(menu, clicked || ui.item[0]);
            },
        });
        menu.changed = false;
    } else if (menu.changed) {
        $list.menu("refresh");
        menu.changed = false;
    }
}

// An item chosen with the mouse or the keyboard.
function orvChooseMenuItem(menu, li) {
    if (!li || !li.hasAttribute("data-item") || li.classList.contains("ui-state-disabled")) return;
    if (li.querySelector("ul")) return; // a submenu opens, it is not chosen
    var shown = orvShownMenu;
    orvHideMenu();
    var win = menu.kind === "bar" ? menu.win : shown && shown.win;
    orvPostEvent(ORV_EVENT_MENU, win ? win.number : -1, orvInt(li.getAttribute("data-item")), 0, 0);
}

// Shows a list at a place: below a title (of: element) or at page coordinates (x, y).
function orvShowMenuList(menu, list, where) {
    orvHideMenu();
    orvPrepareMenuList(menu, list);
    list.style.display = "block";
    if (where.title) {
        var box = where.title.getBoundingClientRect();
        list.style.left = Math.round(box.left + window.scrollX) + "px";
        list.style.top = Math.round(box.bottom + window.scrollY) + "px";
        where.title.classList.add("ui-state-active");
    } else {
        list.style.left = Math.round(where.x) + "px";
        list.style.top = Math.round(where.y) + "px";
    }
    // Keep it on the page, as a desktop keeps a menu on the screen.
    var rect = list.getBoundingClientRect();
    var overRight = rect.right - document.documentElement.clientWidth;
    if (overRight > 0) list.style.left = Math.max(0, parseFloat(list.style.left) - overRight) + "px";
    var overBottom = rect.bottom - document.documentElement.clientHeight;
    if (overBottom > 0 && !where.title) list.style.top = Math.max(0, parseFloat(list.style.top) - rect.height) + "px";
    orvShownMenu = { menu: menu, list: list, title: where.title || null, win: where.win || null };
    // Reset first: a plain focus would let the widget mark the first item and start a timer of
    // its own over a delayed closing still pending from the last time.
    orvResetMenuWidget(list);
    if (orvHasMenuWidget()) jQuery(list).trigger("focus", [true]);
    else list.focus();
}

// Back to its first state, at once: submenus closed, no item marked, the keys working on the
// list itself, nothing left of the widget's delayed closing. (The widget's own collapseAll waits
// for a timer, which keys pressed right after opening would outrun.)
function orvResetMenuWidget(list) {
    if (!orvHasMenuWidget() || !jQuery(list).menu("instance")) return;
    var $list = jQuery(list);
    $list.find(".ui-menu").hide().attr({ "aria-hidden": "true", "aria-expanded": "false" });
    var keys = jQuery.Event("keydown");
    var first = $list.children(".ui-menu-item").first();
    if (first.length) $list.menu("focus", keys, first);
    $list.menu("blur", keys);
    // The widget's blur unmarks only the item it had active: the item that opened a submenu
    // stays marked until the delayed closing, and would look (and act) chosen in the reopened list.
    $list.find(".ui-menu-item-wrapper.ui-state-active").removeClass("ui-state-active");
}

function orvHideMenu() {
    var shown = orvShownMenu;
    if (!shown) return;
    orvShownMenu = null;
    orvResetMenuWidget(shown.list);
    // Blurred now rather than whenever the browser notices the focused list is gone: the
    // widget's delayed closing then starts, and ends, before the list can be opened again.
    if (shown.list.contains(document.activeElement)) shown.list.blur();
    shown.list.style.display = "none";
    if (shown.title) shown.title.classList.remove("ui-state-active");
}

function orvOpenTitle(menu, index) {
    var title = menu.titles[index];
    if (!title || menu.hidden) return;
    orvShowMenuList(menu, title.list, { title: title.element, win: menu.win });
}

// A click outside the shown menu closes it; Escape closes it; Left and Right go to the titles
// beside it, as in a desktop menu bar.
if (typeof document !== "undefined" && document.addEventListener) {
    document.addEventListener(
        "mousedown",
        function (event) {
            var shown = orvShownMenu;
            if (!shown || shown.list.contains(event.target)) return;
            if (shown.title && shown.title.contains(event.target)) return;
            orvHideMenu();
        },
        true
    );
    document.addEventListener("keydown", function (event) {
        var shown = orvShownMenu;
        if (!shown || !shown.list.contains(event.target)) return;
        // While a menu is open its keys are the menu's, not the window's shortcuts.
        event.orvaneMenuKey = true;
        if (event.key === "Escape") {
            var submenuOpen = shown.list.querySelector("ul.ui-menu[aria-expanded='true']");
            if (!submenuOpen) {
                orvHideMenu();
                event.preventDefault();
            }
        } else if (shown.title && (event.key === "ArrowLeft" || event.key === "ArrowRight")) {
            // The widget handles the key itself when a submenu is open, or when Right opens the
            // submenu of its active item: ask the widget, whose marks on the items may lag.
            var active = shown.list.querySelector("ul.ui-menu[aria-expanded='true']");
            var widget = orvHasMenuWidget() ? jQuery(shown.list).menu("instance") : null;
            var item = widget && widget.active ? widget.active[0] : null;
            var opensSubmenu = item && !item.classList.contains("ui-state-disabled") && item.querySelector("ul");
            if (active || (event.key === "ArrowRight" && opensSubmenu)) return;
            var titles = shown.menu.titles;
            var index = titles.findIndex(function (t) {
                return t.element === shown.title;
            });
            orvOpenTitle(shown.menu, (index + (event.key === "ArrowRight" ? 1 : titles.length - 1)) % titles.length);
            event.preventDefault();
        }
    });
}

function orvAddMenuTitle(menu, text) {
    var element = orvMenuElement("span", "orvane-menu-title ui-corner-all", menu.bar);
    element.textContent = orvMenuLabel(text).label;
    element.setAttribute("role", "menuitem");
    var title = { text: orvText(text), element: element, list: orvNewMenuList(menu) };
    var index = menu.titles.length;
    menu.titles.push(title);
    element.addEventListener("mousedown", function (event) {
        event.preventDefault();
        if (orvShownMenu && orvShownMenu.title === element) orvHideMenu();
        else orvOpenTitle(menu, index);
    });
    element.addEventListener("mouseenter", function () {
        element.classList.add("ui-state-hover");
        if (orvShownMenu && orvShownMenu.menu === menu && orvShownMenu.title !== element) orvOpenTitle(menu, index);
    });
    element.addEventListener("mouseleave", function () {
        element.classList.remove("ui-state-hover");
    });
    return title;
}

function orvCreateMenu(number, kind, images, windowId, caller) {
    var win = null;
    if (kind === "bar") {
        win = orvWindowOfId(windowId);
        if (!win) {
            orvError(caller + ": #Window object not initialized.");
            return 0;
        }
        if (win.menu && !win.menu.freed) orvMenuRegistry.Free(win.menu.number);
    }
    var menu = { kind: kind, images: images, win: win, titles: [], items: new Map(), stack: [], list: null, changed: true, hidden: false };
    var result = orvMenuRegistry.Create(number, menu);
    if (!result) return 0;
    if (kind === "bar") {
        menu.bar = orvMenuElement("div", "orvane-menu-titles ui-widget ui-widget-content", win.menuBar);
        menu.bar.setAttribute("role", "menubar");
        win.menu = menu;
        orvWindowLayout(win);
        orvPlaceWindowBars(win);
    } else {
        menu.list = orvNewMenuList(menu);
        menu.stack = [menu.list];
    }
    orvBuildingMenu = menu;
    return result;
}

function orvReleaseMenu(menu) {
    if (orvShownMenu && orvShownMenu.menu === menu) orvHideMenu();
    if (orvBuildingMenu === menu) orvBuildingMenu = null;
    var lists = menu.kind === "bar" ? menu.titles.map(function (t) { return t.list; }) : [menu.list];
    lists.forEach(function (list) {
        if (orvHasMenuWidget() && jQuery(list).menu("instance")) jQuery(list).menu("destroy");
        if (list.parentNode) list.parentNode.removeChild(list);
    });
    (menu.bindings || []).forEach(function (binding) {
        binding.removed = true;
    });
    orvBindings = orvBindings.filter(function (binding) {
        return !binding.removed;
    });
    if (menu.kind === "bar" && menu.win && !menu.win.freed) {
        if (menu.bar.parentNode) menu.bar.parentNode.removeChild(menu.bar);
        if (menu.win.menu === menu) menu.win.menu = null;
        orvWindowLayout(menu.win);
        orvPlaceWindowBars(menu.win);
    }
}

// The toolbar and the status bar lie over the inner area, at its top and its bottom; the
// toolbar sits right under the menu bar when the window shows one (the stylesheet places it, so
// that a window opened invisible is right when it is shown).
function orvPlaceWindowBars(win) {
    if (!win || win.freed) return;
    var menu = win.menu;
    win.element.classList.toggle("orvane-has-menu", !!(menu && !menu.freed && !menu.hidden));
}

// Keyboard shortcuts: Shortcut is a Windows key code with #PB_Shortcut_Shift ($10000),
// _Control ($20000) and _Alt ($40000); the hotkeys library names it "alt+ctrl+shift+key".
var ORV_SHORTCUT_SHIFT = 0x10000;
var ORV_SHORTCUT_CONTROL = 0x20000;
var ORV_SHORTCUT_ALT = 0x40000;
var orvShortcutsBound = new Map();

function orvShortcutKeys(shortcut) {
    var code = shortcut & 0xffff;
    var special = jQuery.hotkeys.specialKeys[code];
    var key = (code >= 48 && code <= 57) || (code >= 65 && code <= 90) ? String.fromCharCode(code).toLowerCase() : special;
    if (!key) return null;
    return (shortcut & ORV_SHORTCUT_ALT ? "alt+" : "") + (shortcut & ORV_SHORTCUT_CONTROL ? "ctrl+" : "") + (shortcut & ORV_SHORTCUT_SHIFT ? "shift+" : "") + key;
}

// The window a key belongs to: the one holding the focus, else the active one.
function orvWindowOfKey(target) {
    var frame = target && target.closest ? target.closest(".ui-dialog") : null;
    var windows = orvWindowRegistry.All();
    for (var i = 0; i < windows.length; i++) {
        if (frame && (windows[i].frame === frame || windows[i].element === frame)) return windows[i];
    }
    return orvActiveWindow && !orvActiveWindow.freed ? orvActiveWindow : windows.length === 1 ? windows[0] : null;
}

// One handler per key combination, shared by the windows that use it.
function orvBindShortcut(shortcut, keys) {
    if (orvShortcutsBound.has(shortcut)) return;
    var handler = function (event) {
        if (event.target && event.target.closest && event.target.closest(".orvane-requester, .orvane-requester-overlay")) return;
        if (jQuery(".orvane-requester").length) return; // a requester waits for its answer
        var native = event.originalEvent || event;
        if (orvShownMenu || native.orvaneMenuKey) return;
        var win = orvWindowOfKey(event.target);
        if (!win || !win.shortcuts || !win.shortcuts.has(shortcut) || win.disabled) return;
        orvHideMenu();
        orvPostEvent(ORV_EVENT_MENU, win.number, win.shortcuts.get(shortcut), 0, 0);
        event.preventDefault();
        event.stopPropagation();
    };
    jQuery(document).on("keydown", null, keys, handler);
    orvShortcutsBound.set(shortcut, handler);
}

// A keyboard shortcut works in the gadgets too, as a desktop window's shortcuts do.
function orvHotkeysEverywhere() {
    var options = jQuery.hotkeys.options;
    options.filterInputAcceptingElements = false;
    options.filterTextInputs = false;
    options.filterContentEditable = false;
}

orvOnWindowClose(function (win) {
    if (win.menu && !win.menu.freed) orvMenuRegistry.Free(win.menu.number);
    if (orvShownMenu && orvShownMenu.win === win) orvHideMenu();
    win.shortcuts = null;
});

var cMenu = (global.cMenu = {
    CreateMenu: function (number, windowId) {
        return orvCreateMenu(number, "bar", false, windowId, "CreateMenu()");
    },
    CreateImageMenu: function (number, windowId) {
        return orvCreateMenu(number, "bar", true, windowId, "CreateImageMenu()");
    },
    CreatePopupMenu: function (number) {
        return orvCreateMenu(number, "popup", false, undefined, "CreatePopupMenu()");
    },
    CreatePopupImageMenu: function (number) {
        return orvCreateMenu(number, "popup", true, undefined, "CreatePopupImageMenu()");
    },

    MenuTitle: function (text) {
        var menu = orvBuildingMenu;
        if (!menu || menu.freed) {
            orvError("MenuTitle(): there is no current menu (CreateMenu() first).");
            return;
        }
        if (menu.kind !== "bar") {
            orvError("MenuTitle() can't be used in a popup menu.");
            return;
        }
        var title = orvAddMenuTitle(menu, text);
        menu.list = title.list;
        menu.stack = [title.list];
        orvWindowLayout(menu.win);
        orvPlaceWindowBars(menu.win);
    },

    MenuItem: function (number, text, imageId) {
        var menu = orvMenuBeingBuilt("MenuItem()");
        if (!menu) return;
        number = orvInt(number);
        var item = orvAddMenuItem(menu, number, text, imageId, "MenuItem()");
        orvFillMenuRow(item);
    },

    MenuBar: function () {
        var menu = orvMenuBeingBuilt("MenuBar()");
        if (!menu) return;
        orvMenuElement("li", "orvane-menu-separator", menu.list).textContent = "-";
        menu.changed = true;
    },

    OpenSubMenu: function (text, imageId) {
        var menu = orvMenuBeingBuilt("OpenSubMenu()");
        if (!menu) return 0;
        var number = orvNextSubMenuNumber++;
        var item = orvAddMenuItem(menu, number, text, imageId, "OpenSubMenu()");
        item.submenu = orvMenuElement("ul", "orvane-menu-list", item.li);
        orvFillMenuRow(item);
        menu.stack.push(item.submenu);
        menu.list = item.submenu;
        return number;
    },

    CloseSubMenu: function () {
        var menu = orvBuildingMenu;
        if (!menu || menu.freed || menu.stack.length < 2) {
            orvError("CloseSubMenu(): no submenu is open.");
            return;
        }
        menu.stack.pop();
        menu.list = menu.stack[menu.stack.length - 1];
    },

    SetMenuItemState: function (number, item, state) {
        var items = orvMenuItems(number, item, "SetMenuItemState()");
        if (!items) return;
        items.forEach(function (entry) {
            entry.state = orvInt(state) ? 1 : 0;
            entry.li.classList.toggle("orvane-menu-checked", entry.state === 1);
            var check = entry.row.querySelector(".orvane-menu-check");
            if (check) check.textContent = entry.state ? "\u2713" : "";
        });
    },
    GetMenuItemState: function (number, item) {
        var items = orvMenuItems(number, item, "GetMenuItemState()");
        return items ? items[0].state : 0;
    },
    DisableMenuItem: function (number, item, state) {
        var items = orvMenuItems(number, item, "DisableMenuItem()");
        if (!items) return;
        items.forEach(function (entry) {
            entry.disabled = orvInt(state) !== 0;
            entry.li.classList.toggle("ui-state-disabled", entry.disabled);
            entry.li.setAttribute("aria-disabled", entry.disabled ? "true" : "false");
        });
    },
    SetMenuItemText: function (number, item, text) {
        var items = orvMenuItems(number, item, "SetMenuItemText()");
        if (!items) return;
        items.forEach(function (entry) {
            entry.text = orvText(text);
            orvFillMenuRow(entry);
            entry.menu.changed = true;
        });
    },
    GetMenuItemText: function (number, item) {
        var items = orvMenuItems(number, item, "GetMenuItemText()");
        return items ? items[0].text : "";
    },
    SetMenuTitleText: function (number, index, text) {
        var menu = orvMenuRegistry.Get(number);
        if (!menu) return;
        var title = menu.titles[orvInt(index)];
        if (!title) {
            orvError("SetMenuTitleText(): the menu has no title " + orvInt(index) + ".");
            return;
        }
        title.text = orvText(text);
        title.element.textContent = orvMenuLabel(text).label;
    },
    GetMenuTitleText: function (number, index) {
        var menu = orvMenuRegistry.Get(number);
        if (!menu) return "";
        var title = menu.titles[orvInt(index)];
        if (!title) {
            orvError("GetMenuTitleText(): the menu has no title " + orvInt(index) + ".");
            return "";
        }
        return title.text;
    },
    HideMenu: function (number, state) {
        var menu = orvMenuRegistry.Get(number);
        if (!menu || menu.kind !== "bar") return;
        menu.hidden = orvInt(state) !== 0;
        menu.bar.style.display = menu.hidden ? "none" : "";
        if (menu.hidden && orvShownMenu && orvShownMenu.menu === menu) orvHideMenu();
        orvWindowLayout(menu.win);
        orvPlaceWindowBars(menu.win);
    },

    FreeMenu: function (number) {
        if (orvInt(number) === -1) {
            orvMenuRegistry.All().forEach(function (menu) {
                orvMenuRegistry.Free(menu.number);
            });
            return;
        }
        if (orvMenuRegistry.Get(number)) orvMenuRegistry.Free(number);
    },
    IsMenu: function (number) {
        return orvMenuRegistry.Is(number);
    },
    MenuID: function (number) {
        var menu = orvMenuRegistry.Get(number);
        return menu ? orvHandle(menu) : 0;
    },
    // The menu bar is not part of the window's inner height (see above).
    MenuHeight: function () {
        return 0;
    },

    // At the mouse, or at x, y (page coordinates); the chosen item's event names that window.
    DisplayPopupMenu: function (number, windowId, x, y) {
        var menu = orvMenuRegistry.Get(number);
        if (!menu) return;
        if (menu.kind !== "popup") {
            orvError("DisplayPopupMenu(): the menu was not created with CreatePopupMenu().");
            return;
        }
        var win = orvWindowOfId(windowId);
        var at;
        if (x !== undefined && y !== undefined) {
            at = { x: orvInt(x), y: orvInt(y) };
        } else {
            var mouse = orvMousePosition || { x: 0, y: 0 };
            at = { x: mouse.x + window.scrollX, y: mouse.y + window.scrollY };
        }
        at.win = win;
        orvShowMenuList(menu, menu.list, at);
    },

    // Bound to the item of this menu: called for the item's events of the menu's window (of any
    // window for a popup menu), the toolbar's and the shortcuts' with the same number included.
    BindMenuEvent: function (number, item, callback) {
        var menu = orvMenuRegistry.Get(number);
        if (!menu) return;
        if (typeof callback !== "function") {
            orvError("BindMenuEvent(): the callback is not a procedure.");
            return;
        }
        var binding = {
            event: ORV_EVENT_MENU,
            callback: callback,
            window: menu.win ? menu.win.number : -1,
            object: orvInt(item),
            type: -1,
        };
        orvBindings.push(binding);
        (menu.bindings = menu.bindings || []).push(binding);
    },
    UnbindMenuEvent: function (number, item, callback) {
        var menu = orvMenuRegistry.Get(number);
        if (!menu) return;
        orvUnbind({ event: ORV_EVENT_MENU, callback: callback, window: menu.win ? menu.win.number : -1, object: orvInt(item), type: -1 });
    },

    // A menu event for the window when the keys are pressed in it (replacing the window's
    // earlier event for the same keys).
    AddKeyboardShortcut: function (windowNumber, shortcut, event) {
        var win = orvWindowRegistry.Get(windowNumber);
        if (!win) return;
        if (typeof jQuery === "undefined" || !jQuery.hotkeys) {
            orvError("AddKeyboardShortcut(): the page does not load the hotkeys library (jquery.hotkeys.js).");
            return;
        }
        shortcut = orvInt(shortcut);
        var keys = orvShortcutKeys(shortcut);
        if (!keys) {
            orvError("AddKeyboardShortcut(): the key " + (shortcut & 0xffff) + " cannot be used as a shortcut in a browser.");
            return;
        }
        orvHotkeysEverywhere();
        if (!win.shortcuts) win.shortcuts = new Map();
        win.shortcuts.set(shortcut, orvInt(event));
        orvBindShortcut(shortcut, keys);
    },
    // #PB_Shortcut_All (-1) removes every shortcut of the window.
    RemoveKeyboardShortcut: function (windowNumber, shortcut) {
        var win = orvWindowRegistry.Get(windowNumber);
        if (!win || !win.shortcuts) return;
        if (orvInt(shortcut) === -1) win.shortcuts.clear();
        else win.shortcuts.delete(orvInt(shortcut));
    },
});

orvAddConstants({
    PB_Menu_ModernLook: 1,
    PB_Menu_SysTrayLook: 4,
});
