#include "format_version.h"

#include <cstdio>

namespace kestrova {

unsigned VersionDigits(std::uint16_t version) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", version);
    unsigned value = 0;
    for (const char* digit = hex; *digit >= '0' && *digit <= '9'; ++digit) {
        value = value * 10 + static_cast<unsigned>(*digit - '0');
    }
    return value & 0xFFFF;
}

QString FormatVersion(std::uint16_t version) {
    const float shown = static_cast<float>(VersionDigits(version) / 100.0);
    return QString::asprintf("%.2f", static_cast<double>(shown));
}

}  // namespace kestrova
