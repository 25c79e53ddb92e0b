#include "Engine.h"

#include "HookWindow.h"
#include "Text.h"
#include "View.h"

namespace wke {

namespace {

constexpr wchar_t kWindowClass[] = L"wke.Engine";

Engine* g_engine = nullptr;

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&g_engine), &module);
    return module;
}

}  // namespace

Engine* Engine::get() {
    return g_engine;
}

void Engine::initialize() {
    if (!g_engine) {
        g_engine = new Engine;
    }
}

void Engine::shutdown() {
    if (!g_engine) {
        return;
    }
    bool busy = !g_engine->dying_.empty();
    for (const auto& [id, view] : g_engine->views_) {
        busy = busy || view->busy();
    }
    if (busy) {
        // Called from inside one of the views' callbacks: the engine cannot go from under it.
        return;
    }
    delete g_engine;
    g_engine = nullptr;
}

Engine::Engine() : module_(thisModule()) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Engine::windowProc;
    wc.hInstance = module_;
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    registerHookClass(module_);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, nullptr);
}

// The transfer library (and its TLS library) and the loading thread start with the first page a
// view loads, not with the engine: a process that loads no page never pays for them.
Loader& Engine::loader() {
    if (!loader_) {
        if (!transfersStarted_) {
            startTransfers();
            transfersStarted_ = true;
        }
        loader_ = std::make_unique<Loader>([this](std::unique_ptr<LoadResult> result) {
            if (PostMessageW(window_, kCommitMessage, 0, reinterpret_cast<LPARAM>(result.get()))) {
                result.release();
            }
        });
    }
    return *loader_;
}

void Engine::cancelLoads(unsigned viewId) {
    if (loader_) {
        loader_->cancel(viewId);
    }
}

Engine::~Engine() {
    loader_.reset();
    // Results the worker posted but nobody read are the messages' own.
    MSG msg;
    while (window_ && PeekMessageW(&msg, window_, kCommitMessage, kCommitMessage, PM_REMOVE)) {
        delete reinterpret_cast<LoadResult*>(msg.lParam);
    }
    for (auto& [id, view] : views_) {
        view->retire();
    }
    views_.clear();
    if (window_) {
        DestroyWindow(window_);
    }
    UnregisterClassW(kWindowClass, module_);
    unregisterHookClass(module_);
    if (transfersStarted_) {
        endTransfers();
    }
}

View* Engine::createView() {
    const unsigned id = nextViewId_++;
    auto view = std::make_unique<View>(*this, id);
    View* v = view.get();
    views_[id] = std::move(view);
    return v;
}

void Engine::destroyView(View* view) {
    auto it = views_.find(view->id());
    if (it == views_.end()) {
        return;
    }
    cancelLoads(view->id());
    std::unique_ptr<View> owned = std::move(it->second);
    views_.erase(it);
    owned->retire();
    if (owned->busy()) {
        // A callback of this view is on the stack: the view deletes itself when it returns.
        dying_.push_back(owned.release());
    }
}

View* Engine::viewOf(wkeWebView handle) const {
    for (const auto& [id, view] : views_) {
        if (view->handle() == handle) {
            return view.get();
        }
    }
    return nullptr;
}

void Engine::forgetDying(View* view) {
    std::erase(dying_, view);
}

View* Engine::viewById(unsigned id) const {
    auto it = views_.find(id);
    return it == views_.end() ? nullptr : it->second.get();
}

void Engine::bind(const std::string& name, jsNativeFunction function, unsigned argCount) {
    const std::wstring wide = utf8ToWide(name);
    if (wide.empty()) {
        return;
    }
    if (!function) {
        bound_.erase(wide);
        return;
    }
    bound_[wide] = {function, argCount};
}

const BoundFunction* Engine::bound(const std::wstring& name) const {
    auto it = bound_.find(name);
    return it == bound_.end() ? nullptr : &it->second;
}

void Engine::post(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window_, msg, wParam, lParam) && msg == kCommitMessage) {
        delete reinterpret_cast<LoadResult*>(lParam);
    }
}

LRESULT CALLBACK Engine::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == kCommitMessage || msg == kPaintMessage) {
        if (g_engine && g_engine->window_ == hwnd) {
            try {
                g_engine->onMessage(msg, wParam, lParam);
            } catch (...) {
                OutputDebugStringW(L"wke: a page step failed\n");
            }
        } else if (msg == kCommitMessage) {
            delete reinterpret_cast<LoadResult*>(lParam);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Engine::onMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCommitMessage) {
        std::unique_ptr<LoadResult> result(reinterpret_cast<LoadResult*>(lParam));
        if (View* v = viewById(result->viewId)) {
            v->commit(std::move(result));
        }
        return;
    }
    if (View* v = viewById(static_cast<unsigned>(wParam))) {
        v->flushPaint();
    }
}

}  // namespace wke
