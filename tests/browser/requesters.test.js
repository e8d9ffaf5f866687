// Requesters, files, preferences and the clipboard in Chromium, driven as a user drives them:
// real clicks and keys on the dialogs, the browser's file chooser and downloads, a reload of
// the page. Screenshots go to build/screenshots/requester-*.png.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
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

const libraries = ["colorpicker", "filesaver"];

// The page runs `program`, an async function body in the runtime's calling convention that
// reports through cDebugger.Debug; ORV_Done marks its end.
function programPage(program, options = {}) {
    return openGuiPage(
        browser,
        `window.ORV_Done = false; (async function () { ${program} })().then(() => { window.ORV_Done = true; }, (e) => cDebugger.Debug("failed: " + e));`,
        { libraries, ...options }
    );
}

async function finished(page) {
    await page.waitForFunction(() => window.ORV_Done === true, null, { timeout: 5000 });
    return page.debugLines();
}

async function shoot(page, name) {
    await page.screenshot({ path: path.join(shots, `requester-${name}.png`) });
}

const dialogButton = (text) => `.orvane-requester-dialog .ui-dialog-buttonpane button:text-is("${text}")`;

test("message requesters: every button set by real clicks and keys, themed, with their icons", async () => {
    const page = await programPage(`
        var C = cConstants;
        cDebugger.Debug(await cRequester.MessageRequester("Information", "Saved.\\nAll went well.", C.PB_MessageRequester_Info));
        cDebugger.Debug(await cRequester.MessageRequester("Question", "Save the changes?", C.PB_MessageRequester_YesNoCancel | C.PB_MessageRequester_Warning));
        cDebugger.Debug(await cRequester.MessageRequester("Question", "Save the changes?", C.PB_MessageRequester_YesNoCancel));
        cDebugger.Debug(await cRequester.MessageRequester("Question", "Really?", C.PB_MessageRequester_YesNo | C.PB_MessageRequester_Error));
        cDebugger.Debug(await cRequester.MessageRequester("Question", "Really?", C.PB_MessageRequester_YesNo));
        cDebugger.Debug(await cRequester.MessageRequester("Question", "Sure?", C.PB_MessageRequester_YesNoCancel));
    `);
    await page.waitForSelector(".orvane-requester-icon-info");
    await shoot(page, "info");
    await page.keyboard.press("Enter");
    await page.waitForSelector(".orvane-requester-icon-warning");
    await shoot(page, "yesnocancel");
    await page.click(dialogButton("Cancel"));
    await page.click(dialogButton("No"));
    await page.waitForSelector(".orvane-requester-icon-error");
    assert.equal(await page.isVisible(".orvane-requester-dialog .ui-dialog-titlebar-close"), false, "a Yes/No question has no close button");
    await page.keyboard.press("Escape");
    await shoot(page, "yesno");
    await page.click(dialogButton("Yes"));
    await page.click(dialogButton("No"));
    await page.keyboard.press("Escape");
    assert.deepEqual(await finished(page), ["1", "2", "7", "6", "7", "2"]);
    assert.deepEqual(page.errors, []);
});

test("input requester: typed text and Enter, a hidden password, Cancel", async () => {
    const page = await programPage(`
        cDebugger.Debug("[" + await cRequester.InputRequester("Name", "Your name?", "nobody") + "]");
        cDebugger.Debug("[" + await cRequester.InputRequester("Login", "Password:", "", cConstants.PB_InputRequester_Password) + "]");
        cDebugger.Debug("[" + await cRequester.InputRequester("Name", "Your name?", "kept?") + "]");
    `);
    await page.waitForSelector(".orvane-requester input");
    await page.keyboard.type("Zoe");
    await shoot(page, "input");
    await page.keyboard.press("Enter");
    await page.waitForSelector(".orvane-requester input[type=password]");
    await page.keyboard.type("s3cret");
    await page.click(dialogButton("OK"));
    await page.waitForSelector(".orvane-requester input[type=text]");
    await page.click(dialogButton("Cancel"));
    assert.deepEqual(await finished(page), ["[Zoe]", "[s3cret]", "[]"]);
});

test("colour, font and path requesters", async () => {
    const page = await programPage(`
        var color = await cRequester.ColorRequester(0x0000ff);
        cDebugger.Debug(color === -1 ? "cancelled" : (color & 255) + "," + ((color >> 8) & 255) + "," + ((color >> 16) & 255));
        cDebugger.Debug(await cRequester.ColorRequester(0));
        if (await cRequester.FontRequester("Courier New", 11, cConstants.PB_FontRequester_Effects)) {
            cDebugger.Debug(cRequester.SelectedFontName() + " " + cRequester.SelectedFontSize() + " " + cRequester.SelectedFontStyle());
        }
        cDebugger.Debug("[" + await cRequester.PathRequester("Folder", "C:\\\\") + "]");
    `);
    await page.waitForSelector(".orvane-requester-palette table.evo-palette");
    await shoot(page, "color");
    await page.click('.orvane-requester-palette td[style*="00b050"]');
    await page.click(dialogButton("OK"));
    await page.waitForSelector(".orvane-requester-palette");
    await page.click(dialogButton("Cancel"));
    await page.waitForSelector(".orvane-requester-fontname");
    await page.selectOption(".orvane-requester-fontname", "monospace");
    await page.fill(".orvane-requester-fontsize", "18");
    await page.check('.orvane-requester input[data-style="256"]');
    await page.check('.orvane-requester input[data-style="4"]');
    await shoot(page, "font");
    await page.click(dialogButton("OK"));
    await page.waitForSelector(".orvane-requester-icon-info");
    await shoot(page, "path");
    await page.click(dialogButton("OK"));
    assert.deepEqual(await finished(page), ["0,176,80", "-1", "monospace 18 260", "[]"]);
});

test("open file requester: the chooser at once after a click, or behind a button; the content reads back", async () => {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvane-files-"));
    fs.writeFileSync(path.join(dir, "first.txt"), "line one\r\nline two\r\n");
    fs.writeFileSync(path.join(dir, "second.csv"), "a;b\n");
    const page = await programPage(`
        async function show(name) {
            cDebugger.Debug("chosen: [" + name + "] size " + cFile.FileSize(name));
            if (name && (await cFile.ReadFile(0, name))) {
                while (!cFile.Eof(0)) cDebugger.Debug(cFile.ReadString(0));
                cFile.CloseFile(0);
            }
        }
        var button = document.createElement("button");
        button.id = "open";
        button.textContent = "Open";
        document.body.appendChild(button);
        var clicked = new Promise((resolve) => button.addEventListener("click", () =>
            resolve(cRequester.OpenFileRequester("Open", "", "Text | *.txt | All | *.*", 0, cConstants.PB_Requester_MultiSelection))));
        var name = await clicked;
        await show(name);
        cDebugger.Debug("next: [" + cRequester.NextSelectedFilename() + "] [" + cRequester.NextSelectedFilename() + "]");
        await show(await cRequester.OpenFileRequester("Open", "", "", 0));
        await show(await cRequester.OpenFileRequester("Open", "", "", 0));
    `);
    // Whether the browser still counts the user's last click when the next requester comes
    // depends on time; without it, the requester's own button opens the chooser.
    let chooser = page.waitForEvent("filechooser");
    const nextChooser = async () => {
        const first = await Promise.race([chooser, page.waitForSelector(".orvane-requester-choose").then(() => null)]);
        if (first) return first;
        await shoot(page, "openfile");
        await page.click(".orvane-requester-choose");
        return chooser;
    };
    // The next chooser is awaited before the answer to this one lets the program go on.
    const answer = async (fileChooser, files) => {
        chooser = page.waitForEvent("filechooser");
        await fileChooser.setFiles(files);
    };
    await page.click("#open");
    let fileChooser = await nextChooser();
    assert.equal(fileChooser.isMultiple(), true);
    await answer(fileChooser, [path.join(dir, "first.txt"), path.join(dir, "second.csv")]);
    fileChooser = await nextChooser();
    assert.equal(fileChooser.isMultiple(), false);
    await answer(fileChooser, path.join(dir, "second.csv"));
    fileChooser = await nextChooser();
    await fileChooser.setFiles([]);
    assert.deepEqual(await finished(page), [
        "chosen: [first.txt] size 20",
        "line one",
        "line two",
        "next: [second.csv] []",
        "chosen: [second.csv] size 4",
        "a;b",
        "chosen: [] size -1",
    ]);
});

test("files and preferences written by a program are there after a reload; a saved file is a download", async () => {
    const page = await programPage(`
        var F = cFile, P = cPreference;
        if (F.FileSize("notes.txt") < 0) {
            F.CreateFile(0, "notes.txt");
            F.WriteStringN(0, "Ünïcode line");
            F.WriteLong(0, 123456);
            F.CloseFile(0);
            P.CreatePreferences("app.ini");
            P.PreferenceGroup("Window");
            P.WritePreferenceLong("Width", 640);
            P.ClosePreferences();
            cDebugger.Debug("written");
        } else {
            await F.ReadFile(0, "notes.txt");
            cDebugger.Debug(F.ReadString(0) + " " + F.ReadLong(0) + " eof " + F.Eof(0));
            F.CloseFile(0);
            P.OpenPreferences("app.ini");
            P.PreferenceGroup("Window");
            cDebugger.Debug("Width " + P.ReadPreferenceLong("Width", 0));
            P.ClosePreferences();
            var name = await cRequester.SaveFileRequester("Save", "report.txt", "Text | *.txt", 0);
            F.CreateFile(1, name);
            F.WriteString(1, "saved by the program");
            F.CloseFile(1);
            cDebugger.Debug("saved as " + name);
        }
    `);
    assert.deepEqual(await finished(page), ["written"]);
    await page.reload();
    await page.waitForSelector(".orvane-requester input");
    await shoot(page, "savefile");
    const download = page.waitForEvent("download");
    await page.fill(".orvane-requester input", "my report.txt");
    await page.click(dialogButton("Save"));
    const saved = await download;
    assert.equal(saved.suggestedFilename(), "my report.txt");
    assert.equal(fs.readFileSync(await saved.path(), "utf8"), "saved by the program");
    assert.deepEqual(await finished(page), ["Ünïcode line 123456 eof 1", "Width 640", "saved as my report.txt"]);
    assert.deepEqual(page.errors, []);
});

test("clipboard: copied text pastes back; a browser that refuses says so", async () => {
    const page = await programPage(`
        cClipboard.SetClipboardText("copied from the program");
        cDebugger.Debug(await cClipboard.GetClipboardText());
    `);
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await page.reload();
    assert.deepEqual(await finished(page), ["copied from the program"]);

    const refused = await programPage(`
        cClipboard.SetClipboardText("kept");
        cDebugger.Debug(await cClipboard.GetClipboardText());
    `);
    const lines = await finished(refused);
    assert.equal(lines[lines.length - 1], "kept");
    assert.ok(lines.some((line) => /^\[ERROR\] GetClipboardText\(\): the browser refused access to the clipboard/.test(line)), lines.join("\n"));
});
