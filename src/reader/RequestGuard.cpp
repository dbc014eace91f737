#include "reader/RequestGuard.h"

RequestGuard::RequestGuard(std::function<BrowsingPolicy()> policy, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), policy_(std::move(policy))
{
}

void RequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    const bool mainFrame = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame;
    BrowsingPolicy::Origin origin = BrowsingPolicy::Origin::Page;
    switch (info.navigationType()) {
    case QWebEngineUrlRequestInfo::NavigationTypeTyped:
    case QWebEngineUrlRequestInfo::NavigationTypeBackForward:
    case QWebEngineUrlRequestInfo::NavigationTypeReload:
        origin = BrowsingPolicy::Origin::Program;
        break;
    default:
        break;
    }
    if (!policy_().AllowRequest(info.requestUrl(), info.firstPartyUrl(), mainFrame, origin)) {
        ++blocked_;
        info.block(true);
    }
}
