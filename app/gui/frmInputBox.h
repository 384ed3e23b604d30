#pragma once
// The input window for a header or footer text: the text with its limit and
// counter, and the colour of the text.

#include <QDialog>
#include <cstdint>

#include "app/core/run/CustomHeaderFooter.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvanta {

struct GuiServices;

class frmInputBox : public QDialog {
  Q_OBJECT
 public:
  explicit frmInputBox(const GuiServices& services, QWidget* owner = nullptr);

  // The load step: empties the text; target 0 is the header (40 characters),
  // 1 the footer (30); "Colore" is enabled only with colour printing.
  void Prepare(int inputTarget, bool printColor);

  int InputTarget() const { return inputTarget_; }
  int InputLimit() const { return inputLimit_; }
  int32_t InputColor() const { return inputColor_; }  // 0x00BBGGRR, black at first
  // The text as it is stored: the first InputLimit characters, trimmed.
  QString ResultText() const;
  // True when the window was closed with "Salva e chiudi" (the caller then
  // discards it, so the next opening starts again with black).
  bool ClosedBySave() const { return closedBySave_; }

 private:
  void UpdateCounter();
  void ChooseColour();

  const GuiServices& services_;
  QLabel* lblInfo_;
  QLineEdit* txtInput_;
  QLabel* lblNumCaratteri_;
  QPushButton* cmdColor_;
  QPushButton* cmdClose_;
  int inputTarget_ = 0;
  int inputLimit_ = kHeaderTextLimit;
  int32_t inputColor_ = 0;
  bool closedBySave_ = false;
};

}  // namespace orvanta
