#pragma once

class QWidget;

namespace orvanta {

// Gives every check box, option button, button and drop-down list of `window`
// the pointing hand; other controls keep the default pointer.
void SetHandCursors(QWidget* window);

}  // namespace orvanta
