// Menus, toolbars and status bars: what they hold after the program built and changed them, the
// menu events a click gives, and the debugger's message for bad numbers, the program going on.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const ui = { libraries: ["jquery-ui/dist/jquery-ui.js", "jquery.hotkeys/jquery.hotkeys.js"] };
const MENU_EVENT = 13101;

function windowPage() {
    const page = loadPage(null, ui);
    const w = page.window;
    w.cWindow.OpenWindow(0, 0, 0, 300, 200, "w");
    return { page, w, M: w.cMenu, T: w.cToolBar, S: w.cStatusBar, W: w.cWindow, doc: w.document };
}

// The events the program gets next, without the window's own (activation and the like).
async function menuEvents(W, count) {
    const seen = [];
    while (seen.length < count) {
        const event = await W.WaitWindowEvent(200);
        if (event === 0) break;
        if (event === MENU_EVENT) seen.push([W.EventWindow(), W.EventMenu()]);
    }
    return seen;
}

test("a menu bar: titles, items with shortcut text, separators, submenus, states and texts", async () => {
    const { page, w, M, W, doc } = windowPage();
    assert.ok(M.CreateMenu(0, W.WindowID(0)));
    M.MenuTitle("&File");
    M.MenuItem(1, "&Open" + "\t" + "Ctrl+O");
    M.MenuItem(2, "Save");
    M.MenuBar();
    const recent = M.OpenSubMenu("Recent");
    M.MenuItem(3, "a.txt");
    M.CloseSubMenu();
    M.MenuTitle("Edit");
    M.MenuItem(4, "Undo");
    assert.deepEqual(page.debug, []);

    const titles = [...doc.querySelectorAll(".orvane-menubar .orvane-menu-title")].map((t) => t.textContent);
    assert.deepEqual(titles, ["File", "Edit"]);
    const open = doc.querySelector('li[data-item="1"]');
    assert.equal(open.querySelector(".orvane-menu-text").textContent, "Open");
    assert.equal(open.querySelector(".orvane-menu-shortcut").textContent, "Ctrl+O");
    assert.equal(M.GetMenuItemText(0, 1), "&Open\tCtrl+O");
    assert.equal(M.GetMenuTitleText(0, 0), "&File");
    M.SetMenuTitleText(0, 1, "Change");
    assert.equal(doc.querySelectorAll(".orvane-menu-title")[1].textContent, "Change");
    M.SetMenuItemText(0, recent, "Recent files");
    assert.equal(M.GetMenuItemText(0, recent), "Recent files");

    M.SetMenuItemState(0, 2, 1);
    assert.equal(M.GetMenuItemState(0, 2), 1);
    assert.equal(doc.querySelector('li[data-item="2"] .orvane-menu-check').textContent, "\u2713");
    M.DisableMenuItem(0, 4, 1);
    assert.ok(doc.querySelector('li[data-item="4"]').classList.contains("ui-state-disabled"));
    assert.equal(M.IsMenu(0), 1);
    assert.ok(M.MenuID(0) > 0);
    assert.equal(M.MenuHeight(), 0, "the menu bar is not part of the inner height");
    const content = doc.querySelector(".orvane-window");
    assert.ok(content.classList.contains("orvane-has-menu"), "a toolbar goes below the menu bar");
    M.HideMenu(0, 1);
    assert.ok(!content.classList.contains("orvane-has-menu"));
    M.HideMenu(0, 0);
    assert.equal(W.WindowHeight(0), 200);

    // Opening a title and choosing items, with the mouse as the menu widget takes it.
    doc.querySelector(".orvane-menu-title").dispatchEvent(new w.MouseEvent("mousedown", { bubbles: true }));
    const list = doc.querySelector(".orvane-menu-popup");
    assert.equal(list.style.display, "block");
    w.jQuery(open.firstChild).trigger("click");
    assert.equal(list.style.display, "none", "closed after the choice");
    doc.querySelectorAll(".orvane-menu-title")[1].dispatchEvent(new w.MouseEvent("mousedown", { bubbles: true }));
    w.jQuery(doc.querySelector('li[data-item="4"] > div')).trigger("click");
    M.DisableMenuItem(0, 4, 0);
    doc.querySelectorAll(".orvane-menu-title")[1].dispatchEvent(new w.MouseEvent("mousedown", { bubbles: true }));
    w.jQuery(doc.querySelector('li[data-item="4"] > div')).trigger("click");
    assert.deepEqual(await menuEvents(W, 2), [
        [0, 1],
        [0, 4],
    ], "the disabled item gave nothing");

    M.FreeMenu(0);
    assert.equal(M.IsMenu(0), 0);
    assert.equal(doc.querySelectorAll(".orvane-menu-title, .orvane-menu-list").length, 0);
    assert.deepEqual(page.debug, []);
});

test("popup menus, BindMenuEvent and bad menu input", async () => {
    const { page, w, M, W, doc } = windowPage();
    const popup = M.CreatePopupMenu(-1);
    M.MenuItem(10, "Copy");
    M.MenuItem(10, "Copy again");
    assert.equal(page.debug.pop(), "[ERROR] MenuItem(): the menu item number 10 is already used in this menu.");
    M.MenuTitle("no titles here");
    assert.equal(page.debug.pop(), "[ERROR] MenuTitle() can't be used in a popup menu.");
    M.MenuItem(11, "Paste");
    const called = [];
    M.BindMenuEvent(popup, 11, () => called.push(W.EventMenu()));
    M.DisplayPopupMenu(popup, W.WindowID(0), 40, 50);
    const list = doc.querySelector(".orvane-menu-popup");
    assert.deepEqual([list.style.display, list.style.left, list.style.top], ["block", "40px", "50px"]);
    w.jQuery(doc.querySelector('li[data-item="11"] > div')).trigger("click");
    assert.deepEqual(await menuEvents(W, 1), [[0, 11]]);
    assert.deepEqual(called, [11]);

    M.SetMenuItemState(popup, 99, 1);
    assert.equal(page.debug.pop(), "[ERROR] SetMenuItemState(): the menu item 99 does not exist in this menu.");
    assert.equal(M.GetMenuItemText(7, 1), "");
    assert.equal(page.debug.pop(), "[ERROR] #Menu object not initialized.");
    M.FreeMenu(popup);
    M.MenuItem(12, "after free");
    assert.match(page.debug.pop(), /^\[ERROR\] MenuItem\(\): there is no current menu/);
    assert.equal(M.CreateMenu(1, 12345), 0);
    assert.equal(page.debug.pop(), "[ERROR] CreateMenu(): #Window object not initialized.");
});

test("toolbar buttons: events, toggles, tooltips, disabling; the standard buttons named without an icon font", async () => {
    const { page, w, T, W, doc } = windowPage();
    assert.ok(T.CreateToolBar(0, W.WindowID(0)));
    T.ToolBarStandardButton(1, w.cConstants.PB_ToolBarIcon_Open);
    T.ToolBarSeparator();
    T.ToolBarStandardButton(2, w.cConstants.PB_ToolBarIcon_Save, w.cConstants.PB_ToolBar_Toggle);
    T.ToolBarImageButton(3, 0, 0, "Text");
    T.ToolBarToolTip(0, 1, "Open a file");
    const buttons = doc.querySelectorAll(".orvane-toolbar-button");
    assert.deepEqual([...buttons].map((b) => b.textContent), ["Open", "Save", "Text"]);
    assert.equal(buttons[0].title, "Open a file");
    assert.equal(doc.querySelectorAll(".orvane-toolbar-separator").length, 1);
    assert.equal(T.ToolBarHeight(0), 28);

    buttons[0].click();
    buttons[1].click();
    assert.equal(T.GetToolBarButtonState(0, 2), 1);
    T.SetToolBarButtonState(0, 2, 0);
    assert.equal(T.GetToolBarButtonState(0, 2), 0);
    T.DisableToolBarButton(0, 1, 1);
    buttons[0].click();
    assert.deepEqual(await menuEvents(W, 2), [
        [0, 1],
        [0, 2],
    ]);
    T.ToolBarToolTip(0, 9, "x");
    assert.equal(page.debug.pop(), "[ERROR] ToolBarToolTip(): the toolbar has no button 9.");
    assert.equal(T.IsToolBar(0), 1);
    W.CloseWindow(0);
    assert.equal(T.IsToolBar(0), 0, "freed with its window");
});

test("status bar fields: texts, alignment, progress, the free width shared; a field out of range", () => {
    const { page, w, S, W, doc } = windowPage();
    assert.ok(S.CreateStatusBar(0, W.WindowID(0)));
    S.AddStatusBarField(90);
    S.AddStatusBarField(w.cConstants.PB_Ignore);
    S.AddStatusBarField(w.cConstants.PB_Ignore);
    S.StatusBarText(0, 0, "Ready");
    S.StatusBarText(0, 1, "right", w.cConstants.PB_StatusBar_Right | w.cConstants.PB_StatusBar_BorderLess);
    S.StatusBarProgress(0, 2, 30, 0, 0, 60);
    const fields = doc.querySelectorAll(".orvane-statusbar-field");
    assert.equal(fields.length, 3);
    assert.equal(fields[0].style.width, "90px");
    assert.equal(fields[1].style.flex, "1 1 0px");
    assert.deepEqual([fields[0].textContent, fields[1].textContent], ["Ready", "right"]);
    assert.equal(fields[1].style.justifyContent, "flex-end");
    assert.ok(fields[1].classList.contains("orvane-statusbar-borderless"));
    assert.equal(fields[2].querySelector(".ui-progressbar-value").style.width, "50%");
    S.StatusBarProgress(0, 2, 60);
    assert.equal(fields[2].querySelector(".ui-progressbar-value").style.width, "100%", "the maximum is kept");
    S.StatusBarText(0, 2, "done");
    assert.equal(fields[2].textContent, "done");
    assert.equal(S.StatusBarHeight(0), 23);
    assert.deepEqual(page.debug, []);

    S.StatusBarText(0, 3, "nowhere");
    assert.equal(page.debug.pop(), "[ERROR] StatusBarText(): the status bar has no field 3 (it has 3).");
    S.StatusBarText(5, 0, "x");
    assert.equal(page.debug.pop(), "[ERROR] #StatusBar object not initialized.");
    assert.equal(fields[0].textContent, "Ready");
    S.FreeStatusBar(0);
    assert.equal(doc.querySelectorAll(".orvane-statusbar-field").length, 0);
});

test("without jQuery UI (a jQuery Mobile page) menus are plain lists that a click chooses from", async () => {
    const page = loadPage();
    const { cWindow: W, cMenu: M } = page.window;
    const doc = page.window.document;
    W.OpenWindow(0, 0, 0, 200, 100, "plain");
    M.CreateMenu(0, W.WindowID(0));
    M.MenuTitle("File");
    M.MenuItem(1, "Open");
    M.MenuBar();
    M.MenuItem(2, "Quit");
    doc.querySelector(".orvane-menu-title").dispatchEvent(new page.window.MouseEvent("mousedown", { bubbles: true }));
    assert.ok(doc.querySelector(".orvane-menu-plain"));
    doc.querySelector('li[data-item="2"] .orvane-menu-text').click();
    const seen = [];
    for (let event = await W.WaitWindowEvent(100); event; event = await W.WaitWindowEvent(100)) {
        if (event === MENU_EVENT) seen.push(W.EventMenu());
    }
    assert.deepEqual(seen, [2]);
    assert.equal(doc.querySelector(".orvane-menu-plain").style.display, "none");
});
