// Files in the browser. A page cannot reach the computer's disk, so the files a program writes
// live in a store of its own site (the browser's localStorage), where they are still there after
// a reload. Reading also finds the files the user chose with OpenFileRequester and, for a
// relative name, a file deployed beside the page on the server. A file created under a name
// from SaveFileRequester goes to the user as a download when it is closed.
//
// A file's bytes are kept in memory while it is open and written to the store whole when it is
// closed or flushed: a write the store refuses (full, or storage switched off) leaves the
// previous content as it was.

var ORV_FILE_STORE_PREFIX = "orvane-file:";
var ORV_FORMAT_ASCII = 24;
var ORV_FORMAT_UTF8 = 2;
var ORV_FORMAT_UNICODE = 25;
var ORV_FORMAT_UTF16BE = 4;
var ORV_FORMAT_UTF32 = 5;
var ORV_FORMAT_UTF32BE = 6;
var ORV_FILE_IGNORE_EOL = 1 << 16;
var ORV_FILE_APPEND = 1 << 20;

// Files the user chose with OpenFileRequester in this page (name -> bytes), and the names
// SaveFileRequester gave, whose files are downloads.
var orvChosenFiles = new Map();
var orvDownloadNames = new Set();

function orvChosenFile(name, bytes) {
    orvChosenFiles.set(orvFilePath(name), bytes);
}
function orvDownloadName(name) {
    orvDownloadNames.add(orvFilePath(name));
}

// One spelling per file: "\" and "/" separate folders alike, "./" in front means nothing.
function orvFilePath(name) {
    return orvText(name).replace(/\\/g, "/").replace(/^(\.\/)+/, "");
}

function orvLocalStorage() {
    try {
        return typeof localStorage !== "undefined" ? localStorage : null;
    } catch (error) {
        return null; // storage switched off for the site
    }
}

// Bytes as text of one character per byte, the form localStorage keeps them in.
function orvBytesToText(bytes, length) {
    var parts = [];
    for (var i = 0; i < length; i += 8192) {
        parts.push(String.fromCharCode.apply(null, bytes.subarray(i, Math.min(length, i + 8192))));
    }
    return parts.join("");
}
function orvTextToBytes(text) {
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i) & 0xff;
    return bytes;
}

// The bytes of a stored file, or null.
function orvStoredFile(path) {
    var storage = orvLocalStorage();
    var text = storage ? storage.getItem(ORV_FILE_STORE_PREFIX + path) : null;
    return text === null ? null : orvTextToBytes(text);
}

// Stores a file whole; on failure an error line names the cause and the old content stays.
function orvStoreFile(path, bytes, length, caller) {
    var storage = orvLocalStorage();
    if (!storage) {
        orvError(caller + ": the browser does not allow this page to store files, '" + path + "' was not written.");
        return false;
    }
    try {
        storage.setItem(ORV_FILE_STORE_PREFIX + path, orvBytesToText(bytes, length === undefined ? bytes.length : length));
        return true;
    } catch (error) {
        orvError(caller + ": the browser's storage for this site is full or refused the file, '" + path + "' keeps its previous content.");
        return false;
    }
}

function orvRemoveStoredFile(path) {
    var storage = orvLocalStorage();
    if (!storage || storage.getItem(ORV_FILE_STORE_PREFIX + path) === null) return false;
    storage.removeItem(ORV_FILE_STORE_PREFIX + path);
    return true;
}

// What a name reads as in this page: the file the user chose under it, else the stored one.
function orvReadableFile(path) {
    return orvChosenFiles.get(path) || orvStoredFile(path);
}

// A name the server can answer: not absolute, no drive letter, no address of another site.
function orvIsServerName(path) {
    return path !== "" && !/^([a-z][a-z0-9+.-]*:|\/)/i.test(path);
}

function orvFetchServerFile(path) {
    if (typeof fetch !== "function" || !orvIsServerName(path)) return Promise.resolve(null);
    var address = path.split("/").map(encodeURIComponent).join("/");
    return fetch(address, { cache: "no-cache" })
        .then(function (response) {
            return response.ok ? response.arrayBuffer() : null;
        })
        .then(
            function (buffer) {
                return buffer ? new Uint8Array(buffer) : null;
            },
            function () {
                return null;
            }
        );
}

// Hands a finished download to the user: FileSaver's saveAs where the page loads it, else the
// browser's own download link.
function orvOfferDownload(path, bytes, length) {
    var name = path.replace(/^.*\//, "") || "download";
    var blob = new Blob([bytes.slice(0, length)], { type: "application/octet-stream" });
    if (typeof saveAs === "function") {
        saveAs(blob, name);
        return;
    }
    var link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.style.display = "none";
    document.body.appendChild(link);
    link.click();
    setTimeout(function () {
        URL.revokeObjectURL(link.href);
        link.remove();
    }, 0);
}

// Writes an open file's bytes where they belong; true when they arrived.
function orvSaveFile(file, caller) {
    if (!file.changed) return true;
    var stored = orvStoreFile(file.path, file.data, file.length, caller);
    if (stored) {
        file.changed = false;
        orvChosenFiles.delete(file.path);
    }
    if (orvDownloadNames.has(file.path)) {
        orvOfferDownload(file.path, file.data, file.length);
        file.changed = false;
    }
    return stored;
}

var orvFileRegistry = orvRegistry("File", function (file) {
    orvSaveFile(file, "CloseFile()");
});

// Files left open when the page goes away or the program ends are written, as PureBasic
// writes its buffers at the end.
function orvSaveOpenFiles() {
    orvFileRegistry.All().forEach(function (file) {
        orvSaveFile(file, "End");
    });
}
if (typeof window !== "undefined" && window.addEventListener) window.addEventListener("pagehide", orvSaveOpenFiles);
if (typeof orvAtProgramEnd !== "undefined") orvAtProgramEnd.push(orvSaveOpenFiles);

// Registers an open file; changed marks one whose content the store does not have yet.
function orvOpenFileObject(number, path, bytes, flags, writable, changed) {
    flags = orvInt(flags);
    var format = flags & 0xff;
    var file = {
        path: path,
        data: bytes || new Uint8Array(0),
        length: bytes ? bytes.length : 0,
        position: 0,
        writable: writable,
        changed: changed,
        format: format === ORV_FORMAT_ASCII || format === ORV_FORMAT_UNICODE ? format : ORV_FORMAT_UTF8,
    };
    if (flags & ORV_FILE_APPEND) file.position = file.length;
    return orvFileRegistry.Create(number, file);
}

function orvFileOf(number) {
    return orvFileRegistry.Get(number);
}

// The file, when it may be written; a file opened with ReadFile may not.
function orvWritableFile(number, caller) {
    var file = orvFileRegistry.Get(number);
    if (file && !file.writable) {
        orvError(caller + ": the file was opened with ReadFile() and cannot be written.");
        return null;
    }
    return file;
}

// Room for count more bytes at the position; a position past the end fills the gap with zeros.
function orvFileWrite(file, bytes) {
    var end = file.position + bytes.length;
    if (end > file.data.length) {
        var grown = new Uint8Array(Math.max(end, file.data.length * 2, 256));
        grown.set(file.data.subarray(0, file.length));
        file.data = grown;
    }
    file.data.set(bytes, file.position);
    file.position = end;
    if (end > file.length) file.length = end;
    file.changed = true;
    return 1;
}

function orvFileWriteNumber(number, caller, size, store) {
    var file = orvWritableFile(number, caller);
    if (!file) return 0;
    var bytes = new Uint8Array(size);
    store(new DataView(bytes.buffer));
    return orvFileWrite(file, bytes);
}

// size bytes from the position through read(view), or 0 with an error line past the end.
function orvFileReadNumber(number, caller, size, read) {
    var file = orvFileOf(number);
    if (!file) return 0;
    if (file.position + size > file.length) {
        orvError(caller + ": reading past the end of the file.");
        file.position = file.length;
        return 0;
    }
    var value = read(new DataView(file.data.buffer, file.data.byteOffset + file.position, size));
    file.position += size;
    return value;
}

function orvFileEncode(text, format) {
    text = orvText(text);
    if (format === ORV_FORMAT_ASCII) {
        var ascii = new Uint8Array(text.length);
        for (var i = 0; i < text.length; i++) {
            var code = text.charCodeAt(i);
            ascii[i] = code < 256 ? code : 63;
        }
        return ascii;
    }
    if (format === ORV_FORMAT_UNICODE) {
        var wide = new Uint8Array(text.length * 2);
        for (var j = 0; j < text.length; j++) {
            var unit = text.charCodeAt(j);
            wide[2 * j] = unit & 0xff;
            wide[2 * j + 1] = unit >> 8;
        }
        return wide;
    }
    return new TextEncoder().encode(text);
}

function orvFileDecode(bytes, format) {
    if (format === ORV_FORMAT_ASCII) return orvBytesToText(bytes, bytes.length);
    if (format === ORV_FORMAT_UNICODE) {
        var units = [];
        for (var i = 0; i + 1 < bytes.length; i += 2) units.push(bytes[i] | (bytes[i + 1] << 8));
        var parts = [];
        for (var j = 0; j < units.length; j += 8192) parts.push(String.fromCharCode.apply(null, units.slice(j, j + 8192)));
        return parts.join("");
    }
    return new TextDecoder().decode(bytes);
}

function orvStringFormat(file, flags) {
    var format = orvInt(flags) & 0xff;
    return format === ORV_FORMAT_ASCII || format === ORV_FORMAT_UTF8 || format === ORV_FORMAT_UNICODE ? format : file.format;
}

var orvByteOrderMarks = [
    [ORV_FORMAT_UTF8, [0xef, 0xbb, 0xbf]],
    [ORV_FORMAT_UTF32, [0xff, 0xfe, 0, 0]],
    [ORV_FORMAT_UNICODE, [0xff, 0xfe]],
    [ORV_FORMAT_UTF16BE, [0xfe, 0xff]],
    [ORV_FORMAT_UTF32BE, [0, 0, 0xfe, 0xff]],
];

var cFile = (global.cFile = {
    // A new empty file; an existing one is replaced when the new one is closed.
    CreateFile: function (number, name, flags) {
        var path = orvFilePath(name);
        if (path === "") return 0;
        // A new name is there at once, as an empty file.
        if (!orvReadableFile(path) && !orvStoreFile(path, new Uint8Array(0), 0, "CreateFile()")) return 0;
        return orvOpenFileObject(number, path, null, flags, true, true);
    },

    // An existing file to read and write, or a new one.
    OpenFile: function (number, name, flags) {
        var path = orvFilePath(name);
        if (path === "") return 0;
        var bytes = orvReadableFile(path);
        if (!bytes && !orvStoreFile(path, new Uint8Array(0), 0, "OpenFile()")) return 0;
        return orvOpenFileObject(number, path, bytes ? bytes.slice() : null, flags, true, false);
    },

    // An existing file to read: chosen by the user, stored by the program, or (for a relative
    // name) deployed beside the page. 0 when there is none.
    ReadFile: function (number, name, flags) {
        var path = orvFilePath(name);
        var bytes = path === "" ? null : orvReadableFile(path);
        if (bytes) return Promise.resolve(orvOpenFileObject(number, path, bytes, flags, false, false));
        return orvFetchServerFile(path).then(function (fetched) {
            return fetched ? orvOpenFileObject(number, path, fetched, flags, false, false) : 0;
        });
    },

    CloseFile: function (number) {
        if (number === -1 || number === undefined) {
            orvFileRegistry.All().forEach(function (file) {
                orvFileRegistry.Free(file.number);
            });
            return;
        }
        if (orvFileOf(number)) orvFileRegistry.Free(number);
    },

    FlushFileBuffers: function (number) {
        var file = orvFileOf(number);
        return file && orvSaveFile(file, "FlushFileBuffers()") ? 1 : 0;
    },
    // The whole file is one buffer here; its size cannot be chosen.
    FileBuffersSize: function (number) {
        if (number !== -1) orvFileOf(number);
    },
    IsFile: function (number) {
        return orvFileRegistry.Is(number);
    },
    FileID: function (number) {
        var file = orvFileOf(number);
        return file ? orvHandle(file) : 0;
    },

    Eof: function (number) {
        var file = orvFileOf(number);
        return file ? (file.position >= file.length ? 1 : 0) : 0;
    },
    Loc: function (number) {
        var file = orvFileOf(number);
        return file ? file.position : 0;
    },
    Lof: function (number) {
        var file = orvFileOf(number);
        return file ? file.length : 0;
    },
    // #PB_Absolute (0) or #PB_Relative (1).
    FileSeek: function (number, position, mode) {
        var file = orvFileOf(number);
        if (!file) return;
        var target = orvInt(mode) === 1 ? file.position + orvInt(position) : orvInt(position);
        file.position = Math.max(0, target);
    },
    TruncateFile: function (number) {
        var file = orvWritableFile(number, "TruncateFile()");
        if (!file) return;
        if (file.position < file.length) {
            file.length = file.position;
            file.changed = true;
        }
    },

    // A line up to CR, LF, CR LF or a null character (not included), or up to length
    // characters; with #PB_File_IgnoreEOL only the length or the end stops it.
    ReadString: function (number, flags, length) {
        var file = orvFileOf(number);
        if (!file) return "";
        if (file.position >= file.length) {
            orvError("ReadString(): reading past the end of the file.");
            return "";
        }
        var format = orvStringFormat(file, flags);
        var ignoreEol = (orvInt(flags) & ORV_FILE_IGNORE_EOL) !== 0;
        var unit = format === ORV_FORMAT_UNICODE ? 2 : 1;
        var data = file.data;
        var start = file.position;
        var end = start;
        var limit = length === undefined ? Infinity : Math.max(0, orvInt(length));
        var characters = 0;
        var stop = -1;
        while (end + unit <= file.length && characters < limit) {
            var code = unit === 2 ? data[end] | (data[end + 1] << 8) : data[end];
            if (!ignoreEol && (code === 10 || code === 13 || code === 0)) {
                stop = code;
                break;
            }
            // A UTF-8 character counts once: its continuation bytes do not.
            if (format !== ORV_FORMAT_UTF8 || (code & 0xc0) !== 0x80) characters++;
            end += unit;
        }
        if (format === ORV_FORMAT_UTF8 && characters >= limit) {
            while (end < file.length && (data[end] & 0xc0) === 0x80) end++;
        }
        var text = orvFileDecode(data.subarray(start, end), format);
        file.position = end;
        if (stop >= 0) {
            file.position += unit;
            var next = file.position + unit <= file.length ? (unit === 2 ? data[file.position] | (data[file.position + 1] << 8) : data[file.position]) : -1;
            if (stop === 13 && next === 10) file.position += unit;
        }
        return text;
    },

    WriteString: function (number, text, format) {
        var file = orvWritableFile(number, "WriteString()");
        return file ? orvFileWrite(file, orvFileEncode(text, orvStringFormat(file, format))) : 0;
    },
    WriteStringN: function (number, text, format) {
        var file = orvWritableFile(number, "WriteStringN()");
        return file ? orvFileWrite(file, orvFileEncode(orvText(text) + "\r\n", orvStringFormat(file, format))) : 0;
    },

    // The byte order mark at the position (skipped when found): #PB_UTF8, #PB_Unicode, ...,
    // #PB_Ascii when there is none.
    ReadStringFormat: function (number) {
        var file = orvFileOf(number);
        if (!file) return 0;
        for (var i = 0; i < orvByteOrderMarks.length; i++) {
            var mark = orvByteOrderMarks[i][1];
            var found = file.position + mark.length <= file.length;
            for (var j = 0; found && j < mark.length; j++) found = file.data[file.position + j] === mark[j];
            if (found) {
                file.position += mark.length;
                return orvByteOrderMarks[i][0];
            }
        }
        return ORV_FORMAT_ASCII;
    },
    WriteStringFormat: function (number, format) {
        var file = orvWritableFile(number, "WriteStringFormat()");
        if (!file) return 0;
        for (var i = 0; i < orvByteOrderMarks.length; i++) {
            if (orvByteOrderMarks[i][0] === orvInt(format)) return orvFileWrite(file, new Uint8Array(orvByteOrderMarks[i][1]));
        }
        return 1;
    },

    ReadByte: function (number) {
        return orvFileReadNumber(number, "ReadByte()", 1, function (v) {
            return v.getInt8(0);
        });
    },
    ReadAsciiCharacter: function (number) {
        return orvFileReadNumber(number, "ReadAsciiCharacter()", 1, function (v) {
            return v.getUint8(0);
        });
    },
    ReadWord: function (number) {
        return orvFileReadNumber(number, "ReadWord()", 2, function (v) {
            return v.getInt16(0, true);
        });
    },
    ReadUnicodeCharacter: function (number) {
        return orvFileReadNumber(number, "ReadUnicodeCharacter()", 2, function (v) {
            return v.getUint16(0, true);
        });
    },
    ReadLong: function (number) {
        return orvFileReadNumber(number, "ReadLong()", 4, function (v) {
            return v.getInt32(0, true);
        });
    },
    ReadQuad: function (number) {
        return orvFileReadNumber(number, "ReadQuad()", 8, function (v) {
            return Number(v.getBigInt64(0, true));
        });
    },
    ReadInteger: function (number) {
        return orvFileReadNumber(number, "ReadInteger()", 8, function (v) {
            return Number(v.getBigInt64(0, true));
        });
    },
    ReadFloat: function (number) {
        return orvFileReadNumber(number, "ReadFloat()", 4, function (v) {
            return v.getFloat32(0, true);
        });
    },
    ReadDouble: function (number) {
        return orvFileReadNumber(number, "ReadDouble()", 8, function (v) {
            return v.getFloat64(0, true);
        });
    },
    // One character in the file's format (or the one given): 1 byte Ascii, 2 bytes Unicode,
    // 1 to 4 bytes UTF-8.
    ReadCharacter: function (number, format) {
        var file = orvFileOf(number);
        if (!file) return 0;
        format = orvStringFormat(file, format);
        if (format === ORV_FORMAT_ASCII) return cFile.ReadAsciiCharacter(number);
        if (format === ORV_FORMAT_UNICODE) return cFile.ReadUnicodeCharacter(number);
        var first = file.position < file.length ? file.data[file.position] : 0;
        var size = first < 0x80 ? 1 : first >= 0xf0 ? 4 : first >= 0xe0 ? 3 : 2;
        return orvFileReadNumber(number, "ReadCharacter()", size, function (v) {
            var text = new TextDecoder().decode(new Uint8Array(v.buffer, v.byteOffset, size));
            return text.codePointAt(0) || 0;
        });
    },

    WriteByte: function (number, value) {
        return orvFileWriteNumber(number, "WriteByte()", 1, function (v) {
            v.setInt8(0, orvInt(value));
        });
    },
    WriteAsciiCharacter: function (number, value) {
        return orvFileWriteNumber(number, "WriteAsciiCharacter()", 1, function (v) {
            v.setUint8(0, orvInt(value));
        });
    },
    WriteWord: function (number, value) {
        return orvFileWriteNumber(number, "WriteWord()", 2, function (v) {
            v.setInt16(0, orvInt(value), true);
        });
    },
    WriteUnicodeCharacter: function (number, value) {
        return orvFileWriteNumber(number, "WriteUnicodeCharacter()", 2, function (v) {
            v.setUint16(0, orvInt(value), true);
        });
    },
    WriteLong: function (number, value) {
        return orvFileWriteNumber(number, "WriteLong()", 4, function (v) {
            v.setInt32(0, orvInt(value), true);
        });
    },
    WriteQuad: function (number, value) {
        return orvFileWriteNumber(number, "WriteQuad()", 8, function (v) {
            v.setBigInt64(0, BigInt.asIntN(64, BigInt(orvInt(value))), true);
        });
    },
    WriteInteger: function (number, value) {
        return orvFileWriteNumber(number, "WriteInteger()", 8, function (v) {
            v.setBigInt64(0, BigInt.asIntN(64, BigInt(orvInt(value))), true);
        });
    },
    WriteFloat: function (number, value) {
        return orvFileWriteNumber(number, "WriteFloat()", 4, function (v) {
            v.setFloat32(0, orvNumber(value), true);
        });
    },
    WriteDouble: function (number, value) {
        return orvFileWriteNumber(number, "WriteDouble()", 8, function (v) {
            v.setFloat64(0, orvNumber(value), true);
        });
    },
    WriteCharacter: function (number, value, format) {
        var file = orvWritableFile(number, "WriteCharacter()");
        if (!file) return 0;
        var code = orvInt(value);
        var text = code >= 0 && code <= 0x10ffff ? String.fromCodePoint(code) : "\ufffd";
        return orvFileWrite(file, orvFileEncode(text, orvStringFormat(file, format)));
    },

    // Memory blocks (cMemory addresses): the number of bytes read, fewer at the end of the file.
    ReadData: function (number, address, length) {
        var file = orvFileOf(number);
        if (!file) return 0;
        length = Math.max(0, Math.min(orvInt(length), file.length - file.position));
        if (length === 0) return 0;
        if (!orvLocate(address, length, "ReadData()")) return 0;
        orvWriteBytes(file.data.slice(file.position, file.position + length));
        file.position += length;
        return length;
    },
    WriteData: function (number, address, length) {
        var file = orvWritableFile(number, "WriteData()");
        length = Math.max(0, orvInt(length));
        if (!file || length === 0 || !orvLocate(address, length, "WriteData()")) return 0;
        orvFileWrite(file, orvReadBytes(length).slice());
        return length;
    },

    // Size in bytes of a stored or chosen file, -1 when there is none.
    FileSize: function (name) {
        var bytes = orvReadableFile(orvFilePath(name));
        return bytes ? bytes.length : -1;
    },
    // 1 when the file was there and is gone.
    DeleteFile: function (name) {
        var path = orvFilePath(name);
        var chosen = orvChosenFiles.delete(path);
        return orvRemoveStoredFile(path) || chosen ? 1 : 0;
    },
});

orvAddConstants({
    PB_File_NoShare: 0,
    PB_File_IgnoreEOL: 1 << 16,
    PB_File_SharedRead: 1 << 17,
    PB_File_SharedWrite: 1 << 18,
    PB_File_NoBuffering: 1 << 19,
    PB_File_Append: 1 << 20,
    PB_Absolute: 0,
    PB_Relative: 1,
    PB_UTF16: 25,
    PB_UTF16BE: 4,
    PB_UTF32: 5,
    PB_UTF32BE: 6,
});
