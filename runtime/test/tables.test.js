// libraries.txt and constants.txt tell the converter what the runtime provides: every line must
// name something the runtime has, and everything the runtime offers a program must have its line.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { loadPage, root } = require("./load.js");

const { window } = loadPage(null, { libraries: ["jquery-ui/dist/jquery-ui.js"] });

function lines(file) {
    return fs
        .readFileSync(path.join(root, "runtime/tables", file), "utf8")
        .split(/\r?\n/)
        .filter((line) => line.trim() !== "");
}

// Runtime objects that hold library functions. Dim and ReDim are written by the array pass itself,
// never looked up by name.
const libraryObjects = [
    "Array", "Cipher", "Clipboard", "Common", "Console", "Date", "Drawing", "File", "Font", "Gadget", "Image", "Json",
    "Keyboard", "Math", "Memory", "Menu", "Misc", "Mouse", "OnError", "Preference", "Requester", "Screen", "Sort",
    "Sprite", "StatusBar", "String", "ToolBar", "VectorDrawing", "Window",
];
const emittedDirectly = new Set(["Array.Dim", "Array.ReDim"]);

test("every libraries.txt line names a runtime function, once", () => {
    const entries = lines("libraries.txt");
    const names = new Set();
    for (const entry of entries) {
        assert.match(entry, /^[A-Za-z]+\.[A-Za-z0-9_]+(\.await)?$/, entry);
        const [object, name] = entry.split(".");
        assert.equal(typeof window["c" + object]?.[name], "function", entry);
        assert.ok(!names.has(name), "function listed twice: " + name);
        names.add(name);
    }
});

test("every runtime library function has its libraries.txt line", () => {
    const entries = new Set(lines("libraries.txt").map((entry) => entry.replace(/\.await$/, "")));
    for (const object of libraryObjects) {
        for (const [name, value] of Object.entries(window["c" + object])) {
            const entry = object + "." + name;
            if (typeof value !== "function" || name.startsWith("ORV_") || emittedDirectly.has(entry)) continue;
            assert.ok(entries.has(entry), "missing from libraries.txt: " + entry);
        }
    }
});

test("constants.txt and cConstants hold the same names", () => {
    const listed = lines("constants.txt");
    for (const name of listed) {
        assert.match(name, /^[A-Za-z_][A-Za-z0-9_]*$/, name);
        assert.equal(typeof window.cConstants[name], "number", name);
    }
    assert.deepEqual(Object.keys(window.cConstants).sort(), [...listed].sort());
});

// The converter awaits exactly the functions marked .await: each must hand back a Promise (called
// here without arguments, as a program with a wrong call would), and the console's blocking calls
// must be among them.
test("functions marked .await return promises, and the blocking console calls are marked", () => {
    const page = loadPage();
    const marked = lines("libraries.txt").filter((entry) => entry.endsWith(".await"));
    for (const entry of marked) {
        const [object, name] = entry.split(".");
        const result = page.window["c" + object][name]();
        assert.equal(typeof result?.then, "function", entry + " does not return a Promise");
    }
    const blockingCalls = ["Console.Input.await", "Console.Inkey.await", "Misc.Delay.await", "Image.LoadImage.await", "Image.CatchImage.await"];
    blockingCalls.push("Sprite.LoadSprite.await", "Sprite.CatchSprite.await", "Screen.FlipBuffers.await");
    for (const blocking of blockingCalls) {
        assert.ok(marked.includes(blocking), blocking);
    }
    for (const entry of lines("libraries.txt").filter((line) => !line.endsWith(".await"))) {
        assert.ok(!/^(Console\.(Input|Inkey)|Misc\.Delay)$/.test(entry), entry + " blocks and must be marked .await");
    }
});

// The runtime files are joined into one function: two files declaring the same helper name would
// silently replace one by the other.
test("no two runtime files declare the same top-level name", () => {
    const folder = path.join(root, "runtime/src");
    const owner = new Map();
    for (const file of fs.readdirSync(folder).filter((name) => name.endsWith(".js"))) {
        const source = fs.readFileSync(path.join(folder, file), "utf8");
        for (const match of source.matchAll(/^(?:function|var|let|const|class)\s+([A-Za-z_$][\w$]*)/gm)) {
            const name = match[1];
            assert.ok(!owner.has(name) || owner.get(name) === file, `${name} is declared in ${owner.get(name)} and ${file}`);
            owner.set(name, file);
        }
    }
});
