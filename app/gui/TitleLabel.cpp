#include "app/gui/TitleLabel.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace orvanta {

TitleLabel::TitleLabel(const QString& text, double pointSize, QWidget* parent)
    : QWidget(parent), shadow_(new QLabel(text, this)), front_(new QLabel(text, this)) {
  QFont font(QStringLiteral("Sans Serif"));
  font.setPointSizeF(pointSize);
  font.setBold(true);
  font.setItalic(true);
  for (QLabel* label : {shadow_, front_}) {
    label->setFont(font);
    label->adjustSize();
  }
  shadow_->setObjectName(QStringLiteral("lblTitolo1"));
  front_->setObjectName(QStringLiteral("lblTitolo0"));
  shadow_->setStyleSheet(QStringLiteral("color: rgb(192, 192, 192);"));
  front_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
  shadow_->move(2, 2);
  front_->move(0, 0);
  front_->raise();
  setFixedSize(front_->width() + 2, front_->height() + 2);
}

QString TitleLabel::Text() const {
  return front_->text();
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    {
      QPainter p(&pixmap);
      p.setRenderHint(QPainter::Antialiasing);
      p.scale(size / 64.0, size / 64.0);
      // Sheet, red band with two rings, and a grid of days.
      p.setPen(QPen(QColor(90, 90, 90), 2));
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(6, 8, 52, 50), 6, 6);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 30, 40));
      p.drawRoundedRect(QRectF(6, 8, 52, 14), 6, 6);
      p.drawRect(QRectF(6, 15, 52, 7));
      p.setBrush(QColor(60, 60, 60));
      p.drawRoundedRect(QRectF(18, 3, 5, 11), 2, 2);
      p.drawRoundedRect(QRectF(41, 3, 5, 11), 2, 2);
      for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 5; ++col) {
          p.setBrush(row == 3 && col == 4 ? QColor(200, 30, 40) : QColor(120, 130, 150));
          p.drawRect(QRectF(12 + col * 9, 27 + row * 7.5, 5, 4.5));
        }
      }
    }
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace orvanta
