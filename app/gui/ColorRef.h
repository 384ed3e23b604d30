#pragma once
// Colours of the calendar are 0x00BBGGRR (red in the low byte).

#include <QColor>
#include <cstdint>

namespace orvanta {

inline int32_t ToColorRef(const QColor& color) {
  return static_cast<int32_t>(static_cast<uint32_t>(color.red()) |
                              (static_cast<uint32_t>(color.green()) << 8) |
                              (static_cast<uint32_t>(color.blue()) << 16));
}

inline QColor FromColorRef(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

}  // namespace orvanta
