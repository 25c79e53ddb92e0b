#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// The engine's state, one per process: the open documents, the event IDs and which events are on,
// the user interface state the model objects change, the settings tree and the history files.
// Every instance object (the engine object and what the control's property 106 gives) works on it.
namespace pdfc {

class Control;

struct Document {
    std::wstring path;
    std::wstring name;
    int pageCount = 0;
    bool modified = false;  // unsaved changes: closing asks the user first
};

enum class CloseOutcome { Closed, Kept, NoDocument };

// The test hooks' code of a close: 1 closed, 0 kept open by the user, -1 no document.
inline int closeOutcomeCode(CloseOutcome outcome) {
    return outcome == CloseOutcome::Closed ? 1 : outcome == CloseOutcome::Kept ? 0 : -1;
}

struct SettingsData {
    std::map<std::wstring, std::wstring> values;
    std::map<std::wstring, std::shared_ptr<SettingsData>> children;
    std::vector<std::shared_ptr<SettingsData>> entries;
};

class Engine {
  public:
    static Engine& get();

    // Documents. open refuses a file it cannot read or that is not a PDF, and says why.
    bool openDocument(const std::wstring& path, std::wstring* refusal);
    // -1 closes the active document, 0 and up the one at that index; "e.document.closed" follows.
    // A document with unsaved changes asks the user first: saved (yes), dropped (no), or kept
    // open (cancel, or a save that did not happen), and a kept document fires nothing.
    CloseOutcome closeDocument(LONG which);
    bool saveActiveDocument();
    // The active document gets unsaved changes, as an edit gives it; false without a document.
    bool markActiveModified();
    const std::vector<Document>& documents() const { return documents_; }
    int activeIndex() const { return active_; }
    void activate(int index);

    // Event IDs are stable per name for the life of the process.
    LONG eventId(const std::wstring& name);
    // Whether eventId has ever given this ID.
    bool isEventId(LONG id) const;
    void enableEvent(LONG id, bool enable);
    bool isEnabled(LONG id) const;

    // The control whose window shows the documents and fires the events.
    void attachControl(Control* control) { control_ = control; }
    void detachControl(Control* control);
    Control* control() const { return control_; }
    void changed();
    // The title the control shows, also over its questions: "General.AppTitle" once set.
    std::wstring title() const;

    // History files: read at start, written at shut-down.
    void start(const std::wstring& docHistory, const std::wstring& thumbHistory);
    void shutdown(const std::wstring& docHistory, const std::wstring& thumbHistory);
    bool running() const { return running_; }

    // User interface state set through the model objects.
    ULONG tabCount = 12;
    std::vector<bool> tabHidden = std::vector<bool>(12, false);
    std::wstring tool;
    std::vector<std::wstring> shownViews;
    std::wstring status;
    std::shared_ptr<SettingsData> settings = std::make_shared<SettingsData>();
    // Set by a test hook: the next close chain gives no view set (its T.25 fails), once.
    bool failNextCloseChain = false;

  private:
    Engine() = default;
    bool askToClose(int index);
    bool askToRepair(const std::wstring& path);

    std::vector<Document> documents_;
    int active_ = -1;
    std::map<std::wstring, LONG> eventIds_;
    std::map<LONG, bool> enabled_;
    static constexpr LONG kFirstEventId = 0x1001;
    LONG nextEventId_ = kFirstEventId;
    Control* control_ = nullptr;
    bool running_ = false;
    std::vector<std::wstring> docHistory_;      // paths, oldest first
    std::map<std::wstring, int> thumbHistory_;  // path -> page count
};

}  // namespace pdfc
