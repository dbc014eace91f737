#pragma once
// The rule editor's window.
#include <QWidget>

class DbConnection;
class DbQuery;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    // The main window's connection and its statement query (ADOQuery1).
    TForm3(DbConnection& connection, DbQuery& query, QWidget* parent = nullptr);

    void FormCreate();

private:
    DbConnection& connection_;
    DbQuery& query_;
};
