// Writes the values of the runtime's constants (cConstants), one "NAME=value" line each (texts as
// JSON strings), so that the converter folds them where PureBasic folds constants: in constant
// expressions, Enumeration starts and Case values.
//
//   node scripts/constant-values.js RUNTIME.js OUTPUT.txt
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const { JSDOM } = require("jsdom");

const [runtimeFile, output] = process.argv.slice(2);
const root = path.resolve(__dirname, "..");
const dom = new JSDOM("<!DOCTYPE html><html><body></body></html>", { runScripts: "outside-only", url: "http://orvane.test/" });
const window = dom.window;
window.console.log = () => {};
window.console.error = () => {};
window.eval(fs.readFileSync(path.join(root, "node_modules/jquery/dist/jquery.js"), "utf8"));
window.eval(fs.readFileSync(runtimeFile, "utf8"));
const constants = window.cConstants || {};
const lines = [];
for (const name of Object.keys(constants).sort()) {
    const value = constants[name];
    if (typeof value === "number" && Number.isFinite(value)) lines.push(name + "=" + value);
    else if (typeof value === "string") lines.push(name + "=" + JSON.stringify(value));
}
fs.writeFileSync(output, lines.join("\n") + "\n");
console.log("constant-values: " + lines.length + " constants in " + output);
