#pragma once
// The TXT export window.
#include <QDialog>

#include "db/Records.h"

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Takes the book to export; shown modally afterwards.
    void Open(const TMType& book);
    const TMType& Book() const { return book_; }

private:
    TMType book_;
};
