"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const page = loadPage();
const { cArray: A, cSort, Int8Array: I8, Float64Array: F64, Int32Array: I32 } = page.window;

test("Dim makes typed, string and structure arrays; several dimensions are one flat array", () => {
    const bytes = A.Dim(I8, [10]);
    assert.equal(bytes.length, 11);
    bytes[0] = 200;
    assert.equal(bytes[0], -56, "a typed array wraps on store by itself");
    const names = A.Dim("", [2]);
    assert.deepEqual(Array.from(names), ["", "", ""]);
    const factory = () => ({ x: 0, s: "" });
    const points = A.Dim(factory, [1]);
    assert.notEqual(points[0], points[1]);
    const grid = A.Dim(I32, [2, 3]);
    assert.equal(grid.length, 12);
    assert.deepEqual(Array.from(grid.ORV_Dims), [3, 4]);
    assert.deepEqual([A.ArraySize(grid), A.ArraySize(grid, 2), A.ArraySize(grid, 3)], [2, 3, -1]);
    assert.equal(A.Dim(I8, [-1]).length, 0);
    A.Dim(I8, [-2]);
    assert.equal(page.debug.at(-1), "[ERROR] Array size can't be negative.");
});

test("ReDim keeps the contents, also in the last dimension of a flat array; CopyArray, FreeArray", () => {
    let a = A.Dim(F64, [2]);
    a.set([1, 2, 3]);
    a = A.ReDim(a, [4]);
    assert.deepEqual(Array.from(a), [1, 2, 3, 0, 0]);
    a = A.ReDim(a, [0]);
    assert.deepEqual(Array.from(a), [1]);
    let grid = A.Dim(I32, [1, 1]);
    grid.set([1, 2, 3, 4]);
    grid = A.ReDim(grid, [1, 2]);
    assert.deepEqual(Array.from(grid), [1, 2, 0, 3, 4, 0]);
    assert.equal(A.ReDim(grid, [2, 2]), grid);
    assert.equal(page.debug.at(-1), "[ERROR] Only the last dimension of an array can be changed with ReDim.");
    const texts = A.Dim("", [0]);
    texts[0] = "a";
    assert.equal(A.ReDim(texts, [2]), texts, "a plain array grows in place");
    assert.deepEqual(Array.from(texts), ["a", "", ""]);

    let copy = A.Dim(I32, [9]);
    copy = A.CopyArray(grid, copy);
    assert.deepEqual(Array.from(copy), Array.from(grid));
    assert.deepEqual(Array.from(copy.ORV_Dims), [2, 3]);
    assert.equal(A.CompareArray(copy, grid), 1);
    copy[0] = 9;
    assert.equal(A.CompareArray(copy, grid), 0);
    const d = A.Dim(F64, [3], 12);
    assert.equal(A.CopyArray(d, A.Dim(F64, [0])).ORV_Type, 12, "a double array stays one");
    const freed = A.FreeArray(copy);
    assert.equal(A.ArraySize(freed), -1);
});

test("sorting typed arrays and structures by field path or byte offset", () => {
    const n = A.Dim(I32, [4]);
    n.set([5, -1, 3, 10, 0]);
    cSort.SortArray(n, 0);
    assert.deepEqual(Array.from(n), [-1, 0, 3, 5, 10]);
    cSort.SortArray(n, 1);
    assert.deepEqual(Array.from(n), [10, 5, 3, 0, -1]);
    cSort.SortArray(n, 0, 1, 3);
    assert.deepEqual(Array.from(n), [10, 0, 3, 5, -1]);
    const Item = () => ({ name: "", at: { x: 0 } });
    Item.ORV_Fields = [[0, 8, "name"], [8, 21, "at.x"]];
    const items = A.Dim(Item, [2]);
    ["b", "C", "a"].forEach((s, i) => Object.assign(items[i], { name: s, at: { x: 3 - i } }));
    cSort.SortStructuredArray(items, 2, 0, 8);
    assert.deepEqual(Array.from(items, (i) => i.name), ["a", "b", "C"]);
    cSort.SortStructuredArray(items, 0, 8, 21);
    assert.deepEqual(Array.from(items, (i) => i.at.x), [1, 2, 3]);
    cSort.SortStructuredArray(items, 1, "at.x", 21);
    assert.deepEqual(Array.from(items, (i) => i.at.x), [3, 2, 1]);
});
