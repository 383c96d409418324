#include "sensor_page.h"

namespace kestrova {

namespace {
constexpr int kDeviceControls[] = {1024, 1019, 1064, 1066, 1063, 1065, 1029, 1030, 1031, 1032, 1037,
                                   1038, 1040, 1041, 1020, 1021, 1022, 1023, 1025, 1026, 1027, 1042};
}  // namespace

CSensorDlg::CSensorDlg(QWidget* parent) : SettingsPage(135, parent) {}

void CSensorDlg::EnableControls(bool enable) {
    for (int id : kDeviceControls) {
        Control(id)->setEnabled(enable);
    }
}

}  // namespace kestrova
