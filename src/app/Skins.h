#pragma once
// The skin service: seven named looks of our own for the whole application, and the platform's
// look when skins are off.
#include <QObject>

#include <string>
#include <vector>

class SkinManager : public QObject {
    Q_OBJECT
public:
    explicit SkinManager(QObject* parent = nullptr);

    // The names offered to the user, in menu order.
    static const std::vector<std::string>& SkinNames();
    static bool IsKnownSkin(const std::string& name);

    // Starts switched off with "Calcium".
    const std::string& SkinName() const { return skinName_; }
    bool Active() const { return active_; }
    // The skin whose look is applied now; empty while the platform's look shows (skins off, or
    // on with a name that is not a skin).
    const std::string& AppliedSkin() const { return applied_; }

    void SetSkinName(const std::string& name);
    void SetActive(bool active);

signals:
    // A skin's look was just applied where another look (or none) was before.
    void AfterChange();

private:
    void Apply();

    std::string skinName_ = "Calcium";
    bool active_ = false;
    std::string applied_;
};
