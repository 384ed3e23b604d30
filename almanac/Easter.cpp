#include "almanac/Easter.h"

namespace orvanta {

// Anonymous Gregorian algorithm (Meeus/Jones/Butcher) in integer arithmetic.
DayNumber ComputeEaster(int year) {
  if (year < 1583 || year > 32767) return 0;
  const int a = year % 19;
  const int b = year / 100;
  const int c = year % 100;
  const int d = year / 400;
  const int e = b % 4;
  const int f = (b + 8) / 25;
  const int g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4;
  const int k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int n = h + l - 7 * m + 114;
  return MakeDayNumber(year, n / 31, n % 31 + 1).value_or(0);
}

}  // namespace orvanta
