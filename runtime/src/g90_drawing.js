// 2D drawing. Every output (image, canvas gadget, window, screen, sprite) is drawn on as a block of
// pixels: the output's own pixels for images and sprites, a copy read at StartDrawing and written
// back at StopDrawing for canvas elements. Shapes are set pixel by pixel as PureBasic sets them
// (no smoothing, exact colours), so that Point reads back what Plot or Box wrote, and Plot costs an
// array store. Text is the one thing the browser draws: its glyphs are rendered on a small canvas
// and blended in.

var ORV_MODE_TRANSPARENT = 1;
var ORV_MODE_XOR = 2;
var ORV_MODE_OUTLINED = 4;
var ORV_MODE_ALPHACHANNEL = 8;
var ORV_MODE_ALPHABLEND = 16;
var ORV_MODE_ALPHACLIP = 32;
var ORV_MODE_GRADIENT = 64;
var ORV_MODE_CUSTOMFILTER = 128;
var ORV_MODE_ALLCHANNELS = 256;

// The desktop's default GUI font is about 11 pixels high; these are its closest browser fonts.
var ORV_DEFAULT_DRAWING_FONT = "11px Tahoma, 'Microsoft Sans Serif', Arial, 'Liberation Sans', 'DejaVu Sans', sans-serif";

var orvDrawing = null;
// Messages shown since the last StartDrawing, so that a loop of bad calls shows its error once.
var orvDrawingReported = {};

function orvDrawingReport(key, text) {
    if (orvDrawingReported[key]) return;
    orvDrawingReported[key] = true;
    orvError(text);
}

// The current drawing, or null after the debugger's message.
function orvCurrentDrawing(name) {
    if (orvDrawing) return orvDrawing;
    orvDrawingReport("none " + name, name + "(): there is no current drawing output (StartDrawing() was not called or failed).");
    return null;
}

// ---- colours

// A colour argument as the 32-bit number it is in memory; RGB colours have alpha 0.
function orvColor(value) {
    if (value === undefined) return 0;
    return (typeof value === "number" ? value : orvNumber(value)) >>> 0;
}

function orvChannelMix(front, back, alpha) {
    return (front * alpha + back * (255 - alpha) + 127) / 255;
}

// Colour c over colour d, both with alpha (the "over" operator, straight alpha).
function orvOver(c, d) {
    var a = c >>> 24;
    if (a === 255) return c >>> 0;
    if (a === 0) return d >>> 0;
    var da = d >>> 24;
    var outA = a + ((da * (255 - a) + 127) / 255) | 0;
    if (outA === 0) return 0;
    var back = da * (255 - a);
    var r = ((c & 255) * a * 255 + (d & 255) * back) / (outA * 255);
    var g = (((c >> 8) & 255) * a * 255 + ((d >> 8) & 255) * back) / (outA * 255);
    var b = (((c >> 16) & 255) * a * 255 + ((d >> 16) & 255) * back) / (outA * 255);
    return ((outA << 24) | (Math.round(b) << 16) | (Math.round(g) << 8) | Math.round(r)) >>> 0;
}

// Colour c blended on d by c's alpha; d keeps its alpha.
function orvBlendKeep(c, d) {
    var a = c >>> 24;
    if (a === 0) return d;
    if (a === 255) return (d & 0xff000000) | (c & 0xffffff);
    var r = orvChannelMix(c & 255, d & 255, a) | 0;
    var g = orvChannelMix((c >> 8) & 255, (d >> 8) & 255, a) | 0;
    var b = orvChannelMix((c >> 16) & 255, (d >> 16) & 255, a) | 0;
    return (d & 0xff000000) | (b << 16) | (g << 8) | r;
}

// ---- the pixel writer of the drawing mode

function orvChooseWriter(s) {
    var data = s.data;
    var mode = s.mode;
    s.plain = !(mode & (ORV_MODE_XOR | ORV_MODE_ALPHACHANNEL | ORV_MODE_ALPHABLEND | ORV_MODE_ALPHACLIP | ORV_MODE_GRADIENT | ORV_MODE_CUSTOMFILTER | ORV_MODE_ALLCHANNELS));
    if (mode & ORV_MODE_CUSTOMFILTER && s.filter) {
        var filter = s.filter, width = s.width, alpha = s.alpha;
        s.write = function (i, c) {
            var result = orvColor(filter(i % width, (i / width) | 0, c >>> 0, data[i]));
            data[i] = alpha ? result : result | 0xff000000;
        };
    } else if (mode & ORV_MODE_XOR) {
        s.write = function (i, c) {
            data[i] ^= c & 0xffffff;
        };
    } else if (mode & ORV_MODE_ALPHACHANNEL) {
        s.write = s.alpha
            ? function (i, c) {
                  data[i] = (data[i] & 0xffffff) | (c & 0xff000000);
              }
            : function () {};
    } else if (mode & ORV_MODE_ALLCHANNELS && s.alpha) {
        s.write = function (i, c) {
            data[i] = c;
        };
    } else if (mode & (ORV_MODE_ALPHABLEND | ORV_MODE_ALPHACLIP)) {
        s.write =
            s.alpha && !(mode & ORV_MODE_ALPHACLIP)
                ? function (i, c) {
                      data[i] = orvOver(c, data[i]);
                  }
                : function (i, c) {
                      data[i] = orvBlendKeep(c, data[i]);
                  };
    } else {
        s.write = function (i, c) {
            data[i] = (data[i] & 0xff000000) | (c & 0xffffff);
        };
    }
}

// ---- gradients

// The gradient's colour stops, sorted: the back colour at 0 and the front colour at 1 unless
// GradientColor placed others there.
function orvGradientStops(s) {
    if (s.gradientTable && !s.gradientStale) return s.gradientTable;
    var stops = (s.gradientStops || []).slice();
    if (!stops.some(function (stop) { return stop[0] === 0; })) stops.push([0, s.back]);
    if (!stops.some(function (stop) { return stop[0] === 1; })) stops.push([1, s.front]);
    stops.sort(function (a, b) {
        return a[0] - b[0];
    });
    s.gradientTable = stops;
    s.gradientStale = false;
    return stops;
}

function orvGradientMix(stops, t) {
    var k = 0;
    while (k < stops.length - 2 && t > stops[k + 1][0]) k++;
    var from = stops[k], to = stops[k + 1];
    var span = to[0] - from[0];
    var f = span > 0 ? Math.min(1, Math.max(0, (t - from[0]) / span)) : 1;
    if (f === 0) return from[1];
    if (f === 1) return to[1];
    var a = from[1], b = to[1];
    var r = Math.round((a & 255) + ((b & 255) - (a & 255)) * f);
    var g = Math.round(((a >>> 8) & 255) + (((b >>> 8) & 255) - ((a >>> 8) & 255)) * f);
    var bl = Math.round(((a >>> 16) & 255) + (((b >>> 16) & 255) - ((a >>> 16) & 255)) * f);
    var al = Math.round((a >>> 24) + ((b >>> 24) - (a >>> 24)) * f);
    return ((al << 24) | (bl << 16) | (g << 8) | r) >>> 0;
}

// Position 0..1 of a pixel in the gradient's shape.
function orvGradientPosition(g, x, y) {
    var t, dx, dy;
    switch (g.kind) {
        case "linear":
            dx = g.x2 - g.x1;
            dy = g.y2 - g.y1;
            var length = dx * dx + dy * dy;
            t = length ? ((x - g.x1) * dx + (y - g.y1) * dy) / length : 1;
            break;
        case "circular":
            t = g.r > 0 ? Math.sqrt((x - g.x) * (x - g.x) + (y - g.y) * (y - g.y)) / g.r : 1;
            break;
        case "elliptical":
            dx = g.rx > 0 ? (x - g.x) / g.rx : 1;
            dy = g.ry > 0 ? (y - g.y) / g.ry : 1;
            t = Math.sqrt(dx * dx + dy * dy);
            break;
        case "boxed":
            t = Math.max(g.w > 0 ? Math.abs(x - g.x - g.w / 2) / (g.w / 2) : 1, g.h > 0 ? Math.abs(y - g.y - g.h / 2) / (g.h / 2) : 1);
            break;
        case "conical":
            var angle = (Math.atan2(g.y - y, x - g.x) * 180) / Math.PI - g.angle;
            t = (((angle % 360) + 360) % 360) / 360;
            break;
        case "custom":
            t = orvNumber(g.callback(x, y));
            break;
        default:
            t = 0;
    }
    return t <= 0 ? 0 : t >= 1 ? 1 : t;
}

function orvGradientColor(s, x, y) {
    return orvGradientMix(orvGradientStops(s), orvGradientPosition(s.gradient, x, y));
}

// ---- pixels, spans and shapes (coordinates are output pixels, origin already added)

function orvTouch(s, x0, y0, x1, y1) {
    if (x0 < s.dirtyX0) s.dirtyX0 = x0;
    if (y0 < s.dirtyY0) s.dirtyY0 = y0;
    if (x1 > s.dirtyX1) s.dirtyX1 = x1;
    if (y1 > s.dirtyY1) s.dirtyY1 = y1;
}

// Pixels x0..x1 of row y, already clipped.
function orvSpan(s, y, x0, x1, color) {
    if (x0 > x1) return;
    orvTouch(s, x0, y, x1, y);
    var i = y * s.width + x0, end = i + (x1 - x0);
    if (s.mode & ORV_MODE_GRADIENT) {
        for (var x = x0; i <= end; i++, x++) s.write(i, orvGradientColor(s, x, y));
    } else if (s.plain && !s.alpha) {
        s.data.fill((color & 0xffffff) | 0xff000000, i, end + 1);
    } else {
        for (; i <= end; i++) s.write(i, color);
    }
}

function orvClippedSpan(s, y, x0, x1, color) {
    if (y < s.clipY0 || y > s.clipY1) return;
    orvSpan(s, y, Math.max(x0, s.clipX0), Math.min(x1, s.clipX1), color);
}

function orvPixel(s, x, y, color) {
    if (x < s.clipX0 || x > s.clipX1 || y < s.clipY0 || y > s.clipY1) return;
    orvTouch(s, x, y, x, y);
    s.write(y * s.width + x, s.mode & ORV_MODE_GRADIENT ? orvGradientColor(s, x, y) : color);
}

// A shape given by its rows: rows(y) sets orvRowLeft and orvRowRight (left > right for an empty
// row) for y from top to bottom. Filled, or in the outlined mode only the pixels that have a
// neighbour outside the shape; no pixel is set twice (XOr and blending count every write).
var orvRowLeft = 0, orvRowRight = -1;

function orvShape(s, top, bottom, rows, color) {
    var y0 = Math.max(top, s.clipY0), y1 = Math.min(bottom, s.clipY1);
    if (y0 > y1) return;
    var y;
    if (!(s.mode & ORV_MODE_OUTLINED)) {
        for (y = y0; y <= y1; y++) {
            rows(y);
            orvClippedSpan(s, y, orvRowLeft, orvRowRight, color);
        }
        return;
    }
    var upL = Infinity, upR = -Infinity;
    if (y0 - 1 >= top) {
        rows(y0 - 1);
        upL = orvRowLeft;
        upR = orvRowRight;
    }
    rows(y0);
    var l = orvRowLeft, r = orvRowRight;
    for (y = y0; y <= y1; y++) {
        var downL = Infinity, downR = -Infinity;
        if (y + 1 <= bottom) {
            rows(y + 1);
            downL = orvRowLeft;
            downR = orvRowRight;
        }
        if (l <= r) {
            var inner0 = upL > upR || downL > downR ? Infinity : Math.max(upL, downL);
            var inner1 = upL > upR || downL > downR ? -Infinity : Math.min(upR, downR);
            var a = Math.max(l, Math.min(r, inner0 - 1));
            var b = Math.min(r, Math.max(l, inner1 + 1));
            if (b <= a + 1) {
                orvClippedSpan(s, y, l, r, color);
            } else {
                orvClippedSpan(s, y, l, a, color);
                orvClippedSpan(s, y, b, r, color);
            }
        }
        upL = l;
        upR = r;
        l = downL;
        r = downR;
    }
}

function orvBox(s, x, y, width, height, color) {
    if (width === 0 || height === 0) return;
    // A negative size extends the box to the left or up from x, y, which it still includes.
    if (width < 0) {
        x += width + 1;
        width = -width;
    }
    if (height < 0) {
        y += height + 1;
        height = -height;
    }
    var left = x, right = x + width - 1;
    if (!(s.mode & ORV_MODE_OUTLINED)) {
        var x0 = Math.max(left, s.clipX0), x1 = Math.min(right, s.clipX1);
        var y0 = Math.max(y, s.clipY0), y1 = Math.min(y + height - 1, s.clipY1);
        if (x0 > x1 || y0 > y1) return;
        if (s.plain && !s.alpha) {
            orvTouch(s, x0, y0, x1, y1);
            var pixel = (color & 0xffffff) | 0xff000000, data = s.data, stride = s.width;
            for (var row = y0, i = y0 * stride + x0; row <= y1; row++, i += stride) data.fill(pixel, i, i + x1 - x0 + 1);
        } else {
            for (row = y0; row <= y1; row++) orvSpan(s, row, x0, x1, color);
        }
        return;
    }
    orvShape(s, y, y + height - 1, function () {
        orvRowLeft = left;
        orvRowRight = right;
    }, color);
}

// The ellipse of the pixels whose centres lie within radii + 1/2 of the centre pixel: the shape
// PureBasic's Circle and Ellipse fill, 2 * radius + 1 pixels across.
function orvEllipse(s, cx, cy, rx, ry, color) {
    rx = Math.abs(rx);
    ry = Math.abs(ry);
    var ex = rx + 0.5, ey = ry + 0.5;
    orvShape(s, cy - ry, cy + ry, function (y) {
        var dy = (y - cy) / ey;
        var half = Math.floor(ex * Math.sqrt(Math.max(0, 1 - dy * dy)) + 1e-9);
        if (half > rx) half = rx;
        orvRowLeft = cx - half;
        orvRowRight = cx + half;
    }, color);
}

function orvRoundBox(s, x, y, width, height, rx, ry, color) {
    if (width === 0 || height === 0) return;
    if (width < 0) {
        x += width + 1;
        width = -width;
    }
    if (height < 0) {
        y += height + 1;
        height = -height;
    }
    rx = Math.min(Math.abs(rx), Math.floor((width - 1) / 2));
    ry = Math.min(Math.abs(ry), Math.floor((height - 1) / 2));
    if (rx <= 0 || ry <= 0) return orvBox(s, x, y, width, height, color);
    var top = y, bottom = y + height - 1, left = x, right = x + width - 1;
    var ex = rx + 0.5, ey = ry + 0.5;
    orvShape(s, top, bottom, function (row) {
        var dy = row < top + ry ? top + ry - row : row > bottom - ry ? row - (bottom - ry) : 0;
        var inset = 0;
        if (dy > 0) {
            var f = dy / ey;
            inset = rx - Math.min(rx, Math.floor(ex * Math.sqrt(Math.max(0, 1 - f * f)) + 1e-9));
        }
        orvRowLeft = left + inset;
        orvRowRight = right - inset;
    }, color);
}

// A straight line from (x1, y1) to (x2, y2), both ends included: along the longer axis one pixel
// per step, the other coordinate rounded from the exact line. Only the steps inside the clipping
// area are walked, so a line from far outside costs no more than one across the output.
function orvLine(s, x1, y1, x2, y2, color) {
    var dx = x2 - x1, dy = y2 - y1;
    var steps = Math.max(Math.abs(dx), Math.abs(dy));
    if (steps === 0) return orvPixel(s, x1, y1, color);
    var xMajor = Math.abs(dx) >= Math.abs(dy);
    var major0 = xMajor ? x1 : y1, minor0 = xMajor ? y1 : x1;
    var majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    var minorDelta = xMajor ? dy : dx;
    var minorSign = minorDelta < 0 ? -1 : 1;
    minorDelta = Math.abs(minorDelta);
    var lo = xMajor ? s.clipX0 : s.clipY0, hi = xMajor ? s.clipX1 : s.clipY1;
    var k0 = majorSign > 0 ? lo - major0 : major0 - hi;
    var k1 = majorSign > 0 ? hi - major0 : major0 - lo;
    k0 = Math.max(0, k0);
    k1 = Math.min(steps, k1);
    for (var k = k0; k <= k1; k++) {
        var major = major0 + majorSign * k;
        var minor = minor0 + minorSign * Math.floor((2 * k * minorDelta + steps) / (2 * steps));
        if (xMajor) orvPixel(s, major, minor, color);
        else orvPixel(s, minor, major, color);
    }
}

// Scanline flood fill from (x, y): over the pixels of the start pixel's colour (outline -1), or
// up to the outline colour. The alpha channel never counts.
function orvFillArea(s, x, y, outline, color) {
    if (x < s.clipX0 || x > s.clipX1 || y < s.clipY0 || y > s.clipY1) return;
    var data = s.data, width = s.width;
    var start = data[y * width + x] & 0xffffff;
    var byStart = outline === -1;
    var border = byStart ? 0 : outline & 0xffffff;
    if (!byStart && start === border) return;
    var seen = new Uint8Array(width * s.height);
    var fillable = function (i) {
        if (seen[i]) return false;
        var c = data[i] & 0xffffff;
        return byStart ? c === start : c !== border;
    };
    var stack = [x, y];
    while (stack.length) {
        var sy = stack.pop(), sx = stack.pop();
        var row = sy * width;
        if (!fillable(row + sx)) continue;
        var l = sx, r = sx;
        while (l > s.clipX0 && fillable(row + l - 1)) l--;
        while (r < s.clipX1 && fillable(row + r + 1)) r++;
        for (var i = l; i <= r; i++) seen[row + i] = 1;
        // Neighbouring rows are checked before anything is written, against the colours as they were.
        for (var ny = sy - 1; ny <= sy + 1; ny += 2) {
            if (ny < s.clipY0 || ny > s.clipY1) continue;
            var nrow = ny * width, inRun = false;
            for (i = l; i <= r; i++) {
                if (fillable(nrow + i)) {
                    if (!inRun) stack.push(i, ny);
                    inRun = true;
                } else {
                    inRun = false;
                }
            }
        }
        orvSpan(s, sy, l, r, color);
    }
}

// ---- images on the output

// The pixels of an image by handle; the debugger's message when there is none.
function orvSourceBitmap(name, handle) {
    var source = orvFindImage(handle);
    if (!source) orvDrawingReport("image " + name, name + "(): the ImageID is not valid (use ImageID() to get it).");
    return source;
}

// Draws a bitmap at (x, y), scaled to width x height; pixel(i, sourceColour) writes one pixel.
function orvBlit(s, source, x, y, width, height, pixel) {
    if (width <= 0 || height <= 0) return;
    var x0 = Math.max(x, s.clipX0), x1 = Math.min(x + width - 1, s.clipX1);
    var y0 = Math.max(y, s.clipY0), y1 = Math.min(y + height - 1, s.clipY1);
    if (x0 > x1 || y0 > y1) return;
    var src = source.data;
    // Drawing an output onto itself reads what it was before.
    if (src === s.data) src = src.slice();
    var sw = source.width, sh = source.height;
    var scaled = width !== sw || height !== sh;
    var columns = new Int32Array(x1 - x0 + 1);
    for (var cx = x0; cx <= x1; cx++) columns[cx - x0] = scaled ? Math.min(sw - 1, Math.floor(((cx - x + 0.5) * sw) / width)) : cx - x;
    orvTouch(s, x0, y0, x1, y1);
    for (var row = y0; row <= y1; row++) {
        var from = (scaled ? Math.min(sh - 1, Math.floor(((row - y + 0.5) * sh) / height)) : row - y) * sw;
        var to = row * s.width + x0;
        for (var k = 0; k < columns.length; k++) pixel(to + k, src[from + columns[k]]);
    }
}

// ---- text

var orvTextCanvas = null;

function orvTextContext() {
    if (!orvCanvasUsable) return null;
    if (!orvTextCanvas) orvTextCanvas = orvNewCanvas(64, 32);
    return orvContext(orvTextCanvas);
}

function orvFontPixels(font) {
    var match = /([\d.]+)(px|pt)/.exec(font);
    if (!match) return 11;
    return match[2] === "pt" ? (parseFloat(match[1]) * 4) / 3 : parseFloat(match[1]);
}

// Width, height and ascent of a text in a font. Without a canvas (jsdom) an estimate from the font size.
function orvMeasureText(font, text) {
    var context = orvTextContext();
    if (!context) {
        var size = orvFontPixels(font);
        return { width: Math.round(text.length * size * 0.55), height: Math.ceil(size * 1.2), ascent: size };
    }
    context.font = font;
    var metrics = context.measureText(text || " ");
    var ascent = metrics.fontBoundingBoxAscent, descent = metrics.fontBoundingBoxDescent;
    if (ascent === undefined) {
        ascent = orvFontPixels(font) * 0.9;
        descent = orvFontPixels(font) * 0.25;
    }
    return {
        width: text ? Math.round(metrics.width) : 0,
        height: Math.ceil(ascent + descent),
        ascent: ascent,
        left: Math.ceil(metrics.actualBoundingBoxLeft || 0),
        right: Math.ceil(metrics.actualBoundingBoxRight || metrics.width),
    };
}

// The glyphs of a text as coverage (0..255 per pixel) on a grid of width x height whose pixel
// (0, 0) lies at (left, top) of the output; draw(context) puts them on the grid in white.
function orvTextCoverage(width, height, draw) {
    var context = orvTextContext();
    if (!context || width <= 0 || height <= 0) return null;
    if (orvTextCanvas.width < width || orvTextCanvas.height < height) {
        orvTextCanvas.width = Math.max(orvTextCanvas.width, width);
        orvTextCanvas.height = Math.max(orvTextCanvas.height, height);
    }
    context.setTransform(1, 0, 0, 1, 0, 0);
    context.clearRect(0, 0, width, height);
    context.fillStyle = "#ffffff";
    draw(context);
    context.setTransform(1, 0, 0, 1, 0, 0);
    var bytes = context.getImageData(0, 0, width, height).data;
    var coverage = new Uint8Array(width * height);
    for (var i = 0; i < coverage.length; i++) coverage[i] = bytes[i * 4 + 3];
    return coverage;
}

// Blends text coverage onto the output with the colour (or the gradient) in the drawing mode.
function orvBlendCoverage(s, coverage, left, top, width, height, color) {
    if (!coverage) return;
    var x0 = Math.max(left, s.clipX0), x1 = Math.min(left + width - 1, s.clipX1);
    var y0 = Math.max(top, s.clipY0), y1 = Math.min(top + height - 1, s.clipY1);
    if (x0 > x1 || y0 > y1) return;
    orvTouch(s, x0, y0, x1, y1);
    var mode = s.mode, gradient = mode & ORV_MODE_GRADIENT;
    var alphaModes = mode & (ORV_MODE_ALPHABLEND | ORV_MODE_ALPHACLIP | ORV_MODE_ALPHACHANNEL | ORV_MODE_ALLCHANNELS);
    for (var y = y0; y <= y1; y++) {
        for (var x = x0; x <= x1; x++) {
            var cover = coverage[(y - top) * width + (x - left)];
            if (!cover) continue;
            var i = y * s.width + x;
            var c = gradient ? orvGradientColor(s, x, y) : color;
            if (mode & ORV_MODE_XOR) {
                if (cover >= 128) s.write(i, c);
            } else if (alphaModes) {
                var a = Math.round(((c >>> 24) * cover) / 255);
                s.write(i, ((c & 0xffffff) | (a << 24)) >>> 0);
            } else {
                s.write(i, orvBlendKeep(((c & 0xffffff) | (cover << 24)) >>> 0, s.data[i]));
            }
        }
    }
}

function orvDrawText(s, x, y, text, front, back) {
    var m = orvMeasureText(s.font, text);
    if (!text) return x;
    if (!(s.mode & ORV_MODE_TRANSPARENT)) {
        var keep = s.mode;
        s.mode &= ~(ORV_MODE_GRADIENT | ORV_MODE_OUTLINED);
        orvChooseWriter(s);
        orvBox(s, x, y, m.width, m.height, back);
        s.mode = keep;
        orvChooseWriter(s);
    }
    var pad = 2 + Math.max(0, m.left);
    var gridWidth = Math.max(m.width, m.right) + pad + 2;
    var font = s.font, ascent = m.ascent;
    var coverage = orvTextCoverage(gridWidth, m.height, function (context) {
        context.font = font;
        context.textBaseline = "alphabetic";
        context.fillText(text, pad, ascent);
    });
    orvBlendCoverage(s, coverage, x - pad, y, gridWidth, m.height, front);
    return x + m.width;
}

// ---- outputs

// The drawing layer of a window: a canvas under the gadgets of its inner area, in the window's
// background colour, kept at the inner area's size.
function orvWindowBackground(element) {
    for (var e = element; e && e.nodeType === 1; e = e.parentElement) {
        var color = getComputedStyle(e).backgroundColor;
        if (color && color !== "transparent" && !/rgba\(.*,\s*0\)$/.test(color)) return color;
    }
    return "#f0f0f0";
}

function orvWindowCanvas(win) {
    var inner = win.inner;
    if (!inner || !orvCanvasUsable) return null;
    var width = Math.max(1, inner.clientWidth || win.width || 1);
    var height = Math.max(1, inner.clientHeight || win.height || 1);
    var canvas = win.drawingCanvas;
    if (canvas && canvas.width === width && canvas.height === height) return canvas;
    var old = canvas;
    canvas = orvNewCanvas(width, height);
    canvas.className = "orvane-window-drawing";
    canvas.style.cssText = "position:absolute;left:0;top:0;pointer-events:none;";
    var context = orvContext(canvas);
    context.fillStyle = orvWindowBackground(inner);
    context.fillRect(0, 0, width, height);
    if (old) {
        context.drawImage(old, 0, 0);
        old.parentNode.replaceChild(canvas, old);
    } else {
        inner.insertBefore(canvas, inner.firstChild);
    }
    win.drawingCanvas = canvas;
    return canvas;
}

// The pixels an output ID stands for, or null.
function orvDrawingTarget(output) {
    switch (output.kind) {
        case "image":
            if (output.image.freed) return null;
            return orvBitmapTarget(output.image, output.image.depth);
        case "sprite":
            if (output.sprite.freed) return null;
            return orvBitmapTarget(output.sprite, 32);
        case "canvas":
            return orvCanvasTarget(output.canvas);
        case "window":
            return orvCanvasTarget(orvWindowCanvas(output.window));
    }
    return null;
}

function orvFinishDrawing() {
    var s = orvDrawing;
    if (!s) return;
    orvDrawing = null;
    if (s.dirtyAll) s.target.finish(0, 0, s.width - 1, s.height - 1);
    else s.target.finish(s.dirtyX0, s.dirtyY0, s.dirtyX1, s.dirtyY1);
}

function orvNewDrawing(target) {
    var s = {
        target: target,
        width: target.width,
        height: target.height,
        depth: target.depth,
        alpha: target.alpha,
        data: target.data,
        mode: 0,
        front: 0xffffff,
        back: 0,
        font: ORV_DEFAULT_DRAWING_FONT,
        originX: 0,
        originY: 0,
        clipX0: 0,
        clipY0: 0,
        clipX1: target.width - 1,
        clipY1: target.height - 1,
        dirtyX0: Infinity,
        dirtyY0: Infinity,
        dirtyX1: -Infinity,
        dirtyY1: -Infinity,
        dirtyAll: false,
        gradient: { kind: "linear", x1: 0, y1: 0, x2: target.width, y2: 0 },
        gradientStops: null,
        gradientTable: null,
        gradientStale: true,
        filter: null,
        plain: true,
        write: null,
    };
    orvChooseWriter(s);
    return s;
}

// Point and Plot check their coordinates, which PureBasic leaves to its debugger.
function orvOutside(s, name, x, y) {
    orvDrawingReport(
        "outside " + name,
        name + "() is outside the drawing area: (" + x + ", " + y + ") on an output of " + s.width + "x" + s.height + " pixels."
    );
}

function orvPlot(x, y, color) {
    var s = orvCurrentDrawing("Plot");
    if (!s) return;
    x = orvPixelInt(x) + s.originX;
    y = orvPixelInt(y) + s.originY;
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return orvOutside(s, "Plot", x, y);
    var c = color === undefined ? s.front : orvColor(color);
    s.dirtyAll = true;
    var i = y * s.width + x;
    if (s.plain) s.data[i] = (s.data[i] & 0xff000000) | (c & 0xffffff);
    else s.write(i, s.mode & ORV_MODE_GRADIENT ? orvGradientColor(s, x, y) : c);
}

function orvShapeColor(s, color) {
    return color === undefined ? s.front : orvColor(color);
}

var cDrawing = (global.cDrawing = {
    StartDrawing: function (outputId) {
        var output = orvTakeOutput(outputId);
        if (orvDrawing) orvFinishDrawing();
        orvDrawingReported = {};
        if (!output) {
            if (orvInt(outputId) !== 0) orvError("StartDrawing(): the output is not valid (each output ID serves one StartDrawing()).");
            return 0;
        }
        var target = orvDrawingTarget(output);
        if (!target) return 0;
        orvDrawing = orvNewDrawing(target);
        return outputId;
    },

    StopDrawing: function () {
        if (!orvCurrentDrawing("StopDrawing")) return;
        orvFinishDrawing();
    },

    WindowOutput: function (number) {
        var win = orvRegistry("Window").Get(number);
        if (!win) return 0;
        if (!win.inner || !orvCanvasUsable) return orvImageError("WindowOutput(): this window cannot be drawn on.");
        return orvNewOutput({ kind: "window", window: win });
    },

    CanvasOutput: function (number) {
        var gadget = orvRegistry("Gadget").Get(number);
        if (!gadget) return 0;
        if (!gadget.canvas) return orvImageError("CanvasOutput(): the gadget is not a CanvasGadget.");
        return orvNewOutput({ kind: "canvas", canvas: gadget.canvas });
    },

    // ---- colours

    RGB: function (red, green, blue) {
        if (red === (red | 0) && green === (green | 0) && blue === (blue | 0)) return red + green * 256 + blue * 65536;
        return orvInt(red) + orvInt(green) * 256 + orvInt(blue) * 65536;
    },
    RGBA: function (red, green, blue, alpha) {
        return orvInt(red) + orvInt(green) * 256 + orvInt(blue) * 65536 + orvInt(alpha) * 16777216;
    },
    Red: function (color) {
        return orvColor(color) & 255;
    },
    Green: function (color) {
        return (orvColor(color) >>> 8) & 255;
    },
    Blue: function (color) {
        return (orvColor(color) >>> 16) & 255;
    },
    Alpha: function (color) {
        return orvColor(color) >>> 24;
    },
    AlphaBlend: function (color1, color2) {
        return orvOver(orvColor(color1), orvColor(color2));
    },

    FrontColor: function (color) {
        var s = orvCurrentDrawing("FrontColor");
        if (!s) return;
        s.front = orvColor(color);
        s.gradientStale = true;
    },
    BackColor: function (color) {
        var s = orvCurrentDrawing("BackColor");
        if (!s) return;
        s.back = orvColor(color);
        s.gradientStale = true;
    },

    DrawingMode: function (mode) {
        var s = orvCurrentDrawing("DrawingMode");
        if (!s) return;
        s.mode = orvInt(mode);
        orvChooseWriter(s);
    },

    CustomFilterCallback: function (callback) {
        var s = orvCurrentDrawing("CustomFilterCallback");
        if (!s) return;
        s.filter = typeof callback === "function" ? callback : null;
        orvChooseWriter(s);
    },

    // ---- output

    OutputWidth: function () {
        var s = orvCurrentDrawing("OutputWidth");
        return s ? s.width : 0;
    },
    OutputHeight: function () {
        var s = orvCurrentDrawing("OutputHeight");
        return s ? s.height : 0;
    },
    OutputDepth: function () {
        var s = orvCurrentDrawing("OutputDepth");
        return s ? s.depth : 0;
    },

    SetOrigin: function (x, y) {
        var s = orvCurrentDrawing("SetOrigin");
        if (!s) return;
        s.originX = orvPixelInt(x);
        s.originY = orvPixelInt(y);
    },
    GetOriginX: function () {
        var s = orvCurrentDrawing("GetOriginX");
        return s ? s.originX : 0;
    },
    GetOriginY: function () {
        var s = orvCurrentDrawing("GetOriginY");
        return s ? s.originY : 0;
    },

    ClipOutput: function (x, y, width, height) {
        var s = orvCurrentDrawing("ClipOutput");
        if (!s) return;
        x = orvPixelInt(x);
        y = orvPixelInt(y);
        s.clipX0 = Math.max(0, x);
        s.clipY0 = Math.max(0, y);
        s.clipX1 = Math.min(s.width - 1, x + orvPixelInt(width) - 1);
        s.clipY1 = Math.min(s.height - 1, y + orvPixelInt(height) - 1);
    },
    UnclipOutput: function () {
        var s = orvCurrentDrawing("UnclipOutput");
        if (!s) return;
        s.clipX0 = 0;
        s.clipY0 = 0;
        s.clipX1 = s.width - 1;
        s.clipY1 = s.height - 1;
    },

    // ---- pixels

    // Kept small so that the browser can inline it into the program's loop; everything else
    // (floats, modes, errors) goes to orvPlot.
    Plot: function (x, y, color) {
        var s = orvDrawing;
        if (s !== null && s.plain && x === (x | 0) && y === (y | 0) && color !== undefined) {
            var px = x + s.originX, py = y + s.originY;
            if (px >= 0 && py >= 0 && px < s.width && py < s.height) {
                var i = py * s.width + px;
                s.data[i] = (s.data[i] & 0xff000000) | (color & 0xffffff);
                s.dirtyAll = true;
                return;
            }
        }
        orvPlot(x, y, color);
    },

    // The colour of a pixel; its alpha only on outputs with an alpha channel in an alpha mode.
    Point: function (x, y) {
        var s = orvDrawing;
        if (s === null) return orvCurrentDrawing("Point") || 0;
        if (x !== (x | 0)) x = orvPixelInt(x);
        if (y !== (y | 0)) y = orvPixelInt(y);
        x += s.originX;
        y += s.originY;
        if (x < 0 || y < 0 || x >= s.width || y >= s.height) {
            orvOutside(s, "Point", x, y);
            return 0;
        }
        var pixel = s.data[y * s.width + x];
        if (s.alpha && s.mode & (ORV_MODE_ALPHABLEND | ORV_MODE_ALPHACLIP | ORV_MODE_ALPHACHANNEL | ORV_MODE_ALLCHANNELS)) return pixel;
        return pixel & 0xffffff;
    },

    // The pixels as memory for PeekL and PokeL: 4 bytes per pixel in the order red, green, blue,
    // alpha (#PB_PixelFormat_32Bits_RGB), rows from the top.
    DrawingBuffer: function () {
        var s = orvCurrentDrawing("DrawingBuffer");
        if (!s) return 0;
        s.dirtyAll = true;
        return orvAddressOf(s.target.bytes);
    },
    DrawingBufferPitch: function () {
        var s = orvCurrentDrawing("DrawingBufferPitch");
        return s ? s.width * 4 : 0;
    },
    DrawingBufferPixelFormat: function () {
        return orvCurrentDrawing("DrawingBufferPixelFormat") ? 32 : 0;
    },

    // ---- shapes

    Line: function (x, y, width, height, color) {
        var s = orvCurrentDrawing("Line");
        if (!s) return;
        x = orvPixelInt(x) + s.originX;
        y = orvPixelInt(y) + s.originY;
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        // The size counts the start pixel: a height of 1 is a horizontal line, 0 draws nothing.
        if (width === 0 || height === 0) return;
        var x2 = x + width - (width > 0 ? 1 : -1);
        var y2 = y + height - (height > 0 ? 1 : -1);
        orvLine(s, x, y, x2, y2, orvShapeColor(s, color));
    },

    LineXY: function (x1, y1, x2, y2, color) {
        var s = orvCurrentDrawing("LineXY");
        if (!s) return;
        orvLine(s, orvPixelInt(x1) + s.originX, orvPixelInt(y1) + s.originY, orvPixelInt(x2) + s.originX, orvPixelInt(y2) + s.originY, orvShapeColor(s, color));
    },

    Box: function (x, y, width, height, color) {
        var s = orvCurrentDrawing("Box");
        if (!s) return;
        orvBox(s, orvPixelInt(x) + s.originX, orvPixelInt(y) + s.originY, orvPixelInt(width), orvPixelInt(height), orvShapeColor(s, color));
    },

    RoundBox: function (x, y, width, height, roundX, roundY, color) {
        var s = orvCurrentDrawing("RoundBox");
        if (!s) return;
        orvRoundBox(
            s,
            orvPixelInt(x) + s.originX,
            orvPixelInt(y) + s.originY,
            orvPixelInt(width),
            orvPixelInt(height),
            orvPixelInt(roundX),
            orvPixelInt(roundY),
            orvShapeColor(s, color)
        );
    },

    Circle: function (x, y, radius, color) {
        var s = orvCurrentDrawing("Circle");
        if (!s) return;
        radius = orvPixelInt(radius);
        orvEllipse(s, orvPixelInt(x) + s.originX, orvPixelInt(y) + s.originY, radius, radius, orvShapeColor(s, color));
    },

    Ellipse: function (x, y, radiusX, radiusY, color) {
        var s = orvCurrentDrawing("Ellipse");
        if (!s) return;
        orvEllipse(s, orvPixelInt(x) + s.originX, orvPixelInt(y) + s.originY, orvPixelInt(radiusX), orvPixelInt(radiusY), orvShapeColor(s, color));
    },

    FillArea: function (x, y, outlineColor, fillColor) {
        var s = orvCurrentDrawing("FillArea");
        if (!s) return;
        var outline = orvInt(outlineColor) === -1 ? -1 : orvColor(outlineColor);
        orvFillArea(s, orvPixelInt(x) + s.originX, orvPixelInt(y) + s.originY, outline, orvShapeColor(s, fillColor));
    },

    // ---- gradients

    LinearGradient: function (x1, y1, x2, y2) {
        var s = orvCurrentDrawing("LinearGradient");
        if (!s) return;
        s.gradient = { kind: "linear", x1: orvNumber(x1) + s.originX, y1: orvNumber(y1) + s.originY, x2: orvNumber(x2) + s.originX, y2: orvNumber(y2) + s.originY };
    },
    CircularGradient: function (x, y, radius) {
        var s = orvCurrentDrawing("CircularGradient");
        if (!s) return;
        s.gradient = { kind: "circular", x: orvNumber(x) + s.originX, y: orvNumber(y) + s.originY, r: Math.abs(orvNumber(radius)) };
    },
    EllipticalGradient: function (x, y, radiusX, radiusY) {
        var s = orvCurrentDrawing("EllipticalGradient");
        if (!s) return;
        s.gradient = { kind: "elliptical", x: orvNumber(x) + s.originX, y: orvNumber(y) + s.originY, rx: Math.abs(orvNumber(radiusX)), ry: Math.abs(orvNumber(radiusY)) };
    },
    BoxedGradient: function (x, y, width, height) {
        var s = orvCurrentDrawing("BoxedGradient");
        if (!s) return;
        s.gradient = { kind: "boxed", x: orvNumber(x) + s.originX, y: orvNumber(y) + s.originY, w: orvNumber(width), h: orvNumber(height) };
    },
    ConicalGradient: function (x, y, angle) {
        var s = orvCurrentDrawing("ConicalGradient");
        if (!s) return;
        s.gradient = { kind: "conical", x: orvNumber(x) + s.originX, y: orvNumber(y) + s.originY, angle: orvNumber(angle) };
    },
    CustomGradient: function (callback) {
        var s = orvCurrentDrawing("CustomGradient");
        if (!s) return;
        if (typeof callback !== "function") return orvError("CustomGradient(): the callback is not a procedure.");
        s.gradient = { kind: "custom", callback: callback };
    },
    GradientColor: function (position, color) {
        var s = orvCurrentDrawing("GradientColor");
        if (!s) return;
        position = Math.min(1, Math.max(0, orvNumber(position)));
        var stops = (s.gradientStops || []).filter(function (stop) {
            return stop[0] !== position;
        });
        stops.push([position, orvColor(color)]);
        s.gradientStops = stops;
        s.gradientStale = true;
    },
    ResetGradientColors: function () {
        var s = orvCurrentDrawing("ResetGradientColors");
        if (!s) return;
        s.gradientStops = null;
        s.gradientStale = true;
    },

    // ---- text

    DrawingFont: function (fontId) {
        var s = orvCurrentDrawing("DrawingFont");
        if (!s) return;
        var id = orvInt(fontId);
        if (id === -1 || id === 0) {
            s.font = ORV_DEFAULT_DRAWING_FONT;
            return;
        }
        var css = typeof orvFontCss === "function" ? orvFontCss(id) : null;
        if (!css) return orvError("DrawingFont(): the FontID is not valid (use FontID() to get it).");
        s.font = css;
    },

    DrawText: function (x, y, text, frontColor, backColor) {
        var s = orvCurrentDrawing("DrawText");
        if (!s) return 0;
        x = orvPixelInt(x);
        var front = frontColor === undefined ? s.front : orvColor(frontColor);
        var back = backColor === undefined ? s.back : orvColor(backColor);
        return orvDrawText(s, x + s.originX, orvPixelInt(y) + s.originY, orvText(text), front, back) - s.originX;
    },

    // Turns counterclockwise around (x, y); the background stays as it is.
    DrawRotatedText: function (x, y, text, angle, color) {
        var s = orvCurrentDrawing("DrawRotatedText");
        if (!s) return;
        text = orvText(text);
        if (!text) return;
        var m = orvMeasureText(s.font, text);
        var reach = Math.ceil(Math.sqrt((m.width + 4) * (m.width + 4) + m.height * m.height)) + 2;
        var cx = orvPixelInt(x) + s.originX, cy = orvPixelInt(y) + s.originY;
        var font = s.font, radians = (-orvNumber(angle) * Math.PI) / 180;
        var coverage = orvTextCoverage(2 * reach, 2 * reach, function (context) {
            context.font = font;
            context.textBaseline = "alphabetic";
            context.translate(reach, reach);
            context.rotate(radians);
            context.fillText(text, 0, m.ascent);
        });
        orvBlendCoverage(s, coverage, cx - reach, cy - reach, 2 * reach, 2 * reach, orvShapeColor(s, color));
    },

    TextWidth: function (text) {
        var s = orvCurrentDrawing("TextWidth");
        return s ? orvMeasureText(s.font, orvText(text)).width : 0;
    },

    TextHeight: function (text) {
        var s = orvCurrentDrawing("TextHeight");
        return s ? orvMeasureText(s.font, orvText(text)).height : 0;
    },

    // ---- images

    DrawImage: function (imageId, x, y, width, height) {
        var s = orvCurrentDrawing("DrawImage");
        if (!s) return;
        var source = orvSourceBitmap("DrawImage", imageId);
        if (!source) return;
        width = width === undefined ? source.width : orvPixelInt(width);
        height = height === undefined ? source.height : orvPixelInt(height);
        var write = s.write;
        var copy = !(s.mode & (ORV_MODE_ALPHABLEND | ORV_MODE_ALPHACLIP | ORV_MODE_ALPHACHANNEL | ORV_MODE_ALLCHANNELS | ORV_MODE_CUSTOMFILTER | ORV_MODE_XOR));
        var data = s.data;
        orvBlit(s, source, orvPixelInt(x) + s.originX, orvPixelInt(y) + s.originY, width, height, copy
            ? function (i, c) {
                  data[i] = (data[i] & 0xff000000) | (c & 0xffffff);
              }
            : write);
    },

    DrawAlphaImage: function (imageId, x, y, constAlpha) {
        var s = orvCurrentDrawing("DrawAlphaImage");
        if (!s) return;
        var source = orvSourceBitmap("DrawAlphaImage", imageId);
        if (!source) return;
        var extra = constAlpha === undefined ? 255 : Math.max(0, Math.min(255, orvInt(constAlpha)));
        var data = s.data, alpha = s.alpha;
        orvBlit(s, source, orvPixelInt(x) + s.originX, orvPixelInt(y) + s.originY, source.width, source.height, function (i, c) {
            if (extra !== 255) c = ((c & 0xffffff) | (Math.round(((c >>> 24) * extra) / 255) << 24)) >>> 0;
            data[i] = alpha ? orvOver(c, data[i]) : orvBlendKeep(c, data[i]);
        });
    },

    GrabDrawingImage: function (number, x, y, width, height) {
        var s = orvCurrentDrawing("GrabDrawingImage");
        if (!s) return 0;
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        if (!orvImageSize("GrabDrawingImage", width, height)) return 0;
        var bitmap;
        try {
            bitmap = orvCropBitmap(s, orvPixelInt(x) + s.originX, orvPixelInt(y) + s.originY, width, height);
        } catch (error) {
            return orvImageError("GrabDrawingImage(): the image of " + width + "x" + height + " pixels could not be created.");
        }
        if (!s.alpha) for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
        return orvRegisterImage(number, bitmap, s.alpha ? 32 : 24);
    },
});

// Constants of the 2DDrawing library, with PureBasic's values.
orvAddConstants({
    PB_2DDrawing_Default: 0,
    PB_2DDrawing_Transparent: ORV_MODE_TRANSPARENT,
    PB_2DDrawing_XOr: ORV_MODE_XOR,
    PB_2DDrawing_Outlined: ORV_MODE_OUTLINED,
    PB_2DDrawing_AlphaChannel: ORV_MODE_ALPHACHANNEL,
    PB_2DDrawing_AlphaBlend: ORV_MODE_ALPHABLEND,
    PB_2DDrawing_AlphaClip: ORV_MODE_ALPHACLIP,
    PB_2DDrawing_Gradient: ORV_MODE_GRADIENT,
    PB_2DDrawing_CustomFilter: ORV_MODE_CUSTOMFILTER,
    PB_2DDrawing_AllChannels: ORV_MODE_ALLCHANNELS,
    PB_2DDrawing_NativeText: 512,
    PB_PixelFormat_8Bits: 1,
    PB_PixelFormat_15Bits: 2,
    PB_PixelFormat_16Bits: 4,
    PB_PixelFormat_24Bits_RGB: 8,
    PB_PixelFormat_24Bits_BGR: 16,
    PB_PixelFormat_32Bits_RGB: 32,
    PB_PixelFormat_32Bits_BGR: 64,
    PB_PixelFormat_ReversedY: 32768,
});
