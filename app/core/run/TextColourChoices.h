#pragma once
// The three text colours both front ends offer: the window's radio buttons
// and the values of --text-color, in this order.

#include <cstdint>

#include "calendar/CalendarColors.h"

namespace orvanta {

struct TextColourChoice {
  const char* name;     // the value of --text-color
  const char* caption;  // the window's radio button
  int32_t colour;       // 0x00BBGGRR
};

inline constexpr TextColourChoice kTextColourChoices[] = {
    {"black", " Testo: nero / rosso", kTextBlack},
    {"blue", "Testo: blu / rosso", kTextBlue},
    {"green", "Testo: verde / rosso", kTextGreen},
};

}  // namespace orvanta
