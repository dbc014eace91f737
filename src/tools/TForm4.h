#pragma once
// The pattern test tool's window.
#include <QWidget>

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};
