#pragma once
// Where pages in the reading pane may reach. Chapter pages are built from text that other
// people's sites wrote, so a page shown from the book folders may read files of the book
// folders only and reach nothing on the network; the program's own navigations, and a link
// the user clicks, go where they point.
#include <QString>
#include <QUrl>

class BrowsingPolicy {
public:
    // Who started a navigation or request.
    enum class Origin {
        Program,   // our own navigation, back, forward, reload
        UserLink,  // the user clicked a link to exactly this address
        Redirect,  // a redirect while a navigation the user started is under way
        Page,      // anything a page does by itself
    };

    // Native paths: the "Book" folder and the welcome page.
    BrowsingPolicy(const QString& bookFolder, const QString& homePage);

    // file, about, data, blob and qrc stay on this machine; every other scheme is network.
    static bool IsNetworkUrl(const QUrl& url);
    // A file below the book folder (after resolving links and "..") or the welcome page.
    bool IsReadableFile(const QUrl& url) const;

    // A navigation of the main frame or of a frame inside it, as the page reports it;
    // `currentPage` is the address the main frame shows.
    bool AllowNavigation(const QUrl& target, bool mainFrame, Origin origin, const QUrl& currentPage) const;
    // A request as the network layer sees it; `firstParty` is the top document's address.
    bool AllowRequest(const QUrl& url, const QUrl& firstParty, bool mainFrame, Origin origin) const;

private:
    QString bookRoot_;
    QString homePage_;
};
