#include "app/gui/frmCalendario.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>

#include "app/core/notes/NotesFile.h"
#include "app/core/platform/Folders.h"
#include "app/core/run/CustomHeaderFooter.h"
#include "app/core/run/EmbeddedFiles.h"
#include "app/core/run/PrintOptions.h"
#include "app/gui/BusyPanel.h"
#include "app/gui/HandCursors.h"
#include "app/gui/PdfViewer.h"
#include "app/gui/PictureChoice.h"
#include "app/gui/ShiftGuide.h"
#include "app/gui/TitleLabel.h"
#include "app/gui/WaitSeconds.h"
#include "app/gui/frmAbout.h"
#include "app/gui/frmInputBox.h"
#include "app/gui/frmNote.h"
#include "app/pictures/PicturePreparation.h"
#include "calendar/YearRanges.h"

namespace orvanta {

namespace {

// The years the window offers, the last one chosen at the start.
constexpr int kFirstYear = kWindowYears.first;
constexpr int kLastYear = kWindowYears.last;

const QString kClosingLine = QStringLiteral(
    "Per maggiori informazioni e/o suggerimenti in merito all'utilizzo di questa opzione, "
    "leggere la guida (pulsante ?) allegata al programma.");

QLabel* BoldLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

QPushButton* GlyphButton(const QString& glyph, const QString& name, const QString& tip,
                         QWidget* parent) {
  auto* button = new QPushButton(glyph, parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setFixedSize(26, 26);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  return button;
}

// The donation button picture: a rounded "Dona" badge.
QPixmap DonationPicture() {
  QPixmap pixmap(92, 30);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(170, 120, 0), 1.5));
  p.setBrush(QColor(255, 196, 57));
  p.drawRoundedRect(QRectF(1, 1, 90, 28), 14, 14);
  QFont font = p.font();
  font.setBold(true);
  font.setPointSize(11);
  p.setFont(font);
  p.setPen(QColor(30, 50, 110));
  p.drawText(QRectF(0, 0, 92, 30), Qt::AlignCenter, QStringLiteral("Dona ♥"));
  return pixmap;
}

// The help text of a cmdInfoCustom button.
QString CustomInfoMessage(int button, bool textChosen) {
  QStringList lines;
  if (button == 2) {
    lines << QStringLiteral(
                 "Consente di memorizzare delle brevi note (anniversari, scadenze, "
                 "compleanni, ecc.) ") +
                 QStringLiteral(
                     "che verranno stampate ogni anno in corrispondenza della data scelta.");
  } else if (textChosen) {
    lines << QStringLiteral(
                 "La stringa (scritta) da stampare può contenere al massimo %1 "
                 "caratteri alfanumerici.")
                 .arg(button == 0 ? kHeaderTextLimit : kFooterTextLimit)
          << QStringLiteral("I caratteri in eccedenza verranno eliminati automaticamente.");
  } else {
    const PictureSize size = button == 0 ? kHeaderPictureSize : kFooterPictureSize;
    lines << QStringLiteral("Le dimensioni dell'immagine da utilizzare devono essere:")
          << QStringLiteral("%1 mm (L) per %2 mm (H).").arg(size.widthMm).arg(size.heightMm)
          << QStringLiteral(
                 "Le foto JPEG e PNG di forma diversa verranno ritagliate al centro, senza "
                 "deformarle; le bitmap verranno ridimensionate, senza nessuna proporzionalità, "
                 "alle dimensioni indicate.")
          << QStringLiteral(
                 "Il formato delle immagini da utilizzare deve essere .jpg, .png o .bmp (bitmap).");
  }
  lines << kClosingLine;
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

frmCalendario::frmCalendario(GuiServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmCalendario"));
  setWindowTitle(QStringLiteral("Orvanta"));
  // The icon is the application's (StartUp), drawn once for every window.
  BuildWindow();

  // Load sequence.
  SetHandCursors(this);
  imgPayPal_->setCursor(Qt::PointingHandCursor);
  cboAnno_->setCurrentIndex(cboAnno_->count() - 1);
  options_ = CalendarOptions{};
  options_.TextColor = kTextBlack;
  for (const OptionBox& option : optionBoxes_) options_.*option.field = option.box->isChecked();
  options_.PrintColor = chkPrintColor_->isChecked();
  if (!FileExists(ToUtf8(services_.ShiftFile()))) {
    chkTurno_->setChecked(false);
    chkTurno_->setEnabled(false);
    options_.Turno = false;
  }
  RefreshNotesOption();
  // No folder to keep them in: no notes to write (the start has said so).
  cmdNote_->setEnabled(!services_.NotesFile().isEmpty());
}

frmCalendario::~frmCalendario() = default;

void frmCalendario::BuildWindow() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  controls_ = new QWidget(this);
  controls_->setObjectName(QStringLiteral("controls"));
  outer->addWidget(controls_);
  auto* layout = new QVBoxLayout(controls_);
  layout->setContentsMargins(16, 10, 16, 12);
  layout->setSpacing(3);

  auto* title = new TitleLabel(QStringLiteral("Orvanta"), 24, controls_);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  BuildYearRow(layout);
  layout->addSpacing(4);
  BuildColourRows(layout);
  layout->addSpacing(6);
  BuildCustomGrid(layout);
  layout->addSpacing(6);
  BuildOptionBoxes(layout);
  layout->addSpacing(6);
  BuildCoverRow(layout);
  layout->addSpacing(8);
  BuildDonationRow(layout);
  layout->addSpacing(6);
  BuildButtonRow(layout);

  // The busy panel floats over the window during a run.
  picPrint_ = new BusyPanel(this);
  picPrint_->hide();
}

void frmCalendario::BuildYearRow(QVBoxLayout* layout) {
  auto* yearRow = new QHBoxLayout;
  auto* label1 = new QLabel(QStringLiteral("Anno di riferimento"), controls_);
  label1->setObjectName(QStringLiteral("Label1"));
  cboAnno_ = new QComboBox(controls_);
  cboAnno_->setObjectName(QStringLiteral("cboAnno"));
  for (int year = kFirstYear; year <= kLastYear; ++year) cboAnno_->addItem(QString::number(year));
  auto* label2 = new QLabel(QStringLiteral("(%1 ÷ %2)").arg(kFirstYear).arg(kLastYear), controls_);
  label2->setObjectName(QStringLiteral("Label2"));
  yearRow->addWidget(label1);
  yearRow->addWidget(cboAnno_);
  yearRow->addWidget(label2);
  yearRow->addStretch();
  layout->addLayout(yearRow);
}

// Colour printing and, under it, the text colour.
void frmCalendario::BuildColourRows(QVBoxLayout* layout) {
  chkPrintColor_ = new QCheckBox(QStringLiteral("Stampa calendario a colori"), controls_);
  chkPrintColor_->setObjectName(QStringLiteral("chkPrintColor"));
  QFont bold = chkPrintColor_->font();
  bold.setBold(true);
  chkPrintColor_->setFont(bold);
  chkPrintColor_->setChecked(true);
  layout->addWidget(chkPrintColor_);
  checkBoxesInOrder_.push_back(chkPrintColor_);
  auto* colourRow = new QHBoxLayout;
  colourRow->setContentsMargins(22, 0, 0, 0);
  auto* colourGroup = new QButtonGroup(this);
  for (std::size_t i = 0; i < optTextColor_.size(); ++i) {
    const TextColourChoice& choice = kTextColourChoices[i];
    auto* option = new QRadioButton(QString::fromUtf8(choice.caption), controls_);
    option->setObjectName(QStringLiteral("optTextColor%1").arg(i));
    colourGroup->addButton(option, static_cast<int>(i));
    colourRow->addWidget(option);
    const int32_t colour = choice.colour;
    connect(option, &QRadioButton::clicked, this, [this, colour] { OnTextColor(colour); });
    optTextColor_[i] = option;
  }
  optTextColor_[0]->setChecked(true);
  colourRow->addStretch();
  layout->addLayout(colourRow);
  connect(chkPrintColor_, &QCheckBox::toggled, this, &frmCalendario::OnPrintColor);
}

// Custom header, footer and notes.
void frmCalendario::BuildCustomGrid(QVBoxLayout* layout) {
  layout->addWidget(
      BoldLabel(QStringLiteral("Stampa personalizzata"), QStringLiteral("Label7"), controls_));
  auto* customGrid = new QGridLayout;
  customGrid->setContentsMargins(22, 0, 0, 0);
  customGrid->setHorizontalSpacing(10);
  customGrid->setVerticalSpacing(2);
  BuildCustomLine(customGrid, 0, QStringLiteral("Intestazione (Top)"), QStringLiteral("Label3"),
                  QStringLiteral("optCustomTop"));
  BuildCustomLine(customGrid, 1, QStringLiteral("Piè di pagina (Bottom)"), QStringLiteral("Label4"),
                  QStringLiteral("optCustomDown"));
  auto* label6 = new QLabel(QStringLiteral("Note, scadenze, ricorrenze personali"), controls_);
  label6->setObjectName(QStringLiteral("Label6"));
  customGrid->addWidget(label6, 2, 0, 1, 3);
  cmdNote_ = new QPushButton(QStringLiteral("Scrivi"), controls_);
  cmdNote_->setObjectName(QStringLiteral("cmdNote"));
  cmdNote_->setToolTip(QStringLiteral("Inserimento di note personali"));
  cmdNote_->setFixedWidth(80);
  customGrid->addWidget(cmdNote_, 2, 3);
  connect(cmdNote_, &QPushButton::clicked, this, &frmCalendario::OpenNotesEditor);
  AddInfoButton(customGrid, 2);
  customGrid->setColumnStretch(5, 1);
  layout->addLayout(customGrid);
}

// The help button at the end of a row of the grid. Made after the row's own
// controls, so that the tab key reaches it right after them.
void frmCalendario::AddInfoButton(QGridLayout* grid, int line) {
  cmdInfoCustom_[line] =
      GlyphButton(QStringLiteral("?"), QStringLiteral("cmdInfoCustom%1").arg(line),
                  QStringLiteral("Informazioni su come utilizzare l'opzione"), controls_);
  grid->addWidget(cmdInfoCustom_[line], line, 4);
  connect(cmdInfoCustom_[line], &QPushButton::clicked, this, [this, line] { OnInfoCustom(line); });
}

// One line of the grid: the caption, the picture / text choice and its button.
void frmCalendario::BuildCustomLine(QGridLayout* grid, int line, const QString& caption,
                                    const QString& labelName, const QString& optionName) {
  auto* label = new QLabel(caption, controls_);
  label->setObjectName(labelName);
  grid->addWidget(label, line, 0);
  auto* group = new QButtonGroup(this);
  const std::array<QString, 2> choices = {QStringLiteral("Immagine"), QStringLiteral("Testo")};
  for (int i = 0; i < 2; ++i) {
    optCustom_[line][i] = new QRadioButton(choices[i], controls_);
    optCustom_[line][i]->setObjectName(optionName + QString::number(i));
    group->addButton(optCustom_[line][i], i);
    grid->addWidget(optCustom_[line][i], line, 1 + i);
  }
  optCustom_[line][0]->setChecked(true);
  for (int i = 0; i < 2; ++i) {
    connect(optCustom_[line][i], &QRadioButton::toggled, this, [this, line, i](bool on) {
      if (on) OnCustomOption(line, i);
    });
  }
  cmdCustom_[line] = new QPushButton(QStringLiteral("Scegli"), controls_);
  cmdCustom_[line]->setObjectName(QStringLiteral("cmdCustom%1").arg(line));
  cmdCustom_[line]->setFixedWidth(80);
  grid->addWidget(cmdCustom_[line], line, 3);
  connect(cmdCustom_[line], &QPushButton::clicked, this, [this, line] { OnCustomAction(line); });
  AddInfoButton(grid, line);
}

// "Select all" and one check box for each print option, in the table's order.
void frmCalendario::BuildOptionBoxes(QVBoxLayout* layout) {
  layout->addWidget(
      BoldLabel(QStringLiteral("Opzioni di stampa"), QStringLiteral("Label5"), controls_));
  chkAllSelect_ = new QCheckBox(QStringLiteral("Seleziona/deseleziona tutto"), controls_);
  chkAllSelect_->setObjectName(QStringLiteral("chkAllSelect"));
  chkAllSelect_->setStyleSheet(QStringLiteral("QCheckBox { color: rgb(0, 0, 255); }"));
  chkAllSelect_->setChecked(true);
  layout->addWidget(chkAllSelect_);
  checkBoxesInOrder_.push_back(chkAllSelect_);
  auto* boxColumn = new QVBoxLayout;
  boxColumn->setContentsMargins(22, 0, 0, 0);
  boxColumn->setSpacing(1);
  for (const PrintOption& option : kPrintOptions) {
    auto* box = new QCheckBox(QString::fromUtf8(option.caption), controls_);
    box->setObjectName(QString::fromLatin1(option.boxName));
    box->setChecked(true);
    boxColumn->addWidget(box);
    checkBoxesInOrder_.push_back(box);
    optionBoxes_.push_back({box, option.field});
    const auto field = option.field;
    connect(box, &QCheckBox::toggled, this,
            [this, field](bool ticked) { options_.*field = ticked; });
  }
  chkNotePersonali_ = OptionBoxOf(&CalendarOptions::NotePersonali);
  chkTurno_ = OptionBoxOf(&CalendarOptions::Turno);
  layout->addLayout(boxColumn);
  connect(chkAllSelect_, &QCheckBox::toggled, this, &frmCalendario::OnSelectAll);
}

QCheckBox* frmCalendario::OptionBoxOf(bool CalendarOptions::*field) const {
  for (const OptionBox& option : optionBoxes_) {
    if (option.field == field) return option.box;
  }
  return nullptr;
}

void frmCalendario::BuildDonationRow(QVBoxLayout* layout) {
  auto* donateRow = new QHBoxLayout;
  auto* lblDonate = new QLabel(
      QStringLiteral("Questo  calendario ti  sarà  utile  per  un  anno  intero... \n") +
          QStringLiteral("Contribuisci anche tu, con una donazione comunque libera e volontaria, a "
                         "sostenere lo sviluppo e l'aggiornamento di questo programma. Grazie."),
      controls_);
  lblDonate->setObjectName(QStringLiteral("lblDonate"));
  lblDonate->setTextFormat(Qt::PlainText);
  lblDonate->setWordWrap(true);
  QFont small = lblDonate->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  small.setItalic(true);
  lblDonate->setFont(small);
  imgPayPal_ = new QLabel(controls_);
  imgPayPal_->setObjectName(QStringLiteral("imgPayPal"));
  imgPayPal_->setPixmap(DonationPicture());
  imgPayPal_->setToolTip(QString::fromUtf8(kDonationPage));
  imgPayPal_->installEventFilter(this);
  donateRow->addWidget(lblDonate, 1);
  donateRow->addWidget(imgPayPal_, 0, Qt::AlignVCenter);
  layout->addLayout(donateRow);
}

// Create, guide and information.
void frmCalendario::BuildButtonRow(QVBoxLayout* layout) {
  auto* buttonRow = new QHBoxLayout;
  cmdCrea_ = new QPushButton(QStringLiteral("Crea calendario pdf"), controls_);
  cmdCrea_->setObjectName(QStringLiteral("cmdCrea"));
  cmdCrea_->setToolTip(QStringLiteral("Crea il file pdf con il calendario"));
  cmdCrea_->setMinimumHeight(34);
  cmdCrea_->setFont(chkPrintColor_->font());  // bold, as the colour option
  connect(cmdCrea_, &QPushButton::clicked, this, &frmCalendario::CreateCalendar);
  auto* cmdHelp = GlyphButton(QStringLiteral("?"), QStringLiteral("cmdHelpPrintTurno"),
                              QStringLiteral("Guida all'utilizzo del programma"), controls_);
  cmdHelp->setFixedSize(34, 34);
  connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowShiftGuide(this, services_); });
  auto* cmdInfo = GlyphButton(QStringLiteral("i"), QStringLiteral("cmdInfo"),
                              QStringLiteral("Informazioni"), controls_);
  cmdInfo->setFixedSize(34, 34);
  connect(cmdInfo, &QPushButton::clicked, this, &frmCalendario::OpenAbout);
  buttonRow->addWidget(cmdCrea_, 1);
  buttonRow->addWidget(cmdHelp);
  buttonRow->addWidget(cmdInfo);
  layout->addLayout(buttonRow);
}

void frmCalendario::DetectViewer() {
  viewerProgramName_ = DetectPdfViewer(services_);
}

void frmCalendario::RefreshNotesOption() {
  const bool exists = FileExists(ToUtf8(services_.NotesFile()));
  chkNotePersonali_->setChecked(exists);
  chkNotePersonali_->setEnabled(exists);
  options_.NotePersonali = exists;
}

void frmCalendario::OnSelectAll(bool ticked) {
  for (QCheckBox* box : checkBoxesInOrder_) {
    if (box == chkPrintColor_ || !box->isEnabled()) continue;
    box->setChecked(ticked);
  }
}

void frmCalendario::OnPrintColor(bool ticked) {
  for (QRadioButton* option : optTextColor_) option->setEnabled(ticked);
  options_.PrintColor = ticked;
  options_.TextColor = rememberedTextColor_;
}

void frmCalendario::OnTextColor(int32_t colour) {
  options_.TextColor = colour;
  rememberedTextColor_ = options_.TextColor;
}

void frmCalendario::OnCustomOption(int line, int index) {
  if (line == 0) {
    options_.CustomTopText.clear();
    options_.CustomTopImage.clear();
    options_.CustomTopImages.clear();
  } else {
    options_.CustomDownText.clear();
    options_.CustomDownImage.clear();
  }
  cmdCustom_[line]->setText(index == 1 ? QStringLiteral("Scrivi") : QStringLiteral("Scegli"));
}

void frmCalendario::OnCustomAction(int line) {
  std::string& text = line == 0 ? options_.CustomTopText : options_.CustomDownText;
  std::string& image = line == 0 ? options_.CustomTopImage : options_.CustomDownImage;
  int32_t& colour = line == 0 ? options_.CustomTopColor : options_.CustomDownColor;
  const std::string earlier = image;
  const std::vector<std::string> earlierMonths = options_.CustomTopImages;
  text.clear();
  image.clear();
  if (line == 0) options_.CustomTopImages.clear();
  if (optCustom_[line][0]->isChecked()) {
    ChooseCustomPicture(line, earlier, earlierMonths);
    return;
  }
  if (!inputBox_) inputBox_ = std::make_unique<frmInputBox>(services_, this);
  inputBox_->Prepare(line, options_.PrintColor);
  inputBox_->exec();
  text = ToUtf8(inputBox_->ResultText());
  colour = inputBox_->InputColor();
  // "Salva e chiudi" discards the window; the close box keeps its colour.
  if (inputBox_->ClosedBySave()) inputBox_.reset();
  if (!text.empty()) image.clear();
}

// A cancelled dialog leaves the line empty; a picture the calendar cannot
// print is refused with the reason, and the earlier choice stays.
void frmCalendario::ChooseCustomPicture(int line, const std::string& earlier,
                                        const std::vector<std::string>& earlierMonths) {
  std::string& image = line == 0 ? options_.CustomTopImage : options_.CustomDownImage;
  const bool header = line == 0;
  QStringList paths;
  if (header && services_.chooseImageFiles) {
    paths = services_.chooseImageFiles(this);
  } else if (const QString path = services_.chooseImageFile(this); !path.isEmpty()) {
    paths << path;
  }
  paths.removeIf([](const QString& path) { return path.size() <= 7; });
  if (paths.isEmpty()) return;
  if (!pictures_) pictures_ = RememberingPreparer();
  const PictureChoice choice =
      CheckPictureChoice(paths, header, header ? kHeaderBox : kFooterBox, pictures_);
  if (!choice.refusal.isEmpty()) {
    services_.Tell(this, QMessageBox::Warning, QStringLiteral("Orvanta"), choice.refusal);
    image = earlier;
    if (header) options_.CustomTopImages = earlierMonths;
    return;
  }
  image = choice.single;
  if (header) options_.CustomTopImages = choice.months;
}

// The cover: a photo on a page of its own before January.
void frmCalendario::BuildCoverRow(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(22, 0, 0, 0);
  auto* label = new QLabel(QStringLiteral("Copertina con una foto, prima di gennaio"), controls_);
  label->setObjectName(QStringLiteral("lblCover"));
  row->addWidget(label);
  cmdCover_ = new QPushButton(QStringLiteral("Scegli"), controls_);
  cmdCover_->setObjectName(QStringLiteral("cmdCover"));
  cmdCover_->setToolTip(QStringLiteral("Nessuna copertina"));
  cmdCover_->setFixedWidth(80);
  row->addWidget(cmdCover_);
  row->addStretch(1);
  layout->addLayout(row);
  connect(cmdCover_, &QPushButton::clicked, this, &frmCalendario::ChooseCover);
}

// Cancelling takes the cover away; a picture that cannot be printed keeps
// the earlier one.
void frmCalendario::ChooseCover() {
  const QString path = services_.chooseImageFile(this);
  if (path.isEmpty()) {
    options_.CoverImage.clear();
    cmdCover_->setToolTip(QStringLiteral("Nessuna copertina"));
    return;
  }
  if (!pictures_) pictures_ = RememberingPreparer();
  const PictureChoice choice = CheckPictureChoice({path}, false, kCoverBox, pictures_);
  if (!choice.refusal.isEmpty()) {
    services_.Tell(this, QMessageBox::Warning, QStringLiteral("Orvanta"), choice.refusal);
    return;
  }
  options_.CoverImage = choice.single;
  cmdCover_->setToolTip(path);
}

void frmCalendario::OnInfoCustom(int index) {
  const bool textChosen = index < 2 && optCustom_[index][1]->isChecked();
  services_.Tell(this, QMessageBox::Information, QStringLiteral("Orvanta"),
                 CustomInfoMessage(index, textChosen));
}

void frmCalendario::OpenNotesEditor() {
  hide();
  {
    frmNote editor(services_, this);
    editor.exec();
  }
  RefreshNotesOption();
  show();
}

void frmCalendario::OpenAbout() {
  frmAbout about(services_, this);
  about.exec();
}

CalendarJob frmCalendario::MakeJob() {
  CalendarJob job;
  job.options = options_;
  job.pdf.path = ToUtf8(services_.CalendarFile());
  job.notesFile = ToUtf8(services_.NotesFile());
  job.shiftFile = ToUtf8(services_.ShiftFile());
  job.openViewer = true;
  job.pumpEvents = PumpEvents;
  job.preparePicture = pictures_;
  job.viewer = [this](const std::string& path) {
    services_.openUrl(QUrl::fromLocalFile(FromUtf8(path)));
  };
  return job;
}

void frmCalendario::ShowOutcome(const JobResult& outcome) {
  // An unusable shift file switches the shift option off until the user
  // sets it again.
  if (outcome.shiftUnusable) {
    options_.Turno = false;
    const QSignalBlocker blocker(chkTurno_);
    chkTurno_->setChecked(false);
  }
  if (outcome.status != JobResult::Status::Failed) return;
  if (!outcome.notice.empty()) {
    services_.Tell(this, QMessageBox::Critical, QStringLiteral("Orvanta"),
                   FromUtf8(outcome.notice));
    return;
  }
  services_.Tell(this, QMessageBox::Critical, QStringLiteral("Orvanta"),
                 QStringLiteral("Il calendario non è stato creato.\n") + FromUtf8(outcome.detail));
}

void frmCalendario::CreateCalendar() {
  if (running_) return;
  running_ = true;
  // Nothing may start a second run or change an option until this one ends.
  controls_->setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PumpEvents();
  PlaceBusyPanel();
  picPrint_->show();
  picPrint_->raise();
  picPrint_->repaint();
  services_.waitSeconds(1, true);

  options_.Anno = static_cast<int16_t>(cboAnno_->currentText().toInt());
  JobResult outcome;
  try {
    outcome = services_.runCalendar(MakeJob());
  } catch (const std::exception& error) {  // out of memory while preparing the year
    outcome.detail = error.what();
  }
  ShowOutcome(outcome);

  picPrint_->hide();
  QApplication::restoreOverrideCursor();
  controls_->setEnabled(true);
  running_ = false;
  if (closeAfterRun_) close();
}

void frmCalendario::PlaceBusyPanel() {
  picPrint_->adjustSize();
  picPrint_->move((width() - picPrint_->width()) / 2, (height() - picPrint_->height()) / 2);
}

void frmCalendario::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceBusyPanel();
}

bool frmCalendario::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgPayPal_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (imgPayPal_->isEnabled()) services_.openUrl(QUrl(QString::fromUtf8(kDonationPage)));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void frmCalendario::closeEvent(QCloseEvent* event) {
  if (running_) {
    // The run uses the files the clean-up deletes: close once it has ended.
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  CleanUp();
  event->accept();
}

void frmCalendario::CleanUp() {
  if (cleanedUp_) return;
  cleanedUp_ = true;
  if (!viewerProgramName_.isEmpty())
    services_.terminateViewer(viewerProgramName_, services_.CalendarFile());
  const QString guide = services_.tempFolder + QString::fromUtf8(kShiftGuideFileName);
  if (FileExists(ToUtf8(guide))) QFile::remove(guide);
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != this && window->isVisible()) window->close();
}

}  // namespace orvanta
