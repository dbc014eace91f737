#pragma once
// The one HTML document the program reads markup through: load a text, then look at its
// elements and tables. Texts in and out are 8-bit text; gumbo builds the tree as a browser
// would, so cut-out fragments, unclosed tags and stray end tags all load.
//
// Elements and the table wrapper handed out stay valid until the next LoadHtml that parses.
#include "toolkit/DxHtmlElement.h"

#include <memory>
#include <string>
#include <vector>

class HtmlTree;

// "构建HTMLDocument接口失败": the document could not be built.
inline constexpr char kHtmlDocumentCreateError[] =
    "\xB9\xB9\xBD\xA8" "HTMLDocument" "\xBD\xD3\xBF\xDA\xCA\xA7\xB0\xDC";
// "找不到唯一的元素: ", followed by the name, when several elements carry a name.
inline constexpr char kNoSingleElementError[] =
    "\xD5\xD2\xB2\xBB\xB5\xBD\xCE\xA8\xD2\xBB\xB5\xC4\xD4\xAA\xCB\xD8: ";

class TDxWebElementCollection {
public:
    // Number of elements; 0 before the first load.
    int Count() const { return static_cast<int>(items_.size()); }
    // The element at `index` in document order (0 is the html element, whose innerText is all
    // loaded text); nullptr out of range or before the first load.
    TDxHtmlElement* ItemByIndex(int index);
    // The element whose id or name attribute equals `name`; nullptr when none does. Raises
    // std::runtime_error (kNoSingleElementError + name) when several do.
    TDxHtmlElement* ItemByName(const std::string& name);

private:
    friend class TDxHtmlParser;
    void Build(const std::vector<const GumboInternalNode*>& elements);
    void Take(TDxWebElementCollection& built) noexcept { items_.swap(built.items_); }

    std::vector<TDxHtmlElement> items_;
};

class TDxWebTable {
public:
    // Markup of the table's children (see HtmlSerializer.h: a row group without attributes is
    // written "<TBODY>"..."</TBODY>"); "" when the wrapper holds no table.
    std::string InnerHtml() const;

private:
    friend class TDxTableCollection;
    const GumboInternalNode* table_ = nullptr;
};

class TDxTableCollection {
public:
    // The collection's one wrapper, now holding the first table whose id or name equals
    // `name`; nullptr when there is none. A later call changes what the wrapper holds.
    TDxWebTable* TableByName(const std::string& name);

private:
    friend class TDxHtmlParser;
    void Build(const std::vector<const GumboInternalNode*>& elements);
    void Take(TDxTableCollection& built) noexcept;

    std::vector<const GumboInternalNode*> tables_;
    TDxWebTable wrapper_;
};

class TDxHtmlParser {
public:
    // Starts with an empty document. Raises std::runtime_error(kHtmlDocumentCreateError) if
    // the parser cannot be used.
    TDxHtmlParser();
    ~TDxHtmlParser();
    TDxHtmlParser(const TDxHtmlParser&) = delete;
    TDxHtmlParser& operator=(const TDxHtmlParser&) = delete;

    // Makes `text8bit` the body of the document. A text equal to the one loaded last is not
    // parsed again: the document, the views and the elements they gave out stay as they are.
    void LoadHtml(const std::string& text8bit);

    TDxWebElementCollection& Elements() { return elements_; }
    TDxTableCollection& Tables() { return tables_; }

    // How many times a text was parsed.
    int ParseCount() const { return parseCount_; }

private:
    std::unique_ptr<HtmlTree> tree_;
    bool loaded_ = false;
    std::string lastText_;
    TDxTableCollection tables_;
    TDxWebElementCollection elements_;
    int parseCount_ = 0;
};
