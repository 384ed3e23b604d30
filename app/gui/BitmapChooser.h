#pragma once
// The open-file dialog for a header, footer or cover picture (JPEG, PNG or
// bitmap): Qt's own dialog, in Italian down to the sizes and dates of its
// list.

#include <QString>
#include <QStringList>

class QWidget;

namespace orvanta {

// The chosen file; empty when cancelled.
QString ChooseBitmapFile(QWidget* owner);

// The same dialog taking several files at once (the header's twelve months);
// empty when cancelled.
QStringList ChoosePictureFiles(QWidget* owner);

}  // namespace orvanta
