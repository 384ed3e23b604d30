#include "base/LocalTime.h"

namespace orvanta {

bool LocalTime(std::time_t moment, std::tm& local) {
  return ::localtime_r(&moment, &local) != nullptr;
}

}  // namespace orvanta
