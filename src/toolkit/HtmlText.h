#pragma once
// The text a browser shows for an element, as innerText gives it.
#include "toolkit/HtmlTree.h"

#include <string>

// UTF-8 text with CR LF line breaks: markup and hidden content (script, style, head, ...)
// dropped, white space collapsed as HTML renders it (kept inside <pre>), one line break for
// each <br> and at the edges of block elements, an empty line around paragraphs, tabs between
// table cells, a no-break space written as a plain space. Walks the tree without recursion.
std::string HtmlInnerText(const GumboNode* element);
