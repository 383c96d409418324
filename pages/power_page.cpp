#include "power_page.h"

#include "app/dialog/digit_edit.h"

namespace kestrova {

CPower::CPower(QWidget* parent) : SettingsPage(161, parent) {
    // The boxes show their template values until the first load.
    Get<dialog::DigitEdit>(kPowerSavingMinutesId)->setText(QStringLiteral("1"));
    Get<dialog::DigitEdit>(kDeepSleepMinutesId)->setText(QStringLiteral("5"));
}

}  // namespace kestrova
