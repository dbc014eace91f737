#include "tools/TForm4.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("字符测试工具"));
    resize(640, 480);
}
