// Window chrome: the caption that follows the reading pane, enlarging the reading pane, and the
// commands that open another window.
#include <QSplitter>
#include <QSplitterHandle>
#include <QToolBar>

#include "app/LibraryTree.h"
#include "app/TForm1.h"
#include "rules/TForm3.h"
#include "tools/TForm4.h"
#include "tools/TForm5.h"

void TForm1::WebBrowser1TitleChange(const QString& title)
{
    setWindowTitle(BaseCaption() + QStringLiteral("-") + title);
}

void TForm1::ReadingPaneEnlarged(bool enlarged)
{
    if (enlarged) {
        splitterSizes_ = Splitter1->sizes();
        toolbarWasVisible_ = !ToolBar1->isHidden();
        TreeView1->hide();
        Splitter1->handle(1)->hide();
        ToolBar1->hide();
    } else {
        TreeView1->show();
        Splitter1->handle(1)->show();
        ToolBar1->setVisible(toolbarWasVisible_);
        if (!splitterSizes_.isEmpty())
            Splitter1->setSizes(splitterSizes_);
    }
}

void TForm1::ToolButton4Click()
{
    if (!CurrentBookNode)
        return;
    windows_.form5->Open(CurrentBookNode->Record);
    windows_.form5->exec();
}

namespace {
void ShowToolWindow(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
}  // namespace

void TForm1::ToolButton6Click()
{
    ShowToolWindow(windows_.form3);
}

void TForm1::N14Click()
{
    ShowToolWindow(windows_.form4);
}
