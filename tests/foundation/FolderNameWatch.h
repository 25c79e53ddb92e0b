#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "foundation/UniqueHandle.h"

// The names of the files made in a folder (renamed into it included) from the watch's start. To
// know that everything made so far has been reported, madeSoFar() makes a marker file of its own
// and reads the folder's changes up to it.
class FolderNameWatch {
  public:
    explicit FolderNameWatch(std::filesystem::path folder)
        : folder_(std::move(folder)),
          dir_(CreateFileW(folder_.c_str(),
                           FILE_LIST_DIRECTORY,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr,
                           OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
                           nullptr)),
          done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        armed_ = arm();
    }
    ~FolderNameWatch() {
        if (armed_) {
            CancelIo(dir_.get());
            DWORD ignored = 0;
            GetOverlappedResult(dir_.get(), &read_, &ignored, TRUE);
        }
    }
    FolderNameWatch(const FolderNameWatch&) = delete;
    FolderNameWatch& operator=(const FolderNameWatch&) = delete;

    bool watching() const { return armed_; }

    // In the order made, without the marker; a line in angle brackets when changes were lost.
    std::vector<std::wstring> madeSoFar() {
        const std::wstring marker = L"folder-name-watch.marker";
        ScratchDir::writeBytes(folder_ / marker, "");
        std::vector<std::wstring> names;
        for (bool markerSeen = false; !markerSeen;) {
            DWORD size = 0;
            if (!armed_ || WaitForSingleObject(done_.get(), 10000) != WAIT_OBJECT_0 ||
                !GetOverlappedResult(dir_.get(), &read_, &size, FALSE)) {
                names.push_back(L"<the marker was not reported>");
                break;
            }
            armed_ = false;
            if (size == 0) {
                names.push_back(L"<changes lost>");
            }
            for (DWORD at = 0; size != 0;) {
                const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + at);
                const std::wstring name(change->FileName, change->FileNameLength / sizeof(wchar_t));
                if (change->Action == FILE_ACTION_ADDED || change->Action == FILE_ACTION_RENAMED_NEW_NAME) {
                    markerSeen = markerSeen || name == marker;
                    if (name != marker) {
                        names.push_back(name);
                    }
                }
                if (change->NextEntryOffset == 0) {
                    break;
                }
                at += change->NextEntryOffset;
            }
            armed_ = arm();
        }
        std::filesystem::remove(folder_ / marker);
        return names;
    }

  private:
    bool arm() {
        read_ = OVERLAPPED{};
        read_.hEvent = done_.get();
        ResetEvent(done_.get());
        return dir_.valid() && done_.valid() &&
               ReadDirectoryChangesW(dir_.get(), buffer_, sizeof(buffer_), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME, nullptr,
                                     &read_, nullptr);
    }

    std::filesystem::path folder_;
    UniqueHandle dir_;
    UniqueHandle done_;
    OVERLAPPED read_{};
    alignas(DWORD) BYTE buffer_[16384];
    bool armed_ = false;
};
