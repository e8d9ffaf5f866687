// The token list every translator pass walks and rewrites in place, the scanner that fills it,
// and the small helpers the passes share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Token types as the scanner assigns them; Constant is set by the translation driver only.
enum TokenType : int32_t {
    PBSC_Other = 0,
    PBSC_Identifier = 1,
    PBSC_Number = 2,
    PBSC_String = 3,
    PBSC_Comment = 4,
    PBSC_NewLine = 5,
    PBSC_Constant = 10,
};

struct Token {
    std::string Text;
    int32_t Type = PBSC_Other;
    int32_t Line = 0;
};

// A line end or a comment: where a statement stops.
inline bool IsStatementEndType(int32_t type) {
    return type == PBSC_NewLine || type == PBSC_Comment;
}

// Text "" and type 0: the token stays in the list until a sweep removes it.
inline void EmptyToken(Token& t) {
    t.Text.clear();
    t.Type = PBSC_Other;
}

// A handle to one token; it stays valid while that token is in the list (insertions and
// deletions elsewhere do not move it).
using TokenId = int32_t;
constexpr TokenId NoToken = -1;

// Doubly linked list kept in one pool vector, with a current-element cursor. Inserting or
// deleting around the cursor is O(1), so passes stay linear in the length of the source.
class TokenList {
  public:
    void Clear();
    bool Empty() const { return count_ == 0; }
    size_t Size() const { return count_; }

    TokenId Append(std::string text, int32_t type, int32_t line);
    TokenId InsertBefore(TokenId at, std::string text, int32_t type, int32_t line);
    TokenId InsertAfter(TokenId at, std::string text, int32_t type, int32_t line);
    // Unlinks the token. When it was current, no token is current afterwards.
    void Delete(TokenId id);

    TokenId First() const { return head_; }
    TokenId Last() const { return tail_; }
    TokenId Next(TokenId id) const { return id == NoToken ? head_ : N(id).next; }
    TokenId Prev(TokenId id) const { return id == NoToken ? NoToken : N(id).prev; }
    Token& At(TokenId id) { return N(id).token; }
    const Token& At(TokenId id) const { return N(id).token; }
    // Text of a token, "" for NoToken; handy for look-ahead without bounds checks.
    const std::string& TextOf(TokenId id) const;

    // Cursor. A failed step never moves the cursor.
    void ResetCursor() { cursor_ = NoToken; }
    bool StepNext();
    bool StepPrevious();
    bool HasCurrent() const { return cursor_ != NoToken; }
    TokenId Current() const { return cursor_; }  // RememberToken
    void Select(TokenId id) { cursor_ = id; }    // ReturnToToken / SelectIndex
    Token& Cur() { return N(cursor_).token; }
    const Token& Cur() const { return N(cursor_).token; }
    // 0-based position of the current token; O(n), meant for tests and diagnostics.
    int CurrentIndex() const;
    void SelectIndex(int index);

    // Tests and edits on the current token.
    bool IsKeyword(std::string_view lowerWord) const;  // type 1 and lower-cased text equal
    bool IsStatementEnd() const;                       // type 5 or 4
    bool IsText(std::string_view text) const { return HasCurrent() && Cur().Text == text; }
    void ClearToken();  // text "" and type 0
    void ClearText();   // text "" only
    bool NextTokenIs(std::string_view text) const;

    // Deletes every token whose text is ""; the cursor stays on its token when that survives.
    void RemoveEmptyTokens();

    // Every token's text followed by one blank.
    std::string Join() const;
    // Snapshot in list order (tests, debugging).
    std::vector<Token> ToVector() const;

  private:
    struct Node {
        Token token;
        TokenId prev = NoToken;
        TokenId next = NoToken;
        bool deleted = false;
    };
    TokenId NewNode(std::string&& text, int32_t type, int32_t line);
    Node& N(TokenId id) { return chunks_[id >> kChunkBits][id & (kChunkSize - 1)]; }
    const Node& N(TokenId id) const { return chunks_[id >> kChunkBits][id & (kChunkSize - 1)]; }
    // Nodes live in fixed-size chunks so that a growing list never moves the nodes it has.
    static constexpr int kChunkBits = 12;
    static constexpr size_t kChunkSize = size_t{1} << kChunkBits;
    std::vector<std::vector<Node>> chunks_;
    size_t used_ = 0;
    TokenId head_ = NoToken;
    TokenId tail_ = NoToken;
    TokenId cursor_ = NoToken;
    size_t count_ = 0;
};

// Splits PureBasic source into tokens one line at a time, classifying each token from its first
// characters and the last tokens returned.
class SourceScanner {
  public:
    void SetSource(std::string text);
    bool LoadFile(const std::string& path);
    void Restart(int line);
    bool HasMoreTokens() const;
    std::string NextToken();
    int TokenLine() const;
    int TokenType() const { return lastType_; }
    void Clear();

  private:
    void ResetContext();
    void Remember(std::string_view text, int type);
    size_t ScanLength(int& type) const;
    bool AcceptsPrefix(char prefix) const;

    std::string source_;
    std::vector<size_t> lineStarts_;  // offset of each line in source_
    int lineCount_ = 0;
    int lineCounter_ = 1;
    std::string_view rest_;  // the current line, trimmed, inside source_
    size_t restPos_ = 0;     // scanning position inside rest_
    bool firstLine_ = true;
    // The last token returned, as scanned: it decides what "#", "*", "%" and "." start. It views
    // rest_, or the line break between lines.
    std::string_view prevText_;
    int prevType_ = 0;
    int lastType_ = 0;
    bool lastWasNewLine_ = false;
};

// Refills the list from a text ("\r\n" first becomes "\n").
void TokenizeText(TokenList& tokens, std::string_view text);

// The three normalisations the translation driver applies after tokenizing.
void NormalizeForTranslation(TokenList& tokens);

// ---- string helpers shared by the passes and stages ----
std::string Lower(std::string_view s);
std::string Upper(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view lowerB);
bool StartsWithNoCase(std::string_view s, std::string_view lowerPrefix);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);
std::string TrimLeadingChars(std::string_view s, std::string_view chars);
std::string TrimTrailingChars(std::string_view s, std::string_view chars);
std::string_view TrimView(std::string_view s, std::string_view chars);  // both ends, no copy
std::string TrimBlanks(std::string_view s);                             // blanks only, both ends
std::string TrimWhite(std::string_view s);                              // " \t\r\n", both ends
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
bool IsNumericLiteral(std::string_view s);
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);
std::string ReplaceAllNoCase(std::string_view s, std::string_view from, std::string_view to);
std::string RemoveAll(std::string_view s, std::string_view what);
size_t CountOf(std::string_view s, std::string_view what);
int SplitToArray(std::string_view s, std::string_view separator, std::vector<std::string>& array);
std::string JoinArray(const std::vector<std::string>& array, std::string_view separator);
// Lines 1..(number of "\n") of a text; a final piece without "\n" is not a line.
std::vector<std::string_view> CompleteLines(std::string_view text);
// Whether a lowered source line opens or closes a block of raw JavaScript.
bool OpensRawBlock(std::string_view lowerLine);
bool ClosesRawBlock(std::string_view lowerLine);
// PureBasic's Val(): leading decimal integer of a text, 0 when there is none.
long long NumericValue(std::string_view s);

}  // namespace orvane
