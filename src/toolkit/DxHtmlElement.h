#pragma once
// One element of the loaded document, with the queries the program asks of it.
// Texts in and out are 8-bit text. Valid until the facade parses another text.
#include <string>

struct GumboInternalNode;

class TDxHtmlElement {
public:
    explicit TDxHtmlElement(const GumboInternalNode* node) : node_(node) {}

    // Upper case: a link is "A".
    std::string tagName() const;
    // The attribute's literal value (a relative href stays relative); "" when it is missing.
    // Attribute names are not case sensitive.
    std::string getAttribute(const std::string& name) const;
    // The text the element shows, line breaks as CR LF, a no-break space as a plain space.
    std::string innerText() const;

private:
    friend class TDxWebElementCollection;
    const GumboInternalNode* node_;
};
