#include "reader/BrowsingPolicy.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The path with links and ".." resolved. Of a path that does not exist, the part that does is
// resolved and the rest kept: a missing file reveals nothing, its folder decides where it is.
QString CanonicalOrClean(const QString& path)
{
    QString cleaned = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    QString existing = cleaned;
    while (!existing.isEmpty()) {
        QString canonical = QFileInfo(existing).canonicalFilePath();
        if (!canonical.isEmpty())
            return rest.isEmpty() ? canonical : QDir::cleanPath(canonical + QLatin1Char('/') + rest);
        int slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            break;
        QString name = existing.mid(slash + 1);
        rest = rest.isEmpty() ? name : name + QLatin1Char('/') + rest;
        existing = existing.left(slash);
    }
    return cleaned;
}

}  // namespace

BrowsingPolicy::BrowsingPolicy(const QString& bookFolder, const QString& homePage)
    : bookRoot_(CanonicalOrClean(bookFolder)), homePage_(CanonicalOrClean(homePage))
{
}

bool BrowsingPolicy::IsNetworkUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return !(scheme == QLatin1String("file") || scheme == QLatin1String("about") ||
             scheme == QLatin1String("data") || scheme == QLatin1String("blob") ||
             scheme == QLatin1String("qrc"));
}

bool BrowsingPolicy::IsReadableFile(const QUrl& url) const
{
    if (!url.isLocalFile())
        return false;
    const QString path = CanonicalOrClean(url.toLocalFile());
    if (path == homePage_)
        return true;
    // The book folder may itself not exist yet; then nothing is below it.
    if (bookRoot_.isEmpty())
        return false;
    return path.startsWith(bookRoot_ + QLatin1Char('/'));
}

bool BrowsingPolicy::AllowNavigation(const QUrl& target, bool mainFrame, Origin origin,
                                     const QUrl& currentPage) const
{
    if (mainFrame && origin == Origin::Program)
        return true;
    if (target.isLocalFile())
        return IsReadableFile(target);
    if (!IsNetworkUrl(target))
        return true;  // about:blank and friends
    // A web page the user went to browses like in any browser.
    if (IsNetworkUrl(currentPage) && !currentPage.isEmpty())
        return true;
    return mainFrame && (origin == Origin::UserLink || origin == Origin::Redirect);
}

bool BrowsingPolicy::AllowRequest(const QUrl& url, const QUrl& firstParty, bool mainFrame,
                                  Origin origin) const
{
    if (url.isLocalFile()) {
        if (mainFrame && origin == Origin::Program)
            return true;
        if (!firstParty.isEmpty() && IsNetworkUrl(firstParty))
            return false;
        return IsReadableFile(url);
    }
    if (!IsNetworkUrl(url))
        return true;
    // The main frame's own navigation has passed AllowNavigation already; everything else
    // may reach the network only for a web page, never for a local one.
    if (mainFrame)
        return true;
    return !firstParty.isEmpty() && IsNetworkUrl(firstParty);
}
