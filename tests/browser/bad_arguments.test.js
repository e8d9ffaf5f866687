// Every function of the window libraries called with arguments no program should pass (missing,
// negative, huge, not numbers, unknown object numbers, objects of the wrong kind), in Chromium,
// where drawing reaches the canvas. A library function shows an error line and returns; it never
// throws past the program, rejects its Promise, hangs or leaves the page broken for the calls after.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { launch, openGuiPage, root } = require("./gui_page.js");

const libraries = ["Window", "Gadget", "Font", "Menu", "ToolBar", "StatusBar", "Requester", "Clipboard", "File", "Preference", "Image", "Drawing", "VectorDrawing", "Sprite", "Screen", "Keyboard", "Mouse"];
const functions = fs
    .readFileSync(path.join(root, "runtime/tables/libraries.txt"), "utf8")
    .split(/\r?\n/)
    .filter((line) => libraries.includes(line.split(".")[0]))
    // Two waits at once are no program's event loop: the waits get their own check below.
    .filter((line) => !/^Window\.(WaitWindowEvent|WindowEvent)\b/.test(line))
    .map((line) => line.split("."));

let browser;
test.before(async () => {
    browser = await launch();
});
test.after(async () => {
    await browser.close();
});

// Runs in the page: a window with one gadget of each kind, an image, a sprite, a menu, a file,
// then every function with every set of arguments. Returns what threw or rejected.
async function callEverything({ functions, seed }) {
    const C = cConstants;
    const setUp = () => {
        if (cWindow.IsWindow(0)) return;
        cWindow.OpenWindow(0, 10, 10, 400, 300, "Bad arguments", C.PB_Window_SystemMenu | C.PB_Window_SizeGadget);
        const kinds = ["ButtonGadget", "TextGadget", "StringGadget", "CheckBoxGadget", "OptionGadget", "HyperLinkGadget"];
        kinds.forEach((kind, i) => cGadget[kind](i, 0, 0, 50, 20, "g"));
        cGadget.ListViewGadget(6, 0, 0, 50, 50);
        cGadget.ComboBoxGadget(7, 0, 0, 50, 20, C.PB_ComboBox_Editable);
        cGadget.ListIconGadget(8, 0, 0, 100, 50, "c", 50);
        cGadget.TreeGadget(9, 0, 0, 50, 50);
        cGadget.PanelGadget(10, 0, 0, 100, 100);
        cGadget.AddGadgetItem(10, -1, "tab");
        cGadget.CloseGadgetList();
        cGadget.CanvasGadget(11, 0, 0, 50, 50, C.PB_Canvas_Keyboard);
        cGadget.EditorGadget(12, 0, 0, 50, 50);
        cGadget.SpinGadget(13, 0, 0, 50, 20, 0, 10);
        cGadget.TrackBarGadget(14, 0, 0, 50, 20, 0, 10);
        cGadget.ProgressBarGadget(15, 0, 0, 50, 20, 0, 10);
        cGadget.ScrollBarGadget(16, 0, 0, 50, 20, 0, 10, 2);
        cGadget.DateGadget(17, 0, 0, 80, 20);
        cGadget.CalendarGadget(18, 0, 0, 150, 150);
        cGadget.ContainerGadget(19, 0, 0, 50, 50);
        cGadget.CloseGadgetList();
        cGadget.ScrollAreaGadget(20, 0, 0, 50, 50, 100, 100);
        cGadget.CloseGadgetList();
        cGadget.IPAddressGadget(21, 0, 0, 100, 20);
        cGadget.ImageGadget(22, 0, 0, 10, 10, 0);
        cGadget.ButtonImageGadget(23, 0, 0, 10, 10, 0);
        cGadget.FrameGadget(24, 0, 0, 50, 50, "f");
        cGadget.SplitterGadget(25, 0, 0, 100, 50, 0, 1);
        cGadget.ShortcutGadget(26, 0, 0, 50, 20, 0);
        ["a", "b"].forEach((t) => [6, 7, 8, 9].forEach((g) => cGadget.AddGadgetItem(g, -1, t)));
        cImage.CreateImage(0, 20, 20);
        cImage.CreateImage(1, 10, 10, 32, C.PB_Image_Transparent);
        cFont.LoadFont(0, "Arial", 10);
        cMenu.CreateMenu(0, cWindow.WindowID(0));
        cMenu.MenuTitle("m");
        cMenu.MenuItem(1, "item");
        cToolBar.CreateToolBar(0, cWindow.WindowID(0));
        cToolBar.ToolBarStandardButton(2, C.PB_ToolBarIcon_New);
        cStatusBar.CreateStatusBar(0, cWindow.WindowID(0));
        cStatusBar.AddStatusBarField(100);
        cFile.CreateFile(0, "bad-arguments.txt");
        cPreference.CreatePreferences("bad-arguments.prefs");
        cSprite.InitSprite();
        cScreen.OpenWindowedScreen(cWindow.WindowID(0), 0, 0, 100, 100);
        cSprite.CreateSprite(0, 10, 10);
    };
    const values = [undefined, -1, 0, 1, 2, 5, 11, 99999, -99999, 1e12, -1e12, NaN, Infinity, 0.5, "", "text", "-1", null, {}, [], true];
    let state = seed;
    const random = () => {
        state = (state * 1103515245 + 12345) % 2147483648;
        return state / 2147483648;
    };
    const faults = [];
    const report = (name, args, error) => faults.push(name + "(" + args.map((a) => (typeof a === "string" ? JSON.stringify(a) : String(a))).join(", ") + "): " + ((error && error.stack) || error));
    for (const [object, name] of functions) {
        const f = window["c" + object][name];
        const sets = [[], [0], [0, 0, 0, 0, 0, 0, 0, 0], [-1, -1, -1, -1, -1, -1, -1, -1], [99999, 1, 1, 1, 1], [NaN, NaN, NaN, NaN], ["x", "x", "x", "x", "x"]];
        for (let i = 0; i < 12; i++) sets.push(Array.from({ length: Math.floor(random() * 9) }, () => values[Math.floor(random() * values.length)]));
        for (const args of sets) {
            setUp();
            if (cDrawing.StopDrawing && name !== "StopDrawing") {
                // Every drawing function also runs inside a drawing, where it does its work.
                if (object === "Drawing" && random() < 0.5) cDrawing.StartDrawing(cImage.ImageOutput(0));
                if (object === "VectorDrawing" && random() < 0.5) cVectorDrawing.StartVectorDrawing(cImage.ImageVectorOutput(0));
            }
            try {
                const result = f.apply(null, args);
                if (result && typeof result.then === "function") {
                    result.then(undefined, (error) => report(object + "." + name + " (rejected)", args, error));
                }
            } catch (error) {
                report(object + "." + name, args, error);
            }
        }
        if (object === "Drawing") cDrawing.StopDrawing();
        if (object === "VectorDrawing") cVectorDrawing.StopVectorDrawing();
    }
    await new Promise((resolve) => setTimeout(resolve, 300));
    return faults;
}

test("every window library function takes bad arguments without throwing, rejecting or hanging", async () => {
    const page = await openGuiPage(browser, "");
    page.on("dialog", (dialog) => dialog.dismiss());
    const faults = await page.evaluate(callEverything, { functions, seed: Number(process.env.ORVANE_SEED || 12345) });
    assert.deepEqual(faults.slice(0, 20), [], faults.length + " faults");
    // Loading files that are not there makes the browser say so in its console; nothing else may.
    assert.deepEqual(page.errors.filter((error) => !/^Failed to load resource/.test(error)), []);
    // The page still works: a new window, a gadget and an event.
    const works = await page.evaluate(async () => {
        cWindow.CloseWindow(-1);
        cWindow.OpenWindow(50, 0, 0, 200, 100, "After", cConstants.PB_Window_SystemMenu);
        cGadget.ButtonGadget(50, 10, 10, 80, 24, "OK");
        // The events posted with bad arguments (event 0 among them) go first: until a wait times out.
        let event;
        for (let started = 0, i = 0; i < 100000; i++) {
            started = performance.now();
            await cWindow.WaitWindowEvent(50);
            if (performance.now() - started >= 40) break;
        }
        // A timeout beyond what the browser's timers hold still waits for an event.
        const later = () => new Promise((resolve) => setTimeout(() => resolve("still waiting"), 200));
        const waits = [];
        for (const timeout of [1e12, 4294967296]) {
            const wait = cWindow.WaitWindowEvent(timeout);
            waits.push(await Promise.race([wait, later()]));
            cWindow.PostEvent(cConstants.PB_Event_FirstCustomValue, 50, 0);
            waits.push(await wait);
        }
        cWindow.PostEvent(cConstants.PB_Event_Gadget, 50, 50);
        do event = await cWindow.WaitWindowEvent(500);
        while (event && event !== cConstants.PB_Event_Gadget);
        return [waits, event, cWindow.EventGadget(), cGadget.GetGadgetText(50)];
    });
    assert.deepEqual(works, [["still waiting", 65536, "still waiting", 65536], 13100, 50, "OK"]);
    await page.close();
});
