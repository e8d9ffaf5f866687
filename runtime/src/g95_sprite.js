// Screens and sprites on the plain canvas: a screen is a canvas element, a sprite a bitmap whose
// canvas is drawn with drawImage. The browser shows a canvas only between two turns of its event
// loop, so drawing straight onto the screen's canvas is already double-buffered: FlipBuffers
// waits for the next animation frame (or, without synchronisation, for the next turn of the
// event loop), which is when the frame drawn since the last flip appears.

var ORV_SPRITE_PIXEL_COLLISION = 4;
var ORV_SPRITE_ALPHA_BLENDING = 8;

var orvSpriteRegistry = orvRegistry("Sprite");
var orvScreen = null;
var orvSpriteInitialized = false;
var orvDefaultTransparentColor = 0;
var orvSpriteSmooth = false;
var orvSpriteComposite = "source-over";

// The next turn of the event loop, without the minimum delay of a timer.
var orvTurnQueue = [];
var orvTurnChannel = null;

function orvNextTurn(callback) {
    if (typeof MessageChannel === "undefined") return setTimeout(callback, 0);
    if (!orvTurnChannel) {
        orvTurnChannel = new MessageChannel();
        orvTurnChannel.port1.onmessage = function () {
            var callbacks = orvTurnQueue;
            orvTurnQueue = [];
            callbacks.forEach(function (f) {
                f();
            });
        };
    }
    orvTurnQueue.push(callback);
    if (orvTurnQueue.length === 1) orvTurnChannel.port2.postMessage(0);
}

function orvCurrentScreen(name) {
    if (orvScreen) return orvScreen;
    orvDrawingReport("screen " + name, name + "(): there is no screen (OpenScreen() or OpenWindowedScreen() was not called or failed).");
    return null;
}

function orvSpriteNeedsInit(name) {
    if (orvSpriteInitialized) return true;
    orvDrawingReport("init " + name, name + "(): InitSprite() must be called before using the sprite and screen commands.");
    return false;
}

// A drawing (StartDrawing) on the screen must end before the screen is cleared or flipped.
function orvScreenBusy(name) {
    if (orvDrawing && orvScreen && orvDrawing.target.owner === orvScreen.canvas) {
        orvError(name + "() has to be called outside a StartDrawing(ScreenOutput()) : StopDrawing() block.");
        return true;
    }
    return false;
}

function orvNewSprite(number, bitmap, mode) {
    var sprite = bitmap;
    sprite.mode = orvInt(mode);
    sprite.transparentColor = orvDefaultTransparentColor;
    sprite.zoomWidth = -1;
    sprite.zoomHeight = -1;
    sprite.angle = 0;
    sprite.corners = null;
    sprite.clip = null;
    sprite.keyed = null;
    sprite.tinted = null;
    return orvSpriteRegistry.Create(number, sprite);
}

function orvFindSprite(handleOrNumber) {
    var sprite = orvObjectOfHandle(handleOrNumber);
    if (sprite && sprite.objectKind === "Sprite" && !sprite.freed) return sprite;
    return orvSpriteRegistry.Find(handleOrNumber);
}

function orvSpriteWidth(sprite) {
    return sprite.zoomWidth >= 0 ? sprite.zoomWidth : sprite.clip ? sprite.clip.width : sprite.width;
}

function orvSpriteHeight(sprite) {
    return sprite.zoomHeight >= 0 ? sprite.zoomHeight : sprite.clip ? sprite.clip.height : sprite.height;
}

// The sprite with its transparent colour cut out, made again only after the sprite changed.
function orvKeyedCanvas(sprite) {
    var canvas = orvBitmapCanvas(sprite);
    if (!canvas) return null;
    var keyed = sprite.keyed;
    if (keyed && keyed.source === sprite.data && keyed.color === sprite.transparentColor && keyed.version === sprite.version) return keyed.canvas;
    var copy = new Uint32Array(sprite.data);
    var key = sprite.transparentColor & 0xffffff;
    for (var i = 0; i < copy.length; i++) if ((copy[i] & 0xffffff) === key) copy[i] = 0;
    var out = keyed && keyed.canvas.width === sprite.width && keyed.canvas.height === sprite.height ? keyed.canvas : orvNewCanvas(sprite.width, sprite.height);
    orvContext(out).putImageData(new ImageData(new Uint8ClampedArray(copy.buffer), sprite.width, sprite.height), 0, 0);
    sprite.keyed = { canvas: out, source: sprite.data, color: sprite.transparentColor, version: sprite.version };
    sprite.tinted = null;
    return out;
}

// The keyed sprite painted in one colour.
function orvTintedCanvas(sprite, color) {
    var keyed = orvKeyedCanvas(sprite);
    if (!keyed) return null;
    if (sprite.tinted && sprite.tinted.color === color && sprite.tinted.keyed === sprite.keyed) return sprite.tinted.canvas;
    var out = orvNewCanvas(sprite.width, sprite.height);
    var context = orvContext(out);
    context.drawImage(keyed, 0, 0);
    context.globalCompositeOperation = "source-in";
    context.fillStyle = orvCssRgba((color & 0xffffff) | 0xff000000);
    context.fillRect(0, 0, sprite.width, sprite.height);
    sprite.tinted = { canvas: out, color: color, keyed: sprite.keyed };
    return out;
}

function orvDisplaySprite(name, number, x, y, pick) {
    var screen = orvCurrentScreen(name);
    if (!screen) return;
    var sprite = orvSpriteRegistry.Get(number);
    if (!sprite) return;
    var source = pick(sprite);
    if (!source) return;
    var context = screen.context;
    var clip = sprite.clip || { x: 0, y: 0, width: sprite.width, height: sprite.height };
    var width = orvSpriteWidth(sprite), height = orvSpriteHeight(sprite);
    x = orvNumber(x);
    y = orvNumber(y);
    if (sprite.corners) {
        orvDisplayCorners(context, source, clip, sprite.corners, x, y);
    } else if (sprite.angle) {
        context.save();
        context.translate(x + width / 2, y + height / 2);
        context.rotate((sprite.angle * Math.PI) / 180);
        context.drawImage(source, clip.x, clip.y, clip.width, clip.height, -width / 2, -height / 2, width, height);
        context.restore();
    } else if (clip.width === width && clip.height === height && clip.x === 0 && clip.y === 0 && width === sprite.width && height === sprite.height) {
        context.drawImage(source, x, y);
    } else {
        context.drawImage(source, clip.x, clip.y, clip.width, clip.height, x, y, width, height);
    }
}

// TransformSprite's quadrilateral: the sprite is two triangles, split along the diagonal from its
// top right to its bottom left corner. Each is the sprite drawn with the affine transformation
// that takes three of its corners to theirs, cut along the diagonal: the outer edges are the
// edges of the drawn image itself. The first triangle reaches a pixel over the diagonal, so that
// the edge of the second, drawn over it, shows no seam.
function orvDisplayCorners(context, source, clip, corners, x, y) {
    var u = [clip.x, clip.x + clip.width, clip.x + clip.width, clip.x];
    var v = [clip.y, clip.y, clip.y + clip.height, clip.y + clip.height];
    var px = [], py = [];
    for (var i = 0; i < 4; i++) {
        px.push(x + corners[2 * i]);
        py.push(y + corners[2 * i + 1]);
    }
    var ax = px[1], ay = py[1], bx = px[3], by = py[3];
    var length = Math.sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
    if (!length) return;
    var dx = (bx - ax) / length, dy = (by - ay) / length;
    var far = 1e5;
    [
        [0, 1],
        [2, 0],
    ].forEach(function (pass) {
        var k = pass[0], overlap = pass[1];
        // The three corners 1, 3 and k map the sprite's corners to theirs.
        var du1 = u[3] - u[1], dv1 = v[3] - v[1], du2 = u[k] - u[1], dv2 = v[k] - v[1];
        var det = du1 * dv2 - du2 * dv1;
        var dx1 = px[3] - px[1], dy1 = py[3] - py[1], dx2 = px[k] - px[1], dy2 = py[k] - py[1];
        var m11 = (dx1 * dv2 - dx2 * dv1) / det, m12 = (dy1 * dv2 - dy2 * dv1) / det;
        var m21 = (dx2 * du1 - dx1 * du2) / det, m22 = (dy2 * du1 - dy1 * du2) / det;
        if (!isFinite(m11 + m12 + m21 + m22)) return;
        // The half plane on corner k's side of the diagonal, moved over it by the overlap.
        var nx = -dy, ny = dx;
        if ((px[k] - ax) * nx + (py[k] - ay) * ny > 0) {
            nx = -nx;
            ny = -ny;
        }
        var sx = ax + nx * overlap, sy = ay + ny * overlap;
        context.save();
        context.beginPath();
        context.moveTo(sx - dx * far, sy - dy * far);
        context.lineTo(sx + dx * far, sy + dy * far);
        context.lineTo(sx + dx * far - nx * far, sy + dy * far - ny * far);
        context.lineTo(sx - dx * far - nx * far, sy - dy * far - ny * far);
        context.closePath();
        context.clip();
        context.transform(m11, m12, m21, m22, px[1] - m11 * u[1] - m21 * v[1], py[1] - m12 * u[1] - m22 * v[1]);
        context.drawImage(source, clip.x, clip.y, clip.width, clip.height, clip.x, clip.y, clip.width, clip.height);
        context.restore();
    });
}

// The screen's canvas in a window's inner area, or over the whole page.
function orvOpenScreen(canvas, width, height, flipMode, window) {
    if (orvScreen) cScreen.CloseScreen();
    var context = orvContext(canvas);
    if (!context) return 0;
    context.fillStyle = "#000000";
    context.fillRect(0, 0, width, height);
    canvas.tabIndex = 0;
    canvas.addEventListener("contextmenu", function (event) {
        event.preventDefault();
    });
    orvScreen = {
        canvas: canvas,
        context: context,
        width: width,
        height: height,
        window: window,
        flipMode: flipMode === undefined ? 1 : orvInt(flipMode),
        frameRate: 0,
        lastFlip: 0,
        modes: null,
    };
    orvApplySpriteQuality();
    if (canvas.focus) canvas.focus({ preventScroll: true });
    return 1;
}

function orvApplySpriteQuality() {
    if (!orvScreen) return;
    orvScreen.context.imageSmoothingEnabled = orvSpriteSmooth;
    orvScreen.context.globalCompositeOperation = orvSpriteComposite;
}

function orvLoadSpriteFrom(name, number, mode, bytesPromise, what) {
    return bytesPromise
        .then(orvDecodeImage)
        .then(function (bitmap) {
            return orvNewSprite(number, bitmap, mode);
        })
        .catch(function (error) {
            orvError(name + "(): " + what + " could not be loaded (" + ((error && error.message) || error) + ").");
            return 0;
        });
}

var cScreen = (global.cScreen = {
    OpenWindowedScreen: function (windowId, x, y, width, height, autoStretch, rightOffset, bottomOffset, flipMode) {
        if (!orvSpriteNeedsInit("OpenWindowedScreen")) return 0;
        var win = orvObjectOfHandle(windowId);
        if (!win || !win.inner) {
            orvError("OpenWindowedScreen(): the WindowID is not valid (use WindowID() to get it).");
            return 0;
        }
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        if (width <= 0 || height <= 0) {
            orvError("OpenWindowedScreen(): the screen width and height must be greater than 0.");
            return 0;
        }
        var canvas = orvNewCanvas(width, height);
        if (!canvas) return 0;
        canvas.className = "orvane-screen";
        canvas.style.cssText = "position:absolute;outline:none;left:" + orvPixelInt(x) + "px;top:" + orvPixelInt(y) + "px;width:" + width + "px;height:" + height + "px;";
        win.inner.appendChild(canvas);
        return orvOpenScreen(canvas, width, height, flipMode, win);
    },

    // A full screen is the whole page: the canvas covers it, scaled to fit.
    OpenScreen: function (width, height, depth, title, flipMode) {
        if (!orvSpriteNeedsInit("OpenScreen")) return 0;
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        if (width <= 0 || height <= 0) {
            orvError("OpenScreen(): the screen width and height must be greater than 0.");
            return 0;
        }
        var canvas = orvNewCanvas(width, height);
        if (!canvas) return 0;
        canvas.className = "orvane-screen orvane-full-screen";
        canvas.style.cssText = "position:fixed;left:0;top:0;width:100vw;height:100vh;object-fit:contain;image-rendering:pixelated;background:#000;z-index:1000;outline:none;";
        document.body.appendChild(canvas);
        if (title !== undefined) document.title = orvText(title);
        return orvOpenScreen(canvas, width, height, flipMode, null);
    },

    CloseScreen: function () {
        if (!orvCurrentScreen("CloseScreen")) return;
        if (orvScreen.canvas.parentNode) orvScreen.canvas.parentNode.removeChild(orvScreen.canvas);
        orvScreen = null;
    },

    ScreenOutput: function () {
        var screen = orvCurrentScreen("ScreenOutput");
        return screen ? orvNewOutput({ kind: "canvas", canvas: screen.canvas }) : 0;
    },

    ScreenID: function () {
        var screen = orvCurrentScreen("ScreenID");
        return screen ? orvHandle(screen) : 0;
    },
    ScreenWidth: function () {
        return orvScreen ? orvScreen.width : 0;
    },
    ScreenHeight: function () {
        return orvScreen ? orvScreen.height : 0;
    },
    ScreenDepth: function () {
        return orvScreen ? 32 : 0;
    },
    IsScreenActive: function () {
        return orvScreen && (typeof document === "undefined" || document.visibilityState !== "hidden") ? 1 : 0;
    },

    ClearScreen: function (color) {
        var screen = orvCurrentScreen("ClearScreen");
        if (!screen || orvScreenBusy("ClearScreen")) return;
        var context = screen.context;
        var keep = context.globalCompositeOperation;
        context.globalCompositeOperation = "source-over";
        context.fillStyle = orvCssRgba((orvColor(color) & 0xffffff) | 0xff000000);
        context.fillRect(0, 0, screen.width, screen.height);
        context.globalCompositeOperation = keep;
    },

    // Resolves when the frame drawn since the last flip is on the screen.
    FlipBuffers: function () {
        var screen = orvCurrentScreen("FlipBuffers");
        if (!screen || orvScreenBusy("FlipBuffers")) return Promise.resolve();
        return new Promise(function (resolve) {
            var done = function () {
                screen.lastFlip = typeof performance !== "undefined" ? performance.now() : Date.now();
                resolve();
            };
            if (screen.flipMode === 0 || typeof requestAnimationFrame !== "function") {
                orvNextTurn(done);
                return;
            }
            var frame = function (time) {
                if (screen.frameRate > 0 && time - screen.lastFlip < 1000 / screen.frameRate - 2) requestAnimationFrame(frame);
                else done();
            };
            requestAnimationFrame(frame);
        });
    },

    SetFrameRate: function (frameRate) {
        var screen = orvCurrentScreen("SetFrameRate");
        if (screen) screen.frameRate = Math.max(0, orvNumber(frameRate));
    },

    // Windowed screens have no gamma of their own; the desktop ignores it there too.
    ChangeGamma: function () {},

    // The browser shows one mode: the display's.
    ExamineScreenModes: function () {
        var display = typeof screen !== "undefined" ? screen : { width: 1920, height: 1080 };
        orvScreenModes = { list: [{ width: display.width, height: display.height, depth: 32, rate: 60 }], index: -1 };
        return 1;
    },
    NextScreenMode: function () {
        if (!orvScreenModes || orvScreenModes.index + 1 >= orvScreenModes.list.length) return 0;
        orvScreenModes.index++;
        return 1;
    },
    ScreenModeWidth: function () {
        return orvScreenMode().width;
    },
    ScreenModeHeight: function () {
        return orvScreenMode().height;
    },
    ScreenModeDepth: function () {
        return orvScreenMode().depth;
    },
    ScreenModeRefreshRate: function () {
        return orvScreenMode().rate;
    },
});

var orvScreenModes = null;

function orvScreenMode() {
    if (!orvScreenModes || orvScreenModes.index < 0) return { width: 0, height: 0, depth: 0, rate: 0 };
    return orvScreenModes.list[orvScreenModes.index];
}

var cSprite = (global.cSprite = {
    InitSprite: function () {
        orvSpriteInitialized = orvCanvasUsable;
        return orvSpriteInitialized ? 1 : 0;
    },

    CreateSprite: function (number, width, height, mode) {
        if (!orvSpriteNeedsInit("CreateSprite")) return 0;
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        if (width <= 0 || height <= 0) {
            orvError("CreateSprite(): the sprite width and height must be greater than 0.");
            return 0;
        }
        var bitmap = orvAllocateBitmap("CreateSprite", width, height, 0xff000000);
        return bitmap ? orvNewSprite(number, bitmap, mode) : 0;
    },

    LoadSprite: function (number, fileName, mode) {
        if (!orvSpriteNeedsInit("LoadSprite")) return Promise.resolve(0);
        fileName = orvText(fileName);
        return orvLoadSpriteFrom("LoadSprite", number, mode, orvLoadableFileBytes(fileName), "the image '" + fileName + "'");
    },

    CatchSprite: function (number, address, mode) {
        if (!orvSpriteNeedsInit("CatchSprite")) return Promise.resolve(0);
        var bytes = orvImageBytesAt("CatchSprite", address);
        if (!bytes) return Promise.resolve(0);
        var what = typeof address === "number" ? "the image at this address" : "the included image";
        return orvLoadSpriteFrom("CatchSprite", number, mode, Promise.resolve(bytes), what);
    },

    CopySprite: function (source, number, mode) {
        var sprite = orvSpriteRegistry.Get(source);
        if (!sprite) return 0;
        var bitmap = orvAllocateBitmap("CopySprite", sprite.width, sprite.height, 0);
        if (!bitmap) return 0;
        bitmap.data.set(sprite.data);
        var result = orvNewSprite(number, bitmap, mode === undefined ? sprite.mode : mode);
        var copy = orvSpriteRegistry.Find(orvInt(number) === -1 ? result : number);
        if (copy) copy.transparentColor = sprite.transparentColor;
        return result;
    },

    GrabSprite: function (number, x, y, width, height, mode) {
        var screen = orvCurrentScreen("GrabSprite");
        if (!screen) return 0;
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        if (width <= 0 || height <= 0) {
            orvError("GrabSprite(): the sprite width and height must be greater than 0.");
            return 0;
        }
        var bitmap;
        try {
            bitmap = orvBitmapOfCanvas(screen.canvas, orvPixelInt(x), orvPixelInt(y), width, height);
        } catch (error) {
            orvError("GrabSprite(): the sprite of " + width + "x" + height + " pixels could not be created.");
            return 0;
        }
        for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
        return orvNewSprite(number, bitmap, mode);
    },

    FreeSprite: function (number) {
        if (orvInt(number) === -1) {
            orvSpriteRegistry.All().forEach(function (sprite) {
                orvSpriteRegistry.Free(sprite.number);
            });
            return;
        }
        if (orvSpriteRegistry.Get(number)) orvSpriteRegistry.Free(number);
    },

    IsSprite: function (number) {
        return orvSpriteRegistry.Is(number);
    },
    SpriteID: function (number) {
        var sprite = orvSpriteRegistry.Get(number);
        return sprite ? orvHandle(sprite) : 0;
    },
    SpriteWidth: function (number) {
        var sprite = orvSpriteRegistry.Get(number);
        return sprite ? orvSpriteWidth(sprite) : 0;
    },
    SpriteHeight: function (number) {
        var sprite = orvSpriteRegistry.Get(number);
        return sprite ? orvSpriteHeight(sprite) : 0;
    },
    SpriteDepth: function (number) {
        return orvSpriteRegistry.Get(number) ? 32 : 0;
    },

    SpriteOutput: function (number) {
        var sprite = orvSpriteRegistry.Get(number);
        if (!sprite) return 0;
        return orvNewOutput({ kind: "sprite", sprite: sprite });
    },

    DisplaySprite: function (number, x, y) {
        orvDisplaySprite("DisplaySprite", number, x, y, orvBitmapCanvas);
    },

    // Without the transparent colour (black unless changed); Intensity 0..255 fades it, Color
    // paints it in one colour.
    DisplayTransparentSprite: function (number, x, y, intensity, color) {
        var screen = orvCurrentScreen("DisplayTransparentSprite");
        if (!screen) return;
        var alpha = intensity === undefined ? 1 : Math.max(0, Math.min(255, orvNumber(intensity))) / 255;
        var keep = screen.context.globalAlpha;
        screen.context.globalAlpha = alpha;
        orvDisplaySprite("DisplayTransparentSprite", number, x, y, function (sprite) {
            return color === undefined ? orvKeyedCanvas(sprite) : orvTintedCanvas(sprite, orvColor(color));
        });
        screen.context.globalAlpha = keep;
    },

    TransparentSpriteColor: function (number, color) {
        color = orvColor(color) & 0xffffff;
        if (orvInt(number) === -1) {
            orvDefaultTransparentColor = color;
            return;
        }
        var sprite = orvSpriteRegistry.Get(number);
        if (sprite) sprite.transparentColor = color;
    },

    ClipSprite: function (number, x, y, width, height) {
        var sprite = orvSpriteRegistry.Get(number);
        if (!sprite) return;
        if (orvInt(x) === -1 || orvInt(y) === -1 || orvInt(width) === -1 || orvInt(height) === -1) {
            sprite.clip = null;
            return;
        }
        x = Math.max(0, Math.min(sprite.width, orvPixelInt(x)));
        y = Math.max(0, Math.min(sprite.height, orvPixelInt(y)));
        sprite.clip = {
            x: x,
            y: y,
            width: Math.max(0, Math.min(sprite.width - x, orvPixelInt(width))),
            height: Math.max(0, Math.min(sprite.height - y, orvPixelInt(height))),
        };
    },

    ZoomSprite: function (number, width, height) {
        var sprite = orvSpriteRegistry.Get(number);
        if (!sprite) return;
        sprite.zoomWidth = orvInt(width) === -1 ? -1 : Math.max(0, orvPixelInt(width));
        sprite.zoomHeight = orvInt(height) === -1 ? -1 : Math.max(0, orvPixelInt(height));
        sprite.corners = null;
    },

    // The corners top left, top right, bottom right, bottom left moved to these points, relative
    // to where the sprite is displayed, until the next ZoomSprite or RotateSprite. The depths of
    // the form with z values set a perspective that a flat canvas cannot draw: the points are
    // used without them.
    TransformSprite: function (number) {
        var sprite = orvSpriteRegistry.Get(number);
        if (!sprite) return;
        var args = Array.prototype.slice.call(arguments, 1);
        var withDepth = args.length >= 12 && args[11] !== undefined;
        var step = withDepth ? 3 : 2;
        var corners = [];
        for (var i = 0; i < 4; i++) {
            corners.push(orvNumber(args[i * step]), orvNumber(args[i * step + 1]));
        }
        if (corners.some(function (value) { return !isFinite(value); })) {
            orvError("TransformSprite(): the coordinates must be numbers.");
            return;
        }
        sprite.corners = corners;
    },

    // Clockwise, in degrees; mode #PB_Relative adds to the angle.
    RotateSprite: function (number, angle, mode) {
        var sprite = orvSpriteRegistry.Get(number);
        if (!sprite) return;
        angle = orvNumber(angle);
        sprite.angle = (((orvInt(mode) === 1 ? sprite.angle + angle : angle) % 360) + 360) % 360;
        sprite.corners = null;
    },

    SpriteQuality: function (quality) {
        orvSpriteSmooth = orvInt(quality) === 1;
        orvApplySpriteQuality();
    },

    // The canvas has the usual blendings: the default one, adding (One, One) and multiplying
    // (DestinationColor, Zero).
    SpriteBlendingMode: function (sourceMode, destinationMode) {
        var source = orvInt(sourceMode), destination = orvInt(destinationMode);
        if (source === 1 && destination === 1) orvSpriteComposite = "lighter";
        else if (source === 4 && destination === 0) orvSpriteComposite = "multiply";
        else if (source === 6 && destination === 7) orvSpriteComposite = "source-over";
        else {
            orvError("SpriteBlendingMode(): this combination of blending modes is not available in the browser; the default one is used.");
            orvSpriteComposite = "source-over";
        }
        orvApplySpriteQuality();
    },

    SpriteCollision: function (sprite1, x1, y1, sprite2, x2, y2) {
        var a = orvSpriteRegistry.Get(sprite1), b = orvSpriteRegistry.Get(sprite2);
        if (!a || !b) return 0;
        x1 = orvNumber(x1);
        y1 = orvNumber(y1);
        x2 = orvNumber(x2);
        y2 = orvNumber(y2);
        return x1 < x2 + orvSpriteWidth(b) && x2 < x1 + orvSpriteWidth(a) && y1 < y2 + orvSpriteHeight(b) && y2 < y1 + orvSpriteHeight(a) ? 1 : 0;
    },

    // Overlapping pixels that are neither transparent (alpha 0) nor of the transparent colour.
    SpritePixelCollision: function (sprite1, x1, y1, sprite2, x2, y2) {
        if (!cSprite.SpriteCollision(sprite1, x1, y1, sprite2, x2, y2)) return 0;
        var a = orvSpriteRegistry.Find(sprite1), b = orvSpriteRegistry.Find(sprite2);
        x1 = orvPixelInt(x1);
        y1 = orvPixelInt(y1);
        x2 = orvPixelInt(x2);
        y2 = orvPixelInt(y2);
        var wa = orvSpriteWidth(a), ha = orvSpriteHeight(a), wb = orvSpriteWidth(b), hb = orvSpriteHeight(b);
        var solid = function (s, w, h, px, py) {
            var clip = s.clip || { x: 0, y: 0, width: s.width, height: s.height };
            var sx = clip.x + Math.floor((px * clip.width) / w), sy = clip.y + Math.floor((py * clip.height) / h);
            var p = s.data[sy * s.width + sx];
            return p >>> 24 !== 0 && (p & 0xffffff) !== s.transparentColor;
        };
        for (var y = Math.max(y1, y2); y < Math.min(y1 + ha, y2 + hb); y++) {
            for (var x = Math.max(x1, x2); x < Math.min(x1 + wa, x2 + wb); x++) {
                if (solid(a, wa, ha, x - x1, y - y1) && solid(b, wb, hb, x - x2, y - y2)) return 1;
            }
        }
        return 0;
    },

    SaveSprite: function (number, fileName, plugin, flags) {
        var sprite = orvSpriteRegistry.Get(number);
        if (!sprite) return 0;
        var encoded = orvEncodeImage({ width: sprite.width, height: sprite.height, bytes: sprite.bytes, data: sprite.data, depth: 24, canvas: null, canvasStale: true }, orvInt(plugin), orvInt(flags), 24);
        if (!encoded) return orvImageError("SaveSprite(): this image format cannot be written in the browser.");
        orvDownloadFile(encoded.bytes, encoded.type, orvText(fileName).replace(/^.*[\\/]/, "") || "sprite");
        return 1;
    },
});

// Constants of the Sprite and Screen libraries, with PureBasic's values.
orvAddConstants({
    PB_Sprite_PixelCollision: ORV_SPRITE_PIXEL_COLLISION,
    PB_Sprite_AlphaBlending: ORV_SPRITE_ALPHA_BLENDING,
    PB_Sprite_NoFiltering: 0,
    PB_Sprite_BilinearFiltering: 1,
    PB_Sprite_BlendZero: 0,
    PB_Sprite_BlendOne: 1,
    PB_Sprite_BlendSourceColor: 2,
    PB_Sprite_BlendInvertSourceColor: 3,
    PB_Sprite_BlendDestinationColor: 4,
    PB_Sprite_BlendInvertDestinationColor: 5,
    PB_Sprite_BlendSourceAlpha: 6,
    PB_Sprite_BlendInvertSourceAlpha: 7,
    PB_Sprite_BlendDestinationAlpha: 8,
    PB_Sprite_BlendInvertDestinationAlpha: 9,
    PB_Screen_NoSynchronization: 0,
    PB_Screen_WaitSynchronization: 1,
    PB_Screen_SmartSynchronization: 2,
});
