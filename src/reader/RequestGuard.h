#pragma once
// Filters every request of the reading pane's profile through the browsing policy.
#include <QWebEngineUrlRequestInterceptor>

#include <functional>

#include "reader/BrowsingPolicy.h"

class RequestGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    // The policy is made per request: the application directory is read each time.
    explicit RequestGuard(std::function<BrowsingPolicy()> policy, QObject* parent = nullptr);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    int BlockedCount() const { return blocked_; }

private:
    std::function<BrowsingPolicy()> policy_;
    int blocked_ = 0;
};
