// "  Button Mapping  " (template 139): the action of each remappable control.
#pragma once

#include "settings_page.h"

namespace kestrova {

class CMouseSet : public SettingsPage {
    Q_OBJECT
public:
    static constexpr int kLeftHandedId = 1028;
    static constexpr int kFirstActionButtonId = 1039;
    static constexpr int kLastActionButtonId = 1044;

    explicit CMouseSet(QWidget* parent);
};

}  // namespace kestrova
