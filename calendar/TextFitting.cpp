#include "calendar/TextFitting.h"

#include "pdf/clsPDFCreator.h"

namespace orvanta {

float FitText(clsPDFCreator& writer, const std::string& text, const std::string& font, float size,
              float start, float step, double limit) {
  float scaling = start;
  while (static_cast<double>(writer.Length(text, font, size)) > limit && scaling > 0) {
    scaling -= step;
    writer.SetTextHorizontalScaling(scaling);
  }
  return scaling;
}

}  // namespace orvanta
