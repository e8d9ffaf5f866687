"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

test("Math: rounding modes, Int, Mod, Random within its bounds and repeatable", () => {
    const { cMath: M } = loadPage().window;
    assert.equal(M.Round(2.5, 2), 3);
    assert.equal(M.Round(-2.5, 2), -3);
    assert.equal(M.Round(-2.5, 0), -3);
    assert.equal(M.Round(-2.5, 1), -2);
    assert.equal(M.Int(-3.7), -3);
    assert.equal(M.Mod(-7, 3), -1);
    assert.equal(M.Pow(2, 10), 1024);
    assert.equal(M.Sqr(16), 4);
    assert.equal(M.Sign(-4), -1);
    assert.equal(M.IsNAN(M.NaN()), 1);
    assert.equal(M.IsInfinity(M.Infinity()), 1);
    assert.ok(Math.abs(M.ATan2(1, 1) - Math.PI / 4) < 1e-12);
    M.RandomSeed(42);
    const first = [1, 2, 3, 4, 5].map(() => M.Random(100));
    M.RandomSeed(42);
    assert.deepEqual([1, 2, 3, 4, 5].map(() => M.Random(100)), first);
    const seen = new Set();
    for (let i = 0; i < 500; i++) {
        const r = M.Random(6, 3);
        assert.ok(r >= 3 && r <= 6 && Number.isInteger(r));
        seen.add(r);
    }
    assert.equal(seen.size, 4);
});

test("Date: building, reading, adding, formatting and parsing dates", () => {
    const { cDate: D } = loadPage().window;
    const d = D.Date(2024, 2, 29, 13, 5, 9);
    assert.equal(d, 1709211909);
    assert.deepEqual([D.Year(d), D.Month(d), D.Day(d), D.Hour(d), D.Minute(d), D.Second(d)], [2024, 2, 29, 13, 5, 9]);
    assert.equal(D.DayOfWeek(d), 4);
    assert.equal(D.DayOfYear(d), 60);
    assert.equal(D.Date(2023, 2, 29, 0, 0, 0), -1);
    assert.equal(D.Date(2023, 13, 1, 0, 0, 0), -1);
    assert.equal(D.FormatDate("%yyyy-%mm-%dd %hh:%ii:%ss (%yy)", d), "2024-02-29 13:05:09 (24)");
    assert.equal(D.FormatDate("%dd.%mm.%yyyy", D.AddDate(d, 0, 1)), "28.02.2025");
    assert.equal(D.FormatDate("%dd.%mm.%yyyy", D.AddDate(D.Date(2024, 1, 31, 0, 0, 0), 1, 1)), "29.02.2024");
    assert.equal(D.FormatDate("%dd.%mm.%yyyy", D.AddDate(D.Date(2024, 1, 31, 0, 0, 0), 1, -2)), "30.11.2023");
    assert.equal(D.AddDate(d, 3, -1), d - 86400);
    assert.equal(D.AddDate(d, 2, 1), d + 7 * 86400);
    assert.equal(D.ParseDate("%yyyy/%mm/%dd", "2024/02/29"), D.Date(2024, 2, 29, 0, 0, 0));
    assert.equal(D.ParseDate("%dd.%mm.%yy %hh:%ii", "01.03.99 23:59"), D.Date(1999, 3, 1, 23, 59, 0));
    assert.equal(D.ParseDate("%yyyy-%mm-%dd", "2024/02/29"), -1);
    assert.equal(D.ParseDate("%yyyy-%mm-%dd", "2023-02-30"), -1);
    assert.equal(D.Date(1960, 1, 1, 0, 0, 0), -315619200);
    const now = D.Date();
    assert.ok(Math.abs(now - (Date.now() / 1000 - new Date().getTimezoneOffset() * 60)) < 5);
});

test("Debug and the console write to their page areas, created when missing", () => {
    const page = loadPage();
    page.run(`cDebugger.Debug("one"); cDebugger.Debug(3 > 2); cDebugger.Debug(1.5);
        cDebugger.DisableDebugger(); cDebugger.Debug("hidden"); cDebugger.EnableDebugger();
        cDebugger.Debug(null);
        cConsole.OpenConsole("T"); cConsole.Print("a"); cConsole.PrintN("b"); cConsole.PrintN(7);`);
    assert.deepEqual(page.debug, ["one", "1", "1.5", ""]);
    const doc = page.window.document;
    const rows = doc.getElementById("orvane-debug").children;
    assert.equal(rows.length, 4);
    assert.equal(rows[0].textContent, "one");
    assert.equal(doc.getElementById("orvane-console").textContent, "ab\n7\n");
    page.run("cConsole.ClearConsole()");
    assert.equal(doc.getElementById("orvane-console").textContent, "");
    assert.equal(doc.body.lastElementChild.id, "orvane-console");

    const own = loadPage('<body><div id="orvane-console"></div><p id="last"></p></body>');
    own.run('cConsole.PrintN("x")');
    assert.equal(own.window.document.getElementById("orvane-console").textContent, "x\n");
    assert.equal(own.window.document.body.lastElementChild.id, "last");
});

test("Input used at once as a text (the older emitted form)", () => {
    const page = loadPage();
    const { cConsole } = page.window;
    page.answers.push("typed", null);
    assert.equal(String(cConsole.Input()), "typed");
    assert.equal(`${cConsole.Input()}`, "");
    assert.equal(page.console, "typed\n\n");
});

test("Read, Restore and End over the data array", () => {
    const page = loadPage();
    const result = page.run(`cCommon.ORV_DataArray = [1, "two", 3.5, 4];
        var out = [cCommon.Read(), cCommon.Read()];
        cCommon.Restore(2); out.push(cCommon.Read(), cCommon.Read(), cCommon.Read());
        cCommon.Restore(); out.push(cCommon.Read()); out`);
    assert.deepEqual(Array.from(result), [1, "two", 3.5, 4, 0, 1]);
    assert.throws(() => page.run("cCommon.End(); cDebugger.Debug('after')"), (e) => e instanceof page.window.ORV_EndOfProgram);
    assert.deepEqual(page.debug, ["[ERROR] Read data error: no more data."]);
    assert.equal(page.window.cCommon.ORV_Ended, true);
});

test("JSON: parse, walk, build, and lists and maps in and out", () => {
    const page = loadPage();
    const { cJson: J, cConstants: C, cLinkedList, cMap } = page.window;
    const id = J.ParseJSON(C.PB_Any, '{"a": [1, 2.5, "x"], "b": true, "c": null}');
    assert.ok(id);
    const root = J.JSONValue(id);
    assert.equal(J.JSONType(root), C.PB_JSON_Object);
    assert.equal(J.JSONObjectSize(root), 3);
    const a = J.GetJSONMember(root, "a");
    assert.equal(J.JSONArraySize(a), 3);
    assert.equal(J.GetJSONDouble(J.GetJSONElement(a, 1)), 2.5);
    assert.equal(J.GetJSONString(J.GetJSONElement(a, 2)), "x");
    assert.equal(J.GetJSONBoolean(J.GetJSONMember(root, "b")), 1);
    assert.equal(J.GetJSONMember(root, "zz"), 0);
    assert.equal(J.ParseJSON(5, "{bad"), 0);
    assert.notEqual(J.JSONErrorMessage(), "");

    assert.equal(J.CreateJSON(0), 1);
    assert.equal(J.ParseJSON(0, "[]"), 1);
    assert.equal(J.JSONArraySize(J.JSONValue(0)), 0);
    J.CreateJSON(1);
    const list = new cLinkedList();
    list.AddElement({ n: 1 });
    list.AddElement({ n: 2 });
    J.InsertJSONList(J.JSONValue(1), list);
    assert.equal(J.ComposeJSON(1), '[{"n":1},{"n":2}]');
    const back = new cLinkedList();
    back.AddElement(42);
    J.ExtractJSONList(J.JSONValue(1), back);
    assert.equal(back.ListSize(), 2);
    back.FirstElement();
    assert.equal(back.GetContent().n, 1);

    const map = new cMap();
    map.setData("v", "k");
    J.InsertJSONMap(J.JSONValue(1), map);
    assert.equal(J.ComposeJSON(1), '{"k":"v"}');
    const obj = J.AddJSONMember(J.JSONValue(1), "list");
    J.SetJSONArray(obj);
    J.SetJSONInteger(J.AddJSONElement(obj), 7.9);
    assert.equal(J.ComposeJSON(1), '{"k":"v","list":[7]}');
    const m2 = new cMap();
    J.ExtractJSONMap(J.JSONValue(1), m2);
    assert.equal(m2.getData("k"), "v");
    J.FreeJSON(1);
    assert.equal(J.IsJSON(1), 0);
});

test("constants are found whatever their letter case", () => {
    const { cConstants: C } = loadPage().window;
    assert.equal(C.PB_Sort_Descending, 1);
    assert.equal(C.pb_sort_descending, 1);
    assert.equal(C.PB_MESSAGEREQUESTER_YES, 6);
    assert.equal(C.PB_NoSuchThing, undefined);
});

test("RandomData follows RandomSeed; wide Random ranges; UTC and local dates convert both ways", () => {
    const { cMath: M, cMemory, cDate: D } = loadPage().window;
    const a = cMemory.AllocateMemory(16);
    const b = cMemory.AllocateMemory(16);
    M.RandomSeed(7);
    M.RandomData(a, 16);
    M.RandomSeed(7);
    M.RandomData(b, 16);
    assert.equal(cMemory.CompareMemory(a, b, 16), 1);
    assert.ok([...Array(16).keys()].some((i) => cMemory.PeekA(a + i) !== 0));
    for (let i = 0; i < 200; i++) {
        const r = M.Random(2 ** 40, -5);
        assert.ok(Number.isInteger(r) && r >= -5 && r <= 2 ** 40);
    }
    assert.equal(M.Random(0), 0);
    const utc = D.DateUTC();
    assert.ok(Math.abs(utc - Date.now() / 1000) < 5);
    assert.ok(Math.abs(D.ConvertDate(utc, 0) - D.Date()) < 5);
    assert.equal(D.ConvertDate(D.ConvertDate(utc, 0), 1), utc);
});
