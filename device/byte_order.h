// Little-endian field access for wire and block layouts; no packed structs anywhere.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrova {

inline std::uint16_t GetLe16(const std::uint8_t* bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline void PutLe16(std::uint8_t* bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace kestrova
