#pragma once
// Shared pieces of the main-window tests: a library seeded before start, a started program
// with scripted prompts, mouse clicks on tree nodes, modal windows answered from a timer.
#include <QTreeWidgetItem>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ScriptedPrompts.h"
#include "support/TempAppDir.h"
#include "app/TaloranApp.h"
#include "toolkit/TextCodec.h"

class TForm1;
class QWidget;

// UTF-8 literal to the program's 8-bit text.
inline std::string G(const char* utf8) { return Utf8ToGb(utf8); }
inline QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

struct SeedBook {
    SeedBook(std::string name, int type, int unread = 0, int read = 0, int removed = 0, std::string address = {})
        : name(std::move(name)), type(type), unread(unread), read(read), removed(removed), address(std::move(address))
    {
    }
    std::string name;  // UTF-8
    int type;
    int unread, read, removed;  // chapters
    std::string address;        // empty: made up from the position
};

// Creates data.mdb in AppDir with the schema and the books (in order); returns their keys.
std::vector<std::string> SeedLibrary(const std::vector<SeedBook>& books);
// Runs one query on the library file and returns column 0 of every row.
std::vector<std::string> QueryColumn(const std::string& sql, const std::vector<std::string>& params = {});

class AppTest : public ::testing::Test {
protected:
    TempAppDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<TaloranApp> app;
    TForm1* form = nullptr;

    // Starts the program (all seven windows) and shows the main window at a fixed size.
    TForm1* Start();
    // Ends the running program without closing it, then starts it again in the same folder.
    TForm1* Restart();

    std::vector<std::string> Errors() const { return prompts.Texts("error"); }
    QTreeWidgetItem* Category(int index) const;
    // The book node whose record has this name (UTF-8), or nullptr.
    QTreeWidgetItem* BookNamed(const char* name) const;
};

void ClickNode(TForm1* form, QTreeWidgetItem* node, Qt::MouseButton button = Qt::LeftButton);

// Runs `action`, which is expected to show a modal window; `inside` sees that window while it
// is shown, then the window is closed. Returns the window that was modal (nullptr if none).
QWidget* WhileModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside = {});

// Processes events until the predicate holds or the time is up.
bool WaitFor(const std::function<bool()>& predicate, int milliseconds = 5000);
