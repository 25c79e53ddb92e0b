// The engine's page logic without windows or network: reading HTML, the script language,
// addresses and the layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlParser.h"
#include "Layout.h"
#include "Script.h"
#include "Url.h"

using namespace wke;

namespace {

std::string narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

// The tree as text: elements as <tag attr=value ...>children</tag>, texts in quotes.
std::wstring dump(const Node* n) {
    if (n->kind == Node::Kind::Text) {
        return L"'" + n->text + L"'";
    }
    std::wstring s = L"<" + n->tag;
    for (const auto& [k, v] : n->attributes) {
        s += L" " + k + L"=" + v;
    }
    s += L">";
    for (const auto& c : n->children) {
        s += dump(c.get());
    }
    return s + L"</" + n->tag + L">";
}

TEST(HtmlParser, ReadsTheMarkupOfTypicalPages) {
    struct Case {
        const wchar_t* html;
        const wchar_t* body;
    } cases[] = {
        {L"<p>a<p>b", L"<body><p>'a'</p><p>'b'</p></body>"},
        {L"<ul><li>1<li>2</ul>", L"<body><ul><li>'1'</li><li>'2'</li></ul></body>"},
        {L"<input type=text name=u value='x y'><br/>z",
         L"<body><input type=text name=u value=x y></input><br></br>'z'</body>"},
        {L"<b>bold</i></b>tail", L"<body><b>'bold'</b>'tail'</body>"},
        {L"<!-- note --><!DOCTYPE html><a HREF=\"/x?a=1&amp;b=2\">&lt;&#20320;&#x597D;&gt;&bogus;</a>",
         L"<body><a href=/x?a=1&b=2>'<你好>&bogus;'</a></body>"},
        {L"<head><title> My  Page </title></head><div>x</div>", L"<body><div>'x'</div></body>"},
        {L"<button onclick=\"msgBox('1')\">登录</button>", L"<body><button onclick=msgBox('1')>'登录'</button></body>"},
    };
    for (const Case& c : cases) {
        Document doc = parseHtml(c.html);
        ASSERT_NE(doc.body(), nullptr);
        EXPECT_EQ(dump(doc.body()), c.body) << narrow(c.html);
    }
    EXPECT_EQ(parseHtml(L"<head><title> My  Page </title></head>").title, L"My Page");
}

TEST(HtmlParser, KeepsScriptsAsRawTextInOrder) {
    Document doc = parseHtml(
        L"<script>if (a < b) { x = '</p>'; }</script><p>t</p><script src=\"x.js\"></script>"
        L"<script>two()</script>");
    ASSERT_EQ(doc.scripts.size(), 2u);
    EXPECT_EQ(doc.scripts[0], L"if (a < b) { x = '</p>'; }");
    EXPECT_EQ(doc.scripts[1], L"two()");
    EXPECT_EQ(Document::textOf(doc.body()), L"t");
}

class FakeHost : public js::ScriptHost {
  public:
    explicit FakeHost(const std::wstring& html) : doc(parseHtml(html)) {}
    Document& document() override { return doc; }
    bool hasNative(const std::wstring& name) override { return name == L"native"; }
    js::Value callNative(const std::wstring&, const std::vector<js::Value>& args) override {
        for (const auto& a : args) {
            nativeArgs.push_back(js::toString(a));
        }
        return args.empty() ? js::Value::undefined() : args[0];
    }
    std::wstring currentUrl() override { return L"http://h/p"; }
    void navigate(const std::wstring& url) override { navigations.push_back(url); }
    void documentChanged() override { ++changes; }

    Document doc;
    std::vector<std::wstring> nativeArgs;
    std::vector<std::wstring> navigations;
    int changes = 0;
};

std::wstring evaluate(const std::wstring& code) {
    FakeHost host(L"<input id=f value=v><p id=t>text</p>");
    js::Interpreter in(host);
    return js::toString(in.runHandler(L"return " + code, nullptr));
}

TEST(Script, EvaluatesTheSubsetOfExpressionsPagesUse) {
    struct Case {
        const wchar_t* code;
        const wchar_t* result;
    } cases[] = {
        {L"1 + 2 * 3 - 4 / 2", L"5"},
        {L"'a' + 1 + 2", L"a12"},
        {L"1 + 2 + 'a'", L"3a"},
        {L"'' + undefined + null", L"undefinednull"},
        {L"0.1 + 0.2", L"0.30000000000000004"},
        {L"7 % 3 + -1", L"0"},
        {L"'5' == 5", L"true"},
        {L"'5' === 5", L"false"},
        {L"null == undefined", L"true"},
        {L"!'' && !0", L"true"},
        {L"'' || 'fallback'", L"fallback"},
        {L"1 > 2 ? 'yes' : 'no'", L"no"},
        {L"typeof 1 + typeof 'a' + typeof undefined + typeof document", L"numberstringundefinedobject"},
        {L"document.getElementById('f').value + document.getElementById('t').innerText", L"vtext"},
        {L"document.getElementById('missing')", L"null"},
        {L"document.getElementById('t').tagName", L"P"},
        {L"'abc'.length", L"3"},
        {L"encodeURIComponent('a b&中')", L"a%20b%26%E4%B8%AD"},
        {L"String(12) + Number('3')", L"123"},
        {L"native('x', 2)", L"x"},
        {L"(function (a) { return a * 2; })(21)", L"42"},
        {L"location.href", L"http://h/p"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evaluate(c.code), c.result) << narrow(c.code);
    }
}

TEST(Script, RunsFunctionsClosuresAndAssignmentsAcrossScripts) {
    FakeHost host(L"<input id=f value=v>");
    js::Interpreter in(host);
    in.runScript(
        L"var count = 0; function counter(start) { var n = start; return function () { n += 1; return n; }; }\n"
        L"var next = counter(10)\n"
        L"function bump() { count = count + 1; return count }");
    EXPECT_EQ(js::toString(in.runHandler(L"next(); return next()", nullptr)), L"12");
    EXPECT_EQ(js::toString(in.runHandler(L"bump(); bump(); return count", nullptr)), L"2");
    in.runHandler(L"document.getElementById('f').value = 'typed'; window.location.href = '/next'", nullptr);
    EXPECT_EQ(host.doc.getElementById(L"f")->value, L"typed");
    EXPECT_EQ(host.changes, 1);
    ASSERT_EQ(host.navigations.size(), 1u);
    EXPECT_EQ(host.navigations[0], L"/next");
    Node* field = host.doc.getElementById(L"f");
    EXPECT_EQ(js::toString(in.runHandler(L"return this.value + '!'", field)), L"typed!");
    EXPECT_FALSE(js::toBoolean(in.runHandler(L"return false", nullptr)));
}

TEST(Script, FailsCleanlyOnWhatItDoesNotRun) {
    const wchar_t* bad[] = {
        L"unknownFunction()",                 // not defined
        L"var x = ;",                         // syntax
        L"'unterminated",                     // syntax
        L"while (true) {}",                   // no loops
        L"null.value",                        // no properties of null
        L"function f() { return f(); } f()",  // too deep
        L"(1)()",                             // not a function
    };
    for (const wchar_t* code : bad) {
        FakeHost host(L"");
        js::Interpreter in(host);
        EXPECT_THROW(in.runScript(code), js::ScriptError) << narrow(code);
    }
}

TEST(Url, ResolvesReferencesAgainstThePageAddress) {
    struct Case {
        const char* base;
        const char* ref;
        const char* result;
    } cases[] = {
        {"http://h:8/a/b/c?q=1#f", "d", "http://h:8/a/b/d"},
        {"http://h:8/a/b/c", "../d?x=1", "http://h:8/a/d?x=1"},
        {"http://h:8/a/b/c", "/root", "http://h:8/root"},
        {"http://h:8/a/b/c?q=1", "?z=2", "http://h:8/a/b/c?z=2"},
        {"http://h:8/a/b/c?q=1", "#top", "http://h:8/a/b/c?q=1#top"},
        {"https://h/a/", "//other/x", "https://other/x"},
        {"http://h/a", "HTTPS://Other.Host/P", "https://other.host/P"},
        {"http://h/a/b", "./../../../x", "http://h/x"},
        {"about:blank", "x", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolveUrl(c.base, c.ref), c.result) << c.base << " + " << c.ref;
    }
    EXPECT_TRUE(sameDocument("http://h/a?b#1", "http://h/a?b#2"));
    EXPECT_FALSE(sameDocument("http://h/a?b", "http://h/a?c"));
    EXPECT_EQ(formEncode("a b&=中"), "a+b%26%3D%E4%B8%AD");
}

// Every character 8 pixels wide; lines as high as the font plus 2.
class FixedMeasure : public TextMeasure {
  public:
    int textWidth(const TextFont&, const std::wstring& text) override { return 8 * static_cast<int>(text.size()); }
    int lineHeight(const TextFont& f) override { return f.size + 2; }
};

TEST(Layout, WrapsLinesAndPlacesControls) {
    FixedMeasure m;
    Document doc = parseHtml(
        L"<p id=p>aaaa bbbb cccc</p><input id=f size=10><button id=b>OK</button>"
        L"<div style=\"display:none\" id=h>hidden</div><center><span id=c>mid</span></center>");
    // In a view 100 wide (content 84): "aaaa bbbb" is 72 wide, a third word does not fit.
    Layout narrow = layoutDocument(doc, 100, 50, m);
    const Rect p = narrow.rectOf(doc.getElementById(L"p"));
    EXPECT_EQ(p.left, 8);
    EXPECT_EQ(p.top, 16) << "the paragraph's margin";
    EXPECT_EQ(p.height(), 2 * 18) << "two lines";
    EXPECT_GE(narrow.height, 50);

    Layout l = layoutDocument(doc, 300, 50, m);
    const Rect f = l.rectOf(doc.getElementById(L"f"));
    EXPECT_EQ(f.left, 8);
    EXPECT_EQ(f.width(), 10 * 8 + 2 * kFieldPadX + 2);
    const Rect b = l.rectOf(doc.getElementById(L"b"));
    EXPECT_EQ(b.left, f.right) << "the button follows the field on its line";
    EXPECT_EQ(b.bottom, f.bottom) << "controls of a line share its bottom";
    EXPECT_TRUE(l.rectOf(doc.getElementById(L"h")).empty());
    const Rect c = l.rectOf(doc.getElementById(L"c"));
    EXPECT_EQ(c.left, 8 + (284 - 24) / 2) << "centred";

    EXPECT_EQ(l.hit(f.left + 1, f.top + 1), doc.getElementById(L"f"));
    EXPECT_EQ(l.hit(b.left + 1, b.top + 1), doc.getElementById(L"b"));
    const Rect p2 = l.rectOf(doc.getElementById(L"p"));
    EXPECT_EQ(l.hit(p2.left + 1, p2.top + 1), nullptr) << "plain text takes no click";
}

TEST(Layout, ReadsColours) {
    struct Case {
        const wchar_t* text;
        bool ok;
        Color color;
    } cases[] = {{L"#336699", true, rgb(0x33, 0x66, 0x99)},
                 {L"#fff", true, rgb(255, 255, 255)},
                 {L"rgb(1, 2, 3)", true, rgb(1, 2, 3)},
                 {L" Red ", true, rgb(255, 0, 0)},
                 {L"#12345", false, 0},
                 {L"rgb(300,0,0)", false, 0},
                 {L"", false, 0}};
    for (const Case& c : cases) {
        Color out = 0;
        EXPECT_EQ(parseColor(c.text, out), c.ok) << narrow(c.text);
        if (c.ok) {
            EXPECT_EQ(out, c.color) << narrow(c.text);
        }
    }
}

}  // namespace
