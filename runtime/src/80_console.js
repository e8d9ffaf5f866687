// Debug output, the console shown in the page and the clock.

var cDebugger = (global.cDebugger = {
    ORV_Enabled: true,

    // One line per call in the page's debug area and in the browser's console. The debug level
    // argument is accepted; every line is shown. Floats and doubles come as the text of
    // cPB.DebugF/DebugD.
    Debug: function (value) {
        if (!cDebugger.ORV_Enabled) return;
        cDebugger.ORV_Write(orvText(value));
    },
    EnableDebugger: function () {
        cDebugger.ORV_Enabled = true;
    },
    DisableDebugger: function () {
        cDebugger.ORV_Enabled = false;
    },
    // kind: undefined for a Debug line, "error" for an error line (red), "end" for the exit code.
    ORV_Write: function (line, kind) {
        if (typeof document !== "undefined") {
            var row = document.createElement("div");
            row.textContent = line;
            if (kind === "error") {
                row.className = "orvane-error";
                row.style.color = "#cf222e";
                row.style.fontWeight = "bold";
            } else if (kind === "end") {
                row.className = "orvane-end";
                row.style.color = "#57606a";
            }
            orvArea("orvane-debug", "div").appendChild(row);
        }
        if (kind !== "error") console.log(line);
    },
});

// The console's 16 colours (ConsoleColor), as the desktop console shows them. 7 on 0 is the
// console area's own look.
var orvConsolePalette = ["#000000", "#000080", "#008000", "#008080", "#800000", "#800080", "#808000", "#c0c0c0", "#808080", "#0000ff", "#00ff00", "#00ffff", "#ff0000", "#ff00ff", "#ffff00", "#ffffff"];

// The graphical console (EnableGraphicalConsole(1)) is a grid of 80 x 25 cells with a cursor;
// text goes where the cursor is and the grid scrolls up past its last row.
var orvGridWidth = 80;
var orvGridHeight = 25;

function orvConsoleArea() {
    var area = orvArea("orvane-console", "pre");
    if (area.tagName !== "PRE" && !area.style.whiteSpace) area.style.whiteSpace = "pre-wrap";
    return area;
}

function orvColorStyle(element, foreground, background) {
    if (foreground !== 7) element.style.color = orvConsolePalette[foreground];
    if (background !== 0) element.style.backgroundColor = orvConsolePalette[background];
}

function orvBlankRow() {
    var row = [];
    for (var i = 0; i < orvGridWidth; i++) row.push({ c: " ", f: 7, b: cConsole.ORV_Background });
    return row;
}

function orvGridWrite(text) {
    var grid = cConsole.ORV_Grid;
    for (var i = 0; i < text.length; i++) {
        var c = text.charAt(i);
        if (c === "\n" || c === "\r") {
            if (c === "\n") cConsole.ORV_Y++;
            cConsole.ORV_X = 0;
        } else {
            if (cConsole.ORV_X >= orvGridWidth) {
                cConsole.ORV_X = 0;
                cConsole.ORV_Y++;
            }
            orvGridScroll();
            grid[cConsole.ORV_Y][cConsole.ORV_X] = { c: c, f: cConsole.ORV_Foreground, b: cConsole.ORV_Background };
            cConsole.ORV_Dirty[cConsole.ORV_Y] = true;
            cConsole.ORV_X++;
        }
        orvGridScroll();
    }
    orvGridRender();
}

function orvGridScroll() {
    var grid = cConsole.ORV_Grid;
    while (cConsole.ORV_Y >= orvGridHeight) {
        grid.shift();
        grid.push(orvBlankRow());
        cConsole.ORV_Y--;
        for (var i = 0; i < orvGridHeight; i++) cConsole.ORV_Dirty[i] = true;
    }
}

// One element per row; only the rows that changed are built again. A waiting Input line sits in
// the cursor's row, at the cursor.
function orvGridRender() {
    if (typeof document === "undefined") return;
    var area = orvConsoleArea();
    var rows = cConsole.ORV_GridRows;
    var input = cConsole.ORV_InputLine;
    if (rows.length === 0 || rows[0].parentNode !== area) {
        area.textContent = "";
        rows.length = 0;
        for (var r = 0; r < orvGridHeight; r++) {
            var line = document.createElement("span");
            line.className = "orvane-console-row";
            area.appendChild(line);
            if (r + 1 < orvGridHeight) area.appendChild(document.createTextNode("\n"));
            rows.push(line);
            cConsole.ORV_Dirty[r] = true;
        }
    }
    if (input) cConsole.ORV_Dirty[cConsole.ORV_Y] = true;
    for (var y = 0; y < orvGridHeight; y++) {
        if (!cConsole.ORV_Dirty[y]) continue;
        cConsole.ORV_Dirty[y] = false;
        var fresh = document.createElement("span");
        fresh.className = "orvane-console-row";
        var cells = cConsole.ORV_Grid[y];
        var stop = input && y === cConsole.ORV_Y ? cConsole.ORV_X : -1;
        for (var x = 0; x < cells.length; ) {
            if (x === stop) fresh.appendChild(input);
            var run = "";
            var f = cells[x].f;
            var b = cells[x].b;
            while (x < cells.length && cells[x].f === f && cells[x].b === b) {
                run += cells[x++].c;
                if (x === stop) break;
            }
            if (f === 7 && b === 0) {
                fresh.appendChild(document.createTextNode(run));
            } else {
                var span = document.createElement("span");
                span.textContent = run;
                orvColorStyle(span, f, b);
                fresh.appendChild(span);
            }
        }
        if (stop >= cells.length) fresh.appendChild(input);
        area.replaceChild(fresh, rows[y]);
        rows[y] = fresh;
    }
}

function orvGridClear() {
    cConsole.ORV_Grid = [];
    cConsole.ORV_Dirty = [];
    for (var y = 0; y < orvGridHeight; y++) {
        cConsole.ORV_Grid.push(orvBlankRow());
        cConsole.ORV_Dirty.push(true);
    }
    cConsole.ORV_X = 0;
    cConsole.ORV_Y = 0;
}

// Keys typed while no Input line waits, for Inkey: the character ("" for a key without one) and
// the raw key code.
var orvKeyQueue = [];
var orvKeyListening = false;

function orvListenForKeys() {
    if (orvKeyListening || typeof document === "undefined") return;
    orvKeyListening = true;
    document.addEventListener("keydown", function (event) {
        var target = event.target;
        if (target && target !== document.body && target !== document.documentElement && target.id !== "orvane-console") {
            var tag = target.tagName;
            if (tag === "INPUT" || tag === "TEXTAREA" || tag === "SELECT" || target.isContentEditable) return;
        }
        var key = orvKeyOf(event);
        if (!key) return;
        if (orvKeyQueue.length < 256) orvKeyQueue.push(key);
    });
}

var orvSpecialKeyCodes = { Enter: 13, Escape: 27, Tab: 9, Backspace: 8 };

function orvKeyOf(event) {
    var name = event.key;
    if (name === "Shift" || name === "Control" || name === "Alt" || name === "Meta" || name === "CapsLock") return null;
    if (orvSpecialKeyCodes[name] !== undefined) {
        var code = orvSpecialKeyCodes[name];
        return { text: String.fromCharCode(code), raw: code };
    }
    if (name && Array.from(name).length === 1) {
        if (event.ctrlKey && /^[a-z]$/i.test(name)) {
            var control = name.toUpperCase().charCodeAt(0) - 64;
            return { text: String.fromCharCode(control), raw: control };
        }
        return { text: name, raw: name.codePointAt(0) };
    }
    return { text: "", raw: event.keyCode || event.which || 0 };
}

// The console's input line: a text field at the end of the console text that a terminal's echo
// would show. Enter ends it; the typed text stays in the console followed by a line break.
function orvReadLine() {
    if (cCommon.ORV_Ended || typeof document === "undefined") return new Promise(function () {});
    var area = orvConsoleArea();
    var line = document.createElement("input");
    line.type = "text";
    line.className = "orvane-input";
    line.setAttribute("aria-label", "Console input");
    line.setAttribute("autocomplete", "off");
    line.setAttribute("spellcheck", "false");
    line.size = 1;
    var style = line.style;
    style.border = "0";
    style.outline = "0";
    style.padding = "0";
    style.margin = "0";
    style.background = "transparent";
    style.color = "inherit";
    style.font = "inherit";
    style.caretColor = "currentColor";
    return new Promise(function (resolve) {
        cConsole.ORV_InputLine = line;
        cConsole.ORV_InputDone = resolve;
        line.addEventListener("input", function () {
            line.size = Math.max(line.value.length + 1, 1);
        });
        line.addEventListener("keydown", function (event) {
            if (event.key === "Tab" || event.key === "Escape") {
                // a console types the tab and clears the line on Escape, it does not leave it
                event.preventDefault();
                if (event.key === "Escape") line.value = "";
                else if (line.maxLength < 0 || line.value.length < line.maxLength) line.setRangeText("\t", line.selectionStart, line.selectionEnd, "end");
                line.size = Math.max(line.value.length + 1, 1);
                return;
            }
            var eof = (event.key === "d" || event.key === "z") && event.ctrlKey && line.value === "";
            if (event.key !== "Enter" && !eof) return;
            event.preventDefault();
            orvFinishLine(eof ? "\x04" : line.value);
        });
        if (cConsole.ORV_Graphical) {
            // no more keys than the console's width holds
            line.maxLength = Math.max(orvGridWidth - cConsole.ORV_X, 1);
            orvGridRender();
        } else {
            area.appendChild(line);
        }
        if (typeof line.focus === "function") {
            try {
                line.focus({ preventScroll: false });
            } catch (error) {
                line.focus();
            }
        }
        if (typeof line.scrollIntoView === "function") line.scrollIntoView({ block: "nearest" });
    });
}

function orvFinishLine(text) {
    var line = cConsole.ORV_InputLine;
    var resolve = cConsole.ORV_InputDone;
    if (!line) return;
    cConsole.ORV_InputLine = null;
    cConsole.ORV_InputDone = null;
    if (line.parentNode) line.parentNode.removeChild(line);
    if (cConsole.ORV_Graphical) cConsole.ORV_Dirty[cConsole.ORV_Y] = true;
    cConsole.ORV_Write((text === "\x04" ? "" : text) + "\n");
    if (resolve) resolve(text);
}

// The older emitted form calls Input() without await and uses its result as a text at once: the
// answer then comes from the browser's prompt, as it did before. Kept until that form is gone.
function orvPendingLine(promise) {
    var answered = null;
    promise.then(function (text) {
        if (answered === null) answered = text;
    });
    promise[Symbol.toPrimitive] = function () {
        if (answered === null) {
            var typed = typeof window !== "undefined" && window.prompt ? window.prompt("") : null;
            answered = typed === null || typed === undefined ? "" : String(typed);
            orvFinishLine(answered);
        }
        return answered;
    };
    promise.toString = promise[Symbol.toPrimitive];
    return promise;
}

var cConsole = (global.cConsole = {
    ORV_Open: false,
    ORV_Foreground: 7,
    ORV_Background: 0,
    ORV_Graphical: false,
    ORV_Grid: null,
    ORV_GridRows: [],
    ORV_Dirty: [],
    ORV_X: 0,
    ORV_Y: 0,
    ORV_InputLine: null,
    ORV_InputDone: null,
    ORV_RawKey: 0,

    // The title becomes the page's title. The mode (#PB_UTF8, #PB_Ascii, #PB_Unicode) only
    // changes how bytes reach a real terminal; the page shows text.
    OpenConsole: function (title, mode) {
        cConsole.ORV_Open = true;
        if (title !== undefined && orvText(title) !== "" && typeof document !== "undefined") document.title = orvText(title);
        if (typeof document !== "undefined") orvConsoleArea();
        orvListenForKeys();
        return 1;
    },
    CloseConsole: function () {
        cConsole.ORV_Open = false;
    },
    ConsoleTitle: function (title) {
        if (typeof document !== "undefined") document.title = orvText(title);
    },
    Print: function (text) {
        cConsole.ORV_Write(orvText(text));
        return 1;
    },
    PrintN: function (text) {
        cConsole.ORV_Write(orvText(text) + "\n");
        return 1;
    },
    // Standard error: shown in the console, red, with its line break.
    ConsoleError: function (text) {
        cConsole.ORV_Write(orvText(text) + "\n", "error");
    },
    // A Promise of the line typed into the console area (await it). #PB_Input_Eof (Chr(4)) for
    // Ctrl+D or Ctrl+Z on an empty line.
    Input: function () {
        return orvPendingLine(orvReadLine());
    },
    // A Promise, after one turn of the browser's event loop, of the key typed since the last call:
    // its character, or "" when none was typed or the key has none (RawKey tells which).
    Inkey: function () {
        orvListenForKeys();
        return new Promise(function (resolve) {
            setTimeout(function () {
                var key = orvKeyQueue.shift();
                cConsole.ORV_RawKey = key ? key.raw : 0;
                resolve(key ? key.text : "");
            }, 0);
        });
    },
    RawKey: function () {
        return cConsole.ORV_RawKey;
    },
    ClearConsole: function () {
        if (cConsole.ORV_Graphical) {
            orvGridClear();
            orvGridRender();
            return;
        }
        if (typeof document === "undefined") return;
        var area = orvConsoleArea();
        var line = cConsole.ORV_InputLine;
        area.textContent = "";
        if (line) area.appendChild(line);
    },
    // Colours 0 to 15 for the text and its background; -1 keeps one as it is.
    ConsoleColor: function (foreground, background) {
        foreground = orvInt(foreground);
        background = orvInt(background);
        if (foreground >= 0) cConsole.ORV_Foreground = foreground & 15;
        if (background >= 0) cConsole.ORV_Background = background & 15;
    },
    ConsoleLocate: function (x, y) {
        if (!cConsole.ORV_Graphical) return;
        cConsole.ORV_X = Math.min(Math.max(orvInt(x), 0), orvGridWidth - 1);
        cConsole.ORV_Y = Math.min(Math.max(orvInt(y), 0), orvGridHeight - 1);
        if (cConsole.ORV_InputLine) orvGridRender();
    },
    ConsoleCursor: function (height) {
        if (typeof document === "undefined") return;
        var line = cConsole.ORV_InputLine;
        if (line) line.style.caretColor = orvInt(height) === 0 ? "transparent" : "currentColor";
        cConsole.ORV_CursorHeight = orvInt(height);
    },
    ORV_CursorHeight: 1,
    // Graphical mode draws into a grid of 80 x 25 cells; text mode appends.
    EnableGraphicalConsole: function (state) {
        var graphical = orvInt(state) !== 0;
        if (graphical === cConsole.ORV_Graphical) return;
        cConsole.ORV_Graphical = graphical;
        if (graphical) {
            orvGridClear();
            cConsole.ORV_GridRows = [];
            orvGridRender();
        }
    },
    // Raw bytes to the console: shown as UTF-8 text.
    WriteConsoleData: function (address, size) {
        size = orvInt(size);
        if (size <= 0 || !orvLocate(address, size, "*Buffer")) return 0;
        cConsole.ORV_Write(orvUtf8Decode(orvReadBytes(size), -1));
        return size;
    },

    ORV_Write: function (text, kind) {
        if (cConsole.ORV_Graphical) {
            // standard error goes where the cursor is, as in a console window, in bright red
            var foreground = cConsole.ORV_Foreground;
            if (kind === "error") cConsole.ORV_Foreground = 12;
            orvGridWrite(text);
            cConsole.ORV_Foreground = foreground;
            return;
        }
        if (typeof document === "undefined") return;
        var area = orvConsoleArea();
        var node;
        var foreground = kind === "error" ? 12 : cConsole.ORV_Foreground;
        if (foreground === 7 && cConsole.ORV_Background === 0) {
            node = document.createTextNode(text);
        } else {
            node = document.createElement("span");
            node.textContent = text;
            orvColorStyle(node, foreground, cConsole.ORV_Background);
        }
        var line = cConsole.ORV_InputLine;
        if (line && line.parentNode === area) area.insertBefore(node, line);
        else area.appendChild(node);
    },

    // End: a waiting Input line goes; its promise never resolves.
    ORV_StopInput: function () {
        var line = cConsole.ORV_InputLine;
        cConsole.ORV_InputLine = null;
        cConsole.ORV_InputDone = null;
        if (line && line.parentNode) line.parentNode.removeChild(line);
    },
});

var orvClockStart = typeof performance !== "undefined" ? performance.now() : globalThis.Date.now();

var cMisc = (global.cMisc = {
    ElapsedMilliseconds: function () {
        var now = typeof performance !== "undefined" ? performance.now() : globalThis.Date.now();
        return Math.floor(now - orvClockStart);
    },
    // A Promise resolved after the given milliseconds (await it); after End it never resolves.
    Delay: function (milliseconds) {
        // The browser's timers fire at once for anything beyond 2^31 - 1 ms.
        var wait = Math.min(Math.max(orvInt(milliseconds), 0), 2147483647);
        return new Promise(function (resolve) {
            setTimeout(function () {
                if (!cCommon.ORV_Ended) resolve();
            }, wait);
        });
    },
});
