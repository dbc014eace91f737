#include "ReaderFixture.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <stdexcept>

#include "db/DbFile.h"
#include "db/DbQuery.h"
#include "db/Statements.h"
#include "reader/TReaderView.h"
#include "toolkit/TextCodec.h"

namespace {

void Run(DbConnection& db, const SqlStatement& statement)
{
    DbQuery query(db);
    query.Execute(statement);
}

std::string ChapterPage(int i)
{
    return Utf8ToGb("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
                    "<title>第" + std::to_string(i + 1) + "章</title></head><body><p>第" +
                    std::to_string(i + 1) + "章的正文。</p></body></html>");
}

}  // namespace

ReaderBook::ReaderBook(const std::vector<ChapterSpec>& specs, bool show)
    : chapters(db, "booktit", "id")
{
    const std::string file = dir.File(kDatabaseFileName);
    if (!CreateDatabaseFile(file, kDatabasePassword) || !db.Open(file, kDatabasePassword))
        throw std::runtime_error("cannot make the test database");
    for (const SqlStatement& s : Sql::SchemaStatements())
        Run(db, s);
    const std::string name = Utf8ToGb("测试之书");
    Run(db, Sql::InsertBook(name, "http://novel.test/book/", "", "", "1", 0));
    DbQuery max(db);
    max.Open(Sql::SelectMaxBookId());
    host.book.id = max.AsString(0);
    host.book.name = name;
    host.book.address = "http://novel.test/book/";

    for (int i = 0; i < static_cast<int>(specs.size()); ++i) {
        Run(db, Sql::InsertChapter(Key(), name, Utf8ToGb("第" + std::to_string(i + 1) + "章"), Number(i),
                                   Source(i)));
        if (specs[i].type == 1)
            Run(db, Sql::MarkChapterStored(Key(), Source(i), "2024/03/0" + std::to_string(1 + i % 9)));
        if (specs[i].type == 2)
            Run(db, Sql::MarkChapterPicturesPending(Key(), Source(i)));
        if (specs[i].typeb == 1)
            Run(db, Sql::MarkChapterRead(Key(), Source(i)));
        if (specs[i].type > 0)
            WriteFileBytes(PagePath(i), ChapterPage(i));
    }

    view = std::make_unique<TReaderView>(host, chapters);
    view->SetUrlOpener([this](const QUrl& url) { opened.push_back(url); });
    view->resize(900, 700);
    if (show) {
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get()))
            throw std::runtime_error("the reader view was not shown");
    }
    view->ShowBookChapters(Key());
}

ReaderBook::~ReaderBook()
{
    view.reset();
    chapters.Close();
    db.Close();
}

std::string ReaderBook::Number(int i)
{
    return std::to_string(100001 + i);
}

std::string ReaderBook::Source(int i)
{
    return "http://novel.test/book/" + std::to_string(9001 + i) + ".html";
}

std::string ReaderBook::PagePath(int i) const
{
    return dir.File("Book/" + Key() + "/" + Number(i) + ".htm");
}

QUrl ReaderBook::PageUrl(int i) const
{
    return QUrl::fromLocalFile(QString::fromStdString(PagePath(i)));
}

std::vector<int> ReaderBook::ColumnInTable(const char* column)
{
    DbQuery query(db);
    query.Open({std::string("select ") + column + " from booktit where name=? order by address", {Key()}});
    std::vector<int> values;
    for (query.First(); !query.Eof(); query.Next())
        values.push_back(query.AsInteger(0));
    return values;
}

std::vector<int> ReaderBook::MarksInTable()
{
    return ColumnInTable("typeb");
}

std::vector<int> ReaderBook::TypesInTable()
{
    return ColumnInTable("type");
}

int ReaderBook::UnreadInTable()
{
    DbQuery query(db);
    query.Open(Sql::SelectUnreadChapters(Key()));
    return query.RecordCount();
}

void ReaderBook::ClickRow(int row)
{
    QTableView* grid = view->Grid();
    QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

void ReaderBook::RightClickRow(int row)
{
    QTableView* grid = view->Grid();
    QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mousePress(grid->viewport(), Qt::RightButton, Qt::NoModifier, cell.center());
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, Qt::NoModifier, cell.center());
}

void ReaderBook::SelectRows(const std::vector<int>& rows, int focused)
{
    QTableView* grid = view->Grid();
    QItemSelectionModel* selection = grid->selectionModel();
    selection->setCurrentIndex(grid->model()->index(focused, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selection->clearSelection();
    for (int row : rows)
        selection->select(grid->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ReaderBook::PressKey(int key)
{
    QTest::keyPress(view->Grid(), static_cast<Qt::Key>(key));
}

void ReaderBook::ReleaseKey(int key)
{
    QTest::keyRelease(view->Grid(), static_cast<Qt::Key>(key));
}

int ReaderBook::FocusedRow() const
{
    QModelIndex current = view->Grid()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool ReaderBook::RowIsBold(int row) const
{
    QVariant font = view->Grid()->model()->index(row, 0).data(Qt::FontRole);
    return font.isValid() && font.value<QFont>().bold();
}

QUrl ReaderBook::ShownUrl() const
{
    return view->Browser()->url();
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

QVariant RunScript(QWebEnginePage* page, const QString& script, int timeoutMs)
{
    // Shared, because a late answer may come after we stopped waiting.
    auto answer = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    page->runJavaScript(script, [answer](const QVariant& value) {
        answer->second = value;
        answer->first = true;
    });
    if (!WaitUntil([&] { return answer->first; }, timeoutMs))
        return QVariant(QStringLiteral("<script timed out>"));
    return answer->second;
}

bool WaitForPage(QWebEnginePage* page, const QUrl& url, int timeoutMs)
{
    // The page's address changes when a load starts; the document's only when it is there.
    const QString wanted = QStringLiteral("complete ") + url.toString(QUrl::FullyEncoded);
    return WaitUntil(
        [&] {
            return RunScript(page, QStringLiteral("document.readyState + ' ' + location.href"), 2000)
                       .toString() == wanted;
        },
        timeoutMs);
}
