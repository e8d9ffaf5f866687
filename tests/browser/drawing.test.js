// Images, 2D and vector drawing, screens, sprites, keyboard and mouse in Chromium, driven by
// scripts in the runtime's calling convention (what the converter emits). Pixels are compared with
// what PureBasic draws: its sizes, its colours 0xBBGGRR, its modes. Screenshots go to
// build/screenshots/drawing-*.png.
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const zlib = require("node:zlib");
const { launch, pageHtml, root } = require("./gui_page.js");

const shots = path.join(root, "build/screenshots");
fs.mkdirSync(shots, { recursive: true });

// ---- small image files for the loading tests

function crc32(bytes) {
    let crc = -1;
    for (const byte of bytes) {
        crc ^= byte;
        for (let k = 0; k < 8; k++) crc = (crc >>> 1) ^ (0xedb88320 & -(crc & 1));
    }
    return (crc ^ -1) >>> 0;
}

// A PNG of width x height, pixel(x, y) -> [r, g, b, a] (RGBA) or [r, g, b] (RGB, channels 3).
function png(width, height, pixel, channels = 4) {
    const raw = Buffer.alloc((width * channels + 1) * height);
    for (let y = 0; y < height; y++) {
        for (let x = 0; x < width; x++) raw.set(pixel(x, y), y * (width * channels + 1) + 1 + x * channels);
    }
    const chunk = (type, data) => {
        const out = Buffer.alloc(12 + data.length);
        out.writeUInt32BE(data.length, 0);
        out.write(type, 4, "latin1");
        data.copy(out, 8);
        out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
        return out;
    };
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header.set([8, channels === 4 ? 6 : 2, 0, 0, 0], 8);
    return Buffer.concat([
        Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
        chunk("IHDR", header),
        chunk("IDAT", zlib.deflateSync(raw)),
        chunk("IEND", Buffer.alloc(0)),
    ]);
}

// A 24-bit BMP, rows from the bottom up.
function bmp(width, height, pixel) {
    const row = (width * 3 + 3) & ~3;
    const out = Buffer.alloc(54 + row * height);
    out.write("BM", 0, "latin1");
    out.writeUInt32LE(out.length, 2);
    out.writeUInt32LE(54, 10);
    out.writeUInt32LE(40, 14);
    out.writeInt32LE(width, 18);
    out.writeInt32LE(height, 22);
    out.writeUInt16LE(1, 26);
    out.writeUInt16LE(24, 28);
    for (let y = 0; y < height; y++) {
        for (let x = 0; x < width; x++) {
            const [r, g, b] = pixel(x, y);
            out.set([b, g, r], 54 + (height - 1 - y) * row + x * 3);
        }
    }
    return out;
}

// One red pixel: palette red and black, LZW minimum code size 2, index 0.
// Two frames of one pixel, red for 100 ms and black for 200 ms, looping.
const animatedGif = Buffer.from(
    ("474946383961 0100 0100 80 00 00 ff0000 000000 21ff0b 4e45545343415045322e30 03 01 0000 00" +
        " 21f904 00 0a00 00 00 2c 0000 0000 0100 0100 00 02 02 4401 00" +
        " 21f904 00 1400 00 00 2c 0000 0000 0100 0100 00 02 02 4c01 00 3b").replace(/ /g, ""),
    "hex"
);
const gif = Buffer.from("474946383961010001008000 00ff0000000000 2c00000000010001000002024401003b".replace(/ /g, ""), "hex");

// ---- the page

let browser;
let folder;

test.before(async () => {
    browser = await launch();
    folder = fs.mkdtempSync(path.join(os.tmpdir(), "orvane-drawing-"));
    // The page of a window program, with the FileSaver a page gets for SaveImage.
    const saver = `<script src="file://${path.join(root, "build/dist/system/libraries/FileSaver.js/FileSaver.min.js")}"></script>`;
    const html = pageHtml("", { libraries: [] }).replace("</head>", saver + "</head>").replace("<body>", '<body style="margin:0">');
    fs.writeFileSync(path.join(folder, "index.html"), html);
    fs.writeFileSync(path.join(folder, "alpha.png"), png(4, 3, (x, y) => (x < 2 ? [255, 0, 0, 255] : [0, 0, 255, y * 100])));
    fs.writeFileSync(path.join(folder, "opaque.png"), png(2, 2, () => [10, 20, 30], 3));
    fs.writeFileSync(path.join(folder, "picture.bmp"), bmp(3, 2, (x, y) => [x * 100, y * 200, 7]));
    fs.writeFileSync(path.join(folder, "dot.gif"), gif);
    fs.writeFileSync(path.join(folder, "animated.gif"), animatedGif);
    fs.writeFileSync(path.join(folder, "broken.png"), Buffer.from("not an image"));
});

test.after(async () => {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
});

// A fresh page; run(fn, arg) evaluates fn in it, debug() gives the debug lines.
async function openPage(viewport) {
    const page = await browser.newPage({ viewport: viewport || { width: 640, height: 480 }, acceptDownloads: true });
    const errors = [];
    page.on("pageerror", (error) => errors.push(String(error)));
    page.on("console", (message) => {
        if (message.type() === "error" && !message.text().startsWith("[ERROR]")) errors.push(message.text());
    });
    await page.goto("file://" + path.join(folder, "index.html"));
    page.debug = () => page.$$eval("#orvane-debug > div", (rows) => rows.map((row) => row.textContent));
    page.errors = errors;
    return page;
}

test("2D drawing on a screen: colours reach the canvas exactly, every function draws", async () => {
    const page = await openPage();
    const result = await page.evaluate(() => {
        const { cDrawing: D, cImage: I, cSprite: S, cScreen: Scr, cConstants: C } = window;
        S.InitSprite();
        Scr.OpenScreen(320, 240, 32, "Drawing");
        const image = I.CreateImage(C.PB_Any, 40, 30, 24, D.RGB(255, 255, 0));
        D.StartDrawing(I.ImageOutput(image));
        D.Circle(20, 15, 10, D.RGB(0, 128, 255));
        D.StopDrawing();
        D.StartDrawing(Scr.ScreenOutput());
        D.Box(0, 0, 320, 240, D.RGB(255, 255, 255));
        D.Box(10, 10, 60, 40, D.RGB(255, 0, 0));
        D.RoundBox(80, 10, 60, 40, 12, 12, D.RGB(0, 160, 0));
        D.Circle(180, 30, 20, D.RGB(0, 0, 255));
        D.Ellipse(250, 30, 40, 15, D.RGB(0x12, 0x34, 0x56));
        D.DrawingMode(C.PB_2DDrawing_Outlined);
        D.Box(10, 60, 60, 40, 0);
        D.Circle(180, 80, 20, 0);
        D.DrawingMode(C.PB_2DDrawing_Default);
        D.Line(10, 110, 100, 1, D.RGB(255, 0, 255));
        D.LineXY(10, 120, 110, 170, D.RGB(0, 0, 0));
        for (let x = 0; x < 100; x++) D.Plot(120 + x, 120 + (x % 10), D.RGB(x * 2, 0, 255 - x * 2));
        D.DrawingMode(C.PB_2DDrawing_Outlined);
        D.Circle(270, 110, 25, D.RGB(200, 0, 0));
        D.DrawingMode(C.PB_2DDrawing_Default);
        D.FillArea(270, 110, D.RGB(200, 0, 0), D.RGB(255, 200, 0));
        D.FrontColor(D.RGB(255, 255, 255));
        D.BackColor(D.RGB(0, 0, 128));
        D.LinearGradient(10, 0, 110, 0);
        D.DrawingMode(C.PB_2DDrawing_Gradient);
        D.Box(10, 180, 100, 20);
        D.CircularGradient(270, 200, 30);
        D.Circle(270, 200, 30);
        D.DrawingMode(C.PB_2DDrawing_Default);
        D.DrawImage(I.ImageID(image), 130, 180);
        D.DrawImage(I.ImageID(image), 180, 180, 80, 50);
        D.DrawingMode(C.PB_2DDrawing_XOr);
        D.Box(0, 230, 320, 10, 0xffffff);
        D.DrawingMode(C.PB_2DDrawing_Default);
        const points = [D.Point(11, 11), D.Point(180, 30), D.Point(250, 30), D.Point(20, 110), D.Point(270, 110)];
        D.StopDrawing();
        const canvas = document.querySelector("canvas.orvane-screen");
        const px = (x, y) => Array.from(canvas.getContext("2d").getImageData(x, y, 1, 1).data);
        return {
            points,
            pixels: {
                box: px(11, 11),
                boxOutside: px(70, 11),
                circleCentre: px(180, 30),
                circleEdge: px(200, 30),
                circleOutside: px(201, 30),
                ellipse: px(250, 30),
                outline: [px(10, 60), px(11, 61)],
                line: [px(10, 110), px(109, 110), px(110, 110)],
                lineEnd: px(110, 170),
                fill: px(270, 110),
                gradient: [px(10, 190), px(109, 190)],
                image: [px(130, 180), px(150, 195)],
                xor: px(5, 235),
            },
        };
    });
    assert.deepEqual(result.points, [0x0000ff, 0xff0000, 0x563412, 0xff00ff, 0x00c8ff]);
    const p = result.pixels;
    assert.deepEqual(p.box, [255, 0, 0, 255]);
    assert.deepEqual(p.boxOutside, [255, 255, 255, 255], "Box(10, 10, 60, 40) ends at x = 69");
    assert.deepEqual(p.circleCentre, [0, 0, 255, 255]);
    assert.deepEqual(p.circleEdge, [0, 0, 255, 255], "the radius leaves out the centre pixel");
    assert.deepEqual(p.circleOutside, [255, 255, 255, 255]);
    assert.deepEqual(p.ellipse, [0x12, 0x34, 0x56, 255]);
    assert.deepEqual(p.outline, [[0, 0, 0, 255], [255, 255, 255, 255]]);
    assert.deepEqual(p.line, [[255, 0, 255, 255], [255, 0, 255, 255], [255, 255, 255, 255]]);
    assert.deepEqual(p.lineEnd, [0, 0, 0, 255]);
    assert.deepEqual(p.fill, [255, 200, 0, 255]);
    assert.deepEqual(p.gradient, [[0, 0, 128, 255], [252, 252, 254, 255]]);
    assert.deepEqual(p.image, [[255, 255, 0, 255], [0, 128, 255, 255]]);
    assert.deepEqual(p.xor, [0, 0, 0, 255], "white XOr white");
    await page.screenshot({ path: path.join(shots, "drawing-shapes.png") });
    assert.deepEqual(await page.debug(), []);
    assert.deepEqual(page.errors, []);
    await page.close();
});

test("text: widths and heights, opaque and transparent backgrounds, fonts, rotated text", async () => {
    const page = await openPage();
    const r = await page.evaluate(() => {
        const { cDrawing: D, cImage: I, cSprite: S, cScreen: Scr, cConstants: C } = window;
        const image = I.CreateImage(C.PB_Any, 300, 120, 24, D.RGB(255, 255, 255));
        D.StartDrawing(I.ImageOutput(image));
        const width = D.TextWidth("Hello World");
        const height = D.TextHeight("Hello World");
        const end = D.DrawText(10, 10, "Hello World", D.RGB(0, 0, 0), D.RGB(255, 255, 0));
        // The background box is TextWidth x TextHeight in the back colour.
        const box = [D.Point(10, 10), D.Point(10 + width - 1, 10 + height - 1), D.Point(10 + width, 10), D.Point(10, 10 + height)];
        let ink = 0;
        for (let y = 10; y < 10 + height; y++) for (let x = 10; x < 10 + width; x++) if (D.Red(D.Point(x, y)) < 128) ink++;
        D.DrawingMode(C.PB_2DDrawing_Transparent);
        D.DrawText(10, 40, "Transparent", D.RGB(200, 0, 0));
        let background = 0, red = 0;
        for (let y = 40; y < 40 + height; y++) {
            for (let x = 10; x < 10 + D.TextWidth("Transparent"); x++) {
                const c = D.Point(x, y);
                if (c === 0xffffff) background++;
                if (D.Green(c) < 128) red++;
            }
        }
        D.DrawRotatedText(200, 110, "Rotated", 45, D.RGB(0, 0, 255));
        D.DrawingMode(C.PB_2DDrawing_Default);
        D.FrontColor(D.RGB(255, 255, 255));
        D.BackColor(0);
        D.DrawText(10, 70, "Default colours");
        const defaults = [D.Point(10, 70)];
        D.StopDrawing();
        S.InitSprite();
        Scr.OpenScreen(300, 120, 32, "Text");
        D.StartDrawing(Scr.ScreenOutput());
        D.DrawImage(I.ImageID(image), 0, 0);
        D.StopDrawing();
        return { width, height, end, box, ink, background, red, defaults };
    });
    assert.ok(r.width > 50 && r.width < 100, "width " + r.width);
    assert.ok(r.height >= 11 && r.height <= 16, "height " + r.height);
    assert.equal(r.end, 10 + r.width, "DrawText returns the x after the text");
    assert.deepEqual(r.box, [0x00ffff, 0x00ffff, 0xffffff, 0xffffff]);
    assert.ok(r.ink > 20, "black glyph pixels: " + r.ink);
    assert.ok(r.background > r.red && r.red > 10, "transparent: " + r.background + " white, " + r.red + " red");
    assert.deepEqual(r.defaults, [0]);
    await page.screenshot({ path: path.join(shots, "drawing-text.png") });
    assert.deepEqual(page.errors, []);
    await page.close();
});

// A copy of a monospace TrueType font of the machine whose family is renamed (to a name of the
// same length), so that no installed font answers to it.
function renamedFont() {
    const candidates = ["/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf"];
    const file = candidates.find((name) => fs.existsSync(name));
    if (!file) return null;
    const font = Buffer.from(fs.readFileSync(file));
    let family = null;
    for (let i = 0; i < font.readUInt16BE(4); i++) {
        const at = 12 + i * 16;
        if (font.toString("latin1", at, at + 4) !== "name") continue;
        const table = font.readUInt32BE(at + 8);
        const strings = table + font.readUInt16BE(table + 4);
        for (let r = 0; r < font.readUInt16BE(table + 2); r++) {
            const record = table + 6 + r * 12;
            const [platform, nameId, length, offset] = [font.readUInt16BE(record), font.readUInt16BE(record + 6), font.readUInt16BE(record + 8), font.readUInt16BE(record + 10)];
            if (nameId !== 1 && nameId !== 4 && nameId !== 16) continue;
            const wide = platform !== 1;
            const chars = wide ? length / 2 : length;
            family = family || "Orvane" + "X".repeat(chars - 6);
            const text = (family + "X".repeat(chars)).slice(0, chars);
            for (let k = 0; k < chars; k++) {
                if (wide) font.writeUInt16BE(text.charCodeAt(k), strings + offset + 2 * k);
                else font[strings + offset + k] = text.charCodeAt(k);
            }
        }
    }
    return { font, family };
}

test("RegisterFontFile: a font file beside the page becomes a family LoadFont and drawing use", async (t) => {
    const renamed = renamedFont();
    if (!renamed) return t.skip("no TrueType monospace font on this machine");
    fs.writeFileSync(path.join(folder, "test-mono.ttf"), renamed.font);
    const page = await openPage();
    const r = await page.evaluate(async (family) => {
        const { cDrawing: D, cImage: I, cFont: F, cConstants: C } = window;
        const results = [await F.RegisterFontFile("test-mono.ttf"), await F.RegisterFontFile("missing.ttf"), await F.RegisterFontFile("broken.png")];
        F.LoadFont(1, family, 20);
        F.LoadFont(2, "OrvaneNoSuchFont", 20);
        const image = I.CreateImage(C.PB_Any, 100, 40);
        D.StartDrawing(I.ImageOutput(image));
        const widths = (font) => {
            D.DrawingFont(F.FontID(font));
            return [D.TextWidth("iiii"), D.TextWidth("MMMM")];
        };
        const out = { results, registered: widths(1), fallback: widths(2) };
        D.StopDrawing();
        return out;
    }, renamed.family);
    assert.deepEqual(r.results, [1, 0, 0]);
    assert.equal(r.registered[0], r.registered[1], "the registered monospace font: " + r.registered);
    assert.notEqual(r.fallback[0], r.fallback[1], "an unknown family falls back to a proportional font: " + r.fallback);
    const debug = await page.debug();
    assert.match(debug[0], /^\[ERROR\] RegisterFontFile\(\): the font file 'missing.ttf' could not be registered \(there is no such file\)/);
    assert.match(debug[1], /^\[ERROR\] RegisterFontFile\(\): the font file 'broken.png' could not be registered \(not a TrueType, OpenType or WOFF font\)/);
    assert.deepEqual(page.errors.filter((error) => !/Failed to load resource/.test(error)), [], "the browser's own line for the missing file aside");
    await page.close();
});

test("loading PNG, BMP, GIF beside the page; a file that fails shows an error line", async () => {
    const page = await openPage();
    await page.evaluate((data) => (window.orvTestBmp = data), fs.readFileSync(path.join(folder, "picture.bmp")).toString("base64"));
    const r = await page.evaluate(async () => {
        const { cDrawing: D, cImage: I, cConstants: C } = window;
        const out = {};
        const alpha = await I.LoadImage(C.PB_Any, "alpha.png");
        out.alpha = [I.ImageWidth(alpha), I.ImageHeight(alpha), I.ImageDepth(alpha), I.ImageFormat(alpha) === C.PB_ImagePlugin_PNG];
        D.StartDrawing(I.ImageOutput(alpha));
        D.DrawingMode(C.PB_2DDrawing_AllChannels);
        out.alphaPixels = [D.Point(0, 0), D.Point(3, 2), D.Point(3, 0)];
        D.StopDrawing();
        out.opaque = (await I.LoadImage(5, "opaque.png")) !== 0 ? [I.ImageDepth(5), I.ImageDepth(5, C.PB_Image_OriginalDepth), I.ImageDepth(alpha, C.PB_Image_OriginalDepth)] : -1;
        D.StartDrawing(I.ImageOutput(5));
        out.opaque.push(D.Point(1, 1));
        D.StopDrawing();
        out.bmp = await I.LoadImage(6, "picture.bmp");
        D.StartDrawing(I.ImageOutput(6));
        out.bmpPixels = [D.Point(0, 0), D.Point(2, 1), I.ImageFormat(6) === C.PB_ImagePlugin_BMP];
        D.StopDrawing();
        const g = await I.LoadImage(C.PB_Any, "dot.gif");
        D.StartDrawing(I.ImageOutput(g));
        out.gif = [D.Point(0, 0), I.ImageFormat(g) === C.PB_ImagePlugin_GIF, I.ImageFrameCount(g)];
        D.StopDrawing();
        // An animated GIF: every frame with its delay.
        const animated = await I.LoadImage(C.PB_Any, "animated.gif");
        out.animated = [I.ImageFrameCount(animated)];
        for (const frame of [0, 1]) {
            I.SetImageFrame(animated, frame);
            D.StartDrawing(I.ImageOutput(animated));
            out.animated.push([D.Point(0, 0), I.GetImageFrameDelay(animated)]);
            D.StopDrawing();
        }
        // CatchImage: the same file's bytes in memory the program filled.
        const bytes = new Uint8Array(await (await fetch("data:application/octet-stream;base64," + window.orvTestBmp)).arrayBuffer());
        const memory = window.cMemory.AllocateMemory(bytes.length + 16);
        bytes.forEach((b, i) => window.cMemory.PokeA(memory + 16 + i, b));
        out.caught = await I.CatchImage(C.PB_Any, memory + 16, bytes.length);
        D.StartDrawing(I.ImageOutput(out.caught));
        out.caughtPixel = D.Point(2, 1);
        D.StopDrawing();
        // An IncludeBinary file handed over as its content: base64, a data: URL, bytes; a sprite too.
        const included = [window.orvTestBmp, "data:image/bmp;base64," + window.orvTestBmp, bytes, bytes.buffer];
        out.included = [];
        for (const content of included) {
            const image = await I.CatchImage(C.PB_Any, content);
            D.StartDrawing(I.ImageOutput(image));
            out.included.push([I.ImageWidth(image), D.Point(2, 1)]);
            D.StopDrawing();
        }
        window.cSprite.InitSprite();
        const sprite = await window.cSprite.CatchSprite(C.PB_Any, window.orvTestBmp);
        out.includedSprite = [window.cSprite.SpriteWidth(sprite), window.cSprite.SpriteHeight(sprite)];
        out.includedBad = [await I.CatchImage(10, "not base64!"), await I.CatchImage(11, window.orvTestBmp.slice(0, 8))];
        // EncodeImage gives a memory block holding the file; caught again, it is the same image.
        out.encoded = [];
        for (const plugin of [undefined, C.PB_ImagePlugin_PNG]) {
            const buffer = I.EncodeImage(6, plugin);
            const again = await I.CatchImage(C.PB_Any, buffer, window.cMemory.MemorySize(buffer));
            D.StartDrawing(I.ImageOutput(again));
            out.encoded.push([window.cMemory.PeekA(buffer), window.cMemory.PeekA(buffer + 1), D.Point(2, 1)]);
            D.StopDrawing();
            window.cMemory.FreeMemory(buffer);
        }
        // A file the program stored loads by its name, as one beside the page does.
        const F = window.cFile;
        F.CreateFile(0, "stored.bmp");
        F.WriteData(0, memory + 16, bytes.length);
        F.CloseFile(0);
        const stored = await I.LoadImage(C.PB_Any, "stored.bmp");
        D.StartDrawing(I.ImageOutput(stored));
        out.stored = D.Point(2, 1);
        D.StopDrawing();
        out.nullAddress = await I.CatchImage(9, 0);
        out.missing = await I.LoadImage(7, "missing.png");
        out.broken = await I.LoadImage(8, "broken.png");
        out.isImage = [I.IsImage(7), I.IsImage(8)];
        return out;
    });
    assert.deepEqual(r.alpha, [4, 3, 32, true]);
    // A canvas keeps colours premultiplied: a fully transparent pixel loses its colour.
    assert.deepEqual(r.alphaPixels.map((c) => c >>> 24), [255, 200, 0]);
    assert.deepEqual(r.alphaPixels.slice(0, 2), [0xff0000ff, 0xc8ff0000]);
    assert.deepEqual(r.opaque, [24, 24, 32, 0x1e140a]);
    assert.ok(r.bmp);
    assert.deepEqual(r.bmpPixels, [0x070000, 0x07c8c8, true]);
    assert.deepEqual(r.gif, [0x0000ff, true, 1]);
    assert.deepEqual(r.animated, [2, [0x0000ff, 100], [0, 200]]);
    assert.ok(r.caught > 0);
    assert.equal(r.caughtPixel, 0x07c8c8);
    assert.deepEqual(r.included, Array(4).fill([3, 0x07c8c8]));
    assert.deepEqual(r.includedSprite, [3, 2]);
    assert.equal(r.stored, 0x07c8c8);
    assert.deepEqual(r.encoded, [[0x42, 0x4d, 0x07c8c8], [0x89, 0x50, 0x07c8c8]], "BM and PNG files");
    assert.deepEqual([...r.includedBad, r.nullAddress, r.missing, r.broken, ...r.isImage], [0, 0, 0, 0, 0, 0, 0]);
    const debug = await page.debug();
    assert.equal(debug.length, 5);
    assert.equal(debug[0], "[ERROR] CatchImage(): the included data holds no image.");
    assert.match(debug[1], /^\[ERROR\] CatchImage\(\): the included image could not be loaded \(not a BMP, PNG, JPEG or GIF image\)/);
    assert.equal(debug[2], "[ERROR] Pointer is null.");
    assert.match(debug[3], /^\[ERROR\] LoadImage\(\): the image 'missing.png' could not be loaded/);
    assert.match(debug[4], /^\[ERROR\] LoadImage\(\): the image 'broken.png' could not be loaded \(not a BMP, PNG, JPEG or GIF image\)/);
    await page.close();
});

test("clipboard images: copied and pasted back; where the browser refuses, the page's own copy", async () => {
    const program = async () => {
        const { cDrawing: D, cImage: I, cClipboard: K, cConstants: C } = window;
        const image = I.CreateImage(C.PB_Any, 4, 3, 24, D.RGB(255, 0, 0));
        D.StartDrawing(I.ImageOutput(image));
        D.Plot(3, 2, D.RGB(0, 0, 255));
        D.StopDrawing();
        K.SetClipboardImage(image);
        await new Promise((resolve) => setTimeout(resolve, 100));
        const pasted = await K.GetClipboardImage(C.PB_Any);
        const out = { pasted: pasted ? [I.ImageWidth(pasted), I.ImageHeight(pasted), I.ImageDepth(pasted)] : 0 };
        if (pasted) {
            D.StartDrawing(I.ImageOutput(pasted));
            out.pixels = [D.Point(0, 0), D.Point(3, 2)];
            D.StopDrawing();
        }
        K.SetClipboardText("text now");
        await new Promise((resolve) => setTimeout(resolve, 100));
        out.afterText = await K.GetClipboardImage(C.PB_Any);
        return out;
    };
    const granted = await openPage();
    await granted.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await granted.bringToFront();
    const r = await granted.evaluate(program);
    assert.deepEqual(r, { pasted: [4, 3, 24], pixels: [0x0000ff, 0xff0000], afterText: 0 });
    assert.deepEqual(await granted.debug(), []);
    await granted.close();

    const refused = await openPage();
    await refused.evaluate(() => {
        const deny = () => Promise.reject(new Error("Read permission denied."));
        Object.defineProperty(navigator, "clipboard", { configurable: true, value: { write: deny, read: deny, writeText: deny, readText: deny } });
        document.execCommand = () => false;
    });
    const kept = await refused.evaluate(program);
    assert.deepEqual(kept, { pasted: [4, 3, 24], pixels: [0x0000ff, 0xff0000], afterText: 0 });
    const lines = await refused.debug();
    assert.ok(lines.includes("[ERROR] SetClipboardImage(): the browser refused access to the clipboard (Read permission denied.); the image is kept for this page only."), lines.join("\n"));
    assert.ok(lines.some((line) => /^\[ERROR\] GetClipboardImage\(\): the browser refused access/.test(line)), lines.join("\n"));
    await refused.close();
});

test("SaveImage downloads BMP, PNG and JPEG files through the page's FileSaver", async () => {
    const page = await openPage();
    const files = {};
    for (const [plugin, name] of [["PB_ImagePlugin_BMP", "out.bmp"], ["PB_ImagePlugin_PNG", "out.png"], ["PB_ImagePlugin_JPEG", "out.jpg"]]) {
        const [download] = await Promise.all([
            page.waitForEvent("download"),
            page.evaluate(
                ([plugin, name]) => {
                    const { cDrawing: D, cImage: I, cConstants: C } = window;
                    I.CreateImage(1, 3, 2, 24, D.RGB(1, 2, 3));
                    D.StartDrawing(I.ImageOutput(1));
                    D.Plot(2, 1, D.RGB(250, 128, 0));
                    D.StopDrawing();
                    return I.SaveImage(1, "C:\\pictures\\" + name, C[plugin]);
                },
                [plugin, name]
            ),
        ]);
        files[name] = { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
    }
    const b = files["out.bmp"].bytes;
    assert.equal(files["out.bmp"].name, "out.bmp");
    assert.equal(b.toString("latin1", 0, 2), "BM");
    assert.deepEqual([b.readInt32LE(18), b.readInt32LE(22), b.readUInt16LE(28)], [3, 2, 24]);
    assert.deepEqual([...b.subarray(54, 57)], [3, 2, 1], "bottom row first, blue green red");
    assert.deepEqual([...b.subarray(60, 63)], [0, 128, 250]);
    assert.equal(files["out.png"].bytes.toString("latin1", 1, 4), "PNG");
    assert.deepEqual([...files["out.jpg"].bytes.subarray(0, 2)], [0xff, 0xd8]);
    await page.close();
});

test("vector drawing on an image: paths, strokes, fills, transformations", async () => {
    const page = await openPage();
    const r = await page.evaluate(() => {
        const { cDrawing: D, cImage: I, cVectorDrawing: V, cSprite: S, cScreen: Scr, cConstants: C } = window;
        const image = I.CreateImage(C.PB_Any, 200, 200, 32, D.RGB(255, 255, 255));
        V.StartVectorDrawing(I.ImageVectorOutput(image));
        V.VectorSourceColor(D.RGBA(255, 0, 0, 255));
        V.AddPathBox(10, 10, 50, 30);
        V.FillPath();
        const emptyAfterFill = V.IsPathEmpty();
        V.MovePathCursor(10, 60);
        V.AddPathLine(100, 0, C.PB_Path_Relative);
        V.VectorSourceColor(D.RGBA(0, 0, 255, 255));
        V.StrokePath(4);
        V.AddPathCircle(150, 50, 30);
        V.VectorSourceColor(D.RGBA(0, 160, 0, 255));
        V.FillPath(C.PB_Path_Preserve);
        V.VectorSourceColor(D.RGBA(0, 0, 0, 255));
        V.StrokePath(2);
        V.RotateCoordinates(100, 150, 90);
        V.AddPathBox(100, 140, 40, 20); // turned a quarter clockwise around (100, 150)
        V.VectorSourceColor(D.RGBA(255, 128, 0, 255));
        V.FillPath();
        V.ResetCoordinates();
        V.TranslateCoordinates(10, 150);
        V.ScaleCoordinates(2, 2);
        V.AddPathBox(0, 0, 10, 10);
        V.VectorSourceColor(D.RGBA(0, 0, 0, 128));
        V.FillPath();
        const cursor = [V.PathCursorX(), V.PathCursorY()];
        V.ResetCoordinates();
        V.MovePathCursor(120, 100);
        V.VectorSourceColor(D.RGBA(0, 0, 0, 255));
        const textWidth = V.VectorTextWidth("Text");
        V.DrawVectorText("Text");
        const afterText = [V.PathCursorX() - 120, V.PathCursorY()];
        V.VectorSourceLinearGradient(120, 0, 180, 0);
        V.VectorSourceGradientColor(D.RGBA(255, 0, 0, 255), 0);
        V.VectorSourceGradientColor(D.RGBA(0, 0, 255, 255), 1);
        V.AddPathBox(120, 130, 60, 10);
        V.FillPath();
        V.StopVectorDrawing();
        D.StartDrawing(I.ImageOutput(image));
        const points = {
            box: D.Point(30, 20),
            boxOut: D.Point(61, 20),
            line: D.Point(60, 60),
            circle: D.Point(150, 50),
            ring: D.Point(150, 20),
            rotated: [D.Point(95, 175), D.Point(120, 150)],
            half: D.Point(20, 160),
            gradient: [D.Point(120, 135), D.Point(179, 135)],
        };
        let ink = 0;
        for (let y = 100; y < 120; y++) for (let x = 120; x < 120 + textWidth; x++) if (D.Red(D.Point(x, y)) < 100) ink++;
        points.ink = ink;
        D.StopDrawing();
        S.InitSprite();
        Scr.OpenScreen(200, 200, 32, "Vector");
        D.StartDrawing(Scr.ScreenOutput());
        D.DrawImage(I.ImageID(image), 0, 0);
        D.StopDrawing();
        return { points, emptyAfterFill, cursor, textWidth, afterText };
    });
    const p = r.points;
    assert.equal(r.emptyAfterFill, 1);
    assert.deepEqual([p.box, p.boxOut, p.line, p.circle], [0x0000ff, 0xffffff, 0xff0000, 0x00a000]);
    assert.equal(p.ring & 0xffffff, 0, "the circle's stroke");
    assert.deepEqual(p.rotated, [0x0080ff, 0xffffff], "the box turned to x 90..110, y 150..190");
    assert.deepEqual([p.half & 0xff, (p.half >> 8) & 0xff], [127, 127], "half-transparent black over white");
    assert.deepEqual(r.cursor, [0, 0], "a fill resets the path and its cursor");
    assert.ok(r.textWidth > 15 && p.ink > 10, "text " + r.textWidth + " wide, " + p.ink + " dark pixels");
    assert.deepEqual(r.afterText, [r.textWidth, 100], "the cursor moves to the end of the text");
    assert.ok((p.gradient[0] & 0xff) > 200 && (p.gradient[1] >> 16) > 200, "red to blue: " + p.gradient.map((c) => c.toString(16)));
    await page.screenshot({ path: path.join(shots, "drawing-vector.png") });
    assert.deepEqual(page.errors, []);
    await page.close();
});

test("vector drawing: image sources, layers, paragraphs, custom dashes, stroke hits, coordinate systems", async () => {
    const page = await openPage({ width: 320, height: 220 });
    const r = await page.evaluate(() => {
        const { cDrawing: D, cImage: I, cVectorDrawing: V, cSprite: S, cScreen: Scr, cConstants: C } = window;
        const tile = I.CreateImage(C.PB_Any, 10, 10, 24, D.RGB(255, 0, 0));
        D.StartDrawing(I.ImageOutput(tile));
        D.Box(5, 0, 5, 10, D.RGB(0, 0, 255));
        D.StopDrawing();
        const image = I.CreateImage(C.PB_Any, 300, 200, 32, D.RGB(255, 255, 255));
        const out = {};
        V.StartVectorDrawing(I.ImageVectorOutput(image));
        // The source keeps the coordinates it was selected in.
        V.TranslateCoordinates(25, 0);
        V.VectorSourceImage(I.ImageID(tile), 255, 10, 10, C.PB_VectorImage_Repeat);
        V.ResetCoordinates();
        V.AddPathBox(0, 0, 60, 20);
        V.FillPath();
        V.TranslateCoordinates(100, 0);
        V.VectorSourceImage(I.ImageID(tile), 128);
        V.ResetCoordinates();
        V.AddPathBox(100, 0, 40, 20);
        V.FillPath();
        // Shapes on a half-transparent layer cover each other before the layer is blended.
        V.BeginVectorLayer(128);
        V.VectorSourceColor(D.RGBA(255, 0, 0, 255));
        V.AddPathBox(150, 0, 20, 20);
        V.FillPath();
        V.VectorSourceColor(D.RGBA(0, 0, 255, 255));
        V.AddPathBox(160, 0, 20, 20);
        V.FillPath();
        V.EndVectorLayer();
        V.VectorSourceColor(D.RGBA(0, 0, 0, 255));
        const text = "one two three four five six seven";
        out.lineHeight = V.VectorTextHeight("Mg");
        out.heights = [V.VectorParagraphHeight(text, 60, 1000), V.VectorParagraphHeight(text, 60, out.lineHeight * 2 + 1), V.VectorParagraphHeight("one", 200, 1000)];
        V.MovePathCursor(10, 40);
        V.DrawVectorParagraph(text, 60, 1000);
        out.afterParagraph = V.PathCursorY();
        V.MovePathCursor(180, 40);
        V.DrawVectorParagraph("ab", 100, 50, C.PB_VectorParagraph_Right);
        V.MovePathCursor(10, 180);
        V.AddPathLine(200, 180);
        V.CustomDashPath(4, Float64Array.of(10, 10));
        V.AddPathCircle(250, 150, 30);
        out.stroke = [V.IsInsideStroke(280, 150, 10), V.IsInsideStroke(250, 150, 10), V.IsInsideStroke(250, 131, 10)];
        V.ScaleCoordinates(2, 2);
        out.stroke.push(V.IsInsideStroke(140, 75, 10, C.PB_Path_Default, C.PB_Coordinate_User), V.IsInsideStroke(280, 150, 10, C.PB_Path_Default, C.PB_Coordinate_Device));
        out.convert = [V.ConvertCoordinateX(10, 5), V.ConvertCoordinateY(10, 5), V.ConvertCoordinateX(20, 10, C.PB_Coordinate_Device, C.PB_Coordinate_User)];
        V.CustomDashPath(2, Float64Array.of(-1, 5));
        V.StopVectorDrawing();
        const points = I.CreateImage(C.PB_Any, 10, 10);
        V.StartVectorDrawing(I.ImageVectorOutput(points, C.PB_Unit_Point));
        out.convert.push(V.ConvertCoordinateX(72, 0, C.PB_Coordinate_Output, C.PB_Coordinate_Device));
        V.StopVectorDrawing();
        D.StartDrawing(I.ImageOutput(image));
        out.pixels = {
            source: [D.Point(26, 5), D.Point(31, 5), D.Point(5, 5)],
            faded: [D.Point(101, 5), D.Point(115, 5)],
            layer: [D.Point(155, 5), D.Point(165, 5), D.Point(175, 5)],
            dashes: [D.Point(15, 180), D.Point(25, 180), D.Point(35, 180)],
        };
        const ink = (x0, x1, y0, y1) => {
            let n = 0;
            for (let y = y0; y < y1; y++) for (let x = x0; x < x1; x++) if (D.Red(D.Point(x, y)) < 128) n++;
            return n;
        };
        out.ink = { right: ink(240, 280, 40, 40 + out.lineHeight), left: ink(180, 240, 40, 40 + out.lineHeight), beyondWidth: ink(72, 100, 40, 120) };
        D.StopDrawing();
        S.InitSprite();
        Scr.OpenScreen(300, 200, 32, "Vector");
        D.StartDrawing(Scr.ScreenOutput());
        D.DrawImage(I.ImageID(image), 0, 0);
        D.StopDrawing();
        return out;
    });
    const red = 0x0000ff, blue = 0xff0000, white = 0xffffff;
    const near = (color, rgb) => [color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff].every((c, i) => Math.abs(c - rgb[i]) <= 2);
    assert.deepEqual(r.pixels.source, [red, blue, red], "the tile repeated from x = 25");
    assert.ok(near(r.pixels.faded[0], [255, 127, 127]) && r.pixels.faded[1] === white, "half-transparent, nothing beside the image: " + r.pixels.faded.map((c) => c.toString(16)));
    assert.ok(near(r.pixels.layer[0], [255, 127, 127]) && near(r.pixels.layer[1], [127, 127, 255]) && near(r.pixels.layer[2], [127, 127, 255]), "the layer: " + r.pixels.layer.map((c) => c.toString(16)));
    assert.deepEqual(r.pixels.dashes, [0, white, 0]);
    const line = r.lineHeight;
    assert.ok(r.heights[0] >= 3 * line && r.heights[0] % line === 0, "several lines: " + r.heights);
    assert.deepEqual(r.heights.slice(1), [2 * line, line]);
    assert.equal(r.afterParagraph, 40 + r.heights[0]);
    assert.ok(r.ink.right > 5 && r.ink.left === 0, "right aligned: " + JSON.stringify(r.ink));
    assert.equal(r.ink.beyondWidth, 0, "nothing beyond the paragraph's width");
    assert.deepEqual(r.stroke, [1, 0, 0, 1, 1]);
    assert.deepEqual(r.convert, [20, 10, 10, 96]);
    await page.screenshot({ path: path.join(shots, "drawing-vector-more.png") });
    assert.deepEqual(await page.debug(), ["[ERROR] CustomDashPath(): the array must hold the dash and space lengths, none of them negative."]);
    assert.deepEqual(page.errors, []);
    await page.close();
});

test("vector paths read back: length, points, angles, bounds, segments; rounded corners", async () => {
    const page = await openPage();
    const r = await page.evaluate(() => {
        const { cDrawing: D, cImage: I, cVectorDrawing: V, cConstants: C } = window;
        const image = I.CreateImage(C.PB_Any, 200, 200, 24, D.RGB(255, 255, 255));
        const out = {};
        const round = (x) => Math.round(x * 1000) / 1000;
        const at = (d) => [V.PathPointX(d), V.PathPointY(d), V.PathPointAngle(d)].map(round);
        const bounds = () => [V.PathBoundsX(), V.PathBoundsY(), V.PathBoundsWidth(), V.PathBoundsHeight()].map(round);
        V.StartVectorDrawing(I.ImageVectorOutput(image));
        V.MovePathCursor(10, 10);
        V.AddPathLine(110, 10);
        V.AddPathLine(110, 60);
        out.lines = [V.PathLength(), at(50), at(120), at(-5), at(1000), bounds(), V.PathSegments()];
        V.ClosePath();
        out.closed = [round(V.PathLength()), V.PathSegments()];
        V.ResetPath();
        V.AddPathCircle(50, 50, 20);
        out.circle = [round(V.PathLength()), bounds()];
        V.TranslateCoordinates(100, 0);
        out.circleMoved = bounds();
        V.ResetCoordinates();
        V.ResetPath();
        V.MovePathCursor(0, 50);
        V.AddPathArc(50, 50, 50, 100, 10);
        out.arc = [V.PathCursorX(), V.PathCursorY(), round(V.PathLength()), V.PathSegments().slice(0, 16)];
        V.ResetPath();
        V.AddPathSegments("M 10 10 l 20 0 v 20 h -20 z");
        out.svg = [V.PathSegments(), V.PathLength()];
        V.ResetPath();
        V.MovePathCursor(100, 100);
        V.AddPathSegments("M 0 0 L 10 0", C.PB_Path_Relative);
        out.relative = [V.PathLength(), V.PathPointX(10)];
        V.ResetPath();
        V.AddPathSegments("M 0 0 Q 10 10 20 0 T 40 0");
        out.quadratic = [round(V.PathPointY(V.PathLength() / 4)), round(V.PathPointY((V.PathLength() * 3) / 4))];
        V.ResetPath();
        V.AddPathSegments("M 10");
        // A box with rounded corners drawn with AddPathArc, filled.
        V.ResetPath();
        V.MovePathCursor(60, 110);
        V.AddPathArc(110, 110, 110, 190, 30);
        V.AddPathArc(110, 190, 10, 190, 30);
        V.AddPathArc(10, 190, 10, 110, 30);
        V.AddPathArc(10, 110, 110, 110, 30);
        V.ClosePath();
        V.VectorSourceColor(D.RGBA(0, 0, 255, 255));
        V.FillPath();
        V.StopVectorDrawing();
        D.StartDrawing(I.ImageOutput(image));
        out.pixels = [D.Point(60, 150), D.Point(108, 112), D.Point(12, 188), D.Point(100, 150)];
        D.StopDrawing();
        return out;
    });
    assert.deepEqual(r.lines, [150, [60, 10, 0], [110, 30, 90], [10, 10, 0], [110, 60, 90], [10, 10, 100, 50], "M 10 10 L 110 10 L 110 60"]);
    assert.deepEqual(r.closed, [261.803, "M 10 10 L 110 10 L 110 60 Z"]);
    assert.ok(Math.abs(r.circle[0] - 2 * Math.PI * 20) < 0.2, "a circle of radius 20: " + r.circle[0]);
    assert.deepEqual(r.circle[1], [30, 30, 40, 40]);
    assert.deepEqual(r.circleMoved, [-70, 30, 40, 40], "in the user coordinates of the moment");
    assert.deepEqual(r.arc.slice(0, 2), [50, 60], "the cursor ends where the arc ends");
    assert.ok(Math.abs(r.arc[2] - (40 + (Math.PI * 10) / 2)) < 0.05, "a line of 40 and a quarter circle: " + r.arc[2]);
    assert.equal(r.arc[3], "M 0 50 L 40 50 C");
    assert.deepEqual(r.svg, ["M 10 10 L 30 10 L 30 30 L 10 30 Z", 80]);
    assert.deepEqual(r.relative, [10, 110]);
    assert.ok(r.quadratic[0] > 4 && r.quadratic[0] < 6 && r.quadratic[1] < -4 && r.quadratic[1] > -6, "up and down again: " + r.quadratic);
    assert.deepEqual(r.pixels, [0xff0000, 0xffffff, 0xffffff, 0xff0000], "filled, with rounded corners");
    assert.deepEqual(await page.debug(), ["[ERROR] AddPathSegments(): a number is missing after M."]);
    assert.deepEqual(page.errors, []);
    await page.close();
});

test("sprites on a screen: display, transparency, collisions, flips, keyboard and mouse", async () => {
    const page = await openPage({ width: 400, height: 300 });
    const r = await page.evaluate(async () => {
        const { cDrawing: D, cSprite: S, cScreen: Scr, cKeyboard: K, cMouse: M, cConstants: C } = window;
        const out = {};
        out.init = [S.InitSprite(), K.InitKeyboard(), M.InitMouse()];
        out.open = Scr.OpenScreen(400, 300, 32, "Sprites");
        out.size = [Scr.ScreenWidth(), Scr.ScreenHeight()];
        const ball = S.CreateSprite(C.PB_Any, 20, 20);
        D.StartDrawing(S.SpriteOutput(ball));
        D.Box(0, 0, 20, 20, 0);
        D.Circle(10, 10, 9, D.RGB(255, 0, 0));
        D.StopDrawing();
        S.CreateSprite(1, 30, 10);
        D.StartDrawing(S.SpriteOutput(1));
        D.Box(0, 0, 30, 10, D.RGB(0, 255, 0));
        D.StopDrawing();
        out.sizes = [S.SpriteWidth(ball), S.SpriteHeight(1)];
        Scr.ClearScreen(D.RGB(0, 0, 64));
        S.DisplaySprite(ball, 10, 10);
        S.DisplayTransparentSprite(ball, 50, 10);
        S.DisplayTransparentSprite(ball, 90, 10, 128);
        S.DisplayTransparentSprite(ball, 130, 10, 255, D.RGB(255, 255, 0));
        S.ZoomSprite(1, 60, 20);
        S.DisplaySprite(1, 10, 50);
        const canvas = document.querySelector("canvas.orvane-screen");
        const px = (x, y) => Array.from(canvas.getContext("2d").getImageData(x, y, 1, 1).data);
        out.pixels = [px(10, 10), px(20, 20), px(50, 10), px(60, 20), px(100, 20), px(140, 20), px(69, 69), px(70, 70)];
        out.collide = [S.SpriteCollision(ball, 0, 0, 1, 19, 19), S.SpriteCollision(ball, 0, 0, 1, 20, 0), S.SpriteCollision(ball, 0, 0, ball, 18, 18), S.SpritePixelCollision(ball, 0, 0, ball, 18, 18), S.SpritePixelCollision(ball, 0, 0, ball, 10, 0)];
        const started = performance.now();
        for (let i = 0; i < 3; i++) await Scr.FlipBuffers();
        out.flipTime = performance.now() - started;
        out.keyPushed = [];
        window.orvTestDone = false;
        // The page's own loop: a frame per flip, until Escape.
        (async () => {
            let frames = 0;
            do {
                K.ExamineKeyboard();
                M.ExamineMouse();
                if (K.KeyboardPushed(C.PB_Key_Left)) out.keyPushed.push(frames);
                out.mouse = [M.MouseX(), M.MouseY(), M.MouseButton(C.PB_MouseButton_Left)];
                await Scr.FlipBuffers();
                frames++;
            } while (!K.KeyboardPushed(C.PB_Key_Escape) && frames < 600);
            out.frames = frames;
            window.orvTestDone = true;
        })();
        window.orvTestOut = out;
        return true;
    });
    assert.ok(r);
    await page.keyboard.down("ArrowLeft");
    await page.waitForTimeout(100);
    await page.keyboard.up("ArrowLeft");
    await page.mouse.move(123, 45);
    await page.mouse.down();
    await page.waitForTimeout(100);
    await page.screenshot({ path: path.join(shots, "drawing-sprites.png") });
    await page.mouse.up();
    await page.keyboard.press("Escape");
    await page.waitForFunction(() => window.orvTestDone, null, { timeout: 5000 });
    const out = await page.evaluate(() => window.orvTestOut);
    assert.deepEqual(out.init, [1, 1, 1]);
    assert.equal(out.open, 1);
    assert.deepEqual(out.size, [400, 300]);
    assert.deepEqual(out.sizes, [20, 10]);
    const [opaqueCorner, opaqueCentre, keyedCorner, keyedCentre, faded, tinted, zoomIn, zoomOut] = out.pixels;
    assert.deepEqual(opaqueCorner, [0, 0, 0, 255], "DisplaySprite shows the black corner");
    assert.deepEqual(opaqueCentre, [255, 0, 0, 255]);
    assert.deepEqual(keyedCorner, [0, 0, 64, 255], "black is the transparent colour");
    assert.deepEqual(keyedCentre, [255, 0, 0, 255]);
    assert.ok(Math.abs(faded[0] - 128) <= 2 && Math.abs(faded[2] - 32) <= 2, "intensity 128: " + faded);
    assert.deepEqual(tinted, [255, 255, 0, 255]);
    assert.deepEqual([zoomIn, zoomOut], [[0, 255, 0, 255], [0, 0, 64, 255]], "zoomed to 60 x 20");
    assert.deepEqual(out.collide, [1, 0, 1, 0, 1], "the corners of two balls overlap, their pixels do not");
    assert.ok(out.flipTime > 5, "three flips wait for animation frames: " + out.flipTime);
    assert.ok(out.keyPushed.length >= 1, "the left arrow was seen pushed");
    assert.deepEqual(out.mouse.slice(0, 2), [123, 45]);
    assert.ok(out.frames < 600, "Escape ended the loop");
    assert.deepEqual(page.errors, []);
    await page.close();
});

test("TransformSprite moves the corners, also with depths, until a zoom or a rotation", async () => {
    const page = await openPage({ width: 240, height: 200 });
    const r = await page.evaluate(() => {
        const { cDrawing: D, cSprite: S, cScreen: Scr, cConstants: C } = window;
        S.InitSprite();
        Scr.OpenScreen(240, 200, 32, "Transform");
        const sprite = S.CreateSprite(C.PB_Any, 20, 20);
        D.StartDrawing(S.SpriteOutput(sprite));
        D.Box(0, 0, 10, 20, D.RGB(255, 0, 0));
        D.Box(10, 0, 10, 20, D.RGB(0, 0, 255));
        D.StopDrawing();
        Scr.ClearScreen(D.RGB(0, 64, 0));
        // Twice the size and mirrored: the red left half shows on the right.
        S.TransformSprite(sprite, 40, 0, 0, 0, 0, 40, 40, 40);
        S.DisplaySprite(sprite, 10, 10);
        // A trapezoid, written with depths, its bottom wider than its top.
        S.TransformSprite(sprite, 0, 0, 1, 20, 0, 1, 30, 20, 1, -10, 20, 1);
        S.DisplayTransparentSprite(sprite, 120, 20);
        const transformedWidth = S.SpriteWidth(sprite);
        S.ZoomSprite(sprite, C.PB_Default, C.PB_Default);
        S.DisplaySprite(sprite, 180, 150);
        S.TransformSprite(99, 0, 0, 1, 0, 1, 1, 0, 1);
        const canvas = document.querySelector("canvas.orvane-screen");
        const px = (x, y) => Array.from(canvas.getContext("2d").getImageData(x, y, 1, 1).data);
        return {
            mirrored: [px(40, 30), px(15, 30), px(49, 49), px(10, 10)],
            diagonal: [px(20, 20), px(30, 30), px(40, 40)],
            trapezoid: [px(112, 38), px(112, 22), px(145, 38), px(145, 22)],
            transformedWidth,
            zoomedBack: [px(182, 152), px(198, 168), px(201, 152)],
        };
    });
    const red = [255, 0, 0, 255], blue = [0, 0, 255, 255], ground = [0, 64, 0, 255];
    assert.deepEqual(r.mirrored, [red, blue, red, blue], "mirrored and doubled");
    for (const pixel of r.diagonal) assert.notDeepEqual(pixel, ground, "no seam along the diagonal");
    assert.deepEqual(r.trapezoid, [red, ground, blue, ground], "the bottom reaches out beyond the top");
    assert.equal(r.transformedWidth, 20, "the sprite keeps its size");
    assert.deepEqual(r.zoomedBack, [red, blue, ground], "ZoomSprite ends the transformation");
    await page.screenshot({ path: path.join(shots, "drawing-transform-sprite.png") });
    assert.deepEqual(await page.debug(), ["[ERROR] #Sprite object not initialized."]);
    assert.deepEqual(page.errors, []);
    await page.close();
});

test("drawing in windows: canvas gadget, window output, a windowed screen, the canvas's image", async () => {
    const page = await openPage({ width: 700, height: 420 });
    const r = await page.evaluate(async () => {
        const { cDrawing: D, cImage: I, cWindow: W, cGadget: G, cSprite: S, cScreen: Scr, cVectorDrawing: V, cConstants: C } = window;
        const out = {};
        W.OpenWindow(0, 10, 10, 300, 200, "Canvas", C.PB_Window_SystemMenu);
        G.CanvasGadget(1, 10, 10, 200, 150);
        out.canvas = D.StartDrawing(D.CanvasOutput(1)) !== 0;
        out.white = D.Point(5, 5);
        D.Box(10, 10, 50, 30, D.RGB(255, 0, 0));
        D.DrawText(10, 60, "Canvas", D.RGB(0, 0, 0), D.RGB(255, 255, 255));
        D.StopDrawing();
        V.StartVectorDrawing(V.CanvasVectorOutput(1));
        V.AddPathCircle(150, 75, 30);
        V.VectorSourceColor(D.RGBA(0, 0, 255, 255));
        V.FillPath();
        V.StopVectorDrawing();
        const gadgetCanvas = document.querySelector(".orvane-canvas canvas");
        const px = (canvas, x, y) => Array.from(canvas.getContext("2d").getImageData(x, y, 1, 1).data);
        out.canvasPixels = [px(gadgetCanvas, 10, 10), px(gadgetCanvas, 60, 10), px(gadgetCanvas, 150, 75)];
        // The canvas's image: a snapshot that DrawImage can draw.
        const snapshot = G.GetGadgetAttribute(1, C.PB_Canvas_Image);
        I.CreateImage(2, 200, 150);
        D.StartDrawing(I.ImageOutput(2));
        D.DrawImage(snapshot, 0, 0);
        out.snapshot = [D.Point(20, 20), D.Point(150, 75), D.Point(199, 149)];
        D.StopDrawing();

        W.OpenWindow(3, 330, 10, 300, 200, "Window output", C.PB_Window_SystemMenu);
        G.CanvasGadget(4, 200, 100, 80, 80);
        D.StartDrawing(D.WindowOutput(3));
        out.windowSize = [D.OutputWidth(), D.OutputHeight()];
        D.Circle(100, 100, 60, D.RGB(0, 160, 0));
        D.StopDrawing();
        const layer = document.querySelector(".orvane-window-drawing");
        out.layer = [px(layer, 100, 100), px(layer, 5, 5)[3], layer.parentNode.firstChild === layer];

        W.OpenWindow(5, 10, 230, 200, 150, "Screen", C.PB_Window_SystemMenu);
        S.InitSprite();
        out.screen = Scr.OpenWindowedScreen(W.WindowID(5), 0, 0, 200, 150);
        Scr.ClearScreen(D.RGB(0, 0, 80));
        S.CreateSprite(0, 16, 16);
        D.StartDrawing(S.SpriteOutput(0));
        D.Box(0, 0, 16, 16, D.RGB(255, 255, 0));
        D.StopDrawing();
        S.DisplaySprite(0, 50, 50);
        await Scr.FlipBuffers();
        const screen = document.querySelector(".orvane-screen");
        out.screenPixels = [px(screen, 55, 55), px(screen, 5, 5)];
        out.screenInWindow = screen.parentNode === W.WindowID(5) || !!screen.closest(".ui-dialog");
        return out;
    });
    assert.equal(r.canvas, true);
    assert.equal(r.white, 0xffffff, "a canvas gadget starts white");
    assert.deepEqual(r.canvasPixels, [[255, 0, 0, 255], [255, 255, 255, 255], [0, 0, 255, 255]]);
    assert.deepEqual(r.snapshot, [0x0000ff, 0xff0000, 0xffffff]);
    assert.deepEqual(r.windowSize, [300, 200]);
    assert.deepEqual(r.layer, [[0, 160, 0, 255], 255, true]);
    assert.equal(r.screen, 1);
    assert.deepEqual(r.screenPixels, [[255, 255, 0, 255], [0, 0, 80, 255]]);
    assert.equal(r.screenInWindow, true);
    await page.screenshot({ path: path.join(shots, "drawing-windows.png") });
    assert.deepEqual(await page.debug(), []);
    assert.deepEqual(page.errors, []);
    await page.close();
});
