#pragma once
// Prompts for tests: answers come from queues the test fills; every prompt is recorded.
#include <deque>
#include <string>
#include <vector>

#include "toolkit/Prompts.h"

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        std::string kind;  // "question", "info", "error", "text", "open", "save", "folder"
        std::string text;
    };

    std::deque<bool> yesNoAnswers;      // empty: answer no
    std::deque<std::string> textAnswers;  // empty: cancel
    std::deque<std::string> fileAnswers;  // empty: cancel
    std::vector<Shown> shown;

    bool AskYesNo(const std::string& text) override
    {
        shown.push_back({"question", text});
        if (yesNoAnswers.empty())
            return false;
        bool a = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return a;
    }
    void Inform(const std::string& text) override { shown.push_back({"info", text}); }
    void ReportError(const std::string& text) override { shown.push_back({"error", text}); }
    bool AskText(const std::string& caption, const std::string&, std::string& value) override
    {
        shown.push_back({"text", caption});
        if (textAnswers.empty())
            return false;
        value = textAnswers.front();
        textAnswers.pop_front();
        return true;
    }
    std::string AskOpenFile(const std::string& caption, const std::string&) override
    {
        return NextFile("open", caption);
    }
    std::string AskSaveFile(const std::string& caption, const std::string&, const std::string&) override
    {
        return NextFile("save", caption);
    }
    std::string AskFolder(const std::string& caption) override { return NextFile("folder", caption); }

    // Texts of every prompt of one kind, in order.
    std::vector<std::string> Texts(const std::string& kind) const
    {
        std::vector<std::string> out;
        for (const auto& s : shown)
            if (s.kind == kind)
                out.push_back(s.text);
        return out;
    }

private:
    std::string NextFile(const char* kind, const std::string& caption)
    {
        shown.push_back({kind, caption});
        if (fileAnswers.empty())
            return {};
        std::string a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
};
