// Process start: the application's title, its Chinese translations, AppDir, the main window.
#include <QApplication>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QTranslator>

#include "toolkit/AppDir.h"

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Taloran"));

    // Standard buttons and dialogs speak Chinese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    SetAppDir(QCoreApplication::applicationDirPath().toStdString());

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("TaloranV1.2"));
    window.showMaximized();
    return app.exec();
}
