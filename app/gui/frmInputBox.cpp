#include "app/gui/frmInputBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/ColorRef.h"
#include "app/gui/GuiServices.h"
#include "app/gui/HandCursors.h"
#include "app/gui/PrintableText.h"

namespace orvanta {

frmInputBox::frmInputBox(const GuiServices& services, QWidget* owner)
    : QDialog(owner),
      services_(services),
      lblInfo_(new QLabel(this)),
      txtInput_(new QLineEdit(this)),
      lblNumCaratteri_(new QLabel(this)),
      cmdColor_(new QPushButton(QStringLiteral("Colore"), this)),
      cmdClose_(new QPushButton(QStringLiteral("Salva e chiudi"), this)) {
  setWindowTitle(QStringLiteral("Input"));
  setObjectName(QStringLiteral("frmInputBox"));
  lblInfo_->setObjectName(QStringLiteral("lblInfo"));
  txtInput_->setObjectName(QStringLiteral("txtInput"));
  lblNumCaratteri_->setObjectName(QStringLiteral("lblNumCaratteri"));
  cmdColor_->setObjectName(QStringLiteral("cmdColor"));
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));
  lblInfo_->setWordWrap(true);
  lblInfo_->setMinimumWidth(420);
  cmdClose_->setDefault(true);
  KeepPrintable(txtInput_);
  auto* label1 = new QLabel(QStringLiteral("Scegli il colore del testo"), this);
  label1->setObjectName(QStringLiteral("Label1"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblInfo_);
  layout->addWidget(txtInput_);
  layout->addWidget(lblNumCaratteri_, 0, Qt::AlignRight);
  auto* row = new QHBoxLayout;
  row->addWidget(label1);
  row->addWidget(cmdColor_);
  row->addStretch();
  row->addWidget(cmdClose_);
  layout->addLayout(row);

  connect(txtInput_, &QLineEdit::textChanged, this, &frmInputBox::UpdateCounter);
  connect(cmdColor_, &QPushButton::clicked, this, &frmInputBox::ChooseColour);
  connect(cmdClose_, &QPushButton::clicked, this, [this] {
    closedBySave_ = true;
    accept();
  });
  SetHandCursors(this);
}

void frmInputBox::Prepare(int inputTarget, bool printColor) {
  inputTarget_ = inputTarget == 1 ? 1 : 0;
  closedBySave_ = false;
  QString info;
  if (inputTarget_ == 0) {
    info = QStringLiteral(
        "Scrivi una breve intestazione (max %1 caratteri) da stampare nella parte superiore "
        "del calendario");
    inputLimit_ = kHeaderTextLimit;
  } else {
    info = QStringLiteral(
        "Scrivi una breve intestazione (max %1 caratteri) da stampare nella parte inferiore "
        "del calendario");
    inputLimit_ = kFooterTextLimit;
  }
  lblInfo_->setText(info.arg(inputLimit_));
  txtInput_->setMaxLength(inputLimit_);
  txtInput_->clear();
  UpdateCounter();
  cmdColor_->setEnabled(printColor);
  txtInput_->setFocus();
}

QString frmInputBox::ResultText() const {
  return txtInput_->text().left(inputLimit_).trimmed();
}

void frmInputBox::UpdateCounter() {
  // Characters as the calendar prints them, one byte each.
  const int typed = PrintedLength(txtInput_->text());
  lblNumCaratteri_->setText(QStringLiteral("%1 - %2").arg(typed).arg(inputLimit_ - typed));
}

void frmInputBox::ChooseColour() {
  // The dialog starts from black, as a new colour chooser does.
  if (const std::optional<QColor> chosen = services_.chooseColor(this, Qt::black))
    inputColor_ = ToColorRef(*chosen);
}

}  // namespace orvanta
