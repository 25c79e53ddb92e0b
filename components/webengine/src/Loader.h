#pragma once

// Transfers of pages over HTTP and HTTPS on one worker thread, one at a time in the order asked,
// through libcurl. TLS peers are verified against "curl-ca-bundle.crt" beside the executable.
// Cookies come from the request's jar file (or its in-memory cookies) and go back to it after
// every transfer.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wke {

struct LoadRequest {
    unsigned viewId = 0;
    unsigned navId = 0;
    std::string url;
    bool post = false;
    std::string body;  // of a POST, application/x-www-form-urlencoded
    std::string referer;
    std::wstring jarPath;  // empty: the cookies below, kept by the view
    std::vector<std::string> memoryCookies;
};

struct LoadResult {
    unsigned viewId = 0;
    unsigned navId = 0;
    bool transferred = false;  // from the network (not a blank or an error page of the view)
    bool ok = false;           // a response arrived (whatever its status)
    std::string error;         // when not ok
    long status = 0;
    std::string finalUrl;  // after redirects
    std::string contentType;
    std::string body;
    std::vector<std::string> cookies;  // the cookies after the transfer
};

class Loader {
  public:
    // deliver runs on the worker thread with each finished (or failed) transfer; it is not called
    // for transfers that were cancelled.
    using Deliver = std::function<void(std::unique_ptr<LoadResult>)>;

    explicit Loader(Deliver deliver);
    // Stops the running transfer and the thread.
    ~Loader();
    Loader(const Loader&) = delete;
    Loader& operator=(const Loader&) = delete;

    // Queues a transfer; it replaces the queued or running transfer of the same view.
    void submit(LoadRequest request);
    // Drops the view's queued transfer and stops its running one.
    void cancel(unsigned viewId);

  private:
    void run();
    bool stale(unsigned viewId, unsigned navId);
    std::unique_ptr<LoadResult> transfer(const LoadRequest& request);

    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<LoadRequest> queue_;
    std::map<unsigned, unsigned> latest_;  // view -> the navigation it wants now (0: none)
    bool stop_ = false;
    std::string caBundle_;
    bool caLoaded_ = false;
    std::thread thread_;
};

// The transfer library's process-wide set-up and tear-down, around the loaders' lives.
void startTransfers();
void endTransfers();

// "curl-ca-bundle.crt" in the folder of the running executable; "" when it cannot be read.
std::string readCaBundleBesideExecutable();
// An address as libcurl takes it: blanks, control and non-ASCII bytes percent-encoded.
std::string escapeForTransfer(const std::string& url);

}  // namespace wke
