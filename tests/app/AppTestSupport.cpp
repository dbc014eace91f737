#include "AppTestSupport.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/LibraryTree.h"
#include "app/TForm1.h"
#include "db/DbConnection.h"
#include "db/DbFile.h"
#include "db/DbQuery.h"
#include "db/Statements.h"
#include "toolkit/AppDir.h"

std::vector<std::string> SeedLibrary(const std::vector<SeedBook>& books)
{
    const std::string path = AppDir() + kDatabaseFileName;
    EXPECT_TRUE(CreateDatabaseFile(path, kDatabasePassword));
    DbConnection connection;
    EXPECT_TRUE(connection.Open(path, kDatabasePassword));
    DbQuery query(connection);
    for (const SqlStatement& s : Sql::SchemaStatements())
        EXPECT_TRUE(ExecSql(query, s));
    std::vector<std::string> keys;
    for (const SeedBook& book : books) {
        const std::string name = G(book.name.c_str());
        const std::string address =
            book.address.empty() ? "http://novels.example/" + std::to_string(keys.size()) + "/" : book.address;
        EXPECT_TRUE(ExecSql(query, Sql::InsertBook(name, address, "1", "9", "1", book.type)));
        EXPECT_TRUE(OpenSql(query, Sql::SelectMaxBookId()));
        query.First();
        const std::string key = query.AsString(0);
        keys.push_back(key);
        const int total = book.unread + book.read + book.removed;
        for (int i = 0; i < total; ++i) {
            const std::string number = std::to_string(100001 + i);
            const std::string source = address + number + ".html";
            EXPECT_TRUE(ExecSql(query, Sql::InsertChapter(key, name, G("第") + number + G("章"), number, source)));
            if (i >= book.unread && i < book.unread + book.read) {
                EXPECT_TRUE(ExecSql(query, Sql::MarkChapterRead(key, source)));
            }
            if (i >= book.unread + book.read) {
                EXPECT_TRUE(ExecSql(query, Sql::RemoveChapters(key, {number})));
            }
        }
    }
    return keys;
}

std::vector<std::string> QueryColumn(const std::string& sql, const std::vector<std::string>& params)
{
    DbConnection connection;
    if (!connection.Open(AppDir() + kDatabaseFileName, kDatabasePassword))
        return {"<cannot open>"};
    DbQuery query(connection);
    SqlStatement statement{sql, {}};
    for (const std::string& p : params)
        statement.params.emplace_back(p);
    std::vector<std::string> values;
    if (!OpenSql(query, statement))
        return {"<query failed>"};
    for (query.First(); !query.Eof(); query.Next())
        values.push_back(query.AsString(0));
    return values;
}

TForm1* AppTest::Start()
{
    app = std::make_unique<TaloranApp>(prompts);
    form = app->Form1();
    form->resize(1000, 700);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    return form;
}

TForm1* AppTest::Restart()
{
    app.reset();
    form = nullptr;
    return Start();
}

QTreeWidgetItem* AppTest::Category(int index) const
{
    return form->TreeView1->topLevelItem(index);
}

QTreeWidgetItem* AppTest::BookNamed(const char* name) const
{
    for (int c = 0; c < form->TreeView1->topLevelItemCount(); ++c) {
        QTreeWidgetItem* category = form->TreeView1->topLevelItem(c);
        for (int i = 0; i < category->childCount(); ++i) {
            BookNode* book = AsBook(category->child(i));
            if (book && book->Record.name == G(name))
                return book;
        }
    }
    return nullptr;
}

void ClickNode(TForm1* form, QTreeWidgetItem* node, Qt::MouseButton button)
{
    QTreeWidget* tree = form->TreeView1;
    tree->scrollToItem(node);
    const QRect rect = tree->visualItemRect(node);
    ASSERT_TRUE(rect.isValid());
    QTest::mouseClick(tree->viewport(), button, Qt::NoModifier, rect.center());
}

QWidget* WhileModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside)
{
    QWidget* seen = nullptr;
    bool done = false;
    QTimer::singleShot(0, qApp, [&] {
        if (done)
            return;
        seen = QApplication::activeModalWidget();
        if (seen) {
            if (inside)
                inside(seen);
            if (seen->isVisible())
                seen->close();
        }
    });
    action();
    QCoreApplication::processEvents();
    done = true;
    return seen;
}

bool WaitFor(const std::function<bool()>& predicate, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!predicate()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QTest::qWait(20);
    }
    return true;
}
