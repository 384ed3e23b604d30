#pragma once
// A moment as the user's clock on the wall shows it (the time zone of the
// process), without the shared buffer of std::localtime.

#include <ctime>

namespace orvanta {

// The local time of `moment` into `local`; false when the system cannot
// tell (then `local` is left as it was).
bool LocalTime(std::time_t moment, std::tm& local);

}  // namespace orvanta
