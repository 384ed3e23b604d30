#include "app/gui/HandCursors.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QWidget>

namespace orvanta {

void SetHandCursors(QWidget* window) {
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
    button->setCursor(Qt::PointingHandCursor);
  for (QComboBox* list : window->findChildren<QComboBox*>())
    list->setCursor(Qt::PointingHandCursor);
}

}  // namespace orvanta
