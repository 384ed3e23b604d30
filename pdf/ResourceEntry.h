#pragma once

#include <cstdint>
#include <string>

#include "pdf/NumberFormat.h"

namespace orvanta {

// Appends one entry of a resource list: "/" name " " number " 0 R " and a CR.
inline void AppendResourceEntry(std::string& list, const std::string& name, int32_t number) {
  list += '/';
  list += name;
  list += ' ';
  AppendInt(list, number);
  list += " 0 R \r";
}

}  // namespace orvanta
