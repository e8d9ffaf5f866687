// A page for driving the runtime library's windows and gadgets in Chromium without the converter:
// the page loads what a converted window program's page loads (from build/dist/system), then a
// script written by hand in the runtime's calling convention.
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { chromium } = require("playwright-core");

const root = path.resolve(__dirname, "../..");
const system = path.join(root, "build/dist/system");

// The optional libraries in the order the page template names them.
const optional = {
    fancytree: ["libraries/fancytree/skin-themeroller/ui.fancytree.css", "libraries/fancytree/jquery.fancytree-all.min.js"],
    pips: ["libraries/jquery.ui.slider.pips/jquery-ui-slider-pips.css", "libraries/jquery.ui.slider.pips/jquery-ui-slider-pips.js"],
    timepicker: [
        "libraries/jquery.timepicker/jquery-ui-timepicker-addon.min.css",
        "libraries/jquery.timepicker/jquery-ui-timepicker-addon.min.js",
    ],
    w2ui: ["libraries/w2ui/w2ui.min.css", "libraries/w2ui/w2ui.min.js"],
    splitter: ["libraries/jquery.splitter/js/jquery.splitter-0.14.0.js", "libraries/jquery.splitter/css/jquery.splitter.css"],
    tristate: ["libraries/jquery.tristate.js/jquery.tristate.js"],
    colorpicker: ["libraries/evol.colorpicker/css/evol.colorpicker.min.css", "libraries/evol.colorpicker/js/evol.colorpicker.min.js"],
    filesaver: ["libraries/Blob.js/Blob.js", "libraries/canvas-toBlob.js/canvas-toBlob.js", "libraries/FileSaver.js/FileSaver.min.js"],
    hotkeys: ["libraries/jquery.hotkeys/jquery.hotkeys.js"],
};

function tag(file) {
    const url = "file://" + path.join(system, file);
    return file.endsWith(".css") ? `<link rel="stylesheet" href="${url}">` : `<script src="${url}"></script>`;
}

// The page's HTML: the theme, the libraries asked for, the readable runtime and the script.
function pageHtml(script, options = {}) {
    const theme = options.theme || "smoothness";
    const files = [
        "libraries/jquery/jquery.min.js",
        `libraries/jquery.ui/themes/${theme}/jquery-ui.min.css`,
        "Orvane.css",
        "libraries/jquery.ui/jquery-ui.js",
    ];
    for (const name of options.libraries || Object.keys(optional)) files.push(...optional[name]);
    files.push("libraries/orvane/orvane.js");
    return `<!DOCTYPE html><html><head><meta charset="utf-8">${files.map(tag).join("")}</head>
<body><div id="orvane-debug" class="orvane-debug"></div><pre id="orvane-console" class="orvane-console"></pre>
<script>window.addEventListener("load", function () { ${script} });</script></body></html>`;
}

async function launch() {
    return chromium.launch({
        executablePath: "/usr/bin/chromium",
        args: ["--headless", "--no-sandbox", "--disable-gpu", "--allow-file-access-from-files"],
    });
}

// Opens a page running script; page.errors collects script errors.
async function openGuiPage(browser, script, options = {}) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvane-gui-"));
    const file = path.join(dir, "index.html");
    fs.writeFileSync(file, pageHtml(script, options));
    const page = await browser.newPage({ viewport: options.viewport || { width: 900, height: 640 } });
    page.errors = [];
    page.on("pageerror", (error) => page.errors.push(String(error)));
    page.on("console", (message) => {
        if (message.type() === "error" && !message.text().startsWith("[ERROR]")) page.errors.push(message.text());
    });
    await page.goto("file://" + file, { waitUntil: "load" });
    await page.waitForTimeout(options.settle ?? 50);
    page.debugLines = () => page.$$eval("#orvane-debug > div", (rows) => rows.map((row) => row.textContent));
    return page;
}

module.exports = { launch, openGuiPage, pageHtml, root };
