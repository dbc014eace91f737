// A plain reader view that keeps the main window working until the real reader arrives.
#include "reader/TReaderView.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "db/DbDataSet.h"
#include "db/DbError.h"
#include "db/Statements.h"
#include "reader/ReaderHost.h"
#include "toolkit/AppDir.h"
#include "toolkit/TextCodec.h"

namespace {

class ChapterModel : public QAbstractTableModel {
public:
    explicit ChapterModel(DbDataSet& rows) : rows_(rows)
    {
        QObject::connect(&rows_, &DbDataSet::RowsReset, this, [this] {
            beginResetModel();
            endResetModel();
        });
    }
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !rows_.Active() ? 0 : rows_.RecordCount();
    }
    int columnCount(const QModelIndex&) const override { return 3; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !rows_.Active())
            return {};
        static const char* names[] = {"namec", "dtime", "addressb"};
        const int column = rows_.FieldIndex(names[index.column()]);
        return column < 0 ? QVariant() : GbToQString(rows_.Value(index.row(), column));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* titles[] = {"章节名", "下载时间", "原始地址"};
        return QString::fromUtf8(titles[section]);
    }

private:
    DbDataSet& rows_;
};

}  // namespace

struct TReaderView::Impl {
    ReaderHost& host;
    DbDataSet& chapters;
    QSplitter* splitter = nullptr;
    QTableView* grid = nullptr;
    QWebEngineView* browser = nullptr;
    QAction* enlarge = nullptr;
    bool enlarged = false;
    std::string chapterAddress;
};

TReaderView::TReaderView(ReaderHost& host, DbDataSet& chapters, QWidget* parent)
    : QWidget(parent), d(new Impl{host, chapters, nullptr, nullptr, nullptr, nullptr, false, {}})
{
    d->grid = new QTableView;
    d->grid->setModel(new ChapterModel(chapters));
    d->grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    d->grid->verticalHeader()->hide();
    d->grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->grid->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* pane = new QWidget;
    auto* toolbar = new QToolBar(pane);
    toolbar->setIconSize(QSize(16, 16));
    d->enlarge = toolbar->addAction(QStringLiteral("最大化"));
    d->enlarge->setToolTip(QStringLiteral("最大化"));
    QAction* home = toolbar->addAction(QStringLiteral("主页"));
    d->browser = new QWebEngineView(pane);
    auto* paneLayout = new QVBoxLayout(pane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(0);
    paneLayout->addWidget(toolbar);
    paneLayout->addWidget(d->browser, 1);

    d->splitter = new QSplitter(Qt::Vertical, this);
    d->splitter->setHandleWidth(2);
    d->splitter->setChildrenCollapsible(false);
    d->splitter->addWidget(d->grid);
    d->splitter->addWidget(pane);
    d->splitter->setStretchFactor(1, 1);
    d->splitter->setSizes({168, 1000});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->splitter);

    connect(d->enlarge, &QAction::triggered, this, [this] {
        d->enlarged = !d->enlarged;
        d->grid->setVisible(!d->enlarged);
        d->splitter->handle(1)->setVisible(!d->enlarged);
        d->enlarge->setToolTip(d->enlarged ? QStringLiteral("还原") : QStringLiteral("最大化"));
        d->host.ReadingPaneEnlarged(d->enlarged);
    });
    connect(home, &QAction::triggered, this, [this] { GoHome(); });
    connect(d->browser, &QWebEngineView::titleChanged, this, &TReaderView::PageTitleChanged);
}

TReaderView::~TReaderView()
{
    delete d;
}

QTableView* TReaderView::Grid() const { return d->grid; }
QWebEngineView* TReaderView::Browser() const { return d->browser; }
QSplitter* TReaderView::Splitter() const { return d->splitter; }

void TReaderView::ShowBookChapters(const std::string& bookKey)
{
    d->chapters.Close();
    if (bookKey.empty())
        return;
    try {
        d->chapters.Open(Sql::SelectBookChapters(bookKey));
    } catch (const DbError&) {
        d->chapters.Close();
    }
}

void TReaderView::NavigateTo(const std::string& pathOrAddress)
{
    const QString target = QString::fromStdString(pathOrAddress);
    d->browser->setUrl(QFileInfo(target).isAbsolute() ? QUrl::fromLocalFile(target) : QUrl(target));
}

void TReaderView::GoHome()
{
    const std::string home = HomePagePath();
    if (QFileInfo::exists(QString::fromStdString(home)))
        NavigateTo(home);
    else
        d->browser->setUrl(QUrl(QStringLiteral("about:blank")));
}

std::string TReaderView::HomePagePath()
{
    return AppDir() + "Model/home.htm";
}

const std::string& TReaderView::CurrentChapterAddress() const
{
    return d->chapterAddress;
}
