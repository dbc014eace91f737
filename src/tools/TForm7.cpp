#include "tools/TForm7.h"

TForm7::TForm7(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("自动发帖"));
    resize(600, 440);
}

void TForm7::Open(const TMType& book)
{
    book_ = book;
}
