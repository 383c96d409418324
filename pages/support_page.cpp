#include "support_page.h"

namespace kestrova {

namespace {
// Motion Sync, polling rate, both filters, both SPDT combos, five sliders and edits.
constexpr int kDeviceControls[] = {1028, 1061, 1029, 1030, 1062, 1063, 1066, 1067, 1033,
                                   1035, 1037, 1068, 1069, 1070, 1071, 1024};
}  // namespace

CSupportDlg::CSupportDlg(QWidget* parent) : SettingsPage(140, parent) {}

void CSupportDlg::EnableControls(bool enable) {
    for (int id : kDeviceControls) {
        Control(id)->setEnabled(enable);
    }
}

}  // namespace kestrova
