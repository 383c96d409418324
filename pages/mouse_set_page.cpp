#include "mouse_set_page.h"

namespace kestrova {

CMouseSet::CMouseSet(QWidget* parent) : SettingsPage(139, parent) {}

}  // namespace kestrova
