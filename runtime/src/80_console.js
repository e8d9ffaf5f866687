// Debug output, the console shown in the page, the requesters and the clock.

var cDebugger = (global.cDebugger = {
    ORV_Enabled: true,

    // One line per call in the page's debug area and in the browser's console. The debug level
    // argument is accepted; every line is shown.
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
    ORV_Write: function (line) {
        if (typeof document !== "undefined") {
            var row = document.createElement("div");
            row.textContent = line;
            orvArea("orvane-debug", "div").appendChild(row);
        }
        console.log(line);
    },
});

var cConsole = (global.cConsole = {
    ORV_Open: false,

    OpenConsole: function (title) {
        cConsole.ORV_Open = true;
        if (title !== undefined && typeof document !== "undefined") document.title = orvText(title);
        orvArea("orvane-console", "pre");
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
    // The browser's prompt stands in for the keyboard; the typed line is echoed as a terminal would.
    Input: function () {
        var answer = typeof window !== "undefined" && window.prompt ? window.prompt("") : null;
        answer = answer === null || answer === undefined ? "" : String(answer);
        cConsole.ORV_Write(answer + "\n");
        return answer;
    },
    ClearConsole: function () {
        if (typeof document !== "undefined") orvArea("orvane-console", "pre").textContent = "";
    },
    ORV_Write: function (text) {
        if (typeof document === "undefined") return;
        var area = orvArea("orvane-console", "pre");
        if (area.tagName !== "PRE" && !area.style.whiteSpace) area.style.whiteSpace = "pre-wrap";
        area.appendChild(document.createTextNode(text));
    },
});

// Flags: #PB_MessageRequester_Ok 0, #PB_MessageRequester_YesNo 4, #PB_MessageRequester_YesNoCancel 3.
// Results: 1 for Ok, #PB_MessageRequester_Yes 6, #PB_MessageRequester_No 7,
// #PB_MessageRequester_Cancel 2. The browser offers only two buttons, so "Cancel" of a
// Yes/No/Cancel question answers Cancel and "Cancel" of a Yes/No question answers No.
var cRequester = (global.cRequester = {
    MessageRequester: function (title, text, flags) {
        var message = (orvText(title) ? orvText(title) + "\n\n" : "") + orvText(text);
        var buttons = orvInt(flags) & 7;
        if (buttons === 4 || buttons === 3) {
            if (window.confirm(message)) return 6;
            return buttons === 3 ? 2 : 7;
        }
        window.alert(message);
        return 1;
    },
    // The text typed, or "" when the user cancels.
    InputRequester: function (title, message, defaultText) {
        var text = (orvText(title) ? orvText(title) + "\n\n" : "") + orvText(message);
        var answer = window.prompt(text, orvText(defaultText));
        return answer === null || answer === undefined ? "" : String(answer);
    },
});

var orvClockStart = typeof performance !== "undefined" ? performance.now() : globalThis.Date.now();

var cMisc = (global.cMisc = {
    ElapsedMilliseconds: function () {
        var now = typeof performance !== "undefined" ? performance.now() : globalThis.Date.now();
        return Math.floor(now - orvClockStart);
    },
});
