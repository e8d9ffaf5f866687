// The example programs converted with Orvane and used in Chromium through clicks and typing: the
// window example the demo serves, and the 7GUIs benchmark (examples/7guis/), each task the way the
// benchmark describes it. Screenshots in build/screenshots/example-*.png and 7guis-*.png.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const path = require("node:path");
const { launch, root } = require("./gui_page.js");
const { convert } = require("./convert.js");

let browser;
test.before(async () => {
    browser = await launch();
});
test.after(async () => {
    await browser.close();
});

// Opens a converted example; page.errors collects script errors and error lines, page.dialogs the
// texts of the browser's own dialogs.
async function task(name) {
    const program = name.includes("/") ? name : "7guis/" + name;
    const server = convert(path.join(root, "examples", program + ".pb"));
    const page = await browser.newPage({ viewport: { width: 900, height: 600 } });
    page.errors = [];
    page.dialogs = [];
    page.on("pageerror", (error) => page.errors.push(String(error)));
    page.on("console", (message) => {
        if (message.type() === "error") page.errors.push(message.text());
    });
    page.on("dialog", (dialog) => {
        page.dialogs.push(dialog.message());
        dialog.accept();
    });
    await page.goto("file://" + path.join(server, "index.html"), { waitUntil: "load" });
    await page.waitForFunction(() => document.querySelector(".ui-dialog"));
    page.at = (number) => page.locator(`[data-gadget='${number}']`);
    page.text = (number) => page.evaluate((n) => cGadget.GetGadgetText(n), number);
    page.shot = () => page.screenshot({ path: path.join(root, "build/screenshots", program.replace(/^7guis\//, "7guis-").replace(/^\.\//, "example-") + ".png") });
    return page;
}

test("the window example: names come into the list by the button and by Return; closing ends it", async () => {
    const p = await task("./window");
    await p.keyboard.type("Ada");
    await p.keyboard.press("Enter");
    await p.keyboard.type("Grace");
    await p.at(2).click();
    await p.at(3).click();
    await p.at(1).fill("linus");
    await p.keyboard.press("Enter");
    const items = await p.evaluate(() => [0, 1, 2].map((i) => cGadget.GetGadgetItemText(4, i)));
    assert.deepEqual(items, ["Ada", "Grace", "LINUS"]);
    assert.equal(await p.text(5), "3 name(s) in the list");
    await p.at(4).getByText("Grace").dblclick();
    assert.equal(await p.text(1), "Grace");
    await p.shot();
    await p.locator(".ui-dialog-titlebar-close").click();
    await p.waitForFunction(() => !document.querySelector(".ui-dialog"));
    assert.deepEqual(p.errors, []);
});

test("counter: the button counts up", async () => {
    const p = await task("1-counter");
    for (let i = 0; i < 3; i++) await p.at(2).click();
    assert.equal(await p.text(1), "3");
    assert.equal(await p.at(1).evaluate((input) => input.readOnly), true);
    await p.shot();
    assert.deepEqual(p.errors, []);
});

test("temperature converter: both ways, and a field without a number changes nothing", async () => {
    const p = await task("2-temperature");
    await p.at(1).pressSequentially("100");
    assert.equal(await p.text(3), "212");
    await p.at(3).fill("");
    await p.at(3).pressSequentially("-40");
    assert.equal(await p.text(1), "-40");
    await p.at(1).fill("");
    await p.at(1).pressSequentially("5x");
    assert.equal(await p.text(3), "41", "the last number typed, 5, still counts");
    await p.shot();
    assert.deepEqual(p.errors, []);
});

test("flight booker: return date only for return flights, invalid dates marked, booking told", async () => {
    const p = await task("3-flight");
    const disabled = (n) => p.evaluate((g) => document.querySelector(`[data-gadget='${g}']`).disabled, n);
    assert.equal(await disabled(3), true);
    assert.equal(await disabled(4), false);
    await p.at(1).selectOption("return flight");
    assert.equal(await disabled(3), false);
    await p.at(2).fill("27.03.2024");
    await p.at(3).fill("26.03.2024");
    await p.at(3).press("Tab");
    assert.equal(await disabled(4), true, "the return flight cannot come back before it leaves");
    await p.at(3).fill("31.02.2024");
    assert.equal(await p.evaluate(() => cGadget.GetGadgetColor(3, 2)), 0x8080ff);
    await p.at(3).fill("30.03.2024");
    assert.equal(await p.evaluate(() => cGadget.GetGadgetColor(3, 2)), -1);
    assert.equal(await disabled(4), false);
    await p.at(4).click();
    await p.waitForTimeout(100);
    const told = p.dialogs.join(" ") + (await p.evaluate(() => document.body.innerText));
    assert.match(told, /return flight from 27\.03\.2024 to 30\.03\.2024/);
    await p.shot();
    assert.deepEqual(p.errors, []);
});

test("timer: the gauge follows the clock, stops at the duration, and starts again on Reset", async () => {
    const p = await task("4-timer");
    await p.waitForTimeout(1200);
    const elapsed = parseFloat(await p.text(3));
    assert.ok(elapsed >= 0.9 && elapsed <= 2, elapsed + " s after about 1.2 s");
    await p.evaluate(() => cGadget.SetGadgetState(5, 5));
    await p.at(5).locator(".ui-slider-handle").press("ArrowLeft");
    await p.waitForTimeout(300);
    assert.equal(await p.text(3), "0.4 s", "the slider moved to 0.4 s: the timer stands there");
    assert.equal(await p.evaluate(() => cGadget.GetGadgetState(2)), 4);
    await p.at(6).click();
    await p.waitForTimeout(150);
    assert.ok(parseFloat(await p.text(3)) <= 0.4);
    await p.shot();
    assert.deepEqual(p.errors, []);
});

test("CRUD: filter by surname prefix, select, create, update, delete", async () => {
    const p = await task("5-crud");
    const items = () => p.evaluate(() => Array.from({ length: cGadget.CountGadgetItems(3) }, (_, i) => cGadget.GetGadgetItemText(3, i)));
    assert.deepEqual(await items(), ["Emil, Hans", "Mustermann, Max", "Tisch, Roman"]);
    await p.at(2).pressSequentially("M");
    assert.deepEqual(await items(), ["Mustermann, Max"]);
    await p.at(3).getByText("Mustermann, Max").click();
    assert.equal(await p.text(5), "Max");
    await p.at(5).fill("Maxi");
    await p.at(9).click();
    assert.deepEqual(await items(), ["Mustermann, Maxi"]);
    await p.at(2).fill("");
    await p.at(2).press("Backspace");
    await p.at(5).fill("Ada");
    await p.at(7).fill("Lovelace");
    await p.at(8).click();
    assert.deepEqual(await items(), ["Emil, Hans", "Mustermann, Maxi", "Tisch, Roman", "Lovelace, Ada"]);
    await p.at(3).getByText("Emil, Hans").click();
    await p.at(10).click();
    assert.deepEqual(await items(), ["Mustermann, Maxi", "Tisch, Roman", "Lovelace, Ada"]);
    assert.equal(await p.evaluate(() => document.querySelector("[data-gadget='10']").disabled), true);
    await p.shot();
    assert.deepEqual(p.errors, []);
});

test("circle drawer: clicks draw circles, the nearest is filled, its diameter changes in a dialog, undo and redo", async () => {
    const p = await task("6-circles");
    const canvas = await p.at(2).locator("canvas").boundingBox();
    const at = (x, y) => [canvas.x + x, canvas.y + y];
    const pixel = (x, y) =>
        p.evaluate(([x, y]) => Array.from(document.querySelector("[data-gadget='2'] canvas").getContext("2d").getImageData(x, y, 1, 1).data.slice(0, 3)), [x, y]);
    await p.mouse.click(...at(100, 100));
    await p.mouse.click(...at(200, 150));
    await p.waitForTimeout(100);
    assert.deepEqual(await pixel(100, 85), [0, 0, 0], "the first circle's outline 15 pixels above its centre");
    assert.deepEqual(await pixel(200, 135), [0, 0, 0]);
    await p.mouse.move(...at(203, 152));
    await p.waitForTimeout(100);
    assert.deepEqual(await pixel(200, 150), [192, 192, 192], "the circle under the mouse is filled grey");
    assert.deepEqual(await pixel(100, 100), [255, 255, 255]);
    await p.mouse.click(...at(203, 152), { button: "right" });
    await p.getByText("Adjust diameter...").click();
    await p.waitForFunction(() => cWindow.IsWindow(1));
    await p.at(4).locator(".ui-slider-handle").press("End");
    await p.waitForTimeout(100);
    assert.deepEqual(await pixel(200, 50), [0, 0, 0], "diameter 200: the outline 100 pixels above the centre");
    await p.locator(".ui-dialog", { hasText: "Adjust diameter" }).locator(".ui-dialog-titlebar-close").click();
    await p.waitForFunction(() => !cWindow.IsWindow(1));
    await p.at(0).click();
    await p.waitForTimeout(100);
    assert.deepEqual(await pixel(200, 50), [255, 255, 255], "undo gives the old diameter back");
    assert.deepEqual(await pixel(200, 135), [0, 0, 0]);
    await p.at(0).click();
    await p.waitForTimeout(100);
    assert.deepEqual(await pixel(200, 135), [255, 255, 255], "undo again takes the second circle away");
    await p.at(1).click();
    await p.at(1).click();
    await p.waitForTimeout(100);
    assert.deepEqual(await pixel(200, 50), [0, 0, 0], "redo twice: the circle and its diameter");
    await p.shot();
    assert.deepEqual(p.errors, []);
});

test("cells: formulas refer to cells and ranges and follow their changes", async () => {
    const p = await task("7-cells");
    const cell = (column, row) => p.at(2).locator(`tr[recid='${row}'] td[col='${column}']`);
    // Return stores the cell (a keyboard shortcut of the window), and so does leaving the field.
    const enter = async (column, row, text, key = "Enter") => {
        await cell(column, row).click();
        // The program shows the clicked cell's formula when its loop takes the click: typing
        // before that would be overwritten.
        const name = String.fromCharCode(64 + column) + row;
        for (let i = 0; i < 40 && (await p.text(0)) !== name; i++) await p.waitForTimeout(25);
        await p.at(1).fill(text);
        await p.at(1).press(key);
    };
    // The grid draws its rows a moment after a change.
    const shows = async (column, row, text, why) => {
        for (let i = 0; i < 40 && (await cell(column, row).innerText()) !== text; i++) await p.waitForTimeout(50);
        assert.equal(await cell(column, row).innerText(), text, why);
    };
    await enter(2, 2, "=A1*2");
    await enter(1, 1, "21");
    await enter(1, 2, "=sum(A1:B2)");
    await shows(2, 2, "42");
    await shows(1, 2, "#ERROR", "A2 sums itself");
    await enter(1, 2, "=sum(A1:B1)+B2");
    await shows(1, 2, "63");
    await enter(1, 1, "1.5", "Tab");
    await shows(2, 2, "3");
    await shows(1, 2, "4.5");
    await cell(1, 2).click();
    assert.equal(await p.text(1), "=sum(A1:B1)+B2");
    assert.equal(await p.text(0), "A2");
    await p.shot();
    assert.deepEqual(p.errors, []);
});
