// Firmware versions are BCD-coded: 0x0103 is shown as "1.03".
#pragma once

#include <QString>
#include <cstdint>

namespace kestrova {

// The number's hexadecimal digits read as a decimal number (leading decimal digits
// only; none gives 0), low 16 bits kept.
unsigned VersionDigits(std::uint16_t version);
QString FormatVersion(std::uint16_t version);

}  // namespace kestrova
