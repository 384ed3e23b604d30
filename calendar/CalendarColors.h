#pragma once
// Fixed colours of the calendar page, 0x00BBGGRR.

#include <cstdint>

namespace orvanta {

inline constexpr int32_t Rgb(int red, int green, int blue) {
  return red | (green << 8) | (blue << 16);
}

inline constexpr int32_t kBlack = 0;
inline constexpr int32_t kWhite = Rgb(255, 255, 255);
inline constexpr int32_t kHolidayRed = 0x0000FF;
inline constexpr int32_t kShadowGrey = 0xC0C0C0;  // 3D shadow of title, days, weekdays
inline constexpr int32_t kBandGrey = 0xDCDCDC;    // holiday band in monochrome
inline constexpr int32_t kRuleGrey = 0xA0A0A0;    // row separators and centre rule
inline constexpr int32_t kVersionGrey = Rgb(100, 100, 100);
inline constexpr int32_t kSunOrange = Rgb(255, 143, 5);  // second sun symbol, colour mode

// Text colours of the main window's three buttons.
inline constexpr int32_t kTextBlack = 0x000000;
inline constexpr int32_t kTextBlue = Rgb(0, 0, 205);
inline constexpr int32_t kTextGreen = Rgb(0, 169, 0);

}  // namespace orvanta
