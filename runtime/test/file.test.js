// Files, preferences and the clipboard in the browser: what a program writes reads back (also
// on a new page of the same site), bad use shows the debugger's message and goes on, and a write
// the storage refuses leaves the previous content.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

// A new page of the same site: the browser's storage carried over, as after a reload.
function reload(page) {
    const next = loadPage();
    const from = page.window.localStorage;
    for (let i = 0; i < from.length; i++) next.window.localStorage.setItem(from.key(i), from.getItem(from.key(i)));
    return next;
}

function storedText(page, name) {
    return page.window.localStorage.getItem("orvane-file:" + name);
}

test("text in every format and line ending reads back line by line", () => {
    let page = loadPage();
    let F = page.window.cFile;
    assert.equal(F.CreateFile(0, "data\\lines.txt"), F.FileID(0));
    F.WriteStringN(0, "first");
    F.WriteString(0, "ünïcode €");
    F.WriteString(0, "\rcr\nlf\r\n");
    F.WriteString(0, "wide", 25);
    F.WriteString(0, "\0after-null\n", 25);
    F.WriteString(0, "latin é€", 24);
    F.CloseFile(0);
    assert.equal(F.IsFile(0), 0);

    page = reload(page);
    F = page.window.cFile;
    const number = F.ReadFile(-1, "data/lines.txt");
    return number.then((file) => {
        assert.ok(file > 0xffff, "#PB_Any gives a number of its own");
        assert.equal(F.ReadString(file), "first");
        assert.equal(F.ReadString(file), "ünïcode €");
        assert.equal(F.ReadString(file), "cr");
        assert.equal(F.ReadString(file), "lf");
        assert.equal(F.ReadString(file, 25), "wide");
        assert.equal(F.ReadString(file, 25), "after-null");
        assert.equal(F.Eof(file), 0);
        assert.equal(F.ReadString(file, 24), "latin é?");
        assert.equal(F.Eof(file), 1);
        assert.equal(F.Loc(file), F.Lof(file));
        F.FileSeek(file, 0);
        assert.equal(F.ReadString(file, 0x10000 | 2, 9), "first\r\nün", "IgnoreEOL reads to the length");
        F.FileSeek(file, -3, 1);
        assert.equal(F.ReadString(file, 2, 3), "ünï");
        assert.deepEqual(page.debug, []);
        assert.equal(F.WriteString(file, "x"), 0, "ReadFile gives a read-only file");
        assert.match(page.debug.pop(), /^\[ERROR\] WriteString\(\): the file was opened with ReadFile\(\)/);
        F.CloseFile(file);
    });
});

test("numbers, characters, byte order marks, seeking, truncating and appending", async () => {
    const page = loadPage();
    const F = page.window.cFile;
    F.OpenFile(3, "numbers.bin");
    F.WriteStringFormat(3, 2);
    F.WriteByte(3, -2);
    F.WriteAsciiCharacter(3, 250);
    F.WriteWord(3, -30000);
    F.WriteUnicodeCharacter(3, 60000);
    F.WriteLong(3, -123456789);
    F.WriteQuad(3, -9007199254740991);
    F.WriteInteger(3, 42);
    F.WriteFloat(3, 1.1);
    F.WriteDouble(3, Math.PI);
    F.WriteCharacter(3, 0x1f600);
    assert.equal(F.Lof(3), 3 + 1 + 1 + 2 + 2 + 4 + 8 + 8 + 4 + 8 + 4);
    F.FileSeek(3, 0);
    assert.equal(F.ReadStringFormat(3), 2);
    assert.deepEqual(
        [F.ReadByte(3), F.ReadAsciiCharacter(3), F.ReadWord(3), F.ReadUnicodeCharacter(3), F.ReadLong(3), F.ReadQuad(3), F.ReadInteger(3)],
        [-2, 250, -30000, 60000, -123456789, -9007199254740991, 42]
    );
    assert.equal(F.ReadFloat(3), Math.fround(1.1));
    assert.equal(F.ReadDouble(3), Math.PI);
    assert.equal(F.ReadCharacter(3), 0x1f600);
    assert.equal(F.ReadLong(3), 0, "past the end");
    assert.match(page.debug.pop(), /^\[ERROR\] ReadLong\(\): reading past the end of the file\.$/);
    F.FileSeek(3, 3);
    F.TruncateFile(3);
    F.CloseFile(3);
    assert.equal(F.FileSize("numbers.bin"), 3);

    F.OpenFile(4, "numbers.bin", 1 << 20);
    assert.equal(F.Loc(4), 3, "#PB_File_Append starts at the end");
    F.WriteString(4, "ab");
    F.CloseFile(4);
    const file = await F.ReadFile(5, "numbers.bin");
    assert.ok(file);
    assert.equal(F.ReadStringFormat(5), 2);
    assert.equal(F.ReadString(5), "ab");
    assert.equal(F.ReadString(5), "");
    assert.match(page.debug.pop(), /ReadString\(\): reading past the end/);
    F.FileSeek(5, 0);
    assert.equal(F.ReadStringFormat(5), 2);
    F.CloseFile(5);
});

test("missing files and numbers, deleting, sizes and the server folder beside the page", async () => {
    const page = loadPage();
    const F = page.window.cFile;
    const asked = [];
    page.window.fetch = (address) => {
        asked.push(address);
        const found = address === "data/on%20server.txt";
        return Promise.resolve({ ok: found, arrayBuffer: () => Promise.resolve(new TextEncoder().encode("from server\n").buffer) });
    };
    assert.equal(await F.ReadFile(1, "missing.txt"), 0);
    assert.equal(await F.ReadFile(1, "C:\\abs\\missing.txt"), 0);
    assert.deepEqual(asked, ["missing.txt"], "only relative names are asked of the server");
    assert.ok(await F.ReadFile(1, "data/on server.txt"));
    assert.equal(F.ReadString(1), "from server");
    F.CloseFile(1);
    assert.equal(F.ReadString(1), "");
    assert.equal(page.debug.pop(), "[ERROR] #File object not initialized.");
    assert.equal(F.Eof(77), 0);
    assert.equal(page.debug.pop(), "[ERROR] #File object not initialized.");

    assert.equal(F.FileSize("nothing"), -1);
    F.CreateFile(2, "gone.txt");
    assert.equal(F.FileSize("gone.txt"), 0, "a created file is there at once");
    F.CloseFile(2);
    assert.equal(F.DeleteFile("gone.txt"), 1);
    assert.equal(F.DeleteFile("gone.txt"), 0);
    assert.equal(F.FileSize("gone.txt"), -1);
});

test("a write the storage refuses leaves the previous content", () => {
    const page = loadPage();
    const F = page.window.cFile;
    F.CreateFile(0, "keep.txt");
    F.WriteString(0, "old content");
    F.CloseFile(0);
    const storage = page.window.Storage.prototype;
    const setItem = storage.setItem;
    storage.setItem = () => {
        throw new page.window.DOMException("full", "QuotaExceededError");
    };
    F.CreateFile(0, "keep.txt");
    F.WriteString(0, "new content that does not fit");
    F.CloseFile(0);
    assert.match(page.debug.pop(), /^\[ERROR\] CloseFile\(\): the browser's storage for this site is full or refused the file, 'keep.txt' keeps its previous content\.$/);
    assert.equal(storedText(page, "keep.txt"), "old content");
    assert.equal(F.CreateFile(1, "new.txt"), 0, "a new file cannot be made");
    assert.match(page.debug.pop(), /^\[ERROR\] CreateFile\(\)/);
    storage.setItem = setItem;
    assert.equal(F.FileSize("new.txt"), -1);
});

test("preferences: groups and keys written, kept for the next page, read and walked", () => {
    let page = loadPage();
    let P = page.window.cPreference;
    assert.equal(P.CreatePreferences("app.prefs", 2), 1);
    P.WritePreferenceString("Name", "Zoe");
    P.PreferenceGroup("Window");
    P.WritePreferenceLong("Width", 640);
    P.WritePreferenceFloat("Scale", 1.5);
    P.PreferenceComment("size in pixels");
    P.PreferenceGroup("Other");
    P.WritePreferenceDouble("Pi", 3.25);
    P.ClosePreferences();
    const stored = storedText(page, "app.prefs");
    assert.equal(
        Buffer.from(stored, "latin1").toString("utf8"),
        "\ufeffName = Zoe\r\n\r\n[Window]\r\nWidth = 640\r\nScale = 1.5\r\n; size in pixels\r\n\r\n[Other]\r\nPi = 3.25\r\n"
    );

    page = reload(page);
    P = page.window.cPreference;
    assert.equal(P.OpenPreferences("app.prefs"), 1);
    assert.equal(P.ReadPreferenceString("name", "?"), "Zoe", "keys are found whatever their case");
    assert.equal(P.ReadPreferenceLong("Width", 1), 1, "Width is in a group");
    assert.equal(P.PreferenceGroup("window"), 1);
    assert.equal(P.PreferenceGroupName(), "Window");
    assert.equal(P.ReadPreferenceLong("Width", 1), 640);
    assert.equal(P.ReadPreferenceFloat("Scale", 0), 1.5);
    assert.equal(P.ReadPreferenceDouble("Missing", 2.5), 2.5);
    P.WritePreferenceLong("Width", 800);
    P.WritePreferenceString("Title", "x = y");
    assert.equal(P.PreferenceGroup("Nowhere"), 0);
    assert.equal(P.ReadPreferenceString("Title", "none"), "none");

    const seen = [];
    P.ExaminePreferenceGroups();
    while (P.NextPreferenceGroup()) {
        const keys = [];
        P.ExaminePreferenceKeys();
        while (P.NextPreferenceKey()) keys.push(P.PreferenceKeyName() + "=" + P.PreferenceKeyValue());
        seen.push(P.PreferenceGroupName() + ": " + keys.join(", "));
    }
    assert.deepEqual(seen, ["Window: Width=800, Scale=1.5, Title=x = y", "Other: Pi=3.25"]);
    P.RemovePreferenceGroup("Other");
    P.PreferenceGroup("Window");
    P.RemovePreferenceKey("Scale");
    P.ClosePreferences();
    assert.equal(P.ReadPreferenceLong("Width", 7), 7, "closed: defaults");
    assert.match(Buffer.from(storedText(page, "app.prefs"), "latin1").toString("utf8"), /\[Window\]\r\nWidth = 800\r\n; size in pixels\r\nTitle = x = y\r\n$/);

    assert.equal(P.OpenPreferences("none.prefs"), 0);
    assert.equal(P.ReadPreferenceString("Name", "default"), "default");
    P.WritePreferenceString("Name", "lost");
    assert.match(page.debug.pop(), /^\[ERROR\] WritePreferenceString\(\): no preference file is open/);
    assert.equal(page.window.cFile.FileSize("none.prefs"), -1);
});

test("preferences the storage refuses keep the previous file", () => {
    const page = loadPage();
    const P = page.window.cPreference;
    P.CreatePreferences("keep.prefs", 4 | 1);
    P.WritePreferenceString("A", "1");
    P.ClosePreferences();
    assert.equal(storedText(page, "keep.prefs"), "A=1\r\n");
    page.window.Storage.prototype.setItem = () => {
        throw new Error("refused");
    };
    P.OpenPreferences("keep.prefs");
    P.WritePreferenceString("A", "2");
    assert.equal(P.FlushPreferenceBuffers(), 0);
    P.ClosePreferences();
    assert.match(page.debug.pop(), /^\[ERROR\] ClosePreferences\(\): .*'keep.prefs' keeps its previous content/);
    assert.equal(storedText(page, "keep.prefs"), "A=1\r\n");
});

test("clipboard: through the browser's clipboard, and the page's own copy where it refuses", async () => {
    const page = loadPage();
    const C = page.window.cClipboard;
    let clipboard = "";
    Object.defineProperty(page.window.navigator, "clipboard", {
        configurable: true,
        value: {
            writeText: (text) => ((clipboard = text), Promise.resolve()),
            readText: () => Promise.resolve("from the system"),
        },
    });
    C.SetClipboardText("copied");
    assert.equal(clipboard, "copied");
    assert.equal(await C.GetClipboardText(), "from the system");
    C.ClearClipboard();
    assert.equal(clipboard, "");
    assert.deepEqual(page.debug, []);

    const refused = () => Promise.reject(new Error("Document is not focused."));
    Object.defineProperty(page.window.navigator, "clipboard", { configurable: true, value: { writeText: refused, readText: refused } });
    page.window.document.execCommand = () => false;
    C.SetClipboardText("kept here");
    await new Promise((resolve) => setTimeout(resolve, 0));
    assert.equal(page.debug.pop(), "[ERROR] SetClipboardText(): the browser refused access to the clipboard (Document is not focused.); the text is kept for this page only.");
    assert.equal(await C.GetClipboardText(), "kept here");
    assert.match(page.debug.pop(), /^\[ERROR\] GetClipboardText\(\): the browser refused access/);
});

test("ReadData and WriteData between files and memory blocks", () => {
    const page = loadPage();
    const { cFile: F, cMemory: M } = page.window;
    const block = M.AllocateMemory(8);
    for (let i = 0; i < 8; i++) M.PokeA(block + i, 250 + i);
    F.CreateFile(0, "data.bin");
    assert.equal(F.WriteData(0, block + 2, 6), 6);
    F.CloseFile(0);
    assert.equal(F.FileSize("data.bin"), 6);
    F.OpenFile(1, "data.bin");
    const target = M.AllocateMemory(10);
    assert.equal(F.ReadData(1, target, 10), 6, "as many bytes as the file has");
    assert.deepEqual([0, 1, 5, 6].map((i) => M.PeekA(target + i)), [252, 253, 1, 0]);
    assert.equal(F.Eof(1), 1);
    F.FileSeek(1, 0);
    assert.equal(F.ReadData(1, block + 4, 6), 0, "beyond the end of the block");
    assert.match(page.debug.pop(), /does not point to valid memory/);
    F.CloseFile(1);
});
