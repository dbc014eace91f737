#pragma once
// An empty window that is created at start and never shown.
#include <QWidget>

class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
};
