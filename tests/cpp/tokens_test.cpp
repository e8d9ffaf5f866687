#include <gtest/gtest.h>

#include "converter/translator/tokens.h"

using namespace orvane;

namespace {
std::vector<std::string> Texts(const std::string& source, bool normalise = false) {
    TokenList tokens;
    TokenizeText(tokens, source);
    if (normalise) NormalizeForTranslation(tokens);
    std::vector<std::string> out;
    for (const Token& t : tokens.ToVector()) out.push_back(t.Text);
    return out;
}
using V = std::vector<std::string>;
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
