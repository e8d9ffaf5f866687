"use strict";
const test = require("node:test");
const assert = require("node:assert/strict");
const { loadPage } = require("./load.js");

const { cString: S } = loadPage().window;

test("Val reads hexadecimal, binary and decimal prefixes as a quad", () => {
    assert.equal(S.Val("$FF"), 255);
    assert.equal(S.Val("%101"), 5);
    assert.equal(S.Val("-$10"), -16);
    assert.equal(S.Val("  42abc"), 42);
    assert.equal(S.Val("3.9"), 3);
    assert.equal(S.Val("abc"), 0);
    assert.equal(S.Val(""), 0);
    assert.equal(S.Val("$FFFFFFFFFFFFFFFF"), -1);
    assert.equal(S.Val("0x1F"), 0);
    assert.equal(S.ValD("1.5e3xyz"), 1500);
    assert.equal(S.ValD(".25"), 0.25);
    assert.equal(S.ValD("x"), 0);
    assert.equal(S.ValF("0.1"), Math.fround(0.1));
});

test("Str, StrF, StrD, StrU, Hex and Bin write numbers as PureBasic does", () => {
    assert.equal(S.Str(-12), "-12");
    assert.equal(S.Str(true), "1");
    assert.equal(S.Str(1e21), "1000000000000000000000");
    assert.equal(S.StrF(3.14159, 2), "3.14");
    assert.equal(S.StrF(2.5, 0), "3");
    assert.equal(S.StrF(0.1), "0.1000000015");
    assert.equal(S.StrD(0.1), "0.1");
    assert.equal(S.StrD(1 / 3, 4), "0.3333");
    assert.equal(S.StrD(-0.0001, 2), "0.00");
    assert.equal(S.StrD(2, 3), "2.000");
    assert.equal(S.StrU(-1, 1), "255");
    assert.equal(S.StrU(-1, 5), "4294967295");
    assert.equal(S.Hex(255), "FF");
    assert.equal(S.Hex(-1), "FFFFFFFFFFFFFFFF");
    assert.equal(S.Hex(-1, 3), "FFFF");
    assert.equal(S.Bin(5), "101");
    assert.equal(S.Bin(-2, 1), "11111110");
    assert.equal(S.FormatNumber(1234567.891), "1,234,567.89");
    assert.equal(S.FormatNumber(-1234.5, 0, ".", " "), "-1 235");
    assert.equal(S.FormatNumber(999.999, 2, ",", "."), "1.000,00");
});

test("Left, Right, Mid and Len at and beyond the ends", () => {
    assert.equal(S.Left("Hello", 2), "He");
    assert.equal(S.Left("Hello", 10), "Hello");
    assert.equal(S.Left("Hello", -1), "");
    assert.equal(S.Right("Hello", 3), "llo");
    assert.equal(S.Right("Hello", 0), "");
    assert.equal(S.Right("Hello", 9), "Hello");
    assert.equal(S.Mid("Hello", 2, 3), "ell");
    assert.equal(S.Mid("Hello", 4, 100), "lo");
    assert.equal(S.Mid("Hello", 3), "llo");
    assert.equal(S.Mid("Hello", 9, 2), "");
    assert.equal(S.Mid("Hello", 0, 2), "He");
    assert.equal(S.Len(""), 0);
    assert.equal(S.Len("äöü"), 3);
});

test("StringField counts fields from 1 and gives an empty text beyond them", () => {
    assert.equal(S.StringField("a,b,c", 1, ","), "a");
    assert.equal(S.StringField("a,b,c", 3, ","), "c");
    assert.equal(S.StringField("a,b,c", 4, ","), "");
    assert.equal(S.StringField("a,b,c", 0, ","), "");
    assert.equal(S.StringField("a,,c", 2, ","), "");
    assert.equal(S.StringField("a::b", 2, "::"), "b");
    assert.equal(S.StringField("abc", 1, ""), "abc");
});

test("FindString, CountString, ReplaceString and RemoveString", () => {
    assert.equal(S.FindString("Hello World", "o"), 5);
    assert.equal(S.FindString("Hello World", "o", 6), 8);
    assert.equal(S.FindString("Hello World", "WORLD"), 0);
    assert.equal(S.FindString("Hello World", "WORLD", 1, 1), 7);
    assert.equal(S.FindString("Hello", ""), 0);
    assert.equal(S.CountString("banana", "an"), 2);
    assert.equal(S.CountString("aaaa", "aa"), 2);
    assert.equal(S.CountString("abc", ""), 0);
    assert.equal(S.ReplaceString("a-b-c", "-", "+"), "a+b+c");
    assert.equal(S.ReplaceString("abc", "", "x"), "abc");
    assert.equal(S.ReplaceString("aAaA", "a", "x", 1), "xxxx");
    assert.equal(S.ReplaceString("a-b-c-d", "-", "", 0, 4), "a-bcd");
    assert.equal(S.ReplaceString("a-b-c-d", "-", "", 0, 1, 2), "abc-d");
    assert.equal(S.ReplaceString("aaa", "a", "aa"), "aaaaaa");
    assert.equal(S.RemoveString("Hello World", "o"), "Hell Wrld");
    assert.equal(S.RemoveString("Hello", ""), "Hello");
});

test("padding, trimming, case and the other text functions", () => {
    assert.equal(S.LSet("ab", 5), "ab   ");
    assert.equal(S.LSet("abcdef", 3), "abc");
    assert.equal(S.RSet("7", 3, "0"), "007");
    assert.equal(S.RSet("abcdef", 3), "abc");
    assert.equal(S.Trim("  a b  "), "a b");
    assert.equal(S.Trim("\t a \t"), "\t a \t");
    assert.equal(S.Trim("xxaxx", "x"), "a");
    assert.equal(S.LTrim("  a  "), "a  ");
    assert.equal(S.RTrim("  a  "), "  a");
    assert.equal(S.UCase("abcß"), "ABCß");
    assert.equal(S.LCase("ÄBC"), "äbc");
    assert.equal(S.Space(3), "   ");
    assert.equal(S.Space(-1), "");
    assert.equal(S.ReverseString("abc"), "cba");
    assert.equal(S.InsertString("Hello", "XX", 3), "HeXXllo");
    assert.equal(S.InsertString("Hello", "!", 99), "Hello!");
    assert.equal(S.InsertString("Hello", ">", 0), ">Hello");
    assert.equal(S.Asc(""), 0);
    assert.equal(S.Asc("A"), 65);
    assert.equal(S.Chr(65), "A");
    assert.equal(S.Chr(0x1f600), "", "beyond $FFFF, which String.txt does not allow");
    assert.equal(S.Chr(0), "");
});

test("EscapeString and UnescapeString undo each other in every mode; StringByteLength", () => {
    const text = 'a"b\\c\n<&>\'\t';
    for (const mode of [0, 1, 2]) assert.equal(S.UnescapeString(S.EscapeString(text, mode), mode), text);
    assert.equal(S.EscapeString('say "hi"\n'), 'say \\"hi\\"\\n');
    assert.equal(S.EscapeString("<a href='x'>&</a>", 1), "&lt;a href=&apos;x&apos;&gt;&amp;&lt;/a&gt;");
    assert.equal(S.UnescapeString('x\\"y', 2), 'x"y');
    assert.equal(S.StringByteLength("abc"), 6);
    assert.equal(S.StringByteLength("äb\u{1f600}", 2), 7);
    assert.equal(S.StringByteLength("äb", 24), 2);
});

test("number texts as PureBasic writes them: Str rounds a float, every digit, no exponent", () => {
    assert.deepEqual([S.Str(2.5), S.Str(3.5), S.Str(-2.5), S.Str(2.4)], ["2", "4", "-2", "2"]);
    assert.equal(S.Str(2 ** 60), "1152921504606846976");
    assert.equal(S.Str(-(2 ** 63)), "-9223372036854775808");
    assert.equal(S.Str(Infinity), "-9223372036854775808", "what the processor makes of a float without an integer value");
    assert.equal(S.StrD(1e22), "10000000000000000000000");
    assert.equal(S.StrD(1e22, 2), "10000000000000000000000.00");
    assert.equal(S.StrD(123.5e-20), "0", "ten decimals");
    assert.equal(S.StrD(0.125, 2), "0.13");
    assert.equal(S.StrF(1 / 3), "0.3333333433");
    assert.equal(S.StrD(NaN), "NaN");
    assert.equal(S.StrD(-Infinity, 2), "-Infinity");
    assert.equal(S.Hex(2.5), "2");
    assert.equal(S.ValD("-Infinity"), -Infinity);
    assert.ok(Number.isNaN(S.ValD("nan")));
    assert.equal(S.ValD("+Infinityx"), Infinity);
    assert.equal(S.ValF("1e400"), Infinity);
});

test("Chr of the characters PureBasic allows, positions kept by case-free search, Ascii and UTF8 buffers", () => {
    assert.equal(S.Chr(0xfffd), "\ufffd");
    assert.deepEqual([S.Chr(0), S.Chr(-5), S.Chr(0xd800), S.Chr(0x1d11e)], ["", "", "", ""]);
    assert.equal(S.Asc("\u{1d11e}"), 0x1d11e);
    // İ lower-cases to two characters in JavaScript; PureBasic's positions stay those of the text
    assert.equal(S.FindString("İİabc", "ABC", 1, 1), 3);
    assert.equal(S.ReplaceString("İxİX", "x", "-", 1), "İ-İ-");
    assert.equal(S.RemoveString("Hello again, hello again", "HELLO", 1, 10), "Hello again,  again");
    assert.equal(S.CountString("aaaa", "aa"), 2);
    assert.equal(S.InsertString("Hello !", "World", 7), "Hello World!");
    assert.equal(S.InsertString("ab", "X", 99), "abX");
    assert.equal(S.LSet("LongString", 4), "Long");
    assert.equal(S.RSet("LongString", 4), "Long");
    assert.equal(S.RSet("7", 3, "0"), "007");
    assert.equal(S.Trim("!!Hello!!", "!"), "Hello");
    assert.equal(S.Mid("Hello", 2, -1), "ello");
    assert.equal(S.Mid("Hello", 2, 0), "");
    assert.equal(S.StringField("a,b,,c", 3, ","), "");
    assert.equal(S.StringField("a,b,,c", 5, ","), "");
    assert.equal(S.StringField("a<>b", 2, "<>"), "b");
    assert.equal(S.EscapeString('a"\\\n\t'), 'a\\"\\\\\\n\\t');
    assert.equal(S.UnescapeString(S.EscapeString("x\x07\v\r")), "x\x07\v\r");
    assert.equal(S.StringByteLength("ä€", 2), 5);
    assert.equal(S.StringByteLength("ä€", 24), 2);
    assert.equal(S.StringByteLength("ä€"), 4);
    const page = loadPage();
    const { cString, cMemory } = page.window;
    const ascii = cString.Ascii("Hélé€");
    assert.equal(cMemory.MemorySize(ascii), 6);
    assert.equal(cMemory.PeekS(ascii, -1, 24), "Hélé?");
    const utf8 = cString.UTF8("Hélé");
    assert.equal(cMemory.MemorySize(utf8), 7);
    assert.equal(cMemory.PeekS(utf8, -1, 2), "Hélé");
});
