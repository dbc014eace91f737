#include "app/StatusPanels.h"

#include <QLabel>
#include <QResizeEvent>

#include "toolkit/TextCodec.h"

namespace {
constexpr int kGap = 2;
constexpr int kDesignWidths[StatusPanels::kPanelCount] = {0, 50, 200, 85, 50};
}

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    const char* designTexts[kPanelCount] = {"状态", "进度", "", "←前翻 后翻→", "总计"};
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(QString::fromUtf8(designTexts[i]), this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment((i == 1 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        label->setTextFormat(Qt::PlainText);
        panels_[i] = label;
    }
    StatusBar1Resize();
}

void StatusPanels::SetPanelText(int index, const std::string& text)
{
    panels_.at(index)->setText(GbToQString(text));
    StatusBar1Resize();
}

std::string StatusPanels::PanelText(int index) const
{
    return QStringToGb(panels_.at(index)->text());
}

int StatusPanels::PanelWidth(int index) const
{
    return widths_.at(index);
}

QSize StatusPanels::sizeHint() const
{
    return QSize(QStatusBar::sizeHint().width(), fontMetrics().height() + 8);
}

void StatusPanels::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    StatusBar1Resize();
}

void StatusPanels::StatusBar1Resize()
{
    widths_[0] = std::max(0, width() - kReservedWidth);
    // A panel never cuts its text ("未读: 1234" is wider than 50 pixels); what it needs beyond its
    // design width comes out of the spare room at the right, then out of the unused third panel.
    int total = widths_[0];
    for (int i = 1; i < kPanelCount; ++i) {
        const int needed = panels_[i]->fontMetrics().horizontalAdvance(panels_[i]->text()) + 8;
        widths_[i] = std::max(kDesignWidths[i], needed);
        total += kGap + widths_[i];
    }
    widths_[2] = std::max(0, widths_[2] - std::max(0, total - width()));
    int x = 0;
    const int h = height() - 2;
    for (int i = 0; i < kPanelCount; ++i) {
        panels_[i]->setGeometry(x, 1, widths_[i], h);
        x += widths_[i] + kGap;
    }
}
