// "Ricorda..." and up to four commemorations of the month, bottom left.

#include <span>
#include <string>

#include "almanac/Commemorations.h"
#include "calendar/Drawing.h"
#include "calendar/PagePasses.h"
#include "calendar/PageState.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {
namespace {

constexpr float kNoteSize = 8;
constexpr double kItemPitch = 0.3;
constexpr const char* kBullet = "\xE2\x80\xA2 ";  // "• " in UTF-8

}  // namespace

void DrawFootnotes(PageState& page) {
  clsPDFCreator& w = page.writer;
  const std::span<const Commemoration> items = page.content.Footnotes(page.month);
  double itemY = 1.8;
  for (std::size_t i = 0; i < items.size(); ++i) {
    // The heading keeps the scaling in force: 70 % after the legend.
    if (i == 0) w.DrawText(F(0.6), F(2.1), "Ricorda...", kItalicFont, kNoteSize, kAlignLeft);
    w.SetTextHorizontalScaling(85);
    w.DrawText(F(0.6), F(itemY), kBullet + CommemorationText(items[i]), kItalicFont, kNoteSize,
               kAlignLeft);
    itemY = F(itemY - kItemPitch);
  }
  w.SetTextHorizontalScaling(100);
}

}  // namespace orvanta
