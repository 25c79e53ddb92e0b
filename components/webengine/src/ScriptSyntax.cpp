#include "ScriptSyntax.h"

#include <cwctype>

#include "Script.h"

namespace wke::js {

namespace {

struct Token {
    enum class Kind { Ident, Number, String, Punct, End };
    Kind kind = Kind::End;
    std::wstring text;
    double number = 0;
};

std::string narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) {
        s += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return s;
}

bool isIdentStart(wchar_t c) {
    return std::iswalpha(c) || c == L'_' || c == L'$' || c > 0x7F;
}

bool isIdentPart(wchar_t c) {
    return isIdentStart(c) || (c >= L'0' && c <= L'9');
}

class Lexer {
  public:
    explicit Lexer(const std::wstring& s) : s_(s) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        for (;;) {
            skipSpaceAndComments();
            if (pos_ >= s_.size()) {
                out.push_back({});
                return out;
            }
            const wchar_t c = s_[pos_];
            if (isIdentStart(c)) {
                const size_t start = pos_;
                while (pos_ < s_.size() && isIdentPart(s_[pos_])) {
                    ++pos_;
                }
                out.push_back({Token::Kind::Ident, s_.substr(start, pos_ - start), 0});
            } else if ((c >= L'0' && c <= L'9') || (c == L'.' && pos_ + 1 < s_.size() && std::iswdigit(s_[pos_ + 1]))) {
                out.push_back(number());
            } else if (c == L'"' || c == L'\'') {
                out.push_back(string(c));
            } else {
                out.push_back(punct());
            }
        }
    }

  private:
    void skipSpaceAndComments() {
        while (pos_ < s_.size()) {
            if (std::iswspace(s_[pos_]) || s_[pos_] == L'\xA0' || s_[pos_] == L'\xFEFF') {
                ++pos_;
            } else if (s_.compare(pos_, 2, L"//") == 0 || s_.compare(pos_, 4, L"<!--") == 0 ||
                       s_.compare(pos_, 3, L"-->") == 0) {
                while (pos_ < s_.size() && s_[pos_] != L'\n') {
                    ++pos_;
                }
            } else if (s_.compare(pos_, 2, L"/*") == 0) {
                const size_t end = s_.find(L"*/", pos_ + 2);
                if (end == std::wstring::npos) {
                    throw ScriptError("unterminated comment");
                }
                pos_ = end + 2;
            } else {
                return;
            }
        }
    }

    Token number() {
        const size_t start = pos_;
        double value = 0;
        if (s_.compare(pos_, 2, L"0x") == 0 || s_.compare(pos_, 2, L"0X") == 0) {
            pos_ += 2;
            while (pos_ < s_.size() && std::iswxdigit(s_[pos_])) {
                const wchar_t c = s_[pos_++];
                value = value * 16 + (std::iswdigit(c) ? c - L'0' : (std::towlower(c) - L'a' + 10));
            }
        } else {
            while (pos_ < s_.size() && (std::iswdigit(s_[pos_]) || s_[pos_] == L'.')) {
                ++pos_;
            }
            if (pos_ < s_.size() && (s_[pos_] == L'e' || s_[pos_] == L'E')) {
                ++pos_;
                if (pos_ < s_.size() && (s_[pos_] == L'+' || s_[pos_] == L'-')) {
                    ++pos_;
                }
                while (pos_ < s_.size() && std::iswdigit(s_[pos_])) {
                    ++pos_;
                }
            }
            value = std::wcstod(s_.substr(start, pos_ - start).c_str(), nullptr);
        }
        if (pos_ < s_.size() && isIdentStart(s_[pos_])) {
            throw ScriptError("bad number");
        }
        return {Token::Kind::Number, s_.substr(start, pos_ - start), value};
    }

    Token string(wchar_t quote) {
        ++pos_;
        std::wstring out;
        while (pos_ < s_.size() && s_[pos_] != quote) {
            wchar_t c = s_[pos_++];
            if (c == L'\n') {
                throw ScriptError("line break in string");
            }
            if (c != L'\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size()) {
                break;
            }
            c = s_[pos_++];
            switch (c) {
                case L'n':
                    out += L'\n';
                    break;
                case L't':
                    out += L'\t';
                    break;
                case L'r':
                    out += L'\r';
                    break;
                case L'b':
                    out += L'\b';
                    break;
                case L'f':
                    out += L'\f';
                    break;
                case L'v':
                    out += L'\v';
                    break;
                case L'0':
                    out += L'\0';
                    break;
                case L'\n':
                    break;
                case L'x':
                case L'u': {
                    const size_t digits = c == L'x' ? 2 : 4;
                    unsigned value = 0;
                    for (size_t i = 0; i < digits; ++i) {
                        if (pos_ >= s_.size() || !std::iswxdigit(s_[pos_])) {
                            throw ScriptError("bad escape");
                        }
                        const wchar_t d = s_[pos_++];
                        value = value * 16 + (std::iswdigit(d) ? d - L'0' : (std::towlower(d) - L'a' + 10));
                    }
                    out += static_cast<wchar_t>(value);
                    break;
                }
                default:
                    out += c;
                    break;
            }
        }
        if (pos_ >= s_.size()) {
            throw ScriptError("unterminated string");
        }
        ++pos_;
        return {Token::Kind::String, out, 0};
    }

    Token punct() {
        static const wchar_t* const kLong[] = {L"===", L"!==", L"==", L"!=", L"<=", L">=", L"&&", L"||", L"+="};
        for (const wchar_t* p : kLong) {
            const size_t n = wcslen(p);
            if (s_.compare(pos_, n, p) == 0) {
                pos_ += n;
                return {Token::Kind::Punct, p, 0};
            }
        }
        const wchar_t c = s_[pos_];
        if (std::wstring(L"(){}[];,.=+-*/%<>!?:").find(c) == std::wstring::npos) {
            throw ScriptError("unexpected character");
        }
        ++pos_;
        return {Token::Kind::Punct, std::wstring(1, c), 0};
    }

    const std::wstring& s_;
    size_t pos_ = 0;
};

class Parser {
  public:
    explicit Parser(std::vector<Token> tokens) : t_(std::move(tokens)) {}

    std::vector<std::unique_ptr<Stmt>> program() {
        std::vector<std::unique_ptr<Stmt>> out;
        while (peek().kind != Token::Kind::End) {
            out.push_back(statement());
        }
        return out;
    }

  private:
    const Token& peek(size_t ahead = 0) const { return t_[std::min(i_ + ahead, t_.size() - 1)]; }
    bool isPunct(const wchar_t* p, size_t ahead = 0) const {
        return peek(ahead).kind == Token::Kind::Punct && peek(ahead).text == p;
    }
    bool isWord(const wchar_t* w) const { return peek().kind == Token::Kind::Ident && peek().text == w; }
    bool accept(const wchar_t* p) {
        if (isPunct(p)) {
            ++i_;
            return true;
        }
        return false;
    }
    void expect(const wchar_t* p) {
        if (!accept(p)) {
            throw ScriptError("expected " + narrow(p) + " near " + narrow(peek().text));
        }
    }
    std::wstring identifier() {
        if (peek().kind != Token::Kind::Ident || isReserved(peek().text)) {
            throw ScriptError("expected a name near " + narrow(peek().text));
        }
        return t_[i_++].text;
    }
    static bool isReserved(const std::wstring& w) {
        static const wchar_t* const kWords[] = {L"var",    L"let",  L"const", L"function", L"if",     L"else",
                                                L"return", L"true", L"false", L"null",     L"typeof", L"this",
                                                L"while",  L"for",  L"do",    L"new",      L"switch"};
        for (const wchar_t* k : kWords) {
            if (w == k) {
                return true;
            }
        }
        return false;
    }
    void endStatement() {
        if (!accept(L";") && !isPunct(L"}") && peek().kind != Token::Kind::End && !newLineGuess()) {
            throw ScriptError("expected ; near " + narrow(peek().text));
        }
    }
    // Statements may end without ";" where a name or literal begins the next one.
    bool newLineGuess() const {
        return peek().kind == Token::Kind::Ident || peek().kind == Token::Kind::String ||
               peek().kind == Token::Kind::Number;
    }

    std::unique_ptr<Stmt> statement() {
        auto s = std::make_unique<Stmt>();
        if (accept(L";")) {
            return s;
        }
        if (accept(L"{")) {
            s->kind = Stmt::Kind::Block;
            while (!accept(L"}")) {
                if (peek().kind == Token::Kind::End) {
                    throw ScriptError("expected }");
                }
                s->body.push_back(statement());
            }
            return s;
        }
        if (isWord(L"var") || isWord(L"let") || isWord(L"const")) {
            ++i_;
            s->kind = Stmt::Kind::Var;
            do {
                s->names.push_back(identifier());
                s->exprs.push_back(accept(L"=") ? assignment() : nullptr);
            } while (accept(L","));
            endStatement();
            return s;
        }
        if (isWord(L"function") && peek(1).kind == Token::Kind::Ident) {
            ++i_;
            s->kind = Stmt::Kind::Function;
            s->function = functionRest(identifier());
            return s;
        }
        if (isWord(L"if")) {
            ++i_;
            s->kind = Stmt::Kind::If;
            expect(L"(");
            s->exprs.push_back(expression());
            expect(L")");
            s->body.push_back(statement());
            if (isWord(L"else")) {
                ++i_;
                s->body.push_back(statement());
            }
            return s;
        }
        if (isWord(L"return")) {
            ++i_;
            s->kind = Stmt::Kind::Return;
            if (!isPunct(L";") && !isPunct(L"}") && peek().kind != Token::Kind::End) {
                s->exprs.push_back(expression());
            }
            endStatement();
            return s;
        }
        if (peek().kind == Token::Kind::Ident &&
            (peek().text == L"while" || peek().text == L"for" || peek().text == L"do" || peek().text == L"new" ||
             peek().text == L"switch")) {
            throw ScriptError("not supported: " + narrow(peek().text));
        }
        s->kind = Stmt::Kind::Expression;
        s->exprs.push_back(expression());
        endStatement();
        return s;
    }

    std::shared_ptr<const FunctionDef> functionRest(std::wstring name) {
        auto f = std::make_shared<FunctionDef>();
        f->name = std::move(name);
        expect(L"(");
        if (!accept(L")")) {
            do {
                f->params.push_back(identifier());
            } while (accept(L","));
            expect(L")");
        }
        expect(L"{");
        while (!accept(L"}")) {
            if (peek().kind == Token::Kind::End) {
                throw ScriptError("expected }");
            }
            f->body.push_back(statement());
        }
        return f;
    }

    static std::unique_ptr<Expr> make(Expr::Kind kind, std::wstring text = {}) {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->text = std::move(text);
        return e;
    }

    std::unique_ptr<Expr> expression() {
        std::unique_ptr<Expr> e = assignment();
        while (accept(L",")) {
            // The comma operator: the last value counts.
            auto seq = make(Expr::Kind::Binary, L",");
            seq->operands.push_back(std::move(e));
            seq->operands.push_back(assignment());
            e = std::move(seq);
        }
        return e;
    }

    std::unique_ptr<Expr> assignment() {
        std::unique_ptr<Expr> target = conditional();
        if (isPunct(L"=") || isPunct(L"+=")) {
            const std::wstring op = t_[i_++].text;
            if (target->kind != Expr::Kind::Ident && target->kind != Expr::Kind::Member &&
                target->kind != Expr::Kind::Index) {
                throw ScriptError("cannot assign to this");
            }
            auto e = make(Expr::Kind::Assign, op);
            e->operands.push_back(std::move(target));
            e->operands.push_back(assignment());
            return e;
        }
        return target;
    }

    std::unique_ptr<Expr> conditional() {
        std::unique_ptr<Expr> c = binary(0);
        if (!accept(L"?")) {
            return c;
        }
        auto e = make(Expr::Kind::Cond);
        e->operands.push_back(std::move(c));
        e->operands.push_back(assignment());
        expect(L":");
        e->operands.push_back(assignment());
        return e;
    }

    // Binary operators by precedence level, lowest first.
    std::unique_ptr<Expr> binary(int level) {
        static const std::vector<std::vector<std::wstring>> kLevels = {
            {L"||"},      {L"&&"},           {L"==", L"!=", L"===", L"!=="}, {L"<", L">", L"<=", L">="},
            {L"+", L"-"}, {L"*", L"/", L"%"}};
        if (level == static_cast<int>(kLevels.size())) {
            return unary();
        }
        std::unique_ptr<Expr> left = binary(level + 1);
        for (;;) {
            bool matched = false;
            for (const std::wstring& op : kLevels[static_cast<size_t>(level)]) {
                if (isPunct(op.c_str())) {
                    ++i_;
                    auto e = make(level < 2 ? Expr::Kind::Logical : Expr::Kind::Binary, op);
                    e->operands.push_back(std::move(left));
                    e->operands.push_back(binary(level + 1));
                    left = std::move(e);
                    matched = true;
                    break;
                }
            }
            if (!matched) {
                return left;
            }
        }
    }

    std::unique_ptr<Expr> unary() {
        if (isPunct(L"!") || isPunct(L"-") || isPunct(L"+") || isWord(L"typeof")) {
            auto e = make(Expr::Kind::Unary, t_[i_++].text);
            e->operands.push_back(unary());
            return e;
        }
        return postfix();
    }

    std::unique_ptr<Expr> postfix() {
        std::unique_ptr<Expr> e = primary();
        for (;;) {
            if (accept(L".")) {
                if (peek().kind != Token::Kind::Ident) {
                    throw ScriptError("expected a property name");
                }
                auto m = make(Expr::Kind::Member, t_[i_++].text);
                m->operands.push_back(std::move(e));
                e = std::move(m);
            } else if (accept(L"[")) {
                auto m = make(Expr::Kind::Index);
                m->operands.push_back(std::move(e));
                m->operands.push_back(expression());
                expect(L"]");
                e = std::move(m);
            } else if (accept(L"(")) {
                auto c = make(Expr::Kind::Call);
                c->operands.push_back(std::move(e));
                if (!accept(L")")) {
                    do {
                        c->operands.push_back(assignment());
                    } while (accept(L","));
                    expect(L")");
                }
                e = std::move(c);
            } else {
                return e;
            }
        }
    }

    std::unique_ptr<Expr> primary() {
        const Token& t = peek();
        if (t.kind == Token::Kind::Number || t.kind == Token::Kind::String) {
            auto e = make(Expr::Kind::Literal, t.text);
            e->literal = t.kind == Token::Kind::Number ? Expr::Literal::Number : Expr::Literal::String;
            e->number = t.number;
            ++i_;
            return e;
        }
        if (accept(L"(")) {
            std::unique_ptr<Expr> e = expression();
            expect(L")");
            return e;
        }
        if (t.kind != Token::Kind::Ident) {
            throw ScriptError("unexpected " + narrow(t.text));
        }
        if (t.text == L"true" || t.text == L"false" || t.text == L"null") {
            auto e = make(Expr::Kind::Literal);
            e->literal = t.text == L"true" ? Expr::Literal::True
                                           : (t.text == L"false" ? Expr::Literal::False : Expr::Literal::Null);
            ++i_;
            return e;
        }
        if (t.text == L"this") {
            ++i_;
            return make(Expr::Kind::This);
        }
        if (t.text == L"function") {
            ++i_;
            auto e = make(Expr::Kind::Function);
            e->function = functionRest(peek().kind == Token::Kind::Ident ? identifier() : std::wstring());
            return e;
        }
        return make(Expr::Kind::Ident, identifier());
    }

    std::vector<Token> t_;
    size_t i_ = 0;
};

}  // namespace

std::vector<std::unique_ptr<Stmt>> parseProgram(const std::wstring& source) {
    return Parser(Lexer(source).run()).program();
}

}  // namespace wke::js
