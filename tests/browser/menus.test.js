// A window with a menu bar, a popup menu, a toolbar, a status bar and keyboard shortcuts in
// Chromium, used with real clicks and keys. Screenshots go to build/screenshots/menus-*.png.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { launch, openGuiPage, root } = require("./gui_page.js");

const shots = path.join(root, "build/screenshots");
fs.mkdirSync(shots, { recursive: true });

let browser;
test.before(async () => {
    browser = await launch();
});
test.after(async () => {
    await browser.close();
});

// The program: its event loop reports every menu event and puts it into the status bar.
const program = `
(async function () {
    var C = cConstants, W = cWindow, M = cMenu, T = cToolBar, S = cStatusBar, G = cGadget;
    W.OpenWindow(0, 40, 30, 420, 220, "Menus", C.PB_Window_SystemMenu);
    M.CreateMenu(0, W.WindowID(0));
    M.MenuTitle("&File");
    M.MenuItem(1, "&Open..." + "\\t" + "Ctrl+O");
    M.MenuItem(2, "Save");
    M.MenuItem(3, "Save as..." + "\\t" + "Ctrl+Shift+S");
    M.MenuBar();
    M.OpenSubMenu("Recent files");
    M.MenuItem(5, "a.txt");
    M.MenuItem(6, "b.txt");
    M.CloseSubMenu();
    M.MenuBar();
    M.MenuItem(99, "Quit" + "\\t" + "Esc");
    M.MenuTitle("&View");
    M.MenuItem(10, "Status bar");
    M.SetMenuItemState(0, 10, 1);
    M.MenuItem(11, "Disabled item");
    M.DisableMenuItem(0, 11, 1);
    M.CreatePopupMenu(1);
    M.MenuItem(30, "Cut");
    M.MenuItem(31, "Copy");
    T.CreateToolBar(0, W.WindowID(0));
    T.ToolBarStandardButton(1, C.PB_ToolBarIcon_Open);
    T.ToolBarStandardButton(2, C.PB_ToolBarIcon_Save, C.PB_ToolBar_Toggle);
    T.ToolBarSeparator();
    T.ToolBarStandardButton(12, C.PB_ToolBarIcon_Help);
    T.ToolBarToolTip(0, 1, "Open a file");
    S.CreateStatusBar(0, W.WindowID(0));
    S.AddStatusBarField(120);
    S.AddStatusBarField(C.PB_Ignore);
    S.AddStatusBarField(100);
    S.StatusBarText(0, 0, "Ready");
    S.StatusBarText(0, 1, "right aligned", C.PB_StatusBar_Right);
    S.StatusBarProgress(0, 2, 40);
    G.StringGadget(1, 10, T.ToolBarHeight(0) + 10, 200, 24, "");
    G.ButtonGadget(2, 10, W.WindowHeight(0) - S.StatusBarHeight(0) - 34, 120, 24, "Bottom");
    M.AddKeyboardShortcut(0, C.PB_Shortcut_Control | C.PB_Shortcut_O, 1);
    M.AddKeyboardShortcut(0, C.PB_Shortcut_Control | C.PB_Shortcut_Shift | C.PB_Shortcut_S, 3);
    M.AddKeyboardShortcut(0, C.PB_Shortcut_F5, 20);
    M.AddKeyboardShortcut(0, C.PB_Shortcut_Escape, 99);
    M.BindMenuEvent(0, 6, function () { cDebugger.Debug("bound " + W.EventMenu()); });
    window.ORV_Ready = true;
    while (true) {
        var event = await W.WaitWindowEvent();
        if (event === C.PB_Event_RightClick) M.DisplayPopupMenu(1, W.WindowID(0));
        if (event === C.PB_Event_Menu) {
            var item = W.EventMenu();
            cDebugger.Debug("menu " + item + (item === 2 ? " pressed " + T.GetToolBarButtonState(0, 2) : ""));
            S.StatusBarText(0, 0, "Chose " + item);
            if (item === 99) break;
        }
    }
    cDebugger.Debug("end");
})();`;

async function lastLine(page) {
    const lines = await page.debugLines();
    return lines[lines.length - 1];
}

async function expectLine(page, text) {
    await page.waitForFunction((wanted) => {
        const rows = document.querySelectorAll("#orvane-debug > div");
        return rows.length && rows[rows.length - 1].textContent === wanted;
    }, text, { timeout: 3000 }).catch(() => {});
    assert.equal(await lastLine(page), text);
}

test("menu bar, popup menu, toolbar, status bar and shortcuts by real clicks and keys", async () => {
    const page = await openGuiPage(browser, program, { libraries: ["hotkeys"] });
    await page.waitForFunction(() => window.ORV_Ready === true);
    await page.screenshot({ path: path.join(shots, "menus-window.png") });

    // Layout: the toolbar and the status bar lie inside the 220 pixels of the inner area.
    const box = async (selector) => page.$eval(selector, (e) => e.getBoundingClientRect().toJSON());
    const inner = await box(".orvane-inner");
    const toolbar = await box(".orvane-toolbar-row");
    const statusbar = await box(".orvane-statusbar-row");
    const menubar = await box(".orvane-menu-titles");
    assert.equal(Math.round(inner.height), 220);
    assert.equal(Math.round(toolbar.top), Math.round(inner.top));
    assert.equal(Math.round(menubar.bottom), Math.round(inner.top));
    assert.equal(Math.round(statusbar.bottom), Math.round(inner.bottom));
    const field = await box("[data-gadget='1']");
    assert.equal(Math.round(field.top - toolbar.bottom), 10, "a gadget at ToolBarHeight() + 10 is 10 pixels below the toolbar");
    const bottom = await box("[data-gadget='2']");
    assert.equal(Math.round(statusbar.top - bottom.bottom), 10);

    await page.click(".orvane-menu-title >> text=File");
    await page.waitForSelector(".orvane-menu-popup >> text=Save as...");
    await page.hover(".orvane-menu-popup:visible li[data-item='2']");
    await page.screenshot({ path: path.join(shots, "menus-file.png") });
    const shortcut = await box(".orvane-menu-popup:visible li[data-item='3'] .orvane-menu-shortcut");
    const list = await box(".orvane-menu-popup:visible");
    assert.ok(list.right - shortcut.right < 30, "the shortcut text sits at the right edge");
    await page.click(".orvane-menu-popup:visible li[data-item='1']");
    await expectLine(page, "menu 1");
    assert.equal(await page.isVisible(".orvane-menu-popup:visible"), false);

    await page.click(".orvane-menu-title >> text=File");
    await page.hover(".orvane-menu-popup:visible >> text=Recent files");
    await page.waitForSelector("li[data-item='6']:visible");
    await page.screenshot({ path: path.join(shots, "menus-submenu.png") });
    await page.click("li[data-item='6']");
    await expectLine(page, "menu 6");
    assert.ok((await page.debugLines()).includes("bound 6"), "BindMenuEvent called");

    // The keyboard inside an open menu: down to the third item, Enter.
    await page.click(".orvane-menu-title >> text=File");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("Enter");
    await expectLine(page, "menu 3");
    // Right goes to the next title; a disabled item gives nothing; Escape closes.
    await page.click(".orvane-menu-title >> text=File");
    await page.keyboard.press("ArrowRight");
    await page.waitForSelector(".orvane-menu-popup:visible >> text=Status bar");
    await page.screenshot({ path: path.join(shots, "menus-view.png") });
    await page.click(".orvane-menu-popup:visible >> text=Disabled item", { force: true });
    await page.keyboard.press("Escape");
    assert.equal(await page.isVisible(".orvane-menu-popup:visible"), false);

    // Shortcuts, also while a gadget has the focus.
    await page.keyboard.press("Control+o");
    await expectLine(page, "menu 1");
    await page.click("[data-gadget='1'] input, input[data-gadget='1'], [data-gadget='1']");
    await page.keyboard.type("typed");
    await page.keyboard.press("Control+Shift+S");
    await expectLine(page, "menu 3");
    await page.keyboard.press("F5");
    await expectLine(page, "menu 20");

    // Toolbar buttons, the toggle keeps its state.
    await page.click(".orvane-toolbar-button[data-item='1']");
    await expectLine(page, "menu 1");
    await page.click(".orvane-toolbar-button[data-item='2']");
    await expectLine(page, "menu 2 pressed 1");
    await page.screenshot({ path: path.join(shots, "menus-toolbar.png") });
    await page.click(".orvane-toolbar-button[data-item='2']");
    await expectLine(page, "menu 2 pressed 0");
    assert.equal(await page.textContent(".orvane-statusbar-field"), "Chose 2");

    // The popup menu at the mouse.
    await page.click(".orvane-inner", { button: "right", position: { x: 300, y: 120 } });
    await page.waitForSelector(".orvane-menu-popup:visible >> text=Copy");
    const popup = await box(".orvane-menu-popup:visible");
    const innerNow = await box(".orvane-inner");
    assert.ok(Math.abs(popup.left - (innerNow.left + 300)) <= 2 && Math.abs(popup.top - (innerNow.top + 120)) <= 2, "at the mouse");
    await page.screenshot({ path: path.join(shots, "menus-popup.png") });
    await page.click(".orvane-menu-popup:visible >> text=Copy");
    await expectLine(page, "menu 31");

    await page.keyboard.press("Escape");
    await expectLine(page, "end");
    assert.deepEqual(page.errors, []);
});

test("standard toolbar buttons use Font Awesome where the page loads it", async () => {
    const stylesheet = "file://" + path.join(root, "node_modules/font-awesome/css/font-awesome.min.css");
    const page = await openGuiPage(
        browser,
        `var link = document.createElement("link");
        link.rel = "stylesheet";
        link.href = ${JSON.stringify(stylesheet)};
        link.onload = function () {
            var C = cConstants;
            cWindow.OpenWindow(0, 40, 30, 360, 120, "Icons", C.PB_Window_SystemMenu);
            cToolBar.CreateToolBar(0, cWindow.WindowID(0));
            for (var icon = C.PB_ToolBarIcon_Cut; icon <= C.PB_ToolBarIcon_Print; icon++) cToolBar.ToolBarStandardButton(icon, icon);
            window.ORV_Ready = true;
        };
        document.head.appendChild(link);`,
        { libraries: [] },
    );
    await page.waitForFunction(() => window.ORV_Ready === true);
    await page.evaluate(() => document.fonts.ready);
    const icons = await page.$$eval(".orvane-toolbar-button", (buttons) => buttons.map((b) => (b.querySelector(".fa") || {}).className));
    assert.equal(icons.length, 15);
    assert.equal(icons[7], "fa fa-folder-open-o");
    assert.equal(await page.getAttribute(".orvane-toolbar-button[data-item='7']", "title"), "Open");
    await page.screenshot({ path: path.join(shots, "menus-icons.png"), clip: { x: 30, y: 20, width: 400, height: 180 } });
    assert.deepEqual(page.errors, []);
});

test("image menus, toolbar pictures and a status bar picture drawn from images", async () => {
    const page = await openGuiPage(
        browser,
        `var C = cConstants;
        function picture(number, color) {
            cImage.CreateImage(number, 16, 16);
            cDrawing.StartDrawing(cImage.ImageOutput(number));
            cDrawing.Box(0, 0, 16, 16, color);
            cDrawing.Box(4, 4, 8, 8, 0xffffff);
            cDrawing.StopDrawing();
            return cImage.ImageID(number);
        }
        cWindow.OpenWindow(0, 40, 30, 320, 160, "Pictures", C.PB_Window_SystemMenu);
        cMenu.CreateImageMenu(0, cWindow.WindowID(0));
        cMenu.MenuTitle("Colours");
        cMenu.MenuItem(1, "Red", picture(1, 0x0000ff));
        cMenu.MenuItem(2, "Green", picture(2, 0x00ff00));
        cMenu.MenuItem(3, "No picture");
        cToolBar.CreateToolBar(0, cWindow.WindowID(0));
        cToolBar.ToolBarImageButton(1, cImage.ImageID(1));
        cToolBar.ToolBarImageButton(2, cImage.ImageID(2), C.PB_ToolBar_Toggle);
        cStatusBar.CreateStatusBar(0, cWindow.WindowID(0));
        cStatusBar.AddStatusBarField(40);
        cStatusBar.AddStatusBarField(C.PB_Ignore);
        cStatusBar.StatusBarImage(0, 0, cImage.ImageID(2), C.PB_StatusBar_Center);
        cStatusBar.StatusBarText(0, 1, "pictures");
        window.ORV_Ready = true;`,
        { libraries: [] },
    );
    await page.waitForFunction(() => window.ORV_Ready === true);
    await page.click(".orvane-menu-title >> text=Colours");
    await page.waitForSelector(".orvane-menu-popup:visible li[data-item='1'] .orvane-menu-icon img");
    assert.equal(await page.locator(".orvane-menu-popup:visible .orvane-menu-icon img").count(), 2);
    assert.equal(await page.locator(".orvane-toolbar-button img").count(), 2);
    assert.equal(await page.locator(".orvane-statusbar-field img").count(), 1);
    await page.screenshot({ path: path.join(shots, "menus-pictures.png"), clip: { x: 30, y: 20, width: 360, height: 220 } });
    assert.deepEqual(page.errors, []);
});
