#include "View.h"

#include <algorithm>
#include <cwctype>

#include "Engine.h"
#include "HookWindow.h"
#include "HtmlParser.h"
#include "Text.h"
#include "Url.h"
#include "WideText.h"

namespace wke {

namespace {

constexpr int kMaxSide = 8192;
constexpr int kWheelStep = 48;  // pixels per wheel notch
constexpr int kKeyStep = 40;

std::wstring htmlEscape(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        switch (c) {
            case L'<':
                out += L"&lt;";
                break;
            case L'>':
                out += L"&gt;";
                break;
            case L'&':
                out += L"&amp;";
                break;
            case L'"':
                out += L"&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string errorPage(const std::string& url, const std::string& error) {
    const std::wstring page = L"<html><head><title>无法打开页面</title></head><body><h2>无法打开页面</h2><p>" +
                              htmlEscape(utf8ToWide(url)) + L"</p><p>" + htmlEscape(utf8ToWide(error)) +
                              L"</p></body></html>";
    return wideToUtf8(page);
}

bool startsWithNoCase(const std::wstring& s, const wchar_t* prefix) {
    const size_t n = wcslen(prefix);
    return s.size() >= n && lower(s.substr(0, n)) == prefix;
}

// %xx sequences of a javascript: address.
std::wstring percentDecode(const std::wstring& s) {
    std::string bytes;
    const std::string utf8 = wideToUtf8(s);
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '%' && i + 2 < utf8.size() && std::isxdigit(static_cast<unsigned char>(utf8[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(utf8[i + 2]))) {
            bytes += static_cast<char>(std::stoi(utf8.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += utf8[i];
        }
    }
    return utf8ToWide(bytes);
}

bool isSubmitter(const Node* n) {
    if (n->isElement(L"button")) {
        const std::wstring* type = n->attribute(L"type");
        return !type || lower(*type) == L"submit";
    }
    return n->isElement(L"input") && inputKind(*n) == InputKind::Submit;
}

bool isResetter(const Node* n) {
    if (n->isElement(L"button")) {
        const std::wstring* type = n->attribute(L"type");
        return type && lower(*type) == L"reset";
    }
    return n->isElement(L"input") && inputKind(*n) == InputKind::Reset;
}

bool isFocusable(const Node* n) {
    if (!n || n->kind != Node::Kind::Element || n->hasAttribute(L"disabled")) {
        return false;
    }
    if (n->isElement(L"a")) {
        return n->hasAttribute(L"href");
    }
    return n->isElement(L"button") || n->isElement(L"textarea") ||
           (n->isElement(L"input") && inputKind(*n) != InputKind::Hidden);
}

std::wstring field(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'\n') {
            out += L"\\n";
        } else if (c == L'\t' || c == L'\r') {
            out += L' ';
        } else {
            out += c;
        }
    }
    return out;
}

// The text a link, button or field shows, for the hook's search by text.
std::wstring shownText(const Node* n) {
    if (n->isElement(L"input")) {
        if (isTextField(n)) {
            return n->value;
        }
        const std::wstring* v = n->attribute(L"value");
        return v ? *v : L"";
    }
    return Document::textOf(n);
}

}  // namespace

View::Busy::Busy(View& v) : v_(v) {
    ++v_.busy_;
}

View::Busy::~Busy() {
    if (--v_.busy_ == 0 && v_.retired_) {
        if (Engine* e = Engine::get()) {
            e->forgetDying(&v_);
        }
        delete &v_;
    }
}

View::ScriptRun::ScriptRun(View& v) : v_(v) {
    ++v_.scriptDepth_;
}

View::ScriptRun::~ScriptRun() {
    if (--v_.scriptDepth_ == 0 && v_.pending_ && !v_.retired_) {
        v_.engine_.post(Engine::kCommitMessage, 0, reinterpret_cast<LPARAM>(v_.pending_.release()));
    }
}

View::View(Engine& engine, unsigned id) : engine_(engine), id_(id) {
    hook_ = createHookWindow(engine.module(), id);
    dc_ = CreateCompatibleDC(nullptr);
    doc_ = parseHtml(L"");
    script_ = std::make_unique<js::Interpreter>(*this);
    resize(1, 1);
}

View::~View() {
    if (hook_) {
        DestroyWindow(hook_);
    }
    if (dc_) {
        if (oldBitmap_) {
            SelectObject(dc_, oldBitmap_);
        }
        DeleteDC(dc_);
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
    }
}

void View::retire() {
    retired_ = true;
    paintCallback_ = nullptr;
    urlCallback_ = nullptr;
    host_ = nullptr;
    pending_.reset();
}

void View::onPaintUpdated(wkePaintUpdatedCallback callback, void* param) {
    paintCallback_ = callback;
    paintParam_ = param;
    if (callback) {
        invalidate({0, 0, width_, height_});
    }
}

void View::onUrlChanged(wkeURLChangedCallback callback, void* param) {
    urlCallback_ = callback;
    urlParam_ = param;
}

void View::load(const std::string& url) {
    Busy busy(*this);
    std::string u = url;
    while (!u.empty() && static_cast<unsigned char>(u.front()) <= 0x20) {
        u.erase(u.begin());
    }
    if (startsWithNoCase(utf8ToWide(u), L"javascript:")) {
        runScriptText(percentDecode(utf8ToWide(u.substr(11))));
        return;
    }
    startNavigation(u, false, {});
}

void View::startNavigation(const std::string& url, bool post, const std::string& body) {
    navId_ = ++navCounter_;
    if (url.empty() || url == "about:blank") {
        postLocalCommit(url, "", "");
        return;
    }
    Url parsed;
    if (!Url::parse(url, parsed) || (parsed.scheme != "http" && parsed.scheme != "https") || parsed.authority.empty()) {
        postLocalCommit(url, "", "this address cannot be opened here");
        return;
    }
    loading_ = true;
    LoadRequest request;
    request.viewId = id_;
    request.navId = navId_;
    request.url = parsed.toString(false);
    request.post = post;
    request.body = body;
    request.referer = url_.compare(0, 4, "http") == 0 ? url_ : std::string();
    request.jarPath = jarPath_;
    request.memoryCookies = memoryCookies_;
    engine_.loader().submit(std::move(request));
}

void View::postLocalCommit(const std::string& url, const std::string& html, const std::string& error) {
    engine_.cancelLoads(id_);
    loading_ = true;
    auto result = std::make_unique<LoadResult>();
    result->viewId = id_;
    result->navId = navId_;
    result->ok = error.empty();
    result->error = error;
    result->finalUrl = url;
    result->contentType = "text/html; charset=utf-8";
    result->body = html;
    engine_.post(Engine::kCommitMessage, 0, reinterpret_cast<LPARAM>(result.release()));
}

void View::commit(std::unique_ptr<LoadResult> result) {
    if (retired_ || result->navId != navId_) {
        return;
    }
    if (scriptDepth_ > 0) {
        // A script of the old page is on the stack (a bound function runs a message loop): the
        // new page waits for it.
        pending_ = std::move(result);
        return;
    }
    Busy busy(*this);
    loading_ = false;
    if (result->transferred && jarPath_.empty()) {
        memoryCookies_ = result->cookies;
    }
    Document doc;
    if (!result->ok) {
        doc = parseHtml(utf8ToWide(errorPage(result->finalUrl, result->error)));
    } else {
        const std::string type = mediaType(result->contentType);
        const std::wstring text = decodeBody(result->body, result->contentType);
        if (type.empty() || type == "text/html" || type == "application/xhtml+xml") {
            doc = parseHtml(text);
        } else if (type.compare(0, 5, "text/") == 0 || type == "application/json" || type == "application/xml" ||
                   type == "application/javascript") {
            doc = plainTextDocument(text);
        } else {
            doc = parseHtml(utf8ToWide(errorPage(result->finalUrl, "this content (" + type + ") cannot be shown")));
        }
    }
    showDocument(std::move(doc), result->finalUrl);
}

void View::showDocument(Document doc, const std::string& url) {
    hovered_ = pressed_ = focused_ = nullptr;
    scrollY_ = 0;
    script_ = std::make_unique<js::Interpreter>(*this);
    doc_ = std::move(doc);
    url_ = url;
    relayout();
    invalidate({0, 0, width_, height_});
    notifyUrl();
    const std::vector<std::wstring> scripts = doc_.scripts;
    for (const std::wstring& code : scripts) {
        if (retired_) {
            return;
        }
        runScriptText(code);
    }
    if (!retired_) {
        bool prevented = false;
        runHandler(L"onload", doc_.body(), &prevented);
    }
}

void View::notifyUrl() {
    if (!urlCallback_ || retired_) {
        return;
    }
    urlString_.text = utf8ToWide(url_);
    urlCallback_(handle(), urlParam_, reinterpret_cast<wkeString>(&urlString_));
}

void View::relayout() {
    layout_ = layoutDocument(doc_, width_, height_, fonts_);
    scrollY_ = std::clamp(scrollY_, 0, std::max(0, layout_.height - height_));
}

void View::resize(int width, int height) {
    width = std::clamp(width, 1, kMaxSide);
    height = std::clamp(height, 1, kMaxSide);
    if (bitmap_ && width == width_ && height == height_) {
        return;
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        return;
    }
    HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (!oldBitmap_) {
        oldBitmap_ = previous;
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
    }
    bitmap_ = bitmap;
    bits_ = bits;
    width_ = width;
    height_ = height;
    relayout();
    dirty_ = {};
    invalidate({0, 0, width_, height_});
}

HDC View::viewDC() {
    renderDirty();
    return dc_;
}

void View::invalidate(const Rect& viewRect) {
    const Rect r = intersect(viewRect, {0, 0, width_, height_});
    if (r.empty()) {
        return;
    }
    dirty_ = unite(dirty_, r);
    unreported_ = unite(unreported_, r);
    if (!paintPosted_ && !retired_) {
        paintPosted_ = true;
        engine_.post(Engine::kPaintMessage, id_, 0);
    }
}

void View::invalidateElement(const Node* element) {
    if (!element) {
        return;
    }
    const Rect r = layout_.rectOf(element);
    if (!r.empty()) {
        invalidate({r.left - 2, r.top - scrollY_ - 2, r.right + 2, r.bottom - scrollY_ + 2});
    }
}

void View::renderDirty() {
    if (dirty_.empty() || !bits_) {
        return;
    }
    PaintState state;
    state.scrollY = scrollY_;
    state.hovered = hovered_;
    state.pressed = pressed_;
    state.focused = focused_;
    state.viewFocused = viewFocused_;
    paintPage(dc_, bits_, width_, height_, dirty_, layout_, state, fonts_);
    dirty_ = {};
}

void View::flushPaint() {
    paintPosted_ = false;
    renderDirty();
    const Rect r = unreported_;
    unreported_ = {};
    if (r.empty() || !paintCallback_ || retired_) {
        return;
    }
    Busy busy(*this);
    paintCallback_(handle(), paintParam_, dc_, r.left, r.top, r.width(), r.height());
}

void View::documentChanged() {
    relayout();
    invalidate({0, 0, width_, height_});
}

std::wstring View::currentUrl() {
    return utf8ToWide(url_);
}

void View::navigate(const std::wstring& url) {
    if (startsWithNoCase(url, L"javascript:")) {
        runScriptText(percentDecode(url.substr(11)));
        return;
    }
    const std::string target = wideToUtf8(url);
    std::string abs = url_.empty() ? target : resolveUrl(url_, target);
    if (abs.empty()) {
        abs = target;
    }
    if (!url_.empty() && abs.find('#') != std::string::npos && sameDocument(abs, url_)) {
        url_ = abs;
        notifyUrl();
        return;
    }
    startNavigation(abs, false, {});
}

bool View::hasNative(const std::wstring& name) {
    return engine_.bound(name) != nullptr;
}

js::Value View::callNative(const std::wstring& name, const std::vector<js::Value>& args) {
    const BoundFunction* f = engine_.bound(name);
    if (!f) {
        throw js::ScriptError("no such function");
    }
    const jsNativeFunction function = f->function;
    ExecState es;
    ScriptValues& values = engine_.values();
    for (const js::Value& a : args) {
        es.args.push_back(values.put(a));
    }
    values.enter(&es);
    jsValue r = 0;
    try {
        r = function(reinterpret_cast<jsExecState>(&es));
    } catch (...) {
        r = 0;
    }
    js::Value result = values.get(r);
    values.leave(&es);
    if (retired_) {
        throw js::ScriptAborted();
    }
    return result;
}

void View::runScriptText(const std::wstring& code) {
    ScriptRun run(*this);
    try {
        script_->runScript(code);
    } catch (const js::ScriptError& e) {
        OutputDebugStringA(("wke: script error: " + std::string(e.what()) + "\n").c_str());
    } catch (const js::ScriptAborted&) {
    }
}

void View::runHandler(const wchar_t* attribute, Node* element, bool* prevented) {
    const std::wstring* code = element ? element->attribute(attribute) : nullptr;
    if (!code) {
        return;
    }
    const std::wstring source = *code;
    ScriptRun run(*this);
    try {
        const js::Value r = script_->runHandler(source, element);
        if (r.type == js::Value::Type::Boolean && !r.boolean) {
            *prevented = true;
        }
    } catch (const js::ScriptError& e) {
        OutputDebugStringA(("wke: script error: " + std::string(e.what()) + "\n").c_str());
    } catch (const js::ScriptAborted&) {
        *prevented = true;
    }
}

void View::activate(Node* element) {
    bool prevented = false;
    runHandler(L"onclick", element, &prevented);
    if (prevented || retired_ || element->hasAttribute(L"disabled")) {
        return;
    }
    if (element->isElement(L"input") && inputKind(*element) == InputKind::Checkbox) {
        if (element->hasAttribute(L"checked")) {
            element->removeAttribute(L"checked");
        } else {
            element->setAttribute(L"checked", L"");
        }
        invalidateElement(element);
        return;
    }
    if (element->isElement(L"a")) {
        const std::wstring* href = element->attribute(L"href");
        const std::wstring* target = element->attribute(L"target");
        if (!href || (target && lower(*target) == L"_blank" && newWindows_)) {
            // This engine opens no windows of its own.
            return;
        }
        navigate(*href);
        return;
    }
    Node* form = Document::formOf(element);
    if (!form) {
        return;
    }
    if (isSubmitter(element)) {
        submitForm(form, element);
    } else if (isResetter(element)) {
        forEachNode(form, [](Node* n) {
            if (isTextField(n)) {
                const std::wstring* v = n->attribute(L"value");
                n->value = v ? *v : L"";
                n->caret = n->value.size();
            }
            return true;
        });
        documentChanged();
    }
}

void View::submitForm(Node* form, Node* submitter) {
    bool prevented = false;
    runHandler(L"onsubmit", form, &prevented);
    if (prevented || retired_) {
        return;
    }
    std::string data;
    auto add = [&data](const std::wstring& name, const std::wstring& value) {
        if (!data.empty()) {
            data += '&';
        }
        data += formEncode(wideToUtf8(name)) + "=" + formEncode(wideToUtf8(value));
    };
    forEachNode(form, [&](Node* n) {
        const std::wstring* name = n->attribute(L"name");
        if (n->kind != Node::Kind::Element || !name || name->empty() || n->hasAttribute(L"disabled")) {
            return true;
        }
        if (isTextField(n) || (n->isElement(L"input") && inputKind(*n) == InputKind::Hidden)) {
            add(*name, n->value);
        } else if (n->isElement(L"input") && inputKind(*n) == InputKind::Checkbox && n->hasAttribute(L"checked")) {
            const std::wstring* v = n->attribute(L"value");
            add(*name, v ? *v : L"on");
        } else if (n == submitter) {
            const std::wstring* v = n->attribute(L"value");
            add(*name, v ? *v : L"");
        }
        return true;
    });
    const std::wstring* action = form->attribute(L"action");
    std::string target = action && !action->empty() ? resolveUrl(url_, wideToUtf8(*action)) : url_;
    if (target.empty()) {
        return;
    }
    const std::wstring* method = form->attribute(L"method");
    if (method && lower(*method) == L"post") {
        startNavigation(target, true, data);
        return;
    }
    Url u;
    if (!Url::parse(target, u)) {
        return;
    }
    u.query = data;
    u.hasQuery = true;
    u.hasFragment = false;
    startNavigation(u.toString(), false, {});
}

std::vector<Node*> View::focusables() {
    std::vector<Node*> out;
    forEachNode(doc_.root.get(), [&](Node* n) {
        if (isFocusable(n) && !layout_.rectOf(n).empty()) {
            out.push_back(n);
        }
        return true;
    });
    return out;
}

void View::focusElement(Node* element) {
    if (element == focused_) {
        return;
    }
    Node* old = focused_;
    focused_ = element;
    if (focused_ && isTextField(focused_)) {
        focused_->caret = std::min(focused_->caret, focused_->value.size());
    }
    invalidateElement(old);
    invalidateElement(focused_);
}

void View::moveFocus(bool backwards) {
    const std::vector<Node*> all = focusables();
    if (all.empty()) {
        return;
    }
    auto it = std::find(all.begin(), all.end(), focused_);
    size_t next = 0;
    if (it == all.end()) {
        next = backwards ? all.size() - 1 : 0;
    } else {
        const size_t at = static_cast<size_t>(it - all.begin());
        next = backwards ? (at + all.size() - 1) % all.size() : (at + 1) % all.size();
    }
    focusElement(all[next]);
    if (isTextField(focused_)) {
        focused_->caret = focused_->value.size();
    }
}

bool View::scrollBy(int dy) {
    const int to = std::clamp(scrollY_ + dy, 0, std::max(0, layout_.height - height_));
    if (to == scrollY_) {
        return false;
    }
    scrollY_ = to;
    invalidate({0, 0, width_, height_});
    return true;
}

size_t View::caretAt(const Node* fieldNode, int x) {
    const Rect r = layout_.rectOf(fieldNode);
    const std::wstring shown = fieldDisplayText(fieldNode);
    TextFont font;
    font.size = kControlFontSize;
    const int local = x - (r.left + 1 + kFieldPadX);
    size_t best = shown.size();
    for (size_t i = 0; i <= shown.size(); ++i) {
        const int w = fonts_.textWidth(font, shown.substr(0, i));
        if (w >= local) {
            const int before = i ? fonts_.textWidth(font, shown.substr(0, i - 1)) : 0;
            best = (i && local - before < w - local) ? i - 1 : i;
            break;
        }
    }
    return best;
}

void View::updateHover(int x, int y) {
    Node* hit = layout_.hit(x, y + scrollY_);
    if (hit != hovered_) {
        invalidateElement(hovered_);
        hovered_ = hit;
        invalidateElement(hovered_);
    }
    if (hit) {
        const std::wstring* style = hit->attribute(L"style");
        const bool link = hit->isElement(L"a") || (style && style->find(L"pointer") != std::wstring::npos);
        cursor_ = isTextField(hit) ? WKE_CURSOR_IBEAM : (link ? WKE_CURSOR_HAND : WKE_CURSOR_POINTER);
        return;
    }
    cursor_ = WKE_CURSOR_POINTER;
    for (const LayoutItem& it : layout_.items) {
        if (it.kind == LayoutItem::Kind::Text && it.rect.contains(x, y + scrollY_)) {
            cursor_ = WKE_CURSOR_IBEAM;
            break;
        }
    }
}

bool View::mouse(unsigned message, int x, int y, unsigned /*flags*/) {
    if (message < WM_MOUSEMOVE || message > WM_MBUTTONDBLCLK) {
        return false;
    }
    Busy busy(*this);
    updateHover(x, y);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            Node* target = hovered_;
            pressed_ = target;
            invalidateElement(pressed_);
            focusElement(isFocusable(target) ? target : nullptr);
            if (target && isTextField(target)) {
                target->caret = caretAt(target, x);
                invalidateElement(target);
            }
            break;
        }
        case WM_LBUTTONUP: {
            Node* p = pressed_;
            pressed_ = nullptr;
            if (p) {
                invalidateElement(p);
                if (p == hovered_) {
                    activate(p);
                }
            }
            break;
        }
        default:
            break;
    }
    return true;
}

bool View::wheel(int /*x*/, int /*y*/, int delta, unsigned /*flags*/) {
    return scrollBy(-delta * kWheelStep / WHEEL_DELTA);
}

void View::editField(Node* f) {
    invalidateElement(f);
}

bool View::keyDown(unsigned key, unsigned /*flags*/) {
    Busy busy(*this);
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (key == VK_TAB) {
        moveFocus(shift);
        return true;
    }
    Node* f = focused_;
    if (f && isTextField(f)) {
        size_t& caret = f->caret;
        caret = std::min(caret, f->value.size());
        switch (key) {
            case VK_LEFT:
                caret = caret ? caret - 1 : 0;
                break;
            case VK_RIGHT:
                caret = std::min(caret + 1, f->value.size());
                break;
            case VK_HOME:
                caret = 0;
                break;
            case VK_END:
                caret = f->value.size();
                break;
            case VK_BACK:
                if (caret) {
                    f->value.erase(--caret, 1);
                }
                break;
            case VK_DELETE:
                if (caret < f->value.size()) {
                    f->value.erase(caret, 1);
                }
                break;
            case VK_RETURN: {
                Node* form = Document::formOf(f);
                if (!form) {
                    return true;
                }
                Node* submitter = nullptr;
                forEachNode(form, [&](Node* n) {
                    if (isSubmitter(n) && !n->hasAttribute(L"disabled")) {
                        submitter = n;
                        return false;
                    }
                    return true;
                });
                if (submitter) {
                    activate(submitter);
                } else {
                    submitForm(form, nullptr);
                }
                return true;
            }
            default:
                return false;
        }
        editField(f);
        return true;
    }
    if (f && (key == VK_RETURN || key == VK_SPACE)) {
        activate(f);
        return true;
    }
    switch (key) {
        case VK_DOWN:
            return scrollBy(kKeyStep);
        case VK_UP:
            return scrollBy(-kKeyStep);
        case VK_NEXT:
            return scrollBy(height_ - kKeyStep);
        case VK_PRIOR:
            return scrollBy(kKeyStep - height_);
        default:
            return false;
    }
}

bool View::keyUp(unsigned /*key*/, unsigned /*flags*/) {
    return focused_ && isTextField(focused_);
}

bool View::keyPress(unsigned ch, unsigned /*flags*/) {
    Busy busy(*this);
    Node* f = focused_;
    if (!f) {
        return false;
    }
    if (!isTextField(f)) {
        return ch == L' ' || ch == L'\r';
    }
    if (ch == 0x08 || ch == 0x0D || ch == 0x09 || ch == 0x0A || ch == 0x1B) {
        return true;
    }
    if (ch < 0x20 || ch == 0x7F || ch > 0xFFFF) {
        return false;
    }
    if (const std::wstring* max = f->attribute(L"maxlength")) {
        const long limit = std::wcstol(max->c_str(), nullptr, 10);
        if (limit >= 0 && f->value.size() >= static_cast<size_t>(limit) && !max->empty()) {
            return true;
        }
    }
    f->caret = std::min(f->caret, f->value.size());
    f->value.insert(f->caret, 1, static_cast<wchar_t>(ch));
    ++f->caret;
    editField(f);
    return true;
}

void View::setFocus() {
    viewFocused_ = true;
    invalidateElement(focused_);
}

void View::killFocus() {
    viewFocused_ = false;
    pressed_ = nullptr;
    invalidateElement(focused_);
}

wkeRect View::caret() {
    if (!focused_ || !isTextField(focused_)) {
        return {0, 0, 0, 0};
    }
    const Rect r = caretRect(layout_, focused_, scrollY_, fonts_);
    return {r.left, r.top, r.width(), r.height()};
}

std::wstring View::answerHook(const std::wstring& request) {
    wchar_t host[24];
    _snwprintf(host, 23, L"0x%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host_)));
    host[23] = 0;
    std::wstring answer = L"host=" + std::wstring(host) + L"\turl=" + field(utf8ToWide(url_)) + L"\ttitle=" +
                          field(doc_.title) + L"\tloading=" + (loading_ ? L"1" : L"0") + L"\twidth=" +
                          std::to_wstring(width_) + L"\theight=" + std::to_wstring(height_) + L"\tfocus=" +
                          (viewFocused_ ? L"1" : L"0");
    if (request == L"info") {
        return answer;
    }
    if (request == L"text") {
        return answer + L"\ttext=" + field(Document::textOf(doc_.body()));
    }
    if (request.compare(0, 8, L"element ") == 0) {
        const std::wstring query = request.substr(8);
        Node* found = nullptr;
        if (query.compare(0, 3, L"id=") == 0) {
            found = doc_.getElementById(query.substr(3));
        } else if (query.compare(0, 5, L"text=") == 0) {
            const std::wstring text = query.substr(5);
            forEachNode(doc_.root.get(), [&](Node* n) {
                if (isInteractive(n) && shownText(n) == text) {
                    found = n;
                    return false;
                }
                return true;
            });
        }
        const Rect r = found ? layout_.rectOf(found) : Rect{};
        if (r.empty()) {
            return answer + L"\tfound=0";
        }
        return answer + L"\tfound=1\ttag=" + found->tag + L"\tx=" + std::to_wstring(r.left) + L"\ty=" +
               std::to_wstring(r.top - scrollY_) + L"\tw=" + std::to_wstring(r.width()) + L"\th=" +
               std::to_wstring(r.height()) + L"\ttext=" + field(shownText(found));
    }
    return answer + L"\terror=unknown request";
}

}  // namespace wke
