// libFuzzer's entry point for one target, chosen at build time with
// ORVANTA_FUZZ_TARGET (the name of one of the functions in FuzzTargets.h).
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/FuzzTargets.h"

#ifndef ORVANTA_FUZZ_TARGET
#error "ORVANTA_FUZZ_TARGET must name the target function"
#endif

namespace orvanta::fuzz {

void Finding(const char* what, const char* file, int line) {
  std::fprintf(stderr, "fuzz finding: %s (%s:%d)\n", what, file, line);
  std::abort();
}

}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return orvanta::fuzz::ORVANTA_FUZZ_TARGET(data, size);
}
