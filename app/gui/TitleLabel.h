#pragma once

#include <QIcon>
#include <QWidget>

class QLabel;

namespace orvanta {

// The program's name in large letters over a silver copy offset by two pixels
// (the two title labels of the main and the about window).
class TitleLabel : public QWidget {
  Q_OBJECT
 public:
  TitleLabel(const QString& text, double pointSize, QWidget* parent = nullptr);
  QString Text() const;

 private:
  QLabel* shadow_;
  QLabel* front_;
};

// The program's icon, drawn (the same design as the installed SVG).
QIcon AppIcon();

}  // namespace orvanta
