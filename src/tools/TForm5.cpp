#include "tools/TForm5.h"

#include "toolkit/TextCodec.h"

TForm5::TForm5(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("TXT文档制作"));
    resize(520, 360);
}

void TForm5::Open(const TMType& book)
{
    book_ = book;
    setWindowTitle(QStringLiteral("TXT文档制作[") + GbToQString(book.name) + QStringLiteral("]"));
}
