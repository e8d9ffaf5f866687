// The Cipher library's fingerprints and Base64. MD5, SHA1 and SHA2 come from crypto-js, which the
// page loads when the program uses cCipher; CRC32 and SHA3 (FIPS 202, which crypto-js's older
// Keccak variant is not) are computed here. Fingerprints are lower-case hexadecimal.

var ORV_Cipher_MD5 = 1;
var ORV_Cipher_CRC32 = 2;
var ORV_Cipher_SHA1 = 3;
var ORV_Cipher_SHA2 = 4;
var ORV_Cipher_SHA3 = 5;
var ORV_Cipher_HMAC = 65536;

var orvCrcTable = null;

function orvCrc32(bytes, initial) {
    if (!orvCrcTable) {
        orvCrcTable = new Int32Array(256);
        for (var n = 0; n < 256; n++) {
            var c = n;
            for (var k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
            orvCrcTable[n] = c;
        }
    }
    var crc = ~(initial >>> 0);
    for (var i = 0; i < bytes.length; i++) crc = orvCrcTable[(crc ^ bytes[i]) & 255] ^ (crc >>> 8);
    return ~crc >>> 0;
}

// Keccak-f[1600] on 25 lanes held as BigInts.
var orvKeccakRounds = [
    "0000000000000001", "0000000000008082", "800000000000808A", "8000000080008000", "000000000000808B", "0000000080000001",
    "8000000080008081", "8000000000008009", "000000000000008A", "0000000000000088", "0000000080008009", "000000008000000A",
    "000000008000808B", "800000000000008B", "8000000000008089", "8000000000008003", "8000000000008002", "8000000000000080",
    "000000000000800A", "800000008000000A", "8000000080008081", "8000000000008080", "0000000080000001", "8000000080008008",
].map(function (hex) {
    return BigInt("0x" + hex);
});
// rotation of lane x + 5y
var orvKeccakRotations = [0, 1, 62, 28, 27, 36, 44, 6, 55, 20, 3, 10, 43, 25, 39, 41, 45, 15, 21, 8, 18, 2, 61, 56, 14];
var orvLaneMask = (1n << 64n) - 1n;

function orvRotate(lane, n) {
    if (n === 0) return lane;
    var shift = BigInt(n);
    return ((lane << shift) | (lane >> (64n - shift))) & orvLaneMask;
}

function orvKeccakF(a) {
    var c = new Array(5);
    var b = new Array(25);
    for (var round = 0; round < 24; round++) {
        for (var x = 0; x < 5; x++) c[x] = a[x] ^ a[x + 5] ^ a[x + 10] ^ a[x + 15] ^ a[x + 20];
        for (x = 0; x < 5; x++) {
            var d = c[(x + 4) % 5] ^ orvRotate(c[(x + 1) % 5], 1);
            for (var y = 0; y < 25; y += 5) a[x + y] ^= d;
        }
        for (x = 0; x < 5; x++) {
            for (y = 0; y < 5; y++) b[y + 5 * ((2 * x + 3 * y) % 5)] = orvRotate(a[x + 5 * y], orvKeccakRotations[x + 5 * y]);
        }
        for (y = 0; y < 25; y += 5) {
            for (x = 0; x < 5; x++) a[x + y] = b[x + y] ^ (~b[((x + 1) % 5) + y] & b[((x + 2) % 5) + y] & orvLaneMask);
        }
        a[0] ^= orvKeccakRounds[round];
    }
}

function orvSha3(bytes, outputBytes) {
    var rate = 200 - 2 * outputBytes;
    var padded = new Uint8Array((Math.floor(bytes.length / rate) + 1) * rate);
    padded.set(bytes);
    padded[bytes.length] ^= 0x06;
    padded[padded.length - 1] ^= 0x80;
    var state = new Array(25).fill(0n);
    for (var at = 0; at < padded.length; at += rate) {
        for (var i = 0; i < rate / 8; i++) {
            var lane = 0n;
            for (var k = 7; k >= 0; k--) lane = (lane << 8n) | BigInt(padded[at + i * 8 + k]);
            state[i] ^= lane;
        }
        orvKeccakF(state);
    }
    var out = new Uint8Array(outputBytes);
    for (var j = 0; j < outputBytes; j++) out[j] = Number((state[j >> 3] >> BigInt((j & 7) * 8)) & 255n);
    return out;
}

function orvCryptoJS() {
    var library = typeof CryptoJS !== "undefined" ? CryptoJS : global.CryptoJS;
    if (!library) cPB.Error("Cipher: the crypto-js library is not loaded in this page.");
    return library || null;
}

function orvWordsToBytes(words) {
    var bytes = new Uint8Array(words.sigBytes);
    for (var i = 0; i < words.sigBytes; i++) bytes[i] = (words.words[i >>> 2] >>> (24 - (i % 4) * 8)) & 255;
    return bytes;
}

function orvBytesToWords(library, bytes) {
    var words = [];
    for (var i = 0; i < bytes.length; i++) words[i >>> 2] |= bytes[i] << (24 - (i % 4) * 8);
    return library.lib.WordArray.create(words, bytes.length);
}

// The digest of bytes and the block size HMAC uses with it; null when the plugin is unknown or
// crypto-js is missing.
function orvDigest(bytes, plugin, bits) {
    switch (plugin) {
        case ORV_Cipher_CRC32: {
            var crc = orvCrc32(bytes, 0);
            return { digest: new Uint8Array([crc >>> 24, (crc >>> 16) & 255, (crc >>> 8) & 255, crc & 255]), block: 64 };
        }
        case ORV_Cipher_SHA3: {
            var size = [224, 256, 384, 512].indexOf(bits) >= 0 ? bits : 256;
            return { digest: orvSha3(bytes, size / 8), block: 200 - size / 4 };
        }
        case ORV_Cipher_MD5:
        case ORV_Cipher_SHA1:
        case ORV_Cipher_SHA2: {
            var library = orvCryptoJS();
            if (!library) return null;
            var name = plugin === ORV_Cipher_MD5 ? "MD5" : plugin === ORV_Cipher_SHA1 ? "SHA1" : "SHA" + ([224, 256, 384, 512].indexOf(bits) >= 0 ? bits : 256);
            var digest = orvWordsToBytes(library[name](orvBytesToWords(library, bytes)));
            return { digest: digest, block: name === "SHA384" || name === "SHA512" ? 128 : 64 };
        }
        default:
            cPB.Error("Cipher: unknown fingerprint plugin " + plugin + ".");
            return null;
    }
}

function orvHex(bytes) {
    var text = "";
    for (var i = 0; i < bytes.length; i++) text += (bytes[i] < 16 ? "0" : "") + bytes[i].toString(16);
    return text;
}

function orvConcat(first, second) {
    var all = new Uint8Array(first.length + second.length);
    all.set(first);
    all.set(second, first.length);
    return all;
}

// The fingerprint of bytes as text: the plugin's digest, or its HMAC with the key's bytes.
function orvFingerprint(bytes, plugin, bits, key) {
    plugin = orvInt(plugin);
    var hmac = (plugin & ORV_Cipher_HMAC) !== 0;
    plugin &= ~ORV_Cipher_HMAC;
    bits = bits === undefined ? undefined : orvInt(bits);
    if (!hmac) {
        var plain = orvDigest(bytes, plugin, bits);
        return plain ? orvHex(plain.digest) : "";
    }
    var probe = orvDigest(new Uint8Array(0), plugin, bits);
    if (!probe) return "";
    var block = new Uint8Array(probe.block);
    var keyBytes = key || new Uint8Array(0);
    if (keyBytes.length > probe.block) keyBytes = orvDigest(keyBytes, plugin, bits).digest;
    block.set(keyBytes);
    var inner = block.map(function (b) {
        return b ^ 0x36;
    });
    var outer = block.map(function (b) {
        return b ^ 0x5c;
    });
    var innerDigest = orvDigest(orvConcat(inner, bytes), plugin, bits).digest;
    return orvHex(orvDigest(orvConcat(outer, innerDigest), plugin, bits).digest);
}

// Text as bytes in a format: #PB_UTF8 (the default here), #PB_Ascii, #PB_Unicode.
function orvTextBytes(text, format) {
    var f = format === undefined ? 2 : orvInt(format);
    return new Uint8Array(orvEncodeText(orvText(text), f === 24 || f === 25 ? f : 2, -1));
}

function orvMemoryBytes(address, size) {
    size = orvInt(size);
    if (size <= 0) return new Uint8Array(0);
    if (!orvLocate(address, size, "*Buffer")) return null;
    return orvReadBytes(size).slice();
}

var orvBase64Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Flags: #PB_Cipher_URL (16) writes - and _ for + and /, #PB_Cipher_NoPadding (32) leaves out "=".
function orvBase64Encode(bytes, flags) {
    flags = orvInt(flags);
    var text = "";
    for (var i = 0; i < bytes.length; i += 3) {
        var n = (bytes[i] << 16) | ((bytes[i + 1] || 0) << 8) | (bytes[i + 2] || 0);
        var count = Math.min(bytes.length - i, 3);
        for (var k = 0; k < 4; k++) text += k <= count ? orvBase64Letters.charAt((n >> (18 - 6 * k)) & 63) : "=";
    }
    if (flags & 32) text = text.replace(/=+$/, "");
    if (flags & 16) text = text.replace(/\+/g, "-").replace(/\//g, "_");
    return text;
}

// Both alphabets are read; what is not a Base64 letter is skipped.
function orvBase64Decode(text) {
    var bits = 0;
    var count = 0;
    var bytes = [];
    text = orvText(text);
    for (var i = 0; i < text.length; i++) {
        var c = text.charAt(i);
        if (c === "=") break;
        var value = c === "-" ? 62 : c === "_" ? 63 : orvBase64Letters.indexOf(c);
        if (value < 0) continue;
        bits = (bits << 6) | value;
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push((bits >> count) & 255);
        }
    }
    return new Uint8Array(bytes);
}

function orvWriteOut(address, size, bytes) {
    size = orvInt(size);
    var length = Math.min(bytes.length, Math.max(size, 0));
    if (length === 0) return 0;
    if (!orvLocate(address, length, "*OutputBuffer")) return 0;
    orvWriteBytes(bytes.subarray(0, length));
    return length;
}

var orvFingerprints = new Map();
var orvNextFingerprint = 1;

var cCipher = (global.cCipher = {
    // The plugins are always there; these only mark their use, as PureBasic needs them to.
    UseMD5Fingerprint: function () {},
    UseSHA1Fingerprint: function () {},
    UseSHA2Fingerprint: function () {},
    UseSHA3Fingerprint: function () {},
    UseCRC32Fingerprint: function () {},

    StringFingerprint: function (text, plugin, bits, format, key, keyFormat) {
        var keyBytes = key === undefined ? undefined : orvTextBytes(key, keyFormat);
        return orvFingerprint(orvTextBytes(text, format), plugin, bits, keyBytes);
    },
    Fingerprint: function (address, size, plugin, bits, key, keyFormat) {
        var bytes = orvMemoryBytes(address, size);
        if (!bytes) return "";
        return orvFingerprint(bytes, plugin, bits, key === undefined ? undefined : orvTextBytes(key, keyFormat));
    },
    // The older function: the CRC32 of a memory area as a number.
    CRC32Fingerprint: function (address, size, initial) {
        var bytes = orvMemoryBytes(address, size);
        return bytes ? orvCrc32(bytes, initial === undefined ? 0 : orvInt(initial)) : 0;
    },

    // A fingerprint fed in parts: StartFingerprint, AddFingerprintBuffer, FinishFingerprint.
    StartFingerprint: function (number, plugin, bits, key, keyFormat) {
        number = orvInt(number);
        var state = { plugin: orvInt(plugin), bits: bits, key: key === undefined ? undefined : orvTextBytes(key, keyFormat), parts: [] };
        if (number === -1) {
            number = orvNextFingerprint++;
            orvFingerprints.set(number, state);
            return number;
        }
        orvFingerprints.set(number, state);
        return 1;
    },
    AddFingerprintBuffer: function (number, address, size) {
        var state = orvFingerprints.get(orvInt(number));
        if (!state) {
            cPB.Error("#Fingerprint object not initialized.");
            return;
        }
        var bytes = orvMemoryBytes(address, size);
        if (bytes) state.parts.push(bytes);
    },
    FinishFingerprint: function (number) {
        var state = orvFingerprints.get(orvInt(number));
        if (!state) {
            cPB.Error("#Fingerprint object not initialized.");
            return "";
        }
        orvFingerprints.delete(orvInt(number));
        var all = state.parts.reduce(orvConcat, new Uint8Array(0));
        return orvFingerprint(all, state.plugin, state.bits, state.key);
    },
    IsFingerprint: function (number) {
        return orvFingerprints.has(orvInt(number)) ? 1 : 0;
    },

    Base64Encoder: function (address, size, flags) {
        var bytes = orvMemoryBytes(address, size);
        return bytes ? orvBase64Encode(bytes, flags) : "";
    },
    Base64Decoder: function (text, address, size) {
        return orvWriteOut(address, size, orvBase64Decode(text));
    },
    Base64EncoderBuffer: function (input, inputSize, output, outputSize, flags) {
        var bytes = orvMemoryBytes(input, inputSize);
        if (!bytes) return 0;
        return orvWriteOut(output, outputSize, new Uint8Array(orvEncodeText(orvBase64Encode(bytes, flags), 24, -1)));
    },
    Base64DecoderBuffer: function (input, inputSize, output, outputSize) {
        var bytes = orvMemoryBytes(input, inputSize);
        if (!bytes) return 0;
        return orvWriteOut(output, outputSize, orvBase64Decode(String.fromCharCode.apply(null, bytes)));
    },

    // Random numbers from the browser's cryptographic generator.
    OpenCryptRandom: function () {
        return typeof crypto !== "undefined" && crypto.getRandomValues ? 1 : 0;
    },
    CloseCryptRandom: function () {},
    CryptRandom: function (maximum) {
        maximum = orvInt(maximum);
        if (maximum <= 0 || typeof crypto === "undefined") return 0;
        var words = new Uint32Array(2);
        crypto.getRandomValues(words);
        var fraction = (words[0] * 2097152 + (words[1] >>> 11)) / 9007199254740992;
        return Math.floor(fraction * (maximum + 1));
    },
    CryptRandomData: function (address, length) {
        length = orvInt(length);
        if (length <= 0 || typeof crypto === "undefined" || !orvLocate(address, length, "*Buffer")) return 0;
        var bytes = new Uint8Array(length);
        for (var at = 0; at < length; at += 65536) crypto.getRandomValues(bytes.subarray(at, Math.min(at + 65536, length)));
        orvWriteBytes(bytes);
        return 1;
    },
});
