"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const page = loadPage();
const { cArray, cLinkedList, cMap, cSort, cMath, cMemory } = page.window;

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
    assert.notEqual(l.SelectElement(2), 0);
    assert.equal(l.GetContent(), 9);
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
    const l = new cLinkedList("");
    const address = {};
    for (const v of ["a", "b", "c", "d"]) {
        address[v] = l.AddElement();
        l.SetContent(v);
        assert.equal(l.GetCurrentElement(), address[v]);
    }
    assert.equal(typeof address.a, "number");
    assert.equal(new Set(Object.values(address)).size, 4);
    l.SwapElements(address.a, address.d);
    assert.deepEqual(values(l), ["d", "b", "c", "a"]);
    assert.equal(l.GetContent(), "d");
    l.SwapElements(address.b, address.c);
    l.SwapElements(address.c, address.b);
    assert.deepEqual(values(l), ["d", "b", "c", "a"]);
    l.ChangeCurrentElement(address.a);
    assert.equal(l.ListIndex(), 3);
    l.MoveElement(1);
    assert.deepEqual(values(l), ["a", "d", "b", "c"]);
    assert.equal(l.ListIndex(), 0);
    l.MoveElement(4, address.c);
    assert.deepEqual(values(l), ["d", "b", "c", "a"]);
    assert.equal(l.GetContent(), "a");
    assert.equal(l.ListIndex(), 3);
    l.MoveElement(3, address.d);
    assert.deepEqual(values(l), ["a", "d", "b", "c"]);
    // Addresses survive moves and sorts; an address that is not an element is ignored.
    cSort.SortList(l, 1);
    assert.deepEqual(values(l), ["d", "c", "b", "a"]);
    l.ChangeCurrentElement(address.b);
    assert.equal(l.GetContent(), "b");
    assert.equal(l.ListIndex(), 2);
    l.ChangeCurrentElement(address.b + 1);
    l.ChangeCurrentElement(12345);
    assert.equal(l.GetContent(), "b");
    l.PushListPosition();
    l.FirstElement();
    l.PopListPosition();
    assert.equal(l.GetContent(), "b");
    l.PushListPosition();
    l.DeleteElement();
    l.PopListPosition();
    assert.equal(l.ListIndex(), -1);
    l.ChangeCurrentElement(address.b);
    assert.equal(l.ListIndex(), -1, "a deleted element's address is no longer an element");

    // A structured element is made by the list's factory; its address reaches the structure.
    const Point = () => ({ x: 0, y: 0 });
    const s = new cLinkedList(Point);
    const first = s.AddElement();
    s.GetContent().x = 1;
    const second = s.AddElement();
    s.GetContent().x = 2;
    assert.equal(s.GetCurrentElement(), second);
    assert.deepEqual(s.ORV_ObjectAt(first - s.ORV_Base), { x: 1, y: 0 });
    s.SwapElements(first, second);
    assert.deepEqual(values(s).map((e) => e.x), [2, 1]);
    s.ChangeCurrentElement(second);
    assert.equal(s.ListIndex(), 0);
    const m = new cMap(Point);
    m.getData("k").x = 3;
    assert.notEqual(m.FindMapElement("k"), 0);
    assert.equal(m.getData().x, 3);
    assert.equal(m.getData("other").y, 0);
    // The older emitted forms: no argument, a template copied per element, AddElement(template).
    const old = new cLinkedList();
    old.AddElement({ n: 1 });
    old.AddElement();
    assert.equal(JSON.stringify(values(old)), '[{"n":1},0]');
    const templated = new cMap({ x: null });
    templated.getData("a").x = 5;
    assert.equal(templated.getData("b").x, null);
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

test("a million elements: built, walked both ways and thinned while iterating", () => {
    const n = 1000000;
    const l = new cLinkedList(0);
    for (let i = 0; i < n; i++) {
        l.AddElement();
        l.SetContent(i);
    }
    assert.equal(l.ListSize(), n);
    assert.equal(l.ListIndex(), n - 1);
    let sum = 0;
    l.ForEach_Start();
    while (l.ForEach()) {
        sum += l.GetContent();
        if (l.GetContent() % 2 === 0) l.DeleteElement();
    }
    assert.equal(sum, (n * (n - 1)) / 2);
    assert.equal(l.ListSize(), n / 2);
    assert.equal(l.GetContent(), n - 1);
    assert.equal(l.ListIndex(), n / 2 - 1);
    let back = 0;
    while (l.PreviousElement()) back++;
    assert.equal(back, n / 2 - 1);
    assert.equal(l.GetContent(), 1);
    l.SelectElement(n / 2 - 2);
    assert.equal(l.GetContent(), n - 3);
    // Freed slots are taken again: inserting as many elements as were deleted adds no memory.
    const slots = l.ORV_Values.length;
    l.FirstElement();
    for (let i = 0; i < n / 2; i++) l.InsertElement();
    assert.equal(l.ORV_Values.length, slots);
    assert.equal(l.ListSize(), n);
    assert.equal(l.ListIndex(), 0);

    const m = new cMap(0);
    for (let i = 0; i < n; i++) m.setData(i, "k" + i);
    assert.equal(m.MapSize(), n);
    let visited = 0;
    m.ForEach_Init();
    while (m.ForEach()) {
        visited++;
        if (m.getData() % 3 !== 0) m.DeleteMapElement();
    }
    assert.equal(visited, n);
    assert.equal(m.MapSize(), Math.ceil(n / 3));
    assert.equal(m.getData("k999999"), 999999);
    assert.equal(m.FindMapElement("k999998"), 0);
});

test("map keys: empty, numbers, every Unicode plane and names of object properties", () => {
    const m = new cMap("");
    const planes = [];
    for (let plane = 0; plane <= 16; plane++) planes.push(String.fromCodePoint(plane * 0x10000 + 0x41, 0x1f600));
    const keys = ["", "0", "constructor", "__proto__", "hasOwnProperty", "a\u0000b", ...planes];
    keys.forEach((key, i) => m.setData("v" + i, key));
    assert.equal(m.MapSize(), keys.length);
    keys.forEach((key, i) => {
        assert.notEqual(m.FindMapElement(key), 0, JSON.stringify(key));
        assert.equal(m.MapKey(), key);
        assert.equal(m.getData(), "v" + i);
    });
    // A number key is its text, as Str() gives it.
    m.setData("five", 5);
    assert.equal(m.getData("5"), "five");
    m.setData("half", 2.5);
    assert.notEqual(m.FindMapElement("2.5"), 0);
    assert.equal(m.FindMapElement(0), m.FindMapElement("0"));
    assert.equal(m.getData(""), "v0");
    assert.equal(m.DeleteMapElement(""), 0);
    assert.equal(m.FindMapElement(""), 0);
    assert.equal(m.MapKey(), "", "a keyed delete leaves no current element");
});

test("map positions, keyed deletes and elements hidden by AddMapElement without check", () => {
    const m = new cMap(0);
    for (const key of ["a", "b", "c", "d"]) m.setData(key.charCodeAt(0), key);
    m.FindMapElement("c");
    m.PushMapPosition();
    m.ResetMap();
    const keys = [];
    while (m.NextMapElement()) keys.push(m.MapKey());
    assert.deepEqual(keys, ["a", "b", "c", "d"]);
    assert.equal(m.MapKey(), "");
    m.PopMapPosition();
    assert.equal(m.MapKey(), "c");
    m.PushMapPosition();
    m.DeleteMapElement("c");
    m.PopMapPosition();
    assert.equal(m.MapKey(), "", "the remembered element was deleted");
    m.FindMapElement("b");
    assert.equal(m.DeleteMapElement(), m.FindMapElement("a"));
    m.FindMapElement("a");
    assert.equal(m.DeleteMapElement(), 0, "deleting the first element leaves none current");

    m.setData(1, "x");
    m.AddMapElement("x", 0);
    m.setData(2);
    assert.equal(m.MapSize(), 3);
    assert.equal(m.getData("x"), 2);
    m.AddMapElement("x", 0);
    m.setData(3);
    m.ResetMap();
    const all = [];
    while (m.NextMapElement()) all.push(m.MapKey() + m.getData());
    assert.deepEqual(all, ["d100", "x1", "x2", "x3"]);
    const copy = new cMap(0);
    cMap.CopyMap(m, copy);
    assert.equal(cMap.CompareMap(m, copy), 1);
    m.DeleteMapElement("x");
    assert.equal(m.getData("x"), 2, "the newest hidden element comes back");
    copy.FindMapElement("x");
    copy.ResetMap();
    copy.NextMapElement();
    copy.NextMapElement();
    copy.DeleteMapElement();
    assert.equal(copy.getData("x"), 3, "deleting a hidden element keeps the visible one");
    copy.DeleteMapElement("x");
    assert.equal(copy.getData("x"), 2);
    copy.AddMapElement("x");
    assert.equal(copy.getData("x"), 0);
    assert.equal(copy.MapSize(), 2);
    assert.equal(cMap.CompareMap(m, copy), 0);
});

test("MergeLists at every location, SplitList, CompareList, sorting and shuffling a range", () => {
    function list(items) {
        const l = new cLinkedList("");
        for (const item of items) {
            l.AddElement();
            l.SetContent(item);
        }
        return l;
    }
    for (const [location, expected] of [
        [undefined, "b0 b1 b2 a0 a1"],
        [1, "a0 a1 b0 b1 b2"],
        [3, "b0 a0 a1 b1 b2"],
        [4, "b0 b1 a0 a1 b2"],
    ]) {
        const a = list(["a0", "a1"]);
        const b = list(["b0", "b1", "b2"]);
        b.SelectElement(1);
        a.MergeLists(b, location);
        assert.equal(values(b).join(" "), expected, "location " + location);
        assert.equal(b.GetContent(), "b1");
        assert.equal(b.ListIndex(), expected.split(" ").indexOf("b1"));
        assert.equal(a.ListSize(), 0);
        assert.equal(a.NextElement(), 0);
    }
    const s = list(["0", "1", "2", "3"]);
    const rest = list(["old"]);
    s.SelectElement(2);
    s.SplitList(rest, 1);
    assert.deepEqual(values(s), ["0", "1", "2"]);
    assert.deepEqual(values(rest), ["3"]);
    assert.equal(s.GetContent(), "2");
    assert.equal(rest.ListIndex(), -1);
    assert.equal(list(["A", "b"]).CompareList(list(["a", "B"])), 0);
    assert.equal(list(["A", "b"]).CompareList(list(["a", "B"]), 1), 1);
    assert.equal(list(["a"]).CompareList(list(["a", "b"])), 0);
    const structured = () => {
        const l = new cLinkedList(() => ({ n: 0, tags: new cLinkedList("") }));
        l.AddElement();
        l.GetContent().tags.AddElement();
        l.GetContent().tags.SetContent("t");
        return l;
    };
    const t = structured();
    assert.equal(t.CompareList(structured()), 1);
    t.GetContent().tags.SetContent("u");
    assert.equal(t.CompareList(structured()), 0);

    const r = list(["e", "d", "c", "b", "a"]);
    r.SelectElement(3);
    const b = r.GetCurrentElement();
    cSort.SortList(r, 0, 1, 3);
    assert.deepEqual(values(r), ["e", "b", "c", "d", "a"]);
    assert.equal(r.GetCurrentElement(), b);
    assert.equal(r.ListIndex(), 1);
    cSort.RandomizeList(r, 1, 3);
    assert.equal(values(r)[0], "e");
    assert.equal(values(r)[4], "a");
    assert.deepEqual(values(r).slice(1, 4).sort(), ["b", "c", "d"]);
    const people = new cLinkedList(() => ({ name: "", age: 0 }));
    for (const [name, age] of [["x", 30], ["y", 10], ["z", 20]]) {
        people.AddElement();
        Object.assign(people.GetContent(), { name, age });
    }
    cSort.SortStructuredList(people, 0, "age", 21);
    assert.deepEqual(values(people).map((p) => p.name), ["y", "z", "x"]);
});

test("JSON fills structured list and map elements from the factory", () => {
    const { cJson: J, cConstants: C } = page.window;
    const json = J.ParseJSON(C.PB_Any, '[{"name": "a", "tags": ["t1", "t2"], "extra": 1}, {"age": 4}]');
    const people = new cLinkedList(() => ({ name: "", age: 0, tags: new cLinkedList("") }));
    J.ExtractJSONList(J.JSONValue(json), people);
    assert.equal(people.ListSize(), 2);
    people.FirstElement();
    assert.equal(people.GetContent().name, "a");
    assert.equal(people.GetContent().age, 0);
    assert.deepEqual(values(people.GetContent().tags), ["t1", "t2"]);
    assert.equal("extra" in people.GetContent(), false);
    people.NextElement();
    assert.equal(people.GetContent().age, 4);
    assert.equal(people.GetContent().tags.ListSize(), 0);
    const out = J.CreateJSON(C.PB_Any);
    J.InsertJSONList(J.JSONValue(out), people);
    assert.equal(J.ComposeJSON(out), '[{"name":"a","age":0,"tags":["t1","t2"]},{"name":"","age":4,"tags":[]}]');
    const m = new cMap(0);
    m.setData(1, "b");
    m.setData(2, "a");
    J.InsertJSONMap(J.JSONValue(out), m);
    assert.equal(J.ComposeJSON(out), '{"b":1,"a":2}');
    const back = new cMap(0);
    J.ExtractJSONMap(J.JSONValue(out), back);
    assert.equal(cMap.CompareMap(m, back), 1);
});

test("element addresses reach their element through the memory library", () => {
    const points = new cLinkedList(() => ({ x: 0, y: 0 }));
    const first = points.AddElement();
    points.GetContent().x = 5;
    const second = points.AddElement();
    // *p.Point = @points() : *p\y = 7 on the first element while the second is current.
    cMemory.ORV_Set(first, 8, 21, "y", 7);
    points.FirstElement();
    assert.equal(points.GetContent().y, 7);
    assert.equal(cMemory.ORV_Get(first, 0, 21, "x"), 5);
    assert.equal(cMemory.ORV_Get(second, 0, 21, "x"), 0);
    assert.notEqual(first, second);

    const numbers = new cLinkedList(0);
    const a = numbers.AddElement();
    numbers.SetContent(41);
    numbers.AddElement();
    assert.equal(cMemory.PeekI(a), 41);
    cMemory.PokeI(a, 42);
    numbers.FirstElement();
    assert.equal(numbers.GetContent(), 42);

    const m = new cMap("");
    const k = m.AddMapElement("k");
    m.setData("text");
    m.AddMapElement("other");
    assert.equal(m.FindMapElement("k"), k);
    numbers.ChangeCurrentElement(a);
    assert.equal(numbers.ListIndex(), 0);
});
