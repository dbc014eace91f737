#include "toolkit/DxHtmlParser.h"

#include "toolkit/HtmlSerializer.h"
#include "toolkit/HtmlTree.h"
#include "toolkit/TextCodec.h"

#include <stdexcept>

namespace {

// True when the element's id or name attribute is `utf8Name`.
bool IsNamed(const GumboNode* element, const std::string& utf8Name)
{
    const char* id = HtmlAttribute(element, "id");
    const char* name = HtmlAttribute(element, "name");
    return (id != nullptr && utf8Name == id) || (name != nullptr && utf8Name == name);
}

}  // namespace

TDxHtmlElement* TDxWebElementCollection::ItemByIndex(int index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    return &items_[index];
}

TDxHtmlElement* TDxWebElementCollection::ItemByName(const std::string& name)
{
    const std::string key = GbToUtf8(name);
    TDxHtmlElement* found = nullptr;
    for (TDxHtmlElement& item : items_) {
        if (!IsNamed(item.node_, key))
            continue;
        if (found != nullptr)
            throw std::runtime_error(kNoSingleElementError + name);
        found = &item;
    }
    return found;
}

void TDxWebElementCollection::Build(const std::vector<const GumboNode*>& elements)
{
    items_.clear();
    items_.reserve(elements.size());
    for (const GumboNode* node : elements)
        items_.emplace_back(node);
}

std::string TDxWebTable::InnerHtml() const
{
    return table_ != nullptr ? Utf8ToGb(HtmlInnerMarkup(table_)) : std::string();
}

TDxWebTable* TDxTableCollection::TableByName(const std::string& name)
{
    const std::string key = GbToUtf8(name);
    wrapper_.table_ = nullptr;
    for (const GumboNode* table : tables_) {
        if (IsNamed(table, key)) {
            wrapper_.table_ = table;
            break;
        }
    }
    return wrapper_.table_ != nullptr ? &wrapper_ : nullptr;
}

void TDxTableCollection::Build(const std::vector<const GumboNode*>& elements)
{
    tables_.clear();
    for (const GumboNode* node : elements)
        if (node->v.element.tag == GUMBO_TAG_TABLE)
            tables_.push_back(node);
}

void TDxTableCollection::Take(TDxTableCollection& built) noexcept
{
    tables_.swap(built.tables_);
    wrapper_.table_ = nullptr;
}

TDxHtmlParser::TDxHtmlParser() : tree_(std::make_unique<HtmlTree>(std::string()))
{
    tables_.Build(tree_->Elements());
}

TDxHtmlParser::~TDxHtmlParser() = default;

void TDxHtmlParser::LoadHtml(const std::string& text8bit)
{
    // The first load always parses, even an empty text, so that a loaded document always has
    // its root element.
    if (loaded_ && text8bit == lastText_)
        return;
    auto tree = std::make_unique<HtmlTree>(GbToUtf8(text8bit));
    std::string text = text8bit;
    const auto elements = tree->Elements();
    TDxTableCollection tables;
    tables.Build(elements);
    TDxWebElementCollection items;
    items.Build(elements);
    // Nothing below can fail: the views move to the new tree together, or not at all.
    tables_.Take(tables);
    elements_.Take(items);
    tree_.swap(tree);
    lastText_.swap(text);
    loaded_ = true;
    ++parseCount_;
}
