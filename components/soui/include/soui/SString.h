#pragma once

// Counted strings of the UI library, narrow (bytes in a code page the caller knows) and wide (UTF-16).
// Header-only: the C++ runtime is shared by all modules, so these may cross module boundaries.

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <algorithm>
#include <string>
#include <utility>

namespace SOUI {

template <class T>
struct TStringTraits;

// msvcrt's counting and bounded formatters: "%s" takes the string of the format's own width, as on
// Windows (the C99 forms that mingw-w64 selects in C++ read a wide "%s" as narrow).
template <>
struct TStringTraits<char> {
    static int length(const char* s) { return s ? static_cast<int>(strlen(s)) : 0; }
    static int compare(const char* a, const char* b) { return strcmp(a, b); }
    static int compareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
    static int countFormat(const char* fmt, va_list args) { return _vscprintf(fmt, args); }
    static int format(char* out, size_t n, const char* fmt, va_list args) { return _vsnprintf(out, n, fmt, args); }
    // The thread's ANSI code page may be double-byte: only the system's case mapping knows which
    // bytes are letters.
    static void lower(char* s, int n) { CharLowerBuffA(s, static_cast<DWORD>(n)); }
    static void upper(char* s, int n) { CharUpperBuffA(s, static_cast<DWORD>(n)); }
    static const char* find(const char* s, const char* sub) { return strstr(s, sub); }
};

template <>
struct TStringTraits<wchar_t> {
    static int length(const wchar_t* s) { return s ? static_cast<int>(wcslen(s)) : 0; }
    static int compare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
    static int compareNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
    static int countFormat(const wchar_t* fmt, va_list args) { return _vscwprintf(fmt, args); }
    static int format(wchar_t* out, size_t n, const wchar_t* fmt, va_list args) {
        return _vsnwprintf(out, n, fmt, args);
    }
    static void lower(wchar_t* s, int n) { CharLowerBuffW(s, static_cast<DWORD>(n)); }
    static void upper(wchar_t* s, int n) { CharUpperBuffW(s, static_cast<DWORD>(n)); }
    static const wchar_t* find(const wchar_t* s, const wchar_t* sub) { return wcsstr(s, sub); }
};

template <class T>
class TStringT {
    using Traits = TStringTraits<T>;

  public:
    using XCHAR = T;

    TStringT() = default;
    TStringT(const T* text) : data_(text ? text : empty()) {}
    TStringT(const T* text, int count) {
        if (text && count > 0) {
            data_.assign(text, static_cast<size_t>(count));
        }
    }
    explicit TStringT(T ch, int repeat = 1) : data_(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}
    explicit TStringT(std::basic_string<T> text) : data_(std::move(text)) {}

    TStringT& operator=(const T* text) {
        data_ = text ? text : empty();
        return *this;
    }
    TStringT& operator=(T ch) {
        data_.assign(1, ch);
        return *this;
    }

    int GetLength() const { return static_cast<int>(data_.size()); }
    bool IsEmpty() const { return data_.empty(); }
    void Empty() { data_.clear(); }
    const T* c_str() const { return data_.c_str(); }
    operator const T*() const { return data_.c_str(); }
    const std::basic_string<T>& str() const { return data_; }

    T GetAt(int index) const { return data_.at(static_cast<size_t>(index)); }
    void SetAt(int index, T ch) { data_.at(static_cast<size_t>(index)) = ch; }
    T operator[](int index) const { return GetAt(index); }

    TStringT& Append(const T* text, int count) {
        if (text && count > 0) {
            data_.append(text, static_cast<size_t>(count));
        }
        return *this;
    }
    TStringT& Append(const T* text) { return Append(text, Traits::length(text)); }
    TStringT& AppendChar(T ch) {
        data_.push_back(ch);
        return *this;
    }
    TStringT& operator+=(const TStringT& other) {
        data_ += other.data_;
        return *this;
    }
    TStringT& operator+=(const T* text) { return Append(text); }
    TStringT& operator+=(T ch) { return AppendChar(ch); }

    // Ordinal comparison of the texts up to their first zero, as the C runtime compares.
    int Compare(const T* text) const { return Traits::compare(c_str(), text ? text : empty()); }
    int CompareNoCase(const T* text) const { return Traits::compareNoCase(c_str(), text ? text : empty()); }

    TStringT Mid(int first) const { return Mid(first, GetLength()); }
    TStringT Mid(int first, int count) const {
        first = clamp(first);
        count = count < 0 ? 0 : count;
        if (count > GetLength() - first) {
            count = GetLength() - first;
        }
        return TStringT(data_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
    }
    TStringT Left(int count) const { return Mid(0, count); }
    TStringT Right(int count) const {
        count = clamp(count);
        return Mid(GetLength() - count, count);
    }

    // Positions are character indices; -1 when absent.
    int Find(T ch, int start = 0) const { return toIndex(data_.find(ch, static_cast<size_t>(clamp(start)))); }
    int Find(const T* sub, int start = 0) const {
        if (!sub || start < 0 || start > GetLength()) {
            return -1;
        }
        return toIndex(data_.find(sub, static_cast<size_t>(start)));
    }
    int ReverseFind(T ch) const { return toIndex(data_.rfind(ch)); }

    int Replace(T from, T to) {
        int count = 0;
        for (T& c : data_) {
            if (c == from) {
                c = to;
                ++count;
            }
        }
        return count;
    }
    // Replaces every occurrence, scanning left to right past each replacement; an empty search text
    // replaces nothing.
    int Replace(const T* from, const T* to) {
        const int fromLength = Traits::length(from);
        if (fromLength == 0) {
            return 0;
        }
        const std::basic_string<T> replacement = to ? to : empty();
        int count = 0;
        for (size_t at = data_.find(from); at != std::basic_string<T>::npos;
             at = data_.find(from, at + replacement.size())) {
            data_.replace(at, static_cast<size_t>(fromLength), replacement);
            ++count;
        }
        return count;
    }
    int Remove(T ch) {
        const size_t before = data_.size();
        std::erase(data_, ch);
        return static_cast<int>(before - data_.size());
    }
    int Insert(int index, const T* text) {
        data_.insert(static_cast<size_t>(clamp(index)), text ? text : empty());
        return GetLength();
    }
    int Insert(int index, T ch) {
        data_.insert(static_cast<size_t>(clamp(index)), 1, ch);
        return GetLength();
    }
    int Delete(int index, int count = 1) {
        if (index >= 0 && index < GetLength() && count > 0) {
            data_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
        }
        return GetLength();
    }

    TStringT& MakeLower() {
        if (!data_.empty()) {
            Traits::lower(data_.data(), GetLength());
        }
        return *this;
    }
    TStringT& MakeUpper() {
        if (!data_.empty()) {
            Traits::upper(data_.data(), GetLength());
        }
        return *this;
    }

    TStringT& TrimRight() {
        const size_t end = data_.find_last_not_of(blanks());
        data_.erase(end == std::basic_string<T>::npos ? 0 : end + 1);
        return *this;
    }
    TStringT& TrimLeft() {
        data_.erase(0, std::min(data_.find_first_not_of(blanks()), data_.size()));
        return *this;
    }
    TStringT& Trim() { return TrimRight().TrimLeft(); }

    // printf-style formatting replacing the whole text; a format that cannot be counted leaves it empty.
    void Format(const T* format, ...) {
        va_list args;
        va_start(args, format);
        FormatV(format, args);
        va_end(args);
    }
    void AppendFormat(const T* format, ...) {
        va_list args;
        va_start(args, format);
        TStringT more;
        more.FormatV(format, args);
        va_end(args);
        *this += more;
    }
    void FormatV(const T* format, va_list args) {
        data_.clear();
        if (!format) {
            return;
        }
        va_list counting;
        va_copy(counting, args);
        const int n = Traits::countFormat(format, counting);
        va_end(counting);
        if (n <= 0) {
            return;
        }
        std::basic_string<T> out(static_cast<size_t>(n) + 1, T(0));
        va_list writing;
        va_copy(writing, args);
        const int written = Traits::format(out.data(), out.size(), format, writing);
        va_end(writing);
        out.resize(written < 0 ? 0 : static_cast<size_t>(written));
        data_ = std::move(out);
    }

    // A writable buffer of at least minLength characters; ReleaseBuffer settles the length (up to the
    // first zero when given -1).
    T* GetBuffer(int minLength) {
        if (minLength > GetLength()) {
            data_.resize(static_cast<size_t>(minLength));
        }
        return data_.data();
    }
    void ReleaseBuffer(int newLength = -1) {
        if (newLength < 0) {
            newLength = Traits::length(data_.c_str());
        }
        data_.resize(static_cast<size_t>(std::min(newLength, GetLength())));
    }

    friend TStringT operator+(const TStringT& a, const TStringT& b) { return TStringT(a.data_ + b.data_); }
    friend TStringT operator+(const TStringT& a, const T* b) { return TStringT(a.data_ + (b ? b : empty())); }
    friend TStringT operator+(const T* a, const TStringT& b) { return TStringT((a ? a : empty()) + b.data_); }
    friend TStringT operator+(const TStringT& a, T b) { return TStringT(a.data_ + b); }

    friend bool operator==(const TStringT& a, const TStringT& b) { return a.data_ == b.data_; }
    friend bool operator==(const TStringT& a, const T* b) { return a.Compare(b) == 0; }
    friend bool operator==(const T* a, const TStringT& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const TStringT& a, const TStringT& b) { return !(a == b); }
    friend bool operator!=(const TStringT& a, const T* b) { return !(a == b); }
    friend bool operator<(const TStringT& a, const TStringT& b) { return a.Compare(b.c_str()) < 0; }

  private:
    static const T* empty() {
        static const T zero = 0;
        return &zero;
    }
    static const T* blanks() {
        static const T set[] = {T(' '), T('\t'), T('\r'), T('\n'), T(0)};
        return set;
    }
    int clamp(int index) const { return index < 0 ? 0 : (index > GetLength() ? GetLength() : index); }
    static int toIndex(size_t at) { return at == std::basic_string<T>::npos ? -1 : static_cast<int>(at); }

    std::basic_string<T> data_;
};

using SStringA = TStringT<char>;
using SStringW = TStringT<wchar_t>;
using SStringT = SStringW;

}  // namespace SOUI
