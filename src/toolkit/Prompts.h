#pragma once
// Every question, message box, input box and file dialog goes through this interface, so that
// a test can answer them. Texts are the program's 8-bit text.
#include <string>
#include <vector>

class Prompts {
public:
    virtual ~Prompts() = default;

    // Yes/no question box captioned "提示信息". True for yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // Plain information box captioned with the application title.
    virtual void Inform(const std::string& text) = 0;
    // Error box (the general error report and failed steps). Captioned with the application title.
    virtual void ReportError(const std::string& text) = 0;
    // Input box; false when the user cancelled. `value` holds the default on entry.
    virtual bool AskText(const std::string& caption, const std::string& label, std::string& value) = 0;
    // File dialogs. `filter` is a Qt filter ("规则文件 (*.xml);;所有文件 (*)"). Empty result: cancelled.
    virtual std::string AskOpenFile(const std::string& caption, const std::string& filter) = 0;
    virtual std::string AskSaveFile(const std::string& caption, const std::string& proposedName,
                                    const std::string& filter) = 0;
    virtual std::string AskFolder(const std::string& caption) = 0;
};
