#pragma once

#include <QFrame>
#include <QTimer>

namespace orvanta {

// A small printer that keeps pushing out a sheet while a calendar is made.
class PrinterAnimation : public QWidget {
  Q_OBJECT
 public:
  explicit PrinterAnimation(QWidget* parent = nullptr);
  QSize sizeHint() const override { return {72, 72}; }
  int Phase() const { return phase_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QTimer timer_;
  int phase_ = 0;
};

// The panel shown over the main window during a run: the animated printer and
// "Generazione del calendario in corso...".
class BusyPanel : public QFrame {
  Q_OBJECT
 public:
  explicit BusyPanel(QWidget* parent = nullptr);
  PrinterAnimation* Animation() const { return animation_; }

 private:
  PrinterAnimation* animation_;
};

}  // namespace orvanta
