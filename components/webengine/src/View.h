#pragma once

// One web view: its page (document, layout, script), its image, its input state and its
// navigation. All on the engine's thread.

#include <windows.h>

#include <webengine/wke.h>

#include <memory>
#include <string>
#include <vector>

#include "Dom.h"
#include "EngineString.h"
#include "Layout.h"
#include "Loader.h"
#include "Painter.h"
#include "Script.h"

namespace wke {

class Engine;

class View final : public js::ScriptHost {
  public:
    View(Engine& engine, unsigned id);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    unsigned id() const { return id_; }
    wkeWebView handle() { return reinterpret_cast<wkeWebView>(this); }

    void setHost(HWND hwnd) { host_ = hwnd; }
    HWND host() const { return host_; }
    void setNewWindowsEnabled(bool enable) { newWindows_ = enable; }
    void onPaintUpdated(wkePaintUpdatedCallback callback, void* param);
    void onUrlChanged(wkeURLChangedCallback callback, void* param);
    void setCookieJar(const std::wstring& path) { jarPath_ = path; }
    void load(const std::string& url);
    void resize(int width, int height);
    HDC viewDC();

    bool mouse(unsigned message, int x, int y, unsigned flags);
    bool wheel(int x, int y, int delta, unsigned flags);
    bool keyDown(unsigned key, unsigned flags);
    bool keyUp(unsigned key, unsigned flags);
    bool keyPress(unsigned ch, unsigned flags);
    void setFocus();
    void killFocus();
    wkeRect caret();
    int cursor() const { return cursor_; }

    // From the engine's window.
    void commit(std::unique_ptr<LoadResult> result);
    void flushPaint();

    // Takes the view out of service: no callback runs any more; the engine deletes it once no
    // call of it is on the stack.
    void retire();
    bool retired() const { return retired_; }
    bool busy() const { return busy_ > 0; }

    // The test hook's answer to one request line.
    std::wstring answerHook(const std::wstring& request);

    // ScriptHost
    Document& document() override { return doc_; }
    bool hasNative(const std::wstring& name) override;
    js::Value callNative(const std::wstring& name, const std::vector<js::Value>& args) override;
    std::wstring currentUrl() override;
    void navigate(const std::wstring& url) override;
    void documentChanged() override;

    // Keeps the view alive while it may call out; the last one out deletes a retired view, so
    // nothing may touch the view after the outermost Busy of an entry point has gone.
    class Busy {
      public:
        explicit Busy(View& v);
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

      private:
        View& v_;
    };

  private:
    // A script of the page runs: a new page waits until the outermost one has returned.
    class ScriptRun {
      public:
        explicit ScriptRun(View& v);
        ~ScriptRun();
        ScriptRun(const ScriptRun&) = delete;
        ScriptRun& operator=(const ScriptRun&) = delete;

      private:
        View& v_;
    };

    void startNavigation(const std::string& url, bool post, const std::string& body);
    void postLocalCommit(const std::string& url, const std::string& html, const std::string& error);
    void showDocument(Document doc, const std::string& url);
    void relayout();
    void invalidate(const Rect& viewRect);
    void invalidateElement(const Node* element);
    void renderDirty();
    void notifyUrl();
    void runHandler(const wchar_t* attribute, Node* element, bool* prevented);
    void runScriptText(const std::wstring& code);
    void activate(Node* element);
    void submitForm(Node* form, Node* submitter);
    void focusElement(Node* element);
    void moveFocus(bool backwards);
    std::vector<Node*> focusables();
    bool scrollBy(int dy);
    size_t caretAt(const Node* field, int x);
    void updateHover(int x, int y);
    void editField(Node* field);

    Engine& engine_;
    unsigned id_;
    HWND host_ = nullptr;
    HWND hook_ = nullptr;
    bool newWindows_ = true;
    wkePaintUpdatedCallback paintCallback_ = nullptr;
    void* paintParam_ = nullptr;
    wkeURLChangedCallback urlCallback_ = nullptr;
    void* urlParam_ = nullptr;
    std::wstring jarPath_;
    std::vector<std::string> memoryCookies_;

    std::string url_;
    bool loading_ = false;
    unsigned navId_ = 0;
    Document doc_;
    std::unique_ptr<js::Interpreter> script_;
    Layout layout_;
    GdiFonts fonts_;

    int width_ = 1;
    int height_ = 1;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    Rect dirty_;
    Rect unreported_;
    bool paintPosted_ = false;

    int scrollY_ = 0;
    Node* hovered_ = nullptr;
    Node* pressed_ = nullptr;
    Node* focused_ = nullptr;
    bool viewFocused_ = false;
    int cursor_ = WKE_CURSOR_POINTER;

    int busy_ = 0;
    bool retired_ = false;
    int scriptDepth_ = 0;
    std::unique_ptr<LoadResult> pending_;
    unsigned navCounter_ = 0;
    wkeStringObject urlString_;  // what the address callback's engine string shows
};

}  // namespace wke
