// Where reading-pane pages may reach: files of the book folders, never the network on their own.
#include <gtest/gtest.h>

#include <filesystem>

#include "reader/BrowsingPolicy.h"
#include "support/TempAppDir.h"

namespace {

using Origin = BrowsingPolicy::Origin;

struct PolicyFixture {
    TempAppDir dir;
    BrowsingPolicy policy{QString::fromStdString(dir.File("Book")),
                          QString::fromStdString(dir.File("Model/home.htm"))};

    PolicyFixture()
    {
        WriteFileBytes(dir.File("Book/7/100001.htm"), "<p>x</p>");
        WriteFileBytes(dir.File("Book/7/pic.png"), "png");
        WriteFileBytes(dir.File("secret.txt"), "secret");
        std::filesystem::create_symlink(dir.File("secret.txt"), dir.File("Book/7/link.txt"));
        std::filesystem::create_directories(dir.File("Bookish"));
    }
    QUrl File(const std::string& relative) const
    {
        return QUrl::fromLocalFile(QString::fromStdString(dir.File(relative)));
    }
};

}  // namespace

TEST(BrowsingPolicy, ReadableFilesAreThoseOfTheBookFoldersAndTheHomePage)
{
    PolicyFixture f;
    struct Case {
        const char* path;
        bool readable;
    } cases[] = {
        {"Book/7/100001.htm", true},
        {"Book/7/pic.png", true},
        {"Book/7/missing.htm", true},  // the browser shows its not-found page
        {"Book/8/List.htm", true},
        {"Model/home.htm", true},
        {"Model/article.htm", false},
        {"secret.txt", false},
        {"Book/7/../../secret.txt", false},
        {"Book/7/link.txt", false},  // a link inside pointing outside
        {"Bookish/x.htm", false},    // a name that merely starts like the folder
        {"data.mdb", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.policy.IsReadableFile(f.File(c.path)), c.readable) << c.path;
    EXPECT_FALSE(f.policy.IsReadableFile(QUrl::fromLocalFile("/etc/passwd")));
    EXPECT_FALSE(f.policy.IsReadableFile(QUrl("http://127.0.0.1/Book/7/100001.htm")));
}

TEST(BrowsingPolicy, LocalPagesReachNoNetworkWhileWebPagesBrowseFreely)
{
    PolicyFixture f;
    const QUrl chapter = f.File("Book/7/100001.htm");
    const QUrl remote("http://127.0.0.1:8080/a.png");
    const QUrl site("http://127.0.0.1:8080/index.html");

    // Sub-resources by the first party they belong to.
    EXPECT_FALSE(f.policy.AllowRequest(remote, chapter, false, Origin::Page));
    EXPECT_FALSE(f.policy.AllowRequest(QUrl("ws://127.0.0.1:8080/"), chapter, false, Origin::Page));
    EXPECT_FALSE(f.policy.AllowRequest(QUrl("ftp://127.0.0.1/x"), QUrl("about:blank"), false, Origin::Page));
    EXPECT_FALSE(f.policy.AllowRequest(remote, QUrl(), false, Origin::Page));
    EXPECT_TRUE(f.policy.AllowRequest(f.File("Book/7/pic.png"), chapter, false, Origin::Page));
    EXPECT_FALSE(f.policy.AllowRequest(f.File("secret.txt"), chapter, false, Origin::Page));
    EXPECT_TRUE(f.policy.AllowRequest(remote, site, false, Origin::Page));
    EXPECT_FALSE(f.policy.AllowRequest(f.File("Book/7/pic.png"), site, false, Origin::Page));
    EXPECT_TRUE(f.policy.AllowRequest(QUrl("data:image/png;base64,AAAA"), chapter, false, Origin::Page));
    // The program may show any file; a page may not go to one outside.
    EXPECT_TRUE(f.policy.AllowRequest(f.File("secret.txt"), f.File("secret.txt"), true, Origin::Program));
    EXPECT_FALSE(f.policy.AllowRequest(f.File("secret.txt"), f.File("secret.txt"), true, Origin::Page));

    // Navigations.
    EXPECT_TRUE(f.policy.AllowNavigation(site, true, Origin::Program, chapter));
    EXPECT_TRUE(f.policy.AllowNavigation(site, true, Origin::UserLink, chapter));
    EXPECT_TRUE(f.policy.AllowNavigation(site, true, Origin::Redirect, chapter));
    EXPECT_FALSE(f.policy.AllowNavigation(site, true, Origin::Page, chapter));
    EXPECT_FALSE(f.policy.AllowNavigation(site, false, Origin::UserLink, chapter));
    EXPECT_TRUE(f.policy.AllowNavigation(site, false, Origin::Page, site));
    EXPECT_TRUE(f.policy.AllowNavigation(f.File("Book/7/List.htm"), true, Origin::Page, chapter));
    EXPECT_FALSE(f.policy.AllowNavigation(f.File("secret.txt"), true, Origin::Page, chapter));
    EXPECT_FALSE(f.policy.AllowNavigation(f.File("secret.txt"), false, Origin::Page, chapter));
    EXPECT_TRUE(f.policy.AllowNavigation(QUrl("about:blank"), false, Origin::Page, chapter));
}
