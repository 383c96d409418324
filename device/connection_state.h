// Which device the tool talks to, and the flags that follow the dongle.
#pragma once

#include <cstdint>

namespace kestrova {

enum class ConnectionKind : std::uint8_t { Wired = 0x11, Wireless = 0x22, None = 0xFF };

extern ConnectionKind connectionKind;
// The dongle has been found and not removed since.
extern bool dongleSeen;
// The Pairing page opened the dongle while the wired mouse was in use.
extern bool switchedToDongle;

void ResetConnectionState();

}  // namespace kestrova
