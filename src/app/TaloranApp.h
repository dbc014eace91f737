#pragma once
// Process start: the application's title and its seven windows, created in order, each
// complete before the next.
#include <memory>

class Prompts;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;

class TaloranApp {
public:
    // AppDir must be set. Closing the main window quits the event loop.
    explicit TaloranApp(Prompts& prompts);
    ~TaloranApp();
    TaloranApp(const TaloranApp&) = delete;
    TaloranApp& operator=(const TaloranApp&) = delete;

    // Shows the main window maximized.
    void Show();

    TForm1* Form1() const { return form1_.get(); }
    TForm2* Form2() const { return form2_; }
    TForm3* Form3() const { return form3_; }
    TForm4* Form4() const { return form4_; }
    TForm5* Form5() const { return form5_; }
    TForm6* Form6() const { return form6_; }
    TForm7* Form7() const { return form7_; }

private:
    std::unique_ptr<TForm1> form1_;
    // Owned by the main window, as its child windows.
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    TForm4* form4_ = nullptr;
    TForm5* form5_ = nullptr;
    TForm6* form6_ = nullptr;
    TForm7* form7_ = nullptr;
};
