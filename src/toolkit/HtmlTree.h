#pragma once
// One parsed HTML document: gumbo's tree and the UTF-8 text it points into.
// Internal to the HTML facade (DxHtmlParser.h); nothing outside the toolkit sees gumbo.
#include <gumbo.h>

#include <string>
#include <vector>

class HtmlTree {
public:
    // Parses `utf8Body` as the body of an otherwise empty document, the way a browser takes
    // markup given to body.innerHTML: tolerantly, any fragment gives a tree.
    explicit HtmlTree(const std::string& utf8Body);
    ~HtmlTree();
    HtmlTree(const HtmlTree&) = delete;
    HtmlTree& operator=(const HtmlTree&) = delete;

    // The html element.
    const GumboNode* Root() const { return output_->root; }
    // Every element in document order, the root first.
    std::vector<const GumboNode*> Elements() const;

private:
    GumboOptions options_;
    std::string text_;  // gumbo's tree points into it
    GumboOutput* output_ = nullptr;
};

// True for element nodes (template elements included).
bool IsHtmlElement(const GumboNode* node);
// An element's tag name in lower case, also for tags gumbo does not know ("" for other nodes).
std::string HtmlTagName(const GumboNode* node);
// The value of an attribute (name in lower case), or nullptr when the element has none.
const char* HtmlAttribute(const GumboNode* element, const char* name);
