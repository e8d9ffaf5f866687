// The Math library, and Random with a generator that RandomSeed makes repeatable.

// mulberry32: small, fast and good enough for a program's random numbers; seeded from the
// browser's generator until the program calls RandomSeed.
function orvRandomGenerator(seed) {
    var state = seed >>> 0;
    return function () {
        state = (state + 0x6d2b79f5) >>> 0;
        var t = state;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

var orvRandom = orvRandomGenerator(Math.floor(Math.random() * 4294967296));

var cMath = (global.cMath = {
    Abs: function (x) {
        return Math.abs(orvNumber(x));
    },
    ACos: function (x) {
        return Math.acos(orvNumber(x));
    },
    ACosH: function (x) {
        return Math.acosh(orvNumber(x));
    },
    ASin: function (x) {
        return Math.asin(orvNumber(x));
    },
    ASinH: function (x) {
        return Math.asinh(orvNumber(x));
    },
    ATan: function (x) {
        return Math.atan(orvNumber(x));
    },
    ATan2: function (x, y) {
        return Math.atan2(orvNumber(y), orvNumber(x));
    },
    ATanH: function (x) {
        return Math.atanh(orvNumber(x));
    },
    Cos: function (x) {
        return Math.cos(orvNumber(x));
    },
    CosH: function (x) {
        return Math.cosh(orvNumber(x));
    },
    Degree: function (x) {
        return (orvNumber(x) * 180) / Math.PI;
    },
    Exp: function (x) {
        return Math.exp(orvNumber(x));
    },
    Infinity: function () {
        return Infinity;
    },
    Int: function (x) {
        return orvInt(x);
    },
    IntQ: function (x) {
        return orvInt(x);
    },
    IsInfinity: function (x) {
        return Math.abs(Number(x)) === Infinity ? 1 : 0;
    },
    IsNAN: function (x) {
        return Number.isNaN(Number(x)) ? 1 : 0;
    },
    Log: function (x) {
        return Math.log(orvNumber(x));
    },
    Log10: function (x) {
        return Math.log10(orvNumber(x));
    },
    // The remainder keeps the sign of the dividend, as in PureBasic.
    Mod: function (x, y) {
        return orvNumber(x) % orvNumber(y);
    },
    NaN: function () {
        return NaN;
    },
    Pow: function (x, y) {
        return Math.pow(orvNumber(x), orvNumber(y));
    },
    Radian: function (x) {
        return (orvNumber(x) * Math.PI) / 180;
    },
    // A whole number from min (default 0) to max, both included; the bounds may come in either
    // order. Ranges wider than 2^32 take two draws.
    Random: function (max, min) {
        var high = orvInt(max);
        var low = min === undefined ? 0 : orvInt(min);
        if (low > high) {
            var swap = low;
            low = high;
            high = swap;
        }
        var range = high - low + 1;
        if (range <= 4294967296) return low + Math.floor(orvRandom() * range);
        var wide = (Math.floor(orvRandom() * 2097152) * 4294967296 + Math.floor(orvRandom() * 4294967296)) / 9007199254740992;
        return Math.min(low + Math.floor(wide * range), high);
    },
    // The same seed gives the same numbers again.
    RandomSeed: function (seed) {
        orvRandom = orvRandomGenerator(orvInt(seed));
    },
    // Fills Length bytes at the address with random values.
    RandomData: function (address, length) {
        length = orvInt(length);
        if (length <= 0 || !orvLocate(address, length, "*Buffer")) return 0;
        var bytes = new Uint8Array(length);
        for (var i = 0; i < length; i++) bytes[i] = Math.floor(orvRandom() * 256);
        orvWriteBytes(bytes);
        return 1;
    },
    // #PB_Round_Down 0, #PB_Round_Up 1, #PB_Round_Nearest 2 (halves away from zero).
    Round: function (x, mode) {
        x = orvNumber(x);
        switch (orvInt(mode)) {
            case 0:
                return Math.floor(x);
            case 1:
                return Math.ceil(x);
            default:
                return Math.sign(x) * Math.round(Math.abs(x));
        }
    },
    Sign: function (x) {
        x = orvNumber(x);
        return x > 0 ? 1 : x < 0 ? -1 : 0;
    },
    Sin: function (x) {
        return Math.sin(orvNumber(x));
    },
    SinH: function (x) {
        return Math.sinh(orvNumber(x));
    },
    Sqr: function (x) {
        return Math.sqrt(orvNumber(x));
    },
    Tan: function (x) {
        return Math.tan(orvNumber(x));
    },
    TanH: function (x) {
        return Math.tanh(orvNumber(x));
    },
});
