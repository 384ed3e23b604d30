#pragma once
// Squeezing a text into a width by lowering the horizontal scaling in steps.

#include <string>

namespace orvanta {

class clsPDFCreator;

// Measures `text` under the scaling in force; while it is wider than `limit`,
// lowers the scaling value (which starts at `start`) by `step`, applies it and
// measures again. Stops at the latest at 0 %. Returns the scaling value reached.
float FitText(clsPDFCreator& writer, const std::string& text, const std::string& font, float size,
              float start, float step, double limit);

}  // namespace orvanta
