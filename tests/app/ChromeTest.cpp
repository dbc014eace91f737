// Skins, the caption, enlarging the reading pane, the status bar, the commands that open windows.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineView>

#include <set>

#include "AppTestSupport.h"
#include "app/LibraryTree.h"
#include "app/Skins.h"
#include "app/StatusPanels.h"
#include "app/TForm1.h"
#include "reader/TReaderView.h"
#include "rules/TForm3.h"
#include "tools/TForm4.h"
#include "tools/TForm5.h"

namespace {

std::string SkinSetting(const TempAppDir& dir)
{
    const std::string ini = ReadFileBytes(dir.File("sysset.ini"));
    const std::string key = "skinname=";
    const size_t at = ini.find(key);
    if (at == std::string::npos)
        return "<missing>";
    const size_t end = ini.find_first_of("\r\n", at);
    return ini.substr(at + key.size(), end == std::string::npos ? std::string::npos : end - at - key.size());
}

QAction* SkinItem(TForm1* form, const char* name)
{
    for (QAction* a : form->SkinMenu->actions())
        if (a->text() == name)
            return a;
    return nullptr;
}

}  // namespace

TEST_F(AppTest, SettingsChooseTheSkinAtStart)
{
    struct Case {
        const char* stored;
        bool active;
        const char* applied;
        bool checked;
    };
    const Case cases[] = {
        {"none", false, "", false},
        {"Wood", true, "Wood", true},
        {"NoSuchSkin", true, "", true},  // no skin comes on, nothing is written
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const std::string ini = std::string("[skins]\r\nskinname=") + c.stored + "\r\n";
        WriteFileBytes(dir.File("sysset.ini"), ini);
        prompts.shown.clear();
        Restart();
        EXPECT_TRUE(prompts.shown.empty());
        EXPECT_EQ(form->Skins().Active(), c.active);
        EXPECT_EQ(form->Skins().AppliedSkin(), c.applied);
        EXPECT_EQ(form->N33->isChecked(), c.checked);
        EXPECT_EQ(qApp->styleSheet().isEmpty(), std::string(c.applied).empty());
        EXPECT_EQ(ReadFileBytes(dir.File("sysset.ini")), ini);
    }
    // Garbage is no setting at all: skins come on with "Calcium".
    WriteFileBytes(dir.File("sysset.ini"), std::string("\x01\xff[[=\n==\r\x80garbage", 17));
    Restart();
    EXPECT_EQ(form->Skins().AppliedSkin(), "Calcium");
}

TEST_F(AppTest, SkinChoicesAreWrittenToTheSettings)
{
    Start();
    ASSERT_EQ(SkinSetting(dir), "Calcium");
    QStringList names;
    for (QAction* a : form->SkinMenu->actions())
        names << a->text();
    EXPECT_EQ(names, (QStringList{"Calcium", "MacMetal", "Office2007", "Shine", "Smoky", "Topaz", "Wood"}));

    SkinItem(form, "Wood")->trigger();
    EXPECT_EQ(form->Skins().AppliedSkin(), "Wood");
    EXPECT_EQ(SkinSetting(dir), "Wood");

    form->N33->trigger();  // off
    EXPECT_FALSE(form->Skins().Active());
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(SkinSetting(dir), "none");

    // A skin chosen while skins are off comes on; the check mark stays as it was.
    SkinItem(form, "Topaz")->trigger();
    EXPECT_EQ(form->Skins().AppliedSkin(), "Topaz");
    EXPECT_FALSE(form->N33->isChecked());
    EXPECT_EQ(SkinSetting(dir), "Topaz");
    form->N33->trigger();  // sets the mark, skins stay on
    EXPECT_TRUE(form->N33->isChecked());
    EXPECT_EQ(form->Skins().AppliedSkin(), "Topaz");
    form->N33->trigger();  // now off
    EXPECT_EQ(SkinSetting(dir), "none");

    // The next start leaves skins off; switching them on falls back to "Calcium".
    Restart();
    EXPECT_FALSE(form->Skins().Active());
    EXPECT_FALSE(form->N33->isChecked());
    form->N33->trigger();
    EXPECT_EQ(form->Skins().AppliedSkin(), "Calcium");
    EXPECT_EQ(SkinSetting(dir), "Calcium");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(AppTest, TheSevenSkinsLookDifferentAndNoneIsThePlatformLook)
{
    Start();
    std::set<QRgb> windows, highlights;
    for (const std::string& name : SkinManager::SkinNames()) {
        SkinItem(form, name.c_str())->trigger();
        windows.insert(QApplication::palette().color(QPalette::Window).rgb());
        highlights.insert(QApplication::palette().color(QPalette::Highlight).rgb());
    }
    EXPECT_EQ(windows.size(), 7u);
    EXPECT_EQ(highlights.size(), 7u);
    form->N33->trigger();
    EXPECT_EQ(form->N33->isChecked(), false);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

TEST_F(AppTest, TheSkinButtonOpensTheSkinMenu)
{
    Start();
    EXPECT_EQ(form->SkinButton->toolTip(), Q("皮肤"));
    QTest::mousePress(form->SkinButton, Qt::LeftButton);
    EXPECT_TRUE(form->SkinMenu->isVisible());
    form->SkinMenu->hide();
    QTest::mouseRelease(form->SkinButton, Qt::LeftButton);
}

TEST_F(AppTest, FirstStatusPanelTakesTheWidthLeftByTheOthers)
{
    Start();
    form->resize(1000, 700);
    QCoreApplication::processEvents();
    ASSERT_EQ(form->StatusBar1->width(), 1000);
    EXPECT_EQ(form->StatusBar1->PanelWidth(0), 579);
    EXPECT_EQ(form->StatusBar1->Panel(0)->width(), 579);
    form->resize(1240, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->StatusBar1->Panel(0)->width(), 1240 - 421);
}

TEST_F(AppTest, UnreadPanelWidensToShowItsWholeCount)
{
    Start();
    form->resize(1000, 700);
    QCoreApplication::processEvents();
    form->StatusBar1->SetPanelText(4, G("未读: 12345"));
    QLabel* panel = form->StatusBar1->Panel(4);
    EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(panel->text()));
    EXPECT_LE(panel->geometry().right(), form->StatusBar1->width());
    EXPECT_EQ(form->StatusBar1->Panel(0)->width(), 579);
}

TEST_F(AppTest, EnlargingTheReadingPaneAndBackRestoresTheLayoutExactly)
{
    Start();
    form->Splitter1->setSizes({240, 760});
    QCoreApplication::processEvents();
    auto enlargeButton = [&] {
        for (QToolButton* b : form->ReaderView->findChildren<QToolButton*>())
            if (b->toolTip() == Q("最大化") || b->toolTip() == Q("还原"))
                return b;
        return static_cast<QToolButton*>(nullptr);
    };
    QToolButton* button = enlargeButton();
    ASSERT_NE(button, nullptr);
    const QRect tree = form->TreeView1->geometry();
    const QRect grid = form->ReaderView->Grid()->geometry();
    const QRect pane = form->ReaderView->Browser()->geometry();

    button->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(button->toolTip(), Q("还原"));
    EXPECT_FALSE(form->TreeView1->isVisible());
    EXPECT_FALSE(form->Splitter1->handle(1)->isVisible());
    EXPECT_FALSE(form->ToolBar1->isVisible());
    EXPECT_FALSE(form->ReaderView->Grid()->isVisible());
    EXPECT_FALSE(form->ReaderView->Splitter()->handle(1)->isVisible());
    EXPECT_TRUE(form->ReaderView->Browser()->isVisible());
    EXPECT_TRUE(form->menuBar()->isVisible());
    EXPECT_TRUE(form->StatusBar1->isVisible());
    EXPECT_GT(form->ReaderView->Browser()->height(), pane.height());
    EXPECT_GT(form->ReaderView->Browser()->width(), pane.width());

    button->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(button->toolTip(), Q("最大化"));
    EXPECT_TRUE(form->ToolBar1->isVisible());
    EXPECT_TRUE(form->Splitter1->handle(1)->isVisible());
    EXPECT_TRUE(form->ReaderView->Splitter()->handle(1)->isVisible());
    EXPECT_EQ(form->TreeView1->geometry(), tree);
    EXPECT_EQ(form->ReaderView->Grid()->geometry(), grid);
    EXPECT_EQ(form->ReaderView->Browser()->geometry(), pane);
}

TEST_F(AppTest, TheCaptionFollowsThePageTitle)
{
    Start();
    const std::string page = dir.File("Book/title.htm");
    WriteFileBytes(page, G("<html><head><meta charset=\"gbk\"><title>第一章 风起</title></head><body>x</body></html>"));
    form->ReaderView->NavigateTo(page);
    EXPECT_TRUE(WaitFor([&] { return form->windowTitle() == Q("TaloranV1.2-第一章 风起"); }))
        << form->windowTitle().toStdString();
}

TEST_F(AppTest, CommandsThatOpenOtherWindows)
{
    SeedLibrary({{"甲书", 0, 1}});
    Start();
    form->ToolButton6->click();
    EXPECT_TRUE(app->Form3()->isVisible());
    EXPECT_FALSE(app->Form3()->isModal());
    EXPECT_TRUE(app->Form3()->windowFlags() & Qt::WindowStaysOnTopHint);
    app->Form3()->close();
    form->N6->trigger();
    EXPECT_TRUE(app->Form3()->isVisible());
    form->N14->trigger();
    EXPECT_TRUE(app->Form4()->isVisible());
    EXPECT_TRUE(app->Form4()->windowFlags() & Qt::WindowStaysOnTopHint);

    ClickNode(form, BookNamed("甲书"));
    const std::function<void()> opens[] = {[&] { form->ToolButton4->click(); }, [&] { form->XT1->trigger(); }};
    for (const auto& open : opens) {
        QString caption;
        QWidget* shown = WhileModal(open, [&](QWidget* w) { caption = w->windowTitle(); });
        EXPECT_EQ(shown, app->Form5());
        EXPECT_EQ(caption, Q("TXT文档制作[甲书]"));
    }
}
