// examples/notepad.pb converted with Orvane and used in Chromium: its menus, toolbar, status bar,
// shortcuts, requesters, files, clipboard and preferences through real clicks and keys, and a
// reload that finds what the last run stored. Screenshots in build/screenshots/notepad-*.png.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { launch, root } = require("./gui_page.js");
const { convert } = require("./convert.js");

const shots = path.join(root, "build/screenshots");
fs.mkdirSync(shots, { recursive: true });

let browser;
test.before(async () => {
    browser = await launch();
});
test.after(async () => {
    await browser.close();
});

const button = (text) => `.orvane-requester-dialog .ui-dialog-buttonpane button:text-is("${text}")`;

test("notepad: menus, toolbar, shortcuts, requesters, files, clipboard and preferences", async () => {
    const server = convert(path.join(root, "examples/notepad.pb"));
    const context = await browser.newContext({ viewport: { width: 900, height: 600 }, acceptDownloads: true });
    await context.grantPermissions(["clipboard-read", "clipboard-write"]);
    const page = await context.newPage();
    const errors = [];
    page.on("pageerror", (error) => errors.push(String(error)));
    page.on("console", (message) => {
        if (message.type() === "error") errors.push(message.text());
    });
    await page.goto("file://" + path.join(server, "index.html"), { waitUntil: "load" });
    await page.waitForSelector(".orvane-statusbar-field");
    const status = () => page.locator(".orvane-statusbar-field").first().textContent();
    const editor = page.locator("[data-gadget='0'] textarea, textarea[data-gadget='0']").first();
    assert.equal(await page.locator(".orvane-statusbar-field").nth(1).textContent(), "Start 1");

    await editor.click();
    await page.keyboard.type("Hello from the notepad");
    await page.click(".orvane-menu-title >> text=Edit");
    await page.screenshot({ path: path.join(shots, "notepad-menu.png") });
    await page.click(".orvane-menu-popup:visible >> text=Copy all");
    assert.equal(await status(), "22 characters");

    // Save as: the requester, then the download.
    await page.keyboard.press("Control+s");
    await page.waitForSelector(".orvane-requester input");
    await page.fill(".orvane-requester input", "hello.txt");
    const download = page.waitForEvent("download");
    await page.click(button("Save"));
    const saved = await download;
    assert.equal(saved.suggestedFilename(), "hello.txt");
    assert.equal(fs.readFileSync(await saved.path(), "utf8"), "Hello from the notepad");

    // New asks first; No keeps the text, Yes clears it.
    await page.click(".orvane-toolbar-button[data-item='0']");
    await page.waitForSelector(".orvane-requester-icon-warning");
    await page.screenshot({ path: path.join(shots, "notepad-new.png") });
    await page.click(button("No"));
    assert.equal(await editor.inputValue(), "Hello from the notepad");
    await page.click(".orvane-toolbar-button[data-item='0']");
    await page.click(button("Yes"));
    await page.waitForFunction(() => document.querySelector(".orvane-statusbar-field").textContent === "0 characters");

    // Paste brings back what Copy all put on the clipboard.
    await page.click(".orvane-menu-title >> text=Edit");
    await page.click(".orvane-menu-popup:visible >> text=Paste");
    await page.waitForFunction(() => document.querySelector(".orvane-statusbar-field").textContent === "22 characters");

    // Open: a file from the computer through the browser's chooser.
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvane-notepad-"));
    fs.writeFileSync(path.join(dir, "letter.txt"), "Dear reader,\r\nthe end.\r\n");
    const chooser = page.waitForEvent("filechooser");
    await page.click(".orvane-menu-title >> text=File");
    await page.click(".orvane-menu-popup:visible >> text=Open...");
    await (await chooser).setFiles(path.join(dir, "letter.txt"));
    // Lines read with ReadString, joined with #LF$; an editor gadget gives its text with CR LF.
    await page.waitForFunction(() => cGadget.GetGadgetText(0) === "Dear reader,\r\nthe end.\r\n");
    await page.screenshot({ path: path.join(shots, "notepad-open.png") });

    await page.click(".orvane-menu-title >> text=Help");
    await page.click(".orvane-menu-popup:visible >> text=About");
    await page.waitForSelector(".orvane-requester-icon-info");
    await page.keyboard.press("Enter");

    // Quit writes the preferences; the next start reads them.
    await page.click(".orvane-menu-title >> text=File");
    await page.click(".orvane-menu-popup:visible >> text=Quit");
    await page.waitForFunction(() => !document.querySelector(".orvane-statusbar-field"));
    await page.reload();
    await page.waitForSelector(".orvane-statusbar-field");
    assert.equal(await page.locator(".orvane-statusbar-field").nth(1).textContent(), "Start 2, last file: letter.txt");
    await page.screenshot({ path: path.join(shots, "notepad-restart.png") });
    assert.deepEqual(errors, []);
    await context.close();
});
