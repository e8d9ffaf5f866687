// Loads jQuery and the built runtime (ORVANE_RUNTIME, default the readable build in build/dist)
// into a fresh jsdom page, the way the start page loads them, and records what the program shows.
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const { JSDOM } = require("jsdom");

const root = path.resolve(__dirname, "../..");
const runtimeFile = process.env.ORVANE_RUNTIME || path.join(root, "build/dist/system/libraries/orvane/orvane.js");
const jquery = fs.readFileSync(path.join(root, "node_modules/jquery/dist/jquery.js"), "utf8");
const runtime = fs.readFileSync(runtimeFile, "utf8");

// A page with the runtime loaded. page.debug holds the Debug lines, page.console the console text,
// page.answers the texts that prompt() returns in turn, page.dialogs what alert/confirm showed.
// options.libraries names files below node_modules that the page loads before the runtime
// (jQuery UI for window programs). The page has a web address of its own, so that it gets the
// browser's storage, and the text coders Node has and jsdom lacks.
function loadPage(html, options) {
    const dom = new JSDOM(html || "<!DOCTYPE html><html><body></body></html>", {
        runScripts: "outside-only",
        url: (options && options.url) || "http://orvane.test/",
    });
    const window = dom.window;
    window.TextEncoder = TextEncoder;
    window.TextDecoder = TextDecoder;
    const page = { window, debug: [], console: "", answers: [], confirms: [], dialogs: [] };
    window.console.log = () => {};
    window.console.error = () => {};
    window.prompt = () => (page.answers.length ? page.answers.shift() : null);
    window.alert = (text) => page.dialogs.push(text);
    window.confirm = (text) => {
        page.dialogs.push(text);
        return page.confirms.shift() === true;
    };
    // jsdom has no CSS object; jQuery UI's tabs escape their ids with CSS.escape.
    if (!window.CSS) window.CSS = { escape: (text) => String(text).replace(/[^\w-]/g, (c) => "\\" + c) };
    window.eval(jquery);
    for (const library of (options && options.libraries) || []) {
        window.eval(fs.readFileSync(path.join(root, "node_modules", library), "utf8"));
    }
    window.eval(runtime);
    const writeDebug = window.cDebugger.ORV_Write;
    window.cDebugger.ORV_Write = (line, kind) => {
        page.debug.push(line);
        writeDebug(line, kind);
    };
    const writeConsole = window.cConsole.ORV_Write;
    window.cConsole.ORV_Write = (text, kind) => {
        page.console += text;
        writeConsole(text, kind);
    };
    page.run = (code) => window.eval(code);
    page.dom = dom;
    return page;
}

module.exports = { loadPage, root };
