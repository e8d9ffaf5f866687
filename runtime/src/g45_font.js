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

var cFont = (global.cFont = {
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
