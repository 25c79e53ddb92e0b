#pragma once

// A forgiving reader of the HTML the engine shows: elements, attributes (quoted or not), texts
// with character references, comments; script, style, title and textarea as raw text; void
// elements; a <p> or <li> closes the open one; stray end tags are ignored. The result always has
// an <html> root with a <body>.

#include <string>

#include "Dom.h"

namespace wke {

Document parseHtml(const std::wstring& source);
// A document that shows a plain text as it stands (lines kept).
Document plainTextDocument(const std::wstring& text);
// Decodes character references (&amp; &lt; &#20320; &#x4F60; ...); unknown ones stay as written.
std::wstring decodeEntities(const std::wstring& text);

}  // namespace wke
