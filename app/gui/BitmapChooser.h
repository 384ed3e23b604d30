#pragma once
// The open-file dialog for a header or footer bitmap: Qt's own dialog, in
// Italian down to the sizes and dates of its list.

#include <QString>

class QWidget;

namespace orvanta {

// The chosen file; empty when cancelled.
QString ChooseBitmapFile(QWidget* owner);

}  // namespace orvanta
