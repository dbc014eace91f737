// Process start: the Chinese translations of Qt's own dialogs, AppDir, then the windows.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/QtPrompts.h"
#include "app/TForm1.h"
#include "app/TaloranApp.h"
#include "toolkit/AppDir.h"

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    // Standard buttons and dialogs speak Chinese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    SetAppDir(QCoreApplication::applicationDirPath().toStdString());

    QtPrompts prompts;
    TaloranApp taloran(prompts);
    prompts.SetParent(taloran.Form1());
    taloran.Show();
    return app.exec();
}
