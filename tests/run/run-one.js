// Runs one converted application script in a jsdom page with jQuery and the runtime, the way the
// start page runs it, and prints what the program showed: console text and Debug lines in the
// order they were written. Answers for Input and InputRequester come from the file named by
// ORVANE_ANSWERS, one per line. Errors go to stderr and make the exit code 1.
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const { JSDOM, VirtualConsole } = require("jsdom");

const root = path.resolve(__dirname, "../..");
const script = fs.readFileSync(process.argv[2], "utf8");
const runtime = fs.readFileSync(
    process.env.ORVANE_RUNTIME || path.join(root, "build/dist/system/libraries/orvane/orvane.min.js"),
    "utf8"
);
const jquery = fs.readFileSync(path.join(root, "node_modules/jquery/dist/jquery.js"), "utf8");
const answers = process.env.ORVANE_ANSWERS ? fs.readFileSync(process.env.ORVANE_ANSWERS, "utf8").split("\n") : [];

const errors = [];
const virtualConsole = new VirtualConsole();
virtualConsole.on("jsdomError", (error) => errors.push(error.detail || error));
const dom = new JSDOM(
    '<!DOCTYPE html><html><body><div id="orvane-debug"></div><pre id="orvane-console"></pre></body></html>',
    { runScripts: "outside-only", virtualConsole }
);
const window = dom.window;
let transcript = "";
window.prompt = () => (answers.length ? answers.shift() : null);
window.alert = () => {};
window.confirm = () => true;

function isEnd(error) {
    return error && window.ORV_EndOfProgram && error instanceof window.ORV_EndOfProgram;
}

function finish() {
    process.stdout.write(transcript);
    const real = errors.filter((error) => !isEnd(error));
    for (const error of real) process.stderr.write("error: " + (error.stack || error) + "\n");
    process.exit(real.length ? 1 : 0);
}

try {
    window.eval(jquery);
    window.eval(runtime);
    const debugWrite = window.cDebugger.ORV_Write;
    window.cDebugger.ORV_Write = (line) => {
        transcript += line + "\n";
        debugWrite(line);
    };
    const consoleWrite = window.cConsole.ORV_Write;
    window.cConsole.ORV_Write = (text) => {
        transcript += text;
        consoleWrite(text);
    };
    window.console.log = () => {};
    window.console.error = (...args) => process.stderr.write("console.error: " + args.join(" ") + "\n");
    window.jQuery.readyException = (error) => errors.push(error);
    window.eval(script);
    // Ready handlers run in the order they were added. The page wraps the program in a ready
    // handler inside another one, so the same nesting here runs after the program.
    window.jQuery(() => window.jQuery(() => setTimeout(finish, 50)));
} catch (error) {
    errors.push(error);
    finish();
}
