// Looks for another program's top-level window by its title. Works on X11; where
// the platform cannot list other programs' windows (Wayland) it finds nothing.
#pragma once

#include <QString>

namespace kestrova {

bool TopLevelWindowExists(const QString& title);

}  // namespace kestrova
