#include "PdfPages.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orvanta::test {

namespace {

// The body of "<number> 0 obj\r\n<value>\r\nendobj" as a number.
long IndirectLength(const std::string& pdf, long number) {
  const std::string head = "\r\n" + std::to_string(number) + " 0 obj\r\n";
  const size_t at = pdf.find(head);
  if (at == std::string::npos) throw std::runtime_error("length object missing");
  return std::stol(pdf.substr(at + head.size(), 20));
}

}  // namespace

std::vector<std::string> PageStreams(const std::string& pdf) {
  // A page's stream dictionary is exactly "<< /Length K 0 R >>" CR "stream".
  const std::string open = "<< /Length ";
  std::vector<std::string> streams;
  for (size_t at = pdf.find(open); at != std::string::npos; at = pdf.find(open, at + 1)) {
    const size_t numberEnd = pdf.find(" 0 R >>\rstream\r\n", at);
    if (numberEnd == std::string::npos) continue;
    const std::string number = pdf.substr(at + open.size(), numberEnd - at - open.size());
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) continue;
    const size_t data = numberEnd + std::string(" 0 R >>\rstream\r\n").size();
    const long length = IndirectLength(pdf, std::stol(number));
    streams.push_back(pdf.substr(data, static_cast<size_t>(length)));
  }
  return streams;
}

std::string PageStream(const std::string& pdf, int n) {
  const std::vector<std::string> streams = PageStreams(pdf);
  if (n < 1 || static_cast<size_t>(n) > streams.size()) {
    ADD_FAILURE() << "no page " << n << " (" << streams.size() << " pages)";
    return {};
  }
  return streams[static_cast<size_t>(n - 1)];
}

std::string Lines(const std::string& stream) {
  std::string out;
  out.reserve(stream.size());
  for (size_t i = 0; i < stream.size(); ++i) {
    if (stream[i] == '\r' && i + 1 < stream.size() && stream[i + 1] == '\n') {
      out += '\n';
      ++i;
    } else if (stream[i] == '\r') {
      out += "\\r";  // a CR inside one written line
    } else {
      out += stream[i];
    }
  }
  return out;
}

}  // namespace orvanta::test
