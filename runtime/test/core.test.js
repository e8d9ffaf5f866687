"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const page = loadPage();
const { cPB } = page.window;

test("integer division and remainder truncate towards zero; zero divisors are error lines", () => {
    assert.deepEqual([cPB.Div(7, 2), cPB.Div(-7, 2), cPB.Div(7, -2), cPB.Div(-7, -2)], [3, -3, -3, 3]);
    assert.deepEqual([cPB.Mod(7, 3), cPB.Mod(-7, 3), cPB.Mod(7, -3)], [1, -1, 1]);
    assert.equal(cPB.Div(-2147483648, -1), 2147483648);
    assert.equal(cPB.Div(2 ** 53 - 1, 3), 3002399751580330);
    assert.equal(cPB.Div(-(2 ** 52) - 1, 2), -(2 ** 51));
    assert.equal(Object.is(cPB.Div(-1, 5), 0), true, "no negative zero");
    const before = page.debug.length;
    assert.equal(cPB.Div(1, 0), 0);
    assert.equal(cPB.Mod(1, 0), 0);
    assert.deepEqual(page.debug.slice(before), [
        "[ERROR] Division by zero forbidden.",
        "[ERROR] Modulo zero is forbidden (result in a zero divide).",
    ]);
});

test("a float stored into an integer rounds to nearest, halves to even", () => {
    assert.deepEqual([0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 2.4999, 2.5001, 7].map(cPB.Round), [0, 2, 2, 0, -2, -2, 2, 3, 7]);
    assert.equal(cPB.Round(NaN), -9223372036854775808);
});

test("bit operations work on 64 bits, beyond JavaScript's 32", () => {
    const big = 2 ** 40;
    assert.equal(cPB.And(big + 0xff, big + 0x0f), big + 0x0f);
    assert.equal(cPB.Or(big, 1), big + 1);
    assert.equal(cPB.Xor(-1, big), -big - 1);
    assert.equal(cPB.Not(big), -big - 1);
    assert.equal(cPB.Not(5), -6);
    assert.equal(cPB.And(-1, 0xffffffff), 0xffffffff);
    assert.equal(cPB.Shl(1, 40), big);
    assert.equal(cPB.Shl(1, 63), -(2 ** 63));
    assert.equal(cPB.Shl(1, 64), 1, "counts are taken modulo 64");
    assert.equal(cPB.Shl(3, 62), -(2 ** 62), "bits beyond 64 are lost");
    assert.equal(cPB.Shr(-big, 4), -(2 ** 36));
    assert.equal(cPB.Shr(-1, 40), -1, "the sign is kept");
    assert.equal(cPB.Shr(2 ** 62, 61), 2);
    assert.equal(cPB.Shr(0x80000000, 31), 1);
});

test("number texts: Debug's shortest form, StrF and StrD's ten decimals", () => {
    assert.equal(cPB.DebugD(123.5e-20), "0.000000000000000001235");
    assert.equal(cPB.DebugD(11), "11.0");
    assert.equal(cPB.DebugD(-4), "-4.0");
    assert.equal(cPB.DebugD(0.1), "0.1");
    assert.equal(cPB.DebugD(1 / 3), "0.3333333333333333");
    assert.equal(cPB.DebugD(1e21), "1000000000000000000000.0");
    assert.equal(cPB.DebugD(1.5e300).length, 303);
    assert.equal(cPB.DebugF(0.1), "0.1");
    assert.equal(cPB.DebugF(1 / 3), "0.33333334");
    assert.equal(cPB.DebugF(16777217), "16777216.0");
    assert.equal(cPB.DebugD(Infinity), "+Infinity");
    assert.equal(cPB.DebugD(NaN), "NaN");
    assert.equal(cPB.StrF(10.54), "10.5399999619");
    assert.equal(cPB.StrD(10.54), "10.54");
    assert.equal(cPB.StrD(2), "2");
    assert.equal(cPB.StrD(-0.00000000001), "0");
    assert.equal(cPB.StrD(1 / 3), "0.3333333333");
});

test("error lines, functions the browser lacks, and an awaited main program", async () => {
    const fresh = loadPage();
    fresh.window.cPB.Error("Something broke.");
    assert.equal(fresh.window.cPB.Unavailable("OpenLibrary", 12), 0);
    const rows = fresh.window.document.querySelectorAll("#orvane-debug > div");
    assert.equal(rows[0].textContent, "[ERROR] Something broke.");
    assert.equal(rows[0].className, "orvane-error");
    assert.equal(rows[1].textContent, "[ERROR] Line 12: OpenLibrary() is not available in the browser");
    await fresh.run(`cPB.Async(async function () { cDebugger.Debug("a"); await null; cCommon.End(3); cDebugger.Debug("b"); })`);
    await fresh.run(`cPB.Async(async function () { await null; undefinedName(); })`);
    assert.deepEqual(fresh.debug.slice(2), ["a", "The program ended with exit code 3.", "[ERROR] The program stopped: undefinedName is not defined"]);
    assert.equal(fresh.window.document.getElementById("orvane-debug").getAttribute("data-exit-code"), "3");
});
