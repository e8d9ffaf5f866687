#include "converter/program/parser.h"

#include <unordered_map>
#include <unordered_set>

namespace orvane::program {

std::string LowerText(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return lower;
}

namespace {

struct Failure {
    int Line;
    std::string Message;
};

// Words that close or split a block; a statement never starts with one of them.
const std::unordered_set<std::string>& BlockWords() {
    static const std::unordered_set<std::string> words = {"endif",          "else",
                                                          "elseif",         "endselect",
                                                          "case",           "default",
                                                          "next",           "wend",
                                                          "until",          "forever",
                                                          "endprocedure",   "endwith",
                                                          "endenumeration", "enddatasection",
                                                          "endmodule",      "enddeclaremodule",
                                                          "endstructure",   "endstructureunion"};
    return words;
}

// Statement words that a ":" may follow without making them a label ("Repeat : ...").
const std::unordered_set<std::string>& StatementWords() {
    static const std::unordered_set<std::string> words = {"repeat",
                                                          "return",
                                                          "continue",
                                                          "break",
                                                          "end",
                                                          "fakereturn",
                                                          "enableexplicit",
                                                          "disableexplicit",
                                                          "datasection",
                                                          "procedurereturn",
                                                          "calldebugger",
                                                          "enabledebugger",
                                                          "disabledebugger",
                                                          "structureunion",
                                                          "enumeration",
                                                          "enumerationbinary",
                                                          "debug"};
    return words;
}

// Deeper nesting than any program writes: a limit keeps the recursion off the stack's end.
constexpr int kMaxDepth = 1500;
constexpr int kMaxBlockDepth = 200;

struct Parser {
    const std::vector<Token>& Tokens;
    size_t Pos = 0;
    int Depth = 0;
    int BlockDepth = 0;

    struct Deeper {
        Parser& P;
        explicit Deeper(Parser& p) : P(p) {
            if (++P.Depth > kMaxDepth) P.Fail("nesting too deep");
        }
        ~Deeper() { --P.Depth; }
        Deeper(const Deeper&) = delete;
        Deeper& operator=(const Deeper&) = delete;
    };

    const Token& Peek(size_t ahead = 0) const {
        size_t at = Pos + ahead;
        return at < Tokens.size() ? Tokens[at] : Tokens.back();
    }
    const Token& Take() {
        const Token& t = Peek();
        if (Pos < Tokens.size() - 1) ++Pos;
        return t;
    }
    [[noreturn]] void Fail(const std::string& message, int line = 0) const {
        throw Failure{line ? line : Peek().Line, message};
    }
    bool IsOp(const char* text, size_t ahead = 0) const {
        const Token& t = Peek(ahead);
        return t.Kind == TokenKind::Operator && t.Text == text;
    }
    bool IsWord(const char* lower, size_t ahead = 0) const {
        const Token& t = Peek(ahead);
        return t.Kind == TokenKind::Name && LowerText(t.Text) == lower;
    }
    bool AtStatementEnd() const {
        TokenKind k = Peek().Kind;
        return k == TokenKind::LineEnd || k == TokenKind::Colon || k == TokenKind::End;
    }
    void Expect(const char* op) {
        if (!IsOp(op)) Fail(std::string("'") + op + "' expected, found '" + Peek().Text + "'");
        Take();
    }
    bool Accept(const char* op) {
        if (!IsOp(op)) return false;
        Take();
        return true;
    }
    std::string TakeName(const char* what) {
        if (Peek().Kind != TokenKind::Name) Fail(std::string(what) + " expected");
        return Take().Text;
    }
    // ".type" after a name or keyword; "" when none.
    std::string TakeTypeSuffix() {
        if (IsOp(".") && Peek(1).Kind == TokenKind::Name) {
            Take();
            std::string type = Take().Text;
            while (IsOp("::") && Peek(1).Kind == TokenKind::Name) {
                Take();
                type += "::" + Take().Text;
            }
            return type;
        }
        return "";
    }
    void SkipToStatementEnd() {
        while (!AtStatementEnd())
            Take();
    }

    ExprPtr Make(ExprKind kind, std::string text, int line) {
        auto e = std::make_unique<Expr>();
        e->Kind = kind;
        e->Text = std::move(text);
        e->Line = line;
        return e;
    }
    ExprPtr MakeBinary(std::string op, ExprPtr a, ExprPtr b) {
        int line = a->Line;
        auto e = Make(ExprKind::Binary, std::move(op), line);
        e->Args.push_back(std::move(a));
        e->Args.push_back(std::move(b));
        return e;
    }

    // ---- expressions

    static int Level(const Token& t) {
        if (t.Kind == TokenKind::Operator) {
            const std::string& s = t.Text;
            if (s == "<<" || s == ">>" || s == "%" || s == "!") return 7;
            if (s == "|" || s == "&") return 6;
            if (s == "*" || s == "/") return 5;
            if (s == "+" || s == "-") return 4;
            if (s == ">" || s == ">=" || s == "<" || s == "<=" || s == "=" || s == "<>") return 3;
            return 0;
        }
        if (t.Kind == TokenKind::Name) {
            std::string w = LowerText(t.Text);
            if (w == "and" || w == "or" || w == "xor") return 1;
        }
        return 0;
    }

    ExprPtr ParseExpression() { return ParseLevel(1); }

    ExprPtr ParseLevel(int level) {
        Deeper guard(*this);
        if (level == 2 && IsWord("not")) {
            int line = Take().Line;
            auto e = Make(ExprKind::Unary, "Not", line);
            e->Args.push_back(ParseLevel(2));
            return e;
        }
        if (level > 7) return ParseUnary();
        ExprPtr left = ParseLevel(level + 1);
        return ParseRest(std::move(left), level);
    }

    // Binary operators of `level` and above after a left operand already read.
    ExprPtr ParseRest(ExprPtr left, int level) {
        for (;;) {
            int l = Level(Peek());
            if (l == 0 || l < level) return left;
            std::string op = Take().Text;
            if (l == 1) {
                std::string w = LowerText(op);
                op = w == "and" ? "And" : w == "or" ? "Or" : "XOr";
            }
            ExprPtr right = l == 1 ? ParseLevel(2) : ParseLevel(l + 1);
            left = MakeBinary(op, std::move(left), std::move(right));
        }
    }

    ExprPtr ParseUnary() {
        Deeper guard(*this);
        const Token& t = Peek();
        if (t.Kind == TokenKind::Operator && (t.Text == "-" || t.Text == "~" || t.Text == "+")) {
            std::string op = Take().Text;
            ExprPtr operand = ParseUnary();
            if (op == "+") return operand;
            auto e = Make(ExprKind::Unary, op, t.Line);
            e->Args.push_back(std::move(operand));
            return e;
        }
        if (t.Kind == TokenKind::Name && LowerText(t.Text) == "not") {
            int line = Take().Line;
            auto e = Make(ExprKind::Unary, "Not", line);
            e->Args.push_back(ParseLevel(3));
            return e;
        }
        return ParsePostfix(ParsePrimary());
    }

    std::vector<ExprPtr> ParseArguments() {
        std::vector<ExprPtr> args;
        Expect("(");
        if (Accept(")")) return args;
        for (;;) {
            args.push_back(ParseExpression());
            if (Accept(")")) return args;
            Expect(",");
        }
    }

    ExprPtr ParsePrimary() {
        const Token& t = Peek();
        int line = t.Line;
        switch (t.Kind) {
            case TokenKind::Number:
                return Make(ExprKind::Number, Take().Text, line);
            case TokenKind::String:
                return Make(ExprKind::String, Take().Text, line);
            case TokenKind::Constant:
                return Make(ExprKind::Constant, Take().Text, line);
            case TokenKind::Name:
                return ParseNamed();
            case TokenKind::Operator:
                break;
            default:
                Fail("expression expected, found the end of the line");
        }
        if (t.Text == "(") {
            Take();
            ExprPtr e = ParseExpression();
            Expect(")");
            return e;
        }
        if (t.Text == "%" && Peek(1).Kind == TokenKind::Number) {
            Take();
            return Make(ExprKind::Number, "%" + Take().Text, line);
        }
        if (t.Text == "*" && Peek(1).Kind == TokenKind::Name) {
            Take();
            return ParseNamed("*");
        }
        if (t.Text == "@" || t.Text == "?") {
            std::string op = Take().Text;
            auto e = Make(ExprKind::Unary, op, line);
            if (op == "?") {
                e->Args.push_back(Make(ExprKind::Name, TakeName("label"), line));
            } else {
                e->Args.push_back(ParsePostfix(ParsePrimary()));
            }
            return e;
        }
        if (t.Text == "\\") {
            // "\field" inside With
            return Make(ExprKind::Name, "", line);
        }
        Fail("expression expected, found '" + t.Text + "'");
    }

    // A name, "Mod::name", "Mod::#Const", a call or an element.
    ExprPtr ParseNamed(const std::string& prefix = "") {
        int line = Peek().Line;
        std::string name = prefix + Take().Text;
        while (IsOp("::")) {
            Take();
            if (Peek().Kind == TokenKind::Constant) {
                return Make(ExprKind::Constant, name + "::" + Take().Text, line);
            }
            if (IsOp("*") && Peek(1).Kind == TokenKind::Name) {
                Take();
                name += "::*" + Take().Text;
            } else {
                name += "::" + TakeName("name after '::'");
            }
        }
        if (IsOp("(")) {
            auto e = Make(ExprKind::Call, name, line);
            e->Args = ParseArguments();
            e->Empty = e->Args.empty();
            return e;
        }
        auto e = Make(ExprKind::Name, name, line);
        if (IsOp(".") && Peek(1).Kind == TokenKind::Name && !Peek(1).SpaceBefore) {
            e->Type = TakeTypeSuffix();
            if (IsOp("{")) {  // ".s{n}" written in an expression: the length is the declaration's
                while (!IsOp("}") && !AtStatementEnd())
                    Take();
                Accept("}");
            }
        }
        return e;
    }

    ExprPtr ParsePostfix(ExprPtr e) {
        for (;;) {
            if (IsOp("\\")) {
                int line = Take().Line;
                auto f = Make(ExprKind::Field, TakeName("field name after '\\'"), line);
                f->Args.push_back(std::move(e));
                if (IsOp("(")) {
                    f->Called = true;
                    for (auto& a : ParseArguments())
                        f->Args.push_back(std::move(a));
                }
                e = std::move(f);
            } else if (IsOp("[")) {
                int line = Take().Line;
                auto ix = Make(ExprKind::Index, "", line);
                ix->Args.push_back(std::move(e));
                ix->Args.push_back(ParseExpression());
                Expect("]");
                e = std::move(ix);
            } else {
                return e;
            }
        }
    }

    // ---- statements

    StmtPtr NewStmt(StmtKind kind, int line) {
        auto s = std::make_unique<Stmt>();
        s->Kind = kind;
        s->Line = line;
        return s;
    }

    // Statements until one of `ends` starts a statement; the ending word is left unread.
    Block ParseBlock(const std::vector<const char*>& ends, const char* opener, int openLine) {
        Deeper guard(*this);
        // the emitter recurses once per block with large frames: far fewer levels than for
        // expressions, and more than any program nests
        if (++BlockDepth > kMaxBlockDepth) Fail("blocks nested too deeply");
        struct Leave {
            int& Depth;
            ~Leave() { --Depth; }
        } leave{BlockDepth};
        Block block;
        for (;;) {
            while (Peek().Kind == TokenKind::LineEnd || Peek().Kind == TokenKind::Colon)
                Take();
            const Token& t = Peek();
            if (t.Kind == TokenKind::End) {
                if (!opener) return block;
                Fail(std::string(opener) + " without " + Spelled(ends[0]), openLine);
            }
            if (t.Kind == TokenKind::Name) {
                std::string w = LowerText(t.Text);
                for (const char* end : ends)
                    if (w == end) return block;
                if (BlockWords().count(w) && !(w == "default" && IsOp("(", 1))) {
                    Fail(t.Text + " without " + OpenerOf(w));
                }
            }
            if (StmtPtr s = ParseStatement()) block.push_back(std::move(s));
        }
    }

    static std::string Spelled(const std::string& w) {
        static const std::unordered_map<std::string, std::string> words = {
            {"endif", "EndIf"},         {"endselect", "EndSelect"},
            {"next", "Next"},           {"wend", "Wend"},
            {"until", "Until"},         {"endprocedure", "EndProcedure"},
            {"endwith", "EndWith"},     {"enddatasection", "EndDataSection"},
            {"endmodule", "EndModule"}, {"enddeclaremodule", "EndDeclareModule"}};
        auto it = words.find(w);
        return it == words.end() ? w : it->second;
    }

    static std::string OpenerOf(const std::string& w) {
        if (w == "endif" || w == "else" || w == "elseif") return "If";
        if (w == "endselect" || w == "case" || w == "default") return "Select";
        if (w == "next") return "For";
        if (w == "wend") return "While";
        if (w == "until" || w == "forever") return "Repeat";
        if (w == "endprocedure") return "Procedure";
        if (w == "endwith") return "With";
        if (w == "endenumeration") return "Enumeration";
        if (w == "enddatasection") return "DataSection";
        if (w == "endmodule") return "Module";
        if (w == "enddeclaremodule") return "DeclareModule";
        if (w == "endstructureunion") return "StructureUnion";
        return "Structure";
    }

    void ExpectWord(const char* lower, const char* spelled) {
        if (!IsWord(lower)) Fail(std::string(spelled) + " expected");
        Take();
    }

    StmtPtr ParseStatement() {
        const Token& t = Peek();
        int line = t.Line;
        if (t.Kind == TokenKind::RawScript) {
            auto s = NewStmt(StmtKind::Raw, line);
            s->Name = Take().Text;
            return s;
        }
        if (t.Kind == TokenKind::Constant) {
            auto s = NewStmt(StmtKind::ConstantDef, line);
            s->Name = Take().Text;
            Expect("=");
            s->A = ParseExpression();
            return s;
        }
        if (t.Kind == TokenKind::Name && Peek(1).Kind == TokenKind::Colon &&
            !BlockWords().count(LowerText(t.Text)) && !StatementWords().count(LowerText(t.Text))) {
            auto s = NewStmt(StmtKind::Label, line);
            s->Name = Take().Text;
            Take();
            return s;
        }
        if (t.Kind == TokenKind::Name) {
            if (StmtPtr s = ParseKeywordStatement(LowerText(t.Text), line)) return s;
        }
        if (t.Kind == TokenKind::Operator && t.Text == "\\") {
            // "\field = value" inside With
        } else if (t.Kind != TokenKind::Name && !(t.Kind == TokenKind::Operator && t.Text == "*")) {
            Fail("a statement cannot start with '" + t.Text + "'");
        }
        ExprPtr target = ParseUnaryTarget();
        if (IsOp("=")) {
            Take();
            auto s = NewStmt(StmtKind::Assign, line);
            s->A = std::move(target);
            s->B = ParseExpression();
            EndOfStatement();
            return s;
        }
        auto s = NewStmt(StmtKind::Expression, line);
        if (!AtStatementEnd()) {
            // "a + 1": PureBasic's shorthand, read as one expression from its target
            s->A = ParseRest(std::move(target), 1);
        } else {
            s->A = std::move(target);
        }
        EndOfStatement();
        return s;
    }

    ExprPtr ParseUnaryTarget() {
        if (IsOp("\\")) return ParsePostfix(Make(ExprKind::Name, "", Peek().Line));
        return ParsePostfix(ParsePrimary());
    }

    void EndOfStatement() {
        if (!AtStatementEnd()) Fail("unexpected '" + Peek().Text + "'");
    }

    // Procedure headers, parameters and declarations.
    Decl ParseDeclItem(bool parameter) {
        Decl d;
        d.Line = Peek().Line;
        if (IsWord("dim") || IsWord("array")) {
            Take();
            d.Kind = DeclKind::Array;
        } else if (IsWord("newlist") || IsWord("list")) {
            Take();
            d.Kind = DeclKind::List;
        } else if (IsWord("newmap") || IsWord("map")) {
            Take();
            d.Kind = DeclKind::Map;
        }
        if (Accept("*")) d.Name = "*";
        d.Name += TakeName("name");
        while (IsOp("::")) {
            Take();
            d.Name += "::" + TakeName("name");
        }
        d.Type = TakeTypeSuffix();
        if (Accept("{")) {
            ExprPtr n = ParseExpression();
            if (n->Kind == ExprKind::Number) d.FixedLength = std::atoi(n->Text.c_str());
            d.Sizes.push_back(std::move(n));
            Expect("}");
            d.Sizes.clear();
        }
        if (IsOp("(")) {
            Take();
            if (d.Kind == DeclKind::Variable) d.Kind = DeclKind::Array;
            if (!IsOp(")")) {
                for (;;) {
                    d.Sizes.push_back(ParseExpression());
                    if (!Accept(",")) break;
                }
            }
            Expect(")");
        } else if (IsOp("[")) {
            Take();
            d.StaticArray = true;
            d.Sizes.push_back(ParseExpression());
            Expect("]");
        }
        if (IsOp("=")) {
            Take();
            d.Value = ParseExpression();
        }
        (void)parameter;
        return d;
    }

    std::vector<Decl> ParseDeclList(bool parameters) {
        std::vector<Decl> decls;
        if (parameters) {
            Expect("(");
            if (Accept(")")) return decls;
        } else if (AtStatementEnd()) {
            return decls;
        }
        for (;;) {
            decls.push_back(ParseDeclItem(parameters));
            if (!Accept(",")) break;
        }
        if (parameters) Expect(")");
        return decls;
    }

    std::unique_ptr<Procedure> ParseProcedureHeader(const std::string& keyword) {
        auto p = std::make_unique<Procedure>();
        p->Line = Peek().Line;
        (void)keyword;
        p->ReturnType = TakeTypeSuffix();
        p->Name = TakeName("procedure name");
        if (!p->Name.empty() && p->Name.back() == '$' && p->ReturnType.empty()) p->ReturnType = "s";
        p->Params = ParseDeclList(true);
        return p;
    }

    StmtPtr ParseKeywordStatement(const std::string& w, int line) {
        auto simple = [&](StmtKind kind) {
            Take();
            return NewStmt(kind, line);
        };
        if (w == "if") {
            Take();
            auto s = NewStmt(StmtKind::If, line);
            Branch first;
            first.Condition = ParseExpression();
            first.Body = ParseBlock({"endif", "elseif", "else"}, "If", line);
            s->Branches.push_back(std::move(first));
            for (;;) {
                std::string end = LowerText(Take().Text);
                if (end == "endif") break;
                Branch b;
                if (end == "elseif") b.Condition = ParseExpression();
                b.Body = end == "elseif" ? ParseBlock({"endif", "elseif", "else"}, "If", line)
                                         : ParseBlock({"endif"}, "If", line);
                s->Branches.push_back(std::move(b));
            }
            return s;
        }
        if (w == "select") {
            Take();
            auto s = NewStmt(StmtKind::Select, line);
            s->A = ParseExpression();
            while (Peek().Kind == TokenKind::LineEnd || Peek().Kind == TokenKind::Colon)
                Take();
            for (;;) {
                while (Peek().Kind == TokenKind::LineEnd || Peek().Kind == TokenKind::Colon)
                    Take();
                if (IsWord("endselect")) {
                    Take();
                    break;
                }
                if (Peek().Kind == TokenKind::End) Fail("Select without EndSelect", line);
                Case c;
                if (IsWord("default")) {
                    Take();
                    c.IsDefault = true;
                } else if (IsWord("case")) {
                    Take();
                    for (;;) {
                        ExprPtr v = ParseExpression();
                        if (IsWord("to")) {
                            Take();
                            v = MakeBinary("To", std::move(v), ParseExpression());
                        }
                        c.Values.push_back(std::move(v));
                        if (!Accept(",")) break;
                    }
                } else {
                    Fail("Case expected after Select");
                }
                c.Body = ParseBlock({"case", "default", "endselect"}, "Select", line);
                s->Cases.push_back(std::move(c));
            }
            return s;
        }
        if (w == "for") {
            Take();
            auto s = NewStmt(StmtKind::For, line);
            s->A = ParseUnaryTarget();
            Expect("=");
            s->B = ParseExpression();
            ExpectWord("to", "To");
            s->C = ParseExpression();
            if (IsWord("step")) {
                Take();
                s->D = ParseExpression();
            }
            s->Body = ParseBlock({"next"}, "For", line);
            Take();
            SkipToStatementEnd();
            return s;
        }
        if (w == "foreach") {
            Take();
            auto s = NewStmt(StmtKind::ForEach, line);
            s->A = ParseUnaryTarget();
            s->Body = ParseBlock({"next"}, "ForEach", line);
            Take();
            SkipToStatementEnd();
            return s;
        }
        if (w == "while") {
            Take();
            auto s = NewStmt(StmtKind::While, line);
            s->A = ParseExpression();
            s->Body = ParseBlock({"wend"}, "While", line);
            Take();
            return s;
        }
        if (w == "repeat") {
            Take();
            auto s = NewStmt(StmtKind::Repeat, line);
            s->Body = ParseBlock({"until", "forever"}, "Repeat", line);
            if (LowerText(Take().Text) == "until") s->A = ParseExpression();
            return s;
        }
        if (w == "with") {
            Take();
            auto s = NewStmt(StmtKind::With, line);
            s->A = ParseUnaryTarget();
            s->Body = ParseBlock({"endwith"}, "With", line);
            Take();
            return s;
        }
        if (w == "runtime") {
            Take();
            if (IsWord("procedure") || IsWord("procedurec")) return ParseStatement();
            SkipToStatementEnd();
            return NewStmt(StmtKind::Nothing, line);
        }
        if (w == "procedure" || w == "procedurec" || w == "proceduredll" || w == "procedurecdll") {
            Take();
            auto s = NewStmt(StmtKind::Procedure, line);
            s->Proc = ParseProcedureHeader(w);
            s->Proc->Body = ParseBlock({"endprocedure"}, "Procedure", line);
            s->Proc->EndLine = Take().Line;
            return s;
        }
        if (w == "declare" || w == "declarec" || w == "declaredll" || w == "declarecdll") {
            Take();
            auto s = NewStmt(StmtKind::DeclareProc, line);
            s->Proc = ParseProcedureHeader(w);
            return s;
        }
        if (w == "prototype" || w == "prototypec") {
            Take();
            auto s = NewStmt(StmtKind::Prototype, line);
            s->Proc = ParseProcedureHeader(w);
            return s;
        }
        if (w == "procedurereturn") {
            Take();
            auto s = NewStmt(StmtKind::ProcedureReturn, line);
            if (!AtStatementEnd()) s->A = ParseExpression();
            return s;
        }
        if (w == "structure") {
            Take();
            auto s = NewStmt(StmtKind::Structure, line);
            s->Name = TakeName("structure name");
            if (IsWord("extends")) {
                Take();
                s->Type = TakeName("structure name after Extends");
            }
            if (IsWord("align")) {
                Take();
                ParseExpression();
            }
            ParseFields(*s, 0, line);
            return s;
        }
        if (w == "enumeration" || w == "enumerationbinary") {
            Take();
            auto s = NewStmt(StmtKind::Enumeration, line);
            s->Word = w;
            if (Peek().Kind == TokenKind::Name && !IsWord("step")) s->Name = Take().Text;
            if (!AtStatementEnd() && !IsWord("step")) s->A = ParseExpression();
            if (IsWord("step")) {
                Take();
                s->B = ParseExpression();
            }
            for (;;) {
                while (Peek().Kind == TokenKind::LineEnd || Peek().Kind == TokenKind::Colon)
                    Take();
                if (IsWord("endenumeration")) {
                    Take();
                    break;
                }
                if (Peek().Kind != TokenKind::Constant)
                    Fail(Peek().Kind == TokenKind::End ? "Enumeration without EndEnumeration"
                                                       : "constant expected in Enumeration",
                         Peek().Kind == TokenKind::End ? line : 0);
                Decl d;
                d.Line = Peek().Line;
                d.Name = Take().Text;
                if (Accept("=")) d.Value = ParseExpression();
                s->Decls.push_back(std::move(d));
                Accept(",");
            }
            return s;
        }
        if (w == "datasection") {
            Take();
            auto s = NewStmt(StmtKind::DataSection, line);
            s->Body = ParseBlock({"enddatasection"}, "DataSection", line);
            Take();
            return s;
        }
        if (w == "data") {
            Take();
            auto s = NewStmt(StmtKind::Data, line);
            s->Type = TakeTypeSuffix();
            for (;;) {
                s->Args.push_back(ParseExpression());
                if (!Accept(",")) break;
            }
            return s;
        }
        if (w == "includebinary") {
            Take();
            auto s = NewStmt(StmtKind::Data, line);
            s->Type = "binary";
            s->Args.push_back(ParseExpression());
            return s;
        }
        if (w == "read") {
            Take();
            auto s = NewStmt(StmtKind::Read, line);
            s->Type = TakeTypeSuffix();
            s->A = ParseUnaryTarget();
            return s;
        }
        if (w == "restore") {
            Take();
            auto s = NewStmt(StmtKind::Restore, line);
            if (!AtStatementEnd()) s->Name = TakeName("label");
            return s;
        }
        if (w == "global" || w == "define" || w == "protected" || w == "static" || w == "shared" ||
            w == "threaded" || w == "dim" || w == "redim" || w == "newlist" || w == "newmap") {
            Take();
            auto s = NewStmt(StmtKind::Declare, line);
            s->Word = w;
            if (w == "dim" || w == "redim" || w == "newlist" || w == "newmap") {
                s->Word = "define";
                if (w == "redim") s->Word = "redim";
                Pos--;  // the item reads its kind from the word
                if (w == "redim") {
                    Take();
                    Decl d = ParseDeclItem(false);
                    d.Kind = DeclKind::Array;
                    s->Decls.push_back(std::move(d));
                    while (Accept(",")) {
                        Decl more = ParseDeclItem(false);
                        more.Kind = DeclKind::Array;
                        s->Decls.push_back(std::move(more));
                    }
                    return s;
                }
                s->Decls = ParseDeclList(false);
                s->Name = "implicit";
                return s;
            }
            s->Type = TakeTypeSuffix();
            s->Decls = ParseDeclList(false);
            return s;
        }
        if (w == "goto" || w == "gosub") {
            Take();
            auto s = NewStmt(w == "goto" ? StmtKind::Goto : StmtKind::Gosub, line);
            s->Name = TakeName("label");
            return s;
        }
        if (w == "return") return simple(StmtKind::Return);
        if (w == "fakereturn") return simple(StmtKind::Nothing);
        if (w == "break") {
            Take();
            auto s = NewStmt(StmtKind::Break, line);
            if (!AtStatementEnd()) s->A = ParseExpression();
            return s;
        }
        if (w == "continue") return simple(StmtKind::Continue);
        if (w == "end") {
            Take();
            auto s = NewStmt(StmtKind::End, line);
            if (!AtStatementEnd()) s->A = ParseExpression();
            return s;
        }
        if (w == "debug") {
            Take();
            auto s = NewStmt(StmtKind::Debug, line);
            s->A = ParseExpression();
            if (Accept(",")) s->B = ParseExpression();
            return s;
        }
        if (w == "swap") {
            Take();
            auto s = NewStmt(StmtKind::Swap, line);
            s->A = ParseUnaryTarget();
            Expect(",");
            s->B = ParseUnaryTarget();
            return s;
        }
        if (w == "declaremodule" || w == "module") {
            Take();
            auto s = NewStmt(StmtKind::Module, line);
            s->Word = w;
            s->Name = TakeName("module name");
            const char* end = w == "module" ? "endmodule" : "enddeclaremodule";
            s->Body = ParseBlock({end}, w == "module" ? "Module" : "DeclareModule", line);
            Take();
            return s;
        }
        if (w == "usemodule" || w == "unusemodule") {
            Take();
            auto s = NewStmt(StmtKind::UseModule, line);
            s->Word = w == "usemodule" ? "use" : "unuse";
            s->Name = TakeName("module name");
            return s;
        }
        if (w == "enableexplicit" || w == "disableexplicit") {
            Take();
            auto s = NewStmt(StmtKind::Nothing, line);
            s->Word = w;
            return s;
        }
        if (w == "debuglevel" || w == "enabledebugger" || w == "disabledebugger" ||
            w == "calldebugger" || w == "includepath" || w == "enablegraphicalconsole" ||
            w == "import" || w == "endimport" || w == "importc" ||
            w.rfind("orv_converter_", 0) == 0 || w == "orv_setconfig") {
            Take();
            SkipToStatementEnd();
            auto s = NewStmt(StmtKind::Nothing, line);
            s->Word = w;
            return s;
        }
        if (w == "macro" || w == "endmacro") {
            Fail("Macro left after preprocessing");
        }
        return nullptr;
    }

    int Unions = 0;

    void ParseFields(Stmt& s, int unionNumber, int line) {
        for (;;) {
            while (Peek().Kind == TokenKind::LineEnd || Peek().Kind == TokenKind::Colon)
                Take();
            if (Peek().Kind == TokenKind::End)
                Fail(unionNumber ? "StructureUnion without EndStructureUnion"
                                 : "Structure without EndStructure",
                     line);
            if (IsWord(unionNumber ? "endstructureunion" : "endstructure")) {
                Take();
                return;
            }
            if (IsWord("structureunion")) {
                int at = Take().Line;
                ParseFields(s, ++Unions, at);
                continue;
            }
            if (IsWord("endstructure") || IsWord("endstructureunion"))
                Fail(Peek().Text + " without " + (unionNumber ? "EndStructureUnion" : "Structure"));
            for (;;) {
                Decl d = ParseDeclItem(false);
                d.Union = unionNumber;
                s.Decls.push_back(std::move(d));
                if (!Accept(",")) break;
            }
        }
    }
};

}  // namespace

bool ParseProgram(const std::vector<Token>& tokens, Program& program, ParseError& error) {
    Parser p{tokens};
    try {
        program.Statements = p.ParseBlock({}, nullptr, 0);
        return true;
    } catch (const Failure& f) {
        error.Line = f.Line;
        error.Message = f.Message;
        return false;
    }
}

}  // namespace orvane::program
