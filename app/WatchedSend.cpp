#include "WatchedSend.h"

WatchedSend::WatchedSend(HWND window, UINT message, std::wstring copyDataPath)
    : job_(new Job{window, message, std::move(copyDataPath), false, 0}) {
    thread_.reset(CreateThread(nullptr, 0, &WatchedSend::run, job_.get(), 0, nullptr));
}

WatchedSend::~WatchedSend() {
    if (started() && !returned(0)) {
        // The thread still waits in the receiver's queue and writes the result into its job when
        // the receiver answers: the job stays with it.
        static_cast<void>(job_.release());
    }
}

bool WatchedSend::returned(DWORD waitMs) const {
    return started() && WaitForSingleObject(thread_.get(), waitMs) == WAIT_OBJECT_0;
}

DWORD WINAPI WatchedSend::run(void* context) noexcept {
    auto* job = static_cast<Job*>(context);
    COPYDATASTRUCT data = {0, static_cast<DWORD>((job->path.size() + 1) * sizeof(wchar_t)), job->path.data()};
    const LPARAM parameter = job->message == WM_COPYDATA ? reinterpret_cast<LPARAM>(&data) : 0;
    // Unlike SendMessageW, this tells a receiver that ended before it answered from one that did.
    DWORD_PTR result = 0;
    job->answered = SendMessageTimeoutW(job->window, job->message, 0, parameter, SMTO_NORMAL, INFINITE, &result) != 0;
    job->result = static_cast<LRESULT>(result);
    return 0;
}
