// The reading pane's browser: the scripting object, page links that page, no context menu, and
// pages from the book folders kept off the network and away from other files.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <mutex>
#include <thread>

#include "ReaderFixture.h"
#include "reader/TReaderView.h"

namespace {

// A web site on 127.0.0.1 that records every request it gets.
class RecordingSite {
public:
    RecordingSite()
    {
        server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard<std::mutex> lock(mutex_);
            paths_.push_back(request.path);
            return httplib::Server::HandlerResponse::Unhandled;
        });
        auto page = [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<html><head><title>remote</title></head><body>remote page</body></html>",
                                 "text/html");
        };
        server_.Get(".*", page);
        server_.Post(".*", page);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        WaitUntil([this] { return server_.is_running(); }, 5000);
    }
    ~RecordingSite()
    {
        server_.stop();
        thread_.join();
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::vector<std::string> Paths()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return paths_;
    }
    bool Saw(const std::string& path)
    {
        auto seen = Paths();
        return std::find(seen.begin(), seen.end(), path) != seen.end();
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> paths_;
};

std::string PngBytes()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

QWebEnginePage* PageOf(ReaderBook& book)
{
    return book.view->Browser()->page();
}

// Shows chapter `i` by a click and waits until it is there.
void OpenChapter(ReaderBook& book, int i)
{
    book.ClickRow(i);
    ASSERT_TRUE(WaitForPage(PageOf(book), book.PageUrl(i)));
}

}  // namespace

TEST(BrowserHost, PagesFindShowmsgAndNothingElseOnTheExternalObject)
{
    ReaderBook book({{1, 1}});
    WriteFileBytes(book.PagePath(0), R"(<html><head><script>
var r = [];
r.push(window.external.showmsg("abc"));
r.push(window.external.showmsg(""));
try { window.external.AddSearchProvider("x"); r.push("no error"); } catch (e) { r.push(e.name); }
try { window.external.other(); r.push("no error"); } catch (e) { r.push(e.name); }
window.external = null;
r.push(typeof window.external.showmsg);
document.title = r.join("|");
</script></head><body>x</body></html>)");
    OpenChapter(book, 0);
    EXPECT_TRUE(WaitUntil([&] { return PageOf(book)->title().contains(QLatin1Char('|')); }));
    EXPECT_EQ(PageOf(book)->title(), QStringLiteral("abc123|123|TypeError|TypeError|function"));
}

TEST(BrowserHost, PageLinksToPriorAndNextPageThroughTheBook)
{
    ReaderBook book({{1, 1}, {1, 0}, {1, 1}});
    for (int i = 0; i < 3; ++i)
        WriteFileBytes(book.PagePath(i), "<html><body><a id='prior' href='Prior.htm'>prior</a>"
                                         "<a id='next' href='Next.htm'>next</a> page " +
                                             std::to_string(i) + "</body></html>");
    OpenChapter(book, 0);
    QWebEnginePage* page = PageOf(book);

    RunScript(page, QStringLiteral("document.getElementById('next').click()"));
    ASSERT_TRUE(WaitForPage(page, book.PageUrl(1)));
    EXPECT_EQ(book.FocusedRow(), 1);
    EXPECT_EQ(book.host.deltas, std::vector<int>({-1}));
    QList<QWebEngineHistoryItem> items = page->history()->items();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].url(), book.PageUrl(0));
    EXPECT_EQ(items[1].url(), book.PageUrl(1));

    RunScript(page, QStringLiteral("document.getElementById('prior').click()"));
    ASSERT_TRUE(WaitForPage(page, book.PageUrl(0)));
    EXPECT_EQ(book.FocusedRow(), 0);
    for (const QWebEngineHistoryItem& item : page->history()->items()) {
        EXPECT_FALSE(item.url().toString().contains(QLatin1String("Next.htm")));
        EXPECT_FALSE(item.url().toString().contains(QLatin1String("Prior.htm")));
    }
}

TEST(BrowserHost, RightClickShowsNoMenuAndLeftClickTakesTheFocus)
{
    ReaderBook book({{1, 1}});
    WriteFileBytes(book.PagePath(0), R"(<html><body style="height:2000px">
<script>document.addEventListener('contextmenu', function () { document.title = 'asked'; });</script>
text</body></html>)");
    OpenChapter(book, 0);
    QWidget* surface = book.view->Browser()->focusProxy();
    ASSERT_NE(surface, nullptr);
    book.view->Grid()->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return book.view->Grid()->hasFocus(); }, 3000));

    const QPoint inside = surface->rect().center();
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_TRUE(WaitUntil([&] { return surface->hasFocus(); }, 3000));

    QTest::mouseClick(surface, Qt::RightButton, Qt::NoModifier, inside);
    ASSERT_TRUE(WaitUntil([&] { return PageOf(book)->title() == QLatin1String("asked"); }));
    // The browser answers the page's context-menu event with a menu request right away.
    WaitUntil([] { return QApplication::activePopupWidget() != nullptr; }, 1000);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QMenu*>(w) && w->isVisible());
}

TEST(BrowserHost, ChapterPagesReachNoNetworkAndNoFileOutsideTheBooks)
{
    RecordingSite site;
    ReaderBook book({{1, 1}});
    const std::string remote = site.Base();
    const std::string folder = book.dir.File("Book/" + book.Key() + "/");
    WriteFileBytes(folder + "pic.png", PngBytes());
    WriteFileBytes(folder + "local.js", "window.localScript = true;");
    WriteFileBytes(folder + "inside.txt", "INSIDE");
    WriteFileBytes(book.dir.File("outside.png"), PngBytes());
    WriteFileBytes(book.dir.File("outside.txt"), "SECRET");
    WriteFileBytes(book.dir.File("outside.htm"), "<html><body>SECRET</body></html>");
    std::string page = R"(<html><head>
<link rel="stylesheet" href="@/style.css">
<link rel="icon" href="@/icon.png">
<link rel="prefetch" href="@/prefetch">
<script src="@/script.js"></script>
<script src="local.js"></script>
</head><body>
<img id="remote" src="@/pic.png">
<img id="local" src="pic.png">
<img id="outside" src="../../outside.png">
<iframe id="remoteframe" src="@/frame.htm"></iframe>
<iframe id="outframe" src="../../outside.htm"></iframe>
<audio src="@/sound.mp3" autoplay></audio>
<form id="form" action="@/form" method="post"><input name="a" value="b"></form>
<script>
function settle(p) { return p.then(function (v) { return 'ok:' + v; }, function (e) { return 'failed'; }); }
function loaded(el) {
  return new Promise(function (done) {
    if (el.complete) { done(); return; }
    el.addEventListener('load', done); el.addEventListener('error', done); setTimeout(done, 4000);
  });
}
function frameLoaded(el) {
  return new Promise(function (done) { el.addEventListener('load', done); setTimeout(done, 4000); });
}
function frameText(el) { try { return el.contentDocument ? el.contentDocument.body.textContent : 'none'; } catch (e) { return 'denied'; } }
var results = {};
var probes = [
  settle(fetch('@/fetch').then(function (r) { return r.text(); })).then(function (v) { results.fetch = v; }),
  settle(fetch('../../outside.txt').then(function (r) { return r.text(); })).then(function (v) { results.outsideFetch = v; }),
  settle(fetch('inside.txt').then(function (r) { return r.text(); })).then(function (v) { results.insideFetch = v; }),
  new Promise(function (done) {
    var x = new XMLHttpRequest();
    x.open('GET', '@/xhr');
    x.onload = function () { results.xhr = 'ok'; done(); };
    x.onerror = function () { results.xhr = 'failed'; done(); };
    x.send();
  }),
  new Promise(function (done) {
    try {
      var ws = new WebSocket('@/socket'.replace('http', 'ws'));
      ws.onopen = function () { results.socket = 'open'; done(); };
      ws.onerror = function () { results.socket = 'failed'; done(); };
    } catch (e) { results.socket = 'threw'; done(); }
    setTimeout(done, 4000);
  }),
  new Promise(function (done) {
    var es = new EventSource('@/events');
    es.onerror = function () { es.close(); done(); };
    setTimeout(done, 4000);
  }),
  loaded(document.getElementById('remote')),
  loaded(document.getElementById('local')),
  loaded(document.getElementById('outside')),
  frameLoaded(document.getElementById('outframe')),
];
try { navigator.sendBeacon('@/beacon', 'x'); } catch (e) {}
results.popup = String(window.open('@/popup'));
Promise.all(probes).then(function () {
  results.localPicture = document.getElementById('local').naturalWidth;
  results.outsidePicture = document.getElementById('outside').naturalWidth;
  results.remotePicture = document.getElementById('remote').naturalWidth;
  results.outsideFrame = frameText(document.getElementById('outframe'));
  results.localScript = window.localScript === true;
  results.rtc = typeof RTCPeerConnection;
  // Navigations of the page's own making must not leave the book either.
  location.href = '@/navigate';
  document.getElementById('form').submit();
  document.title = 'done';
});
</script></body></html>)";
    for (size_t at; (at = page.find('@')) != std::string::npos;)
        page.replace(at, 1, remote);
    WriteFileBytes(book.PagePath(0), page);

    OpenChapter(book, 0);
    QWebEnginePage* view = PageOf(book);
    ASSERT_TRUE(WaitUntil([&] { return view->title() == QLatin1String("done"); }, 30000));
    QJsonObject results =
        QJsonDocument::fromJson(RunScript(view, QStringLiteral("JSON.stringify(results)")).toString().toUtf8())
            .object();
    SCOPED_TRACE(QJsonDocument(results).toJson().toStdString());
    auto text = [&](const char* key) { return results.value(QLatin1String(key)).toVariant().toString().toStdString(); };
    EXPECT_EQ(text("fetch"), "failed");
    EXPECT_EQ(text("xhr"), "failed");
    EXPECT_NE(text("socket"), "open");
    EXPECT_EQ(text("popup"), "null");
    EXPECT_EQ(text("remotePicture"), "0");
    EXPECT_EQ(text("rtc"), "undefined");
    // Files of the book folder load; files outside it do not.
    EXPECT_EQ(text("localPicture"), "8");
    EXPECT_EQ(text("localScript"), "true");
    EXPECT_EQ(text("insideFetch"), "ok:INSIDE");
    EXPECT_EQ(text("outsidePicture"), "0");
    EXPECT_EQ(text("outsideFetch"), "failed");
    EXPECT_EQ(text("outsideFrame").find("SECRET"), std::string::npos);

    // The program's own navigation does reach the site; by the time it has, nothing else did.
    book.view->NavigateTo(remote + "/program");
    ASSERT_TRUE(WaitUntil([&] { return site.Saw("/program"); }));
    EXPECT_EQ(site.Paths(), std::vector<std::string>({"/program"}));
}

TEST(BrowserHost, ALinkTheUserClicksIsFollowedButAClickElsewhereLeadsNowhere)
{
    RecordingSite site;
    ReaderBook book({{1, 1}});
    // The upper half is a link; a click on the lower half makes the page's script navigate.
    WriteFileBytes(book.PagePath(0), "<html><body style='margin:0'>"
        "<a id='go' href='" + site.Base() + "/clicked' style='display:block;height:200px'>go</a>"
        "<div id='elsewhere' style='height:3000px'>elsewhere</div><script>"
        "document.getElementById('go').onmouseover = function () { document.title = 'over link'; };"
        "document.getElementById('elsewhere').onmouseover = function () { document.title = 'over text'; };"
        "document.getElementById('elsewhere').onclick = function () {"
        "  document.title = 'clicked text'; location.href = '" + site.Base() + "/scripted'; };"
        "</script></body></html>");
    OpenChapter(book, 0);
    QWebEnginePage* page = PageOf(book);
    QWidget* surface = book.view->Browser()->focusProxy();
    auto pointAt = [&](const QPoint& at, const char* title) {
        return WaitUntil([&] {
            QTest::mouseMove(surface, at);
            return page->title() == QLatin1String(title);
        }, 5000);
    };

    const QPoint onText(100, 300), onLink(100, 100);
    ASSERT_TRUE(pointAt(onText, "over text"));
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, onText);
    ASSERT_TRUE(WaitUntil([&] { return page->title() == QLatin1String("clicked text"); }));

    ASSERT_TRUE(pointAt(onLink, "over link"));
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, onLink);
    EXPECT_TRUE(WaitUntil([&] { return site.Saw("/clicked"); }));
    EXPECT_EQ(site.Paths(), std::vector<std::string>({"/clicked"}));
}
