// "  Pairing  " (template 159): pairs the mouse with the dongle.
#pragma once

#include <QPushButton>

#include "settings_page.h"

namespace kestrova {

class CPair : public SettingsPage {
    Q_OBJECT
public:
    static constexpr int kPairDongleId = 1025;

    explicit CPair(QWidget* parent);
    QPushButton* PairButton() const { return Get<QPushButton>(kPairDongleId); }
};

}  // namespace kestrova
