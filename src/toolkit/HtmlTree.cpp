#include "toolkit/HtmlTree.h"

#include "toolkit/DxHtmlParser.h"
#include "toolkit/HtmlNesting.h"

#include <stdexcept>

namespace {

// No doctype: like the empty document the markup is loaded into, the tree is built in quirks
// mode (a <table> does not close an open <p>, as old pages expect).
constexpr char kDocumentStart[] = "<html><head></head><body>";

}  // namespace

HtmlTree::HtmlTree(const std::string& utf8Body) : options_(kGumboDefaultOptions)
{
    // gumbo copies the stack of open elements into every parse error it records; with deep
    // unclosed markup that alone is quadratic in time and memory. Nobody reads the errors.
    options_.max_errors = 0;
    std::string limited;
    text_ = kDocumentStart;
    text_ += LimitHtmlNesting(utf8Body, limited) ? limited : utf8Body;
    output_ = gumbo_parse_with_options(&options_, text_.data(), text_.size());
    if (output_ == nullptr || output_->root == nullptr)
        throw std::runtime_error(kHtmlDocumentCreateError);
}

HtmlTree::~HtmlTree()
{
    if (output_ != nullptr)
        gumbo_destroy_output(&options_, output_);
}

std::vector<const GumboNode*> HtmlTree::Elements() const
{
    std::vector<const GumboNode*> elements;
    std::vector<const GumboNode*> pending{Root()};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        elements.push_back(node);
        const GumboVector& children = node->v.element.children;
        for (unsigned i = children.length; i-- > 0;) {
            const auto* child = static_cast<const GumboNode*>(children.data[i]);
            if (IsHtmlElement(child))
                pending.push_back(child);
        }
    }
    return elements;
}

bool IsHtmlElement(const GumboNode* node)
{
    return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE;
}

std::string HtmlTagName(const GumboNode* node)
{
    if (!IsHtmlElement(node))
        return {};
    const GumboElement& element = node->v.element;
    if (element.tag != GUMBO_TAG_UNKNOWN)
        return gumbo_normalized_tagname(element.tag);
    GumboStringPiece piece = element.original_tag;
    if (piece.data == nullptr || piece.length == 0)
        return {};
    gumbo_tag_from_original_text(&piece);
    std::string name(piece.data, piece.length);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return name;
}

const char* HtmlAttribute(const GumboNode* element, const char* name)
{
    const GumboAttribute* attribute = gumbo_get_attribute(&element->v.element.attributes, name);
    return attribute != nullptr ? attribute->value : nullptr;
}
