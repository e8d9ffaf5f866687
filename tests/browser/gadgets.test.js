// Windows and gadgets in Chromium, driven by scripts in the runtime's calling convention (what the
// converter emits): real clicks, typing, dragging and keyboard focus, and the events a program gets
// from them. One screenshot per gadget family goes to build/screenshots/gadgets-*.png.
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

// Every event the program gets, as "event gadget type" lines in window.log, read through the
// runtime's own Event functions from a loop that awaits WaitWindowEvent, as converted programs do.
const eventLoop = `
    window.log = [];
    (async function () {
        for (;;) {
            var event = await cWindow.WaitWindowEvent();
            window.log.push(event + " " + cWindow.EventWindow() + " " + cWindow.EventGadget() + " " + cWindow.EventType());
        }
    })();`;

async function page(script, options) {
    const p = await openGuiPage(browser, "window.C = cConstants; window.G = cGadget; window.W = cWindow;\n" + script + eventLoop, options);
    p.log = async () => {
        await p.waitForTimeout(30);
        const log = await p.evaluate(() => window.log.splice(0));
        return log.filter((line) => !/^(13104|13114) /.test(line)); // activation comes and goes
    };
    p.at = (number) => p.locator(`[data-gadget='${number}']`);
    return p;
}

async function shot(p, name) {
    await p.screenshot({ path: path.join(shots, "gadgets-" + name + ".png") });
}

test("a form: typing, clicking, Return on the default button, keyboard focus", async () => {
    const p = await page(`
        W.OpenWindow(0, 20, 20, 360, 200, "Form", C.PB_Window_SystemMenu);
        G.TextGadget(1, 10, 14, 70, 20, "Name:");
        G.StringGadget(2, 80, 10, 270, 24, "");
        G.StringGadget(3, 80, 40, 270, 24, "", C.PB_String_Numeric);
        G.ButtonGadget(4, 80, 80, 100, 28, "OK", C.PB_Button_Default);
        G.ButtonGadget(5, 190, 80, 100, 28, "Toggle", C.PB_Button_Toggle);
        G.CheckBoxGadget(6, 80, 120, 200, 20, "Remember me");
        G.OptionGadget(7, 80, 150, 80, 20, "One");
        G.OptionGadget(8, 170, 150, 80, 20, "Two");
        G.BindGadgetEvent(4, function () { cDebugger.Debug("OK pressed, name " + G.GetGadgetText(2)); });
    `);
    await p.at(2).click();
    await p.keyboard.type("Ada");
    assert.deepEqual(await p.log(), ["13100 0 2 14000", "13100 0 2 768", "13100 0 2 768", "13100 0 2 768"]);
    await p.keyboard.press("Tab");
    await p.keyboard.type("4x2");
    assert.equal(await p.evaluate(() => [G.GetGadgetText(3), G.GetActiveGadget()].join()), "42,3");
    await p.keyboard.press("Enter");
    await p.at(5).click();
    await p.at(6).click();
    await p.at(8).click();
    await p.waitForTimeout(50);
    assert.deepEqual(await p.debugLines(), ["OK pressed, name Ada"]);
    const states = await p.evaluate(() => [5, 6, 7, 8].map((n) => G.GetGadgetState(n)));
    assert.deepEqual(states, [1, 1, 0, 1]);
    const log = await p.log();
    assert.ok(log.includes("13100 0 4 0") && log.includes("13100 0 5 0") && log.includes("13100 0 8 0"), log.join("|"));
    await p.evaluate(() => G.SetActiveGadget(2));
    assert.equal(await p.evaluate(() => document.activeElement.getAttribute("data-gadget")), "2");
    await shot(p, "form");
    assert.deepEqual(p.errors, []);
});

test("windows: the close box asks the program, dragging moves, the size box resizes", async () => {
    const p = await page(`
        W.OpenWindow(0, 40, 40, 300, 150, "Resizable", C.PB_Window_SystemMenu | C.PB_Window_SizeGadget);
        W.OpenWindow(1, 400, 40, 200, 100, "Other", C.PB_Window_SystemMenu | C.PB_Window_MinimizeGadget | C.PB_Window_MaximizeGadget);
    `);
    await p.log();
    await p.locator(".ui-dialog").first().locator(".ui-dialog-titlebar-close").click();
    assert.deepEqual(await p.log(), ["13116 0 -1 0"]);
    assert.equal(await p.evaluate(() => W.IsWindow(0)), 1, "only CloseWindow closes");
    const title = p.locator(".ui-dialog-titlebar").first();
    const box = await title.boundingBox();
    await p.mouse.move(box.x + 40, box.y + 10);
    await p.mouse.down();
    await p.mouse.move(box.x + 90, box.y + 70, { steps: 5 });
    await p.mouse.up();
    assert.deepEqual(await p.log(), ["13117 0 -1 0"]);
    assert.deepEqual(await p.evaluate(() => [W.WindowX(0), W.WindowY(0)]), [90, 100]);
    const corner = await p.locator(".ui-dialog").first().locator(".ui-resizable-se").boundingBox();
    await p.mouse.move(corner.x + 5, corner.y + 5);
    await p.mouse.down();
    await p.mouse.move(corner.x + 55, corner.y + 45, { steps: 5 });
    await p.mouse.up();
    const size = await p.evaluate(() => [W.WindowWidth(0), W.WindowHeight(0)]);
    assert.deepEqual(size, [350, 190]);
    const sizeLog = await p.log();
    assert.ok(sizeLog.includes("13118 0 -1 0"), sizeLog.join("|"));
    await p.locator(".orvane-maximize").click();
    assert.equal(await p.evaluate(() => W.GetWindowState(1)), C_MAXIMIZE());
    assert.ok((await p.log()).includes("13108 1 -1 0"));
    const inner = await p.locator(".orvane-inner").first().boundingBox();
    await p.mouse.move(inner.x + 30, inner.y + 12);
    assert.deepEqual(await p.evaluate(() => [W.WindowMouseX(0), W.WindowMouseY(0)]), [30, 12]);
    await p.mouse.move(inner.x - 5, inner.y + 12);
    assert.equal(await p.evaluate(() => W.WindowMouseX(0)), -1, "outside the inner area");
    await p.evaluate(() => W.CloseWindow(0));
    assert.equal(await p.locator(".ui-dialog").count(), 1);
    await shot(p, "windows");
    assert.deepEqual(p.errors, []);
    function C_MAXIMIZE() {
        return 0x1000000;
    }
});

test("windows: centred on the page and on their parent, borderless, tool, disabled, sticky, activated", async () => {
    const p = await page(`
        W.OpenWindow(0, 0, 0, 300, 200, "Centred", C.PB_Window_SystemMenu | C.PB_Window_ScreenCentered);
        W.OpenWindow(1, 0, 0, 120, 80, "Child", C.PB_Window_SystemMenu | C.PB_Window_WindowCentered, W.WindowID(0));
        W.OpenWindow(2, 10, 420, 150, 60, "", C.PB_Window_BorderLess);
        G.TextGadget(5, 0, 0, 150, 60, "Borderless", C.PB_Text_Border | C.PB_Text_Center);
        W.OpenWindow(3, 620, 20, 150, 100, "Tool", C.PB_Window_Tool | C.PB_Window_SystemMenu);
        G.ButtonGadget(4, 10, 10, 100, 30, "Tool button");
    `);
    const frames = p.locator(".ui-dialog");
    const centre = (box) => [Math.round(box.x + box.width / 2), Math.round(box.y + box.height / 2)];
    const desktop = await p.locator("#orvane-desktop").boundingBox();
    const [page0, child, borderless, tool] = [await frames.nth(0).boundingBox(), await frames.nth(1).boundingBox(), await frames.nth(2).boundingBox(), await frames.nth(3).boundingBox()];
    const near = (a, b, what) => assert.ok(Math.abs(a[0] - b[0]) <= 2 && Math.abs(a[1] - b[1]) <= 2, what + ": " + a + " against " + b);
    near(centre(page0), centre({ x: desktop.x, y: 0, width: desktop.width, height: Math.min(desktop.height, 640) }), "centred on the page");
    near(centre(child), centre(page0), "centred on its parent");
    assert.deepEqual([borderless.width, borderless.height], [150, 60], "a borderless window is its inner area");
    assert.equal(await frames.nth(2).locator(".ui-dialog-titlebar").isVisible(), false);
    const titleHeight = async (n) => (await frames.nth(n).locator(".ui-dialog-titlebar").boundingBox()).height;
    assert.ok((await titleHeight(3)) < (await titleHeight(0)), "a tool window has a lower title bar");
    assert.deepEqual(await p.evaluate(() => [W.WindowWidth(3), W.WindowHeight(3), W.GetActiveWindow()]), [150, 100, 3]);
    await p.log();
    // A disabled window takes no clicks; enabled again, it does.
    const button = await p.at(4).boundingBox();
    await p.evaluate(() => W.DisableWindow(3, 1));
    await p.mouse.click(button.x + 20, button.y + 10);
    assert.deepEqual(await p.log(), []);
    await p.evaluate(() => W.DisableWindow(3, 0));
    await p.mouse.click(button.x + 20, button.y + 10);
    assert.deepEqual(await p.log(), ["13100 3 4 0"]);
    // A sticky window stays in front of the window activated after it.
    await p.evaluate(() => {
        W.ResizeWindow(2, 100, 60, C.PB_Ignore, C.PB_Ignore);
        W.StickyWindow(2, 1);
        W.SetActiveWindow(0);
    });
    assert.equal(await p.evaluate(() => W.GetActiveWindow()), 0);
    const onTop = await p.evaluate(() => {
        const text = document.querySelector("[data-gadget='5']").getBoundingClientRect();
        const hit = document.elementFromPoint(text.left + 5, text.top + 5);
        return hit.closest("[data-gadget]")?.getAttribute("data-gadget");
    });
    assert.equal(onTop, "5", "the sticky window covers the active one");
    // Activated by a click, a parent stays behind the window opened over it.
    await p.evaluate(() => W.StickyWindow(2, 0));
    await p.locator(".ui-dialog-title", { hasText: "Tool" }).click();
    await p.locator(".ui-dialog-title", { hasText: "Centred" }).click({ position: { x: 10, y: 5 } });
    assert.equal(await p.evaluate(() => W.GetActiveWindow()), 0);
    const childInFront = await p.evaluate(() => {
        const frame = document.querySelectorAll(".ui-dialog")[1];
        const box = frame.getBoundingClientRect();
        return frame.contains(document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2));
    });
    assert.equal(childInFront, true, "the child window stays in front of its parent");
    await shot(p, "window-kinds");
    assert.deepEqual(p.errors, []);
});

test("list view, combo boxes, list icon and tree answer real clicks", async () => {
    const p = await page(`
        W.OpenWindow(0, 10, 10, 640, 300, "Lists", C.PB_Window_SystemMenu);
        G.ListViewGadget(1, 10, 10, 150, 180, C.PB_ListView_MultiSelect);
        for (var i = 0; i < 20; i++) G.AddGadgetItem(1, -1, "Item " + i);
        G.ComboBoxGadget(2, 10, 200, 150, 24);
        ["Red", "Green", "Blue"].forEach(function (t) { G.AddGadgetItem(2, -1, t); });
        G.ComboBoxGadget(3, 10, 240, 150, 24, C.PB_ComboBox_Editable);
        ["Alpha", "Beta"].forEach(function (t) { G.AddGadgetItem(3, -1, t); });
        G.ListIconGadget(4, 170, 10, 260, 280, "Name", 120, C.PB_ListIcon_CheckBoxes | C.PB_ListIcon_GridLines | C.PB_ListIcon_FullRowSelect);
        G.AddGadgetColumn(4, 1, "Size", 80);
        for (var i = 0; i < 30; i++) G.AddGadgetItem(4, -1, "File " + i + "\\n" + (i * 100));
        G.TreeGadget(5, 440, 10, 190, 280);
        ["Animals", "Cat", "Dog", "Plants", "Tree"].forEach(function (t, i) { G.AddGadgetItem(5, -1, t, 0, [0, 1, 1, 0, 1][i]); });
        G.SetGadgetItemState(5, 0, C.PB_Tree_Expanded);
    `);
    await p.log();
    await p.at(1).getByText("Item 3", { exact: true }).click();
    await p.at(1).getByText("Item 5", { exact: true }).click({ modifiers: ["Shift"] });
    assert.deepEqual(await p.evaluate(() => [3, 4, 5, 6].map((i) => G.GetGadgetItemState(1, i))), [1, 1, 1, 0]);
    await p.at(1).getByText("Item 7", { exact: true }).dblclick();
    assert.deepEqual(await p.evaluate(() => G.GetGadgetState(1)), 7);
    assert.ok((await p.log()).includes("13100 0 1 2"));
    await p.at(2).selectOption("Blue");
    assert.deepEqual(await p.log(), ["13100 0 2 768"]);
    assert.equal(await p.evaluate(() => G.GetGadgetState(2) + " " + G.GetGadgetText(2)), "2 Blue");
    await p.at(3).locator("button").click();
    await p.locator(".ui-autocomplete .ui-menu-item", { hasText: "Beta" }).click();
    assert.equal(await p.evaluate(() => G.GetGadgetState(3) + " " + G.GetGadgetText(3)), "1 Beta");
    await p.at(4).getByText("File 2", { exact: true }).click();
    assert.equal(await p.evaluate(() => G.GetGadgetState(4) + " " + G.GetGadgetItemText(4, 2, 1)), "2 200");
    await p.at(4).locator("input.orvane-check-cell").nth(4).click();
    await p.waitForTimeout(50);
    assert.equal(await p.evaluate(() => G.GetGadgetItemState(4, 4) & C.PB_ListIcon_Checked), 2);
    assert.ok((await p.log()).includes("13100 0 4 0"));
    await p.at(5).getByText("Dog", { exact: true }).click();
    assert.equal(await p.evaluate(() => G.GetGadgetState(5) + " " + G.GetGadgetText(5)), "2 Dog");
    const treeLog = await p.log();
    assert.ok(treeLog.includes("13100 0 5 768") && treeLog.includes("13100 0 5 0"), treeLog.join("|"));
    await p.at(5).locator(".fancytree-node", { hasText: "Plants" }).locator(".fancytree-expander").click();
    assert.equal(await p.evaluate(() => G.GetGadgetItemState(5, 3) & C.PB_Tree_Expanded), 2);
    await shot(p, "lists");
    assert.deepEqual(p.errors, []);
});

test("ranges: spin arrows, track bar, scroll bar; containers: panel tabs, splitter bar", async () => {
    const p = await page(`
        W.OpenWindow(0, 10, 10, 620, 300, "Ranges and containers", C.PB_Window_SystemMenu);
        G.SpinGadget(1, 10, 10, 100, 24, 0, 5, C.PB_Spin_Numeric);
        G.TrackBarGadget(2, 10, 50, 200, 34, 0, 10, C.PB_TrackBar_Ticks);
        G.ScrollBarGadget(3, 10, 100, 200, 18, 0, 100, 20);
        G.ProgressBarGadget(4, 10, 130, 200, 20, 0, 10);
        G.SetGadgetState(4, 7);
        G.PanelGadget(5, 230, 10, 380, 130);
        G.AddGadgetItem(5, -1, "First");
        G.TextGadget(6, 10, 10, 200, 20, "On the first tab");
        G.AddGadgetItem(5, -1, "Second");
        G.TextGadget(7, 10, 10, 200, 20, "On the second tab");
        G.CloseGadgetList();
        G.EditorGadget(8, 0, 0, 0, 0);
        G.ListViewGadget(9, 0, 0, 0, 0);
        G.SplitterGadget(10, 230, 150, 380, 140, 8, 9, C.PB_Splitter_Vertical | C.PB_Splitter_Separator);
        G.FrameGadget(11, 10, 160, 200, 60, "Frame");
        G.ScrollAreaGadget(12, 10, 230, 200, 60, 500, 300, 10);
        G.ButtonGadget(13, 400, 250, 80, 24, "Far away");
        G.CloseGadgetList();
    `);
    await p.log();
    await p.at(1).locator(".ui-spinner-up").click();
    await p.at(1).locator(".ui-spinner-up").click();
    await p.at(1).locator(".ui-spinner-down").click();
    assert.deepEqual(await p.log(), ["13100 0 1 4", "13100 0 1 4", "13100 0 1 5"]);
    assert.equal(await p.evaluate(() => G.GetGadgetState(1) + " " + G.GetGadgetText(1)), "1 1");
    const handle = await p.at(2).locator(".ui-slider-handle").boundingBox();
    const track = await p.at(2).locator(".ui-slider").boundingBox();
    await p.mouse.move(handle.x + handle.width / 2, handle.y + handle.height / 2);
    await p.mouse.down();
    await p.mouse.move(track.x + track.width * 0.7, handle.y + handle.height / 2, { steps: 8 });
    await p.mouse.up();
    assert.equal(await p.evaluate(() => G.GetGadgetState(2)), 7);
    assert.ok((await p.log()).length > 0);
    await p.at(3).locator(".orvane-scrollbar-arrow").last().click();
    assert.equal(await p.evaluate(() => G.GetGadgetState(3)), 1);
    await p.at(3).locator(".orvane-scrollbar-track").click({ position: { x: 150, y: 8 } });
    assert.equal(await p.evaluate(() => G.GetGadgetState(3)), 21, "a click on the track moves a page");
    await p.log();
    await p.at(5).locator(".ui-tabs-anchor", { hasText: "Second" }).click();
    assert.deepEqual(await p.log(), ["13100 0 5 768"]);
    assert.equal(await p.evaluate(() => G.GetGadgetState(5)), 1);
    assert.equal(await p.getByText("On the second tab").isVisible(), true);
    const bar = await p.at(10).locator(".vsplitter").boundingBox();
    await p.mouse.move(bar.x + 3, bar.y + 40);
    await p.mouse.down();
    await p.mouse.move(bar.x + 63, bar.y + 40, { steps: 6 });
    await p.mouse.up();
    const split = await p.evaluate(() => [G.GetGadgetState(10), G.GadgetWidth(8), G.GadgetWidth(9)]);
    assert.ok(Math.abs(split[0] - (186 + 60)) <= 2, split.join());
    assert.equal(split[0] + split[2] + 7, 380);
    await shot(p, "ranges-containers");
    assert.deepEqual(p.errors, []);
});

test("canvas: mouse and keyboard events with the state of each event", async () => {
    const p = await page(`
        W.OpenWindow(0, 10, 10, 300, 220, "Canvas", C.PB_Window_SystemMenu);
        G.CanvasGadget(1, 10, 10, 280, 200, C.PB_Canvas_Keyboard | C.PB_Canvas_Border);
        window.seen = [];
        G.BindGadgetEvent(1, function () {
            var t = cWindow.EventType();
            if (t === C.PB_EventType_MouseMove) return;
            window.seen.push(t + ":" + G.GetGadgetAttribute(1, C.PB_Canvas_MouseX) + "," + G.GetGadgetAttribute(1, C.PB_Canvas_MouseY) +
                ":" + G.GetGadgetAttribute(1, C.PB_Canvas_Buttons) + ":" + G.GetGadgetAttribute(1, C.PB_Canvas_Key) + ":" + G.GetGadgetAttribute(1, C.PB_Canvas_Input));
        });
    `);
    const box = await p.locator("[data-gadget='1'] canvas").boundingBox();
    await p.mouse.move(box.x + 20, box.y + 30);
    await p.mouse.down();
    await p.mouse.move(box.x + 60, box.y + 70, { steps: 4 });
    await p.mouse.up();
    await p.keyboard.press("a");
    await p.waitForTimeout(50);
    const seen = await p.evaluate(() => window.seen);
    assert.deepEqual(seen, [
        "65537:20,30:0:0:0", // MouseEnter
        "65540:20,30:1:0:0", // LeftButtonDown
        "14000:20,30:1:0:0", // Focus
        "65541:60,70:0:0:0", // LeftButtonUp
        "0:60,70:0:0:0", // LeftClick
        "65547:60,70:0:65:0", // KeyDown
        "65549:60,70:0:0:97", // Input
        "65548:60,70:0:65:0", // KeyUp
    ]);
    const moves = (await p.evaluate(() => window.log.splice(0))).filter((line) => line.endsWith(" 65539"));
    assert.ok(moves.length >= 1 && moves.length <= 6, moves.length + " moves");
    assert.equal(await p.evaluate(() => G.GadgetWidth(1) + " " + document.querySelector("[data-gadget='1'] canvas").width), "280 278");
    await shot(p, "canvas");
    assert.deepEqual(p.errors, []);
});

test("dates, IP address, hyperlink, shortcut and web gadgets", async () => {
    const p = await page(`
        W.OpenWindow(0, 10, 10, 560, 300, "More gadgets", C.PB_Window_SystemMenu);
        G.DateGadget(1, 10, 10, 160, 24, "%dd/%mm/%yyyy", cDate.Date(2024, 3, 15, 0, 0, 0));
        G.CalendarGadget(2, 10, 50, 230, 190, cDate.Date(2024, 3, 15, 0, 0, 0));
        G.IPAddressGadget(3, 260, 10, 160, 24);
        G.HyperLinkGadget(4, 260, 50, 120, 20, "A hyperlink", 0xC00000, C.PB_HyperLink_Underline);
        G.ShortcutGadget(5, 260, 80, 160, 24, 0);
        G.WebGadget(6, 260, 120, 290, 170, "");
        G.SetGadgetItemText(6, C.PB_Web_HtmlCode, "<h3>Hello from a web gadget</h3>");
    `);
    await p.log();
    await p.at(1).locator(".ui-datepicker-trigger").click();
    await p.locator("#ui-datepicker-div a", { hasText: /^20$/ }).click();
    assert.equal(await p.evaluate(() => G.GetGadgetText(1)), "20/03/2024");
    await p.at(2).locator("a", { hasText: /^22$/ }).click();
    assert.equal(await p.evaluate(() => cDate.FormatDate("%yyyy-%mm-%dd", G.GetGadgetState(2))), "2024-03-22");
    await p.at(3).locator("input").first().click();
    await p.keyboard.type("192.168.1.20");
    assert.equal(await p.evaluate(() => G.GetGadgetText(3)), "192.168.1.20");
    await p.at(4).click();
    await p.at(5).click();
    await p.keyboard.press("Control+Shift+K");
    assert.equal(await p.evaluate(() => G.GetGadgetText(5) + " " + G.GetGadgetState(5)), "Ctrl+Shift+K " + (0x30000 + 75));
    await p.waitForTimeout(200);
    assert.equal(await p.evaluate(() => G.GetGadgetItemText(6, C.PB_Web_PageTitle) + "|" + /Hello/.test(G.GetGadgetItemText(6, C.PB_Web_HtmlCode))), "|true");
    const log = await p.log();
    for (const expected of ["13100 0 1 768", "13100 0 2 768", "13100 0 3 768", "13100 0 4 0", "13100 0 5 768"]) {
        assert.ok(log.includes(expected), expected + " in " + log.join("|"));
    }
    await shot(p, "dates-misc");
    assert.deepEqual(p.errors, []);
});

test("image and button image gadgets: the image's size, the state, the pressed image, clicks", async () => {
    const p = await page(`
        W.OpenWindow(0, 20, 20, 360, 220, "Images", C.PB_Window_SystemMenu);
        var red = cImage.CreateImage(C.PB_Any, 40, 30, 24, cDrawing.RGB(255, 0, 0));
        var blue = cImage.CreateImage(C.PB_Any, 60, 20, 24, cDrawing.RGB(0, 0, 255));
        window.images = [cImage.ImageID(red), cImage.ImageID(blue)];
        G.ImageGadget(1, 10, 10, 0, 0, window.images[0]);
        G.ImageGadget(2, 10, 60, 100, 80, window.images[1], C.PB_Image_Border);
        G.ImageGadget(3, 10, 150, 50, 40, 0);
        G.ButtonImageGadget(4, 150, 10, 80, 50, window.images[0]);
        G.SetGadgetAttribute(4, C.PB_Button_PressedImage, window.images[1]);
        G.ButtonImageGadget(5, 150, 80, 80, 50, window.images[0], C.PB_Button_Toggle);
        G.SetGadgetAttribute(5, C.PB_Button_PressedImage, window.images[1]);
    `);
    const sizes = () => p.evaluate(() => [1, 2, 3].map((n) => [G.GadgetWidth(n), G.GadgetHeight(n)]));
    const shown = (n) => p.at(n).locator("canvas").evaluate((c) => (c.width ? Array.from(c.getContext("2d").getImageData(c.width >> 1, c.height >> 1, 1, 1).data) : []));
    const red = [255, 0, 0, 255], blue = [0, 0, 255, 255];
    // An image gadget takes its image's size; the size given counts only without an image.
    assert.deepEqual(await sizes(), [[40, 30], [60, 20], [50, 40]]);
    await p.evaluate(() => {
        G.SetGadgetState(1, window.images[1]);
        G.SetGadgetState(2, 0);
        G.SetGadgetState(3, window.images[0]);
    });
    assert.deepEqual(await sizes(), [[60, 20], [100, 80], [40, 30]]);
    assert.deepEqual([await shown(1), await shown(2), await shown(3)], [blue, [], red]);
    assert.equal(await p.evaluate(() => G.GetGadgetState(1) === window.images[1] && G.GetGadgetState(2) === 0), true);
    await p.at(1).click();
    // The pressed image while the mouse holds the button down; a toggle keeps it while on.
    await p.at(4).hover();
    await p.mouse.down();
    assert.deepEqual(await shown(4), blue);
    await p.mouse.up();
    assert.deepEqual(await shown(4), red);
    await p.at(5).click();
    assert.deepEqual([await shown(5), await p.evaluate(() => G.GetGadgetState(5))], [blue, 1]);
    await p.evaluate(() => G.SetGadgetState(5, 0));
    assert.deepEqual([await shown(5), await p.evaluate(() => G.GetGadgetAttribute(5, C.PB_Button_PressedImage) === window.images[1])], [red, true]);
    assert.deepEqual(await p.log(), ["13100 0 1 0", "13100 0 4 0", "13100 0 5 0"]);
    await shot(p, "images");
    assert.deepEqual(p.errors, []);
});

test("bad input: error lines in the page, never a script error, later events still come", async () => {
    const p = await page(`
        G.ButtonGadget(1, 0, 0, 10, 10, "no window");
        W.OpenWindow(0, 10, 10, 200, 100, "Still works", C.PB_Window_SystemMenu);
        G.ButtonGadget(1, 10, 10, 100, 30, "Click");
        G.ListViewGadget(2, 10, 50, 100, -30);
        G.SetGadgetState(99, 1);
        G.GetGadgetItemText(2, 7);
        W.CloseWindow(5);
        G.BindGadgetEvent(1, function () { undefinedProcedure(); });
        G.BindGadgetEvent(1, function () { cDebugger.Debug("second callback ran"); });
    `);
    await p.at(1).click();
    await p.at(1).click();
    await p.waitForTimeout(50);
    assert.deepEqual(await p.debugLines(), [
        "[ERROR] There is no current GadgetList.",
        "[ERROR] Gadget width and height can't be negative (100, -30).",
        "[ERROR] #Gadget object not initialized.",
        "[ERROR] GetGadgetItemText(): item index out of range: 7 (#Gadget 2 has 0 items).",
        "[ERROR] #Window object not initialized.",
        "[ERROR] undefinedProcedure is not defined",
        "second callback ran",
        "[ERROR] undefinedProcedure is not defined",
        "second callback ran",
    ]);
    assert.equal((await p.log()).filter((line) => line === "13100 0 1 0").length, 2);
    const debug = await p.locator("#orvane-debug").boundingBox();
    const frame = await p.locator(".ui-dialog").boundingBox();
    assert.ok(debug.y >= frame.y + frame.height, "the debug output is below the windows, not over them");
    await shot(p, "errors");
    assert.deepEqual(p.errors, []);
});
