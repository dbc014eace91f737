#include "app/LibraryTree.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "app/AppIcons.h"

namespace {
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;
}  // namespace

BookNode::BookNode(const TMType& record) : QTreeWidgetItem(kType), Record(record) {}

QVariant BookNode::data(int column, int role) const
{
    if (role == Qt::FontRole && column == 0) {
        if (Record.unread <= 0)
            return QVariant();
        QFont bold;
        bold.setBold(true);  // only the weight is set; the rest comes from the tree's font
        return bold;
    }
    return QTreeWidgetItem::data(column, role);
}

BookNode* AsBook(QTreeWidgetItem* node)
{
    return node && node->type() == BookNode::kType ? static_cast<BookNode*>(node) : nullptr;
}

void SetNodePictures(QTreeWidgetItem* node, int image, int selectedImage)
{
    QIcon icon;
    icon.addPixmap(TreePictureAt(image), QIcon::Normal);
    icon.addPixmap(TreePictureAt(selectedImage), QIcon::Selected);
    node->setData(0, kImageRole, image);
    node->setData(0, kSelectedImageRole, selectedImage);
    node->setIcon(0, icon);
}

int NodeImage(const QTreeWidgetItem* node)
{
    return node->data(0, kImageRole).toInt();
}

int NodeSelectedImage(const QTreeWidgetItem* node)
{
    return node->data(0, kSelectedImageRole).toInt();
}

LibraryTree::LibraryTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAnimated(false);
    // Long names scroll rather than lose their unread count to an ellipsis.
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void LibraryTree::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    emit MouseDown(event->button(), event->position().toPoint());
}
