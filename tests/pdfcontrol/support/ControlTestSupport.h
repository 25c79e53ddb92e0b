#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Helpers for tests that host the PDF control stand-in: the module with its registration and test
// hooks, a plain host window, message pumping, scratch folders and sample PDFs.
namespace pdftest {

// wke.dll loaded from beside the test and registered in this Wine prefix (idempotent, so parallel
// tests in one prefix agree). With `registerIt` false it only reads the module already loaded.
class ControlModule {
  public:
    explicit ControlModule(bool registerIt = true);
    ~ControlModule();
    ControlModule(const ControlModule&) = delete;
    ControlModule& operator=(const ControlModule&) = delete;

    bool registered() const { return registered_; }
    std::wstring journal() const;
    std::vector<std::wstring> journalLines() const;
    void clearJournal() const;
    int fireEvent(const wchar_t* name) const;
    int performSave() const;
    void setTabCount(ULONG count) const;
    int markModified() const;
    int closeDocument() const;
    // The next close chain of the program fails once (see PdfcFailNextCloseChain).
    void failNextCloseChain() const;

  private:
    HMODULE module_ = nullptr;
    bool registered_ = false;
};

// The calls the loaded control module refused (each journalled as "refused <call>: <reason>")
// since the last take. Every test of a process that links support/RefusalWatch.cpp takes them at
// its start and fails when any are left at its end; a test that provokes refusals takes its own.
int takeRefusals();

// A visible top-level window of a plain class, standing in for the main window.
class HostWindow {
  public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

  private:
    HWND hwnd_ = nullptr;
};

// Answers the next standard message box of this process as the user would: a thread of its own
// waits for it, keeps its text and owner and clicks the button (IDYES, IDNO, IDCANCEL).
class MessageBoxAnswer {
  public:
    explicit MessageBoxAnswer(int buttonId, std::chrono::milliseconds limit = std::chrono::seconds(10));
    ~MessageBoxAnswer();
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;
    // Waits for the thread; whether a box was answered. Then text() and owner() hold its values.
    bool finish();
    const std::wstring& text() const { return text_; }
    HWND owner() const { return owner_; }

  private:
    void run(int buttonId, std::chrono::milliseconds limit);
    bool answered_ = false;
    std::wstring text_;
    HWND owner_ = nullptr;
    std::thread thread_;  // last: it starts once the fields it writes exist
};

// Runs the message loop until `done` holds or the time is up; returns `done()`.
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));
void pumpPending();

// A fresh empty folder under the temporary folder, ending with a backslash.
std::wstring makeScratchDir(const std::wstring& tag);
// A small well-formed PDF with `pages` pages.
void writeSamplePdf(const std::wstring& path, int pages);
void writeFileBytes(const std::wstring& path, const std::string& bytes);
std::string readFileBytes(const std::wstring& path);

// Index of the first line at or after `from` that contains `part`, or -1.
int findLine(const std::vector<std::wstring>& lines, const std::wstring& part, int from = 0);
// Whether every part occurs in this order, each on a later line than the one before.
bool inOrder(const std::vector<std::wstring>& lines, const std::vector<std::wstring>& parts);
int countLines(const std::vector<std::wstring>& lines, const std::wstring& part);

}  // namespace pdftest
