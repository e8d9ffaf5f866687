// Images and 2D drawing without a browser canvas: pixels, shapes, modes, images and the keyboard
// state. What only a real canvas shows (text, loading, sprites) is tested in Chromium
// (tests/browser/drawing.test.js).
"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

function drawingPage() {
    const page = loadPage();
    const { cImage: I, cDrawing: D, cConstants: C } = page.window;
    // A 24-bit image of width x height in background colour bg, drawn on by draw(D).
    page.draw = (width, height, draw, depth, bg) => {
        const number = I.CreateImage(C.PB_Any, width, height, depth, bg);
        assert.ok(D.StartDrawing(I.ImageOutput(number)));
        draw(D);
        return number;
    };
    // The rows of the current output as text: "#" where the pixel is colour, "." elsewhere.
    page.picture = (color) => {
        const rows = [];
        for (let y = 0; y < D.OutputHeight(); y++) {
            let row = "";
            for (let x = 0; x < D.OutputWidth(); x++) row += D.Point(x, y) === color ? "#" : ".";
            rows.push(row);
        }
        return rows;
    };
    return { page, I, D, C };
}

test("colours are PureBasic's 0xAABBGGRR numbers, split and blended exactly", () => {
    const { D } = drawingPage();
    assert.equal(D.RGB(255, 0, 0), 0xff);
    assert.equal(D.RGB(0x12, 0x34, 0x56), 0x563412);
    assert.equal(D.RGBA(255, 255, 255, 255), 4294967295);
    assert.deepEqual([D.Red(0x80563412), D.Green(0x80563412), D.Blue(0x80563412), D.Alpha(0x80563412)], [0x12, 0x34, 0x56, 0x80]);
    assert.deepEqual([D.Red(-1), D.Alpha(-1)], [255, 255]);
    assert.equal(D.AlphaBlend(D.RGBA(255, 0, 0, 255), D.RGBA(0, 0, 255, 255)), D.RGBA(255, 0, 0, 255));
    assert.equal(D.AlphaBlend(D.RGBA(255, 0, 0, 0), D.RGBA(0, 0, 255, 255)), D.RGBA(0, 0, 255, 255));
    const half = D.AlphaBlend(D.RGBA(255, 0, 0, 128), D.RGBA(0, 0, 255, 255));
    assert.deepEqual([D.Red(half), D.Blue(half), D.Alpha(half)], [128, 127, 255]);
});

test("Plot and Point: exact colours, the origin, and the image's other pixels untouched", () => {
    const { page, D } = drawingPage();
    page.draw(8, 6, () => {}, 24, D.RGB(10, 20, 30));
    assert.equal(D.Point(7, 5), D.RGB(10, 20, 30));
    D.Plot(3, 2, D.RGB(1, 2, 3));
    D.FrontColor(D.RGB(200, 100, 50));
    D.Plot(4, 2);
    D.Plot(5.5, 2.5, 0xffffff); // floats round as PureBasic stores them: 5.5 -> 6, 2.5 -> 2
    assert.deepEqual([D.Point(3, 2), D.Point(4, 2), D.Point(6, 2), D.Point(5, 2)], [0x030201, 0x3264c8, 0xffffff, D.RGB(10, 20, 30)]);
    D.SetOrigin(2, 1);
    D.Plot(0, 0, 0xabcdef);
    D.Plot(6, 0, 0xabcdef); // 8 with the origin: outside, whatever the path Plot takes
    assert.deepEqual(page.debug.splice(0), ["[ERROR] Plot() is outside the drawing area: (8, 1) on an output of 8x6 pixels."]);
    assert.equal(D.GetOriginX() + D.GetOriginY(), 3);
    D.SetOrigin(0, 0);
    assert.equal(D.Point(2, 1), 0xabcdef);
    // The drawing buffer: PokeL writes a pixel, PeekL reads one, in the order the format tells.
    const M = page.window.cMemory;
    const buffer = D.DrawingBuffer();
    assert.equal(D.DrawingBufferPixelFormat(), page.window.cConstants.PB_PixelFormat_32Bits_RGB);
    assert.equal(M.PeekL(buffer + 1 * D.DrawingBufferPitch() + 2 * 4) & 0xffffff, 0xabcdef);
    M.PokeL(buffer + 5 * D.DrawingBufferPitch() + 7 * 4, 0xff112233);
    assert.equal(D.Point(7, 5), 0x112233);
    D.StopDrawing();
});

test("shapes cover the pixels PureBasic's sizes name", () => {
    const { page, D, C } = drawingPage();
    page.draw(12, 9, () => {});
    D.Box(1, 1, 4, 3, 0xff);
    D.Box(10, 8, -3, -2, 0xff); // negative sizes grow left and up from the start pixel
    assert.deepEqual(page.picture(0xff), [
        "............",
        ".####.......",
        ".####.......",
        ".####.......",
        "............",
        "............",
        "............",
        "........###.",
        "........###.",
    ]);

    page.draw(9, 9, () => {});
    D.Circle(4, 4, 3, 0xff00);
    const circle = page.picture(0xff00);
    assert.deepEqual(circle, ["........."].concat(circle.slice(1, 8)).concat(["........."]));
    assert.equal(circle[4], ".#######.", "diameter 2 * radius + 1");
    assert.equal(circle[1], "...###...");
    assert.deepEqual(circle, circle.slice().reverse(), "symmetric");
    D.DrawingMode(C.PB_2DDrawing_Outlined);
    D.Circle(4, 4, 3, 0xff);
    const ring = page.picture(0xff);
    assert.equal(ring[4], ".#.....#.");
    assert.equal(ring[1], "...###...");

    page.draw(11, 7, () => {});
    D.Ellipse(5, 3, 5, 2, 0xff);
    assert.deepEqual(page.picture(0xff), ["...........", "..#######..", "###########", "###########", "###########", "..#######..", "..........."].map((r, i) => (i === 0 || i === 6 ? "..........." : r)));
    D.Box(0, 0, 11, 7, 0);
    D.RoundBox(0, 0, 11, 7, 3, 2, 0xff);
    const round = page.picture(0xff);
    assert.equal(round[3], "###########");
    assert.equal(round[0][0] + round[6][10], "..", "corners are cut");
    assert.equal(round[0][5], "#");

    page.draw(8, 5, () => {});
    D.Line(1, 4, 5, 1, 0xff); // height 1: horizontal, five pixels from x = 1
    D.Line(0, 0, 4, 0, 0xff00); // height 0: nothing
    D.LineXY(7, 3, 4, 0, 0xff0000);
    assert.deepEqual(page.picture(0xff), ["........", "........", "........", "........", ".#####.."]);
    assert.deepEqual(page.picture(0xff0000), ["....#...", ".....#..", "......#.", ".......#", "........"]);
    assert.ok(!page.picture(0xff00).join("").includes("#"));
});

test("FillArea fills by the start colour or up to an outline, the alpha channel aside", () => {
    const { page, D, C } = drawingPage();
    page.draw(9, 9, () => {}, 24, 0xffffff);
    D.DrawingMode(C.PB_2DDrawing_Outlined);
    D.Box(1, 1, 7, 7, 0xff);
    D.Plot(4, 2, 0xff00); // another colour inside the outline
    D.FillArea(4, 4, 0xff, 0xff0000);
    assert.equal(D.Point(4, 2), 0xff0000, "up to the outline colour, over other colours");
    assert.equal(D.Point(0, 0), 0xffffff);
    assert.equal(D.Point(1, 4), 0xff);
    D.FillArea(0, 0, -1, 0x00ff00);
    assert.equal(D.Point(8, 8), 0xff00);
    assert.equal(D.Point(4, 4), 0xff0000);
    D.FillArea(0, 0, -1, 0x00ff00); // the same colour again must end too
    D.StopDrawing();
});

test("drawing modes: XOr, alpha blending, alpha channel, gradient, clipping, custom filter", () => {
    const { page, D, C } = drawingPage();
    page.draw(10, 4, () => {}, 24, D.RGB(0, 0, 0));
    D.DrawingMode(C.PB_2DDrawing_XOr);
    D.Box(0, 0, 10, 4, 0x0f0f0f);
    D.Box(0, 0, 5, 4, 0x0f0f0f);
    assert.deepEqual([D.Point(0, 0), D.Point(9, 0)], [0, 0x0f0f0f]);
    D.DrawingMode(C.PB_2DDrawing_AlphaBlend);
    D.Box(0, 0, 10, 4, D.RGBA(255, 0, 0, 128));
    D.Box(0, 0, 2, 2, D.RGB(0, 255, 0)); // an RGB colour has alpha 0: nothing changes
    assert.equal(D.Point(0, 0), 0x000080);
    D.StopDrawing();

    // A 32-bit image: the default mode keeps the alpha channel, the alpha modes set it.
    page.draw(4, 1, () => {}, 32, C.PB_Image_Transparent);
    D.Box(0, 0, 4, 1, 0xffffff);
    D.DrawingMode(C.PB_2DDrawing_AlphaBlend);
    assert.equal(D.Point(0, 0), 0x00ffffff);
    D.Plot(1, 0, D.RGBA(0, 0, 255, 255));
    D.DrawingMode(C.PB_2DDrawing_AllChannels);
    D.Plot(2, 0, D.RGBA(1, 2, 3, 4));
    D.DrawingMode(C.PB_2DDrawing_AlphaChannel);
    D.Plot(3, 0, D.RGBA(9, 9, 9, 200));
    assert.deepEqual([D.Point(1, 0), D.Point(2, 0), D.Point(3, 0)], [0xffff0000, D.RGBA(1, 2, 3, 4), 0xc8ffffff]);
    D.DrawingMode(C.PB_2DDrawing_Default);
    assert.equal(D.Point(1, 0), 0xff0000, "Point has no alpha outside the alpha modes");
    D.StopDrawing();

    page.draw(11, 3, () => {});
    D.FrontColor(D.RGB(200, 0, 0));
    D.BackColor(D.RGB(0, 0, 100));
    D.LinearGradient(0, 0, 10, 0);
    D.DrawingMode(C.PB_2DDrawing_Gradient);
    D.Box(0, 0, 11, 3);
    assert.deepEqual([D.Point(0, 1), D.Point(10, 1)], [D.RGB(0, 0, 100), D.RGB(200, 0, 0)]);
    assert.equal(D.Red(D.Point(5, 1)), 100);
    D.GradientColor(0.5, D.RGB(0, 255, 0));
    D.Box(0, 0, 11, 3);
    assert.equal(D.Point(5, 1), D.RGB(0, 255, 0));

    D.DrawingMode(C.PB_2DDrawing_Default);
    D.ClipOutput(2, 1, 3, 1);
    D.Box(0, 0, 11, 3, 0xffffff);
    D.Plot(0, 0, 0x123456); // Plot is not clipped
    D.UnclipOutput();
    assert.deepEqual(page.picture(0xffffff), ["...........", "..###......", "..........."]);
    assert.equal(D.Point(0, 0), 0x123456);

    const before = D.Point(2, 0);
    const seen = [];
    D.CustomFilterCallback((x, y, source, target) => {
        seen.push([x, y]);
        return source | target;
    });
    D.DrawingMode(C.PB_2DDrawing_CustomFilter);
    D.Box(1, 0, 2, 1, 0x0000ff);
    assert.deepEqual(seen, [[1, 0], [2, 0]]);
    assert.equal(D.Point(2, 0), (0x0000ff | before) >>> 0);
    D.StopDrawing();
});

test("images: create, copy, grab, resize, #PB_Any, free", () => {
    const { page, I, D, C } = drawingPage();
    const a = page.draw(4, 2, (d) => {
        d.Box(0, 0, 2, 2, 0x0000ff);
        d.Plot(3, 1, 0x00ff00);
    });
    D.StopDrawing();
    assert.ok(a > 0 && I.IsImage(a));
    assert.deepEqual([I.ImageWidth(a), I.ImageHeight(a), I.ImageDepth(a)], [4, 2, 24]);
    assert.ok(I.ImageID(a) !== 0 && I.ImageID(a) !== a);
    assert.notEqual(I.CopyImage(a, 5), 0);
    assert.notEqual(I.GrabImage(a, 6, 2, 1, 3, 2), 0);
    assert.equal(I.ResizeImage(5, 8, C.PB_Ignore, C.PB_Image_Raw), 1);
    assert.deepEqual([I.ImageWidth(5), I.ImageHeight(5), I.ImageWidth(6)], [8, 2, 3]);
    D.StartDrawing(I.ImageOutput(5));
    assert.deepEqual([D.Point(3, 0), D.Point(4, 0), D.Point(6, 1), D.Point(7, 1)], [0xff, 0, 0xff00, 0xff00]);
    D.StopDrawing();
    D.StartDrawing(I.ImageOutput(6));
    assert.deepEqual([D.Point(0, 0), D.Point(1, 0), D.Point(2, 0), D.Point(1, 1)], [0, 0xff00, 0, 0], "outside the source is black");
    D.DrawImage(I.ImageID(a), 0, 0, 2, 1);
    assert.deepEqual([D.Point(0, 0), D.Point(1, 0)], [0xff, 0xff00], "scaled, each pixel from the source pixel under its centre");
    D.StopDrawing();
    I.FreeImage(a);
    assert.equal(I.IsImage(a), 0);
    I.FreeImage(C.PB_All);
    assert.equal(I.IsImage(5) + I.IsImage(6), 0);
    const transparent = I.CreateImage(C.PB_Any, 2, 2, 32, C.PB_Image_Transparent);
    assert.equal(I.ImageDepth(transparent), 32);
    D.StartDrawing(I.ImageOutput(transparent));
    D.DrawingMode(C.PB_2DDrawing_AlphaChannel);
    assert.equal(D.Point(0, 0), 0);
    D.StopDrawing();
});

test("image frames: added blank, drawn on one by one, with their delays, removed", () => {
    const { page, I, D, C } = drawingPage();
    const image = page.draw(2, 1, (d) => d.Plot(0, 0, 0x0000ff));
    D.StopDrawing();
    assert.deepEqual([I.ImageFrameCount(image), I.GetImageFrame(image), I.GetImageFrameDelay(image)], [1, 0, 0]);
    I.SetImageFrame(image, 0);
    assert.equal(I.AddImageFrame(image), 1);
    assert.equal(I.AddImageFrame(image, 0), 1, "a frame before the one shown");
    assert.deepEqual([I.ImageFrameCount(image), I.GetImageFrame(image)], [3, 1], "the frame shown stays the same");
    const pixel = (frame) => {
        I.SetImageFrame(image, frame);
        D.StartDrawing(I.ImageOutput(image));
        const color = D.Point(0, 0);
        D.StopDrawing();
        return color;
    };
    assert.deepEqual([pixel(0), pixel(1), pixel(2)], [0, 0x0000ff, 0], "new frames are blank (black at 24 bits)");
    D.StartDrawing(I.ImageOutput(image));
    D.Plot(0, 0, 0x00ff00);
    D.StopDrawing();
    I.SetImageFrameDelay(image, 40);
    I.SetImageFrame(image, 1);
    I.SetImageFrameDelay(image, 80);
    assert.deepEqual([pixel(2), pixel(1), pixel(0)], [0x00ff00, 0x0000ff, 0], "each frame keeps its drawing");
    I.SetImageFrame(image, 2);
    assert.equal(I.GetImageFrameDelay(image), 40);
    assert.equal(I.RemoveImageFrame(image, 2), 1, "the frame shown goes, the one before shows");
    assert.deepEqual([I.ImageFrameCount(image), I.GetImageFrame(image), I.GetImageFrameDelay(image)], [2, 1, 80]);
    assert.equal(I.RemoveImageFrame(image, 0), 1);
    assert.deepEqual([I.GetImageFrame(image), pixel(0)], [0, 0x0000ff]);
    const copy = I.CopyImage(image, C.PB_Any);
    assert.equal(I.ImageFrameCount(copy), 1, "CopyImage takes the frame shown");
    assert.equal(I.RemoveImageFrame(image, 0), 0);
    I.SetImageFrame(image, 3);
    assert.deepEqual(page.debug, [
        "[ERROR] RemoveImageFrame(): the only frame of an image cannot be removed.",
        "[ERROR] SetImageFrame(): the frame index 3 is out of range (the image has 1 frames).",
    ]);
});

test("bad input shows the debugger's message once and the program goes on", () => {
    const { page, I, D } = drawingPage();
    const debug = page.debug;
    for (let i = 0; i < 5; i++) D.Box(0, 0, 5, 5);
    assert.equal(D.Point(0, 0), 0);
    assert.equal(I.ImageWidth(77), 0);
    assert.equal(I.CreateImage(1, 0, 10), 0);
    assert.equal(D.StartDrawing(0), 0);
    assert.equal(D.StartDrawing(I.ImageOutput(78)), 0);
    assert.deepEqual(debug.splice(0), [
        "[ERROR] Box(): there is no current drawing output (StartDrawing() was not called or failed).",
        "[ERROR] Point(): there is no current drawing output (StartDrawing() was not called or failed).",
        "[ERROR] #Image object not initialized.",
        "[ERROR] CreateImage(): the image width and height must be greater than 0 (0x10).",
        "[ERROR] #Image object not initialized.",
    ]);
    page.draw(10, 10, () => {});
    for (let i = 0; i < 3; i++) D.Plot(10, 3, 0xff);
    assert.equal(D.Point(-1, 0), 0);
    const started = Date.now();
    D.Circle(5, 5, 1e9, 0xff);
    D.LineXY(-1e9, -1e9, 1e9, 1e9, 0xff00);
    D.Box(-1e9, 4, 2e9, 1, 0xff0000);
    D.FillArea(1e9, 3, -1, 0xff);
    assert.ok(Date.now() - started < 500, "shapes far outside cost only what is visible");
    assert.deepEqual([D.Point(0, 0), D.Point(9, 4)], [0xff00, 0xff0000]);
    assert.deepEqual(debug.splice(0), [
        "[ERROR] Plot() is outside the drawing area: (10, 3) on an output of 10x10 pixels.",
        "[ERROR] Point() is outside the drawing area: (-1, 0) on an output of 10x10 pixels.",
    ]);
    D.StopDrawing();
});

test("plotting every pixel of an 800x600 image takes well under a second", () => {
    const { page, D } = drawingPage();
    page.draw(800, 600, () => {});
    const started = Date.now();
    for (let y = 0; y < 600; y++) for (let x = 0; x < 800; x++) D.Plot(x, y, x * y);
    D.StopDrawing();
    assert.ok(Date.now() - started < 500, Date.now() - started + " ms");
});

test("keyboard: pushed while down, released once after, quick taps and typed characters", () => {
    const { window } = loadPage();
    const { cKeyboard: K, cConstants: C } = window;
    const key = (type, code, text) => window.document.dispatchEvent(new window.KeyboardEvent(type, { code, key: text || "" }));
    K.ExamineKeyboard();
    assert.equal(K.KeyboardPushed(C.PB_Key_A), 0);
    assert.equal(K.InitKeyboard(), 1);
    key("keydown", "KeyA", "a");
    K.ExamineKeyboard();
    assert.deepEqual([K.KeyboardPushed(C.PB_Key_A), K.KeyboardPushed(C.PB_Key_All), K.KeyboardReleased(C.PB_Key_A)], [1, 1, 0]);
    assert.equal(K.KeyboardInkey(), "a");
    key("keyup", "KeyA");
    key("keydown", "Space", " ");
    key("keyup", "Space");
    K.ExamineKeyboard();
    assert.deepEqual([K.KeyboardPushed(C.PB_Key_A), K.KeyboardReleased(C.PB_Key_A), K.KeyboardPushed(C.PB_Key_Space)], [0, 1, 1]);
    K.ExamineKeyboard();
    assert.deepEqual([K.KeyboardReleased(C.PB_Key_A), K.KeyboardReleased(C.PB_Key_Space), K.KeyboardPushed(C.PB_Key_All)], [0, 1, 0]);
    key("keydown", "ArrowLeft");
    K.ExamineKeyboard();
    assert.equal(K.KeyboardPushed(C.PB_Key_Left), 1);
});
