#include "Loader.h"

// libcurl brings winsock2.h, which must come before windows.h.
// clang-format off
#include <winsock2.h>
#include <windows.h>
// clang-format on

#include <curl/curl.h>

#include "CookieJar.h"

namespace wke {

namespace {

constexpr size_t kMaxBody = 8 * 1024 * 1024;
constexpr long kConnectTimeout = 15;
constexpr long kTotalTimeout = 60;
constexpr char kUserAgent[] = "Mozilla/5.0 (Windows NT 6.1) wke-node/1.0";

struct Transfer {
    std::string body;
    bool tooLarge = false;
    std::function<bool()> stale;
};

size_t collect(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t->body.size() + n > kMaxBody) {
        t->tooLarge = true;
        return 0;
    }
    t->body.append(data, n);
    return n;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->stale() ? 1 : 0;
}

class Easy {
  public:
    Easy() : h_(curl_easy_init()) {}
    Easy(const Easy&) = delete;
    Easy& operator=(const Easy&) = delete;
    ~Easy() {
        if (h_) {
            curl_easy_cleanup(h_);
        }
    }
    CURL* get() const { return h_; }

  private:
    CURL* h_;
};

class SList {
  public:
    SList() = default;
    SList(const SList&) = delete;
    SList& operator=(const SList&) = delete;
    ~SList() { curl_slist_free_all(list_); }
    void append(const char* s) {
        if (curl_slist* l = curl_slist_append(list_, s)) {
            list_ = l;
        }
    }
    curl_slist* get() const { return list_; }

  private:
    curl_slist* list_ = nullptr;
};

std::vector<std::string> cookiesOf(CURL* h) {
    std::vector<std::string> out;
    curl_slist* list = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_COOKIELIST, &list) == CURLE_OK) {
        for (curl_slist* l = list; l; l = l->next) {
            out.emplace_back(l->data);
        }
        curl_slist_free_all(list);
    }
    return out;
}

}  // namespace

void startTransfers() {
    curl_global_init(CURL_GLOBAL_ALL);
}

void endTransfers() {
    curl_global_cleanup();
}

std::string readCaBundleBesideExecutable() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return {};
    }
    std::wstring file(path, n);
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"curl-ca-bundle.crt";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string data;
    const DWORD size = GetFileSize(h, nullptr);
    if (size != INVALID_FILE_SIZE && size < 16 * 1024 * 1024) {
        data.resize(size);
        DWORD got = 0;
        if (!ReadFile(h, data.data(), size, &got, nullptr)) {
            got = 0;
        }
        data.resize(got);
    }
    CloseHandle(h);
    return data;
}

std::string escapeForTransfer(const std::string& url) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : url) {
        if (c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
            c == '{' || c == '|' || c == '}') {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

Loader::Loader(Deliver deliver) : deliver_(std::move(deliver)), thread_([this] { run(); }) {}

Loader::~Loader() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void Loader::submit(LoadRequest request) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_[request.viewId] = request.navId;
        for (auto it = queue_.begin(); it != queue_.end();) {
            it = it->viewId == request.viewId ? queue_.erase(it) : it + 1;
        }
        queue_.push_back(std::move(request));
    }
    wake_.notify_all();
}

void Loader::cancel(unsigned viewId) {
    std::lock_guard<std::mutex> lock(mutex_);
    latest_[viewId] = 0;
    for (auto it = queue_.begin(); it != queue_.end();) {
        it = it->viewId == viewId ? queue_.erase(it) : it + 1;
    }
}

bool Loader::stale(unsigned viewId, unsigned navId) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = latest_.find(viewId);
    return stop_ || it == latest_.end() || it->second != navId;
}

void Loader::run() {
    for (;;) {
        LoadRequest request;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
            if (stop_) {
                return;
            }
            request = std::move(queue_.front());
            queue_.pop_front();
        }
        std::unique_ptr<LoadResult> result = transfer(request);
        if (result && !stale(request.viewId, request.navId)) {
            deliver_(std::move(result));
        }
    }
}

std::unique_ptr<LoadResult> Loader::transfer(const LoadRequest& request) {
    auto result = std::make_unique<LoadResult>();
    result->viewId = request.viewId;
    result->navId = request.navId;
    result->finalUrl = request.url;
    result->transferred = true;
    if (!caLoaded_) {
        caBundle_ = readCaBundleBesideExecutable();
        caLoaded_ = true;
    }
    const bool https = request.url.compare(0, 8, "https://") == 0;
    if (https && caBundle_.empty()) {
        result->error = "no certificate bundle (curl-ca-bundle.crt) beside the program";
        return result;
    }
    Easy easy;
    CURL* h = easy.get();
    if (!h) {
        result->error = "out of memory";
        return result;
    }
    Transfer t{{}, false, [this, &request] { return stale(request.viewId, request.navId); }};
    char errorText[CURL_ERROR_SIZE] = {};
    const std::string url = escapeForTransfer(request.url);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeout);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, kTotalTimeout);
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_blob ca = {caBundle_.data(), caBundle_.size(), CURL_BLOB_NOCOPY};
    if (!caBundle_.empty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO_BLOB, &ca);
    }
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
    if (!request.referer.empty()) {
        const std::string referer = escapeForTransfer(request.referer);
        curl_easy_setopt(h, CURLOPT_REFERER, referer.c_str());
    }
    if (request.post) {
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.body.size()));
        curl_easy_setopt(h, CURLOPT_COPYPOSTFIELDS, request.body.c_str());
    }
    SList headers;
    headers.append("Accept: text/html,text/plain;q=0.9,*/*;q=0.8");
    headers.append("Accept-Language: zh-CN,zh;q=0.9");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());

    // The cookie engine on, fed with the jar's lines.
    curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");
    const std::vector<std::string> before =
        request.jarPath.empty() ? request.memoryCookies : readCookieJar(request.jarPath);
    for (const std::string& line : before) {
        curl_easy_setopt(h, CURLOPT_COOKIELIST, line.c_str());
    }

    const CURLcode rc = curl_easy_perform(h);
    result->cookies = cookiesOf(h);
    if (!request.jarPath.empty() && result->cookies != before) {
        writeCookieJar(request.jarPath, result->cookies);
    }
    if (rc != CURLE_OK) {
        if (t.stale()) {
            return nullptr;
        }
        result->error = t.tooLarge ? "the page is too large" : (errorText[0] ? errorText : curl_easy_strerror(rc));
        return result;
    }
    result->ok = true;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result->status);
    char* effective = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective) {
        result->finalUrl = effective;
    }
    char* type = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) {
        result->contentType = type;
    }
    result->body = std::move(t.body);
    return result;
}

}  // namespace wke
