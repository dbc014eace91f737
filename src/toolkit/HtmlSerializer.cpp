#include "toolkit/HtmlSerializer.h"

#include <string_view>
#include <vector>

namespace {

bool IsVoid(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_AREA: case GUMBO_TAG_BASE: case GUMBO_TAG_BASEFONT: case GUMBO_TAG_BGSOUND:
    case GUMBO_TAG_BR: case GUMBO_TAG_COL: case GUMBO_TAG_EMBED: case GUMBO_TAG_FRAME:
    case GUMBO_TAG_HR: case GUMBO_TAG_IMG: case GUMBO_TAG_IMAGE: case GUMBO_TAG_INPUT:
    case GUMBO_TAG_KEYGEN: case GUMBO_TAG_LINK: case GUMBO_TAG_META: case GUMBO_TAG_PARAM:
    case GUMBO_TAG_SOURCE: case GUMBO_TAG_TRACK: case GUMBO_TAG_WBR: case GUMBO_TAG_MENUITEM:
        return true;
    default:
        return false;
    }
}

// Elements whose text the parser reads literally; escaping it would change it.
bool HoldsRawText(const GumboNode* node)
{
    switch (node->v.element.tag) {
    case GUMBO_TAG_STYLE: case GUMBO_TAG_SCRIPT: case GUMBO_TAG_XMP: case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES: case GUMBO_TAG_PLAINTEXT:
        return true;
    default:
        return false;
    }
}

// The parser drops a line feed right after these start tags, so one that belongs to the text
// needs another in front of it.
bool DropsLeadingNewline(GumboTag tag)
{
    return tag == GUMBO_TAG_PRE || tag == GUMBO_TAG_TEXTAREA || tag == GUMBO_TAG_LISTING;
}

void AppendEscaped(std::string& out, const char* text, bool inAttribute)
{
    for (const char* p = text; *p != '\0'; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            out += inAttribute ? "&quot;" : "\"";
            break;
        case '\n':
            out += inAttribute ? "&#10;" : "\r\n";
            break;
        case '\xC2':
            if (p[1] == '\xA0') {
                out += "&nbsp;";
                ++p;
            } else {
                out += *p;
            }
            break;
        default: out += *p;
        }
    }
}

void AppendRaw(std::string& out, const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n')
            out += "\r\n";
        else
            out += *p;
    }
}

// Attributes such as xlink:href inside inline SVG keep their prefix.
const char* NamespacePrefix(const GumboAttribute& attribute)
{
    switch (attribute.attr_namespace) {
    case GUMBO_ATTR_NAMESPACE_XLINK: return "xlink:";
    case GUMBO_ATTR_NAMESPACE_XML: return "xml:";
    case GUMBO_ATTR_NAMESPACE_XMLNS:
        return std::string_view(attribute.name) == "xmlns" ? "" : "xmlns:";
    default: return "";
    }
}

bool IsBareRowGroup(const GumboNode* node)
{
    return node->v.element.tag == GUMBO_TAG_TBODY && node->v.element.attributes.length == 0;
}

void AppendStartTag(std::string& out, const GumboNode* node)
{
    if (IsBareRowGroup(node)) {
        out += "<TBODY>";
        return;
    }
    out += '<';
    out += HtmlTagName(node);
    const GumboVector& attributes = node->v.element.attributes;
    for (unsigned i = 0; i < attributes.length; ++i) {
        const auto* attribute = static_cast<const GumboAttribute*>(attributes.data[i]);
        out += ' ';
        out += NamespacePrefix(*attribute);
        out += attribute->name;
        out += "=\"";
        AppendEscaped(out, attribute->value, true);
        out += '"';
    }
    out += '>';
    const GumboVector& children = node->v.element.children;
    if (DropsLeadingNewline(node->v.element.tag) && children.length > 0) {
        const auto* first = static_cast<const GumboNode*>(children.data[0]);
        if ((first->type == GUMBO_NODE_TEXT || first->type == GUMBO_NODE_WHITESPACE)
            && first->v.text.text[0] == '\n')
            out += "\r\n";
    }
}

void AppendEndTag(std::string& out, const GumboNode* node)
{
    if (IsBareRowGroup(node)) {
        out += "</TBODY>";
        return;
    }
    out += "</";
    out += HtmlTagName(node);
    out += '>';
}

}  // namespace

std::string HtmlInnerMarkup(const GumboNode* element)
{
    std::string out;
    struct Frame {
        const GumboNode* node;
        unsigned next;  // index of the next child to write
    };
    std::vector<Frame> stack{{element, 0}};
    while (!stack.empty()) {
        const GumboNode* parent = stack.back().node;
        const GumboVector& children = parent->v.element.children;
        if (stack.back().next >= children.length) {
            stack.pop_back();
            if (!stack.empty())  // the element itself is not part of its inner markup
                AppendEndTag(out, parent);
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(children.data[stack.back().next++]);
        switch (child->type) {
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE:
            AppendStartTag(out, child);
            if (!IsVoid(child->v.element.tag))
                stack.push_back({child, 0});
            break;
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE:
            if (HoldsRawText(parent))
                AppendRaw(out, child->v.text.text);
            else
                AppendEscaped(out, child->v.text.text, false);
            break;
        case GUMBO_NODE_CDATA:
            out += "<![CDATA[";
            out += child->v.text.text;
            out += "]]>";
            break;
        case GUMBO_NODE_COMMENT:
            out += "<!--";
            out += child->v.text.text;
            out += "-->";
            break;
        default:
            break;
        }
    }
    return out;
}
