#include "app/TForm2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppIcons.h"
#include "app/ErrorReport.h"
#include "app/LibraryTree.h"
#include "app/TForm1.h"
#include "db/Statements.h"
#include "toolkit/MyFunction.h"

namespace {

QLineEdit* AddLabeledEdit(QGridLayout* grid, int row, int column, const char* caption, int span = 1)
{
    auto* label = new QLabel(QString::fromUtf8(caption));
    auto* edit = new QLineEdit;
    label->setBuddy(edit);
    edit->setAccessibleName(QString::fromUtf8(caption));
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
    return edit;
}

}  // namespace

TForm2::TForm2(TForm1& mainWindow, QWidget* parent) : QDialog(parent), main_(mainWindow)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("新增小说"));
    // No frame buttons: the dialog is left through "确定" or "取消".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    BuildControls();
    ReportErrors(main_.UserPrompts(), [this] { FormCreate(); });
}

void TForm2::BuildControls()
{
    GroupBox1 = new QGroupBox(QStringLiteral("基本信息"));
    auto* grid = new QGridLayout(GroupBox1);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);

    LabeledEdit1 = AddLabeledEdit(grid, 0, 0, "项目名称", 4);
    CheckBox1 = new QCheckBox(QStringLiteral("下载图片"));
    grid->addWidget(CheckBox1, 0, 5);
    LabeledEdit2 = AddLabeledEdit(grid, 1, 0, "项目地址", 5);
    LabeledEdit2->setMinimumWidth(330);
    LabeledEdit3 = AddLabeledEdit(grid, 2, 0, "起始地址");
    LabeledEdit4 = AddLabeledEdit(grid, 2, 2, "结束地址");
    LabeledEdit3->setFixedWidth(56);
    LabeledEdit4->setFixedWidth(56);
    auto* categoryLabel = new QLabel(QStringLiteral("选择分类"));
    ComboBox1 = new QComboBox;
    ComboBox1->setAccessibleName(QStringLiteral("选择分类"));
    categoryLabel->setBuddy(ComboBox1);
    grid->addWidget(categoryLabel, 2, 4);
    grid->addWidget(ComboBox1, 2, 5);
    grid->setColumnStretch(3, 1);

    Label1 = new QLabel(QStringLiteral("没有找到对应规则"));
    Label1->setAccessibleName(QStringLiteral("规则"));
    Button1 = new QPushButton(QStringLiteral("确定"));
    Button2 = new QPushButton(QStringLiteral("取消"));
    Button1->setDefault(true);
    Button1->setAutoDefault(true);
    Button2->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(GroupBox1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(LabeledEdit1, CheckBox1);
    setTabOrder(CheckBox1, LabeledEdit2);
    setTabOrder(LabeledEdit2, LabeledEdit3);
    setTabOrder(LabeledEdit3, LabeledEdit4);
    setTabOrder(LabeledEdit4, ComboBox1);
    setTabOrder(ComboBox1, Button1);
    setTabOrder(Button1, Button2);

    LabeledEdit2->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this,
            [this] { ReportErrors(main_.UserPrompts(), [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm2::FormCreate()
{
    ComboBox1->addItems({QStringLiteral("小说类"), QStringLiteral("采集类"), QStringLiteral("其它类")});
    ComboBox1->setCurrentIndex(0);
}

void TForm2::Open(const std::string& name, const std::string& address, const std::string& startadr,
                  const std::string& endadr, const std::string& ddimg, int mode)
{
    mode_ = mode;
    ComboBox1->setCurrentIndex(mode < 0 ? 0 : mode);
    LabeledEdit1->setText(GbToQString(name));
    LabeledEdit2->setText(GbToQString(address));
    LabeledEdit3->setText(GbToQString(startadr));
    LabeledEdit4->setText(GbToQString(endadr));
    CheckBox1->setChecked(ddimg == "1");
    LabeledEdit1->setFocus();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LabeledEdit2 && event->type() == QEvent::FocusOut) {
        // Leaving the field, not the window.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ReportErrors(main_.UserPrompts(), [this] { LabeledEdit2Exit(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::LabeledEdit2Exit()
{
    DbQuery& query = main_.ADOQuery1;
    OpenSql(query, Sql::SelectRuleNameByHost(UrlHost(QStringToGb(LabeledEdit2->text()))));
    if (query.RecordCount() == 0) {
        Label1->setText(QStringLiteral("没有找到对应规则"));
    } else {
        query.First();
        Label1->setText(QStringLiteral("对应规则:") + GbToQString(query.AsString(0)));
    }
}

void TForm2::Button1Click()
{
    const std::string name = QStringToGb(LabeledEdit1->text());
    const std::string address = QStringToGb(LabeledEdit2->text());
    const std::string startadr = QStringToGb(LabeledEdit3->text());
    const std::string endadr = QStringToGb(LabeledEdit4->text());
    const std::string ddimg = CheckBox1->isChecked() ? "1" : "0";
    const int category = std::max(0, ComboBox1->currentIndex());
    if (mode_ < 0)
        AddBook(name, address, startadr, endadr, ddimg, category);
    else
        EditCurrentBook(name, address, startadr, endadr, ddimg, category);
    accept();
}

void TForm2::Button2Click()
{
    reject();
}

void TForm2::AddBook(const std::string& name, const std::string& address, const std::string& startadr,
                     const std::string& endadr, const std::string& ddimg, int category)
{
    DbQuery& query = main_.ADOQuery1;
    OpenSql(query, Sql::SelectBookByAddress(address));
    if (query.RecordCount() > 0) {
        main_.UserPrompts().Inform(Utf8ToGb("已经添加此书"));
        return;
    }
    // Without a stored row there must be no node: the highest key would belong to another book.
    if (!ExecSql(query, Sql::InsertBook(name, address, startadr, endadr, ddimg, category))) {
        main_.UserPrompts().ReportError(Utf8ToGb("无法把此书存入数据库，书没有添加。"));
        return;
    }
    OpenSql(query, Sql::SelectMaxBookId());
    query.First();
    TMType book;
    book.id = query.AsString(0);
    book.unread = 0;
    book.name = name;
    book.address = address;
    book.startadr = startadr;
    book.endadr = endadr;
    book.ddimg = ddimg;
    book.type = category;

    auto* node = new BookNode(book);
    node->setText(0, GbToQString(name));
    main_.CategoryNodes[category]->addChild(node);
    SetNodePictures(node, PictureClosedBook, PictureClosedBook);
    main_.CategoryNodes[category]->setExpanded(true);
}

void TForm2::EditCurrentBook(const std::string& name, const std::string& address,
                             const std::string& startadr, const std::string& endadr,
                             const std::string& ddimg, int category)
{
    BookNode* node = main_.CurrentBookNode;
    if (!node)
        return;
    TMType& book = node->Record;
    // The tree shows only what the database holds.
    if (!ExecSql(main_.ADOQuery1,
                 Sql::UpdateBook(name, address, startadr, endadr, ddimg, category, book.id))) {
        main_.UserPrompts().ReportError(Utf8ToGb("无法把修改存入数据库，此书保持原样。"));
        return;
    }
    node->setText(0, GbToQString(name));
    book.name = name;
    book.address = address;
    book.startadr = startadr;
    book.endadr = endadr;
    book.ddimg = ddimg;
    if (category != book.type) {
        book.type = category;
        QTreeWidget* tree = node->treeWidget();
        const bool wasCurrent = tree && tree->currentItem() == node;
        if (tree)
            tree->setUpdatesEnabled(false);
        node->parent()->removeChild(node);
        main_.CategoryNodes[category]->addChild(node);
        if (tree) {
            if (wasCurrent)
                tree->setCurrentItem(node);
            tree->setUpdatesEnabled(true);
        }
    }
}
