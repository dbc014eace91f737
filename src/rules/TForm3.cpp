#include "rules/TForm3.h"

#include "db/DbQuery.h"
#include "db/Statements.h"

TForm3::TForm3(DbQuery& query, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), query_(query)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("规则设置"));
    resize(760, 520);
    FormCreate();
}

void TForm3::FormCreate()
{
    // Files made before rules had a link pattern get the column; elsewhere this changes nothing.
    ExecSql(query_, Sql::AddDellinkColumn());
}
