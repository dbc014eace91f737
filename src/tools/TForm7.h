#pragma once
// The forum poster's window.
#include <QDialog>

#include "db/Records.h"

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    // Takes the book whose chapters are to be posted; shown modally afterwards.
    void Open(const TMType& book);
    const TMType& Book() const { return book_; }

private:
    TMType book_;
};
