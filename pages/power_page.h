// "  Power Settings  " (template 161): power-saving and deep-sleep delays.
#pragma once

#include "settings_page.h"

namespace kestrova {

class CPower : public SettingsPage {
    Q_OBJECT
public:
    static constexpr int kPowerSavingCheckId = 1028;
    static constexpr int kDeepSleepCheckId = 1029;
    static constexpr int kPowerSavingMinutesId = 1017;
    static constexpr int kDeepSleepMinutesId = 1018;

    explicit CPower(QWidget* parent);
};

}  // namespace kestrova
