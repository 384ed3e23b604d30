#pragma once
// The pictures a day row may carry: a feast's or the clock change's.

#include <cstddef>

namespace orvanta {

// Event pictures in load order; the index is the picture's slot.
enum class EventPicture : std::size_t {
  ClockOn,
  ClockOff,
  Valentino,
  Primavera,
  Estate,
  Autunno,
  Halloween,
  Inverno,
  Pasqua,
  Befana,
  Natale,
  Ferragosto,
  Capodanno,
};
inline constexpr std::size_t kEventPictureCount = 13;

}  // namespace orvanta
