#include "reader/TReaderView.h"

#include <QDesktopServices>
#include <QFile>
#include <QSplitter>
#include <QVBoxLayout>

#include "reader/ChapterFiles.h"
#include "reader/ChapterDataSet.h"
#include "reader/ChapterGrid.h"
#include "reader/ChapterMenu.h"
#include "reader/ReaderBrowser.h"
#include "reader/ReaderHost.h"
#include "reader/ReaderWebPage.h"
#include "reader/ReadingToolbar.h"
#include "reader/TReaderViewImpl.h"
#include "toolkit/TextCodec.h"

namespace {

constexpr int kGridHeight = 168;

}  // namespace

TReaderView::Impl::Impl(TReaderView& v, ReaderHost& h, DbDataSet& c)
    : view(v), host(h), chapters(c), marks(h, c),
      openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
}

TReaderView::TReaderView(ReaderHost& host, DbDataSet& chapters, QWidget* parent)
    : QWidget(parent), d(new Impl(*this, host, chapters))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    d->splitter = new QSplitter(Qt::Vertical, this);
    d->splitter->setHandleWidth(2);
    d->splitter->setChildrenCollapsible(false);
    layout->addWidget(d->splitter);

    d->grid = new ChapterGrid(chapters, d->splitter);
    d->grid->setMinimumHeight(40);

    auto* pane = new QWidget(d->splitter);
    auto* paneLayout = new QVBoxLayout(pane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(0);
    d->toolbar = new ReadingToolbar(pane);
    d->browser = new ReaderBrowser(pane);
    paneLayout->addWidget(d->toolbar);
    paneLayout->addWidget(d->browser, 1);

    d->splitter->addWidget(d->grid);
    d->splitter->addWidget(pane);
    d->splitter->setStretchFactor(0, 0);
    d->splitter->setStretchFactor(1, 1);
    d->splitter->setSizes({kGridHeight, 1000});

    d->menu = new ChapterMenu(this);

    ChapterGrid* grid = d->grid;
    ReadingToolbar* bar = d->toolbar;
    ChapterMenu* menu = d->menu;
    Impl* p = d;

    connect(grid, &ChapterGrid::RowClicked, this, [p](int row) { p->ShowClickedChapter(row); });
    connect(grid, &ChapterGrid::PriorKey, this, [p] { p->PageChapter(-1, false); });
    connect(grid, &ChapterGrid::NextKey, this, [p] { p->PageChapter(+1, false); });
    connect(grid, &ChapterGrid::DeleteKeyReleased, this,
            [p] { p->marks.RemoveSelected(p->grid->SelectedRows()); });
    connect(grid, &ChapterGrid::ChapterMenuWanted, this,
            [p](int row, const QPoint& at) { p->OpenChapterMenu(row, at); });

    connect(bar->enlarge, &QAction::triggered, this, [p] { p->ToggleEnlarged(); });
    connect(bar->back, &QAction::triggered, this, [p] { p->BrowserStep(QWebEnginePage::Back); });
    connect(bar->forward, &QAction::triggered, this, [p] { p->BrowserStep(QWebEnginePage::Forward); });
    connect(bar->reload, &QAction::triggered, this, [p] { p->BrowserStep(QWebEnginePage::Reload); });
    connect(bar->home, &QAction::triggered, this, [this] { GoHome(); });
    connect(bar->refetchChapter, &QAction::triggered, this,
            [p] { p->host.RunChapterEngineCommand(ChapterEngineCommand::RefetchSelected); });
    connect(bar->jumpToUnread, &QAction::triggered, this, [p] { p->JumpToUnread(); });
    connect(bar->priorChapter, &QAction::triggered, this, [p] { p->PageChapter(-1, false); });
    connect(bar->nextChapter, &QAction::triggered, this, [p] { p->PageChapter(+1, false); });
    connect(bar->contentsPage, &QAction::triggered, this, [p] { p->ShowContentsPage(); });
    connect(bar->openOutside, &QAction::triggered, this, [p] { p->OpenChapterOutside(); });
    connect(bar->openChapterOutside, &QAction::triggered, this, [p] { p->OpenChapterOutside(); });
    connect(bar->openContentsOutside, &QAction::triggered, this, [p] { p->OpenContentsOutside(); });

    connect(menu->jumpToUnread, &QAction::triggered, this, [p] { p->JumpToUnread(); });
    connect(menu->markUnread, &QAction::triggered, this,
            [p] { p->marks.MarkSelectedUnread(p->grid->SelectedRows()); });
    connect(menu->markRead, &QAction::triggered, this,
            [p] { p->marks.MarkSelectedRead(p->grid->SelectedRows()); });
    connect(menu->markAllUnread, &QAction::triggered, this, [p] { p->marks.MarkAllUnread(); });
    connect(menu->markAllRead, &QAction::triggered, this, [p] { p->marks.MarkAllRead(); });
    connect(menu->markBelowUnread, &QAction::triggered, this, [p] { p->marks.MarkUnreadBelowCurrent(); });
    connect(menu->markAboveRead, &QAction::triggered, this, [p] { p->marks.MarkReadAboveCurrent(); });
    connect(menu->refetchContent, &QAction::triggered, this,
            [p] { p->host.RunChapterEngineCommand(ChapterEngineCommand::RefetchSelected); });
    connect(menu->refetchBlank, &QAction::triggered, this,
            [p] { p->host.RunChapterEngineCommand(ChapterEngineCommand::RefetchBlank); });
    connect(menu->refetchMissingPictures, &QAction::triggered, this,
            [p] { p->host.RunChapterEngineCommand(ChapterEngineCommand::RefetchMissingPictures); });
    connect(menu->removeSelected, &QAction::triggered, this,
            [p] { p->marks.RemoveSelected(p->grid->SelectedRows()); });
    connect(menu->regenerateList, &QAction::triggered, this,
            [p] { p->host.RunChapterEngineCommand(ChapterEngineCommand::RegenerateList); });

    ReaderWebPage* page = d->browser->ReaderPage();
    connect(page, &ReaderWebPage::PriorLinkFollowed, this, [p] { p->PageChapter(-1, false); });
    connect(page, &ReaderWebPage::NextLinkFollowed, this, [p] { p->PageChapter(+1, false); });
    connect(d->browser, &QWebEngineView::titleChanged, this, &TReaderView::PageTitleChanged);
}

TReaderView::~TReaderView()
{
    delete d;
}

QTableView* TReaderView::Grid() const
{
    return d->grid;
}

QWebEngineView* TReaderView::Browser() const
{
    return d->browser;
}

QSplitter* TReaderView::Splitter() const
{
    return d->splitter;
}

ReadingToolbar* TReaderView::Toolbar() const
{
    return d->toolbar;
}

ChapterMenu* TReaderView::Menu() const
{
    return d->menu;
}

void TReaderView::SetUrlOpener(UrlOpener opener)
{
    d->openUrl = std::move(opener);
}

bool TReaderView::ReadingPaneEnlarged() const
{
    return d->enlarged;
}

void TReaderView::PriorChapter()
{
    d->PageChapter(-1, false);
}

void TReaderView::NextChapter()
{
    d->PageChapter(+1, false);
}

void TReaderView::JumpToUnread()
{
    d->JumpToUnread();
}

void TReaderView::ShowBookChapters(const std::string& bookKey)
{
    OpenBookChapters(d->chapters, bookKey);
}

void TReaderView::NavigateTo(const std::string& pathOrAddress)
{
    // Native paths start at the root; everything else is an address.
    if (!pathOrAddress.empty() && pathOrAddress[0] == '/')
        d->Navigate(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(pathOrAddress))));
    else
        d->Navigate(QUrl(GbToQString(pathOrAddress), QUrl::TolerantMode));
}

void TReaderView::GoHome()
{
    NavigateTo(HomePagePath());
}

std::string TReaderView::HomePagePath()
{
    return HomePageFilePath();
}

const std::string& TReaderView::CurrentChapterAddress() const
{
    return d->currentChapterAddress;
}
