// "  Advanced Settings  " (template 140): report rate, motion sync, filters, SPDT.
#pragma once

#include "settings_page.h"

namespace kestrova {

class CSupportDlg : public SettingsPage {
    Q_OBJECT
public:
    explicit CSupportDlg(QWidget* parent);
    void EnableControls(bool enable) override;
};

}  // namespace kestrova
