#pragma once
// Reading back what the writer wrote: the content stream of each page, found
// through its length object.

#include <string>
#include <vector>

namespace orvanta::test {

// Content streams of the pages in file order (which is page order).
std::vector<std::string> PageStreams(const std::string& pdf);

// Content stream of page `n` (1-based); fails the test when there is none.
std::string PageStream(const std::string& pdf, int n = 1);

// The stream with CR LF line ends turned into "\n" and a lone CR (inside one
// written line) shown as the two characters \r, for raw-string comparisons.
std::string Lines(const std::string& stream);

}  // namespace orvanta::test
