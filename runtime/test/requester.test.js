// Requesters as the user meets them: a dialog in the page whose buttons, fields and keys give
// PureBasic's results, with jQuery UI (desktop pages) and without it (jQuery Mobile pages).
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const withUi = { libraries: ["jquery-ui/dist/jquery-ui.js"] };

function openRequester(page) {
    const boxes = page.window.document.querySelectorAll(".orvane-requester");
    assert.equal(boxes.length, 1, "one requester is open");
    return boxes[0];
}

// The buttons of the open requester, as the user sees them: text -> element.
function buttons(page) {
    const box = openRequester(page);
    const frame = box.closest(".ui-dialog") || box.closest(".orvane-requester-frame");
    const found = {};
    frame.querySelectorAll("button[data-result]").forEach((b) => (found[b.textContent] = b));
    return found;
}

function press(page, key, target) {
    const event = new page.window.KeyboardEvent("keydown", { key, keyCode: key === "Escape" ? 27 : 13, bubbles: true });
    (target || page.window.document.activeElement || openRequester(page)).dispatchEvent(event);
}

for (const [kind, options] of [
    ["jQuery UI", withUi],
    ["plain page", undefined],
]) {
    test(`MessageRequester (${kind}): every button set answers with PureBasic's result`, async () => {
        const page = loadPage(undefined, options);
        const R = page.window.cRequester;

        let answer = R.MessageRequester("Title", "Line one\nLine two");
        assert.deepEqual(Object.keys(buttons(page)), ["OK"]);
        assert.equal(openRequester(page).querySelector(".orvane-requester-text").textContent, "Line one\nLine two");
        buttons(page).OK.click();
        assert.equal(await answer, 1);
        assert.equal(page.window.document.querySelectorAll(".orvane-requester").length, 0, "closed after the answer");

        answer = R.MessageRequester("T", "Escape closes an OK box", 0x40);
        assert.ok(openRequester(page).querySelector(".orvane-requester-icon-info svg"));
        press(page, "Escape");
        assert.equal(await answer, 1);

        answer = R.MessageRequester("T", "Sure?", 4 | 0x30);
        assert.deepEqual(Object.keys(buttons(page)), ["Yes", "No"]);
        assert.ok(openRequester(page).querySelector(".orvane-requester-icon-warning"));
        press(page, "Escape"); // a Yes/No question must be answered
        assert.equal(page.window.document.querySelectorAll(".orvane-requester").length, 1);
        buttons(page).No.click();
        assert.equal(await answer, 7);

        answer = R.MessageRequester("T", "Sure?", 4);
        assert.equal(page.window.document.activeElement, buttons(page).Yes, "Yes has the focus");
        buttons(page).Yes.click();
        assert.equal(await answer, 6);

        for (const [press_, result] of [
            ["Yes", 6],
            ["No", 7],
            ["Cancel", 2],
        ]) {
            answer = R.MessageRequester("T", "Save?", 3 | 0x10);
            assert.deepEqual(Object.keys(buttons(page)), ["Yes", "No", "Cancel"]);
            assert.ok(openRequester(page).querySelector(".orvane-requester-icon-error"));
            buttons(page)[press_].click();
            assert.equal(await answer, result);
        }
        answer = R.MessageRequester("T", "Save?", 3);
        press(page, "Escape");
        assert.equal(await answer, 2);
    });

    test(`InputRequester (${kind}): OK, Enter and Cancel; the password flag hides the text`, async () => {
        const page = loadPage(undefined, options);
        const R = page.window.cRequester;

        let answer = R.InputRequester("Name", "Your name?", "nobody");
        let field = openRequester(page).querySelector("input");
        assert.equal(field.type, "text");
        assert.equal(field.value, "nobody");
        assert.equal(page.window.document.activeElement, field);
        field.value = "Zoe";
        buttons(page).OK.click();
        assert.equal(await answer, "Zoe");

        answer = R.InputRequester("Name", "Your name?", "", 1);
        field = openRequester(page).querySelector("input");
        assert.equal(field.type, "password");
        field.value = "secret";
        press(page, "Enter", field);
        assert.equal(await answer, "secret");

        answer = R.InputRequester("Name", "Your name?", "typed but cancelled");
        buttons(page).Cancel.click();
        assert.equal(await answer, "");
    });
}

test("PathRequester says that a browser has no folders and answers as cancelled", async () => {
    const page = loadPage(undefined, withUi);
    const answer = page.window.cRequester.PathRequester("Folder", "C:\\");
    assert.match(openRequester(page).textContent, /cannot show the folders/);
    buttons(page).OK.click();
    assert.equal(await answer, "");
});

test("ColorRequester answers RGB() values, -1 when cancelled", async () => {
    const page = loadPage(undefined, withUi);
    const R = page.window.cRequester;
    let answer = R.ColorRequester(0x3366ff); // RGB(255, 102, 51)
    let field = openRequester(page).querySelector(".orvane-requester-field");
    assert.equal(field.value, "#ff6633");
    buttons(page).OK.click();
    assert.equal(await answer, 0x3366ff);

    answer = R.ColorRequester();
    field = openRequester(page).querySelector(".orvane-requester-field");
    field.value = "#0a0b0c";
    field.dispatchEvent(new page.window.Event("input", { bubbles: true }));
    buttons(page).OK.click();
    assert.equal(await answer, 0x0c0b0a);

    answer = R.ColorRequester(255);
    buttons(page).Cancel.click();
    assert.equal(await answer, -1);
});

test("FontRequester: the chosen name, size and style; cancelling keeps the last choice", async () => {
    const page = loadPage(undefined, withUi);
    const R = page.window.cRequester;
    let answer = R.FontRequester("My Font", 12, 0, 0, 0x200);
    const box = openRequester(page);
    const names = box.querySelector("select");
    assert.equal(names.value, "My Font", "the given font is offered and chosen");
    names.value = "monospace";
    box.querySelector(".orvane-requester-fontsize").value = "20";
    box.querySelector('input[data-style="256"]').checked = true;
    assert.equal(box.querySelector('input[data-style="4"]'), null, "underline needs #PB_FontRequester_Effects");
    buttons(page).OK.click();
    assert.equal(await answer, 1);
    assert.deepEqual([R.SelectedFontName(), R.SelectedFontSize(), R.SelectedFontStyle()], ["monospace", 20, 0x300]);

    answer = R.FontRequester("Arial", 10, 256, 0x0000ff);
    assert.ok(openRequester(page).querySelector('input[data-style="8"]'));
    assert.equal(openRequester(page).querySelector(".orvane-requester-fontcolor").value, "#ff0000");
    buttons(page).Cancel.click();
    assert.equal(await answer, 0);
    assert.equal(R.SelectedFontName(), "monospace");
});

test("SaveFileRequester gives the name typed; a file written under it becomes a download", async () => {
    const page = loadPage(undefined, withUi);
    const { cRequester: R, cFile: F } = page.window;
    const saved = [];
    page.window.saveAs = (blob, name) => saved.push({ blob, name });

    let answer = R.SaveFileRequester("Save", "C:\\Data\\report.txt", "Text|*.txt", 0);
    const field = openRequester(page).querySelector("input");
    assert.equal(field.value, "report.txt");
    field.value = "notes.txt";
    buttons(page).Save.click();
    assert.equal(await answer, "notes.txt");
    assert.ok(F.CreateFile(1, "notes.txt"));
    F.WriteString(1, "hello");
    F.CloseFile(1);
    assert.equal(saved.length, 1);
    assert.equal(saved[0].name, "notes.txt");
    const text = await new Promise((resolve) => {
        const reader = new page.window.FileReader();
        reader.onload = () => resolve(reader.result);
        reader.readAsText(saved[0].blob);
    });
    assert.equal(text, "hello");
    assert.equal(F.FileSize("notes.txt"), 5, "also kept in the site's store");

    answer = R.SaveFileRequester("Save", "x.txt", "", 0);
    buttons(page).Cancel.click();
    assert.equal(await answer, "");
});

test("OpenFileRequester without a user's click first offers a button that opens the chooser", async () => {
    const page = loadPage(undefined, withUi);
    const answer = page.window.cRequester.OpenFileRequester("Open", "", "Text | *.txt;*.log | All | *.*", 0);
    const input = openRequester(page).querySelector("input[type=file]");
    assert.equal(input.accept, ".txt,.log");
    let clicked = 0;
    input.click = () => clicked++;
    openRequester(page).querySelector(".orvane-requester-choose").click();
    assert.equal(clicked, 1);
    buttons(page).Cancel.click();
    assert.equal(await answer, "");
});

test("the older emitted form, which uses the result at once, asks through the browser's dialogs", () => {
    const page = loadPage(undefined, withUi);
    const R = page.window.cRequester;
    page.confirms.push(false);
    page.answers.push("typed");
    assert.ok(R.MessageRequester("T", "Continue?", 4) == 7);
    assert.equal(page.dialogs.pop(), "T\n\nContinue?");
    assert.equal("name: " + R.InputRequester("T", "Who?", "x"), "name: typed");
    assert.equal(page.window.document.querySelectorAll(".orvane-requester").length, 0, "the requesters are closed");
});
