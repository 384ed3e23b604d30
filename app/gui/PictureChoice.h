#pragma once
// What the window keeps of the pictures the user picked for the header, the
// footer or the cover: checked before the choice is taken, so that a picture
// the calendar cannot print is refused now, with the reason.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "calendar/PictureSlots.h"

namespace orvanta {

struct PictureChoice {
  std::string single;               // one picture
  std::vector<std::string> months;  // twelve pictures, January first (header only)
  QString refusal;                  // why nothing is taken; empty when taken
};

// One picture, or (when `monthsAllowed`) twelve taken in name order, one per
// month; no JPEG or PNG among them may be unusable in `box`.
PictureChoice CheckPictureChoice(QStringList paths, bool monthsAllowed, PictureBox box,
                                 const PicturePreparer& prepare);

}  // namespace orvanta
