// The object registries and the page's event queue: numbers and handles, the Promise interface
// of WaitWindowEvent and WindowEvent, bound callbacks, timers and what happens to faulty input.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const ui = { libraries: ["jquery-ui/dist/jquery-ui.js"] };
const tick = () => new Promise((resolve) => setTimeout(resolve, 0));
const C = { gadget: 13100, close: 13116, timer: 13110, activate: 13104, custom: 65536 };

function windowPage() {
    const page = loadPage(null, ui);
    const { cWindow: W, cGadget: G } = page.window;
    return { page, W, G, window: page.window };
}

test("registries: #PB_Any numbers, handles unique across kinds, reuse of a number frees the old object", () => {
    const { page, W, G, window } = windowPage();
    const any = W.OpenWindow(-1, 0, 0, 100, 100, "a");
    const handle = W.OpenWindow(5, 0, 0, 100, 100, "b");
    assert.ok(any > 1000000 && W.IsWindow(any));
    assert.equal(W.WindowID(5), handle);
    assert.notEqual(W.WindowID(any), handle);
    const button = G.ButtonGadget(-1, 0, 0, 10, 10, "x");
    assert.ok(G.GadgetID(button) !== handle && G.GadgetID(button) !== W.WindowID(any));
    assert.equal(window.cFont.FontID(window.cFont.LoadFont(-1, "Arial", 10)) > 0, true);
    G.ButtonGadget(7, 0, 0, 10, 10, "first");
    G.ButtonGadget(7, 0, 0, 10, 10, "second");
    assert.equal(window.document.querySelectorAll("[data-gadget='7']").length, 1);
    assert.equal(G.GetGadgetText(7), "second");
    assert.deepEqual(page.debug, []);
    assert.equal(W.IsWindow(99), 0);
    assert.equal(W.WindowWidth(99), 0);
    assert.deepEqual(page.debug, ["[ERROR] #Window object not initialized."]);
});

test("WaitWindowEvent resolves with posted events in order; Event functions describe the one returned", async () => {
    const { W, G } = windowPage();
    W.OpenWindow(0, 0, 0, 200, 100, "w");
    G.ButtonGadget(3, 10, 10, 50, 20, "go");
    assert.equal(await W.WaitWindowEvent(), C.activate);
    const waiting = W.WaitWindowEvent();
    W.PostEvent(C.custom, 0, 42, 262144, 99);
    W.PostEvent(C.gadget, 0, 3, 0);
    assert.equal(await waiting, C.custom);
    assert.deepEqual([W.EventWindow(), W.EventGadget(), W.EventType(), W.EventData()], [0, 42, 262144, 99]);
    assert.equal(await W.WaitWindowEvent(), C.gadget);
    assert.deepEqual([W.EventGadget(), W.EventType(), W.Event()], [3, 0, C.gadget]);
    const started = Date.now();
    assert.equal(await W.WaitWindowEvent(30), 0);
    assert.ok(Date.now() - started >= 25);
    assert.equal(await W.WindowEvent(), 0);
});

test("bound callbacks run as the event loop takes their event, before the loop sees it", async () => {
    const { page, W, G, window } = windowPage();
    W.OpenWindow(0, 0, 0, 200, 100, "w");
    G.ButtonGadget(1, 0, 0, 50, 20, "one");
    G.ButtonGadget(2, 0, 30, 50, 20, "two");
    const seen = [];
    const onGadget = () => seen.push("gadget " + W.EventGadget());
    G.BindGadgetEvent(1, onGadget);
    G.BindGadgetEvent(2, () => {
        throw new Error("boom");
    });
    const onAny = () => seen.push("any " + W.EventGadget());
    W.BindEvent(C.gadget, onAny, 0);
    W.BindEvent(C.close, () => seen.push("close " + W.EventWindow()));
    window.jQuery.fn.GadgetsEvents = () => seen.push("auto " + W.EventGadget());
    let busy = true;
    const loop = (async () => {
        for (;;) {
            const event = await W.WaitWindowEvent();
            if (event !== C.activate) seen.push("program " + event + " " + W.EventGadget());
            if (event === C.close) return;
            // The program is busy a while: the next event's callbacks wait for the loop.
            if (busy) await new Promise((resolve) => setTimeout(resolve, 5));
        }
    })();
    await tick();
    window.document.querySelector("[data-gadget='2']").click();
    window.document.querySelector("[data-gadget='1']").click();
    W.PostEvent(C.close, 0, -1);
    await loop;
    assert.deepEqual(seen, [
        "any 2",
        "auto 2",
        "program 13100 2",
        "gadget 1",
        "any 1",
        "auto 1",
        "program 13100 1",
        "close 0",
        "program 13116 -1",
    ]);
    assert.deepEqual(page.debug, ["[ERROR] boom"], "a failing callback does not stop the next ones");
    busy = false;
    G.UnbindGadgetEvent(1, onGadget);
    window.jQuery.fn.GadgetsEvents = null;
    seen.length = 0;
    const next = W.WaitWindowEvent();
    window.document.querySelector("[data-gadget='1']").click();
    await next;
    assert.deepEqual(seen, ["any 1"]);
    // UnbindEvent takes the callback away only with the window it was bound for.
    const clickOne = async () => {
        seen.length = 0;
        const taken = W.WaitWindowEvent();
        window.document.querySelector("[data-gadget='1']").click();
        assert.equal(await taken, C.gadget);
        return seen.slice();
    };
    W.UnbindEvent(C.gadget, onAny, 5);
    assert.deepEqual(await clickOne(), ["any 1"]);
    W.UnbindEvent(C.gadget, onAny, 0);
    assert.deepEqual(await clickOne(), []);
});

test("window timers post events that do not pile up, and stop with their window", async (t) => {
    const { W } = windowPage();
    W.OpenWindow(0, 0, 0, 100, 100, "w");
    t.after(() => W.IsWindow(0) && W.CloseWindow(0));
    await W.WaitWindowEvent();
    W.AddWindowTimer(0, 7, 20);
    // The sleep is a longer timer set later, so the window timer has fired before it ends (on a
    // busy machine perhaps fewer than seven times).
    await new Promise((resolve) => setTimeout(resolve, 150));
    // What waits in the queue is taken at the call, before any timer can fire again: the unread
    // periods are one event, and a second call finds nothing more queued.
    const first = W.WindowEvent();
    assert.equal(W.EventTimer(), 7);
    const second = W.WindowEvent();
    const nothingQueued = {};
    assert.equal(await first, C.timer);
    assert.equal(await Promise.race([second, Promise.resolve(nothingQueued)]), nothingQueued, "timer events piled up");
    await second;
    W.CloseWindow(0);
    await new Promise((resolve) => setTimeout(resolve, 50));
    assert.equal(await W.WindowEvent(), 0);
});

test("bad input shows the debugger's message and the program goes on", () => {
    const { page, W, G } = windowPage();
    assert.equal(G.ButtonGadget(1, 0, 0, 10, 10, "no window"), 0);
    W.OpenWindow(0, 0, 0, 100, 100, "w");
    G.ListViewGadget(1, 0, 0, -5, 10);
    G.AddGadgetItem(1, -1, "a");
    assert.equal(G.GetGadgetItemText(1, 3), "");
    G.SetGadgetText(12, "x");
    W.CloseWindow(0);
    W.CloseWindow(0);
    assert.deepEqual(page.debug, [
        "[ERROR] There is no current GadgetList.",
        "[ERROR] Gadget width and height can't be negative (-5, 10).",
        "[ERROR] GetGadgetItemText(): item index out of range: 3 (#Gadget 1 has 1 items).",
        "[ERROR] #Gadget object not initialized.",
        "[ERROR] #Window object not initialized.",
    ]);
    assert.equal(G.IsGadget(1), 0, "the window's gadgets went with it");
});

test("End in a callback closes the windows and stops the events", async () => {
    const { page, W, G, window } = windowPage();
    W.OpenWindow(0, 0, 0, 100, 100, "w");
    G.ButtonGadget(1, 0, 0, 10, 10, "end");
    G.BindGadgetEvent(1, () => window.cCommon.End());
    window.document.querySelector("[data-gadget='1']").click();
    await tick();
    assert.equal(W.IsWindow(0), 0);
    assert.equal(window.document.querySelectorAll(".ui-dialog").length, 0);
    assert.deepEqual(page.debug, []);
});

test("a program that leaves its event loop ends: its windows close; one that only binds keeps them", async () => {
    const { W, G, window } = windowPage();
    await window.cPB.Async(async function () {
        W.OpenWindow(0, 0, 0, 100, 100, "loop");
        W.PostEvent(C.close, 0, -1);
        while ((await W.WaitWindowEvent()) !== C.close);
    });
    assert.equal(W.IsWindow(0), 0);
    assert.equal(window.document.querySelector(".orvane-ended").textContent, "The program has ended.");

    const other = windowPage();
    await other.window.cPB.Async(async function () {
        other.W.OpenWindow(0, 0, 0, 100, 100, "callbacks");
        other.G.ButtonGadget(1, 0, 0, 10, 10, "b");
        other.G.BindGadgetEvent(1, () => other.window.cDebugger.Debug("clicked"));
    });
    other.window.document.querySelector("[data-gadget='1']").click();
    await tick();
    assert.equal(other.W.IsWindow(0), 1);
    assert.deepEqual(other.page.debug, ["clicked"]);
});
