#include "app/TForm6.h"

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Form6"));
}
