// The command line's file list, quoted and unquoted, over any wide text. Every path the sink
// receives is a piece of the text, so never longer than it, and the quoted cut that reports 0
// handed nothing over.
#include "CommandLineCutter.h"
#include "FuzzInput.h"

namespace {

class CheckingSink final : public PathSink {
  public:
    explicit CheckingSink(std::wstring_view text) : text_(text) {}

    void openPath(const wchar_t* path) override {
        const std::wstring_view handed(path);
        FUZZ_CHECK(handed.size() <= text_.size());
        FUZZ_CHECK(text_.find(handed) != std::wstring_view::npos);
        ++handedOver;
    }

    size_t handedOver = 0;

  private:
    std::wstring_view text_;
};

// Cuts a copy exactly as long as the text and its terminator, so that a write past it is caught.
template <class Cut>
size_t cutCopy(std::wstring_view text, Cut cut) {
    std::vector<wchar_t> buffer(text.begin(), text.end());
    buffer.push_back(L'\0');
    CheckingSink sink(text);
    cut(buffer.data(), sink);
    return sink.handedOver;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring wide = fuzz::wideOf(fuzz::unitsOf(data, size));
    // A command line ends at its first zero unit.
    const std::wstring_view text(wide.c_str());
    int result = -1;
    const size_t handed = cutCopy(text, [&](wchar_t* t, PathSink& sink) { result = cutQuotedFileList(t, sink); });
    FUZZ_CHECK(result == 0 || result == 1);
    FUZZ_CHECK(result == 1 || handed == 0);
    cutCopy(text, [](wchar_t* t, PathSink& sink) { cutUnquotedFileList(t, sink); });
    return 0;
}
