// Vector drawing: the canvas's own path model. Points are transformed when they are added and
// line widths when the path is stroked, as PureBasic's vector library does, so that its
// coordinate calls map onto the context's transform one to one. Images and sprites are drawn
// through their canvas and read back into their pixels at StopVectorDrawing.

var ORV_PATH_RELATIVE = 1;
var ORV_PATH_CONNECTED = 2;
var ORV_PATH_COUNTERCLOCKWISE = 4;
var ORV_PATH_PRESERVE = 8;
var ORV_PATH_ROUNDEND = 16;
var ORV_PATH_SQUAREEND = 32;
var ORV_PATH_ROUNDCORNER = 64;
var ORV_PATH_DIAGONALCORNER = 128;
var ORV_PATH_WINDING = 256;

// Pixels per unit: #PB_Unit_Pixel, #PB_Unit_Point, #PB_Unit_Inch, #PB_Unit_Millimeter at 96 dpi.
var ORV_UNIT_SCALE = { 1: 1, 2: 96 / 72, 3: 96, 4: 96 / 25.4 };

var orvVector = null;

function orvCurrentVector(name) {
    if (orvVector) return orvVector;
    orvDrawingReport("vector " + name, name + "(): there is no current vector drawing output (StartVectorDrawing() was not called or failed).");
    return null;
}

function orvCssRgba(color) {
    color = orvColor(color);
    return "rgba(" + (color & 255) + "," + ((color >>> 8) & 255) + "," + ((color >>> 16) & 255) + "," + (color >>> 24) / 255 + ")";
}

// Points between the user's coordinates and the output's pixels.
function orvToDevice(v, x, y) {
    var m = v.context.getTransform();
    return { x: m.a * x + m.c * y + m.e, y: m.b * x + m.d * y + m.f };
}

function orvToUser(v, x, y) {
    var m = v.context.getTransform().inverse();
    return { x: m.a * x + m.c * y + m.e, y: m.b * x + m.d * y + m.f };
}

function orvCursor(v) {
    return orvToUser(v, v.cursorX, v.cursorY);
}

function orvSetCursor(v, x, y) {
    var p = orvToDevice(v, x, y);
    v.cursorX = p.x;
    v.cursorY = p.y;
}

// The point (x, y) of a path call, relative to the cursor with #PB_Path_Relative.
function orvPathPoint(v, x, y, flags) {
    x = orvNumber(x);
    y = orvNumber(y);
    if (orvInt(flags) & ORV_PATH_RELATIVE) {
        var c = orvCursor(v);
        x += c.x;
        y += c.y;
    }
    return { x: x, y: y };
}

// The path is also kept as segments in device pixels (M, L, C with their points, Z), beside the
// canvas's own path, which cannot be read back: its length, points, bounds and segments.
function orvRecord(v, type, points) {
    var m = v.context.getTransform();
    var device = [];
    for (var i = 0; i < points.length; i += 2) device.push(m.a * points[i] + m.c * points[i + 1] + m.e, m.b * points[i] + m.d * points[i + 1] + m.f);
    v.segments.push({ type: type, points: device });
}

function orvPathMoveTo(v, x, y) {
    v.context.moveTo(x, y);
    orvRecord(v, "M", [x, y]);
}

function orvPathLineTo(v, x, y) {
    v.context.lineTo(x, y);
    orvRecord(v, "L", [x, y]);
}

function orvPathCurveTo(v, x1, y1, x2, y2, x3, y3) {
    v.context.bezierCurveTo(x1, y1, x2, y2, x3, y3);
    orvRecord(v, "C", [x1, y1, x2, y2, x3, y3]);
}

// An arc of an ellipse (centre, radii, start angle and the angle it turns, in radians) as cubic
// curves of at most a quarter turn each; its start point must be the current point.
function orvPathEllipseArc(v, cx, cy, rx, ry, start, turn) {
    var parts = Math.max(1, Math.ceil(Math.abs(turn) / (Math.PI / 2) - 1e-9));
    var step = turn / parts;
    var k = (4 / 3) * Math.tan(step / 4);
    for (var i = 0; i < parts; i++) {
        var a = start + i * step, b = a + step;
        var x0 = cx + rx * Math.cos(a), y0 = cy + ry * Math.sin(a);
        var x3 = cx + rx * Math.cos(b), y3 = cy + ry * Math.sin(b);
        orvPathCurveTo(v, x0 - k * rx * Math.sin(a), y0 + k * ry * Math.cos(a), x3 + k * rx * Math.sin(b), y3 - k * ry * Math.cos(b), x3, y3);
    }
}

// The path in the user coordinates of now, as polylines (curves in 16 pieces), one per figure.
function orvPathPolylines(v) {
    var m = v.context.getTransform().inverse();
    var user = function (points, i) {
        return [m.a * points[i] + m.c * points[i + 1] + m.e, m.b * points[i] + m.d * points[i + 1] + m.f];
    };
    var lines = [], line = null, start = null;
    v.segments.forEach(function (segment) {
        var p = segment.points;
        if (segment.type === "M" || !line) {
            line = [user(p, 0)];
            start = line[0];
            lines.push(line);
            if (segment.type === "M") return;
        }
        if (segment.type === "L") {
            line.push(user(p, 0));
        } else if (segment.type === "C") {
            var p0 = line[line.length - 1], p1 = user(p, 0), p2 = user(p, 2), p3 = user(p, 4);
            for (var k = 1; k <= 16; k++) {
                var t = k / 16, u = 1 - t;
                var w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
                line.push([w0 * p0[0] + w1 * p1[0] + w2 * p2[0] + w3 * p3[0], w0 * p0[1] + w1 * p1[1] + w2 * p2[1] + w3 * p3[1]]);
            }
        } else if (segment.type === "Z") {
            line.push(start.slice());
            line = [start.slice()];
            lines.push(line);
        }
    });
    return lines.filter(function (polyline) {
        return polyline.length > 1;
    });
}

// The point and direction at a distance along the path (clamped to its ends).
function orvPathPointAt(v, distance) {
    var lines = orvPathPolylines(v);
    if (!lines.length) {
        var c = orvCursor(v);
        return { x: c.x, y: c.y, angle: 0 };
    }
    distance = Math.max(0, orvNumber(distance));
    var last = null;
    for (var i = 0; i < lines.length; i++) {
        for (var k = 1; k < lines[i].length; k++) {
            var a = lines[i][k - 1], b = lines[i][k];
            var length = Math.hypot(b[0] - a[0], b[1] - a[1]);
            if (!length) continue;
            var angle = (Math.atan2(b[1] - a[1], b[0] - a[0]) * 180) / Math.PI;
            if (distance <= length) {
                var t = distance / length;
                return { x: a[0] + (b[0] - a[0]) * t, y: a[1] + (b[1] - a[1]) * t, angle: angle };
            }
            distance -= length;
            last = { x: b[0], y: b[1], angle: angle };
        }
    }
    return last || { x: lines[0][0][0], y: lines[0][0][1], angle: 0 };
}

function orvPathBounds(v) {
    var lines = orvPathPolylines(v);
    if (!lines.length) return { x: 0, y: 0, width: 0, height: 0 };
    var x0 = Infinity, y0 = Infinity, x1 = -Infinity, y1 = -Infinity;
    lines.forEach(function (line) {
        line.forEach(function (p) {
            x0 = Math.min(x0, p[0]);
            y0 = Math.min(y0, p[1]);
            x1 = Math.max(x1, p[0]);
            y1 = Math.max(y1, p[1]);
        });
    });
    return { x: x0, y: y0, width: x1 - x0, height: y1 - y0 };
}

function orvSegmentNumber(value) {
    var rounded = Math.round(value * 1e6) / 1e6;
    return String(rounded === 0 ? 0 : rounded);
}

// A line needs a figure to start from: a path without one starts at the cursor.
function orvOpenFigure(v) {
    if (v.open) return;
    var c = orvCursor(v);
    orvPathMoveTo(v, c.x, c.y);
    v.startX = v.cursorX;
    v.startY = v.cursorY;
    v.open = true;
}

function orvResetPath(v) {
    v.context.beginPath();
    v.segments = [];
    v.open = false;
    v.empty = true;
    orvSetCursor(v, 0, 0);
}

function orvVectorTarget(output) {
    var canvas, finish = function () {};
    switch (output.kind) {
        case "image":
        case "sprite":
            var bitmap = output.kind === "image" ? output.image : output.sprite;
            if (bitmap.freed) return null;
            canvas = orvBitmapCanvas(bitmap);
            finish = function () {
                var read = orvBitmapOfCanvas(canvas, 0, 0, canvas.width, canvas.height);
                bitmap.data.set(read.data);
                bitmap.version++;
                if (output.kind === "image" && bitmap.depth === 24) {
                    for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
                    bitmap.canvasStale = true;
                } else {
                    bitmap.canvasStale = false;
                }
            };
            break;
        case "canvas":
            canvas = output.canvas;
            break;
        case "window":
            canvas = orvWindowCanvas(output.window);
            break;
        default:
            return null;
    }
    var context = orvContext(canvas);
    if (!context) return null;
    return { canvas: canvas, context: context, finish: finish };
}

function orvStrokeStyle(context, width, flags) {
    flags = orvInt(flags);
    context.lineWidth = orvNumber(width);
    context.lineCap = flags & ORV_PATH_ROUNDEND ? "round" : flags & ORV_PATH_SQUAREEND ? "square" : "butt";
    context.lineJoin = flags & ORV_PATH_ROUNDCORNER ? "round" : flags & ORV_PATH_DIAGONALCORNER ? "bevel" : "miter";
}

// Strokes or fills the path, then resets it unless #PB_Path_Preserve.
function orvPaintPath(v, flags, paint) {
    orvPlaceSourceImage(v);
    paint(v.context);
    if (!(orvInt(flags) & ORV_PATH_PRESERVE)) orvResetPath(v);
}

// An image source keeps the coordinate system it was selected in (#PB_Coordinate_Source), while a
// canvas pattern follows the transform of the moment it paints: the pattern gets the difference.
function orvPlaceSourceImage(v) {
    var source = v.sourceImage;
    if (!source || v.context.fillStyle !== source.pattern || !source.pattern.setTransform) return;
    var m = v.context.getTransform().inverse().multiply(source.matrix);
    source.pattern.setTransform(m.scale(source.scaleX, source.scaleY));
}

// The matrix of a coordinate system: Device (pixels), Output (the output's unit), User (the
// path's coordinates now), Source (the user coordinates when the image source was selected).
function orvSystemMatrix(v, system) {
    switch (orvInt(system)) {
        case 0:
            return new DOMMatrix();
        case 1:
            return new DOMMatrix([v.scale, 0, 0, v.scale, 0, 0]);
        case 3:
            if (v.sourceImage) return v.sourceImage.matrix;
            return v.context.getTransform();
        default:
            return v.context.getTransform();
    }
}

function orvConvertPoint(v, x, y, from, to) {
    var a = orvSystemMatrix(v, from === undefined ? 2 : from);
    var b = orvSystemMatrix(v, to === undefined ? 1 : to);
    return b.inverse().multiply(a).transformPoint(new DOMPoint(orvNumber(x), orvNumber(y)));
}

// The words of a paragraph in lines no wider than width (a word wider than that is cut).
function orvParagraphLines(context, text, width) {
    var lines = [];
    orvText(text)
        .split(/\r\n|\r|\n/)
        .forEach(function (part) {
            var words = part.split(/ +/).filter(function (word) {
                return word !== "";
            });
            var line = [];
            var lineWidth = 0;
            var space = context.measureText(" ").width;
            words.forEach(function (word) {
                var wordWidth = context.measureText(word).width;
                while (wordWidth > width && word.length > 1) {
                    if (line.length) {
                        lines.push(line);
                        line = [];
                        lineWidth = 0;
                    }
                    var cut = word.length - 1;
                    while (cut > 1 && context.measureText(word.slice(0, cut)).width > width) cut--;
                    lines.push([word.slice(0, cut)]);
                    word = word.slice(cut);
                    wordWidth = context.measureText(word).width;
                }
                if (line.length && lineWidth + space + wordWidth > width) {
                    lines.push(line);
                    line = [];
                    lineWidth = 0;
                }
                lineWidth += (line.length ? space : 0) + wordWidth;
                line.push(word);
            });
            lines.push(line);
            lines[lines.length - 1].lastOfPart = true;
        });
    return lines;
}

function orvLineHeight(context) {
    var metrics = context.measureText("Mg");
    return metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
}

function orvVectorFontCss(v) {
    var css = v.fontCss || ORV_DEFAULT_DRAWING_FONT;
    if (v.fontSize > 0) css = css.replace(/[\d.]+(px|pt)/, v.fontSize + "px");
    return css;
}

var cVectorDrawing = (global.cVectorDrawing = {
    CanvasVectorOutput: function (number, unit) {
        var gadget = orvRegistry("Gadget").Get(number);
        if (!gadget) return 0;
        if (!gadget.canvas) return orvImageError("CanvasVectorOutput(): the gadget is not a CanvasGadget.");
        return orvNewOutput({ kind: "canvas", canvas: gadget.canvas, unit: unit === undefined ? 1 : orvInt(unit) });
    },

    WindowVectorOutput: function (number, unit) {
        var win = orvRegistry("Window").Get(number);
        if (!win) return 0;
        if (!win.inner || !orvCanvasUsable) return orvImageError("WindowVectorOutput(): this window cannot be drawn on.");
        return orvNewOutput({ kind: "window", window: win, unit: unit === undefined ? 1 : orvInt(unit) });
    },

    StartVectorDrawing: function (outputId) {
        var output = orvTakeOutput(outputId);
        if (orvVector) cVectorDrawing.StopVectorDrawing();
        if (!output) {
            if (orvInt(outputId) !== 0) orvError("StartVectorDrawing(): the output is not valid (each output ID serves one StartVectorDrawing()).");
            return 0;
        }
        var target = orvVectorTarget(output);
        if (!target) return 0;
        var unit = ORV_UNIT_SCALE[output.unit] ? output.unit : 1;
        var context = target.context;
        context.save();
        context.setTransform(ORV_UNIT_SCALE[unit], 0, 0, ORV_UNIT_SCALE[unit], 0, 0);
        context.fillStyle = context.strokeStyle = "rgba(0,0,0,1)";
        context.globalAlpha = 1;
        context.setLineDash([]);
        orvVector = { target: target, context: context, unit: unit, scale: ORV_UNIT_SCALE[unit], fontCss: null, fontSize: 0, layers: [], sourceImage: null };
        orvResetPath(orvVector);
        return outputId;
    },

    StopVectorDrawing: function () {
        var v = orvCurrentVector("StopVectorDrawing");
        if (!v) return;
        while (v.layers.length) cVectorDrawing.EndVectorLayer();
        orvVector = null;
        v.context.restore();
        v.target.finish();
    },

    VectorOutputWidth: function () {
        var v = orvCurrentVector("VectorOutputWidth");
        return v ? v.target.canvas.width / v.scale : 0;
    },
    VectorOutputHeight: function () {
        var v = orvCurrentVector("VectorOutputHeight");
        return v ? v.target.canvas.height / v.scale : 0;
    },
    VectorUnit: function () {
        var v = orvCurrentVector("VectorUnit");
        return v ? v.unit : 0;
    },
    VectorResolutionX: function () {
        return 96;
    },
    VectorResolutionY: function () {
        return 96;
    },

    // ---- coordinates

    ResetCoordinates: function () {
        var v = orvCurrentVector("ResetCoordinates");
        if (v) v.context.setTransform(v.scale, 0, 0, v.scale, 0, 0);
    },
    TranslateCoordinates: function (x, y) {
        var v = orvCurrentVector("TranslateCoordinates");
        if (v) v.context.translate(orvNumber(x), orvNumber(y));
    },
    ScaleCoordinates: function (scaleX, scaleY) {
        var v = orvCurrentVector("ScaleCoordinates");
        if (v) v.context.scale(orvNumber(scaleX), orvNumber(scaleY));
    },
    // A positive angle turns clockwise on the screen, around (x, y).
    RotateCoordinates: function (x, y, angle) {
        var v = orvCurrentVector("RotateCoordinates");
        if (!v) return;
        x = orvNumber(x);
        y = orvNumber(y);
        v.context.translate(x, y);
        v.context.rotate((orvNumber(angle) * Math.PI) / 180);
        v.context.translate(-x, -y);
    },
    SkewCoordinates: function (angleX, angleY) {
        var v = orvCurrentVector("SkewCoordinates");
        if (v) v.context.transform(1, Math.tan((orvNumber(angleY) * Math.PI) / 180), Math.tan((orvNumber(angleX) * Math.PI) / 180), 1, 0, 0);
    },
    FlipCoordinatesX: function (axisX) {
        var v = orvCurrentVector("FlipCoordinatesX");
        if (!v) return;
        v.context.translate(orvNumber(axisX), 0);
        v.context.scale(-1, 1);
        v.context.translate(-orvNumber(axisX), 0);
    },
    FlipCoordinatesY: function (axisY) {
        var v = orvCurrentVector("FlipCoordinatesY");
        if (!v) return;
        v.context.translate(0, orvNumber(axisY));
        v.context.scale(1, -1);
        v.context.translate(0, -orvNumber(axisY));
    },
    SaveVectorState: function () {
        var v = orvCurrentVector("SaveVectorState");
        if (v) v.context.save();
    },
    RestoreVectorState: function () {
        var v = orvCurrentVector("RestoreVectorState");
        if (v) v.context.restore();
    },

    // ---- the path

    ResetPath: function () {
        var v = orvCurrentVector("ResetPath");
        if (v) orvResetPath(v);
    },
    ClosePath: function () {
        var v = orvCurrentVector("ClosePath");
        if (!v || !v.open) return;
        v.context.closePath();
        orvRecord(v, "Z", []);
        v.cursorX = v.startX;
        v.cursorY = v.startY;
    },
    MovePathCursor: function (x, y, flags) {
        var v = orvCurrentVector("MovePathCursor");
        if (!v) return;
        var p = orvPathPoint(v, x, y, flags);
        orvPathMoveTo(v, p.x, p.y);
        orvSetCursor(v, p.x, p.y);
        v.startX = v.cursorX;
        v.startY = v.cursorY;
        v.open = true;
    },
    AddPathLine: function (x, y, flags) {
        var v = orvCurrentVector("AddPathLine");
        if (!v) return;
        var p = orvPathPoint(v, x, y, flags);
        orvOpenFigure(v);
        orvPathLineTo(v, p.x, p.y);
        orvSetCursor(v, p.x, p.y);
        v.empty = false;
    },
    AddPathCurve: function (x1, y1, x2, y2, x3, y3, flags) {
        var v = orvCurrentVector("AddPathCurve");
        if (!v) return;
        var a = orvPathPoint(v, x1, y1, flags), b = orvPathPoint(v, x2, y2, flags), c = orvPathPoint(v, x3, y3, flags);
        orvOpenFigure(v);
        orvPathCurveTo(v, a.x, a.y, b.x, b.y, c.x, c.y);
        orvSetCursor(v, c.x, c.y);
        v.empty = false;
    },
    AddPathArc: function (x1, y1, x2, y2, radius, flags) {
        var v = orvCurrentVector("AddPathArc");
        if (!v) return;
        var a = orvPathPoint(v, x1, y1, flags), b = orvPathPoint(v, x2, y2, flags);
        orvOpenFigure(v);
        // A line towards the corner (x1, y1) as far as the arc of this radius that touches both
        // lines, then the arc; the cursor ends where the arc ends.
        var r = Math.abs(orvNumber(radius)), c = orvCursor(v);
        var ux = c.x - a.x, uy = c.y - a.y, wx = b.x - a.x, wy = b.y - a.y;
        var lu = Math.hypot(ux, uy), lw = Math.hypot(wx, wy);
        var cross = ux * wy - uy * wx;
        if (!r || !lu || !lw || Math.abs(cross) < 1e-9 * lu * lw) {
            orvPathLineTo(v, a.x, a.y);
            orvSetCursor(v, a.x, a.y);
        } else {
            ux /= lu;
            uy /= lu;
            wx /= lw;
            wy /= lw;
            var half = Math.acos(Math.max(-1, Math.min(1, ux * wx + uy * wy))) / 2;
            var along = r / Math.tan(half);
            var t1x = a.x + ux * along, t1y = a.y + uy * along, t2x = a.x + wx * along, t2y = a.y + wy * along;
            var bx = ux + wx, by = uy + wy, lb = Math.hypot(bx, by);
            var cx = a.x + (bx / lb) * (r / Math.sin(half)), cy = a.y + (by / lb) * (r / Math.sin(half));
            var from = Math.atan2(t1y - cy, t1x - cx), to = Math.atan2(t2y - cy, t2x - cx);
            var turn = to - from;
            if (turn > Math.PI) turn -= 2 * Math.PI;
            if (turn < -Math.PI) turn += 2 * Math.PI;
            orvPathLineTo(v, t1x, t1y);
            orvPathEllipseArc(v, cx, cy, r, r, from, turn);
            orvSetCursor(v, t2x, t2y);
        }
        v.empty = false;
    },
    AddPathBox: function (x, y, width, height, flags) {
        var v = orvCurrentVector("AddPathBox");
        if (!v) return;
        var p = orvPathPoint(v, x, y, flags);
        width = orvNumber(width);
        height = orvNumber(height);
        if (orvInt(flags) & ORV_PATH_CONNECTED) {
            orvOpenFigure(v);
            orvPathLineTo(v, p.x, p.y);
        } else {
            orvPathMoveTo(v, p.x, p.y);
        }
        orvPathLineTo(v, p.x + width, p.y);
        orvPathLineTo(v, p.x + width, p.y + height);
        orvPathLineTo(v, p.x, p.y + height);
        if (orvInt(flags) & ORV_PATH_CONNECTED) {
            orvPathLineTo(v, p.x, p.y);
        } else {
            v.context.closePath();
            orvRecord(v, "Z", []);
        }
        orvSetCursor(v, p.x, p.y);
        v.startX = v.cursorX;
        v.startY = v.cursorY;
        v.open = true;
        v.empty = false;
    },
    AddPathCircle: function (x, y, radius, startAngle, endAngle, flags) {
        cVectorDrawing.AddPathEllipse(x, y, radius, radius, startAngle, endAngle, flags);
    },
    AddPathEllipse: function (x, y, radiusX, radiusY, startAngle, endAngle, flags) {
        var v = orvCurrentVector("AddPathEllipse");
        if (!v) return;
        var c = orvPathPoint(v, x, y, flags);
        var rx = Math.abs(orvNumber(radiusX)), ry = Math.abs(orvNumber(radiusY));
        var start = startAngle === undefined ? 0 : orvNumber(startAngle);
        var end = endAngle === undefined ? 360 : orvNumber(endAngle);
        var ccw = !!(orvInt(flags) & ORV_PATH_COUNTERCLOCKWISE);
        var a0 = (start * Math.PI) / 180, a1 = (end * Math.PI) / 180;
        var sx = c.x + rx * Math.cos(a0), sy = c.y + ry * Math.sin(a0);
        if (orvInt(flags) & ORV_PATH_CONNECTED) {
            orvOpenFigure(v);
            orvPathLineTo(v, sx, sy);
        } else {
            orvPathMoveTo(v, sx, sy);
            orvSetCursor(v, sx, sy);
            v.startX = v.cursorX;
            v.startY = v.cursorY;
        }
        // The turn from the start to the end angle: clockwise on the screen, counterclockwise
        // with the flag, a whole turn at most.
        var full = Math.abs(end - start) >= 360;
        var turn = full ? 2 * Math.PI : ((((ccw ? a0 - a1 : a1 - a0) % (2 * Math.PI)) + 2 * Math.PI) % (2 * Math.PI));
        orvPathEllipseArc(v, c.x, c.y, rx, ry, a0, ccw ? -turn : turn);
        if (full && !(orvInt(flags) & ORV_PATH_CONNECTED)) {
            v.context.closePath();
            orvRecord(v, "Z", []);
        }
        orvSetCursor(v, c.x + rx * Math.cos(a1), c.y + ry * Math.sin(a1));
        v.open = true;
        v.empty = false;
    },

    // ---- reading the path back

    PathLength: function () {
        var v = orvCurrentVector("PathLength");
        if (!v) return 0;
        var total = 0;
        orvPathPolylines(v).forEach(function (line) {
            for (var k = 1; k < line.length; k++) total += Math.hypot(line[k][0] - line[k - 1][0], line[k][1] - line[k - 1][1]);
        });
        return total;
    },
    PathPointX: function (distance) {
        var v = orvCurrentVector("PathPointX");
        return v ? orvPathPointAt(v, distance).x : 0;
    },
    PathPointY: function (distance) {
        var v = orvCurrentVector("PathPointY");
        return v ? orvPathPointAt(v, distance).y : 0;
    },
    PathPointAngle: function (distance) {
        var v = orvCurrentVector("PathPointAngle");
        return v ? orvPathPointAt(v, distance).angle : 0;
    },
    PathBoundsX: function () {
        var v = orvCurrentVector("PathBoundsX");
        return v ? orvPathBounds(v).x : 0;
    },
    PathBoundsY: function () {
        var v = orvCurrentVector("PathBoundsY");
        return v ? orvPathBounds(v).y : 0;
    },
    PathBoundsWidth: function () {
        var v = orvCurrentVector("PathBoundsWidth");
        return v ? orvPathBounds(v).width : 0;
    },
    PathBoundsHeight: function () {
        var v = orvCurrentVector("PathBoundsHeight");
        return v ? orvPathBounds(v).height : 0;
    },

    // The path as "M x y L x y C x1 y1 x2 y2 x3 y3 Z", in the user coordinates of now.
    PathSegments: function () {
        var v = orvCurrentVector("PathSegments");
        if (!v) return "";
        var m = v.context.getTransform().inverse();
        return v.segments
            .map(function (segment) {
                var text = segment.type;
                for (var i = 0; i < segment.points.length; i += 2) {
                    var x = segment.points[i], y = segment.points[i + 1];
                    text += " " + orvSegmentNumber(m.a * x + m.c * y + m.e) + " " + orvSegmentNumber(m.b * x + m.d * y + m.f);
                }
                return text;
            })
            .join(" ");
    },

    // PathSegments' text, or SVG path data of the same kind (M L H V C S Q T Z, lower case
    // relative to the last point).
    AddPathSegments: function (segments, flags) {
        var v = orvCurrentVector("AddPathSegments");
        if (!v) return;
        var tokens = orvText(segments).match(/[MmLlHhVvCcSsQqTtZz]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?/g) || [];
        var origin = orvInt(flags) & ORV_PATH_RELATIVE ? orvCursor(v) : { x: 0, y: 0 };
        var current = orvCursor(v), figure = current, control = null, command = null, i = 0;
        var number = function () {
            if (i >= tokens.length || /[A-Za-z]/.test(tokens[i])) throw new Error("a number is missing after " + command);
            return Number(tokens[i++]);
        };
        var point = function (relative) {
            var x = number(), y = number();
            return relative ? { x: current.x + x, y: current.y + y } : { x: origin.x + x, y: origin.y + y };
        };
        try {
            while (i < tokens.length) {
                if (/[A-Za-z]/.test(tokens[i])) command = tokens[i++];
                else if (!command) throw new Error("the segments do not start with a command letter");
                var relative = command === command.toLowerCase();
                var kind = command.toUpperCase();
                var before = kind;
                if (kind === "M") {
                    current = figure = point(relative);
                    cVectorDrawing.MovePathCursor(current.x, current.y);
                    command = relative ? "l" : "L";
                } else if (kind === "L" || kind === "H" || kind === "V") {
                    var to = kind === "L" ? point(relative) : null;
                    if (kind === "H") to = { x: relative ? current.x + number() : origin.x + number(), y: current.y };
                    if (kind === "V") to = { x: current.x, y: relative ? current.y + number() : origin.y + number() };
                    cVectorDrawing.AddPathLine(to.x, to.y);
                    current = to;
                } else if (kind === "C" || kind === "S") {
                    var c1 = kind === "C" ? point(relative) : control && control.cubic ? { x: 2 * current.x - control.x, y: 2 * current.y - control.y } : current;
                    var c2 = point(relative), end = point(relative);
                    cVectorDrawing.AddPathCurve(c1.x, c1.y, c2.x, c2.y, end.x, end.y);
                    control = { x: c2.x, y: c2.y, cubic: true };
                    current = end;
                } else if (kind === "Q" || kind === "T") {
                    var q = kind === "Q" ? point(relative) : control && !control.cubic ? { x: 2 * current.x - control.x, y: 2 * current.y - control.y } : current;
                    var qEnd = point(relative);
                    cVectorDrawing.AddPathCurve(current.x + ((q.x - current.x) * 2) / 3, current.y + ((q.y - current.y) * 2) / 3, qEnd.x + ((q.x - qEnd.x) * 2) / 3, qEnd.y + ((q.y - qEnd.y) * 2) / 3, qEnd.x, qEnd.y);
                    control = { x: q.x, y: q.y, cubic: false };
                    current = qEnd;
                } else if (kind === "Z") {
                    cVectorDrawing.ClosePath();
                    current = figure;
                    command = null;
                }
                if (before !== "C" && before !== "S" && before !== "Q" && before !== "T") control = null;
            }
        } catch (error) {
            orvError("AddPathSegments(): " + error.message + ".");
        }
    },

    IsPathEmpty: function () {
        var v = orvCurrentVector("IsPathEmpty");
        return !v || v.empty ? 1 : 0;
    },
    PathCursorX: function () {
        var v = orvCurrentVector("PathCursorX");
        return v ? orvCursor(v).x : 0;
    },
    PathCursorY: function () {
        var v = orvCurrentVector("PathCursorY");
        return v ? orvCursor(v).y : 0;
    },

    IsInsideStroke: function (x, y, width, flags, system) {
        var v = orvCurrentVector("IsInsideStroke");
        if (!v) return 0;
        var p = orvConvertPoint(v, x, y, system === undefined ? 2 : system, 0);
        var context = v.context;
        context.save();
        orvStrokeStyle(context, width, flags);
        var inside = context.isPointInStroke(p.x, p.y);
        context.restore();
        return inside ? 1 : 0;
    },

    ConvertCoordinateX: function (x, y, source, target) {
        var v = orvCurrentVector("ConvertCoordinateX");
        return v ? orvConvertPoint(v, x, y, source, target).x : 0;
    },
    ConvertCoordinateY: function (x, y, source, target) {
        var v = orvCurrentVector("ConvertCoordinateY");
        return v ? orvConvertPoint(v, x, y, source, target).y : 0;
    },

    IsInsidePath: function (x, y) {
        var v = orvCurrentVector("IsInsidePath");
        if (!v) return 0;
        var p = orvToDevice(v, orvNumber(x), orvNumber(y));
        return v.context.isPointInPath(p.x, p.y, "evenodd") ? 1 : 0;
    },

    // ---- painting

    StrokePath: function (width, flags) {
        var v = orvCurrentVector("StrokePath");
        if (!v) return;
        orvPaintPath(v, flags, function (context) {
            orvStrokeStyle(context, width, flags);
            context.setLineDash([]);
            context.stroke();
        });
    },
    DashPath: function (width, length, flags, startOffset) {
        var v = orvCurrentVector("DashPath");
        if (!v) return;
        orvPaintPath(v, flags, function (context) {
            orvStrokeStyle(context, width, flags);
            context.setLineDash([orvNumber(length), orvNumber(length)]);
            context.lineDashOffset = orvNumber(startOffset);
            context.stroke();
            context.setLineDash([]);
        });
    },
    // Segments: dash, space, dash, space ... repeated; a dash of 0 is a dot.
    CustomDashPath: function (width, segments, flags, startOffset) {
        var v = orvCurrentVector("CustomDashPath");
        if (!v) return;
        var lengths = segments && typeof segments.length === "number" ? Array.prototype.map.call(segments, orvNumber) : [];
        if (!lengths.length || lengths.some(function (length) { return length < 0; })) {
            orvError("CustomDashPath(): the array must hold the dash and space lengths, none of them negative.");
            return;
        }
        orvPaintPath(v, flags, function (context) {
            orvStrokeStyle(context, width, flags);
            if (lengths.indexOf(0) >= 0 && !(orvInt(flags) & ORV_PATH_SQUAREEND)) context.lineCap = "round";
            context.setLineDash(lengths);
            context.lineDashOffset = orvNumber(startOffset);
            context.stroke();
            context.setLineDash([]);
        });
    },
    DotPath: function (width, distance, flags, startOffset) {
        var v = orvCurrentVector("DotPath");
        if (!v) return;
        orvPaintPath(v, flags, function (context) {
            orvStrokeStyle(context, width, flags);
            if (!(orvInt(flags) & ORV_PATH_SQUAREEND)) context.lineCap = "round";
            context.setLineDash([0, Math.max(orvNumber(distance), 0.001)]);
            context.lineDashOffset = orvNumber(startOffset);
            context.stroke();
            context.setLineDash([]);
        });
    },
    FillPath: function (flags) {
        var v = orvCurrentVector("FillPath");
        if (!v) return;
        orvPaintPath(v, flags, function (context) {
            context.fill(orvInt(flags) & ORV_PATH_WINDING ? "nonzero" : "evenodd");
        });
    },
    ClipPath: function (flags) {
        var v = orvCurrentVector("ClipPath");
        if (!v) return;
        orvPaintPath(v, flags, function (context) {
            context.clip(orvInt(flags) & ORV_PATH_WINDING ? "nonzero" : "evenodd");
        });
    },
    FillVectorOutput: function () {
        var v = orvCurrentVector("FillVectorOutput");
        if (!v) return;
        var context = v.context;
        context.save();
        context.setTransform(1, 0, 0, 1, 0, 0);
        context.fillRect(0, 0, v.target.canvas.width, v.target.canvas.height);
        context.restore();
    },

    // ---- sources

    VectorSourceColor: function (color) {
        var v = orvCurrentVector("VectorSourceColor");
        if (!v) return;
        v.context.fillStyle = v.context.strokeStyle = orvCssRgba(color);
    },
    VectorSourceLinearGradient: function (x1, y1, x2, y2) {
        var v = orvCurrentVector("VectorSourceLinearGradient");
        if (!v) return;
        v.gradient = v.context.createLinearGradient(orvNumber(x1), orvNumber(y1), orvNumber(x2), orvNumber(y2));
        v.context.fillStyle = v.context.strokeStyle = v.gradient;
    },
    VectorSourceCircularGradient: function (x, y, radius, centerX, centerY) {
        var v = orvCurrentVector("VectorSourceCircularGradient");
        if (!v) return;
        x = orvNumber(x);
        y = orvNumber(y);
        var fx = centerX === undefined ? x : x + orvNumber(centerX);
        var fy = centerY === undefined ? y : y + orvNumber(centerY);
        v.gradient = v.context.createRadialGradient(fx, fy, 0, x, y, Math.abs(orvNumber(radius)));
        v.context.fillStyle = v.context.strokeStyle = v.gradient;
    },
    // The image at its own size in the unit of the output, or at width x height; outside it
    // transparent, or the image repeated with #PB_VectorImage_Repeat.
    VectorSourceImage: function (imageId, alpha, width, height, flags) {
        var v = orvCurrentVector("VectorSourceImage");
        if (!v) return;
        var source = orvSourceBitmap("VectorSourceImage", imageId);
        if (!source) return;
        var canvas = orvBitmapCanvas(source);
        if (!canvas || !source.width || !source.height) return;
        alpha = alpha === undefined ? 255 : Math.max(0, Math.min(255, orvNumber(alpha)));
        if (alpha < 255) {
            var faded = orvNewCanvas(source.width, source.height);
            var fadedContext = orvContext(faded);
            fadedContext.globalAlpha = alpha / 255;
            fadedContext.drawImage(canvas, 0, 0);
            canvas = faded;
        } else {
            // A copy: drawing on the image later does not change the source.
            var copy = orvNewCanvas(source.width, source.height);
            orvContext(copy).drawImage(canvas, 0, 0);
            canvas = copy;
        }
        var w = width === undefined ? source.width / v.scale : orvNumber(width);
        var h = height === undefined ? source.height / v.scale : orvNumber(height);
        var pattern = v.context.createPattern(canvas, orvInt(flags) & 2 ? "repeat" : "no-repeat");
        v.sourceImage = { pattern: pattern, matrix: v.context.getTransform(), scaleX: w / source.width, scaleY: h / source.height };
        v.gradient = null;
        v.context.fillStyle = v.context.strokeStyle = pattern;
    },
    VectorSourceGradientColor: function (color, position) {
        var v = orvCurrentVector("VectorSourceGradientColor");
        if (!v) return;
        if (!v.gradient) return orvError("VectorSourceGradientColor(): no gradient is selected as the drawing source.");
        v.gradient.addColorStop(Math.min(1, Math.max(0, orvNumber(position))), orvCssRgba(color));
    },

    // ---- text and images

    VectorFont: function (fontId, size) {
        var v = orvCurrentVector("VectorFont");
        if (!v) return;
        var css = typeof orvFontCss === "function" ? orvFontCss(fontId) : null;
        if (!css) return orvError("VectorFont(): the FontID is not valid (use FontID() to get it).");
        v.fontCss = css;
        v.fontSize = size === undefined ? 0 : Math.abs(orvNumber(size));
    },
    // The text's top left corner is at the cursor, which moves to its end.
    DrawVectorText: function (text) {
        var v = orvCurrentVector("DrawVectorText");
        if (!v) return;
        text = orvText(text);
        var context = v.context, c = orvCursor(v);
        context.font = orvVectorFontCss(v);
        context.textBaseline = "alphabetic";
        var metrics = context.measureText(text);
        var ascent = metrics.fontBoundingBoxAscent !== undefined ? metrics.fontBoundingBoxAscent : metrics.actualBoundingBoxAscent;
        context.fillText(text, c.x, c.y + ascent);
        orvSetCursor(v, c.x + metrics.width, c.y);
    },
    VectorTextWidth: function (text) {
        var v = orvCurrentVector("VectorTextWidth");
        if (!v) return 0;
        v.context.font = orvVectorFontCss(v);
        return v.context.measureText(orvText(text)).width;
    },
    VectorTextHeight: function (text) {
        var v = orvCurrentVector("VectorTextHeight");
        if (!v) return 0;
        v.context.font = orvVectorFontCss(v);
        var metrics = v.context.measureText(orvText(text) || " ");
        return metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
    },
    // Lines break between words to stay within width; lines that would reach below height are
    // left out. The cursor goes to the start of the line after the last one drawn.
    DrawVectorParagraph: function (text, width, height, flags) {
        var v = orvCurrentVector("DrawVectorParagraph");
        if (!v) return;
        var context = v.context, c = orvCursor(v);
        width = Math.max(0, orvNumber(width));
        height = Math.max(0, orvNumber(height));
        flags = orvInt(flags);
        context.font = orvVectorFontCss(v);
        context.textBaseline = "alphabetic";
        var lineHeight = orvLineHeight(context);
        var ascent = context.measureText("Mg").fontBoundingBoxAscent;
        var space = context.measureText(" ").width;
        var y = c.y;
        var lines = orvParagraphLines(context, text, width);
        for (var i = 0; i < lines.length && y + lineHeight <= c.y + height + 0.5; i++) {
            var words = lines[i];
            var wordWidths = words.map(function (word) {
                return context.measureText(word).width;
            });
            var used = wordWidths.reduce(function (sum, w) { return sum + w; }, 0) + space * Math.max(0, words.length - 1);
            var x = c.x, gap = space;
            if (flags & 2) x = c.x + width - used;
            else if (flags & 4) x = c.x + (width - used) / 2;
            else if (flags & 8 && !words.lastOfPart && words.length > 1) gap = space + (width - used) / (words.length - 1);
            for (var k = 0; k < words.length; k++) {
                context.fillText(words[k], x, y + ascent);
                x += wordWidths[k] + gap;
            }
            y += lineHeight;
        }
        orvSetCursor(v, c.x, y);
    },
    VectorParagraphHeight: function (text, width, height) {
        var v = orvCurrentVector("VectorParagraphHeight");
        if (!v) return 0;
        var context = v.context;
        context.font = orvVectorFontCss(v);
        var lineHeight = orvLineHeight(context);
        var needed = orvParagraphLines(context, text, Math.max(0, orvNumber(width))).length * lineHeight;
        return height === undefined ? needed : Math.min(needed, Math.floor(Math.max(0, orvNumber(height)) / lineHeight) * lineHeight);
    },

    // ---- layers: drawn on a canvas of their own, put on the output at EndVectorLayer

    BeginVectorLayer: function (alpha) {
        var v = orvCurrentVector("BeginVectorLayer");
        if (!v) return;
        var base = v.context;
        var canvas = orvNewCanvas(v.target.canvas.width, v.target.canvas.height);
        var context = canvas ? orvContext(canvas) : null;
        if (!context) return;
        base.save();
        context.setTransform(base.getTransform());
        context.fillStyle = base.fillStyle;
        context.strokeStyle = base.strokeStyle;
        context.font = base.font;
        v.layers.push({ context: base, canvas: canvas, alpha: alpha === undefined ? 255 : Math.max(0, Math.min(255, orvNumber(alpha))), open: v.open, empty: v.empty, segments: v.segments });
        v.context = context;
        v.open = false;
        v.empty = true;
        v.segments = [];
    },
    EndVectorLayer: function () {
        var v = orvCurrentVector("EndVectorLayer");
        if (!v) return;
        var layer = v.layers.pop();
        if (!layer) return orvError("EndVectorLayer(): there is no layer (BeginVectorLayer() was not called).");
        var base = layer.context;
        base.save();
        base.setTransform(1, 0, 0, 1, 0, 0);
        base.globalAlpha = layer.alpha / 255;
        base.drawImage(layer.canvas, 0, 0);
        base.restore();
        base.restore();
        v.context = base;
        v.open = layer.open;
        v.empty = layer.empty;
        v.segments = layer.segments;
    },

    DrawVectorImage: function (imageId, alpha, width, height) {
        var v = orvCurrentVector("DrawVectorImage");
        if (!v) return;
        var source = orvSourceBitmap("DrawVectorImage", imageId);
        if (!source) return;
        var canvas = orvBitmapCanvas(source);
        if (!canvas) return;
        var c = orvCursor(v);
        width = width === undefined ? source.width / v.scale : orvNumber(width);
        height = height === undefined ? source.height / v.scale : orvNumber(height);
        var context = v.context;
        var keep = context.globalAlpha;
        context.globalAlpha = alpha === undefined ? 1 : Math.max(0, Math.min(255, orvNumber(alpha))) / 255;
        context.drawImage(canvas, c.x, c.y, width, height);
        context.globalAlpha = keep;
        orvSetCursor(v, c.x + width, c.y + height);
    },
});

// Constants of the VectorDrawing library, with PureBasic's values.
orvAddConstants({
    PB_Path_Default: 0,
    PB_Path_Relative: ORV_PATH_RELATIVE,
    PB_Path_Connected: ORV_PATH_CONNECTED,
    PB_Path_CounterClockwise: ORV_PATH_COUNTERCLOCKWISE,
    PB_Path_Preserve: ORV_PATH_PRESERVE,
    PB_Path_RoundEnd: ORV_PATH_ROUNDEND,
    PB_Path_SquareEnd: ORV_PATH_SQUAREEND,
    PB_Path_RoundCorner: ORV_PATH_ROUNDCORNER,
    PB_Path_DiagonalCorner: ORV_PATH_DIAGONALCORNER,
    PB_Path_Winding: ORV_PATH_WINDING,
    PB_Coordinate_Device: 0,
    PB_Coordinate_Output: 1,
    PB_Coordinate_User: 2,
    PB_Coordinate_Source: 3,
    PB_Unit_Pixel: 1,
    PB_Unit_Point: 2,
    PB_Unit_Inch: 3,
    PB_Unit_Millimeter: 4,
    PB_VectorText_Default: 0,
    PB_VectorText_Visible: 2,
    PB_VectorText_Offset: 4,
    PB_VectorText_Baseline: 8,
    PB_VectorParagraph_Left: 0,
    PB_VectorParagraph_Right: 2,
    PB_VectorParagraph_Center: 4,
    PB_VectorParagraph_Block: 8,
    PB_VectorImage_Default: 0,
    PB_VectorImage_Repeat: 2,
});
