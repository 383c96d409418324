#include "pair_page.h"

namespace kestrova {

CPair::CPair(QWidget* parent) : SettingsPage(159, parent) {}

}  // namespace kestrova
