#pragma once
// The book dialog: registers a new book or changes the current one, and keeps the library tree
// in step.
#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TForm1;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(TForm1& mainWindow, QWidget* parent = nullptr);

    // Fills every field but the rule indicator. A mode below 0 adds a new book; 0 to 2 edits
    // the current book, whose category it is. Texts are the 8-bit text.
    void Open(const std::string& name, const std::string& address, const std::string& startadr,
              const std::string& endadr, const std::string& ddimg, int mode);
    int Mode() const { return mode_; }

    QGroupBox* GroupBox1 = nullptr;     // 基本信息
    QLineEdit* LabeledEdit1 = nullptr;  // 项目名称
    QCheckBox* CheckBox1 = nullptr;     // 下载图片
    QLineEdit* LabeledEdit2 = nullptr;  // 项目地址
    QLineEdit* LabeledEdit3 = nullptr;  // 起始地址
    QLineEdit* LabeledEdit4 = nullptr;  // 结束地址
    QComboBox* ComboBox1 = nullptr;     // 选择分类
    QLabel* Label1 = nullptr;           // rule indicator
    QPushButton* Button1 = nullptr;     // 确定
    QPushButton* Button2 = nullptr;     // 取消

    void FormCreate();
    void LabeledEdit2Exit();
    void Button1Click();
    void Button2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void AddBook(const std::string& name, const std::string& address, const std::string& startadr,
                 const std::string& endadr, const std::string& ddimg, int category);
    void EditCurrentBook(const std::string& name, const std::string& address,
                         const std::string& startadr, const std::string& endadr,
                         const std::string& ddimg, int category);

    TForm1& main_;
    int mode_ = -1;
};
