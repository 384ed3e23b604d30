#pragma once
// The one-page probe PDF that start-up writes to find out which program
// opens PDF files.

#include <functional>
#include <string>

namespace orvanta {

// What the writer would show in a message box: title and text.
using WriterMessage = std::function<void(const std::string& title, const std::string& text)>;

// Writes a PDF of one empty page at `path` with the calendar's own writer;
// false when it could not be written (then `tell`, if set, has had the
// writer's message when it refused the file). The file appears whole or not
// at all.
bool WriteProbePdf(const std::string& path, const WriterMessage& tell);

}  // namespace orvanta
