#include <gtest/gtest.h>

#include "toolkit/MyFunction.h"

namespace {

using Items = std::vector<std::string>;

std::string Show(const Items& items)
{
    std::string out = "{";
    for (const auto& item : items)
        out += "[" + item + "]";
    return out + "}";
}

} // namespace

TEST(SplitDelimited, FollowsTheSplitRule)
{
    struct Case { std::string text; char delimiter; Items items; } cases[] = {
        {"", '|', {}},
        {" \t\r\n", '|', {}},
        {"a", '|', {"a"}},
        {"a||b", '|', {"a", "", "b"}},
        {"a|", '|', {"a", ""}},
        {"|a", '|', {"", "a"}},
        {"|", '|', {"", ""}},
        {"a| b", '|', {"a", "b"}},
        {"a b|c", '|', {"a b", "c"}},
        {"  a  |c ", '|', {"a  ", "c "}},
        {"a| ", '|', {"a"}},                 // the delimiter is not the last byte: no empty item
        {"x|\"a|b\"|y", '|', {"x", "a|b", "y"}},
        {"\"a\"\"b\"|c", '|', {"a\"b", "c"}},
        {"\"\"", '|', {""}},
        {"\"a\" |b", '|', {"a", "b"}},
        {"\"ab\"cd|e", '|', {"ab", "cd", "e"}},  // the next item starts right after the quote
        {"\"abc", '|', {"ab"}},               // unclosed: the rest less its last byte
        {"\"a\"\"b", '|', {"a\""}},
        {"\"", '|', {""}},
        {std::string("a\0b|c", 5), '|', {std::string("a\0b", 3), "c"}},
        {"http://host.test/my dir/p.htm", '/', {"http:", "", "host.test", "my dir", "p.htm"}},
        {"http://host.test/dir/", '/', {"http:", "", "host.test", "dir", ""}},
        {"page.htm?x=1?y", '?', {"page.htm", "x=1", "y"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(SplitDelimited(c.text, c.delimiter)), Show(c.items)) << c.text;
}

TEST(SplitDelimited, NeverTakesTheSecondByteOfACharacterApart)
{
    // Second bytes equal to "|", "\"" and " ", and a lead byte at the very end.
    struct Case { std::string text; Items items; } cases[] = {
        {"\x81\x7C|b", {"\x81\x7C", "b"}},
        {"a|\x81\x7C", {"a", "\x81\x7C"}},
        {"\x81\x22x|b", {"\x81\x22x", "b"}},
        {"\"\x81\x22\"|b", {"\x81\x22", "b"}},
        {"a|\x81\x20", {"a", "\x81\x20"}},
        {"\xD6\xD0|\xCE\xC4", {"\xD6\xD0", "\xCE\xC4"}},
        {"a|\x81", {"a", "\x81"}},
        {"\x81|", {"\x81|"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(SplitDelimited(c.text, '|')), Show(c.items)) << c.text;
}

TEST(JoinDelimited, QuotesOnlyWhatNeedsIt)
{
    struct Case { Items items; std::string text; } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"", ""}, "|"},
        {{"a", ""}, "a|"},
        {{"a", "b"}, "a|b"},
        {{"a b", "c"}, "\"a b\"|c"},
        {{"a|b"}, "\"a|b\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"a\tb"}, "\"a\tb\""},
        {{std::string("a\0b", 3)}, std::string("\"a\0b\"", 5)},
        {{"\x81\x7C", "\x81\x22", "\x81\x20"}, "\x81\x7C|\x81\x22|\x81\x20"},
        {{"\x81\x22 x"}, "\"\x81\x22 x\""},     // the second byte is not doubled
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinDelimited(c.items, '|'), c.text) << Show(c.items);
}

TEST(JoinDelimited, SplitGivesBackWhatWasJoined)
{
    const Items lists[] = {
        {""},
        {"", ""},
        {"a", "", "b", ""},
        {" lead", "trail ", "in side", "\"", "\"\"", "|", "a|b|"},
        {"\x81\x7C", "\x81\x22", "\x81\x20", "\x81\x7C\x81\x7C|", "\"\x81\x22\""},
        {"\xB5\xDA\xD2\xBB\xD5\xC2 \xBF\xAA\xCA\xBC", "100001", "http://host.test/b/1.htm"},
    };
    for (const auto& items : lists) {
        const std::string joined = JoinDelimited(items, '|');
        EXPECT_EQ(Show(SplitDelimited(joined, '|')), Show(items)) << joined;
    }
}

TEST(PosAfter, SearchesPastTheOffsetAndReturnsTheOffsetOnAMiss)
{
    struct Case { int offset; std::string text, needle; int result; } cases[] = {
        {5, "abcdefabc", "abc", 7},
        {7, "abcdefabc", "abc", 7},
        {6, "abcdefabc", "abc", 7},
        {0, "abcdefabc", "abc", 1},
        {0, "abcdefabc", "def", 4},
        {0, "abcdefabc", "xyz", 0},
        {0, "", "a", 0},
        {1, "abcabc", "abc", 4},          // a match at the offset itself is not seen
        {9, "abcdefabc", "c", 9},
        {50, "abcdefabc", "a", 50},
        {-3, "abcdefabc", "def", 4},      // a negative offset searches the whole text
        {-3, "abcdefabc", "xyz", -3},
        {2, "abc", "", 2},
        {0, "\xD6\xD0\xCE\xC4", "\xD0\xCE", 2},  // plain byte search, across characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(PosAfter(c.offset, c.text, c.needle), c.result)
            << c.offset << " " << c.text << " " << c.needle;
}

TEST(UrlHost, TakesThePartBeforeTheFirstSlash)
{
    struct Case { std::string address, host; } cases[] = {
        {"http://site.test/a/b.htm", "site.test"},
        {"site.test/a", "site.test"},
        {"http://site.test", "site.test"},
        {"", ""},
        {"http://site.test:8080/x", "site.test:8080"},
        {"https://user@Site.Test/x", "user@Site.Test"},
        {"/a/b", ""},
        {"http://a.test/go?u=ftp://b.test/", "a.test"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlHost(c.address), c.host) << c.address;
}

TEST(ResolveLink, FollowsTheResolutionRule)
{
    const std::string page = "http://host.test/a/b/index.htm";
    struct Case { std::string link, page, result; } cases[] = {
        // no usable address
        {"", page, ""},
        {"about:blank", page, ""},
        {"http://host.test", page, ""},
        {"http://host.test/", page, ""},
        // absolute links come back unchanged, prefixes and all
        {"http://other.test/a.htm", page, "http://other.test/a.htm"},
        {"/go?to=http://other.test/x", page, "/go?to=http://other.test/x"},
        {"about:blankhttp://o.test/x", page, "about:blankhttp://o.test/x"},
        // root-relative, always "http://"
        {"/book/12.htm", "http://host.test/list/index.htm?x=1", "http://host.test/book/12.htm"},
        {"/x.htm", "https://host.test:81/a.htm", "http://host.test:81/x.htm"},
        {"//cdn.test/x.jpg", "http://host.test/a/b.htm", "http://host.test//cdn.test/x.jpg"},
        {"about:blank/12.htm", page, "http://host.test/12.htm"},
        {"about:/12.htm", page, "http://host.test/12.htm"},
        // relative to the page's folder; the page's query never carries over
        {"12.htm", "http://host.test/list/index.htm?x=1", "http://host.test/list/12.htm"},
        {"12.htm", "http://host.test/list/", "http://host.test/list/12.htm"},
        {"12.htm?p=1#f", page, "http://host.test/a/b/12.htm?p=1#f"},
        {"?p=2", "http://host.test/dir/page.htm?p=1", "http://host.test/dir/?p=2"},
        {"#top", "http://host.test/dir/page.htm", "http://host.test/dir/#top"},
        {"about:blank12.htm", page, "http://host.test/a/b/12.htm"},
        {"./12.htm", page, "http://host.test/a/b/12.htm"},
        {"./../12.htm", page, "http://host.test/a/b/../12.htm"},  // no climbing after "./"
        {"../12.htm", page, "http://host.test/a/12.htm"},
        {"../../12.htm", page, "http://host.test/12.htm"},
        {"a/../12.htm", page, "http://host.test/a/b/a/../12.htm"},  // only leading "../" climbs
        {"x.htm", "http://host.test/my dir/p.htm", "http://host.test/\"my dir\"/x.htm"},
        // climbing above the site root
        {"../../../12.htm", page, ""},
        {"../x.htm", "http://host.test/", ""},
        {"../x.htm", "http://host.test", ""},
        {"../../../../../../x.htm", page, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveLink(c.link, c.page), c.result) << c.link << " on " << c.page;
}

TEST(ResolveLink, OddPageAddressesGiveSomeTextWithoutFailing)
{
    for (const std::string page : {"", " ", "?", "/", "\"", "http://", ":///", "a", "\x81"})
        for (const std::string link : {"x", "../x", "./x", "/x", "?q", "about:"})
            (void)ResolveLink(link, page);
}

TEST(UrlParts, SplitAtTheLastDotOfTheWholeAddress)
{
    struct Case { std::string address, extension, prefix, stem; } cases[] = {
        {"http://host.test/b/123.html", "html", "http://host.test/b/123_", "123"},
        {"http://host.test/b/123", "test/b/123", "http://host_", "host"},
        {"http://host.test/b/123/", "test/b/123/", "http://host_", "host"},
        {"a.php?x=1.5", "5", "a.php?x=1_", "a.php?x=1"},
        {"noext", "noext", "_", ""},
        {"  noext", "noext", "_", ""},
        {"http://host.test/b/123.", "", "http://host.test/b/123_", "123"},
        {"http://host.test/my dir/1.htm", "htm", "http://host.\"test/my dir/1\"_", "1\""},
        {"", "", "_", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UrlExtension(c.address), c.extension) << c.address;
        EXPECT_EQ(UrlPagePrefix(c.address), c.prefix) << c.address;
        EXPECT_EQ(UrlFileStem(c.address), c.stem) << c.address;
    }
}
