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

// A line needs a figure to start from: a path without one starts at the cursor.
function orvOpenFigure(v) {
    if (v.open) return;
    var c = orvCursor(v);
    v.context.moveTo(c.x, c.y);
    v.startX = v.cursorX;
    v.startY = v.cursorY;
    v.open = true;
}

function orvResetPath(v) {
    v.context.beginPath();
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
        v.cursorX = v.startX;
        v.cursorY = v.startY;
    },
    MovePathCursor: function (x, y, flags) {
        var v = orvCurrentVector("MovePathCursor");
        if (!v) return;
        var p = orvPathPoint(v, x, y, flags);
        v.context.moveTo(p.x, p.y);
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
        v.context.lineTo(p.x, p.y);
        orvSetCursor(v, p.x, p.y);
        v.empty = false;
    },
    AddPathCurve: function (x1, y1, x2, y2, x3, y3, flags) {
        var v = orvCurrentVector("AddPathCurve");
        if (!v) return;
        var a = orvPathPoint(v, x1, y1, flags), b = orvPathPoint(v, x2, y2, flags), c = orvPathPoint(v, x3, y3, flags);
        orvOpenFigure(v);
        v.context.bezierCurveTo(a.x, a.y, b.x, b.y, c.x, c.y);
        orvSetCursor(v, c.x, c.y);
        v.empty = false;
    },
    AddPathArc: function (x1, y1, x2, y2, radius, flags) {
        var v = orvCurrentVector("AddPathArc");
        if (!v) return;
        var a = orvPathPoint(v, x1, y1, flags), b = orvPathPoint(v, x2, y2, flags);
        orvOpenFigure(v);
        v.context.arcTo(a.x, a.y, b.x, b.y, Math.abs(orvNumber(radius)));
        orvSetCursor(v, a.x, a.y);
        v.empty = false;
    },
    AddPathBox: function (x, y, width, height, flags) {
        var v = orvCurrentVector("AddPathBox");
        if (!v) return;
        var p = orvPathPoint(v, x, y, flags);
        width = orvNumber(width);
        height = orvNumber(height);
        var context = v.context;
        if (orvInt(flags) & ORV_PATH_CONNECTED) {
            orvOpenFigure(v);
            context.lineTo(p.x, p.y);
        } else {
            context.moveTo(p.x, p.y);
        }
        context.lineTo(p.x + width, p.y);
        context.lineTo(p.x + width, p.y + height);
        context.lineTo(p.x, p.y + height);
        if (orvInt(flags) & ORV_PATH_CONNECTED) {
            context.lineTo(p.x, p.y);
        } else {
            context.closePath();
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
        var context = v.context;
        if (orvInt(flags) & ORV_PATH_CONNECTED) {
            orvOpenFigure(v);
            context.lineTo(sx, sy);
        } else {
            context.moveTo(sx, sy);
            orvSetCursor(v, sx, sy);
            v.startX = v.cursorX;
            v.startY = v.cursorY;
        }
        context.ellipse(c.x, c.y, rx, ry, 0, a0, a1, ccw);
        var full = Math.abs(end - start) >= 360;
        if (full && !(orvInt(flags) & ORV_PATH_CONNECTED)) context.closePath();
        orvSetCursor(v, c.x + rx * Math.cos(a1), c.y + ry * Math.sin(a1));
        v.open = true;
        v.empty = false;
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
        v.layers.push({ context: base, canvas: canvas, alpha: alpha === undefined ? 255 : Math.max(0, Math.min(255, orvNumber(alpha))), open: v.open, empty: v.empty });
        v.context = context;
        v.open = false;
        v.empty = true;
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
