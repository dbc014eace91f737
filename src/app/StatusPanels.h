#pragma once
// The main window's status bar: five panels side by side, the first one taking what the other
// four leave.
#include <QStatusBar>

#include <array>
#include <string>

class QLabel;

class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 5;
    // What the first panel leaves to the other four.
    static constexpr int kReservedWidth = 421;

    explicit StatusPanels(QWidget* parent = nullptr);

    // Texts are the program's 8-bit text.
    void SetPanelText(int index, const std::string& text);
    std::string PanelText(int index) const;
    QLabel* Panel(int index) const { return panels_.at(index); }
    int PanelWidth(int index) const;

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // StatusBar1Resize: the first panel's width follows the bar's.
    void StatusBar1Resize();

    std::array<QLabel*, kPanelCount> panels_{};
    std::array<int, kPanelCount> widths_{0, 50, 200, 85, 50};
};
