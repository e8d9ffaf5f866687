#include "converter/translator/tokens.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

#include "tests/cpp/run_harness.h"

using namespace orvane;

namespace {
std::vector<std::string> Texts(const std::string& source, bool normalise = false) {
    TokenList tokens;
    TokenizeText(tokens, source);
    if (normalise) NormalizeForTranslation(tokens);
    std::vector<std::string> out;
    for (const Token& t : tokens.ToVector())
        out.push_back(t.Text);
    return out;
}
std::vector<int> Types(const std::string& source, bool normalise = false) {
    TokenList tokens;
    TokenizeText(tokens, source);
    if (normalise) NormalizeForTranslation(tokens);
    std::vector<int> out;
    for (const Token& t : tokens.ToVector())
        out.push_back(t.Type);
    return out;
}
using V = std::vector<std::string>;
using I = std::vector<int>;

// A list of the given texts, each of type 1.
TokenList ListOf(const V& texts) {
    TokenList list;
    for (const auto& t : texts)
        list.Append(t, PBSC_Identifier, 1);
    return list;
}
}  // namespace

TEST(Scanner, LinesAndNewLineTokens) {
    EXPECT_EQ(Texts(""), V{});
    TokenList tokens;
    TokenizeText(tokens, "a\n");
    auto v = tokens.ToVector();
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].Text, "a");
    EXPECT_EQ(v[1].Text, "\n");
    EXPECT_EQ(v[1].Type, PBSC_NewLine);
    EXPECT_EQ(v[1].Line, 1);
    EXPECT_EQ(Texts("\n\nx"), (V{"\n", "\n", "x"}));
}

TEST(Scanner, LineNumbersAndLineEnds) {
    TokenList tokens;
    TokenizeText(tokens, "\r\n  a = 1\r\n\r\n\tb\n");
    std::vector<std::pair<std::string, int>> got;
    for (const Token& t : tokens.ToVector())
        got.emplace_back(t.Text, t.Line);
    EXPECT_EQ(
        got,
        (std::vector<std::pair<std::string, int>>{
            {"\n", 1}, {"a", 2}, {"=", 2}, {"1", 2}, {"\n", 2}, {"\n", 3}, {"b", 4}, {"\n", 4}}));
    // A carriage return without line feed stays in its line as a token of its own.
    EXPECT_EQ(Texts("a\rb"), (V{"a", "\r", "b"}));
    // A character beyond ASCII is one token, not one per byte.
    EXPECT_EQ(Texts("x = \xC3\xA4"), (V{"x", "=", "\xC3\xA4"}));
}

TEST(Scanner, ConstantAndPointerPrefixes) {
    EXPECT_EQ(Texts("x = #True"), (V{"x", "=", "#True"}));
    EXPECT_EQ(Types("x = #True"), (I{1, 0, 1}));
    EXPECT_EQ(Texts("a#b"), (V{"a", "#", "b"}));
    EXPECT_EQ(Texts("x = # Foo"), (V{"x", "=", "# Foo"}));
    EXPECT_EQ(Texts("#Line"), (V{"#Line"}));  // at the start of a line
    EXPECT_EQ(Texts("If A = 1 And #X"), (V{"If", "A", "=", "1", "And", "#X"}));
    EXPECT_EQ(Texts("x = a * #X"), (V{"x", "=", "a", "*", "#X"}));
    EXPECT_EQ(Texts("x = #5"), (V{"x", "=", "#", "5"}));  // no letter after the prefix
    EXPECT_EQ(Texts("a * b"), (V{"a", "*", "b"}));
    EXPECT_EQ(Texts("x = *p"), (V{"x", "=", "*p"}));
    EXPECT_EQ(Texts("Protected *p"), (V{"Protected", "*p"}));
    EXPECT_EQ(Texts("Protected a, *p.l"), (V{"Protected", "a", ",", "*p", ".", "l"}));
    EXPECT_EQ(Texts("x = 2 * p"), (V{"x", "=", "2", "*", "p"}));  // after a number: multiplication
    EXPECT_EQ(Texts("Procedure Go(*p)"), (V{"Procedure", "Go", "(", "*p", ")"}));
    EXPECT_EQ(Texts("a.p-ascii"), (V{"a", ".", "p-ascii"}));
    EXPECT_EQ(Texts("x = a - p"), (V{"x", "=", "a", "-", "p"}));
    EXPECT_EQ(Texts("Name$ = \"x\""), (V{"Name$", "=", "\"x\""}));
    EXPECT_EQ(Texts("a ; note"), (V{"a", "; note"}));
    EXPECT_EQ(Types("a ; note"), (I{1, 4}));
}

TEST(Scanner, NumbersAndLiterals) {
    EXPECT_EQ(Texts("a % 2"), (V{"a", "%", "2"}));
    EXPECT_EQ(Texts("(a) % 2"), (V{"(", "a", ")", "%", "2"}));
    EXPECT_EQ(Texts("x = %1010"), (V{"x", "=", "%1010"}));
    EXPECT_EQ(Types("x = %1010"), (I{1, 0, 2}));
    EXPECT_EQ(Texts("x = % 1010"), (V{"x", "=", "% 1010"}));
    EXPECT_EQ(Texts("1.5e-3"), (V{"1.5e-3"}));
    EXPECT_EQ(Texts("1.5-3"), (V{"1.5", "-", "3"}));
    EXPECT_EQ(Texts("1E+5+2"), (V{"1E+5", "+", "2"}));
    EXPECT_EQ(Texts(".5"), (V{".", "5"}));
    EXPECT_EQ(Texts("$FF"), (V{"$FF"}));
    EXPECT_EQ(Texts("$ FF"), (V{"$ FF"}));
    EXPECT_EQ(Texts("$FF FF"), (V{"$FF", "FF"}));
    EXPECT_EQ(Texts("x = $"), (V{"x", "=", "$"}));
    EXPECT_EQ(Texts("a = %"), (V{"a", "=", "%"}));
    EXPECT_EQ(Texts("'A'"), (V{"'A'"}));
    EXPECT_EQ(Types("'A' \"abc\""), (I{2, 3}));
    EXPECT_EQ(Texts("x = \"open ; not a comment"), (V{"x", "=", "\"open ; not a comment"}));
    EXPECT_EQ(Types("x = 'open"), (I{1, 0, 3}));
    EXPECT_EQ(Texts("a<>b"), (V{"a", "<>", "b"}));
    EXPECT_EQ(Texts("a=<b"), (V{"a", "=", "<", "b"}));
    EXPECT_EQ(Texts("a>=b<<2"), (V{"a", ">=", "b", "<<", "2"}));
}

TEST(Scanner, NormalisationForTranslation) {
    EXPECT_EQ(Texts("a = 1 : b = 2", true), (V{"a", "=", "1", "\n", "b", "=", "2"}));
    EXPECT_EQ(Types("a = 1 : b = 2", true), (I{1, 0, 2, 5, 1, 0, 2}));
    EXPECT_EQ(Texts("x = a +\nb", true), (V{"x", "=", "a", "+", "b"}));
    EXPECT_EQ(Texts("f(a,\n\nb)", true), (V{"f", "(", "a", ",", "b", ")"}));
    EXPECT_EQ(Texts("If a Or\nb", true), (V{"If", "a", "Or", "b"}));
    EXPECT_EQ(Texts("f(a, ; comment\nb)", true),
              (V{"f", "(", "a", ",", "; comment", "\n", "b", ")"}));
    EXPECT_EQ(Texts("\nx", true), (V{"\n", "x"}));
    EXPECT_EQ(Types("x = #A", true), (I{1, 0, PBSC_Constant}));
    TokenList tokens;
    TokenizeText(tokens, "a\n\"s\"");
    EXPECT_EQ(tokens.Join(), "a \n \"s\" ");
}

TEST(Scanner, LoadFileReadsByByteOrderMark) {
    test::RunSandbox box;
    auto scan = [](const std::string& path) {
        SourceScanner scanner;
        V out;
        if (!scanner.LoadFile(path)) return V{"<refused>"};
        while (scanner.HasMoreTokens())
            out.push_back(scanner.NextToken());
        return out;
    };
    std::string le(
        "\xFF\xFE"
        "a\0=\0\xE4\0\r\0\n\0b\0",
        14);
    EXPECT_EQ(scan(box.WriteFile(box.WorkFolder() + "le.pb", le)),
              (V{"a", "=", "\xC3\xA4", "\n", "b"}));
    EXPECT_EQ(scan(box.WriteFile(box.WorkFolder() + "utf8.pb", "\xEF\xBB\xBFx\r\n")), V{"x"});
    EXPECT_EQ(scan(box.WriteFile(box.WorkFolder() + "be.pb", std::string("\xFE\xFF\0a", 4))),
              V{"<refused>"});
    EXPECT_EQ(scan(box.WorkFolder() + "missing.pb"), V{"<refused>"});
}

TEST(TokenCursor, StepsNeverPassEitherEnd) {
    TokenList list = ListOf({"a", "b"});
    EXPECT_FALSE(list.StepPrevious());  // nothing current yet
    ASSERT_TRUE(list.StepNext());
    EXPECT_EQ(list.Cur().Text, "a");
    EXPECT_FALSE(list.StepPrevious());
    EXPECT_EQ(list.Cur().Text, "a");
    ASSERT_TRUE(list.StepNext());
    EXPECT_FALSE(list.StepNext());
    EXPECT_EQ(list.Cur().Text, "b");
    EXPECT_FALSE(list.NextTokenIs(">"));
    EXPECT_FALSE(list.NextTokenIs(""));
    EXPECT_EQ(list.Cur().Text, "b");
    EXPECT_EQ(list.CurrentIndex(), 1);
    list.SelectIndex(0);
    EXPECT_TRUE(list.NextTokenIs("b"));
    EXPECT_FALSE(list.NextTokenIs("B"));

    TokenList empty;
    empty.ResetCursor();
    EXPECT_FALSE(empty.StepNext());
    EXPECT_FALSE(empty.NextTokenIs("x"));
    EXPECT_FALSE(empty.IsKeyword("x"));
    EXPECT_FALSE(empty.IsStatementEnd());
    empty.ClearToken();  // nothing current: no effect, no crash
    empty.RemoveEmptyTokens();
    EXPECT_EQ(empty.Size(), 0u);
}

TEST(TokenCursor, KeywordAndStatementEndTests) {
    TokenList list;
    list.Append("While", PBSC_Identifier, 1);
    list.Append("while", PBSC_String, 1);
    list.Append("; c", PBSC_Comment, 1);
    list.Append("\n", PBSC_NewLine, 1);
    list.StepNext();
    EXPECT_TRUE(list.IsKeyword("while"));
    EXPECT_FALSE(list.IsStatementEnd());
    list.StepNext();
    EXPECT_FALSE(list.IsKeyword("while"));  // only identifiers are keywords
    list.StepNext();
    EXPECT_TRUE(list.IsStatementEnd());
    list.StepNext();
    EXPECT_TRUE(list.IsStatementEnd());
}

TEST(TokenCursor, EmptiedTokensStayUntilTheSweep) {
    TokenList list = ListOf({"a", "b", "c", "d"});
    list.SelectIndex(1);
    list.ClearToken();
    EXPECT_EQ(list.Cur().Type, PBSC_Other);
    list.SelectIndex(2);
    list.ClearText();
    EXPECT_EQ(list.Cur().Type, PBSC_Identifier);
    EXPECT_EQ(list.Size(), 4u);
    EXPECT_EQ(list.Join(), "a   d ");
    list.SelectIndex(3);
    list.RemoveEmptyTokens();
    EXPECT_EQ(list.Join(), "a d ");
    ASSERT_TRUE(list.HasCurrent());
    EXPECT_EQ(list.Cur().Text, "d");

    // The current token swept away leaves no token current; a new walk starts at the front.
    list.SelectIndex(0);
    list.ClearToken();
    list.RemoveEmptyTokens();
    EXPECT_FALSE(list.HasCurrent());
    ASSERT_TRUE(list.StepNext());
    EXPECT_EQ(list.Cur().Text, "d");

    TokenList all = ListOf({"", "", ""});
    all.RemoveEmptyTokens();
    EXPECT_EQ(all.Size(), 0u);
    EXPECT_EQ(all.First(), NoToken);
    EXPECT_FALSE(all.StepNext());
}

TEST(TokenCursor, HandlesSurviveEditsElsewhere) {
    TokenList list = ListOf({"a", "b", "c"});
    list.SelectIndex(1);
    TokenId b = list.Current();
    list.InsertBefore(b, "x", PBSC_Other, 1);
    list.InsertAfter(list.Last(), "z", PBSC_Other, 1);
    list.Delete(list.First());
    list.Delete(list.First());  // "x"
    list.Select(b);
    EXPECT_EQ(list.Cur().Text, "b");
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(list.Join(), "b c z ");
    // Deleting a token twice must not damage the list.
    TokenId c = list.Next(b);
    list.Delete(c);
    list.Delete(c);
    EXPECT_EQ(list.Join(), "b z ");
    EXPECT_EQ(list.Size(), 2u);
}

// The pool grows in chunks and keeps them for the next fill: handles, order and texts must
// survive a chunk boundary, and a refill must not show anything of the previous fill.
TEST(TokenCursor, RefillsAcrossPoolChunks) {
    TokenList list;
    for (int i = 0; i < 10000; ++i)
        list.Append("t" + std::to_string(i), PBSC_Identifier, i);
    TokenId middle = list.First();
    for (int i = 0; i < 5000; ++i)
        middle = list.Next(middle);
    TokenId inserted = list.InsertBefore(middle, "new", PBSC_Other, 0);
    EXPECT_EQ(list.At(middle).Text, "t5000");
    EXPECT_EQ(list.TextOf(list.Prev(inserted)), "t4999");
    EXPECT_EQ(list.TextOf(list.Next(inserted)), "t5000");
    EXPECT_EQ(list.At(list.Last()).Text, "t9999");
    EXPECT_EQ(list.Size(), 10001u);

    TokenizeText(list, "a = 1\n");
    EXPECT_EQ(list.Join(), "a = 1 \n ");
    EXPECT_EQ(list.Size(), 4u);
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.First(), NoToken);
    list.Append("only", PBSC_Identifier, 1);
    EXPECT_EQ(list.Join(), "only ");
}

TEST(StringHelpers, CaseFreeSearchAndTrims) {
    EXPECT_TRUE(ContainsNoCase("x = 1 ; ORV_EnableJS", "orv_enablejs"));
    EXPECT_TRUE(ContainsNoCase("EnAbLe", "ABLE"));
    EXPECT_TRUE(ContainsNoCase("aaab", "aab"));
    EXPECT_TRUE(ContainsNoCase("", ""));
    EXPECT_FALSE(ContainsNoCase("ENABLEJ", "enablejs"));
    EXPECT_FALSE(ContainsNoCase("abc", "abcd"));
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\ta "), "\ta");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimWhite(" \r\n a\t\n"), "a");
    EXPECT_EQ(TrimWhite("\t"), "");
}

TEST(StringHelpers, TrimStartsEnds) {
    EXPECT_EQ(TrimLeadingChars("\t\r\n abc ", " \t\r\n"), "abc ");
    EXPECT_EQ(TrimTrailingChars("\t\r\n abc ", " \t\r\n"), "\t\r\n abc");
    EXPECT_EQ(TrimLeadingChars(" \t", " \t"), "");
    EXPECT_EQ(TrimTrailingChars("", " "), "");
    EXPECT_FALSE(StartsWith("abc", "abcd"));
    EXPECT_TRUE(StartsWith("abc", ""));
    EXPECT_TRUE(EndsWith("Abc", "bc"));
    EXPECT_FALSE(EndsWith("abC", "bc"));
    EXPECT_FALSE(EndsWith("c", "bc"));
    EXPECT_TRUE(EndsWith("", ""));
}

TEST(StringHelpers, NumericLiteral) {
    for (const char* yes : {" -12 ", "$1F", "%1010", ".5", "3.14e-2", "1E10", "+7", "\t0\t"})
        EXPECT_TRUE(IsNumericLiteral(yes)) << yes;
    for (const char* no : {"", "1.", "$", "%2", "0x1F", "12a", "- 1", "1e", "e1", "1 2"})
        EXPECT_FALSE(IsNumericLiteral(no)) << no;
}

TEST(StringHelpers, SplitAndJoin) {
    std::vector<std::string> parts;
    EXPECT_EQ(SplitToArray("a\nb\n", "\n", parts), 2);
    EXPECT_EQ(parts, (V{"a", "b", ""}));
    EXPECT_EQ(SplitToArray("", "\n", parts), 0);
    EXPECT_EQ(parts, V{""});
    EXPECT_EQ(SplitToArray("a::::b", "::", parts), 2);
    EXPECT_EQ(parts, (V{"a", "", "b"}));
    EXPECT_EQ(SplitToArray("aaa", "aa", parts), 1);  // left to right, no overlap
    EXPECT_EQ(parts, (V{"", "a"}));
    for (const char* text : {"a\nb\n", "", "\n\n", "x"}) {
        SplitToArray(text, "\n", parts);
        EXPECT_EQ(JoinArray(parts, "\n"), text);
    }
}

namespace {
// Seconds to tokenize the text, best of three.
double TokenizeSeconds(const std::string& text) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        TokenList tokens;
        auto start = std::chrono::steady_clock::now();
        TokenizeText(tokens, text);
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Random bytes, weighted towards the characters the scanner treats specially, with long runs
// of blanks after "$", "%", "#" and "*" and a long unterminated quote.
std::string Garbage(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    const std::string special = "$%#*'\";:.eE+-<>=\r\n\t 0123456789abcpP_";
    std::string text;
    text.reserve(size + 16);
    while (text.size() < size) {
        unsigned pick = random() % 100;
        if (pick < 40) {
            text += static_cast<char>(random() % 256);
        } else if (pick < 98) {
            text += special[random() % special.size()];
        } else {
            text += "\n= "[random() % 3];
            text += "$%#*"[random() % 4];
            text.append(random() % 2000, ' ');
        }
    }
    return text + "\n\"" + std::string(size / 4, 'x');
}
}  // namespace

TEST(ScannerRobustness, RandomBytesTokenizeInLinearTime) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        TokenList tokens;
        std::string text = Garbage(5000, seed);
        TokenizeText(tokens, text);
        // Every character ends up in a token: nothing but blanks and line ends is dropped.
        size_t kept = 0, expected = 0;
        for (const Token& t : tokens.ToVector())
            if (t.Type != PBSC_NewLine) kept += t.Text.size();
        std::string normalised = ReplaceAll(text, "\r\n", "\n");
        for (char c : normalised)
            expected += c != ' ' && c != '\t' && c != '\n';
        size_t keptNonBlank = 0;
        for (const Token& t : tokens.ToVector())
            if (t.Type != PBSC_NewLine)
                for (char c : t.Text)
                    keptNonBlank += c != ' ' && c != '\t';
        EXPECT_EQ(keptNonBlank, expected) << "seed " << seed;
        EXPECT_GE(kept, keptNonBlank);
        NormalizeForTranslation(tokens);
        tokens.Join();
    }
    double small = TokenizeSeconds(Garbage(100000, 7));
    double large = TokenizeSeconds(Garbage(400000, 7));
    // Four times the input may cost about four times the time; quadratic work would cost sixteen.
    EXPECT_LT(large, 9 * small + 0.05) << small << " s for 100 kB, " << large << " s for 400 kB";
}
