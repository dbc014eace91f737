// The main window's start-up: settings, skin, database, library, templates.
#include <QTreeWidgetItem>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/AppIcons.h"
#include "app/ErrorReport.h"
#include "app/LibraryTree.h"
#include "app/Skins.h"
#include "app/StatusPanels.h"
#include "app/TForm1.h"
#include "db/DbFile.h"
#include "db/Statements.h"
#include "reader/TReaderView.h"
#include "toolkit/AppDir.h"
#include "toolkit/IniFile.h"

namespace {

// A template is read as lines and joined again with CR LF after every line, the last included.
std::string ReadTemplate(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(Utf8ToGb("无法打开文件 \"") + Utf8ToGb(path) + "\"");
    std::ostringstream raw;
    raw << in.rdbuf();
    const std::string bytes = raw.str();
    std::string joined;
    joined.reserve(bytes.size() + bytes.size() / 32);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        joined.append(bytes, start, end - start);
        joined += "\r\n";
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return joined;
}

}  // namespace

void TForm1::FormCreate()
{
    // A failing step ends the start-up: its error is shown and the window opens with what the
    // steps before it made.
    ReportErrors(prompts_, [this] {
        AppVersion = 1.2;
        setWindowTitle(BaseCaption());
        // Days are always formatted with an explicit "yyyy/MM/dd" pattern, so there is no
        // process-wide date separator to set.
        UpdateState = 0;
        CreateCategoryNodes();
        ReaderView->GoHome();
        SettingsFile = std::make_unique<TIniFile>(AppDir() + "sysset.ini");
        ApplySettingsSkin();
        OpenDatabase();
        LoadLibrary();
        TreeView1->expandItem(CategoryNodes[0]);
        TreeView1->expandItem(CategoryNodes[1]);
        LoadTemplates();
        StatusBar1->SetPanelText(4, "");
    });
}

QString TForm1::BaseCaption() const
{
    return QStringLiteral("TaloranV%1").arg(AppVersion, 0, 'f', 1);
}

void TForm1::CreateCategoryNodes()
{
    const char* names[] = {"小说类", "采集类", "其它类"};
    for (int i = 0; i < 3; ++i) {
        auto* node = new QTreeWidgetItem(TreeView1, QStringList(QString::fromUtf8(names[i])));
        SetNodePictures(node, PictureClosedFolder, PictureClosedFolder);
        CategoryNodes[i] = node;
    }
}

void TForm1::ApplySettingsSkin()
{
    const std::string name = SettingsFile->ReadString("skins", "skinname", "");
    if (!name.empty())
        skins_->SetSkinName(name);
    if (name != "none") {
        skins_->SetActive(true);
    } else {
        N33->setChecked(false);
    }
}

void TForm1::OpenDatabase()
{
    DatabasePath = AppDir() + kDatabaseFileName;
    std::error_code ec;
    bool exists = std::filesystem::exists(DatabasePath, ec);
    // An empty file (a first start cut short) holds nothing: the library starts anew.
    if (exists && std::filesystem::is_regular_file(DatabasePath, ec) &&
        std::filesystem::file_size(DatabasePath, ec) == 0 && !ec)
        exists = !std::filesystem::remove(DatabasePath, ec);
    if (!exists)
        CreateDatabaseFile(DatabasePath, kDatabasePassword);
    if (!ADOConnection1.Open(DatabasePath, kDatabasePassword))
        throw std::runtime_error(Utf8ToGb("无法打开数据库 \"") + Utf8ToGb(DatabasePath) + "\": " +
                                 ADOConnection1.LastError());
    databaseOpen_ = true;
    if (!exists)
        for (const SqlStatement& statement : Sql::SchemaStatements())
            ExecSql(ADOQuery1, statement);
}

void TForm1::LoadLibrary()
{
    OpenSql(ADOQuery1, Sql::SelectAllBooks());
    if (ADOQuery1.RecordCount() == 0)
        return;
    for (ADOQuery1.First(); !ADOQuery1.Eof(); ADOQuery1.Next()) {
        TMType book;
        book.id = ADOQuery1.AsString(0);
        book.unread = ADOQuery1.AsInteger(1);
        book.name = ADOQuery1.AsString(2);
        book.address = ADOQuery1.AsString(3);
        book.startadr = ADOQuery1.AsString(4);
        book.endadr = ADOQuery1.AsString(5);
        book.ddimg = ADOQuery1.AsString(6);
        book.type = ADOQuery1.AsInteger(7);
        // Only 0 to 2 are ever stored; a book with another value is shown and edited as "其它类".
        if (book.type < 0 || book.type > 2)
            book.type = 2;
        auto* node = new BookNode(book);
        node->setText(0, GbToQString(book.name));
        CategoryNodes[book.type]->addChild(node);
        SetNodePictures(node, PictureClosedBook, PictureOpenBook);
        UpdateUnreadCount(node, 0);
    }
}

void TForm1::LoadTemplates()
{
    BookListTemplate = ReadTemplate(AppDir() + "Model/booklist.htm");
    ArticleTemplate = ReadTemplate(AppDir() + "Model/article.htm");
}
