"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const page = loadPage();
const { cMemory: M, cCommon, cArray } = page.window;
const run = (code) => page.run(code);
const lastError = () => page.debug.at(-1);

test("Poke then Peek in every type: wrapping, sign, little-endian bytes and 64-bit values", () => {
    const m = M.AllocateMemory(32);
    M.PokeB(m, 200);
    assert.equal(M.PeekB(m), -56);
    assert.equal(M.PeekA(m), 200);
    M.PokeW(m, -2);
    assert.equal(M.PeekW(m), -2);
    assert.equal(M.PeekU(m), 65534);
    assert.equal(M.PeekC(m), 65534);
    assert.deepEqual([M.PeekA(m), M.PeekA(m + 1)], [0xfe, 0xff]);
    M.PokeL(m, 0x12345678);
    assert.deepEqual([M.PeekA(m), M.PeekA(m + 3)], [0x78, 0x12]);
    M.PokeL(m, 4294967295);
    assert.equal(M.PeekL(m), -1);
    M.PokeQ(m + 8, -5);
    assert.equal(M.PeekQ(m + 8), -5);
    assert.equal(M.PeekL(m + 12), -1);
    M.PokeI(m + 8, 2 ** 52 + 3);
    assert.equal(M.PeekI(m + 8), 2 ** 52 + 3);
    M.PokeI(m + 8, -(2 ** 60));
    assert.equal(M.PeekI(m + 8), -(2 ** 60));
    M.PokeI(m + 8, 2.5);
    assert.equal(M.PeekI(m + 8), 2, "a fraction is rounded to even when stored");
    M.PokeF(m + 16, 0.1);
    assert.equal(M.PeekF(m + 16), Math.fround(0.1));
    M.PokeD(m + 24, 0.1);
    assert.equal(M.PeekD(m + 24), 0.1);
    assert.equal(M.MemorySize(m), 32);
    M.FreeMemory(m);
});

test("PeekS and PokeS in every format, with lengths, NoZero and the string helpers", () => {
    const m = M.AllocateMemory(64);
    assert.equal(M.PokeS(m, "Grüße €"), 14);
    assert.equal(M.PeekS(m), "Grüße €");
    assert.equal(M.PeekS(m, 3), "Grü");
    assert.equal(M.MemoryStringLength(m), 7);
    assert.equal(M.PokeS(m, "Grüße €", -1, 2), 11);
    assert.equal(M.PeekS(m, -1, 2), "Grüße €");
    assert.equal(M.PeekS(m, 3, 2), "Grü");
    assert.equal(M.PeekS(m, 3, 2 | 64), "Gr", "#PB_ByteLength counts bytes: ü is cut");
    assert.equal(M.MemoryStringLength(m, 2), 7);
    assert.equal(M.MemoryStringLength(m, 2 | 64), 11);
    assert.equal(M.PokeS(m, "Grüße €", -1, 24), 7);
    assert.equal(M.PeekS(m, -1, 24), "Grüße ?");
    M.PokeS(m, "abcdef");
    M.PokeS(m, "XY", -1, 256);
    assert.equal(M.PeekS(m), "XYcdef", "#PB_String_NoZero writes no terminating zero");
    M.PokeS(m, "abcdef", 2);
    assert.equal(M.PeekS(m), "ab");
    const other = M.AllocateMemory(16);
    M.PokeS(other, "ABD");
    assert.equal(M.CompareMemoryString(m, other), 1);
    assert.equal(M.CompareMemoryString(m, other, 1), -1);
    assert.equal(M.CompareMemoryString(m, other, 1, 2), 0);
    const end = M.CopyMemoryString("Hello", m);
    assert.equal(end, m + 10);
    M.CopyMemoryString(" World");
    assert.equal(M.PeekS(m), "Hello World");
    M.ORV_CopyEnd -= 4;
    M.CopyMemoryString("LD");
    assert.equal(M.PeekS(m), "Hello WorLD");
});

test("an address of a typed array reaches its elements: FillMemory, CopyMemory, CompareMemory", () => {
    const p = cArray.Dim(Int8Array, [9]);
    M.FillMemory(M.ORV_Address(p), 10, 1);
    M.FillMemory(M.ORV_Address(p), 2, 0, 1);
    assert.deepEqual(Array.from(p), [0, 0, 1, 1, 1, 1, 1, 1, 1, 1]);
    assert.equal(M.ORV_Address(p), M.ORV_Address(p));

    const words = cArray.Dim(Uint16Array, [3]);
    M.FillMemory(M.ORV_Address(words), 8, 0x1234, 3);
    assert.deepEqual(Array.from(words), [0x1234, 0x1234, 0x1234, 0x1234]);
    M.FillMemory(M.ORV_Address(words), 8, -1, 21);
    assert.deepEqual(Array.from(words), [65535, 65535, 65535, 65535]);

    // an .i array holds integer values; raw int64 bytes copied in arrive as the same integers
    const raw = M.AllocateMemory(24);
    [7, -3, 2 ** 40].forEach((v, i) => M.PokeI(raw + 8 * i, v));
    const ints = cArray.Dim(Float64Array, [2]);
    M.CopyMemory(raw, M.ORV_Address(ints), 24);
    assert.deepEqual(Array.from(ints), [7, -3, 2 ** 40]);
    assert.equal(M.PeekI(M.ORV_Address(ints) + 8), -3);
    assert.equal(M.PeekL(M.ORV_Address(ints) + 12), -1, "the upper half of -3");
    M.PokeB(M.ORV_Address(ints), 1);
    assert.equal(ints[0], 1, "a byte written into an integer element changes its low byte only");
    assert.equal(M.CompareMemory(raw + 8, M.ORV_Address(ints) + 8, 16), 1);
    assert.equal(M.CompareMemory(raw, M.ORV_Address(ints), 8), 0);
    // a .d array holds the bytes of doubles
    const doubles = cArray.Dim(Float64Array, [0], 12);
    M.PokeD(raw, 1.5);
    M.CopyMemory(raw, M.ORV_Address(doubles), 8);
    assert.equal(doubles[0], 1.5);

    // overlapping copies come out right in both directions
    const b = cArray.Dim(Uint8Array, [5]);
    b.set([1, 2, 3, 4, 5, 6]);
    M.MoveMemory(M.ORV_Address(b), M.ORV_Address(b) + 1, 5);
    assert.deepEqual(Array.from(b), [1, 1, 2, 3, 4, 5]);
    M.CopyMemory(M.ORV_Address(b) + 1, M.ORV_Address(b), 5);
    assert.deepEqual(Array.from(b), [1, 2, 3, 4, 5, 5]);
});

test("a fixed-string array's memory holds its characters: PokeS fills the elements", () => {
    const isbn = cArray.Dim("", [12], 1);
    M.PokeS(M.ORV_Address(isbn), "9780596528126");
    assert.deepEqual(Array.from(isbn), "9780596528126".split(""));
    assert.equal(page.debug.filter((l) => l.startsWith("[ERROR]")).length, 0, "the zero beyond the last element is left out");
    const pairs = cArray.Dim("", [2], 2);
    M.PokeS(M.ORV_Address(pairs), "abcde");
    assert.deepEqual(Array.from(pairs), ["ab", "cd", "e"]);
    assert.equal(M.PeekS(M.ORV_Address(pairs) + 2), "bcde");
    M.PokeC(M.ORV_Address(pairs) + 4, 90);
    assert.equal(pairs[1], "Zd");
});

test("the data section: values laid out as PureBasic lays them out, labels, typed Read", () => {
    run(`cCommon.ORV_DataArray = [3, 5, "ab", "", 2, -1, 1.5, 7];
         cCommon.ORV_DataTypes = "iis s?ldb".replace(" ", "");`);
    const at = (i) => M.ORV_LabelAddress(i);
    assert.deepEqual([0, 1, 2, 3, 4, 5, 6, 7, 8].map((i) => at(i) - at(0)), [0, 8, 16, 22, 24, 32, 36, 44, 45]);
    assert.equal(M.PeekI(at(0) + 8), 5);
    assert.equal(M.PeekS(at(2)), "ab");
    assert.equal(M.PeekS(at(3)), "");
    assert.equal(M.PeekI(at(4)), at(2), "a ?label value holds the label's address");
    assert.equal(M.PeekD(at(6)), 1.5);
    cCommon.Restore(0);
    assert.equal(cCommon.Read("i"), 3);
    assert.equal(cCommon.Read("l"), 5, "Read.l over Data.i reads the lower half");
    assert.equal(cCommon.Read("l"), 0, "and then the upper half");
    assert.equal(cCommon.Read("s"), "ab");
    assert.equal(cCommon.Read("s"), "");
    assert.equal(cCommon.Read("i"), at(2));
    cCommon.Restore(5);
    assert.equal(cCommon.Read("l"), -1);
    assert.equal(cCommon.Read("d"), 1.5);
    assert.equal(cCommon.Read("b"), 7);
    assert.equal(cCommon.Read("b"), 0);
    assert.equal(lastError(), "[ERROR] Read data error: no more data.");
    cCommon.Restore(2);
    assert.equal(cCommon.Read(), "ab", "the older form reads the next value as written");
    // new data replaces the image
    run(`cCommon.ORV_DataArray = ["x"]; cCommon.ORV_DataTypes = "s";`);
    assert.equal(M.PeekS(M.ORV_LabelAddress(0)), "x");
});

test("null, freed and out-of-range addresses show the debugger's messages, never throw", () => {
    const before = page.debug.length;
    assert.equal(M.PeekI(0), 0);
    assert.equal(M.PeekS(0), "");
    M.PokeL(0, 1);
    const m = M.AllocateMemory(4);
    M.PokeL(m + 2, 1);
    assert.equal(M.PeekL(m + 4), 0);
    M.FreeMemory(m);
    assert.equal(M.PeekA(m), 0);
    M.FreeMemory(m);
    assert.equal(M.PeekI(12345), 0);
    assert.deepEqual(page.debug.slice(before), [
        "[ERROR] Pointer is null.",
        "[ERROR] Pointer is null.",
        "[ERROR] Pointer is null.",
        "[ERROR] *MemoryBuffer does not point to valid memory.",
        "[ERROR] *MemoryBuffer does not point to valid memory.",
        "[ERROR] *MemoryBuffer does not point to valid memory.",
        "[ERROR] *MemoryID does not point to valid memory.",
        "[ERROR] *MemoryBuffer does not point to valid memory.",
    ]);
    const r = M.AllocateMemory(4);
    M.PokeL(r, 99);
    const grown = M.ReAllocateMemory(r, 16);
    assert.equal(M.PeekL(grown), 99);
    assert.equal(M.PeekL(grown + 12), 0);
    assert.equal(M.MemorySize(grown), 16);
});

test("structures by address: fields by path on objects, by offset and type in raw memory", () => {
    run(`var Point = function () { return { x: 0, y: 0 }; }; Point.ORV_Size = 16;
         var Person = function () { return { name: "", age: 0, at: Point() }; }; Person.ORV_Size = 32;`);
    const w = page.window;
    const someone = w.Person();
    const p = M.ORV_Address(someone);
    assert.equal(p, M.ORV_Address(someone), "the same object keeps its address");
    M.ORV_Set(p, 0, 8, "name", "Ann");
    M.ORV_Set(p, 8, 1, "age", 300);
    M.ORV_Set(p, 24, 21, "at.y", 4);
    assert.deepEqual([someone.name, someone.age, someone.at.y], ["Ann", 44, 4]);
    assert.equal(M.ORV_Get(p, 16, 7, "at"), someone.at);
    assert.equal(M.ORV_Get(p, 0, 8, "name"), "Ann");

    const points = cArray.Dim(w.Point, [3]);
    points[2].y = 9;
    assert.equal(M.ORV_Get(M.ORV_Address(points) + 2 * 16, 8, 21, "y"), 9);

    const raw = M.AllocateStructure(w.Point);
    M.ORV_Set(raw, 8, 21, "y", -7);
    assert.equal(M.PeekI(raw + 8), -7, "a structure of numbers is raw memory");
    const withText = M.AllocateStructure(w.Person);
    M.ORV_Set(withText, 0, 8, "name", "Bo");
    assert.equal(M.ORV_Get(withText, 0, 8, "name"), "Bo");
    M.FreeStructure(withText);
    M.ORV_Get(withText, 0, 8, "name");
    assert.equal(lastError(), "[ERROR] The structure pointer does not point to valid memory.");

    // a string field in raw memory holds the address of its text; a fixed string field its characters
    const m = M.AllocateMemory(24);
    M.ORV_Set(m, 0, 8, "s", "hello");
    assert.equal(M.ORV_Get(m, 0, 8, "s"), "hello");
    assert.equal(M.PeekS(M.PeekI(m)), "hello");
    M.ORV_Set(m, 8, -2, "f", "xyz");
    assert.equal(M.ORV_Get(m, 8, -2, "f"), "xy");
    M.ORV_Get(0, 0, 21, "x");
    assert.equal(lastError(), "[ERROR] The structure pointer is NULL.");

    // CopyMemory between two structure objects copies the fields
    const other = w.Person();
    M.CopyMemory(p, M.ORV_Address(other), 32);
    assert.deepEqual([other.name, other.at.y], ["Ann", 4]);
    assert.notEqual(other.at, someone.at);
});

test("string snapshots: one address per unchanged text, writes change the copy only", () => {
    const text = "abc";
    const s = M.ORV_Address(text);
    assert.equal(M.ORV_Address("abc"), s);
    assert.equal(M.PeekC(s + 2), 98);
    assert.equal(M.ORV_Get(s, 4, 11, "c"), 99);
    assert.equal(M.PeekC(s + 6), 0);
    M.PokeC(s, 32);
    assert.equal(M.PeekS(s), " bc", "the program reads its change back through the address");
    assert.notEqual(M.ORV_Address("abc"), s, "a changed snapshot is not shared any more");
    assert.equal(M.PeekS(M.ORV_Address("abc")), "abc");
});

test("typed arrays go into JSON and come back, resized", () => {
    const { cJson: J, cArray: A, Int32Array: I32 } = page.window;
    J.CreateJSON(1);
    const a = A.Dim(I32, [2]);
    a.set([1, -2, 3]);
    J.InsertJSONArray(J.JSONValue(1), a);
    assert.equal(J.ComposeJSON(1), "[1,-2,3]");
    J.ParseJSON(2, "[4,5,6,7]");
    const back = J.ExtractJSONArray(J.JSONValue(2), a);
    assert.deepEqual(Array.from(back), [4, 5, 6, 7]);
    assert.equal(A.ArraySize(back), 3);
});

test("list and map element addresses reach the element: fields by path, a plain value by Peek and Poke", () => {
    const { cLinkedList, cMap } = page.window;
    const points = new cLinkedList(() => ({ x: 0, y: 0 }));
    points.AddElement();
    const address = points.AddElement();
    M.ORV_Set(address, 8, 21, "y", 5);
    assert.equal(M.ORV_Get(address, 8, 21, "y"), 5);
    assert.equal(points.GetContent().y, 5);
    points.FirstElement();
    assert.equal(points.GetContent().y, 0);

    const numbers = new cLinkedList(0);
    const at = numbers.AddElement();
    M.PokeI(at, 42);
    assert.equal(numbers.GetContent(), 42);
    assert.equal(M.PeekI(at), 42);
    assert.equal(M.ORV_Get(at, 0, 5, "l"), 42, "a pseudo-structure (*p.Long\\l) on a plain element");
    M.ORV_Set(at, 0, 1, "b", 300);
    assert.equal(numbers.GetContent(), 44, "stored as the field's type");

    const map = new cMap(0);
    const element = map.AddMapElement("k");
    M.PokeI(element, 7);
    assert.equal(map.getData("k"), 7);
});

test("structure assignment, CopyStructure and ClearStructure on objects and raw memory", () => {
    const { cPB, cLinkedList, Int32Array: I32 } = page.window;
    const Inner = () => ({ v: 0 });
    const Outer = () => ({ name: "", inner: Inner(), cells: new I32(3), items: new cLinkedList(0) });
    const a = Outer();
    const b = Outer();
    Object.assign(b, { name: "b" });
    b.inner.v = 4;
    b.cells.set([1, 2, 3]);
    b.items.AddElement();
    const innerBefore = a.inner;
    const cellsBefore = a.cells;
    cPB.AssignStructure(a, b);
    assert.equal(a.name, "b");
    assert.equal(a.inner, innerBefore, "a nested structure is filled in place: its address stays");
    assert.equal(a.inner.v, 4);
    assert.equal(a.cells, cellsBefore);
    assert.deepEqual(Array.from(a.cells), [1, 2, 3]);
    assert.notEqual(a.items, b.items, "a list is copied, not shared");
    assert.equal(a.items.ListSize(), 1);
    b.inner.v = 5;
    assert.equal(a.inner.v, 4);

    const c = Outer();
    cPB.StructureCopy(M.ORV_Address(b), M.ORV_Address(c), Outer);
    assert.equal(c.inner.v, 5);
    cPB.StructureReset(M.ORV_Address(c), Outer);
    assert.deepEqual([c.name, c.inner.v, c.items.ListSize(), Array.from(c.cells).join()], ["", 0, 0, "0,0,0"]);
    assert.equal(M.ORV_Object(M.ORV_Address(c)).inner, c.inner);

    const Point = () => ({ x: 0, y: 0 });
    Point.ORV_Size = 16;
    const p = M.AllocateStructure(Point);
    const q = M.AllocateStructure(Point);
    M.PokeI(p + 8, 77);
    cPB.StructureCopy(p, q, Point);
    assert.equal(M.PeekI(q + 8), 77);
    cPB.StructureReset(q, Point);
    assert.equal(M.PeekI(q + 8), 0);
    assert.equal(M.ORV_Object(q), null, "raw memory has no object");
});

test("?label values inside the Data values, written before the data exists, become real addresses", () => {
    const fresh = loadPage();
    // what an emitter writes for: Data.i 2, ?Values / Values: Data.i 7, 8
    fresh.run(`cCommon.ORV_DataArray = [2, cMemory.ORV_LabelAddress(2), 7, 8]; cCommon.ORV_DataTypes = "iiii";`);
    const { cCommon: C, cMemory: F } = fresh.window;
    const values = F.ORV_LabelAddress(2);
    assert.equal(C.Read(), 2);
    const address = C.Read();
    assert.equal(address, values);
    assert.equal(F.PeekI(address + 8), 8);
    C.Restore(0);
    C.Read("i");
    assert.equal(C.Read("i"), values, "the typed Read reads the laid-out address");
    assert.equal(F.PeekI(F.ORV_LabelAddress(1)), values);
});
