#include "app/Skins.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

namespace {

struct SkinLook {
    const char* name;
    QColor window, base, alternate, text, button, buttonText, highlight, highlightedText;
    // Bars (toolbar, menu bar, status bar): a vertical gradient and their border.
    QColor barTop, barBottom, barBorder, barText;
    QColor treeBase;
};

const SkinLook kLooks[] = {
    // A cool, light silver.
    {"Calcium", QColor(236, 239, 243), QColor(255, 255, 255), QColor(245, 247, 250), QColor(30, 35, 45),
     QColor(228, 232, 238), QColor(30, 35, 45), QColor(86, 140, 210), QColor(255, 255, 255),
     QColor(252, 253, 255), QColor(216, 223, 232), QColor(170, 180, 195), QColor(30, 35, 45),
     QColor(250, 251, 253)},
    // Brushed graphite metal.
    {"MacMetal", QColor(200, 202, 206), QColor(244, 244, 246), QColor(232, 233, 236), QColor(20, 20, 24),
     QColor(214, 216, 220), QColor(20, 20, 24), QColor(96, 110, 132), QColor(255, 255, 255),
     QColor(226, 228, 232), QColor(158, 162, 170), QColor(110, 114, 122), QColor(20, 20, 24),
     QColor(236, 237, 240)},
    // The blue office look with an amber selection.
    {"Office2007", QColor(214, 228, 246), QColor(255, 255, 255), QColor(236, 243, 252), QColor(21, 66, 139),
     QColor(221, 234, 250), QColor(21, 66, 139), QColor(255, 200, 90), QColor(30, 30, 30),
     QColor(227, 239, 255), QColor(175, 206, 245), QColor(101, 147, 207), QColor(21, 66, 139),
     QColor(246, 250, 255)},
    // Bright white with glossy aqua.
    {"Shine", QColor(248, 250, 252), QColor(255, 255, 255), QColor(240, 250, 252), QColor(10, 40, 60),
     QColor(236, 248, 252), QColor(10, 40, 60), QColor(0, 170, 210), QColor(255, 255, 255),
     QColor(255, 255, 255), QColor(190, 236, 248), QColor(90, 190, 220), QColor(10, 40, 60),
     QColor(255, 255, 255)},
    // Dark smoke.
    {"Smoky", QColor(58, 60, 64), QColor(40, 42, 46), QColor(50, 52, 56), QColor(226, 228, 232),
     QColor(72, 74, 80), QColor(226, 228, 232), QColor(120, 140, 170), QColor(255, 255, 255),
     QColor(86, 88, 94), QColor(52, 54, 58), QColor(30, 31, 34), QColor(226, 228, 232),
     QColor(44, 46, 50)},
    // Warm amber and honey.
    {"Topaz", QColor(246, 232, 204), QColor(255, 251, 242), QColor(250, 240, 222), QColor(80, 45, 10),
     QColor(240, 214, 160), QColor(80, 45, 10), QColor(204, 120, 20), QColor(255, 255, 255),
     QColor(252, 226, 160), QColor(226, 172, 80), QColor(170, 110, 30), QColor(80, 45, 10),
     QColor(255, 249, 236)},
    // Oak boards with a parchment page.
    {"Wood", QColor(196, 160, 118), QColor(250, 242, 226), QColor(242, 230, 208), QColor(50, 30, 12),
     QColor(186, 142, 94), QColor(40, 22, 8), QColor(120, 70, 30), QColor(255, 246, 230),
     QColor(170, 120, 70), QColor(120, 78, 40), QColor(80, 50, 22), QColor(255, 244, 225),
     QColor(248, 238, 218)},
};

const SkinLook* FindLook(const std::string& name)
{
    for (const auto& look : kLooks)
        if (name == look.name)
            return &look;
    return nullptr;
}

QPalette PaletteOf(const SkinLook& l)
{
    QPalette p;
    p.setColor(QPalette::Window, l.window);
    p.setColor(QPalette::WindowText, l.text);
    p.setColor(QPalette::Base, l.base);
    p.setColor(QPalette::AlternateBase, l.alternate);
    p.setColor(QPalette::Text, l.text);
    p.setColor(QPalette::Button, l.button);
    p.setColor(QPalette::ButtonText, l.buttonText);
    p.setColor(QPalette::Highlight, l.highlight);
    p.setColor(QPalette::HighlightedText, l.highlightedText);
    p.setColor(QPalette::ToolTipBase, l.base);
    p.setColor(QPalette::ToolTipText, l.text);
    p.setColor(QPalette::PlaceholderText, l.text.lighter(l.text.lightness() > 128 ? 60 : 250));
    const QColor disabled = l.text.lightness() > 128 ? l.text.darker(180) : QColor(150, 150, 150);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    p.setColor(QPalette::Disabled, QPalette::Text, disabled);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    return p;
}

QString Css(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QString StyleSheetOf(const SkinLook& l)
{
    const QString bar = QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
                            .arg(Css(l.barTop), Css(l.barBottom));
    QString s;
    s += QStringLiteral("QMenuBar { background: %1; color: %2; border-bottom: 1px solid %3; }\n")
             .arg(bar, Css(l.barText), Css(l.barBorder));
    s += QStringLiteral("QMenuBar::item { background: transparent; padding: 3px 9px; }\n");
    s += QStringLiteral("QMenuBar::item:selected { background: %1; color: %2; border-radius: 3px; }\n")
             .arg(Css(l.highlight), Css(l.highlightedText));
    s += QStringLiteral("QToolBar { background: %1; border-bottom: 1px solid %2; spacing: 1px; }\n")
             .arg(bar, Css(l.barBorder));
    s += QStringLiteral("QToolBar QToolButton { color: %1; }\n").arg(Css(l.barText));
    s += QStringLiteral("QToolBar::separator { background: %1; width: 1px; margin: 6px 3px; }\n")
             .arg(Css(l.barBorder));
    s += QStringLiteral("QStatusBar { background: %1; color: %2; border-top: 1px solid %3; }\n")
             .arg(bar, Css(l.barText), Css(l.barBorder));
    s += QStringLiteral("QStatusBar QLabel { color: %1; border: 1px solid %2; border-radius: 2px; "
                        "padding: 0 3px; }\n")
             .arg(Css(l.barText), Css(l.barBorder));
    s += QStringLiteral("QTreeView { background: %1; border: 1px solid %2; }\n")
             .arg(Css(l.treeBase), Css(l.barBorder));
    s += QStringLiteral("QTreeView::item:selected { background: %1; color: %2; }\n")
             .arg(Css(l.highlight), Css(l.highlightedText));
    s += QStringLiteral("QGroupBox { border: 1px solid %1; border-radius: 4px; margin-top: 10px; "
                        "padding-top: 6px; }\n")
             .arg(Css(l.barBorder));
    s += QStringLiteral("QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; "
                        "color: %1; }\n")
             .arg(Css(l.text));
    s += QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3; "
                        "border-radius: 3px; padding: 3px 14px; }\n")
             .arg(bar, Css(l.barText), Css(l.barBorder));
    s += QStringLiteral("QPushButton:hover { border-color: %1; }\n").arg(Css(l.highlight));
    s += QStringLiteral("QPushButton:pressed { background: %1; }\n").arg(Css(l.barBottom));
    s += QStringLiteral("QSplitter::handle { background: %1; }\n").arg(Css(l.barBorder));
    return s;
}

// The look Qt chose when the process started; captured once, before any skin is applied.
struct PlatformLook {
    QString styleName;
    QPalette palette;
};

const PlatformLook& Platform()
{
    static const PlatformLook look{QApplication::style()->name(), QApplication::palette()};
    return look;
}

void ShowPlatformLook()
{
    qApp->setStyleSheet(QString());
    QApplication::setStyle(QStyleFactory::create(Platform().styleName));
    QApplication::setPalette(Platform().palette);
}

void ShowSkin(const SkinLook& look)
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(PaletteOf(look));
    qApp->setStyleSheet(StyleSheetOf(look));
}

}  // namespace

SkinManager::SkinManager(QObject* parent) : QObject(parent)
{
    Platform();
    // A new service starts switched off; drop a look an earlier one may have left behind.
    if (!qApp->styleSheet().isEmpty())
        ShowPlatformLook();
}

const std::vector<std::string>& SkinManager::SkinNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const auto& look : kLooks)
            n.push_back(look.name);
        return n;
    }();
    return names;
}

bool SkinManager::IsKnownSkin(const std::string& name)
{
    return FindLook(name) != nullptr;
}

void SkinManager::SetSkinName(const std::string& name)
{
    skinName_ = name;
    Apply();
}

void SkinManager::SetActive(bool active)
{
    active_ = active;
    Apply();
}

void SkinManager::Apply()
{
    const SkinLook* look = active_ ? FindLook(skinName_) : nullptr;
    const std::string wanted = look ? skinName_ : std::string();
    if (wanted == applied_)
        return;
    applied_ = wanted;
    if (look) {
        ShowSkin(*look);
        emit AfterChange();
    } else {
        ShowPlatformLook();
    }
}
