// The library tree and the book commands: current book and category, unread counts, the tree
// menu, add, edit, delete.
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QToolButton>

#include <filesystem>

#include "app/AppIcons.h"
#include "app/LibraryTree.h"
#include "app/StatusPanels.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "db/Statements.h"
#include "reader/TReaderView.h"
#include "toolkit/AppDir.h"
#include "toolkit/Prompts.h"
#include "toolkit/TextCodec.h"
#include "tools/TForm7.h"

namespace {
std::string BookFolder(const std::string& bookKey)
{
    return AppDir() + "Book/" + bookKey;
}
}  // namespace

void TForm1::UpdateUnreadCount(QTreeWidgetItem* item, int delta)
{
    BookNode* node = AsBook(item);
    if (!node)
        return;
    TMType& book = node->Record;
    if (delta != 0) {
        book.unread += delta;
    } else {
        // A failing count raises and ends the calling command.
        ADOQuery2.Close();
        ADOQuery2.Open(Sql::SelectUnreadChapters(book.id));
        book.unread = ADOQuery2.RecordCount();
    }
    std::string text = book.name;
    if (book.unread > 0)
        text += "(" + std::to_string(book.unread) + ")";
    node->setText(0, GbToQString(text));
    StatusBar1->SetPanelText(4, Utf8ToGb("未读: ") + std::to_string(book.unread));
}

void TForm1::SetBookCommandsEnabled(bool enabled)
{
    N5->setEnabled(enabled);
    ToolButton2->setEnabled(enabled);
    ToolButton3->setEnabled(enabled);
    ToolButton4->setEnabled(enabled);
}

void TForm1::ShowCurrentBookChapters()
{
    ReaderView->ShowBookChapters(CurrentBookNode ? CurrentBookNode->Record.id : std::string());
}

void TForm1::TreeView1MouseDown(Qt::MouseButton button, const QPoint& position)
{
    QTreeWidgetItem* node = TreeView1->itemAt(position);
    if (!node)
        return;
    if (BookNode* book = AsBook(node)) {
        N1->setTitle(QStringLiteral("更新"));
        CurrentBookNode = book;
        SetBookCommandsEnabled(true);
        ShowCurrentBookChapters();
        if (button == Qt::LeftButton) {
            StatusBar1->SetPanelText(4, Utf8ToGb("未读: ") + std::to_string(book->Record.unread));
            const std::string list = BookFolder(book->Record.id) + "/List.htm";
            std::error_code ec;
            if (std::filesystem::is_regular_file(list, ec))
                ReaderView->NavigateTo(list);
        }
    } else {
        CurrentCategoryNode = node;
        N1->setTitle(QStringLiteral("更新分类"));
        // The book stays current for the menu's commands; only the toolbar forgets it.
        N5->setEnabled(false);
        ToolButton2->setEnabled(false);
        ToolButton3->setEnabled(false);
        ToolButton4->setEnabled(false);
    }
    if (button == Qt::RightButton) {
        TreeView1->setCurrentItem(node);
        if (UpdateState == 0)
            PopupMenu1->popup(QCursor::pos());
    }
}

void TForm1::TreeView1Expanded(QTreeWidgetItem* node)
{
    if (!AsBook(node))
        SetNodePictures(node, PictureOpenFolder, PictureOpenFolder);
}

void TForm1::TreeView1Collapsed(QTreeWidgetItem* node)
{
    if (!AsBook(node))
        SetNodePictures(node, PictureClosedFolder, PictureClosedFolder);
}

void TForm1::ToolButton1Click()
{
    windows_.form2->Open("", "", "1", "1", "1", -1);
    windows_.form2->exec();
}

void TForm1::ToolButton2Click()
{
    if (!CurrentBookNode)
        return;
    const TMType& book = CurrentBookNode->Record;
    windows_.form2->Open(book.name, book.address, book.startadr, book.endadr, book.ddimg, book.type);
    windows_.form2->exec();
}

void TForm1::ToolButton3Click()
{
    if (!CurrentBookNode)
        return;
    if (!prompts_.AskYesNo(Utf8ToGb("确认删除吗?")))
        return;
    const std::string key = CurrentBookNode->Record.id;
    ExecSql(ADOQuery1, Sql::DeleteBook(key));
    ExecSql(ADOQuery1, Sql::DeleteBookChapters(key));

    BookNode* removed = CurrentBookNode;
    CurrentBookNode = nullptr;
    delete removed;

    // The tree has moved its current node to a neighbour.
    CurrentBookNode = AsBook(TreeView1->currentItem());
    SetBookCommandsEnabled(CurrentBookNode != nullptr);
    ShowCurrentBookChapters();

    std::error_code ignored;
    std::filesystem::remove_all(BookFolder(key), ignored);
}

void TForm1::N35Click()
{
    if (!CurrentBookNode) {
        prompts_.Inform(Utf8ToGb("请先选择一个项目"));
        return;
    }
    windows_.form7->Open(CurrentBookNode->Record);
    windows_.form7->exec();
}
