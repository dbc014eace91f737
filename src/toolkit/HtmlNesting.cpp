#include "toolkit/HtmlNesting.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

using Names = std::span<const std::string_view>;

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool OneOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that never hold other elements, and the document's own html/head/body, which the
// tree builder merges into the ones it has.
bool NeverNests(std::string_view name)
{
    static const std::unordered_set<std::string_view> flat = {
        "area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image",
        "img", "input", "isindex", "keygen", "link", "meta", "param", "source", "track", "wbr",
        "menuitem", "caption", "colgroup", "rb", "rt", "rtc", "rp", "html", "head", "body",
        "frameset"};
    return flat.count(name) != 0;
}

// Elements whose content the tokenizer reads as plain text up to their end tag.
bool IsRawText(std::string_view name)
{
    return OneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed",
                        "noframes"});
}

// Formatting elements the tree builder reopens after a block closed them (<a> is not left
// out: links matter).
bool IsFormatting(std::string_view name)
{
    return OneOf(name, {"b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike",
                        "strong", "tt", "u"});
}

// Elements the tree builder treats as structure: a stray end tag of an inline element does not
// close them, and a formatting element closed around them leaves them open.
bool IsSpecial(std::string_view name)
{
    static const std::unordered_set<std::string_view> special = {
        "address", "applet", "article", "aside", "blockquote", "button", "center", "dd",
        "details", "dir", "div", "dl", "dt", "fieldset", "figcaption", "figure", "footer",
        "form", "h1", "h2", "h3", "h4", "h5", "h6", "header", "hgroup", "li", "listing", "main",
        "marquee", "menu", "nav", "noscript", "object", "ol", "p", "pre", "section", "select",
        "summary", "table", "tbody", "td", "template", "tfoot", "th", "thead", "tr", "ul",
        "foreignobject", "desc", "mi", "mo", "mn", "ms", "mtext", "annotation-xml"};
    return special.count(name) != 0;
}

// Start tags that close an open <p>.
bool ClosesParagraph(std::string_view name)
{
    static const std::unordered_set<std::string_view> closing = {
        "address", "article", "aside", "blockquote", "center", "details", "dialog", "dir",
        "div", "dl", "fieldset", "figcaption", "figure", "footer", "header", "hgroup", "main",
        "menu", "nav", "ol", "p", "section", "summary", "ul", "h1", "h2", "h3", "h4", "h5",
        "h6", "pre", "listing", "form", "xmp", "hr", "li", "dd", "dt", "plaintext"};
    return closing.count(name) != 0;
}

// Elements that end the scope in which an end tag or an implied close looks for its element.
constexpr std::string_view kScope[] = {"table", "td", "th", "button", "object", "applet",
                                       "marquee", "template", "select"};
constexpr std::string_view kTableScope[] = {"table", "template"};
constexpr std::string_view kListStops[] = {"ul", "ol", "table", "td", "th", "button"};
constexpr std::string_view kDefinitionStops[] = {"dl", "table", "td", "th", "button"};
constexpr std::string_view kSelect[] = {"select"};
constexpr std::string_view kParagraph[] = {"p"};
constexpr std::string_view kListItem[] = {"li"};
constexpr std::string_view kDefinitionItems[] = {"dd", "dt"};
constexpr std::string_view kCells[] = {"td", "th"};
constexpr std::string_view kRowsAndCells[] = {"tr", "td", "th"};
constexpr std::string_view kTableParts[] = {"tbody", "thead", "tfoot", "tr", "td", "th"};
constexpr std::string_view kOption[] = {"option"};
constexpr std::string_view kOptionAndGroup[] = {"option", "optgroup"};

// Index of the '>' that ends a tag whose name ends before `p`, or npos. Quoted attribute
// values may hold '>'.
size_t TagEnd(const std::string& s, size_t p)
{
    const size_t n = s.size();
    while (p < n) {
        char c = s[p];
        if (c == '>')
            return p;
        if (c == '=') {
            ++p;
            while (p < n && IsHtmlSpace(s[p]))
                ++p;
            if (p < n && (s[p] == '"' || s[p] == '\'')) {
                size_t close = s.find(s[p], p + 1);
                if (close == std::string::npos)
                    return std::string::npos;
                p = close + 1;
            }
            continue;
        }
        ++p;
    }
    return std::string::npos;
}

// Position of the end tag "</name" that closes a raw-text element, or npos.
size_t RawTextEnd(const std::string& s, size_t from, std::string_view name)
{
    for (size_t p = s.find("</", from); p != std::string::npos; p = s.find("</", p + 2)) {
        size_t q = p + 2;
        size_t k = 0;
        while (k < name.size() && q + k < s.size() && AsciiLower(s[q + k]) == name[k])
            ++k;
        if (k == name.size() && q + k < s.size()
            && (IsHtmlSpace(s[q + k]) || s[q + k] == '/' || s[q + k] == '>'))
            return p;
    }
    return std::string::npos;
}

// Follows the stack of open elements closely enough to know how deep the tree gets, in time
// linear in the text: the positions of the open elements are kept by name, so finding the
// innermost (or outermost) open element of a name never walks the stack.
class NestingScanner {
public:
    NestingScanner(const std::string& text, bool withoutFormatting)
        : s_(text), withoutFormatting_(withoutFormatting)
    {
    }

    // Byte ranges [first, second) of the tags to leave out, in text order.
    std::vector<std::pair<size_t, size_t>> Run()
    {
        const size_t n = s_.size();
        size_t i = 0;
        while ((i = s_.find('<', i)) != std::string::npos) {
            if (reopened_.size() > size_t(kMaxReopenedFormatting) && !withoutFormatting_) {
                tooMuchFormatting_ = true;
                break;
            }
            const size_t start = i;
            if (s_.compare(i, 4, "<!--") == 0) {
                size_t e = s_.find("-->", i + 4);
                if (e == std::string::npos)
                    break;
                i = e + 3;
                continue;
            }
            const bool isEnd = i + 1 < n && s_[i + 1] == '/';
            size_t p = i + (isEnd ? 2 : 1);
            if (p >= n)
                break;
            if (!IsAsciiAlpha(s_[p])) {
                // "<!...>", "<?...>" and "</ ...>" are bogus comments up to the next '>'; a
                // lone "<" is text.
                if (isEnd || s_[p] == '!' || s_[p] == '?') {
                    size_t e = s_.find('>', p);
                    if (e == std::string::npos)
                        break;
                    i = e + 1;
                } else {
                    i = p;
                }
                continue;
            }
            std::string name;
            while (p < n && !IsHtmlSpace(s_[p]) && s_[p] != '/' && s_[p] != '>')
                name += AsciiLower(s_[p++]);
            size_t close = TagEnd(s_, p);
            if (close == std::string::npos)
                break;  // an unfinished tag at the end is dropped by the tokenizer anyway
            i = close + 1;
            if (withoutFormatting_ && IsFormatting(name)) {
                cuts_.emplace_back(start, i);
                continue;
            }
            if (isEnd) {
                EndTag(name, start, i);
                continue;
            }
            CloseImplied(name);
            if (name == "plaintext")
                break;  // everything after it is text
            if (IsRawText(name)) {
                i = RawTextEnd(s_, i, name);
                if (i == std::string::npos)
                    break;
                continue;
            }
            if (!NeverNests(name))
                StartTag(std::move(name), start, i);
        }
        return std::move(cuts_);
    }

    // True when the scan stopped because too many different formatting elements get reopened.
    bool TooMuchFormatting() const { return tooMuchFormatting_; }

private:
    static constexpr size_t kNone = size_t(-1);

    struct Open {
        std::string name;
        std::string tag;  // the start tag's text, for formatting elements
        bool leftOut;
        size_t specials;  // special elements open up to and including this one
    };

    // Number of special elements opened inside the element at `position`.
    size_t SpecialsInside(size_t position) const
    {
        return open_.back().specials - open_[position].specials;
    }

    // Position of the innermost open element among `names`, or kNone.
    size_t Innermost(Names names) const
    {
        size_t best = kNone;
        for (std::string_view name : names) {
            auto it = positions_.find(std::string(name));
            if (it != positions_.end() && !it->second.empty()
                && (best == kNone || it->second.back() > best))
                best = it->second.back();
        }
        return best;
    }

    // Position of the outermost open element among `names` that lies inside the innermost of
    // `stops`, or kNone. An element that is itself the innermost stop counts as inside.
    size_t OutermostWithin(Names names, Names stops) const
    {
        const size_t stop = Innermost(stops);
        size_t best = kNone;
        for (std::string_view name : names) {
            auto it = positions_.find(std::string(name));
            if (it == positions_.end())
                continue;
            const auto& at = it->second;
            auto first = stop == kNone ? at.begin() : std::lower_bound(at.begin(), at.end(), stop);
            if (first != at.end() && (best == kNone || *first < best))
                best = *first;
        }
        return best;
    }

    // The elements a start tag closes before it opens: an open paragraph, the previous list
    // item, cell, row or row group, option, link.
    void CloseImplied(const std::string& name)
    {
        if (ClosesParagraph(name))
            CloseFrom(OutermostWithin(kParagraph, kScope));
        const std::string_view self[] = {name};
        if (name == "li")
            CloseFrom(OutermostWithin(kListItem, kListStops));
        else if (name == "dd" || name == "dt")
            CloseFrom(OutermostWithin(kDefinitionItems, kDefinitionStops));
        else if (name == "td" || name == "th")
            CloseFrom(OutermostWithin(kCells, kTableScope));
        else if (name == "tr")
            CloseFrom(OutermostWithin(kRowsAndCells, kTableScope));
        else if (name == "tbody" || name == "thead" || name == "tfoot")
            CloseFrom(OutermostWithin(kTableParts, kTableScope));
        else if (name == "option")
            CloseFrom(OutermostWithin(kOption, kSelect));
        else if (name == "optgroup")
            CloseFrom(OutermostWithin(kOptionAndGroup, kSelect));
        else if (name == "a" || name == "nobr")
            CloseInline(OutermostWithin(self, kScope));
    }

    void StartTag(std::string name, size_t from, size_t to)
    {
        const bool leftOut = depth_ >= kMaxHtmlNesting;
        if (leftOut)
            cuts_.emplace_back(from, to);
        else
            ++depth_;
        positions_[name].push_back(open_.size());
        std::string tag = IsFormatting(name) ? s_.substr(from, to - from) : std::string();
        const size_t specials = (open_.empty() ? 0 : open_.back().specials) + IsSpecial(name);
        open_.push_back({std::move(name), std::move(tag), leftOut, specials});
    }

    // Closes the element at `position` and everything opened inside it. Returns whether that
    // element had been left out.
    bool CloseFrom(size_t position)
    {
        if (position == kNone)
            return false;
        bool leftOut = false;
        while (open_.size() > position) {
            Open& top = open_.back();
            positions_[top.name].pop_back();
            if (!top.leftOut)
                --depth_;
            // A formatting element closed because an element around it closed is reopened by
            // the tree builder in the blocks that follow.
            if (open_.size() - 1 != position && !top.tag.empty() && !top.leftOut)
                reopened_.insert(top.tag);
            leftOut = top.leftOut;
            open_.pop_back();
        }
        return leftOut;
    }

    // Closing an inline element (a stray end tag, or a link closed by the next link): when
    // structure was opened inside it, that stays open (for a formatting element the tree
    // builder moves it out and reopens the formatting inside it), so the depth stays.
    bool CloseInline(size_t position)
    {
        if (position == kNone || SpecialsInside(position) > 0)
            return false;
        return CloseFrom(position);
    }

    // An end tag closes its element when that is in scope; otherwise the tree builder ignores it.
    void EndTag(const std::string& name, size_t from, size_t to)
    {
        const std::string_view self[] = {name};
        bool leftOut = false;
        if (OneOf(name, {"table", "tbody", "thead", "tfoot", "tr", "td", "th"})) {
            leftOut = CloseFrom(OutermostWithin(self, kTableScope));
        } else {
            const size_t at = Innermost(self);
            const size_t boundary = Innermost(kScope);
            if (at == kNone || (boundary != kNone && boundary > at))
                return;
            leftOut = IsSpecial(name) ? CloseFrom(at) : CloseInline(at);
        }
        if (leftOut)
            cuts_.emplace_back(from, to);
    }

    const std::string& s_;
    const bool withoutFormatting_;
    bool tooMuchFormatting_ = false;
    int depth_ = 0;
    std::vector<Open> open_;
    std::unordered_map<std::string, std::vector<size_t>> positions_;  // by name, innermost last
    std::unordered_set<std::string> reopened_;
    std::vector<std::pair<size_t, size_t>> cuts_;
};

}  // namespace

bool LimitHtmlNesting(const std::string& utf8, std::string& limited)
{
    NestingScanner scanner(utf8, false);
    auto cuts = scanner.Run();
    if (scanner.TooMuchFormatting())
        cuts = NestingScanner(utf8, true).Run();
    if (cuts.empty())
        return false;
    std::string out;
    out.reserve(utf8.size());
    size_t at = 0;
    for (const auto& [from, to] : cuts) {
        out.append(utf8, at, from - at);
        at = to;
    }
    out.append(utf8, at, std::string::npos);
    limited = std::move(out);
    return true;
}
