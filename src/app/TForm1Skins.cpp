// Skins: the "开启皮肤" switch, the skin menu, and remembering the choice in the settings file.
#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "app/Skins.h"
#include "app/TForm1.h"
#include "toolkit/IniFile.h"
#include "toolkit/Prompts.h"
#include "toolkit/TextCodec.h"

namespace {
// The skin menu marks the skin whose look shows, if any.
void MarkAppliedSkin(QMenu* menu, const std::string& applied)
{
    for (QAction* item : menu->actions())
        item->setChecked(item->text().toStdString() == applied);
}
}  // namespace

void TForm1::N33Click()
{
    // The action has toggled its check mark already.
    if (N33->isChecked()) {
        // After a start with skins off the service holds "none", which is no skin.
        if (!SkinManager::IsKnownSkin(skins_->SkinName()))
            skins_->SetSkinName("Calcium");
        skins_->SetActive(true);
    } else {
        skins_->SetActive(false);
        WriteSkinName("none");
    }
    MarkAppliedSkin(SkinMenu, skins_->AppliedSkin());
}

void TForm1::ChooseSkin(const std::string& name)
{
    skins_->SetSkinName(name);
    skins_->SetActive(true);
    MarkAppliedSkin(SkinMenu, skins_->AppliedSkin());
}

void TForm1::sSkinManager1AfterChange()
{
    MarkAppliedSkin(SkinMenu, skins_->AppliedSkin());
    WriteSkinName(skins_->SkinName());
}

void TForm1::sSkinProvider1TitleButtons0MouseDown()
{
    SkinMenu->popup(SkinButton->mapToGlobal(QPoint(0, SkinButton->height())));
    SkinButton->setDown(false);
}

void TForm1::WriteSkinName(const std::string& name)
{
    if (!SettingsFile)
        return;
    if (!SettingsFile->WriteString("skins", "skinname", name))
        prompts_.ReportError(Utf8ToGb("无法写入设置文件 sysset.ini"));
}
