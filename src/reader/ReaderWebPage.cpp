#include "reader/ReaderWebPage.h"

#include <QMetaObject>

namespace {

// How long after a link click redirects of that navigation are still the user's.
constexpr qint64 kRedirectWindowMs = 15000;

}  // namespace

ReaderWebPage::ReaderWebPage(QWebEngineProfile* profile, std::function<BrowsingPolicy()> policy,
                             QObject* parent)
    : QWebEnginePage(profile, parent), policy_(std::move(policy))
{
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
}

bool ReaderWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    const QString target = url.toString();
    if (target.contains(QLatin1String("Prior.htm"))) {
        QMetaObject::invokeMethod(this, &ReaderWebPage::PriorLinkFollowed, Qt::QueuedConnection);
        return false;
    }
    if (target.contains(QLatin1String("Next.htm"))) {
        QMetaObject::invokeMethod(this, &ReaderWebPage::NextLinkFollowed, Qt::QueuedConnection);
        return false;
    }

    BrowsingPolicy::Origin origin = BrowsingPolicy::Origin::Page;
    switch (type) {
    case NavigationTypeTyped:
    case NavigationTypeBackForward:
    case NavigationTypeReload:
        origin = BrowsingPolicy::Origin::Program;
        break;
    case NavigationTypeLinkClicked:
        if (isMainFrame && isUserLinkClick && isUserLinkClick(url))
            origin = BrowsingPolicy::Origin::UserLink;
        break;
    case NavigationTypeRedirect:
        if (isMainFrame && userNavigation_.isValid() && userNavigation_.elapsed() < kRedirectWindowMs)
            origin = BrowsingPolicy::Origin::Redirect;
        break;
    default:
        break;
    }
    if (!policy_().AllowNavigation(url, isMainFrame, origin, this->url()))
        return false;
    if (origin == BrowsingPolicy::Origin::UserLink)
        userNavigation_.start();
    else if (isMainFrame && origin == BrowsingPolicy::Origin::Program)
        userNavigation_.invalidate();
    return true;
}

QWebEnginePage* ReaderWebPage::createWindow(WebWindowType)
{
    return nullptr;
}
