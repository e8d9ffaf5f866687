"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const page = loadPage();
const { cArray, cLinkedList, cMap, cSort, cMath } = page.window;

function values(list) {
    return Array.from(list.ListData());
}

test("Dim holds the indexes 0 to the size, structured elements are separate copies", () => {
    const a = cArray.Dim(null, [10]);
    assert.equal(a.length, 11);
    assert.equal(a[10], 0);
    assert.equal(cArray.ArraySize(a), 10);
    const grid = cArray.Dim(null, [2, 3]);
    assert.equal(grid.length, 3);
    assert.equal(grid[2].length, 4);
    assert.equal(cArray.ArraySize(grid, 2), 3);
    assert.equal(cArray.ArraySize(undefined), -1);
    const template = { x: null, items: new cLinkedList() };
    const points = cArray.Dim(template, [1]);
    points[0].x = 5;
    points[0].items.AddElement();
    assert.equal(points[1].x, null);
    assert.equal(points[1].items.ListSize(), 0);
    assert.equal(template.items.ListSize(), 0);
    assert.equal(cArray.Dim(null, [-1]).length, 0);
});

test("ReDim resizes in place and keeps the contents", () => {
    const a = cArray.Dim(null, [2]);
    a[1] = 7;
    const alias = a;
    cArray.ReDim(a, [5]);
    assert.equal(alias.length, 6);
    assert.equal(alias[1], 7);
    assert.equal(alias[5], 0);
    cArray.ReDim(a, [0]);
    assert.deepEqual(Array.from(a), [0]);
    const p = cArray.Dim({ x: null }, [0]);
    p[0].x = 3;
    cArray.ReDim(p, [1]);
    assert.equal(p[0].x, 3);
    assert.equal(typeof p[1], "object");
    assert.equal(cArray.ReDim(undefined), undefined);
    assert.match(page.debug.at(-1), /^\[ERROR\] ReDim/);
});

test("list commands on an empty list do nothing and report no element", () => {
    const l = new cLinkedList();
    assert.equal(l.FirstElement(), 0);
    assert.equal(l.LastElement(), 0);
    assert.equal(l.NextElement(), 0);
    assert.equal(l.PreviousElement(), 0);
    assert.equal(l.DeleteElement(), 0);
    assert.equal(l.SelectElement(0), 0);
    assert.equal(l.ListIndex(), -1);
    assert.equal(l.ListSize(), 0);
    assert.equal(l.GetContent(), 0);
    l.ForEach_Start();
    assert.equal(l.ForEach(), false);
    l.PopListPosition();
    l.MoveElement(1);
    assert.equal(l.ListSize(), 0);
});

test("AddElement and InsertElement follow the current element", () => {
    const l = new cLinkedList();
    l.AddElement();
    l.SetContent(1);
    l.AddElement();
    l.SetContent(3);
    l.PreviousElement();
    l.AddElement();
    l.SetContent(2);
    assert.deepEqual(values(l), [1, 2, 3]);
    assert.equal(l.ListIndex(), 1);
    l.InsertElement();
    l.SetContent(9);
    assert.deepEqual(values(l), [1, 9, 2, 3]);
    l.ResetList();
    l.AddElement();
    l.SetContent(0);
    assert.deepEqual(values(l), [0, 1, 9, 2, 3]);
    l.LastElement();
    assert.equal(l.NextElement(), 0);
    assert.equal(l.GetContent(), 3);
    assert.equal(l.SelectElement(2).value, 9);
    assert.equal(l.SelectElement(7), 0);
    assert.equal(l.ListIndex(), 2);
});

test("deleting the current element inside ForEach visits every other element once", () => {
    const l = new cLinkedList();
    for (let i = 1; i <= 6; i++) l.AddElement(i);
    const seen = [];
    l.ForEach_Start();
    while (l.ForEach()) {
        seen.push(l.GetContent());
        if (l.GetContent() % 2 === 1) l.DeleteElement();
    }
    l.ForEach_End();
    assert.deepEqual(seen, [1, 2, 3, 4, 5, 6]);
    assert.deepEqual(values(l), [2, 4, 6]);
    l.FirstElement();
    l.DeleteElement();
    assert.equal(l.ListIndex(), -1);
    l.FirstElement();
    l.DeleteElement(1);
    assert.equal(l.GetContent(), 6);
});

test("element addresses: swap, move, change current, push and pop positions", () => {
    const l = new cLinkedList();
    for (const v of ["a", "b", "c", "d"]) l.AddElement(v);
    l.FirstElement();
    const a = l.GetCurrentElement();
    l.LastElement();
    const d = l.GetCurrentElement();
    l.SwapElements(a, d);
    assert.deepEqual(values(l), ["d", "b", "c", "a"]);
    assert.equal(l.GetContent(), "d");
    l.ChangeCurrentElement(a);
    assert.equal(l.ListIndex(), 3);
    l.MoveElement(1);
    assert.deepEqual(values(l), ["a", "d", "b", "c"]);
    l.MoveElement(4, l.ORV_Elements[3]);
    assert.deepEqual(values(l), ["d", "b", "c", "a"]);
    assert.equal(l.GetContent(), "a");
    l.PushListPosition();
    l.FirstElement();
    l.PopListPosition();
    assert.equal(l.GetContent(), "a");
    l.PushListPosition();
    l.DeleteElement();
    l.PopListPosition();
    assert.equal(l.ListIndex(), -1);

    // A structured element's address is the structure: "*p = AddElement(l())" then "*p\x = 1".
    const s = new cLinkedList();
    const first = s.AddElement({ x: null });
    first.x = 1;
    const second = s.AddElement({ x: null });
    second.x = 2;
    assert.equal(s.GetCurrentElement(), second);
    s.SwapElements(first, second);
    assert.deepEqual(values(s).map((e) => e.x), [2, 1]);
    s.ChangeCurrentElement(second);
    assert.equal(s.ListIndex(), 0);
    const m = new cMap({ x: null });
    m.getData("k").x = 3;
    assert.equal(m.FindMapElement("k").x, 3);
});

test("CopyList, MergeLists and SplitList move or copy deeply", () => {
    const a = new cLinkedList();
    const b = new cLinkedList();
    a.AddElement({ n: 1 });
    a.AddElement({ n: 2 });
    b.AddElement({ n: 99 });
    a.CopyList(b);
    b.FirstElement();
    b.GetContent().n = 5;
    assert.deepEqual(values(a).map((e) => e.n), [1, 2]);
    assert.deepEqual(values(b).map((e) => e.n), [5, 2]);
    a.MergeLists(b);
    assert.equal(a.ListSize(), 0);
    assert.deepEqual(values(b).map((e) => e.n), [5, 2, 1, 2]);
    b.SelectElement(2);
    b.SplitList(a);
    assert.deepEqual(values(b).map((e) => e.n), [5, 2]);
    assert.deepEqual(values(a).map((e) => e.n), [1, 2]);
    assert.equal(b.GetContent().n, 2);
});

test("maps: keys are exact, a keyed read creates the element, ForEach survives deletion", () => {
    const m = new cMap();
    m.setData(1, "Key");
    m.setData(2, "key");
    assert.equal(m.MapSize(), 2);
    assert.equal(m.getData("Key"), 1);
    assert.equal(m.FindMapElement("KEY"), 0);
    assert.equal(m.MapSize(), 2);
    assert.equal(m.getData("new"), 0);
    assert.equal(m.MapSize(), 3);
    assert.equal(m.MapKey(), "new");
    assert.notEqual(m.FindMapElement("key"), 0);
    assert.equal(m.getData(), 2);
    m.setData(20);
    assert.equal(m.getData("key"), 20);
    const keys = [];
    m.ForEach_Init();
    while (m.ForEach()) {
        keys.push(m.MapKey());
        if (m.MapKey() !== "new") m.DeleteMapElement();
    }
    assert.deepEqual(keys, ["Key", "key", "new"]);
    assert.equal(m.MapSize(), 1);
    assert.equal(m.DeleteMapElement("absent"), 0);
    m.AddMapElement("new");
    assert.equal(m.getData("new"), 0);
    m.ClearMap();
    assert.equal(m.MapKey(), "");
    assert.equal(m.NextMapElement(), 0);
});

test("structured maps copy their template per key; CopyMap is deep", () => {
    const Point = { x: null, y: null };
    const p = new cMap(Point);
    p.getData("a").x = 1;
    p.getData("b").x = 2;
    assert.equal(Point.x, null);
    const q = new cMap(Point);
    q.setData({ x: 9 }, "old");
    cMap.CopyMap(p, q);
    assert.equal(q.FindMapElement("old"), 0);
    q.getData("a").x = 7;
    assert.equal(p.getData("a").x, 1);
    assert.equal(q.MapSize(), 2);
});

test("sorting arrays and lists: numbers, texts, case, ranges, fields", () => {
    const a = [5, 3, 10, 1];
    cSort.SortArray(a, 0);
    assert.deepEqual(a, [1, 3, 5, 10]);
    cSort.SortArray(a, 1);
    assert.deepEqual(a, [10, 5, 3, 1]);
    const s = ["b", "B", "a", "C"];
    cSort.SortArray(s, 0);
    assert.deepEqual(s, ["B", "C", "a", "b"]);
    cSort.SortArray(s, 2);
    assert.deepEqual(s, ["a", "B", "b", "C"]);
    const r = [9, 8, 7, 6, 5];
    cSort.SortArray(r, 0, 1, 3);
    assert.deepEqual(r, [9, 6, 7, 8, 5]);
    const people = [{ name: "b", age: 3 }, { name: "a", age: 1 }, { name: "c", age: 2 }];
    cSort.SortStructuredArray(people, 0, "age", 21);
    assert.deepEqual(people.map((p) => p.name), ["a", "c", "b"]);
    cSort.SortStructuredArray(people, 1, 0, 8);
    assert.deepEqual(people.map((p) => p.name), ["c", "b", "a"]);
    const l = new cLinkedList();
    for (const v of [3, 1, 2]) l.AddElement(v);
    l.FirstElement();
    cSort.SortList(l, 0);
    assert.deepEqual(values(l), [1, 2, 3]);
    assert.equal(l.GetContent(), 3);
    cMath.RandomSeed(7);
    cSort.RandomizeList(l);
    cSort.RandomizeArray(a);
    assert.deepEqual(values(l).sort(), [1, 2, 3]);
    assert.deepEqual([...a].sort((x, y) => x - y), [1, 3, 5, 10]);
});
