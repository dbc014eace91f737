#pragma once
// The library tree: three category nodes with book nodes under them. A book node owns its
// record; a node without a record is a category.
#include <QTreeWidget>

#include "db/Records.h"

class BookNode : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    explicit BookNode(const TMType& record);

    TMType Record;

    // Books with unread chapters are drawn in bold.
    QVariant data(int column, int role) const override;
};

// nullptr for a category node (or no node).
BookNode* AsBook(QTreeWidgetItem* node);

// The picture indexes a node shows normally and while selected (see AppIcons.h).
void SetNodePictures(QTreeWidgetItem* node, int image, int selectedImage);
int NodeImage(const QTreeWidgetItem* node);
int NodeSelectedImage(const QTreeWidgetItem* node);

class LibraryTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit LibraryTree(QWidget* parent = nullptr);

signals:
    // A mouse button went down on the tree, after the tree's own handling (selection).
    void MouseDown(Qt::MouseButton button, const QPoint& position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
