#pragma once

// The engine of the process: its views, the bound script functions, the worker that transfers
// pages, and the message-only window through which the worker's results and the views' paint
// reports reach the thread that initialised the engine.

#include <windows.h>

#include <webengine/wke.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Loader.h"
#include "ScriptValues.h"

namespace wke {

class View;

struct BoundFunction {
    jsNativeFunction function = nullptr;
    unsigned argCount = 0;
};

class Engine {
  public:
    // The engine while it is initialised, else null.
    static Engine* get();
    static void initialize();
    static void shutdown();

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    View* createView();
    void destroyView(View* view);
    // The live view behind a handle, or null for anything else.
    View* viewOf(wkeWebView handle) const;
    View* viewById(unsigned id) const;
    // A retired view that was busy has deleted itself.
    void forgetDying(View* view);

    void bind(const std::string& name, jsNativeFunction function, unsigned argCount);
    const BoundFunction* bound(const std::wstring& name) const;
    ScriptValues& values() { return values_; }

    // The loading thread, started with the transfers on the first page a view loads.
    Loader& loader();
    // Drops the view's pending loads; nothing to do while nothing was ever loaded.
    void cancelLoads(unsigned viewId);
    HINSTANCE module() const { return module_; }
    // Posts a message to the engine's window: msg is kCommitMessage (lParam a LoadResult*, owned
    // by the message) or kPaintMessage (wParam the view id).
    void post(UINT msg, WPARAM wParam, LPARAM lParam);

    static constexpr UINT kCommitMessage = WM_APP + 1;
    static constexpr UINT kPaintMessage = WM_APP + 2;

  private:
    Engine();
    ~Engine();
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void onMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HINSTANCE module_;
    HWND window_ = nullptr;
    std::unique_ptr<Loader> loader_;
    bool transfersStarted_ = false;
    std::map<unsigned, std::unique_ptr<View>> views_;
    std::vector<View*> dying_;  // retired while busy; each deletes itself
    std::map<std::wstring, BoundFunction> bound_;
    ScriptValues values_;
    unsigned nextViewId_ = 1;
};

}  // namespace wke
