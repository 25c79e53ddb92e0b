#pragma once

// Refusals: what the program asked for that the library does not take (see soui/TestHooks.h).
#include <string>

namespace SOUI {

class SWindow;

// Counts and journals "refused <what>: <reason>".
void Refuse(const std::wstring& what, const std::wstring& reason);

// An element as refusals name it: its kind, its name when it has one, and the layout of its host
// (or of the layout being read).
std::wstring DescribeElement(const SWindow* element);
// "name=\"value\"" of an attribute, as refusals quote it.
std::wstring QuoteAttribute(const std::wstring& name, const std::wstring& value);

// While a layout is read, refusals of its elements name it.
class LayoutScope {
  public:
    explicit LayoutScope(const std::wstring& layout);
    LayoutScope(const LayoutScope&) = delete;
    LayoutScope& operator=(const LayoutScope&) = delete;
    ~LayoutScope();

  private:
    std::wstring outer_;
};
// The layout being read, empty outside a LayoutScope.
const std::wstring& CurrentLayout();

}  // namespace SOUI
