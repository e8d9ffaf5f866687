// Requesters: themed, modal jQuery UI dialogs (plain page elements where the page has no jQuery
// UI, as on jQuery Mobile pages). Each function returns a Promise that the converter awaits, so
// the page stays alive while the user answers and the program goes on with the answer.

var ORV_MESSAGE_YES_NO_CANCEL = 3;
var ORV_MESSAGE_YES_NO = 4;
var ORV_MESSAGE_ERROR = 0x10;
var ORV_MESSAGE_WARNING = 0x30;
var ORV_MESSAGE_INFO = 0x40;
var ORV_RESULT_OK = 1;
var ORV_RESULT_CANCEL = 2;
var ORV_RESULT_YES = 6;
var ORV_RESULT_NO = 7;
var ORV_INPUT_PASSWORD = 1;
var ORV_REQUESTER_MULTISELECTION = 1;
var ORV_FONT_REQUESTER_EFFECTS = 256;

// Icons of the message requester, drawn in the page so that they need no picture files.
var orvRequesterIcons = {
    info: '<circle cx="16" cy="16" r="15" fill="#1e6fd0"/><rect x="14" y="13" width="4" height="12" rx="1" fill="#fff"/><circle cx="16" cy="8.5" r="2.4" fill="#fff"/>',
    warning:
        '<path d="M16 2 L31 29 L1 29 Z" fill="#f2b705" stroke="#b88700" stroke-width="1.2" stroke-linejoin="round"/><rect x="14.2" y="10" width="3.6" height="11" rx="1" fill="#222"/><circle cx="16" cy="25" r="2.1" fill="#222"/>',
    error: '<circle cx="16" cy="16" r="15" fill="#d13438"/><path d="M10.5 10.5 L21.5 21.5 M21.5 10.5 L10.5 21.5" stroke="#fff" stroke-width="3.4" stroke-linecap="round"/>',
};

function orvRequesterElement(tag, className, text) {
    var element = document.createElement(tag);
    if (className) element.className = className;
    if (text !== undefined) element.textContent = text;
    return element;
}

function orvHasDialogs() {
    return typeof jQuery !== "undefined" && jQuery.fn && typeof jQuery.fn.dialog === "function";
}

// The element of the window a requester belongs to (its ParentID), when the page knows it.
function orvRequesterParent(parentId) {
    if (parentId === undefined || typeof orvObjectOfHandle !== "function") return null;
    var win = orvObjectOfHandle(parentId);
    return win ? win.frame || win.element || null : null;
}

// Opens one requester and resolves with its answer. spec:
//   title, kind ("message", "input", ...: the data-requester attribute tests and styles use),
//   body (element), buttons [{ text, result }] (the first is the default),
//   cancel: the result of Escape and of the title bar's close button (undefined: the user
//   must press a button, as a Yes/No message box on the desktop),
//   focus: the element to focus instead of the default button,
//   answer(result): turns the button's result into the function's value,
//   parent: the ParentID argument.
// spec.finish is set to a function that closes the requester with a result (an Enter key in a
// field, a file chosen ...).
function orvOpenRequester(spec) {
    return new Promise(function (resolve) {
        var box = orvRequesterElement("div", "orvane-requester");
        box.setAttribute("data-requester", spec.kind);
        box.appendChild(spec.body);
        var done = false;
        var close = function () {};
        var finish = function (result) {
            if (done) return;
            done = true;
            var value;
            try {
                value = spec.answer ? spec.answer(result) : result;
            } finally {
                close();
            }
            resolve(value);
        };
        spec.finish = finish;
        // Closes the requester with a value that did not come from its buttons.
        spec.settle = function (value) {
            if (done) return;
            done = true;
            close();
            resolve(value);
        };
        var parent = orvRequesterParent(spec.parent);
        if (orvHasDialogs()) {
            var $box = jQuery(box);
            $box.dialog({
                title: orvText(spec.title),
                modal: true,
                resizable: false,
                width: "auto",
                minWidth: 280,
                closeOnEscape: spec.cancel !== undefined,
                classes: { "ui-dialog": "orvane-requester-dialog" },
                position: { my: "center", at: "center", of: parent || window },
                buttons: spec.buttons.map(function (button) {
                    return {
                        text: button.text,
                        "data-result": String(button.result),
                        click: function () {
                            finish(button.result);
                        },
                    };
                }),
                close: function () {
                    if (spec.cancel !== undefined) finish(spec.cancel);
                },
            });
            var frame = $box.dialog("widget");
            if (spec.cancel === undefined) frame.find(".ui-dialog-titlebar-close").hide();
            close = function () {
                $box.dialog("destroy");
                $box.remove();
            };
            (spec.focus || frame.find(".ui-dialog-buttonpane button")[0] || box).focus();
            return;
        }
        close = orvOpenPlainRequester(spec, box, finish);
    });
}

// The same requester without jQuery UI: a page-wide overlay with a framed box in its middle.
function orvOpenPlainRequester(spec, box, finish) {
    var overlay = orvRequesterElement("div", "orvane-requester-overlay");
    overlay.style.cssText =
        "position:fixed;left:0;top:0;right:0;bottom:0;z-index:10000;display:flex;align-items:center;justify-content:center;background:rgba(0,0,0,0.35)";
    var frame = orvRequesterElement("div", "orvane-requester-frame");
    frame.setAttribute("role", "dialog");
    frame.style.cssText =
        "background:#fff;color:#222;border:1px solid #888;border-radius:4px;min-width:280px;max-width:90vw;box-shadow:0 4px 18px rgba(0,0,0,0.3);font:13px sans-serif";
    var title = orvRequesterElement("div", "orvane-requester-title", orvText(spec.title));
    title.style.cssText = "font-weight:bold;padding:6px 10px;border-bottom:1px solid #ccc;background:#eee";
    box.style.padding = "12px";
    var row = orvRequesterElement("div", "orvane-requester-buttons");
    row.style.cssText = "text-align:right;padding:8px 10px;border-top:1px solid #ddd";
    spec.buttons.forEach(function (button) {
        var element = orvRequesterElement("button", "", button.text);
        element.type = "button";
        element.setAttribute("data-result", String(button.result));
        element.style.marginLeft = "6px";
        element.addEventListener("click", function () {
            finish(button.result);
        });
        row.appendChild(element);
    });
    frame.appendChild(title);
    frame.appendChild(box);
    frame.appendChild(row);
    overlay.appendChild(frame);
    overlay.addEventListener("keydown", function (event) {
        if (event.key === "Escape" && spec.cancel !== undefined) finish(spec.cancel);
    });
    document.body.appendChild(overlay);
    (spec.focus || row.firstChild).focus();
    return function () {
        overlay.remove();
    };
}

function orvMessageBody(text, icon) {
    var body = orvRequesterElement("div", "orvane-requester-message");
    if (icon) {
        var picture = orvRequesterElement("span", "orvane-requester-icon orvane-requester-icon-" + icon);
        picture.innerHTML = '<svg width="32" height="32" viewBox="0 0 32 32" aria-hidden="true">' + orvRequesterIcons[icon] + "</svg>";
        body.appendChild(picture);
    }
    body.appendChild(orvRequesterElement("div", "orvane-requester-text", orvText(text)));
    return body;
}

// A text field that answers its requester with Enter.
function orvRequesterField(spec, type, value) {
    var field = orvRequesterElement("input", "orvane-requester-field ui-widget ui-widget-content ui-corner-all");
    field.type = type;
    field.value = value;
    field.addEventListener("keydown", function (event) {
        if (event.key === "Enter") {
            event.preventDefault();
            spec.finish(ORV_RESULT_OK);
        }
    });
    return field;
}

// "Text | *.txt;*.doc | All | *.*" and the pattern position: the accept attribute of the
// browser's file chooser (".txt,.doc"), empty where every file is allowed.
function orvAcceptOfPattern(pattern, position) {
    var parts = orvText(pattern).split("|");
    var index = 2 * Math.max(0, orvInt(position)) + 1;
    if (index >= parts.length) index = 1;
    var accept = [];
    var masks = (parts[index] || "").split(";");
    for (var i = 0; i < masks.length; i++) {
        var mask = masks[i].trim();
        var match = /^\*(\.[^*?.]+)$/.exec(mask);
        if (match) accept.push(match[1]);
        else if (mask) return "";
    }
    return accept.join(",");
}

// The browser opens its file chooser only in answer to a user's click or key. A program that
// asks for a file right after one (a menu item, a button) gets the chooser at once; otherwise a
// requester with a button to open it comes first.
function orvChooseFiles(spec, input) {
    input.style.display = "none";
    var activation = typeof navigator !== "undefined" && navigator.userActivation;
    if (activation && activation.isActive) {
        document.body.appendChild(input);
        return new Promise(function (resolve) {
            var answer = function (files) {
                input.remove();
                resolve(files);
            };
            input.addEventListener("change", function () {
                answer(Array.from(input.files || []));
            });
            input.addEventListener("cancel", function () {
                answer([]);
            });
            input.click();
        });
    }
    var body = orvRequesterElement("div", "orvane-requester-files");
    body.appendChild(orvRequesterElement("div", "orvane-requester-text", spec.prompt));
    var choose = orvRequesterElement("button", "orvane-requester-choose ui-button ui-widget ui-corner-all", spec.chooseText);
    choose.type = "button";
    choose.addEventListener("click", function () {
        input.click();
    });
    body.appendChild(choose);
    body.appendChild(input);
    var files = [];
    input.addEventListener("change", function () {
        if (input.files && input.files.length) {
            files = Array.from(input.files);
            spec.finish(ORV_RESULT_OK);
        }
    });
    spec.body = body;
    spec.focus = choose;
    spec.buttons = [{ text: "Cancel", result: ORV_RESULT_CANCEL }];
    spec.cancel = ORV_RESULT_CANCEL;
    return orvOpenRequester(spec).then(function () {
        return files;
    });
}

// Fonts offered by the font requester: those of the list the browser has, and the generic ones.
var orvFontCandidates = [
    "Arial", "Arial Black", "Calibri", "Cambria", "Comic Sans MS", "Consolas", "Courier New", "DejaVu Sans",
    "DejaVu Sans Mono", "DejaVu Serif", "Georgia", "Helvetica", "Impact", "Liberation Mono", "Liberation Sans",
    "Liberation Serif", "Lucida Console", "Microsoft Sans Serif", "Noto Sans", "Segoe UI", "Tahoma",
    "Times New Roman", "Trebuchet MS", "Verdana",
];
var orvAvailableFonts = null;

// A font is there when text set in it is wider or narrower than in both fallbacks.
function orvFontsOfBrowser() {
    if (orvAvailableFonts) return orvAvailableFonts;
    var context = null;
    try {
        context = document.createElement("canvas").getContext("2d");
    } catch (error) {
        context = null;
    }
    var sample = "mmmmmmmmmmlliWWQ@#";
    var width = function (font) {
        context.font = "48px " + font;
        return context.measureText(sample).width;
    };
    var found = orvFontCandidates.filter(function (name) {
        if (!context) return true;
        return ["monospace", "serif"].some(function (generic) {
            return width('"' + name + '", ' + generic) !== width(generic);
        });
    });
    orvAvailableFonts = found.concat(["serif", "sans-serif", "monospace"]);
    return orvAvailableFonts;
}

// A colour as PureBasic holds it (red in the low byte) and as CSS writes it.
function orvColorToHex(color) {
    color = orvInt(color);
    var rgb = ((color & 0xff) << 16) | (color & 0xff00) | ((color >> 16) & 0xff);
    return "#" + ("00000" + rgb.toString(16)).slice(-6);
}
function orvColorOfHex(hex) {
    var match = /^#?([0-9a-f]{6})/i.exec(String(hex || ""));
    if (!match) return -1;
    var rgb = parseInt(match[1], 16);
    return ((rgb >> 16) & 0xff) | (rgb & 0xff00) | ((rgb & 0xff) << 16);
}

// The older emitted form calls MessageRequester and InputRequester without await and uses the
// result at once: the first use of the Promise as a value then asks through the browser's own
// confirm, alert or prompt and closes the requester. Kept until that form is gone.
function orvOlderRequesterForm(promise, spec, ask) {
    var answered = false;
    var value;
    promise.then(function (result) {
        if (!answered) {
            answered = true;
            value = result;
        }
    });
    promise[Symbol.toPrimitive] = function () {
        if (!answered) {
            answered = true;
            value = ask();
            spec.settle(value);
        }
        return value;
    };
    promise.toString = promise[Symbol.toPrimitive];
    return promise;
}

function orvPlainMessage(title, text) {
    return (orvText(title) ? orvText(title) + "\n\n" : "") + orvText(text);
}

var orvSelectedFiles = [];
var orvSelectedPattern = 0;
var orvSelectedFont = { name: "", size: 0, style: 0, color: 0 };

var cRequester = (global.cRequester = {
    // #PB_MessageRequester_Ok (0), _YesNo (4) or _YesNoCancel (3), with _Info, _Warning or
    // _Error; answers 1 for OK, #PB_MessageRequester_Yes (6), _No (7) or _Cancel (2).
    MessageRequester: function (title, text, flags, parentId) {
        flags = orvInt(flags);
        var buttons = flags & 0x0f;
        var icon = { 0x10: "error", 0x30: "warning", 0x40: "info" }[flags & 0xf0];
        var spec = { title: title, kind: "message", body: orvMessageBody(text, icon), parent: parentId };
        if (buttons === ORV_MESSAGE_YES_NO) {
            spec.buttons = [
                { text: "Yes", result: ORV_RESULT_YES },
                { text: "No", result: ORV_RESULT_NO },
            ];
        } else if (buttons === ORV_MESSAGE_YES_NO_CANCEL) {
            spec.buttons = [
                { text: "Yes", result: ORV_RESULT_YES },
                { text: "No", result: ORV_RESULT_NO },
                { text: "Cancel", result: ORV_RESULT_CANCEL },
            ];
            spec.cancel = ORV_RESULT_CANCEL;
        } else {
            spec.buttons = [{ text: "OK", result: ORV_RESULT_OK }];
            spec.cancel = ORV_RESULT_OK;
        }
        return orvOlderRequesterForm(orvOpenRequester(spec), spec, function () {
            var message = orvPlainMessage(title, text);
            if (buttons === ORV_MESSAGE_YES_NO || buttons === ORV_MESSAGE_YES_NO_CANCEL) {
                if (window.confirm(message)) return ORV_RESULT_YES;
                return buttons === ORV_MESSAGE_YES_NO_CANCEL ? ORV_RESULT_CANCEL : ORV_RESULT_NO;
            }
            window.alert(message);
            return ORV_RESULT_OK;
        });
    },

    // The text typed, or "" when the requester is closed without OK.
    InputRequester: function (title, message, defaultText, flags, parentId) {
        var spec = { title: title, kind: "input", parent: parentId, cancel: ORV_RESULT_CANCEL };
        var type = orvInt(flags) & ORV_INPUT_PASSWORD ? "password" : "text";
        var field = orvRequesterField(spec, type, orvText(defaultText));
        spec.body = orvRequesterElement("div", "orvane-requester-input");
        spec.body.appendChild(orvRequesterElement("label", "orvane-requester-text", orvText(message)));
        spec.body.appendChild(field);
        spec.focus = field;
        spec.buttons = [
            { text: "OK", result: ORV_RESULT_OK },
            { text: "Cancel", result: ORV_RESULT_CANCEL },
        ];
        spec.answer = function (result) {
            return result === ORV_RESULT_OK ? field.value : "";
        };
        var opened = orvOpenRequester(spec);
        field.select();
        return orvOlderRequesterForm(opened, spec, function () {
            var answer = window.prompt(orvPlainMessage(title, message), orvText(defaultText));
            return answer === null || answer === undefined ? "" : String(answer);
        });
    },

    // The name of the chosen file ("" when cancelled); its content is readable with ReadFile
    // under that name. With #PB_Requester_MultiSelection, NextSelectedFilename gives the others.
    OpenFileRequester: function (title, defaultFile, pattern, patternPosition, flags, parentId) {
        var input = orvRequesterElement("input");
        input.type = "file";
        input.multiple = (orvInt(flags) & ORV_REQUESTER_MULTISELECTION) !== 0;
        input.accept = orvAcceptOfPattern(pattern, patternPosition);
        orvSelectedPattern = Math.max(0, orvInt(patternPosition));
        var spec = {
            title: orvText(title) || "Open",
            kind: "openfile",
            parent: parentId,
            prompt: input.multiple ? "Choose the files to open." : "Choose the file to open.",
            chooseText: input.multiple ? "Choose files\u2026" : "Choose a file\u2026",
        };
        return orvChooseFiles(spec, input).then(function (files) {
            return Promise.all(
                files.map(function (file) {
                    return file.arrayBuffer().then(function (buffer) {
                        orvChosenFile(file.name, new Uint8Array(buffer));
                        return file.name;
                    });
                })
            ).then(function (names) {
                orvSelectedFiles = names.slice(1);
                return names.length ? names[0] : "";
            });
        });
    },

    NextSelectedFilename: function () {
        return orvSelectedFiles.length ? orvSelectedFiles.shift() : "";
    },

    SelectedFilePattern: function () {
        return orvSelectedPattern;
    },

    // The name to save under ("" when cancelled). A file created under this name is offered to
    // the user as a download when it is closed.
    SaveFileRequester: function (title, defaultFile, pattern, patternPosition, parentId) {
        var spec = { title: orvText(title) || "Save", kind: "savefile", parent: parentId, cancel: ORV_RESULT_CANCEL };
        var name = orvText(defaultFile).replace(/^.*[\\/]/, "");
        var field = orvRequesterField(spec, "text", name);
        spec.body = orvRequesterElement("div", "orvane-requester-input");
        spec.body.appendChild(orvRequesterElement("label", "orvane-requester-text", "File name:"));
        spec.body.appendChild(field);
        spec.body.appendChild(orvRequesterElement("div", "orvane-requester-note", "The browser saves the file among your downloads."));
        spec.focus = field;
        spec.buttons = [
            { text: "Save", result: ORV_RESULT_OK },
            { text: "Cancel", result: ORV_RESULT_CANCEL },
        ];
        orvSelectedPattern = Math.max(0, orvInt(patternPosition));
        spec.answer = function (result) {
            var chosen = result === ORV_RESULT_OK ? field.value.trim() : "";
            if (chosen) orvDownloadName(chosen);
            return chosen;
        };
        var opened = orvOpenRequester(spec);
        field.select();
        return opened;
    },

    // A web page cannot see the folders of the computer; the requester says so and answers as
    // a cancelled one does.
    PathRequester: function (title, initialPath, parentId) {
        var text =
            "A web browser cannot show the folders of this computer.\n\n" +
            "Files this program writes are kept in the browser's storage for this site; files it saves for you go to your downloads.";
        return orvOpenRequester({
            title: orvText(title) || "Choose a folder",
            kind: "path",
            parent: parentId,
            body: orvMessageBody(text, "info"),
            buttons: [{ text: "OK", result: ORV_RESULT_CANCEL }],
            cancel: ORV_RESULT_CANCEL,
            answer: function () {
                return "";
            },
        });
    },

    // The colour chosen (red in the low byte, as RGB() makes it), or -1 when cancelled.
    ColorRequester: function (currentColor, parentId) {
        var hex = orvColorToHex(currentColor === undefined ? 0 : currentColor);
        var spec = { title: "Color", kind: "color", parent: parentId, cancel: ORV_RESULT_CANCEL };
        var body = orvRequesterElement("div", "orvane-requester-color");
        var palette = orvRequesterElement("div", "orvane-requester-palette");
        var row = orvRequesterElement("div", "orvane-requester-color-row");
        var swatch = orvRequesterElement("span", "orvane-requester-swatch");
        var field = orvRequesterField(spec, "text", hex);
        field.size = 8;
        field.maxLength = 7;
        var custom = orvRequesterElement("input", "orvane-requester-custom");
        custom.type = "color";
        custom.title = "More colours";
        var show = function (value, from) {
            if (orvColorOfHex(value) < 0) return;
            hex = "#" + /^#?([0-9a-f]{6})/i.exec(value)[1].toLowerCase();
            swatch.style.backgroundColor = hex;
            if (from !== field) field.value = hex;
            if (from !== custom) custom.value = hex;
        };
        field.addEventListener("input", function () {
            show(field.value, field);
        });
        custom.addEventListener("input", function () {
            show(custom.value, custom);
        });
        row.appendChild(swatch);
        row.appendChild(field);
        row.appendChild(custom);
        if (typeof jQuery !== "undefined" && jQuery.fn && typeof jQuery.fn.colorpicker === "function") {
            body.appendChild(palette);
            jQuery(palette)
                .colorpicker({ color: hex, history: false, displayIndicator: false })
                .on("change.color", function (event, color) {
                    show(color, palette);
                });
        }
        body.appendChild(row);
        show(hex);
        spec.body = body;
        spec.buttons = [
            { text: "OK", result: ORV_RESULT_OK },
            { text: "Cancel", result: ORV_RESULT_CANCEL },
        ];
        spec.answer = function (result) {
            return result === ORV_RESULT_OK ? orvColorOfHex(hex) : -1;
        };
        return orvOpenRequester(spec);
    },

    // 1 when a font was chosen (SelectedFontName, ...Size, ...Style, ...Color tell which), 0
    // when cancelled. #PB_FontRequester_Effects adds underline, strikeout and the colour.
    FontRequester: function (fontName, fontSize, flags, color, style, parentId) {
        var spec = { title: "Font", kind: "font", parent: parentId, cancel: 0 };
        var effects = (orvInt(flags) & ORV_FONT_REQUESTER_EFFECTS) !== 0;
        var names = orvFontsOfBrowser().slice();
        var wanted = orvText(fontName);
        if (wanted && !names.some(function (n) { return n.toLowerCase() === wanted.toLowerCase(); })) names.unshift(wanted);
        var body = orvRequesterElement("div", "orvane-requester-font");
        var nameList = orvRequesterElement("select", "orvane-requester-fontname ui-widget-content");
        nameList.size = 8;
        names.forEach(function (name) {
            var option = orvRequesterElement("option", "", name);
            option.value = name;
            option.style.fontFamily = '"' + name + '"';
            if (name.toLowerCase() === wanted.toLowerCase()) option.selected = true;
            nameList.appendChild(option);
        });
        if (nameList.selectedIndex < 0) nameList.selectedIndex = 0;
        var sizeField = orvRequesterElement("input", "orvane-requester-fontsize ui-widget-content");
        sizeField.type = "number";
        sizeField.min = "1";
        sizeField.max = "500";
        sizeField.value = String(orvInt(fontSize) > 0 ? orvInt(fontSize) : 10);
        style = orvInt(style);
        var check = function (label, bit) {
            var line = orvRequesterElement("label", "orvane-requester-check");
            var box = orvRequesterElement("input");
            box.type = "checkbox";
            box.checked = (style & bit) !== 0;
            box.setAttribute("data-style", String(bit));
            line.appendChild(box);
            line.appendChild(document.createTextNode(" " + label));
            return line;
        };
        var options = orvRequesterElement("div", "orvane-requester-fontoptions");
        var sizeLine = orvRequesterElement("label", "orvane-requester-check", "Size ");
        sizeLine.appendChild(sizeField);
        options.appendChild(sizeLine);
        options.appendChild(check("Bold", ORV_FONT_BOLD));
        options.appendChild(check("Italic", ORV_FONT_ITALIC));
        var colorField = null;
        if (effects) {
            options.appendChild(check("Underline", ORV_FONT_UNDERLINE));
            options.appendChild(check("Strikeout", ORV_FONT_STRIKEOUT));
            var colorLine = orvRequesterElement("label", "orvane-requester-check", "Colour ");
            colorField = orvRequesterElement("input", "orvane-requester-fontcolor");
            colorField.type = "color";
            colorField.value = orvColorToHex(color === undefined ? 0 : color);
            colorLine.appendChild(colorField);
            options.appendChild(colorLine);
        }
        var preview = orvRequesterElement("div", "orvane-requester-preview ui-widget-content", "AaBbYyZz 0123");
        var chosenStyle = function () {
            var bits = 0;
            options.querySelectorAll("input[data-style]").forEach(function (box) {
                if (box.checked) bits |= orvInt(box.getAttribute("data-style"));
            });
            return bits;
        };
        var update = function () {
            var bits = chosenStyle();
            preview.style.fontFamily = '"' + nameList.value + '"';
            preview.style.fontSize = Math.min(72, Math.max(1, orvInt(sizeField.value))) + "pt";
            preview.style.fontWeight = bits & ORV_FONT_BOLD ? "bold" : "normal";
            preview.style.fontStyle = bits & ORV_FONT_ITALIC ? "italic" : "normal";
            preview.style.textDecoration =
                [bits & ORV_FONT_UNDERLINE ? "underline" : "", bits & ORV_FONT_STRIKEOUT ? "line-through" : ""].join(" ").trim() || "none";
            preview.style.color = colorField ? colorField.value : "";
        };
        body.addEventListener("input", update);
        body.addEventListener("change", update);
        var lists = orvRequesterElement("div", "orvane-requester-fontlists");
        lists.appendChild(nameList);
        lists.appendChild(options);
        body.appendChild(lists);
        body.appendChild(preview);
        update();
        spec.body = body;
        spec.focus = nameList;
        spec.buttons = [
            { text: "OK", result: 1 },
            { text: "Cancel", result: 0 },
        ];
        spec.answer = function (result) {
            if (result !== 1) return 0;
            orvSelectedFont = {
                name: nameList.value,
                size: Math.max(1, orvInt(sizeField.value)),
                style: chosenStyle(),
                color: colorField ? orvColorOfHex(colorField.value) : orvInt(color),
            };
            return 1;
        };
        return orvOpenRequester(spec);
    },

    SelectedFontName: function () {
        return orvSelectedFont.name;
    },
    SelectedFontSize: function () {
        return orvSelectedFont.size;
    },
    SelectedFontStyle: function () {
        return orvSelectedFont.style;
    },
    SelectedFontColor: function () {
        return orvSelectedFont.color;
    },
});

orvAddConstants({
    PB_InputRequester_Password: 1,
    PB_Requester_MultiSelection: 1,
    PB_FontRequester_Effects: 256,
});
