#pragma once
// The rule editor's window.
#include <QWidget>

class DbQuery;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    // `query` is the main window's statement query (ADOQuery1).
    TForm3(DbQuery& query, QWidget* parent = nullptr);

    void FormCreate();

private:
    DbQuery& query_;
};
