#include "toolkit/DxHtmlElement.h"

#include "toolkit/HtmlText.h"
#include "toolkit/HtmlTree.h"
#include "toolkit/TextCodec.h"

std::string TDxHtmlElement::tagName() const
{
    std::string name = HtmlTagName(node_);
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return name;
}

std::string TDxHtmlElement::getAttribute(const std::string& name) const
{
    std::string key = GbToUtf8(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    const char* value = HtmlAttribute(node_, key.c_str());
    return value != nullptr ? Utf8ToGb(value) : std::string();
}

std::string TDxHtmlElement::innerText() const
{
    return Utf8ToGb(HtmlInnerText(node_));
}
