// Fonts are CSS fonts: a loaded font is its family, size in points and style. A family the
// browser does not have falls back to the generic family of its kind, as the desktop's font mapper
// finds the closest match.

var ORV_FONT_BOLD = 0x100;
var ORV_FONT_ITALIC = 0x200;
var ORV_FONT_UNDERLINE = 4;
var ORV_FONT_STRIKEOUT = 8;

var orvFontRegistry = orvRegistry("Font", orvReleaseFont);
// The font SetGadgetFont(#PB_Default, ...) gives new gadgets; 0 for the theme's.
var orvDefaultGadgetFont = 0;

var ORV_MONOSPACE_FONTS = /^(consolas|courier( new)?|lucida console|fixedsys|terminal|monaco|menlo|dejavu sans mono|liberation mono|source code pro|cascadia (code|mono)|inconsolata|monospace)$/i;
var ORV_SERIF_FONTS = /^(times( new roman)?|georgia|garamond|palatino( linotype)?|book antiqua|cambria|serif)$/i;

function orvFontFamily(name) {
    var generic = ORV_MONOSPACE_FONTS.test(name) ? "monospace" : ORV_SERIF_FONTS.test(name) ? "serif" : "sans-serif";
    return name ? '"' + name.replace(/["\\]/g, "") + '", ' + generic : generic;
}

function orvReleaseFont(font) {
    if (orvDefaultGadgetFont === font.handle) orvDefaultGadgetFont = 0;
}

// The CSS font of a loaded font (by handle or number), or null.
function orvFontCss(handleOrNumber) {
    var font = orvFontRegistry.FindByNumberOrHandle(handleOrNumber);
    return font ? font.css : null;
}

// Puts a font (by handle; 0 for the theme's) on an element.
function orvApplyFont(element, handle) {
    var font = handle ? orvFontRegistry.FindByNumberOrHandle(handle) : null;
    element.style.font = font ? font.css : "";
    element.style.textDecoration = font ? font.decoration : "";
}

// The family name of a TrueType or OpenType font file (its Windows family name, the one LoadFont
// takes there) and whether the face is bold or italic; null for a file of another kind.
function orvFontFileFace(bytes) {
    if (bytes.length < 12) return null;
    var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    var version = view.getUint32(0);
    if (version !== 0x00010000 && version !== 0x4f54544f && version !== 0x74727565) return null;
    var tables = {};
    var count = view.getUint16(4);
    for (var i = 0; i < count && 12 + i * 16 + 16 <= bytes.length; i++) {
        var at = 12 + i * 16;
        var tag = String.fromCharCode(bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]);
        tables[tag] = { offset: view.getUint32(at + 8), length: view.getUint32(at + 12) };
    }
    var name = tables.name;
    if (!name || name.offset + 6 > bytes.length) return null;
    var records = view.getUint16(name.offset + 2);
    var strings = name.offset + view.getUint16(name.offset + 4);
    var family = null, rank = -1;
    for (var r = 0; r < records && name.offset + 6 + r * 12 + 12 <= bytes.length; r++) {
        var record = name.offset + 6 + r * 12;
        var platform = view.getUint16(record), language = view.getUint16(record + 4);
        if (view.getUint16(record + 6) !== 1) continue;
        var length = view.getUint16(record + 8), start = strings + view.getUint16(record + 10);
        if (start + length > bytes.length) continue;
        var text = "";
        if (platform === 0 || platform === 3) {
            for (var k = 0; k + 1 < length; k += 2) text += String.fromCharCode(view.getUint16(start + k));
        } else if (platform === 1) {
            for (var m = 0; m < length; m++) text += String.fromCharCode(bytes[start + m]);
        } else {
            continue;
        }
        var recordRank = platform === 3 ? (language === 0x409 ? 3 : 2) : platform === 0 ? 1 : 0;
        if (text && recordRank > rank) {
            family = text;
            rank = recordRank;
        }
    }
    if (!family) return null;
    var style = tables.head && tables.head.offset + 46 <= bytes.length ? view.getUint16(tables.head.offset + 44) : 0;
    return { family: family, bold: (style & 1) !== 0, italic: (style & 2) !== 0 };
}

var cFont = (global.cFont = {
    // The fonts of a TrueType or OpenType file (beside the page, chosen by the user or stored by
    // the program) become available to LoadFont under their family name; a web font file (WOFF)
    // under its file name without the extension. Resolves with nonzero once the font is there.
    RegisterFontFile: function (fileName) {
        fileName = orvText(fileName);
        var failed = function (why) {
            orvError("RegisterFontFile(): the font file '" + fileName + "' could not be registered (" + why + ").");
            return 0;
        };
        if (typeof FontFace !== "function" || typeof document === "undefined" || !document.fonts) {
            return Promise.resolve(failed("this browser cannot load font files"));
        }
        var path = orvFilePath(fileName);
        var stored = path ? orvReadableFile(path) : null;
        var read = stored
            ? Promise.resolve(stored.slice())
            : orvReadFileBytes(path).catch(function () {
                  return null;
              });
        return read.then(function (bytes) {
            if (!bytes || !bytes.length) return failed("there is no such file");
            var face = orvFontFileFace(bytes);
            if (!face && /^(wOFF|wOF2)$/.test(String.fromCharCode(bytes[0], bytes[1], bytes[2], bytes[3]))) {
                face = { family: path.replace(/^.*\//, "").replace(/\.[^.]*$/, ""), bold: false, italic: false };
            }
            if (!face) return failed("not a TrueType, OpenType or WOFF font");
            var font = new FontFace(face.family.replace(/["\\]/g, ""), bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength), {
                weight: face.bold ? "bold" : "normal",
                style: face.italic ? "italic" : "normal",
            });
            return font.load().then(
                function () {
                    document.fonts.add(font);
                    return 1;
                },
                function (error) {
                    return failed((error && error.message) || "the browser refused it");
                }
            );
        });
    },


    LoadFont: function (number, name, size, flags) {
        name = orvText(name);
        size = orvNumber(size);
        flags = orvInt(flags);
        if (size <= 0) {
            orvError("LoadFont(): the font size must be greater than 0.");
            return 0;
        }
        var style = (flags & ORV_FONT_ITALIC ? "italic " : "") + (flags & ORV_FONT_BOLD ? "bold " : "");
        var decoration = [];
        if (flags & ORV_FONT_UNDERLINE) decoration.push("underline");
        if (flags & ORV_FONT_STRIKEOUT) decoration.push("line-through");
        var font = {
            name: name,
            size: size,
            flags: flags,
            css: style + size + "pt " + orvFontFamily(name),
            decoration: decoration.join(" "),
        };
        return orvFontRegistry.Create(number, font);
    },
    FontID: function (number) {
        var font = orvFontRegistry.Get(number);
        return font ? orvHandle(font) : 0;
    },
    IsFont: function (number) {
        return orvFontRegistry.Is(number);
    },
    FreeFont: function (number) {
        if (orvInt(number) === -1) {
            orvFontRegistry.All().forEach(function (font) {
                orvFontRegistry.Free(font.number);
            });
            return;
        }
        if (orvFontRegistry.Get(number)) orvFontRegistry.Free(number);
    },
});

// SetGadgetFont and GetGadgetFont belong to the Gadget library. #PB_Default as the gadget sets
// the font of gadgets created from now on; #PB_Default as the font restores the theme's.
cGadget.SetGadgetFont = function (number, fontId) {
    var handle = orvInt(fontId) === -1 ? 0 : orvInt(fontId);
    if (handle && !orvFontRegistry.FindByNumberOrHandle(handle)) {
        orvError("SetGadgetFont(): the FontID is not a loaded font.");
        return;
    }
    if (orvInt(number) === -1) {
        orvDefaultGadgetFont = handle;
        return;
    }
    var gadget = orvGadgetOf(number);
    if (!gadget) return;
    gadget.font = handle;
    var target = gadget.kind.fontElement ? gadget.kind.fontElement(gadget) : gadget.element;
    orvApplyFont(target, handle);
    if (gadget.kind.fontChanged) gadget.kind.fontChanged(gadget);
};
cGadget.GetGadgetFont = function (number) {
    if (orvInt(number) === -1) return orvDefaultGadgetFont;
    var gadget = orvGadgetOf(number);
    return gadget ? gadget.font : 0;
};

// Constants of the Font library, with PureBasic's values (Windows values where the systems differ).
orvAddConstants({
    PB_Font_Bold: 256,
    PB_Font_Italic: 512,
    PB_Font_Underline: 4,
    PB_Font_StrikeOut: 8,
    PB_Font_HighQuality: 16,
});
