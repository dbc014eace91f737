#pragma once
// The real prompts: Qt's message boxes, input dialog and file dialogs.
#include <QPointer>
#include <QWidget>

#include "toolkit/Prompts.h"

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    bool AskYesNo(const std::string& text) override;
    void Inform(const std::string& text) override;
    void ReportError(const std::string& text) override;
    bool AskText(const std::string& caption, const std::string& label, std::string& value) override;
    std::string AskOpenFile(const std::string& caption, const std::string& filter) override;
    std::string AskSaveFile(const std::string& caption, const std::string& proposedName,
                            const std::string& filter) override;
    std::string AskFolder(const std::string& caption) override;

private:
    QPointer<QWidget> parent_;
};
