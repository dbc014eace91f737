#include "app/TaloranApp.h"

#include <QApplication>
#include <QScreen>

#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm6.h"
#include "rules/TForm3.h"
#include "tools/TForm4.h"
#include "tools/TForm5.h"
#include "tools/TForm7.h"

TaloranApp::TaloranApp(Prompts& prompts)
{
    QApplication::setApplicationName(QStringLiteral("Taloran"));
    form1_ = std::make_unique<TForm1>(prompts);
    TForm1* main = form1_.get();
    form2_ = new TForm2(*main, main);
    form3_ = new TForm3(main->ADOConnection1, main->ADOQuery1, main);
    form4_ = new TForm4(main);
    form5_ = new TForm5(main);
    form6_ = new TForm6(main);
    form7_ = new TForm7(main);
    main->SetWindows({form2_, form3_, form4_, form5_, form7_});
    // The rule editor and the pattern tool may still be open; the main window's close ends all.
    QObject::connect(main, &TForm1::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

TaloranApp::~TaloranApp()
{
    // The secondary windows use the main window's database objects: they go first.
    delete form7_;
    delete form6_;
    delete form5_;
    delete form4_;
    delete form3_;
    delete form2_;
}

void TaloranApp::Show()
{
    // Without a window manager "maximized" means nothing; the screen's free area then stands in.
    if (QScreen* screen = form1_->screen())
        form1_->setGeometry(screen->availableGeometry());
    form1_->showMaximized();
}
