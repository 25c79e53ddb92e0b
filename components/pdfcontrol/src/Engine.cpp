#include "Engine.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "Control.h"
#include "ControlInterfaces.h"
#include "Journal.h"
#include "PdfFile.h"

namespace pdfc {
namespace {

bool readFile(const std::wstring& path, std::string* bytes) {
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) {
        return false;
    }
    std::string data;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) {
        data.append(chunk, n);
    }
    bool ok = !ferror(f);
    fclose(f);
    if (ok) {
        *bytes = std::move(data);
    }
    return ok;
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) {
        return false;
    }
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = fclose(f) == 0 && ok;
    return ok;
}

std::string toUtf8(const std::wstring& text) {
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(size, 0)), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    }
    return out;
}

std::wstring fromUtf8(const std::string& text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(std::max(size, 0)), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    }
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            out.push_back(line);
        }
    }
    return out;
}

std::wstring fileName(const std::wstring& path) {
    size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

// The test hook BRAVIK_PDFCONTROL_HOLD_OPEN: opening the document it names holds the UI thread,
// taking no message, until a file of that path with ".release" appended exists (at most ten
// minutes), as a read from a share that does not answer would.
void holdWhenNamedByTest(const std::wstring& path) {
    const DWORD size = GetEnvironmentVariableW(L"BRAVIK_PDFCONTROL_HOLD_OPEN", nullptr, 0);
    std::wstring named(size, L'\0');
    if (size == 0 || GetEnvironmentVariableW(L"BRAVIK_PDFCONTROL_HOLD_OPEN", named.data(), size) != size - 1) {
        return;
    }
    named.resize(size - 1);
    if (CompareStringOrdinal(named.c_str(), -1, path.c_str(), -1, TRUE) != CSTR_EQUAL) {
        return;
    }
    journal(L"holding \"" + path + L"\"");
    const std::wstring release = path + L".release";
    for (int waited = 0; waited < 6000 && GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited) {
        Sleep(100);
    }
    journal(L"held \"" + path + L"\"");
}

}  // namespace

Engine& Engine::get() {
    static Engine engine;
    return engine;
}

bool Engine::openDocument(const std::wstring& path, std::wstring* refusal) {
    holdWhenNamedByTest(path);
    std::string bytes;
    if (path.empty() || !readFile(path, &bytes)) {
        *refusal = L"cannot read the file";
        return false;
    }
    PdfFileInfo info = inspectPdf(bytes);
    if (!info.isPdf) {
        *refusal = L"not a PDF file";
        return false;
    }
    if (!info.complete && !askToRepair(path)) {
        *refusal = L"damaged, not repaired";
        return false;
    }
    documents_.push_back(Document{path, fileName(path), info.pageCount});
    active_ = static_cast<int>(documents_.size()) - 1;
    thumbHistory_[path] = info.pageCount;
    auto old = std::find(docHistory_.begin(), docHistory_.end(), path);
    if (old != docHistory_.end()) {
        docHistory_.erase(old);
    }
    docHistory_.push_back(path);
    status.clear();
    changed();
    return true;
}

CloseOutcome Engine::closeDocument(LONG which) {
    int index = which < 0 ? active_ : static_cast<int>(which);
    if (index < 0 || index >= static_cast<int>(documents_.size())) {
        return CloseOutcome::NoDocument;
    }
    if (documents_[static_cast<size_t>(index)].modified && !askToClose(index)) {
        return CloseOutcome::Kept;
    }
    journal(L"close \"" + documents_[static_cast<size_t>(index)].path + L"\"");
    documents_.erase(documents_.begin() + index);
    // The document opened before the closed one becomes active, as a tabbed viewer does.
    active_ = documents_.empty() ? -1 : std::min(std::max(index - 1, 0), static_cast<int>(documents_.size()) - 1);
    changed();
    if (control_) {
        control_->queueEvent(kEventDocumentClosed);
    } else {
        journal(L"event e.document.closed dropped: no control window");
    }
    return CloseOutcome::Closed;
}

// The question a viewer asks before it drops unsaved changes, in a standard message box over the
// control's window. True when the document may go.
bool Engine::askToClose(int index) {
    const std::wstring path = documents_[static_cast<size_t>(index)].path;
    journal(L"ask save \"" + path + L"\"");
    activate(index);  // the question is about the document the user sees
    const std::wstring question =
        L"Save the changes to \"" + documents_[static_cast<size_t>(index)].name + L"\" before closing?";
    const int answer = MessageBoxW(control_ ? control_->window() : nullptr, question.c_str(), title().c_str(),
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    journal(answer == IDYES ? L"answer yes" : answer == IDNO ? L"answer no" : L"answer cancel");
    bool closing = answer == IDYES || answer == IDNO;
    if (answer == IDYES) {
        // Saved as the user saves, so the program's save handler may still stop it.
        closing = control_ ? control_->performSave() == 1 : saveActiveDocument();
    }
    // The message loops of the question and the save may have changed the list.
    if (!closing || index >= static_cast<int>(documents_.size()) ||
        documents_[static_cast<size_t>(index)].path != path) {
        journal(L"kept \"" + path + L"\"");
        return false;
    }
    return true;
}

// The question a viewer asks before it opens a file that was cut short, in a standard message box
// over the control's window. True when the user lets it repair and open the file.
bool Engine::askToRepair(const std::wstring& path) {
    journal(L"ask repair \"" + path + L"\"");
    const std::wstring question = L"\"" + fileName(path) + L"\" is damaged. Repair it and open it?";
    const int answer = MessageBoxW(control_ ? control_->window() : nullptr, question.c_str(), title().c_str(),
                                   MB_YESNO | MB_ICONWARNING);
    journal(answer == IDYES ? L"answer yes" : L"answer no");
    return answer == IDYES;
}

bool Engine::saveActiveDocument() {
    if (active_ < 0) {
        return false;
    }
    // The stand-in edits nothing, so saving writes the document's bytes back where they came from.
    Document& doc = documents_[static_cast<size_t>(active_)];
    std::string bytes;
    bool ok = readFile(doc.path, &bytes) && writeFile(doc.path, bytes);
    journal(std::wstring(ok ? L"saved \"" : L"save failed \"") + doc.path + L"\"");
    if (ok) {
        doc.modified = false;
        changed();
    }
    return ok;
}

bool Engine::markActiveModified() {
    if (active_ < 0) {
        return false;
    }
    Document& doc = documents_[static_cast<size_t>(active_)];
    doc.modified = true;
    journal(L"modified \"" + doc.path + L"\"");
    changed();
    return true;
}

void Engine::activate(int index) {
    if (index >= 0 && index < static_cast<int>(documents_.size())) {
        active_ = index;
        changed();
    }
}

LONG Engine::eventId(const std::wstring& name) {
    auto it = eventIds_.find(name);
    if (it != eventIds_.end()) {
        return it->second;
    }
    LONG id = nextEventId_++;
    eventIds_.emplace(name, id);
    return id;
}

bool Engine::isEventId(LONG id) const {
    return id >= kFirstEventId && id < nextEventId_;
}

void Engine::enableEvent(LONG id, bool enable) {
    enabled_[id] = enable;
}

bool Engine::isEnabled(LONG id) const {
    auto it = enabled_.find(id);
    return it != enabled_.end() && it->second;
}

void Engine::detachControl(Control* control) {
    if (control_ == control) {
        control_ = nullptr;
    }
}

std::wstring Engine::title() const {
    auto set = settings->values.find(L"General.AppTitle");
    return set != settings->values.end() ? set->second : std::wstring(L"PDF control");
}

void Engine::changed() {
    if (control_) {
        control_->repaint();
    }
}

void Engine::start(const std::wstring& docHistory, const std::wstring& thumbHistory) {
    running_ = true;
    std::string bytes;
    if (!docHistory.empty() && readFile(docHistory, &bytes)) {
        for (const auto& line : lines(bytes)) {
            std::wstring path = fromUtf8(line);
            if (std::find(docHistory_.begin(), docHistory_.end(), path) == docHistory_.end()) {
                docHistory_.push_back(path);
            }
        }
    }
    if (!thumbHistory.empty() && readFile(thumbHistory, &bytes)) {
        for (const auto& line : lines(bytes)) {
            size_t tab = line.find('\t');
            if (tab != std::string::npos) {
                thumbHistory_.emplace(fromUtf8(line.substr(tab + 1)), std::atoi(line.substr(0, tab).c_str()));
            }
        }
    }
}

// DocHistory.dat: one UTF-8 path a line, the most recent last. ThumbsHistory.dat: page count, a
// tab and the path, a line for each document ever seen.
void Engine::shutdown(const std::wstring& docHistory, const std::wstring& thumbHistory) {
    running_ = false;
    std::string docs;
    for (const auto& path : docHistory_) {
        docs += toUtf8(path) + "\n";
    }
    std::string thumbs;
    for (const auto& [path, pages] : thumbHistory_) {
        thumbs += std::to_string(pages) + "\t" + toUtf8(path) + "\n";
    }
    if (!docHistory.empty() && !writeFile(docHistory, docs)) {
        journal(L"history not written: \"" + docHistory + L"\"");
    }
    if (!thumbHistory.empty() && !writeFile(thumbHistory, thumbs)) {
        journal(L"history not written: \"" + thumbHistory + L"\"");
    }
}

}  // namespace pdfc
