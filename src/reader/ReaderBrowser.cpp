#include "reader/ReaderBrowser.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMouseEvent>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineDownloadRequest>

#include "reader/BrowsingPolicy.h"
#include "reader/ChapterFiles.h"
#include "reader/ExternalObjectScript.h"
#include "reader/ReaderWebPage.h"
#include "reader/RequestGuard.h"

namespace {

// A click counts for the link under the mouse for this long.
constexpr qint64 kClickWindowMs = 1500;

BrowsingPolicy CurrentPolicy()
{
    return BrowsingPolicy(QFile::decodeName(QByteArray::fromStdString(BookFolderPath())),
                          QFile::decodeName(QByteArray::fromStdString(HomePageFilePath())));
}

QUrl Comparable(const QUrl& url)
{
    return url.adjusted(QUrl::NormalizePathSegments | QUrl::StripTrailingSlash | QUrl::RemoveFragment);
}

void RestrictSettings(QWebEngineSettings* s)
{
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::TouchIconsEnabled, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    s->setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
}

}  // namespace

ReaderBrowser::ReaderBrowser(QWidget* parent)
    : QWebEngineView(parent),
      profile_(new QWebEngineProfile(this)),  // no storage name: off the record
      guard_(new RequestGuard(&CurrentPolicy, this))
{
    profile_->setUrlRequestInterceptor(guard_);
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->setSpellCheckEnabled(false);
    profile_->scripts()->insert(ExternalObjectScript());
    connect(profile_, &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest* download) { download->cancel(); });
    RestrictSettings(profile_->settings());

    page_ = new ReaderWebPage(profile_, &CurrentPolicy, this);
    page_->isUserLinkClick = [this](const QUrl& url) { return UserClickedLink(url); };
    connect(page_, &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { hoveredLink_ = url.isEmpty() ? QUrl() : QUrl(url); });
    setPage(page_);

    setContextMenuPolicy(Qt::NoContextMenu);
    qApp->installEventFilter(this);
}

ReaderBrowser::~ReaderBrowser()
{
    qApp->removeEventFilter(this);
    // The page must go before its profile.
    delete page_;
    page_ = nullptr;
    delete profile_;
    profile_ = nullptr;
}

void ReaderBrowser::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

bool ReaderBrowser::Contains(QObject* object) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool ReaderBrowser::UserClickedLink(const QUrl& url) const
{
    return lastLeftClick_.isValid() && lastLeftClick_.elapsed() < kClickWindowMs &&
           !hoveredLink_.isEmpty() && Comparable(hoveredLink_) == Comparable(url);
}

bool ReaderBrowser::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Contains(watched)) {
            // The embedded browser does not take the focus by itself.
            if (!hasFocus() && !(focusProxy() && focusProxy()->hasFocus()))
                setFocus(Qt::MouseFocusReason);
            if (event->type() == QEvent::MouseButtonRelease)
                lastLeftClick_.start();
        }
        break;
    }
    default:
        break;
    }
    return QWebEngineView::eventFilter(watched, event);
}
