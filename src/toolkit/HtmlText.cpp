#include "toolkit/HtmlText.h"

#include <algorithm>
#include <vector>

namespace {

// Elements a browser does not render, so their text is not shown.
bool IsHidden(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_HEAD: case GUMBO_TAG_TITLE: case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE:
    case GUMBO_TAG_TEMPLATE: case GUMBO_TAG_NOSCRIPT: case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES: case GUMBO_TAG_TEXTAREA:
    case GUMBO_TAG_DATALIST: case GUMBO_TAG_RP:
        return true;
    default:
        return false;
    }
}

// Line breaks an element needs before and after itself (0 for inline elements).
int BreaksAround(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_P:
        return 2;
    case GUMBO_TAG_HTML: case GUMBO_TAG_BODY: case GUMBO_TAG_ADDRESS: case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_ASIDE: case GUMBO_TAG_BLOCKQUOTE: case GUMBO_TAG_CENTER: case GUMBO_TAG_DD:
    case GUMBO_TAG_DETAILS: case GUMBO_TAG_DIR: case GUMBO_TAG_DIV: case GUMBO_TAG_DL:
    case GUMBO_TAG_DT: case GUMBO_TAG_FIELDSET: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER: case GUMBO_TAG_FORM: case GUMBO_TAG_FRAMESET: case GUMBO_TAG_H1:
    case GUMBO_TAG_H2: case GUMBO_TAG_H3: case GUMBO_TAG_H4: case GUMBO_TAG_H5: case GUMBO_TAG_H6:
    case GUMBO_TAG_HEADER: case GUMBO_TAG_HGROUP: case GUMBO_TAG_HR: case GUMBO_TAG_LEGEND:
    case GUMBO_TAG_LI: case GUMBO_TAG_LISTING: case GUMBO_TAG_MAIN: case GUMBO_TAG_MENU:
    case GUMBO_TAG_NAV: case GUMBO_TAG_OL: case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_PRE:
    case GUMBO_TAG_SECTION: case GUMBO_TAG_SUMMARY: case GUMBO_TAG_UL: case GUMBO_TAG_XMP:
    case GUMBO_TAG_TABLE: case GUMBO_TAG_CAPTION: case GUMBO_TAG_THEAD: case GUMBO_TAG_TBODY:
    case GUMBO_TAG_TFOOT: case GUMBO_TAG_TR: case GUMBO_TAG_OPTGROUP: case GUMBO_TAG_OPTION:
        return 1;
    default:
        return 0;
    }
}

bool KeepsWhiteSpace(GumboTag tag)
{
    return tag == GUMBO_TAG_PRE || tag == GUMBO_TAG_LISTING || tag == GUMBO_TAG_XMP
           || tag == GUMBO_TAG_PLAINTEXT;
}

bool IsCell(const GumboNode* node)
{
    return node->type == GUMBO_NODE_ELEMENT
           && (node->v.element.tag == GUMBO_TAG_TD || node->v.element.tag == GUMBO_TAG_TH);
}

// A cell followed by another cell of its row gets a tab after it.
bool HasCellAfter(const GumboNode* node)
{
    const GumboVector& siblings = node->parent->v.element.children;
    for (unsigned i = node->index_within_parent + 1; i < siblings.length; ++i)
        if (IsCell(static_cast<const GumboNode*>(siblings.data[i])))
            return true;
    return false;
}

// Collects rendered text. Line breaks that blocks need are kept pending until more text comes,
// so that none appear at the start or the end, and a run of block edges gives only the most
// breaks any of them needs, counting breaks already written by a <br>.
class TextWriter {
public:
    void Text(const char* text, bool keepWhiteSpace)
    {
        for (const char* p = text; *p != '\0'; ++p) {
            const char c = *p;
            if (c == '\r')
                continue;
            if (keepWhiteSpace && c == '\n') {
                LineBreak();
            } else if (!keepWhiteSpace && (c == ' ' || c == '\t' || c == '\n' || c == '\f')) {
                if (!atLineStart_)
                    pendingSpace_ = true;
            } else if (c == '\xC2' && p[1] == '\xA0') {
                Visible(" ", 1);  // a no-break space is shown as a space, never collapsed
                ++p;
            } else {
                Visible(p, 1);
            }
        }
    }

    void LineBreak()
    {
        WritePendingBreaks();
        pendingSpace_ = false;
        out_ += "\r\n";
        ++breaksAtEnd_;
        atLineStart_ = true;
        written_ = true;
    }

    void NeedBreaks(int count)
    {
        pendingSpace_ = false;  // white space at the end of a line is not shown
        pendingBreaks_ = std::max(pendingBreaks_, count);
    }

    void Tab()
    {
        pendingSpace_ = false;
        Visible("\t", 1);
    }

    std::string Result() { return std::move(out_); }

private:
    void Visible(const char* bytes, size_t length)
    {
        WritePendingBreaks();
        if (pendingSpace_ && !atLineStart_)
            out_ += ' ';
        pendingSpace_ = false;
        out_.append(bytes, length);
        atLineStart_ = false;
        breaksAtEnd_ = 0;
        written_ = true;
    }

    void WritePendingBreaks()
    {
        if (pendingBreaks_ == 0)
            return;
        if (written_) {
            for (; breaksAtEnd_ < pendingBreaks_; ++breaksAtEnd_)
                out_ += "\r\n";
            atLineStart_ = true;
            pendingSpace_ = false;
        }
        pendingBreaks_ = 0;
    }

    std::string out_;
    bool written_ = false;
    bool atLineStart_ = true;
    bool pendingSpace_ = false;
    int pendingBreaks_ = 0;
    int breaksAtEnd_ = 0;
};

// The text of every text node below `node`, as the DOM's textContent gives it.
std::string TextContent(const GumboNode* node)
{
    std::string text;
    std::vector<const GumboNode*> pending{node};
    while (!pending.empty()) {
        const GumboNode* n = pending.back();
        pending.pop_back();
        if (IsHtmlElement(n)) {
            const GumboVector& children = n->v.element.children;
            for (unsigned i = children.length; i-- > 0;)
                pending.push_back(static_cast<const GumboNode*>(children.data[i]));
        } else if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE
                   || n->type == GUMBO_NODE_CDATA) {
            text += n->v.text.text;
        }
    }
    return text;
}

}  // namespace

std::string HtmlInnerText(const GumboNode* element)
{
    // An element that is not rendered gives its plain text content, as in the DOM.
    if (IsHidden(element->v.element.tag))
        return TextContent(element);

    TextWriter writer;
    struct Frame {
        const GumboNode* node;
        unsigned next;  // index of the next child to visit
    };
    std::vector<Frame> stack;
    int keepWhiteSpace = 0;

    auto enter = [&](const GumboNode* node) {
        const GumboTag tag = node->v.element.tag;
        if (tag == GUMBO_TAG_BR) {
            writer.LineBreak();
            return;
        }
        if (BreaksAround(tag) != 0)
            writer.NeedBreaks(BreaksAround(tag));
        if (KeepsWhiteSpace(tag))
            ++keepWhiteSpace;
        stack.push_back({node, 0});
    };
    auto leave = [&](const GumboNode* node) {
        const GumboTag tag = node->v.element.tag;
        if (KeepsWhiteSpace(tag))
            --keepWhiteSpace;
        if (BreaksAround(tag) != 0)
            writer.NeedBreaks(BreaksAround(tag));
        if (IsCell(node) && !stack.empty() && HasCellAfter(node))
            writer.Tab();
    };

    enter(element);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const GumboVector& children = frame.node->v.element.children;
        if (frame.next >= children.length) {
            const GumboNode* done = frame.node;
            stack.pop_back();
            leave(done);
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(children.data[frame.next++]);
        switch (child->type) {
        case GUMBO_NODE_ELEMENT:
            if (!IsHidden(child->v.element.tag))
                enter(child);  // may grow the stack: `frame` is not used after this
            break;
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE:
        case GUMBO_NODE_CDATA:
            writer.Text(child->v.text.text, keepWhiteSpace > 0);
            break;
        default:  // comments, template contents
            break;
        }
    }
    return writer.Result();
}
