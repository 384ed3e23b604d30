#include "app/core/run/BitmapCheck.h"

#include <exception>

#include "pdf/BmpReader.h"

namespace orvanta {

bool BitmapUsable(const std::string& path) {
  try {
    return IsUsableBMP(path);
  } catch (const std::exception&) {
    return false;  // unreadable: no more usable than a bad bitmap
  }
}

}  // namespace orvanta
