#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The command line's file list, cut in place: PDF paths inside one pair of quotation marks, each
// followed by ";" when there are several (text after the last ";" is ignored). The paths reach the
// sink from the last to the first. No Windows calls, so it runs on plain texts.

// Receives one path; the text stays valid only for the call.
class PathSink {
  public:
    virtual void openPath(const wchar_t* path) = 0;

  protected:
    ~PathSink() = default;
};

// The longest single path (without ";") that the fixed path buffer holds, terminator excluded.
inline constexpr std::size_t kSinglePathCapacity = 259;

// The quoted form (the command line, the hand-off text): 0 when nothing was handed to the sink,
// 1 otherwise. The first character is taken for the opening quotation mark whatever it is; what
// follows the last quotation mark is cut off.
int cutQuotedFileList(wchar_t* text, PathSink& sink);

// The form without quotation marks: every ";"-ended path, then what is left before the first one.
// 0 when nothing was handed to the sink, 1 otherwise.
int cutUnquotedFileList(wchar_t* text, PathSink& sink);

// A command line in either form: the quoted form when it begins with a quotation mark, otherwise
// the unquoted form (a console or a launcher passes a path without blanks as it stands). 0 when
// nothing was handed to the sink, 1 otherwise (and for the quoted form's own results).
int cutFileList(wchar_t* text, PathSink& sink);

// The paths a second instance sends one by one by WM_COPYDATA when the settings cannot carry its
// command line: the command line cut as the running instance cuts it (cutFileList), in the order it
// would open them, without the empty parts, which it would answer with the missing-file prompt.
std::vector<std::wstring> copyDataPathsOf(const wchar_t* commandLine);
