// "  Basic Settings  " (template 135): CPI levels, lift-off distance, angle snapping,
// ripple control and the lift-off LED.
#pragma once

#include "settings_page.h"

namespace kestrova {

class CSensorDlg : public SettingsPage {
    Q_OBJECT
public:
    explicit CSensorDlg(QWidget* parent);
    void EnableControls(bool enable) override;
};

}  // namespace kestrova
