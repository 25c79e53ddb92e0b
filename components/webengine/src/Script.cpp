#include "Script.h"

#include <charconv>
#include <cmath>
#include <cwctype>
#include <limits>

#include "ScriptSyntax.h"
#include "WideText.h"

namespace wke::js {

namespace {

constexpr int kMaxDepth = 64;
constexpr long kMaxSteps = 1000000;

std::wstring numberText(double n) {
    if (std::isnan(n)) {
        return L"NaN";
    }
    if (std::isinf(n)) {
        return n > 0 ? L"Infinity" : L"-Infinity";
    }
    if (n == 0) {
        return L"0";
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    return std::wstring(buf, r.ptr);
}

std::string narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) {
        s += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return s;
}

bool isFormField(const Node* n) {
    return n->isElement(L"input") || n->isElement(L"textarea");
}

std::wstring upper(std::wstring s) {
    for (wchar_t& c : s) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return s;
}

// encodeURIComponent over UTF-8.
std::wstring encodeComponent(const std::wstring& s) {
    std::wstring out;
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    auto byte = [&](unsigned b) {
        out += L'%';
        out += kHex[b >> 4];
        out += kHex[b & 15];
    };
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80 && (std::iswalnum(static_cast<wint_t>(cp)) ||
                          std::wstring(L"-_.!~*'()").find(static_cast<wchar_t>(cp)) != std::wstring::npos)) {
            out += static_cast<wchar_t>(cp);
        } else if (cp < 0x80) {
            byte(cp);
        } else if (cp < 0x800) {
            byte(0xC0 | (cp >> 6));
            byte(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            byte(0xE0 | (cp >> 12));
            byte(0x80 | ((cp >> 6) & 0x3F));
            byte(0x80 | (cp & 0x3F));
        } else {
            byte(0xF0 | (cp >> 18));
            byte(0x80 | ((cp >> 12) & 0x3F));
            byte(0x80 | ((cp >> 6) & 0x3F));
            byte(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace

Value Value::null() {
    Value v;
    v.type = Type::Null;
    return v;
}

Value Value::fromBool(bool b) {
    Value v;
    v.type = Type::Boolean;
    v.boolean = b;
    return v;
}

Value Value::fromNumber(double n) {
    Value v;
    v.type = Type::Number;
    v.number = n;
    return v;
}

Value Value::fromString(std::wstring s) {
    Value v;
    v.type = Type::String;
    v.string = std::move(s);
    return v;
}

Value Value::fromElement(Node* n) {
    if (!n) {
        return null();
    }
    Value v;
    v.type = Type::Element;
    v.element = n;
    return v;
}

std::wstring toString(const Value& v) {
    switch (v.type) {
        case Value::Type::Undefined:
            return L"undefined";
        case Value::Type::Null:
            return L"null";
        case Value::Type::Boolean:
            return v.boolean ? L"true" : L"false";
        case Value::Type::Number:
            return numberText(v.number);
        case Value::Type::String:
            return v.string;
        case Value::Type::Element:
            return L"[object HTML" + upper(v.element->tag.substr(0, 1)) +
                   v.element->tag.substr(std::min<size_t>(1, v.element->tag.size())) + L"Element]";
        case Value::Type::Host:
            return v.host == HostObject::Document
                       ? L"[object HTMLDocument]"
                       : (v.host == HostObject::Location ? L"[object Location]" : L"[object Window]");
        case Value::Type::Function:
        case Value::Type::Native:
        case Value::Type::Method:
            return L"function () { [code] }";
    }
    return L"";
}

double toNumber(const Value& v) {
    switch (v.type) {
        case Value::Type::Undefined:
            return std::numeric_limits<double>::quiet_NaN();
        case Value::Type::Null:
            return 0;
        case Value::Type::Boolean:
            return v.boolean ? 1 : 0;
        case Value::Type::Number:
            return v.number;
        case Value::Type::String: {
            const std::wstring t = trim(v.string);
            if (t.empty()) {
                return 0;
            }
            wchar_t* end = nullptr;
            const double d = std::wcstod(t.c_str(), &end);
            return (end && *end == 0) ? d : std::numeric_limits<double>::quiet_NaN();
        }
        default:
            return std::numeric_limits<double>::quiet_NaN();
    }
}

bool toBoolean(const Value& v) {
    switch (v.type) {
        case Value::Type::Undefined:
        case Value::Type::Null:
            return false;
        case Value::Type::Boolean:
            return v.boolean;
        case Value::Type::Number:
            return v.number != 0 && !std::isnan(v.number);
        case Value::Type::String:
            return !v.string.empty();
        default:
            return true;
    }
}

class Scope {
  public:
    explicit Scope(Scope* parent) : parent_(parent) {}
    Value* find(const std::wstring& name) {
        for (Scope* s = this; s; s = s->parent_) {
            auto it = s->vars_.find(name);
            if (it != s->vars_.end()) {
                return &it->second;
            }
        }
        return nullptr;
    }
    void declare(const std::wstring& name, Value v) { vars_[name] = std::move(v); }
    bool has(const std::wstring& name) const { return vars_.count(name) != 0; }

    // A function made in this scope may outlive the call: the scope then stays with the page.
    bool captured = false;

  private:
    Scope* parent_;
    std::map<std::wstring, Value> vars_;
};

class Interpreter::Impl {
  public:
    explicit Impl(ScriptHost& host) : host_(host), globals_(std::make_unique<Scope>(nullptr)) {}

    void runScript(const std::wstring& source) {
        const auto program = parseProgram(source);
        steps_ = 0;
        Frame frame{globals_.get(), Value::undefined()};
        hoist(program, globals_.get());
        Value ignored;
        execList(program, frame, ignored);
    }

    Value runHandler(const std::wstring& source, Node* self) {
        const auto program = parseProgram(source);
        steps_ = 0;
        ScopeLease lease(*this, globals_.get());
        Frame frame{lease.scope, Value::fromElement(self)};
        hoist(program, lease.scope);
        Value result;
        execList(program, frame, result);
        return result;
    }

  private:
    struct Frame {
        Scope* scope;
        Value self;
    };

    // The scope of one call: given back when the call ends, unless a function made in it lives on.
    struct ScopeLease {
        Impl& impl;
        Scope* scope;
        ScopeLease(Impl& owner, Scope* parent) : impl(owner) {
            owner.scopes_.push_back(std::make_unique<Scope>(parent));
            scope = owner.scopes_.back().get();
        }
        ScopeLease(const ScopeLease&) = delete;
        ScopeLease& operator=(const ScopeLease&) = delete;
        ~ScopeLease() {
            if (scope->captured) {
                return;
            }
            for (auto it = impl.scopes_.end(); it != impl.scopes_.begin();) {
                --it;
                if (it->get() == scope) {
                    impl.scopes_.erase(it);
                    return;
                }
            }
        }
    };
    enum class Flow { Normal, Return };

    void step() {
        if (++steps_ > kMaxSteps) {
            throw ScriptError("script runs too long");
        }
    }

    void hoist(const std::vector<std::unique_ptr<Stmt>>& list, Scope* scope) {
        for (const auto& s : list) {
            if (s->kind == Stmt::Kind::Function) {
                scope->declare(s->function->name, functionValue(s->function, scope));
            }
        }
    }

    Value functionValue(const std::shared_ptr<const FunctionDef>& f, Scope* closure) {
        Value v;
        v.type = Value::Type::Function;
        v.function = f;
        v.closure = closure;
        closure->captured = true;
        return v;
    }

    Flow execList(const std::vector<std::unique_ptr<Stmt>>& list, Frame& frame, Value& result) {
        for (const auto& s : list) {
            if (exec(*s, frame, result) == Flow::Return) {
                return Flow::Return;
            }
        }
        return Flow::Normal;
    }

    Flow exec(const Stmt& s, Frame& frame, Value& result) {
        step();
        switch (s.kind) {
            case Stmt::Kind::Empty:
            case Stmt::Kind::Function:
                return Flow::Normal;
            case Stmt::Kind::Expression:
                eval(*s.exprs[0], frame);
                return Flow::Normal;
            case Stmt::Kind::Var:
                for (size_t i = 0; i < s.names.size(); ++i) {
                    Value v = s.exprs[i] ? eval(*s.exprs[i], frame) : Value::undefined();
                    Scope& scope = *frame.scope;
                    if (s.exprs[i] || !scope.has(s.names[i])) {
                        scope.declare(s.names[i], std::move(v));
                    }
                }
                return Flow::Normal;
            case Stmt::Kind::If:
                if (toBoolean(eval(*s.exprs[0], frame))) {
                    return exec(*s.body[0], frame, result);
                }
                return s.body.size() > 1 ? exec(*s.body[1], frame, result) : Flow::Normal;
            case Stmt::Kind::Return:
                result = s.exprs.empty() ? Value::undefined() : eval(*s.exprs[0], frame);
                return Flow::Return;
            case Stmt::Kind::Block:
                hoist(s.body, frame.scope);
                return execList(s.body, frame, result);
        }
        return Flow::Normal;
    }

    Value eval(const Expr& e, Frame& frame) {
        step();
        switch (e.kind) {
            case Expr::Kind::Literal:
                switch (e.literal) {
                    case Expr::Literal::Undefined:
                        return Value::undefined();
                    case Expr::Literal::Null:
                        return Value::null();
                    case Expr::Literal::True:
                        return Value::fromBool(true);
                    case Expr::Literal::False:
                        return Value::fromBool(false);
                    case Expr::Literal::Number:
                        return Value::fromNumber(e.number);
                    case Expr::Literal::String:
                        return Value::fromString(e.text);
                }
                return {};
            case Expr::Kind::Ident:
                return lookup(e.text, frame);
            case Expr::Kind::This:
                return frame.self;
            case Expr::Kind::Member:
                return getProperty(eval(*e.operands[0], frame), e.text);
            case Expr::Kind::Index: {
                Value obj = eval(*e.operands[0], frame);
                return getProperty(obj, toString(eval(*e.operands[1], frame)));
            }
            case Expr::Kind::Call:
                return evalCall(e, frame);
            case Expr::Kind::Unary:
                return evalUnary(e, frame);
            case Expr::Kind::Binary: {
                Value a = eval(*e.operands[0], frame);
                Value b = eval(*e.operands[1], frame);
                return binary(e.text, a, b);
            }
            case Expr::Kind::Logical: {
                Value a = eval(*e.operands[0], frame);
                if (e.text == L"||") {
                    return toBoolean(a) ? a : eval(*e.operands[1], frame);
                }
                return toBoolean(a) ? eval(*e.operands[1], frame) : a;
            }
            case Expr::Kind::Cond:
                return toBoolean(eval(*e.operands[0], frame)) ? eval(*e.operands[1], frame)
                                                              : eval(*e.operands[2], frame);
            case Expr::Kind::Assign:
                return evalAssign(e, frame);
            case Expr::Kind::Function:
                return functionValue(e.function, frame.scope);
        }
        return {};
    }

    Value lookup(const std::wstring& name, Frame& frame) {
        if (Value* v = frame.scope->find(name)) {
            return *v;
        }
        if (host_.hasNative(name)) {
            Value v;
            v.type = Value::Type::Native;
            v.string = name;
            return v;
        }
        if (name == L"undefined") {
            return Value::undefined();
        }
        if (name == L"NaN") {
            return Value::fromNumber(std::numeric_limits<double>::quiet_NaN());
        }
        if (name == L"Infinity") {
            return Value::fromNumber(std::numeric_limits<double>::infinity());
        }
        if (name == L"document" || name == L"window" || name == L"location" || name == L"self") {
            Value v;
            v.type = Value::Type::Host;
            v.host = name == L"document" ? HostObject::Document
                                         : (name == L"location" ? HostObject::Location : HostObject::Window);
            return v;
        }
        if (name == L"String" || name == L"Number" || name == L"encodeURIComponent") {
            return method(Value::undefined(), name);
        }
        throw ScriptError(narrow(name) + " is not defined");
    }

    static Value method(const Value& receiver, const std::wstring& name) {
        Value v = receiver;
        v.type = Value::Type::Method;
        v.string = name;
        if (receiver.type != Value::Type::Element) {
            v.element = nullptr;
        }
        if (receiver.type != Value::Type::Host) {
            v.host = HostObject::Window;
        }
        return v;
    }

    Value getProperty(const Value& obj, const std::wstring& name) {
        switch (obj.type) {
            case Value::Type::Undefined:
            case Value::Type::Null:
                throw ScriptError("cannot read " + narrow(name) + " of " + narrow(toString(obj)));
            case Value::Type::String:
                if (name == L"length") {
                    return Value::fromNumber(static_cast<double>(obj.string.size()));
                }
                return {};
            case Value::Type::Element:
                return elementProperty(obj, name);
            case Value::Type::Host:
                if (obj.host == HostObject::Document) {
                    if (name == L"getElementById") {
                        return method(obj, name);
                    }
                    if (name == L"title") {
                        return Value::fromString(host_.document().title);
                    }
                    if (name == L"location") {
                        return hostValue(HostObject::Location);
                    }
                    if (name == L"body") {
                        return Value::fromElement(host_.document().body());
                    }
                    return {};
                }
                if (obj.host == HostObject::Location) {
                    if (name == L"href") {
                        return Value::fromString(host_.currentUrl());
                    }
                    return {};
                }
                if (name == L"document") {
                    return hostValue(HostObject::Document);
                }
                if (name == L"location") {
                    return hostValue(HostObject::Location);
                }
                if (Value* v = globals_->find(name)) {
                    return *v;
                }
                if (host_.hasNative(name)) {
                    Value v;
                    v.type = Value::Type::Native;
                    v.string = name;
                    return v;
                }
                return {};
            default:
                return {};
        }
    }

    static Value hostValue(HostObject h) {
        Value v;
        v.type = Value::Type::Host;
        v.host = h;
        return v;
    }

    Value elementProperty(const Value& obj, const std::wstring& name) {
        Node* n = obj.element;
        if (name == L"value") {
            if (isFormField(n)) {
                return Value::fromString(n->value);
            }
            const std::wstring* v = n->attribute(L"value");
            return Value::fromString(v ? *v : L"");
        }
        if (name == L"innerText" || name == L"textContent") {
            return Value::fromString(Document::textOf(n));
        }
        if (name == L"tagName") {
            return Value::fromString(upper(n->tag));
        }
        if (name == L"id" || name == L"name" || name == L"type" || name == L"href") {
            const std::wstring* v = n->attribute(name);
            return Value::fromString(v ? *v : L"");
        }
        if (name == L"disabled") {
            return Value::fromBool(n->hasAttribute(L"disabled"));
        }
        if (name == L"getAttribute") {
            return method(obj, name);
        }
        return {};
    }

    void setProperty(const Value& obj, const std::wstring& name, const Value& v) {
        if (obj.type == Value::Type::Element) {
            Node* n = obj.element;
            if (name == L"value" && isFormField(n)) {
                n->value = toString(v);
                n->caret = n->value.size();
                host_.documentChanged();
            } else if (name == L"innerText" || name == L"textContent") {
                host_.document().setTextOf(n, toString(v));
                host_.documentChanged();
            } else if (name == L"value" || name == L"id" || name == L"name" || name == L"href") {
                n->setAttribute(name, toString(v));
                host_.documentChanged();
            }
            return;
        }
        if (obj.type == Value::Type::Host) {
            if ((obj.host == HostObject::Location && name == L"href") ||
                (obj.host != HostObject::Location && name == L"location")) {
                host_.navigate(toString(v));
            } else if (obj.host == HostObject::Window) {
                globals_->declare(name, v);
            }
            return;
        }
        if (obj.type == Value::Type::Undefined || obj.type == Value::Type::Null) {
            throw ScriptError("cannot set " + narrow(name) + " of " + narrow(toString(obj)));
        }
    }

    Value evalAssign(const Expr& e, Frame& frame) {
        const Expr& target = *e.operands[0];
        auto combine = [&](const Value& old, const Value& rhs) {
            return e.text == L"+=" ? binary(L"+", old, rhs) : rhs;
        };
        if (target.kind == Expr::Kind::Ident) {
            Value rhs = eval(*e.operands[1], frame);
            if (Value* slot = frame.scope->find(target.text)) {
                *slot = combine(*slot, rhs);
                return *slot;
            }
            if (target.text == L"location") {
                host_.navigate(toString(rhs));
                return rhs;
            }
            Value v = combine(e.text == L"+=" ? lookup(target.text, frame) : Value::undefined(), rhs);
            globals_->declare(target.text, v);
            return v;
        }
        Value obj = eval(*target.operands[0], frame);
        const std::wstring name =
            target.kind == Expr::Kind::Member ? target.text : toString(eval(*target.operands[1], frame));
        Value rhs = eval(*e.operands[1], frame);
        Value v = combine(e.text == L"+=" ? getProperty(obj, name) : Value::undefined(), rhs);
        setProperty(obj, name, v);
        return v;
    }

    Value evalUnary(const Expr& e, Frame& frame) {
        if (e.text == L"typeof") {
            const Expr& operand = *e.operands[0];
            Value v;
            if (operand.kind == Expr::Kind::Ident) {
                try {
                    v = eval(operand, frame);
                } catch (const ScriptError&) {
                    return Value::fromString(L"undefined");
                }
            } else {
                v = eval(operand, frame);
            }
            switch (v.type) {
                case Value::Type::Undefined:
                    return Value::fromString(L"undefined");
                case Value::Type::Boolean:
                    return Value::fromString(L"boolean");
                case Value::Type::Number:
                    return Value::fromString(L"number");
                case Value::Type::String:
                    return Value::fromString(L"string");
                case Value::Type::Function:
                case Value::Type::Native:
                case Value::Type::Method:
                    return Value::fromString(L"function");
                default:
                    return Value::fromString(L"object");
            }
        }
        Value v = eval(*e.operands[0], frame);
        if (e.text == L"!") {
            return Value::fromBool(!toBoolean(v));
        }
        if (e.text == L"-") {
            return Value::fromNumber(-toNumber(v));
        }
        return Value::fromNumber(toNumber(v));
    }

    static bool strictEquals(const Value& a, const Value& b) {
        if (a.type != b.type) {
            return false;
        }
        switch (a.type) {
            case Value::Type::Undefined:
            case Value::Type::Null:
                return true;
            case Value::Type::Boolean:
                return a.boolean == b.boolean;
            case Value::Type::Number:
                return a.number == b.number;
            case Value::Type::String:
                return a.string == b.string;
            case Value::Type::Element:
                return a.element == b.element;
            case Value::Type::Host:
                return a.host == b.host;
            case Value::Type::Function:
                return a.function == b.function;
            default:
                return a.string == b.string && a.element == b.element;
        }
    }

    static bool looseEquals(const Value& a, const Value& b) {
        const bool aNullish = a.type == Value::Type::Undefined || a.type == Value::Type::Null;
        const bool bNullish = b.type == Value::Type::Undefined || b.type == Value::Type::Null;
        if (aNullish || bNullish) {
            return aNullish && bNullish;
        }
        if (a.type == b.type) {
            return strictEquals(a, b);
        }
        const bool primitive = [](const Value& v) {
            return v.type == Value::Type::Number || v.type == Value::Type::String || v.type == Value::Type::Boolean;
        }(a) && (b.type == Value::Type::Number || b.type == Value::Type::String || b.type == Value::Type::Boolean);
        return primitive ? toNumber(a) == toNumber(b) : toString(a) == toString(b);
    }

    static Value binary(const std::wstring& op, const Value& a, const Value& b) {
        if (op == L",") {
            return b;
        }
        if (op == L"+") {
            const bool text = a.type == Value::Type::String || b.type == Value::Type::String ||
                              a.type == Value::Type::Element || b.type == Value::Type::Element ||
                              a.type == Value::Type::Host || b.type == Value::Type::Host;
            if (text) {
                return Value::fromString(toString(a) + toString(b));
            }
            return Value::fromNumber(toNumber(a) + toNumber(b));
        }
        if (op == L"-")
            return Value::fromNumber(toNumber(a) - toNumber(b));
        if (op == L"*")
            return Value::fromNumber(toNumber(a) * toNumber(b));
        if (op == L"/")
            return Value::fromNumber(toNumber(a) / toNumber(b));
        if (op == L"%")
            return Value::fromNumber(std::fmod(toNumber(a), toNumber(b)));
        if (op == L"===")
            return Value::fromBool(strictEquals(a, b));
        if (op == L"!==")
            return Value::fromBool(!strictEquals(a, b));
        if (op == L"==")
            return Value::fromBool(looseEquals(a, b));
        if (op == L"!=")
            return Value::fromBool(!looseEquals(a, b));
        if (a.type == Value::Type::String && b.type == Value::Type::String) {
            if (op == L"<")
                return Value::fromBool(a.string < b.string);
            if (op == L">")
                return Value::fromBool(a.string > b.string);
            if (op == L"<=")
                return Value::fromBool(a.string <= b.string);
            return Value::fromBool(a.string >= b.string);
        }
        const double x = toNumber(a);
        const double y = toNumber(b);
        if (op == L"<")
            return Value::fromBool(x < y);
        if (op == L">")
            return Value::fromBool(x > y);
        if (op == L"<=")
            return Value::fromBool(x <= y);
        return Value::fromBool(x >= y);
    }

    Value evalCall(const Expr& e, Frame& frame) {
        Value callee = eval(*e.operands[0], frame);
        std::vector<Value> args;
        for (size_t i = 1; i < e.operands.size(); ++i) {
            args.push_back(eval(*e.operands[i], frame));
        }
        return call(callee, args);
    }

    Value call(const Value& callee, const std::vector<Value>& args) {
        switch (callee.type) {
            case Value::Type::Function:
                return callFunction(callee, args);
            case Value::Type::Native:
                return host_.callNative(callee.string, args);
            case Value::Type::Method:
                return callMethod(callee, args);
            default:
                throw ScriptError(narrow(toString(callee)) + " is not a function");
        }
    }

    Value callFunction(const Value& f, const std::vector<Value>& args) {
        if (depth_ >= kMaxDepth) {
            throw ScriptError("too much recursion");
        }
        struct DepthGuard {
            int& d;
            explicit DepthGuard(int& depth) : d(depth) { ++d; }
            ~DepthGuard() { --d; }
        } guard(depth_);
        ScopeLease lease(*this, f.closure ? f.closure : globals_.get());
        const FunctionDef& def = *f.function;
        for (size_t i = 0; i < def.params.size(); ++i) {
            lease.scope->declare(def.params[i], i < args.size() ? args[i] : Value::undefined());
        }
        hoist(def.body, lease.scope);
        Frame frame{lease.scope, Value::undefined()};
        Value result;
        execList(def.body, frame, result);
        return result;
    }

    Value callMethod(const Value& m, const std::vector<Value>& args) {
        const Value first = args.empty() ? Value::undefined() : args[0];
        if (m.string == L"getElementById") {
            return Value::fromElement(host_.document().getElementById(toString(first)));
        }
        if (m.string == L"getAttribute" && m.element) {
            const std::wstring* v = m.element->attribute(toString(first));
            return v ? Value::fromString(*v) : Value::null();
        }
        if (m.string == L"String") {
            return Value::fromString(args.empty() ? L"" : toString(first));
        }
        if (m.string == L"Number") {
            return Value::fromNumber(args.empty() ? 0 : toNumber(first));
        }
        if (m.string == L"encodeURIComponent") {
            return Value::fromString(encodeComponent(toString(first)));
        }
        throw ScriptError(narrow(m.string) + " is not a function");
    }

    ScriptHost& host_;
    std::unique_ptr<Scope> globals_;
    std::vector<std::unique_ptr<Scope>> scopes_;
    long steps_ = 0;
    int depth_ = 0;
};

Interpreter::Interpreter(ScriptHost& host) : impl_(std::make_unique<Impl>(host)) {}
Interpreter::~Interpreter() = default;

void Interpreter::runScript(const std::wstring& source) {
    impl_->runScript(source);
}

Value Interpreter::runHandler(const std::wstring& source, Node* self) {
    return impl_->runHandler(source, self);
}

}  // namespace wke::js
