"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

function typeLine(page, text, key = "Enter", ctrlKey = false) {
    const { document, Event, KeyboardEvent } = page.window;
    const line = document.querySelector("#orvane-console input.orvane-input");
    assert.ok(line, "an input line waits in the console");
    line.value = text;
    line.dispatchEvent(new Event("input", { bubbles: true }));
    line.dispatchEvent(new KeyboardEvent("keydown", { key, ctrlKey, bubbles: true }));
}

const turn = (ms = 0) => new Promise((resolve) => setTimeout(resolve, ms));

test("Input waits for a line typed into the console area; the line stays, followed by a break", async () => {
    const page = loadPage();
    const { cConsole, document } = page.window;
    cConsole.OpenConsole("Title");
    assert.equal(document.title, "Title");
    cConsole.Print("Name: ");
    let answer = null;
    cConsole.Input().then((text) => (answer = text));
    await turn();
    assert.equal(answer, null, "nothing typed yet");
    const area = document.getElementById("orvane-console");
    assert.equal(area.lastChild.className, "orvane-input", "the input line ends the console text");
    cConsole.Print("(meanwhile)");
    assert.equal(area.lastChild.className, "orvane-input", "text printed while waiting goes before it");
    typeLine(page, "Bob");
    await turn();
    assert.equal(answer, "Bob");
    assert.equal(area.textContent, "Name: (meanwhile)Bob\n");
    assert.equal(document.querySelector("input.orvane-input"), null);

    cConsole.Input().then((text) => (answer = text));
    const line = document.querySelector("input.orvane-input");
    line.value = "a";
    line.setSelectionRange(1, 1);
    line.dispatchEvent(new page.window.KeyboardEvent("keydown", { key: "Tab", bubbles: true }));
    assert.equal(line.value, "a\t", "Tab is typed, focus stays");
    line.dispatchEvent(new page.window.KeyboardEvent("keydown", { key: "Escape", bubbles: true }));
    assert.equal(line.value, "", "Escape clears the line");
    typeLine(page, "", "d", true);
    await turn();
    assert.equal(answer, "\x04", "Ctrl+D on an empty line is #PB_Input_Eof");
});

test("Inkey gives the keys typed since the last call after a turn of the event loop, RawKey their codes", async () => {
    const page = loadPage();
    const { cConsole, document, KeyboardEvent } = page.window;
    cConsole.OpenConsole();
    const press = (key) => document.body.dispatchEvent(new KeyboardEvent("keydown", { key, bubbles: true, keyCode: key === "ArrowUp" ? 38 : 0 }));
    assert.equal(await cConsole.Inkey(), "");
    assert.equal(cConsole.RawKey(), 0);
    press("a");
    press("Shift");
    press("ArrowUp");
    press("Escape");
    const pending = cConsole.Inkey();
    press("é");
    assert.equal(await pending, "a");
    assert.equal(cConsole.RawKey(), 97);
    assert.equal(await cConsole.Inkey(), "", "a key without a character");
    assert.equal(cConsole.RawKey(), 38);
    assert.equal(await cConsole.Inkey(), "\x1b");
    assert.equal(cConsole.RawKey(), 27);
    assert.equal(await cConsole.Inkey(), "é", "typed during the turn");
    assert.equal(await cConsole.Inkey(), "");
});

test("Delay resolves after its time, never after End; End removes a waiting input line", async () => {
    const page = loadPage();
    const { cMisc, cConsole, cCommon, document } = page.window;
    const started = Date.now();
    await cMisc.Delay(60);
    assert.ok(Date.now() - started >= 55);
    let resolved = false;
    cMisc.Delay(10).then(() => (resolved = true));
    cConsole.Input();
    assert.ok(document.querySelector("input.orvane-input"));
    assert.throws(() => cCommon.End(), (e) => e instanceof page.window.ORV_EndOfProgram);
    await turn(40);
    assert.equal(resolved, false);
    assert.equal(document.querySelector("input.orvane-input"), null);
    assert.equal(cCommon.ORV_ExitCode, 0);
    assert.deepEqual(page.debug, [], "exit code 0 shows nothing");
});

test("console colours, ConsoleError, ClearConsole and the graphical console's cursor", () => {
    const page = loadPage();
    const { cConsole, document } = page.window;
    const area = () => document.getElementById("orvane-console");
    cConsole.OpenConsole();
    cConsole.Print("plain");
    cConsole.ConsoleColor(12, 1);
    cConsole.Print("red");
    cConsole.ConsoleColor(7, 0);
    cConsole.ConsoleError("oops");
    const spans = area().querySelectorAll("span");
    assert.equal(spans.length, 2);
    assert.equal(spans[0].style.color, "rgb(255, 0, 0)");
    assert.equal(spans[0].style.backgroundColor, "rgb(0, 0, 128)");
    assert.equal(spans[1].textContent, "oops\n");
    assert.equal(area().textContent, "plainredoops\n");
    cConsole.ClearConsole();
    assert.equal(area().textContent, "");

    cConsole.EnableGraphicalConsole(1);
    cConsole.ConsoleLocate(3, 1);
    cConsole.Print("ab");
    cConsole.ConsoleLocate(0, 0);
    cConsole.PrintN("X");
    cConsole.Print("Y");
    const rows = area().textContent.split("\n");
    assert.equal(rows.length, 25);
    assert.equal(rows[0].trimEnd(), "X");
    assert.equal(rows[1].trimEnd(), "Y  ab");
    cConsole.ConsoleLocate(79, 24);
    cConsole.Print("#+");
    const scrolled = area().textContent.split("\n");
    assert.equal(scrolled[0].trimEnd(), "Y  ab", "printing past the last cell scrolls up");
    assert.equal(scrolled[23].charAt(79), "#");
    assert.equal(scrolled[24].trimEnd(), "+");
    cConsole.ClearConsole();
    assert.equal(area().textContent.trim(), "");
});
