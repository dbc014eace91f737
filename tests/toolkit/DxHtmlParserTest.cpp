#include <gtest/gtest.h>

#include "support/TempAppDir.h"
#include "toolkit/DxHtmlParser.h"
#include "toolkit/TextCodec.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The tests write their HTML in UTF-8; the facade speaks 8-bit text.
std::string Gb(const std::string& utf8) { return Utf8ToGb(utf8); }

std::string RootText(TDxHtmlParser& parser, const std::string& utf8Html)
{
    parser.LoadHtml(Gb(utf8Html));
    TDxHtmlElement* root = parser.Elements().ItemByIndex(0);
    EXPECT_NE(root, nullptr) << utf8Html;
    return root != nullptr ? GbToUtf8(root->innerText()) : std::string();
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The href of every link with a text, in document order. (The tree builder repeats an unclosed
// link as an empty copy where the next paragraph starts, as browsers do.)
std::vector<std::string> Links(TDxHtmlParser& parser)
{
    std::vector<std::string> links;
    TDxWebElementCollection& all = parser.Elements();
    for (int i = 0; i < all.Count(); ++i)
        if (all.ItemByIndex(i)->tagName() == "A" && !all.ItemByIndex(i)->innerText().empty())
            links.push_back(all.ItemByIndex(i)->getAttribute("href"));
    return links;
}

}  // namespace

TEST(DxHtmlParser, ParsesOnlyWhenTheTextChanges)
{
    TDxHtmlParser parser;
    EXPECT_EQ(parser.Elements().Count(), 0);
    EXPECT_EQ(parser.Elements().ItemByIndex(0), nullptr);
    EXPECT_EQ(parser.Tables().TableByName("t_body"), nullptr);

    parser.LoadHtml("<p id=a>A</p>");
    TDxHtmlElement* first = parser.Elements().ItemByName("a");
    parser.LoadHtml("<p id=a>A</p>");
    EXPECT_EQ(parser.ParseCount(), 1);
    EXPECT_EQ(parser.Elements().ItemByName("a"), first);  // same tree, same element
    EXPECT_EQ(first->innerText(), "A");

    parser.LoadHtml("<p id=a>B</p>");
    parser.LoadHtml("<p id=a>A</p>");
    EXPECT_EQ(parser.ParseCount(), 3);
    EXPECT_EQ(parser.Elements().ItemByName("a")->innerText(), "A");
}

TEST(DxHtmlParser, FirstLoadOfEmptyTextStillGivesARoot)
{
    TDxHtmlParser parser;
    parser.LoadHtml("");
    ASSERT_NE(parser.Elements().ItemByIndex(0), nullptr);
    EXPECT_EQ(parser.Elements().ItemByIndex(0)->tagName(), "HTML");
    EXPECT_EQ(parser.Elements().ItemByIndex(0)->innerText(), "");
}

TEST(DxHtmlParser, FragmentCutFromAPageLoads)
{
    TDxHtmlParser parser;
    EXPECT_EQ(RootText(parser, "ter 1</a></li></div>\r\n<li><a href=\"2.htm\">Chap 2</a><li><a hr"),
              "ter 1\r\nChap 2");
    EXPECT_EQ(Links(parser), std::vector<std::string>{"2.htm"});
    EXPECT_EQ(RootText(parser, "text first <div>open <b>bold<p>para<table><tr><td>cell"),
              "text first\r\nopen bold\r\n\r\npara\r\ncell");
}

TEST(DxHtmlParser, EscapedPictureTagsComeOutAsTags)
{
    // The form chapter extraction writes for a picture and for a text script it keeps.
    TDxHtmlParser parser;
    EXPECT_EQ(RootText(parser, "第一段<br>&lt;img&nbsp;src=\"100001_1.jpg\"&gt;<br>第二段"),
              "第一段\r\n<img src=\"100001_1.jpg\">\r\n第二段");
    EXPECT_EQ(RootText(parser, "&lt;img&nbsp;src=\"100001_1.jpg\"&gt;<br>"),
              "<img src=\"100001_1.jpg\">\r\n");
    EXPECT_EQ(RootText(parser, "a&lt;script&nbsp;src=\"100001_2.txt\"&gt;&lt;/script&gt;"
                               "<script>document.write('x')</script>b"),
              "a<script src=\"100001_2.txt\"></script>b");
}

TEST(DxHtmlParser, InnerTextRendersLikeABrowser)
{
    struct Case {
        const char* html;
        const char* text;
    } cases[] = {
        {"a<br>b<br><br>c<br>", "a\r\nb\r\n\r\nc\r\n"},
        {"<br>a", "\r\na"},
        {"<p>one</p><p>two</p>three", "one\r\n\r\ntwo\r\n\r\nthree"},
        {"<div>a</div><div>b</div>", "a\r\nb"},
        {"<div><div><p>deep</p></div></div><div>next</div>", "deep\r\n\r\nnext"},
        {"<div>a<br></div><div>b</div>", "a\r\nb"},  // the <br> already ends the line
        {"<h1>T</h1><ul><li>x<li>y</ul><blockquote>q</blockquote>", "T\r\nx\r\ny\r\nq"},
        {"  lots \r\n of\t space  <b> bold </b> ", "lots of space bold"},
        {"<pre>  two\n   lines</pre>", "  two\r\n   lines"},
        {"&lt;b&gt; &amp;amp; &#20013;&#x6587; &quot;q&quot;", "<b> &amp; 中文 \"q\""},
        {"&nbsp;&nbsp;in&nbsp; &nbsp;x", "  in   x"},  // no-break spaces are never collapsed
        {"<script>var s='<p>x</p>';</script><style>p{color:red}</style>kept", "kept"},
        {"<!-- note -->shown<noscript>off</noscript>", "shown"},
        {"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", "a\tb\r\nc"},
        {"中文<br>第二行", "中文\r\n第二行"},
    };
    TDxHtmlParser parser;
    for (const Case& c : cases)
        EXPECT_EQ(RootText(parser, c.html), c.text) << c.html;
}

TEST(DxHtmlParser, NoBreakSpaceBecomesByte32AndChineseRoundTrips)
{
    TDxHtmlParser parser;
    // "第一章 开始", with the space written as &nbsp;, comes back as GB bytes with a plain space.
    parser.LoadHtml("\xB5\xDA\xD2\xBB\xD5\xC2&nbsp;\xBF\xAA\xCA\xBC");
    EXPECT_EQ(parser.Elements().ItemByIndex(0)->innerText(), "\xB5\xDA\xD2\xBB\xD5\xC2 \xBF\xAA\xCA\xBC");
}

TEST(DxHtmlParser, ElementQueries)
{
    TDxHtmlParser parser;
    parser.LoadHtml(Gb("<a href=\"../2.htm\" title=\"x&amp;y\" data-t=\"中\" nowrap>第二章</a>"
                       "<Custom-Tag id=c>z</Custom-Tag><INPUT name=formhash value=\"ab12\">"));
    TDxWebElementCollection& all = parser.Elements();
    EXPECT_EQ(all.ItemByIndex(0)->tagName(), "HTML");
    EXPECT_EQ(all.ItemByIndex(all.Count()), nullptr);
    EXPECT_EQ(all.ItemByIndex(-1), nullptr);

    std::vector<std::string> tags;
    for (int i = 0; i < all.Count(); ++i)
        tags.push_back(all.ItemByIndex(i)->tagName());
    EXPECT_EQ(tags, (std::vector<std::string>{"HTML", "HEAD", "BODY", "A", "CUSTOM-TAG", "INPUT"}));

    TDxHtmlElement* link = all.ItemByIndex(3);
    EXPECT_EQ(link->getAttribute("href"), "../2.htm");  // literal, not resolved
    EXPECT_EQ(link->getAttribute("HREF"), "../2.htm");
    EXPECT_EQ(link->getAttribute("title"), "x&y");
    EXPECT_EQ(GbToUtf8(link->getAttribute("data-t")), "中");
    EXPECT_EQ(link->getAttribute("nowrap"), "");
    EXPECT_EQ(link->getAttribute("chapterId"), "");
    EXPECT_EQ(GbToUtf8(link->innerText()), "第二章");
    EXPECT_EQ(all.ItemByName("formhash")->getAttribute("value"), "ab12");
}

TEST(DxHtmlParser, ItemByNameFindsOneElementOrSaysThereIsNone)
{
    TDxHtmlParser parser;
    parser.LoadHtml(Gb("<div id=content>正文<p>二</p></div><input name=cookietime value=1>"
                       "<b id=twice name=twice>once</b><i name=dup>1</i><u id=dup>2</u>"));
    TDxWebElementCollection& all = parser.Elements();
    ASSERT_NE(all.ItemByName("content"), nullptr);
    EXPECT_EQ(GbToUtf8(all.ItemByName("content")->innerText()), "正文\r\n\r\n二");
    EXPECT_EQ(all.ItemByName("cookietime")->tagName(), "INPUT");
    EXPECT_EQ(all.ItemByName("twice")->tagName(), "B");  // id and name of one element
    EXPECT_EQ(all.ItemByName("posttime"), nullptr);
    EXPECT_EQ(all.ItemByName("Content"), nullptr);
    try {
        all.ItemByName("dup");
        ADD_FAILURE() << "several elements named dup";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), std::string(kNoSingleElementError) + "dup");
        EXPECT_EQ(GbToUtf8(e.what()), "找不到唯一的元素: dup");
    }
}

TEST(DxHtmlParser, ErrorTextsAreTheProgramsOwn)
{
    EXPECT_EQ(GbToUtf8(kHtmlDocumentCreateError), "构建HTMLDocument接口失败");
}

TEST(DxHtmlParser, StoredChapterPageGivesItsText)
{
    // A chapter page as chapter extraction stores it, read back as the TXT export does.
    std::string page = ReadFileBytes(std::string(TALORAN_MODEL_DIR) + "/article.htm");
    ASSERT_NE(page.find("[[Content]]"), std::string::npos);
    page = ReplaceAll(page, "[[Content]]",
                      Gb("&nbsp;&nbsp;&nbsp;&nbsp;第一行<br><br>&nbsp;&nbsp;&nbsp;&nbsp;第二行 &lt;文字&gt;"));
    page = ReplaceAll(page, "[[title]]", Gb("第一章"));
    TDxHtmlParser parser;
    parser.LoadHtml(page);
    ASSERT_NE(parser.Elements().ItemByName("content"), nullptr);
    EXPECT_EQ(GbToUtf8(parser.Elements().ItemByName("content")->innerText()),
              "    第一行\r\n\r\n    第二行 <文字>");
}

TEST(DxHtmlParser, TableLookupSharesOneWrapper)
{
    TDxHtmlParser parser;
    parser.LoadHtml("<table id=t_body><tr><td>x</td></tr></table><table name=other></table>");
    TDxWebTable* table = parser.Tables().TableByName("t_body");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->InnerHtml(), "<TBODY><tr><td>x</td></tr></TBODY>");
    EXPECT_EQ(parser.Tables().TableByName("other"), table);
    EXPECT_EQ(table->InnerHtml(), "");

    EXPECT_EQ(parser.Tables().TableByName("missing"), nullptr);
    EXPECT_EQ(table->InnerHtml(), "");  // the wrapper now holds nothing

    parser.LoadHtml("<div id=t_body></div>");
    EXPECT_EQ(parser.Tables().TableByName("t_body"), nullptr);  // a div is not a table
}

TEST(DxHtmlParser, InnerHtmlParsesBackToTheSameTable)
{
    const std::string html = Gb(
        "<table id=t>\r\n<caption>c</caption><colgroup><col span=2></colgroup>"
        "<tbody><tr><td title='say \"hi\" &amp; go'>a &lt; b &amp; c</td>"
        "<td>&nbsp;<a href=\"100001.htm\">第一章&nbsp;开始</a><br><img src=1.jpg></td></tr>"
        "<!-- kept --><tr><td><pre>\n\nx</pre><script>if (a < b) x = '</td>';</script></td></tr>"
        "</tbody><tbody class=second><tr><th>h</th></tr></tbody></table>");
    TDxHtmlParser parser;
    parser.LoadHtml(html);
    const std::string inner = parser.Tables().TableByName("t")->InnerHtml();
    EXPECT_NE(inner.find("<TBODY><tr><td title=\"say &quot;hi&quot; &amp; go\">a &lt; b &amp; c"),
              std::string::npos) << inner;
    EXPECT_NE(inner.find("<tbody class=\"second\">"), std::string::npos) << inner;
    EXPECT_NE(inner.find(Gb("&nbsp;<a href=\"100001.htm\">第一章&nbsp;开始</a><br><img src=\"1.jpg\"></td>")),
              std::string::npos) << inner;
    EXPECT_NE(inner.find("<!-- kept -->"), std::string::npos) << inner;
    EXPECT_NE(inner.find("<script>if (a < b) x = '</td>';</script>"), std::string::npos) << inner;
    EXPECT_EQ(inner.find("</img>"), std::string::npos);
    EXPECT_EQ(inner.find("</br>"), std::string::npos);

    parser.LoadHtml("<table id=t>" + inner + "</table>");
    EXPECT_EQ(parser.Tables().TableByName("t")->InnerHtml(), inner);
}

TEST(DxHtmlParser, ContentsPageKeepsEveryRowWhenExtended)
{
    // What the contents page does with List.htm: read the rows back, drop the row group, add rows.
    const std::string templ = ReadFileBytes(std::string(TALORAN_MODEL_DIR) + "/booklist.htm");
    ASSERT_NE(templ.find("[[Content]]"), std::string::npos);
    auto cell = [](int number, const std::string& title) {
        return "<td width=50% align=left>&nbsp;<a href=\"" + std::to_string(number) + ".htm\">"
               + ReplaceAll(Gb(title), " ", "&nbsp;") + "</a></td>";
    };
    const std::string volumeRow =
        Gb("<tr><td bgcolor=#F6F6F6 align=center colspan=2 class=volumestyle>正文</td></tr>");
    std::string content = volumeRow + "\r\n" + "<tr>" + cell(100001, "第一章 开始")
                          + cell(100002, "第二章") + "</tr>\r\n<tr>" + cell(100003, "第三章") + "</tr>\r\n";

    TDxHtmlParser parser;
    std::vector<std::string> expected = {"100001.htm", "100002.htm", "100003.htm"};
    for (int added = 100004; added <= 100005; ++added) {
        parser.LoadHtml(ReplaceAll(templ, "[[Content]]", content));
        TDxWebTable* table = parser.Tables().TableByName("t_body");
        ASSERT_NE(table, nullptr);
        std::string earlier = ReplaceAll(ReplaceAll(table->InnerHtml(), "<TBODY>", ""), "</TBODY>", "");
        EXPECT_EQ(earlier.find("tbody"), std::string::npos) << earlier;
        content = earlier + "\r\n" + "<tr>" + cell(added, "新 章") + "</tr>\r\n";
        expected.push_back(std::to_string(added) + ".htm");
    }
    parser.LoadHtml(ReplaceAll(templ, "[[Content]]", content));
    EXPECT_EQ(Links(parser), expected);
    const std::string text = GbToUtf8(parser.Elements().ItemByName("t_body")->innerText());
    EXPECT_EQ(text, "正文\r\n 第一章 开始\t 第二章\r\n 第三章\r\n 新 章\r\n 新 章") << text;
}

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += ReplaceAll(piece, "#", std::to_string(i));
    return text;
}

TEST(DxHtmlParser, HostileMarkupLoadsQuickly)
{
    // Each would take minutes or gigabytes in the tree builder as it stands, or overflow a
    // recursive walk of the tree.
    struct Case {
        std::string html;
        std::string text;
    } cases[] = {
        {Repeat("<div>", 100000) + "inside" + Repeat("</div>", 100000) + "after", "inside\r\nafter"},
        {Repeat("<span><div>", 50000) + "x", "x"},
        // Formatting closed by the end of a block is reopened in every later block.
        {Repeat("<div><b id=#></div>", 30000) + "end", "end"},
        {Repeat("<b><div></b>", 30000) + "end", "end"},
    };
    TDxHtmlParser parser;
    for (const Case& c : cases)
        EXPECT_EQ(RootText(parser, c.html), c.text) << c.html.substr(0, 40);
    EXPECT_EQ(parser.Tables().TableByName("x"), nullptr);
}

TEST(DxHtmlParser, OrdinaryNestingIsKept)
{
    TDxHtmlParser parser;
    std::string expected;
    for (int i = 0; i < 400; ++i)
        expected += (i ? "\r\n" : "") + std::to_string(i);
    EXPECT_EQ(RootText(parser, Repeat("<div>#", 400)), expected);

    // Unclosed paragraphs, fonts and links, common on old pages, do not count as nesting.
    parser.LoadHtml(Repeat("<p><font color=red><a href=\"#.htm\">#", 3000));
    const std::vector<std::string> links = Links(parser);
    ASSERT_EQ(links.size(), 3000u);
    EXPECT_EQ(links.back(), "2999.htm");
    parser.LoadHtml("<table>" + Repeat("<tr><td><font color=blue>#", 2000) + "</table>");
    int fonts = 0;
    for (int i = 0; i < parser.Elements().Count(); ++i)
        fonts += parser.Elements().ItemByIndex(i)->tagName() == "FONT";
    EXPECT_EQ(fonts, 2000);
}

TEST(DxHtmlParser, MegabyteInputLoads)
{
    TDxHtmlParser parser;
    std::string big;
    while (big.size() < (2u << 20))
        big += Gb("<span>这是一行很长的正文</span>&nbsp;text<br>\r\n");
    parser.LoadHtml(big);
    const std::string text = parser.Elements().ItemByIndex(0)->innerText();
    EXPECT_EQ(text.substr(0, 25), Gb("这是一行很长的正文 text\r\n"));
    EXPECT_GT(text.size(), 1u << 20);
}
