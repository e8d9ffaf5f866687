// Runs one converted application script in a jsdom page with jQuery and the runtime, the way the
// start page runs it, and prints what the program showed: console text and Debug lines in the
// order they were written. The lines of the file named by ORVANE_ANSWERS are typed, one by one,
// into the console's input line when the program waits at Input, and into the field of an input
// or save requester (and answer the prompt of the older unawaited form); a message requester is
// answered with Yes (or OK), the other requesters are cancelled. The run ends when the program
// has ended, or waits for input with no line left, or has been still for a while with no timer
// pending. Errors go to stderr and make the exit code 1.
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
if (answers.length && answers[answers.length - 1] === "") answers.pop(); // the last line's break

const errors = [];
const virtualConsole = new VirtualConsole();
virtualConsole.on("jsdomError", (error) => errors.push(error.detail || error));
const dom = new JSDOM(
    '<!DOCTYPE html><html><body><div id="orvane-debug"></div><pre id="orvane-console"></pre></body></html>',
    { runScripts: "outside-only", virtualConsole, url: "http://orvane.test/" }
);
const window = dom.window;
window.TextEncoder = TextEncoder;
window.TextDecoder = TextDecoder;
let transcript = "";
window.prompt = () => (answers.length ? answers.shift() : null);

// Timers the program waits for (Delay, Inkey): the run does not end while one is pending.
const pendingTimers = new Set();
const setTimer = window.setTimeout.bind(window);
const clearTimer = window.clearTimeout.bind(window);
window.setTimeout = (callback, delay, ...rest) => {
    const id = setTimer(() => {
        pendingTimers.delete(id);
        if (typeof callback === "function") callback(...rest);
    }, delay);
    pendingTimers.add(id);
    return id;
};
window.clearTimeout = (id) => {
    pendingTimers.delete(id);
    clearTimer(id);
};

// Types the next answer into the console's input line, as a user would, once it is shown.
function waitingLine() {
    const line = window.document.querySelector("#orvane-console input.orvane-input");
    return line && line.isConnected ? line : null;
}
function typeAnswer() {
    const line = waitingLine();
    if (!line || line.dataset.typing || !answers.length) return;
    line.dataset.typing = "1";
    setTimer(() => {
        if (!line.isConnected || !answers.length) return;
        line.value = answers.shift();
        line.dispatchEvent(new window.Event("input", { bubbles: true }));
        line.dispatchEvent(new window.KeyboardEvent("keydown", { key: "Enter", bubbles: true }));
    }, 5);
}
new window.MutationObserver(typeAnswer).observe(window.document.body, { childList: true, subtree: true });
window.alert = () => {};
window.confirm = () => true;

// The requesters are dialogs in the page: a user reads them and presses a button.
function answerRequester(box) {
    if (!box.isConnected) return;
    const frame = box.closest(".ui-dialog") || box.closest(".orvane-requester-frame") || box.parentNode;
    const button = (result) => frame.querySelector(`button[data-result="${result}"]`);
    const kind = box.getAttribute("data-requester");
    const field = box.querySelector("input");
    if ((kind === "input" || kind === "savefile") && answers.length) {
        field.value = answers.shift();
        button(1).click();
    } else if (kind === "message") {
        (button(6) || button(1)).click();
    } else {
        (button(2) || button(0)).click();
    }
}
new window.MutationObserver((changes) => {
    for (const change of changes) {
        for (const node of change.addedNodes) {
            if (node.nodeType !== 1) continue;
            const boxes = node.matches(".orvane-requester") ? [node] : node.querySelectorAll(".orvane-requester");
            boxes.forEach((box) => setTimeout(() => answerRequester(box), 0));
        }
    }
}).observe(window.document.body, { childList: true, subtree: true });

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
    window.cDebugger.ORV_Write = (line, kind) => {
        transcript += line + "\n";
        debugWrite(line, kind);
    };
    const consoleWrite = window.cConsole.ORV_Write;
    window.cConsole.ORV_Write = (text, kind) => {
        transcript += text;
        consoleWrite(text, kind);
    };
    window.console.log = () => {};
    window.console.error = (...args) => process.stderr.write("console.error: " + args.join(" ") + "\n");
    window.jQuery.readyException = (error) => errors.push(error);
    window.eval(script);
    // Ready handlers run in the order they were added. The page wraps the program in a ready
    // handler inside another one, so the same nesting here runs after the program's synchronous
    // part; an awaiting program goes on until it ends, waits for input nobody types, or is still.
    // Still: no new output for 300 ms with no timer pending, or for 3 s with timers (an event
    // loop polling with a timeout never lets them all go).
    let last = -1;
    let still = 0;
    let quiet = 0;
    const started = Date.now();
    const watch = () => {
        quiet = transcript.length === last ? quiet + 1 : 0;
        still = quiet > 0 && pendingTimers.size === 0 ? still + 1 : 0;
        last = transcript.length;
        const ended = window.cCommon && window.cCommon.ORV_Ended;
        const starved = waitingLine() && !answers.length;
        if (ended || starved || still >= 6 || quiet >= 60 || errors.length || Date.now() - started > 50000) finish();
        else setTimer(watch, 50);
    };
    window.jQuery(() => window.jQuery(() => setTimer(watch, 50)));
} catch (error) {
    errors.push(error);
    finish();
}
