#include "app/gui/BusyPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace orvanta {

namespace {
constexpr int kSteps = 24;  // frames of one sheet
}

PrinterAnimation::PrinterAnimation(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picPrintAnimation"));
  setFixedSize(sizeHint());
  timer_.setInterval(60);
  connect(&timer_, &QTimer::timeout, this, [this] {
    phase_ = (phase_ + 1) % kSteps;
    update();
  });
}

void PrinterAnimation::showEvent(QShowEvent* event) {
  phase_ = 0;
  timer_.start();
  QWidget::showEvent(event);
}

void PrinterAnimation::hideEvent(QHideEvent* event) {
  timer_.stop();
  QWidget::hideEvent(event);
}

void PrinterAnimation::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor body(70, 80, 95);
  // Paper tray at the back and the sheet going in.
  p.setPen(QPen(Qt::darkGray, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(22, 6, 28, 22));
  // Printer body.
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawRoundedRect(QRectF(8, 24, 56, 26), 5, 5);
  p.setBrush(QColor(40, 45, 55));
  p.drawRect(QRectF(18, 44, 36, 4));  // output slot
  // Power light blinks.
  p.setBrush((phase_ / 4) % 2 == 0 ? QColor(60, 200, 90) : QColor(30, 90, 45));
  p.drawEllipse(QRectF(54, 30, 5, 5));
  // The printed sheet slides out of the slot, with lines appearing on it.
  const double out = 20.0 * phase_ / (kSteps - 1);
  p.setPen(QPen(Qt::darkGray, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(22, 46, 28, out));
  p.setPen(QPen(QColor(200, 40, 40), 1.5));
  for (double y = 50; y < 46 + out - 2; y += 4) p.drawLine(QPointF(26, y), QPointF(46, y));
}

BusyPanel::BusyPanel(QWidget* parent) : QFrame(parent), animation_(new PrinterAnimation(this)) {
  setObjectName(QStringLiteral("picPrint"));
  setFrameShape(QFrame::Box);
  setLineWidth(2);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(255, 255, 225));
  setPalette(palette);
  auto* text = new QLabel(QStringLiteral("Generazione del calendario in corso..."), this);
  text->setObjectName(QStringLiteral("lblPrint"));
  QFont font = text->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.15);
  text->setFont(font);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(18, 12, 24, 12);
  layout->setSpacing(14);
  layout->addWidget(animation_);
  layout->addWidget(text);
}

}  // namespace orvanta
