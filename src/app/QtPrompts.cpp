#include "app/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "toolkit/TextCodec.h"

bool QtPrompts::AskYesNo(const std::string& text)
{
    return QMessageBox::question(parent_, QStringLiteral("提示信息"), GbToQString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtPrompts::Inform(const std::string& text)
{
    QMessageBox::information(parent_, QApplication::applicationName(), GbToQString(text));
}

void QtPrompts::ReportError(const std::string& text)
{
    QMessageBox::critical(parent_, QApplication::applicationName(), GbToQString(text));
}

bool QtPrompts::AskText(const std::string& caption, const std::string& label, std::string& value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent_, GbToQString(caption), GbToQString(label),
                                                 QLineEdit::Normal, GbToQString(value), &ok);
    if (ok)
        value = QStringToGb(answer);
    return ok;
}

std::string QtPrompts::AskOpenFile(const std::string& caption, const std::string& filter)
{
    return QFileDialog::getOpenFileName(parent_, GbToQString(caption), QString(), GbToQString(filter))
        .toStdString();
}

std::string QtPrompts::AskSaveFile(const std::string& caption, const std::string& proposedName,
                                   const std::string& filter)
{
    return QFileDialog::getSaveFileName(parent_, GbToQString(caption), GbToQString(proposedName),
                                        GbToQString(filter))
        .toStdString();
}

std::string QtPrompts::AskFolder(const std::string& caption)
{
    return QFileDialog::getExistingDirectory(parent_, GbToQString(caption)).toStdString();
}
