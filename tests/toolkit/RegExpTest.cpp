#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/RegExp.h"
#include "toolkit/TextCodec.h"

// The tests write their texts in UTF-8; TRegExp speaks the program's 8-bit text.
namespace {

std::vector<std::string> Matches(const std::string& pattern, const std::string& subject,
                                 bool ignoreCase = false, bool global = true)
{
    TRegExp re;
    re.SetPattern(Utf8ToGb(pattern));
    re.SetIgnoreCase(ignoreCase);
    re.SetGlobal(global);
    std::vector<std::string> values;
    for (const TMatch& m : re.Execute(Utf8ToGb(subject)))
        values.push_back(GbToUtf8(m.Value));
    return values;
}

std::string Replaced(const std::string& pattern, const std::string& subject,
                     const std::string& replacement, bool global = true)
{
    TRegExp re;
    re.SetPattern(Utf8ToGb(pattern));
    re.SetGlobal(global);
    return GbToUtf8(re.Replace(Utf8ToGb(subject), Utf8ToGb(replacement)));
}

using Values = std::vector<std::string>;

}  // namespace

TEST(RegExp, NamedPatternsAreTheExactTexts)
{
    EXPECT_EQ(std::strlen(kTagPattern), 36u);
    EXPECT_STREQ(kTagPattern, R"(<(img|script).*?.[^>]*("|'| |/|g|f)>)");
    EXPECT_EQ(std::strlen(kFileNamePattern), 22u);
    EXPECT_STREQ(kFileNamePattern, R"(\\|/|\*|<|>|\:|"|\?|\|)");
}

TEST(RegExp, EcmaScriptMatchingSemantics)
{
    struct Case { const char* pattern; std::string subject; Values expected; } cases[] = {
        {"a.*?b", "aXbYb aZb", {"aXb", "aZb"}},
        {"a.*b", "aXbYb aZb", {"aXbYb aZb"}},
        {"cat|dog", "dog, cat", {"dog", "cat"}},
        {"(ab)+c", "ababc abc", {"ababc", "abc"}},
        {"aa", "aaaaa", {"aa", "aa"}},  // non-overlapping, left to right
        // "." stops at the four line terminators, and at nothing else.
        {"a.b", "a\nb a\rb a\u2028b a\u2029b axb a\tb a\x0B" "b a\fb a\u0085b a中b",
         {"axb", "a\tb", "a\x0B" "b", "a\fb", "a\u0085b", "a中b"}},
        {".+", "ab\r\ncd", {"ab", "cd"}},
        {"[^>]+", "a\r\nb>", {"a\r\nb"}},
        // "^" and "$" only at the ends of the whole text, never at a line break.
        {"^\\w", "a\nb", {"a"}},
        {"\\w$", "a\nb", {"b"}},
        {"\\w$", "a\nb\n", {}},
        // Escapes: metacharacters, \xHH, \uXXXX, \v as vertical tab, unknown letters as themselves.
        {"\\:|\\*|\\?|\\\\", "a:b*c?d\\", {":", "*", "?", "\\"}},
        {"\\x41\\u4E2D", "A中", {"A中"}},
        {"\\v", "\n\x0B\r", {"\x0B"}},
        {"\\A\\Q", "AQ", {"AQ"}},
        {"[[:alpha:]]+", "pa]]", {"a]]"}},  // no POSIX classes: "[" is plain inside a class
        // A reference to a group that took no part matches the empty text.
        {"(a)?b\\1", "b", {"b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Matches(c.pattern, c.subject), c.expected) << c.pattern << " on " << c.subject;
}

TEST(RegExp, EmptyMatchMovesOnByOneWholeCharacter)
{
    EXPECT_EQ(Replaced("x*", "a中b", "-"), "-a-中-b-");
    EXPECT_EQ(Replaced("b*", "abc", "-"), "-a--c-");
    EXPECT_EQ(Matches(".*", "ab"), (Values{"ab", ""}));
}

TEST(RegExp, IgnoreCaseFoldsAsciiAndUnicodeAndLeavesChineseAlone)
{
    struct Case { const char* pattern; std::string subject; Values expected; bool caseMatters; }
    cases[] = {
        {"abc", "ABC aBc", {"ABC", "aBc"}, true},
        {"ＡＢ", "ａｂ", {"ａｂ"}, true},  // full-width letters, common in Chinese text
        {"σ", "Σ", {"Σ"}, true},
        {"[а-я]+", "ПРИВЕТ", {"ПРИВЕТ"}, true},
        {"第.章", "第一章 第二章 第三节", {"第一章", "第二章"}, false},
        {"广告|ad", "本站广告 AD", {"广告", "AD"}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Matches(c.pattern, c.subject, true), c.expected) << c.pattern;
        const Values withCase = Matches(c.pattern, c.subject, false);
        if (c.caseMatters)
            EXPECT_NE(withCase, c.expected) << c.pattern;
        else
            EXPECT_EQ(withCase, c.expected) << c.pattern;
    }
}

TEST(RegExp, TagPatternFindsPictureAndScriptTags)
{
    struct Case { std::string subject; Values expected; } cases[] = {
        {"x<IMG SRC=\"a.jpg\">y", {"<IMG SRC=\"a.jpg\">"}},
        {"<img src=a.bmp>", {}},  // last character before ">" is none of the six
        {"<img src=a.gif>", {"<img src=a.gif>"}},
        {"<img src=a.jpg>", {"<img src=a.jpg>"}},
        {"<img src='a.png' /><Script src=\"x.js\"></script>",
         {"<img src='a.png' />", "<Script src=\"x.js\">"}},
        // The lazy run crosses the ">" of the bmp tag and ends with the next fitting tag...
        {"<img src=a.bmp> text <img src=b.gif>", {"<img src=a.bmp> text <img src=b.gif>"}},
        // ...but not a line break: here the second tag is found alone.
        {"<img src=a.bmp>\r\n<br>\r\n<img src=b.gif>", {"<img src=b.gif>"}},
        {"<p>no tags here</p>", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Matches(kTagPattern, c.subject, true), c.expected) << c.subject;
}

TEST(RegExp, FileNamePatternReplacesEveryForbiddenCharacter)
{
    EXPECT_EQ(Replaced(kFileNamePattern, "第1章: 开始/结束", "-"), "第1章- 开始-结束");
    EXPECT_EQ(Replaced(kFileNamePattern, "a\\b/c*d<e>f:g\"h?i|j", "-"), "a-b-c-d-e-f-g-h-i-j");
}

TEST(RegExp, ReplacementSyntaxOfEcmaScript)
{
    struct Case { const char* replacement; const char* expected; } cases[] = {
        {"$2 at $1", "x site at joe y"},
        {"[$&]", "x [joe@site] y"},
        {"$`", "x x  y"},
        {"$'", "x  y y"},
        {"$$1", "x $1 y"},
        {"$3", "x $3 y"},     // no group 3: literal
        {"$0", "x $0 y"},
        {"$10", "x joe0 y"},  // no group 10: $1 then "0"
        {"$01", "x joe y"},
        {"$", "x $ y"},
        {"$x\\1", "x $x\\1 y"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Replaced("(\\w+)@(\\w+)", "x joe@site y", c.replacement), c.expected)
            << c.replacement;

    EXPECT_EQ(Replaced("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "abcdefghijk", "$11-$1"), "k-a");
    EXPECT_EQ(Replaced("(a)|(b)", "b", "[$1]"), "[]");  // a group that took no part
    EXPECT_EQ(Replaced("(章)", "第一章", "《$1》"), "第一《章》");
}

TEST(RegExp, GlobalOffTouchesOnlyTheFirstMatch)
{
    TRegExp re;
    EXPECT_FALSE(re.Global());
    EXPECT_FALSE(re.IgnoreCase());
    EXPECT_EQ(Replaced("a", "banana", "o", false), "bonana");
    EXPECT_EQ(Matches("a", "banana", false, false), Values{"a"});
    EXPECT_EQ(Replaced("a", "banana", "o", true), "bonono");
}

TEST(RegExp, NoMatchGivesCountZeroAndKeepsTheSubjectsBytes)
{
    TRegExp re;
    re.SetPattern("z");
    re.SetGlobal(true);
    const TMatchCollection none = re.Execute("abc");
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.size(), 0u);
    // A lone lead byte would become U+FFFD through the conversion; untouched text keeps it.
    EXPECT_EQ(re.Replace("a\x81", "-"), "a\x81");
}

TEST(RegExp, SettingsChangesAreSeenAndCompiledPatternsReused)
{
    TRegExp re;
    re.SetGlobal(true);
    re.SetPattern("a");
    EXPECT_EQ(re.Execute("A").Count(), 0);
    re.SetIgnoreCase(true);
    EXPECT_EQ(re.Execute("A").Count(), 1);
    re.SetPattern("b");
    EXPECT_EQ(re.Execute("AB").Count(), 1);
    EXPECT_EQ(re.Execute("AB")[0].Value, "B");
    re.SetPattern("a");
    re.SetIgnoreCase(false);
    EXPECT_EQ(re.Execute("A").Count(), 0);
    EXPECT_EQ(re.Pattern(), "a");
}

TEST(RegExp, RejectedPatternRaisesWithTheEnginesMessage)
{
    struct Case { std::string pattern; const char* message; const char* where; } cases[] = {
        {"(abc", "missing closing parenthesis", "offset 4"},
        {"a{2,1}", "numbers out of order", "offset 5"},
        // Offsets count the user's characters, whatever the pattern became on the way.
        {"中.(", "missing closing parenthesis", "offset 3"},
    };
    for (const auto& c : cases) {
        TRegExp re;
        re.SetPattern(Utf8ToGb(c.pattern));  // setting never fails; the first use does
        for (int use = 0; use < 2; ++use) {
            try {
                if (use == 0)
                    re.Execute("abc");
                else
                    re.Replace("abc", "x");
                ADD_FAILURE() << c.pattern << " was accepted";
            } catch (const TRegExpError& e) {
                const std::string what = e.what();
                EXPECT_NE(what.find(c.message), std::string::npos) << what;
                EXPECT_NE(what.find(c.where), std::string::npos) << what;
            }
        }
        re.SetPattern("b");
        EXPECT_EQ(re.Replace("abc", "x"), "axc");
    }
    static_assert(std::is_base_of_v<std::runtime_error, TRegExpError>);
}

TEST(RegExp, MegabyteSubjectsDoNotOverflow)
{
    std::string chapter;
    while (chapter.size() < (1u << 20))
        chapter += "第一段文字，<IMG src=\"pic/1.jpg\"> 接着的文字<br />\r\n";
    TRegExp re;
    re.SetIgnoreCase(true);
    re.SetGlobal(true);
    re.SetPattern(kTagPattern);
    const std::size_t lines = chapter.size() / std::strlen("第一段文字，<IMG src=\"pic/1.jpg\"> 接着的文字<br />\r\n");
    const TMatchCollection tags = re.Execute(Utf8ToGb(chapter));
    ASSERT_EQ(tags.size(), lines);
    EXPECT_EQ(tags[0].Value, "<IMG src=\"pic/1.jpg\">");

    const std::string line(1u << 20, 'x');
    for (const char* pattern : {".*", "(.)*", "(x|y)+"}) {
        re.SetPattern(pattern);
        const TMatchCollection all = re.Execute(line);
        ASSERT_GE(all.size(), 1u) << pattern;
        EXPECT_EQ(all[0].Value.size(), line.size()) << pattern;
    }
}

TEST(RegExp, CatastrophicBacktrackingRaisesInsteadOfHanging)
{
    TRegExp re;
    re.SetPattern("(a+)+$");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(re.Execute(std::string(5000, 'a') + "b"), TRegExpError);
    EXPECT_THROW(re.Replace(std::string(40, 'a') + "b", ""), TRegExpError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(re.Execute("aaa").Count(), 1);  // the object stays usable
}
