// Images. An image keeps its pixels in a bitmap: RGBA bytes in the order a canvas uses, which read
// as little-endian 32-bit numbers are exactly PureBasic's colours 0xAABBGGRR. The bitmap is the
// image; its canvas is a copy made when something shows the image (an image gadget, DrawImage on
// a canvas, a sprite), written once after each change instead of after every drawing command.

var ORV_IMAGE_TRANSPARENT = -1;
var ORV_IMAGE_ORIGINAL_DEPTH = -2;
var ORV_PLUGIN_BMP = 0x504d42;
var ORV_PLUGIN_PNG = 0x474e50;
var ORV_PLUGIN_JPEG = 0x4745504a;
var ORV_PLUGIN_GIF = 0x474946;

var orvImageRegistry = orvRegistry("Image");

// jsdom has canvas elements without a 2D context (and reports every attempt to get one), so the
// pixel work never needs a canvas and the few things that do ask this first.
var orvCanvasUsable =
    typeof document !== "undefined" &&
    typeof navigator !== "undefined" &&
    !/jsdom/i.test(navigator.userAgent || "") &&
    typeof document.createElement === "function";

function orvNewCanvas(width, height) {
    if (!orvCanvasUsable) return null;
    var canvas = document.createElement("canvas");
    canvas.width = width;
    canvas.height = height;
    return canvas;
}

// Contexts are asked for with willReadFrequently: drawing reads the pixels back often, which is
// fast only on a canvas kept in main memory.
function orvContext(canvas) {
    if (!canvas || !orvCanvasUsable) return null;
    return canvas.getContext("2d", { willReadFrequently: true });
}

// A float coordinate becomes an integer the way PureBasic stores a float into an integer: to the
// nearest, halves to the even neighbour.
function orvPixelInt(value) {
    if (value === (value | 0)) return value;
    value = +value;
    if (!isFinite(value)) return 0;
    var rounded = Math.round(value);
    if (rounded - value === 0.5 && rounded % 2 !== 0) rounded -= 1;
    return rounded;
}

// ---- bitmaps

function orvNewBitmap(width, height, pixel) {
    var bytes = new Uint8ClampedArray(width * height * 4);
    var data = new Uint32Array(bytes.buffer);
    if (pixel) data.fill(pixel);
    return { width: width, height: height, bytes: bytes, data: data, canvas: null, canvasStale: true, version: 0 };
}

function orvSetBitmap(target, source) {
    target.width = source.width;
    target.height = source.height;
    target.bytes = source.bytes;
    target.data = source.data;
    target.canvasStale = true;
    target.version = (target.version || 0) + 1;
}

// The bitmap's canvas, brought up to date; null where the browser has no canvas.
function orvBitmapCanvas(bitmap) {
    if (!orvCanvasUsable) return null;
    if (!bitmap.canvas || bitmap.canvas.width !== bitmap.width || bitmap.canvas.height !== bitmap.height) {
        bitmap.canvas = orvNewCanvas(bitmap.width, bitmap.height);
        bitmap.canvasStale = true;
    }
    if (bitmap.canvasStale) {
        var context = orvContext(bitmap.canvas);
        if (context && bitmap.width > 0 && bitmap.height > 0) {
            context.putImageData(new ImageData(bitmap.bytes, bitmap.width, bitmap.height), 0, 0);
        }
        bitmap.canvasStale = false;
    }
    return bitmap.canvas;
}

// Reads what a canvas shows into a new bitmap.
// What a canvas shows in a rectangle; parts outside the canvas are transparent black.
function orvBitmapOfCanvas(canvas, x, y, width, height) {
    var bitmap = orvNewBitmap(width, height, 0);
    var context = orvContext(canvas);
    var x0 = Math.max(0, x), y0 = Math.max(0, y);
    var x1 = Math.min(canvas.width, x + width), y1 = Math.min(canvas.height, y + height);
    if (!context || x1 <= x0 || y1 <= y0) return bitmap;
    var part = context.getImageData(x0, y0, x1 - x0, y1 - y0).data;
    if (x0 === x && y0 === y && x1 - x0 === width && y1 - y0 === height) {
        bitmap.bytes.set(part);
        return bitmap;
    }
    var rowBytes = (x1 - x0) * 4;
    for (var row = 0; row < y1 - y0; row++) {
        bitmap.bytes.set(part.subarray(row * rowBytes, (row + 1) * rowBytes), ((row + y0 - y) * width + (x0 - x)) * 4);
    }
    return bitmap;
}

// A piece of a bitmap as a new one; parts outside the source are transparent black.
function orvCropBitmap(source, x, y, width, height) {
    var bitmap = orvNewBitmap(width, height, 0);
    var x0 = Math.max(0, x), x1 = Math.min(source.width, x + width);
    for (var row = Math.max(0, y); row < Math.min(source.height, y + height); row++) {
        if (x1 <= x0) break;
        var from = row * source.width;
        bitmap.data.set(source.data.subarray(from + x0, from + x1), (row - y) * width + (x0 - x));
    }
    return bitmap;
}

// Nearest-neighbour scaling, as the raw resize mode does.
function orvScaleBitmapRaw(source, width, height) {
    var bitmap = orvNewBitmap(width, height, 0);
    var columns = new Int32Array(width);
    for (var x = 0; x < width; x++) columns[x] = Math.min(source.width - 1, Math.floor(((x + 0.5) * source.width) / width));
    for (var y = 0; y < height; y++) {
        var from = Math.min(source.height - 1, Math.floor(((y + 0.5) * source.height) / height)) * source.width;
        var to = y * width;
        for (x = 0; x < width; x++) bitmap.data[to + x] = source.data[from + columns[x]];
    }
    return bitmap;
}

// Smooth scaling through the browser's own image scaler.
function orvScaleBitmapSmooth(source, width, height) {
    var from = orvBitmapCanvas(source);
    var to = orvNewCanvas(width, height);
    var context = orvContext(to);
    if (!from || !context) return orvScaleBitmapRaw(source, width, height);
    context.imageSmoothingEnabled = true;
    context.imageSmoothingQuality = "high";
    context.drawImage(from, 0, 0, width, height);
    var bitmap = orvBitmapOfCanvas(to, 0, 0, width, height);
    bitmap.canvas = to;
    bitmap.canvasStale = false;
    return bitmap;
}

// ---- images

function orvImageError(text) {
    orvError(text);
    return 0;
}

// Width and height of a new image; PureBasic refuses sizes of zero and less.
function orvImageSize(name, width, height) {
    if (width > 0 && height > 0) return true;
    orvError(name + "(): the image width and height must be greater than 0 (" + width + "x" + height + ").");
    return false;
}

function orvRegisterImage(number, bitmap, depth, originalDepth, format) {
    var image = {
        width: 0,
        height: 0,
        bytes: null,
        data: null,
        canvas: null,
        canvasStale: true,
        version: 0,
        depth: depth,
        originalDepth: originalDepth || depth,
        format: format || 0,
    };
    orvSetBitmap(image, bitmap.frames ? bitmap.frames[0] : bitmap);
    if (bitmap.frames) {
        image.frames = bitmap.frames;
        image.frame = 0;
    } else if (bitmap.canvas && !bitmap.canvasStale) {
        image.canvas = bitmap.canvas;
        image.canvasStale = false;
    }
    return orvImageRegistry.Create(number, image);
}

// A new bitmap of the given size, or null (with the debugger's message) when the browser cannot
// hold that many pixels.
function orvAllocateBitmap(name, width, height, pixel) {
    try {
        return orvNewBitmap(width, height, pixel);
    } catch (error) {
        orvError(name + "(): the image of " + width + "x" + height + " pixels could not be created.");
        return null;
    }
}

// The image a handle or a number names, without a message when there is none.
function orvFindImage(handleOrNumber) {
    var image = orvObjectOfHandle(handleOrNumber);
    if (image && image.objectKind === "Image" && !image.freed) return image;
    if (image && image.orvCanvasImage) return image;
    return orvImageRegistry.Find(handleOrNumber);
}

// For image gadgets, toolbar and menu images: the image's canvas, or null.
function orvImageCanvas(handleOrNumber) {
    var image = orvFindImage(handleOrNumber);
    return image ? orvBitmapCanvas(image) : null;
}

// GetGadgetAttribute(#PB_Canvas_Image): an image handle holding what a canvas shows now. The same
// hidden image serves each canvas and is refreshed at every call.
var orvCanvasImages = typeof WeakMap !== "undefined" ? new WeakMap() : null;

function orvImageOfCanvas(canvas) {
    if (!canvas || !orvCanvasImages) return 0;
    var image = orvCanvasImages.get(canvas);
    if (!image) {
        image = { orvCanvasImage: true, depth: 32, originalDepth: 32, format: 0, canvas: null, canvasStale: true };
        orvCanvasImages.set(canvas, image);
    }
    orvSetBitmap(image, orvBitmapOfCanvas(canvas, 0, 0, canvas.width, canvas.height));
    return orvHandle(image);
}

// Loading: the file's first bytes tell its format and depth, the browser decodes it.
function orvImageFileInfo(bytes) {
    var b = bytes;
    if (b.length > 26 && b[0] === 0x89 && b[1] === 0x50 && b[2] === 0x4e && b[3] === 0x47) {
        var colourType = b[25], bitDepth = b[24];
        var channels = [1, 0, 3, 1, 2, 0, 4][colourType] || 3;
        var alpha = colourType === 4 || colourType === 6;
        for (var i = 8; i + 8 < b.length && !alpha; ) {
            var length = ((b[i] << 24) | (b[i + 1] << 16) | (b[i + 2] << 8) | b[i + 3]) >>> 0;
            var type = String.fromCharCode(b[i + 4], b[i + 5], b[i + 6], b[i + 7]);
            if (type === "tRNS") alpha = true;
            if (type === "IDAT" || type === "IEND") break;
            i += 12 + length;
        }
        return { format: ORV_PLUGIN_PNG, depth: alpha ? 32 : 24, originalDepth: alpha ? 32 : Math.min(32, bitDepth * channels) };
    }
    if (b.length > 3 && b[0] === 0xff && b[1] === 0xd8) {
        return { format: ORV_PLUGIN_JPEG, depth: 24, originalDepth: 24 };
    }
    if (b.length > 6 && b[0] === 0x47 && b[1] === 0x49 && b[2] === 0x46) {
        return { format: ORV_PLUGIN_GIF, depth: 24, originalDepth: 8 };
    }
    if (b.length > 30 && b[0] === 0x42 && b[1] === 0x4d) {
        return { format: ORV_PLUGIN_BMP, depth: 24, originalDepth: b[28] | (b[29] << 8) };
    }
    return null;
}

function orvDecodeImage(bytes) {
    var info = orvImageFileInfo(bytes);
    if (!info) return Promise.reject(new Error("not a BMP, PNG, JPEG or GIF image"));
    if (!orvCanvasUsable || typeof createImageBitmap !== "function") {
        return Promise.reject(new Error("this browser cannot decode images"));
    }
    return createImageBitmap(new Blob([bytes])).then(function (picture) {
        var canvas = orvNewCanvas(picture.width, picture.height);
        orvContext(canvas).drawImage(picture, 0, 0);
        if (picture.close) picture.close();
        var bitmap = orvBitmapOfCanvas(canvas, 0, 0, canvas.width, canvas.height);
        // Images without an alpha channel are opaque, whatever the decoder left in it.
        if (info.depth === 24) {
            for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
        }
        bitmap.info = info;
        return orvDecodeFrames(bytes, info, bitmap);
    });
}

// The frames of an animated GIF or PNG, where the browser's image decoder reads them (each frame
// whole, as it shows); a still image, or a browser without the decoder, gives the one bitmap.
function orvDecodeFrames(bytes, info, first) {
    if (typeof ImageDecoder !== "function" || (info.format !== ORV_PLUGIN_GIF && info.format !== ORV_PLUGIN_PNG)) {
        return Promise.resolve(first);
    }
    var decoder;
    try {
        decoder = new ImageDecoder({ data: bytes, type: info.format === ORV_PLUGIN_GIF ? "image/gif" : "image/png" });
    } catch (error) {
        return Promise.resolve(first);
    }
    var frames = [];
    var next = function (index, count) {
        if (index >= count) return frames;
        return decoder.decode({ frameIndex: index }).then(function (result) {
            var frame = result.image;
            var canvas = orvNewCanvas(first.width, first.height);
            orvContext(canvas).drawImage(frame, 0, 0);
            var bitmap = orvBitmapOfCanvas(canvas, 0, 0, first.width, first.height);
            if (info.depth === 24) for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
            bitmap.delay = frame.duration ? Math.round(frame.duration / 1000) : 0;
            frame.close();
            frames.push(bitmap);
            return next(index + 1, count);
        });
    };
    return Promise.all([decoder.tracks.ready, decoder.completed])
        .then(function () {
            var track = decoder.tracks.selectedTrack;
            return track && track.frameCount > 1 ? next(0, track.frameCount) : [];
        })
        .then(
            function (decoded) {
                decoder.close();
                if (decoded.length > 1) first.frames = decoded;
                return first;
            },
            function () {
                decoder.close();
                return first;
            }
        );
}

// ---- frames: the frame shown is the image's own bitmap; the others wait in image.frames

function orvImageFrames(image) {
    if (!image.frames) {
        image.frames = [{ delay: 0 }];
        image.frame = 0;
    }
    var current = image.frames[image.frame];
    current.width = image.width;
    current.height = image.height;
    current.bytes = image.bytes;
    current.data = image.data;
    return image.frames;
}

function orvShowImageFrame(image, index) {
    var frames = orvImageFrames(image);
    image.frame = index;
    orvSetBitmap(image, frames[index]);
}

// The bytes of a file beside the page. XMLHttpRequest also reads files of a page opened from
// the disk where the browser allows it, which fetch never does.
function orvReadFileBytes(name) {
    return new Promise(function (resolve, reject) {
        var request = new XMLHttpRequest();
        request.open("GET", name, true);
        request.responseType = "arraybuffer";
        request.onload = function () {
            if ((request.status === 200 || request.status === 0) && request.response && request.response.byteLength) {
                resolve(new Uint8Array(request.response));
            } else {
                reject(new Error(request.status ? "HTTP status " + request.status : "no data"));
            }
        };
        request.onerror = function () {
            reject(new Error("the file could not be read"));
        };
        request.send();
    });
}

// The bytes of an image file by name: one the user chose with OpenFileRequester or the program
// stored, else the file beside the page.
function orvLoadableFileBytes(name) {
    var bytes = orvReadableFile(orvFilePath(name));
    return bytes ? Promise.resolve(bytes.slice()) : orvReadFileBytes(name);
}

function orvLoadImageFrom(name, number, bytesPromise, what) {
    return bytesPromise
        .then(orvDecodeImage)
        .then(function (bitmap) {
            var info = bitmap.info;
            return orvRegisterImage(number, bitmap, info.depth, info.originalDepth, info.format);
        })
        .catch(function (error) {
            orvError(name + "(): " + what + " could not be loaded (" + ((error && error.message) || error) + ").");
            return 0;
        });
}

// The bytes at an address (CatchImage, CatchSprite): Size bytes, or the rest of the memory block
// when no size is given; a copy, since decoding finishes after the program went on. In place of
// an address the converter may hand an IncludeBinary file's content itself (see orvIncludedBytes).
function orvImageBytesAt(name, address, size) {
    if (typeof address === "string" || (address !== null && typeof address === "object")) {
        var included = orvIncludedBytes(address);
        if (!included || !included.length) {
            orvError(name + "(): the included data holds no image.");
            return null;
        }
        return orvInt(size) > 0 && orvInt(size) < included.length ? included.slice(0, orvInt(size)) : included.slice();
    }
    if (!orvLocate(address, 1, "*MemoryAddress")) return null;
    var available = orvBlockSize(orvAtRecord) - orvAtOffset;
    var length = orvInt(size) > 0 ? Math.min(orvInt(size), available) : available;
    if (!orvLocate(address, length, "*MemoryAddress")) return null;
    return orvReadBytes(length).slice();
}

// An included file's content: its bytes (a Uint8Array or an ArrayBuffer), or its text in base64,
// plain or as a data: URL. Null for anything else.
function orvIncludedBytes(value) {
    if (typeof value === "string") {
        var text = value.replace(/^data:[^,]*;base64,/, "").replace(/\s+/g, "");
        if (!/^[A-Za-z0-9+/_-]*=*$/.test(text)) return null;
        if (typeof atob === "function" && !/[-_]/.test(text)) {
            try {
                var binary = atob(text);
                var bytes = new Uint8Array(binary.length);
                for (var i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
                return bytes;
            } catch (error) {
                return null;
            }
        }
        return orvBase64Decode(text);
    }
    if (ArrayBuffer.isView(value) && value.BYTES_PER_ELEMENT === 1) return new Uint8Array(value.buffer, value.byteOffset, value.byteLength);
    if (Object.prototype.toString.call(value) === "[object ArrayBuffer]") return new Uint8Array(value);
    return null;
}

// ---- saving

// BMP has no encoder in the browser: 24-bit rows from the bottom up, or 32-bit with alpha.
function orvEncodeBmp(bitmap, depth) {
    var bytesPerPixel = depth === 32 ? 4 : 3;
    var rowSize = (bitmap.width * bytesPerPixel + 3) & ~3;
    var size = 54 + rowSize * bitmap.height;
    var out = new Uint8Array(size);
    var view = new DataView(out.buffer);
    out[0] = 0x42;
    out[1] = 0x4d;
    view.setUint32(2, size, true);
    view.setUint32(10, 54, true);
    view.setUint32(14, 40, true);
    view.setInt32(18, bitmap.width, true);
    view.setInt32(22, bitmap.height, true);
    view.setUint16(26, 1, true);
    view.setUint16(28, depth === 32 ? 32 : 24, true);
    view.setUint32(34, rowSize * bitmap.height, true);
    view.setUint32(38, 2835, true);
    view.setUint32(42, 2835, true);
    for (var y = 0; y < bitmap.height; y++) {
        var to = 54 + (bitmap.height - 1 - y) * rowSize;
        var from = y * bitmap.width * 4;
        for (var x = 0; x < bitmap.width; x++, from += 4, to += bytesPerPixel) {
            out[to] = bitmap.bytes[from + 2];
            out[to + 1] = bitmap.bytes[from + 1];
            out[to + 2] = bitmap.bytes[from];
            if (bytesPerPixel === 4) out[to + 3] = bitmap.bytes[from + 3];
        }
    }
    return out;
}

function orvDataUrlBytes(url) {
    var text = atob(url.slice(url.indexOf(",") + 1));
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    return bytes;
}

// The encoded file of an image, or null when the format cannot be written here.
function orvEncodeImage(image, plugin, flags, depth) {
    if (!plugin || plugin === ORV_PLUGIN_BMP) {
        return { bytes: orvEncodeBmp(image, depth || image.depth), type: "image/bmp" };
    }
    var canvas = orvBitmapCanvas(image);
    if (!canvas) return null;
    if (plugin === ORV_PLUGIN_PNG) return { bytes: orvDataUrlBytes(canvas.toDataURL("image/png")), type: "image/png" };
    if (plugin === ORV_PLUGIN_JPEG) {
        var quality = flags > 0 && flags <= 10 ? flags / 10 : 0.7;
        // JPEG has no alpha: transparent parts become white, as an opaque copy shows them.
        var opaque = orvNewCanvas(image.width, image.height);
        var context = orvContext(opaque);
        context.fillStyle = "#ffffff";
        context.fillRect(0, 0, image.width, image.height);
        context.drawImage(canvas, 0, 0);
        return { bytes: orvDataUrlBytes(opaque.toDataURL("image/jpeg", quality)), type: "image/jpeg" };
    }
    return null;
}

// A download of the file; the page's FileSaver when it has one.
function orvDownloadFile(bytes, type, name) {
    var blob = new Blob([bytes], { type: type });
    if (typeof saveAs === "function") {
        saveAs(blob, name);
        return;
    }
    var link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    document.body.removeChild(link);
    setTimeout(function () {
        URL.revokeObjectURL(link.href);
    }, 10000);
}

// ---- drawing outputs

// Output IDs are numbers (a program may keep one in a variable); each stands for one output
// until StartDrawing takes it. Only the last few are kept.
var orvOutputs = new Map();
var orvLastOutput = 0;

function orvNewOutput(output) {
    orvLastOutput = (orvLastOutput + 1) % 0x100000;
    var id = 0x7e000000 + orvLastOutput;
    orvOutputs.set(id, output);
    if (orvOutputs.size > 64) orvOutputs.delete(orvOutputs.keys().next().value);
    return id;
}

function orvTakeOutput(id) {
    var output = orvOutputs.get(orvInt(id)) || null;
    orvOutputs.delete(orvInt(id));
    return output;
}

// What drawing on a bitmap (an image, a sprite) needs: its own pixels, changed in place.
function orvBitmapTarget(bitmap, depth) {
    return {
        width: bitmap.width,
        height: bitmap.height,
        depth: depth,
        alpha: depth === 32,
        data: bitmap.data,
        bytes: bitmap.bytes,
        owner: bitmap,
        finish: function () {
            bitmap.canvasStale = true;
            bitmap.version++;
        },
    };
}

// What drawing on a canvas element needs: a copy of its pixels, written back where drawing
// changed them. The canvases drawn on this way (canvas gadget, window, screen) are opaque.
function orvCanvasTarget(canvas) {
    var context = orvContext(canvas);
    if (!context || !canvas.width || !canvas.height) return null;
    var pixels = context.getImageData(0, 0, canvas.width, canvas.height);
    return {
        width: canvas.width,
        height: canvas.height,
        depth: 32,
        alpha: false,
        data: new Uint32Array(pixels.data.buffer),
        bytes: pixels.data,
        owner: canvas,
        finish: function (x0, y0, x1, y1) {
            if (x1 >= x0 && y1 >= y0) context.putImageData(pixels, 0, 0, x0, y0, x1 - x0 + 1, y1 - y0 + 1);
        },
    };
}

var cImage = (global.cImage = {
    CreateImage: function (number, width, height, depth, backColor) {
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        depth = depth === undefined ? 24 : orvInt(depth) > 24 ? 32 : 24;
        if (!orvImageSize("CreateImage", width, height)) return 0;
        var pixel;
        if (backColor === undefined) pixel = 0xff000000;
        else if (orvInt(backColor) === ORV_IMAGE_TRANSPARENT) pixel = depth === 32 ? 0 : 0xff000000;
        else pixel = (orvInt(backColor) & 0xffffff) | 0xff000000;
        var bitmap = orvAllocateBitmap("CreateImage", width, height, pixel);
        return bitmap ? orvRegisterImage(number, bitmap, depth) : 0;
    },

    FreeImage: function (number) {
        if (orvInt(number) === -1) {
            orvImageRegistry.All().forEach(function (image) {
                orvImageRegistry.Free(image.number);
            });
            return;
        }
        if (orvImageRegistry.Get(number)) orvImageRegistry.Free(number);
    },

    IsImage: function (number) {
        return orvImageRegistry.Is(number);
    },

    ImageID: function (number) {
        var image = orvImageRegistry.Get(number);
        return image ? orvHandle(image) : 0;
    },

    ImageWidth: function (number) {
        var image = orvImageRegistry.Get(number);
        return image ? image.width : 0;
    },

    ImageHeight: function (number) {
        var image = orvImageRegistry.Get(number);
        return image ? image.height : 0;
    },

    ImageDepth: function (number, flags) {
        var image = orvImageRegistry.Get(number);
        if (!image) return 0;
        return orvInt(flags) === ORV_IMAGE_ORIGINAL_DEPTH ? image.originalDepth : image.depth;
    },

    ImageFormat: function (number) {
        var image = orvImageRegistry.Get(number);
        return image ? image.format : 0;
    },

    // ---- frames

    ImageFrameCount: function (number) {
        var image = orvImageRegistry.Get(number);
        return image ? (image.frames ? image.frames.length : 1) : 0;
    },
    GetImageFrame: function (number) {
        var image = orvImageRegistry.Get(number);
        return image && image.frames ? image.frame : 0;
    },
    SetImageFrame: function (number, index) {
        var image = orvImageRegistry.Get(number);
        if (!image) return;
        var count = image.frames ? image.frames.length : 1;
        index = orvInt(index);
        if (index < 0 || index >= count) {
            orvError("SetImageFrame(): the frame index " + index + " is out of range (the image has " + count + " frames).");
            return;
        }
        if (image.frames && index !== image.frame) orvShowImageFrame(image, index);
    },
    // A blank frame of the image's size, at the end or before Index; the frame shown stays.
    AddImageFrame: function (number, index) {
        var image = orvImageRegistry.Get(number);
        if (!image) return 0;
        var bitmap = orvAllocateBitmap("AddImageFrame", image.width, image.height, image.depth === 24 ? 0xff000000 : 0);
        if (!bitmap) return 0;
        var frames = orvImageFrames(image);
        index = index === undefined ? frames.length : Math.max(0, Math.min(frames.length, orvInt(index)));
        bitmap.delay = 0;
        frames.splice(index, 0, bitmap);
        if (index <= image.frame) image.frame++;
        return 1;
    },
    RemoveImageFrame: function (number, index) {
        var image = orvImageRegistry.Get(number);
        if (!image) return 0;
        var frames = orvImageFrames(image);
        index = orvInt(index);
        if (index < 0 || index >= frames.length) {
            orvError("RemoveImageFrame(): the frame index " + index + " is out of range (the image has " + frames.length + " frames).");
            return 0;
        }
        if (frames.length === 1) return orvImageError("RemoveImageFrame(): the only frame of an image cannot be removed.");
        frames.splice(index, 1);
        if (index < image.frame) {
            image.frame--;
        } else if (index === image.frame) {
            // The frame shown is gone: the next one (or the new last) shows.
            image.frame = Math.min(index, frames.length - 1);
            orvSetBitmap(image, frames[image.frame]);
        }
        return 1;
    },
    GetImageFrameDelay: function (number) {
        var image = orvImageRegistry.Get(number);
        return image && image.frames ? image.frames[image.frame].delay : 0;
    },
    SetImageFrameDelay: function (number, delay) {
        var image = orvImageRegistry.Get(number);
        if (image) orvImageFrames(image)[image.frame].delay = Math.max(0, orvInt(delay));
    },

    CopyImage: function (source, number) {
        var image = orvImageRegistry.Get(source);
        if (!image) return 0;
        var bitmap = orvAllocateBitmap("CopyImage", image.width, image.height, 0);
        if (!bitmap) return 0;
        bitmap.data.set(image.data);
        return orvRegisterImage(number, bitmap, image.depth, image.originalDepth, image.format);
    },

    GrabImage: function (source, number, x, y, width, height) {
        var image = orvImageRegistry.Get(source);
        if (!image) return 0;
        x = orvPixelInt(x);
        y = orvPixelInt(y);
        width = orvPixelInt(width);
        height = orvPixelInt(height);
        if (!orvImageSize("GrabImage", width, height)) return 0;
        var bitmap;
        try {
            bitmap = orvCropBitmap(image, x, y, width, height);
        } catch (error) {
            return orvImageError("GrabImage(): the image of " + width + "x" + height + " pixels could not be created.");
        }
        if (image.depth === 24) for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
        return orvRegisterImage(number, bitmap, image.depth, image.originalDepth, 0);
    },

    ResizeImage: function (number, width, height, mode) {
        var image = orvImageRegistry.Get(number);
        if (!image) return 0;
        width = orvInt(width) === ORV_IGNORE ? image.width : orvPixelInt(width);
        height = orvInt(height) === ORV_IGNORE ? image.height : orvPixelInt(height);
        if (!orvImageSize("ResizeImage", width, height)) return 0;
        if (width === image.width && height === image.height) return 1;
        var bitmap;
        try {
            bitmap = orvInt(mode) === 1 ? orvScaleBitmapRaw(image, width, height) : orvScaleBitmapSmooth(image, width, height);
        } catch (error) {
            return orvImageError("ResizeImage(): the image of " + width + "x" + height + " pixels could not be created.");
        }
        if (image.depth === 24) {
            for (var i = 0; i < bitmap.data.length; i++) bitmap.data[i] |= 0xff000000;
            bitmap.canvasStale = true;
        }
        orvSetBitmap(image, bitmap);
        if (bitmap.canvas && !bitmap.canvasStale) {
            image.canvas = bitmap.canvas;
            image.canvasStale = false;
        }
        return 1;
    },

    // Resolves with what PureBasic's LoadImage returns: nonzero once the image is there.
    LoadImage: function (number, fileName) {
        fileName = orvText(fileName);
        if (fileName === "") {
            orvError("LoadImage(): the file name is empty.");
            return Promise.resolve(0);
        }
        return orvLoadImageFrom("LoadImage", number, orvLoadableFileBytes(fileName), "the image '" + fileName + "'");
    },

    // The image bytes at an address: an IncludeBinary file, or memory the program filled.
    CatchImage: function (number, address, size) {
        var bytes = orvImageBytesAt("CatchImage", address, size);
        if (!bytes) return Promise.resolve(0);
        var what = typeof address === "number" ? "the image at this address" : "the included image";
        return orvLoadImageFrom("CatchImage", number, Promise.resolve(bytes), what);
    },

    SaveImage: function (number, fileName, plugin, flags, depth) {
        var image = orvImageRegistry.Get(number);
        if (!image) return 0;
        fileName = orvText(fileName);
        var encoded = orvEncodeImage(image, orvInt(plugin), orvInt(flags), orvInt(depth));
        if (!encoded) return orvImageError("SaveImage(): this image format cannot be written in the browser.");
        var name = fileName.replace(/^.*[\\/]/, "") || "image";
        try {
            orvDownloadFile(encoded.bytes, encoded.type, name);
        } catch (error) {
            return orvImageError("SaveImage(): the download of '" + name + "' failed (" + error.message + ").");
        }
        return 1;
    },

    // A memory block holding the encoded file (MemorySize gives its size, FreeMemory frees it).
    EncodeImage: function (number, plugin, flags, depth) {
        var image = orvImageRegistry.Get(number);
        if (!image) return 0;
        var encoded = orvEncodeImage(image, orvInt(plugin), orvInt(flags), orvInt(depth));
        if (!encoded) return orvImageError("EncodeImage(): this image format cannot be written in the browser.");
        var address = cMemory.AllocateMemory(encoded.bytes.length);
        if (!address || !orvLocate(address, encoded.bytes.length, "*Buffer")) return 0;
        orvWriteBytes(encoded.bytes);
        return address;
    },

    // The browser decodes and encodes the common formats itself; these only say that a program
    // will use them.
    UseGIFImageDecoder: function () {},
    UseJPEGImageDecoder: function () {},
    UseJPEGImageEncoder: function () {},
    UseJPEG2000ImageDecoder: function () {},
    UseJPEG2000ImageEncoder: function () {},
    UsePNGImageDecoder: function () {},
    UsePNGImageEncoder: function () {},
    UseTGAImageDecoder: function () {},
    UseTIFFImageDecoder: function () {},

    ImageOutput: function (number) {
        var image = orvImageRegistry.Get(number);
        return image ? orvNewOutput({ kind: "image", image: image }) : 0;
    },

    ImageVectorOutput: function (number, unit) {
        var image = orvImageRegistry.Get(number);
        return image ? orvNewOutput({ kind: "image", image: image, unit: unit === undefined ? 1 : orvInt(unit) }) : 0;
    },
});

// Constants of the Image and ImagePlugin libraries, with PureBasic's values.
orvAddConstants({
    PB_Image_DisplayFormat: 24,
    PB_Image_Transparent: -1,
    PB_Image_OriginalDepth: -2,
    PB_Image_InternalDepth: -3,
    PB_Image_Smooth: 0,
    PB_Image_Raw: 1,
    PB_Image_FloydSteinberg: 256,
    PB_ImagePlugin_BMP: ORV_PLUGIN_BMP,
    PB_ImagePlugin_PNG: ORV_PLUGIN_PNG,
    PB_ImagePlugin_JPEG: ORV_PLUGIN_JPEG,
    PB_ImagePlugin_GIF: ORV_PLUGIN_GIF,
    PB_ImagePlugin_JPEG2000: 0x4b32504a,
    PB_ImagePlugin_TGA: 0x414754,
    PB_ImagePlugin_TIFF: 0x46464954,
    PB_ImagePlugin_ICON: 0x4e4f4349,
});
