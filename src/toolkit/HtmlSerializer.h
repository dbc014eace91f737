#pragma once
// Markup of an element's children, as innerHTML gives it.
#include "toolkit/HtmlTree.h"

#include <string>

// UTF-8 markup that parses back to the same children: tag and attribute names in lower case,
// attribute values quoted and escaped, text escaped (a no-break space as "&nbsp;"), line breaks
// in text written as CR LF, void elements without end tags, comments kept. A row group that
// carries no attributes (the one the parser adds around bare table rows among them) is written
// "<TBODY>"..."</TBODY>", exactly so, which lets callers take the rows out of it. Walks the
// tree without recursion.
std::string HtmlInnerMarkup(const GumboNode* element);
