#include "rules/TForm3.h"

#include "db/DbQuery.h"
#include "db/Schema.h"
#include "db/Statements.h"

TForm3::TForm3(DbConnection& connection, DbQuery& query, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), connection_(connection), query_(query)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("规则设置"));
    resize(760, 520);
    FormCreate();
}

void TForm3::FormCreate()
{
    // Files of earlier versions keep their rules without a link pattern until now.
    if (RuleTableNeedsDellink(connection_))
        ExecSql(query_, Sql::AddDellinkColumn());
}
