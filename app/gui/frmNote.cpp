#include "app/gui/frmNote.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/core/notes/NotesEditing.h"
#include "app/gui/GuiServices.h"
#include "app/gui/HandCursors.h"
#include "app/gui/NoteEntries.h"
#include "app/gui/PrintableText.h"

namespace orvanta {

namespace {

const QColor kEditColour(192, 255, 255);  // light cyan while a note is being written

// What the note field lets anyone type; a longer note already in the file
// keeps its length when opened with "Modifica".
constexpr int kMaxTypedNote = static_cast<int>(kMaxNoteCharacters);

QLineEdit* MakeField(QWidget* parent, const QString& name, int maxLength, int width) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(maxLength);
  field->setFixedWidth(width);
  field->setAlignment(Qt::AlignCenter);
  field->setFrame(false);
  return field;
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

frmNote::frmNote(const GuiServices& services, QWidget* owner)
    : QDialog(owner),
      services_(services),
      notes_(ToUtf8(services.NotesFile())),
      txmask_(nullptr),
      picData_(new QFrame(this)),
      txtScadenze_(new QLineEdit(this)),
      lnotes_(new QListWidget(this)),
      cmdChiudi_(new QPushButton(QStringLiteral("Chiudi"), this)),
      lblInfo_(new QLabel(this)),
      lblNumNote_(new QLabel(this)),
      lblUnreadable_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Gestione note"));
  setObjectName(QStringLiteral("frmNote"));
  BuildDateField();
  BuildNoteFields();
  BuildButtons();
  StyleInfoLabels();
  BuildLayout();
  ConnectFields();

  // Load.
  SetHandCursors(this);
  lblInfo_->clear();
  txtdata_[2]->setText(QString::number(kEditorYear));
  readOnlyMode_ = services_.isNotesFileReadOnly(ToUtf8(services_.NotesFile()));
  LoadNotesList();
  if (readOnlyMode_) ShowReadOnly();
  SetEditColours(false);
}

// The date: day / month / year, the year covered by the grey "anno".
void frmNote::BuildDateField() {
  picData_->setObjectName(QStringLiteral("PicData"));
  picData_->setFrameShape(QFrame::StyledPanel);
  txtdata_[0] = MakeField(picData_, QStringLiteral("txtdata0"), 2, 30);
  txtdata_[1] = MakeField(picData_, QStringLiteral("txtdata1"), 2, 30);
  txtdata_[2] = MakeField(picData_, QStringLiteral("txtdata2"), 4, 44);
  txtdata_[2]->setReadOnly(true);
  txtdata_[2]->setFocusPolicy(Qt::NoFocus);
  txmask_ = MakeField(picData_, QStringLiteral("txmask"), 4, 44);
  txmask_->setText(QStringLiteral("anno"));
  txmask_->setReadOnly(true);
  txmask_->setFocusPolicy(Qt::NoFocus);
  QPalette grey = txmask_->palette();
  grey.setColor(QPalette::Text, Qt::gray);
  txmask_->setPalette(grey);
  auto* dateLayout = new QGridLayout(picData_);
  dateLayout->setContentsMargins(4, 2, 4, 2);
  dateLayout->setHorizontalSpacing(2);
  dateLayout->addWidget(txtdata_[0], 0, 0);
  for (int i = 0; i < 2; ++i) {
    lblSeparatore_[i] = new QLabel(QStringLiteral("/"), picData_);
    lblSeparatore_[i]->setObjectName(QStringLiteral("lblSeparatore%1").arg(i + 2));
  }
  dateLayout->addWidget(lblSeparatore_[0], 0, 1);
  dateLayout->addWidget(txtdata_[1], 0, 2);
  dateLayout->addWidget(lblSeparatore_[1], 0, 3);
  dateLayout->addWidget(txtdata_[2], 0, 4);
  dateLayout->addWidget(txmask_, 0, 4);
  txmask_->raise();
}

// The note's text and the list of notes.
void frmNote::BuildNoteFields() {
  txtScadenze_->setObjectName(QStringLiteral("txtScadenze"));
  txtScadenze_->setMaxLength(kMaxTypedNote);
  KeepPrintable(txtScadenze_);
  lnotes_->setObjectName(QStringLiteral("Lnotes"));
  lnotes_->setSelectionMode(QAbstractItemView::SingleSelection);
  QFont mono = lnotes_->font();
  mono.setFamily(QStringLiteral("Monospace"));
  mono.setStyleHint(QFont::TypeWriter);
  lnotes_->setFont(mono);
}

void frmNote::BuildButtons() {
  const std::array<QString, 4> captions = {QStringLiteral("Nuova nota"), QStringLiteral("Modifica"),
                                           QStringLiteral("Cancella"), QStringLiteral("Annulla")};
  const std::array<QString, 4> tips = {QStringLiteral("Aggiunge o salva una nuova nota"),
                                       QStringLiteral("Modifica e salva una nota già presente"),
                                       QStringLiteral("Cancella la nota selezionata"),
                                       QStringLiteral("Annulla le operazioni in corso")};
  for (int i = 0; i < 4; ++i) {
    cmdNote_[i] = new QPushButton(captions[i], this);
    cmdNote_[i]->setObjectName(QStringLiteral("cmdNote%1").arg(i));
    cmdNote_[i]->setToolTip(tips[i]);
    cmdNote_[i]->setAutoDefault(false);
    connect(cmdNote_[i], &QPushButton::clicked, this, [this, i] { OnButton(i); });
  }
  cmdNote_[cmdNuova]->setDefault(true);
  cmdNote_[cmdModifica]->setEnabled(false);
  cmdNote_[cmdCancella]->setEnabled(false);
  cmdChiudi_->setObjectName(QStringLiteral("cmdChiudi"));
  cmdChiudi_->setToolTip(QStringLiteral("Chiude questa finestra e ritorna al calendario"));
  cmdChiudi_->setAutoDefault(false);
  connect(cmdChiudi_, &QPushButton::clicked, this, &QDialog::accept);
}

// The hint line, the count and the warning about unreadable lines.
void frmNote::StyleInfoLabels() {
  lblInfo_->setObjectName(QStringLiteral("lblInfo"));
  lblInfo_->setMinimumHeight(lblInfo_->fontMetrics().height() + 4);
  QFont bold = lblInfo_->font();
  bold.setBold(true);
  lblInfo_->setFont(bold);
  lblInfo_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
  lblNumNote_->setObjectName(QStringLiteral("lblNum_note"));
  lblNumNote_->setToolTip(QStringLiteral("Note presenti"));
  lblNumNote_->setFont(bold);
  lblUnreadable_->setObjectName(QStringLiteral("lblUnreadable"));
  lblUnreadable_->setWordWrap(true);
  lblUnreadable_->setStyleSheet(QStringLiteral("color: rgb(190, 0, 0); font-weight: bold;"));
  lblUnreadable_->hide();
}

void frmNote::BuildLayout() {
  auto* label1 = new QLabel(QStringLiteral("Numero note presenti:"), this);
  label1->setObjectName(QStringLiteral("Label1"));
  auto* label2 = new QLabel(
      QStringLiteral("Le note presenti verranno stampate ogni anno  indipendentemente dall'anno "
                     "presente nella data visualizzata a sinistra della nota"),
      this);
  label2->setObjectName(QStringLiteral("Label2"));
  label2->setTextFormat(Qt::PlainText);
  label2->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  auto* entryRow = new QHBoxLayout;
  entryRow->addWidget(picData_);
  entryRow->addWidget(txtScadenze_, 1);
  layout->addLayout(entryRow);
  layout->addWidget(lnotes_, 1);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(label1);
  countRow->addWidget(lblNumNote_);
  countRow->addStretch();
  layout->addLayout(countRow);
  layout->addWidget(lblInfo_);
  layout->addWidget(lblUnreadable_);
  layout->addWidget(label2);
  auto* buttonRow = new QHBoxLayout;
  for (QPushButton* button : cmdNote_) buttonRow->addWidget(button);
  buttonRow->addStretch();
  buttonRow->addWidget(cmdChiudi_);
  layout->addLayout(buttonRow);
  resize(600, 460);
}

// Tab order, the typing filter and the fields' and list's signals.
void frmNote::ConnectFields() {
  setTabOrder(txtdata_[0], txtdata_[1]);
  setTabOrder(txtdata_[1], txtScadenze_);
  for (QLineEdit* field : {txtdata_[0], txtdata_[1], txtScadenze_}) field->installEventFilter(this);
  for (int field = 0; field < 2; ++field) {
    connect(txtdata_[field], &QLineEdit::textChanged, this,
            [this, field] { OnDateChanged(field); });
  }
  connect(txtScadenze_, &QLineEdit::textEdited, this, &frmNote::OnNoteEdited);
  connect(lnotes_, &QListWidget::itemSelectionChanged, this, &frmNote::OnSelection);
}

void frmNote::LoadNotesList() {
  notes_.Load();
  ShowNotes();
}

void frmNote::ShowNotes() {
  FillLists();
  ShowFileProblems();
  if (readOnlyMode_) ShowReadOnly();
  if (isVisible()) ShowPendingWarning();
}

void frmNote::FillLists() {
  const QSignalBlocker blocker(lnotes_);
  lnotes_->clear();
  for (const ListedNote& note : notes_.Notes())
    lnotes_->addItem(VisibleEntry(note.day, FromUtf8(note.text)));
  ShowCount();
}

QStringList frmNote::HiddenList() const {
  QStringList entries;
  for (const ListedNote& note : notes_.Notes())
    entries << HiddenEntry(note.day, FromUtf8(note.text));
  return entries;
}

void frmNote::ShowFileProblems() {
  const NotesFileContents& asRead = notes_.AsRead();
  if (!asRead.status.Ok()) {
    // Nothing we cannot see may be overwritten: no change at all.
    readOnlyMode_ = true;
    if (!readFailureWarned_) {
      readFailureWarned_ = true;
      pendingWarning_ = QStringLiteral("Attenzione: impossibile leggere il file delle note.\n") +
                        FromUtf8(asRead.status.Describe());
    }
  }
  // Lines we cannot read are shown as a warning and kept in the file.
  if (asRead.HasUnreadable()) {
    const std::size_t count = asRead.unreadableLines.size();
    QString text = (count == 1 ? QStringLiteral("Attenzione: il file delle note contiene 1 riga "
                                                "non leggibile.")
                               : QStringLiteral("Attenzione: il file delle note contiene %1 righe "
                                                "non leggibili.")
                                     .arg(count)) +
                   QStringLiteral(
                       " Qui sono elencate solo le note leggibili; le altre righe "
                       "restano nel file così come sono.");
    if (asRead.unreadableTruncated) {
      // Rewriting would cut the unreadable part short: no change is allowed.
      text += QStringLiteral(" Il file è troppo grande per essere modificato.");
      readOnlyMode_ = true;
    }
    lblUnreadable_->setText(text);
    lblUnreadable_->show();
    if (!unreadableWarned_ && pendingWarning_.isEmpty()) {
      unreadableWarned_ = true;
      pendingWarning_ = text;
    }
  } else {
    lblUnreadable_->hide();
  }
}

void frmNote::ShowReadOnly() {
  lblInfo_->setText(QStringLiteral("Attenzione: File dati di sola lettura"));
  for (QPushButton* button : cmdNote_) button->setEnabled(false);
}

void frmNote::ShowPendingWarning() {
  if (pendingWarning_.isEmpty()) return;
  const QString text = pendingWarning_;
  pendingWarning_.clear();
  QTimer::singleShot(0, this, [this, text] {
    services_.Tell(this, QMessageBox::Warning, QStringLiteral("Orvanta"), text);
  });
}

void frmNote::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowPendingWarning();
}

void frmNote::ShowCount() {
  lblNumNote_->setText(QString::number(lnotes_->count()));
}

void frmNote::SetEditColours(bool on) {
  const QColor colour = on ? kEditColour : QColor(Qt::white);
  for (QWidget* widget : {static_cast<QWidget*>(txtScadenze_), static_cast<QWidget*>(txtdata_[0]),
                          static_cast<QWidget*>(txtdata_[1]), static_cast<QWidget*>(txtdata_[2]),
                          static_cast<QWidget*>(picData_), static_cast<QWidget*>(lblSeparatore_[0]),
                          static_cast<QWidget*>(lblSeparatore_[1]), static_cast<QWidget*>(txmask_)})
    SetBackground(widget, colour);
  // Typing is possible only while a note is being written (middle-click
  // pastes included).
  for (QLineEdit* field : {txtdata_[0], txtdata_[1], txtScadenze_}) field->setReadOnly(!on);
}

void frmNote::ResetEditor() {
  txtdata_[0]->clear();
  txtdata_[1]->clear();
  txtScadenze_->clear();
  lnotes_->setEnabled(true);
  lnotes_->clearSelection();
  lnotes_->setCurrentRow(-1);
  lblInfo_->clear();
  editMode_ = Idle;
  editing_ = -1;
  cmdNote_[cmdNuova]->setEnabled(true);
  cmdNote_[cmdNuova]->setText(QStringLiteral("Nuova nota"));
  cmdNote_[cmdModifica]->setEnabled(false);
  cmdNote_[cmdModifica]->setText(QStringLiteral("Modifica"));
  cmdNote_[cmdCancella]->setEnabled(false);
  txtScadenze_->setMaxLength(kMaxTypedNote);
  SetEditColours(false);
  if (readOnlyMode_) ShowReadOnly();
}

int frmNote::SelectedIndex() const {
  const QList<QListWidgetItem*> selected = lnotes_->selectedItems();
  return selected.isEmpty() ? -1 : lnotes_->row(selected.first());
}

void frmNote::OnSelection() {
  if (readOnlyMode_ || editMode_ != Idle || SelectedIndex() < 0) return;
  cmdNote_[cmdCancella]->setEnabled(true);
  cmdNote_[cmdModifica]->setEnabled(true);
  cmdNote_[cmdNuova]->setEnabled(false);
  lblInfo_->setText(QStringLiteral("Cancella o modifica la nota selezionata"));
}

void frmNote::OnButton(int index) {
  if (readOnlyMode_) return;
  // "Nuova nota" and "Modifica" read "Salva" while their note is written.
  const bool save = (index == cmdNuova && editMode_ == NewNote) ||
                    (index == cmdModifica && editMode_ == ModifyNote);
  if (save) {
    if (SaveNote()) ResetEditor();
  } else if (index == cmdNuova && editMode_ == Idle) {
    StartNewNote();
  } else if (index == cmdModifica && editMode_ == Idle) {
    StartModifyNote();
  } else if (index == cmdCancella && editMode_ == Idle) {
    AskDeleteNote();
  } else if (index == cmdAnnulla) {
    ResetEditor();
  }
}

void frmNote::StartNewNote() {
  lnotes_->clearSelection();
  lnotes_->setCurrentRow(-1);
  editMode_ = NewNote;
  cmdNote_[cmdNuova]->setText(QStringLiteral("Salva"));
  cmdNote_[cmdModifica]->setEnabled(false);
  cmdNote_[cmdCancella]->setEnabled(false);
  lblInfo_->setText(
      QStringLiteral("Scrivi la data (solo giorno e mese) e la nuova nota (max %1 caratteri)")
          .arg(kMaxTypedNote));
  SetEditColours(true);
  lnotes_->setEnabled(false);
  txtdata_[0]->setFocus();
}

// The selected note into the fields.
void frmNote::StartModifyNote() {
  const int selected = SelectedIndex();
  if (selected < 0) return;
  const ListedNote& note = notes_.Notes()[static_cast<std::size_t>(selected)];
  const CivilDate date = DateOf(note.day);
  editMode_ = ModifyNote;
  editing_ = selected;
  SetEditColours(true);
  txtdata_[0]->setText(QStringLiteral("%1").arg(date.Day, 2, 10, QLatin1Char('0')));
  txtdata_[1]->setText(QStringLiteral("%1").arg(date.Month, 2, 10, QLatin1Char('0')));
  const QString text = FromUtf8(note.text).trimmed();
  txtScadenze_->setMaxLength(std::max(kMaxTypedNote, static_cast<int>(text.size())));
  txtScadenze_->setText(text);
  lnotes_->setEnabled(false);
  lblInfo_->setText(
      QStringLiteral("Modifica la data (solo giorno e/o mese) e/o la nota selezionata"));
  cmdNote_[cmdModifica]->setText(QStringLiteral("Salva"));
  cmdNote_[cmdCancella]->setEnabled(false);
  txtdata_[0]->setFocus();
}

void frmNote::AskDeleteNote() {
  const QMessageBox::StandardButton answer =
      services_.message(this, QMessageBox::Warning, QStringLiteral("Orvanta"),
                        QStringLiteral("          ATTENZIONE!\nCancellare la nota evidenziata?"),
                        QMessageBox::Yes | QMessageBox::No);
  if (answer == QMessageBox::Yes) {
    editMode_ = Deleting;
    const NotesChangeResult removed = notes_.Remove(SelectedIndex());
    // The list shows what the file holds now, notes other windows added included.
    ShowNotes();
    if (!removed.Ok()) WarnNotWritten(removed);
  }
  ResetEditor();
}

void frmNote::Warn(const QString& text) {
  services_.Tell(this, QMessageBox::Warning, QStringLiteral("Attenzione!"), text);
}

// The date typed into the fields, when it exists in the editor's year.
std::optional<DayNumber> frmNote::TypedDate() const {
  bool dayOk = false;
  bool monthOk = false;
  bool yearOk = false;
  const int day = txtdata_[0]->text().toInt(&dayOk);
  const int month = txtdata_[1]->text().toInt(&monthOk);
  const int year = txtdata_[2]->text().toInt(&yearOk);
  if (!dayOk || !monthOk || !yearOk) return std::nullopt;
  return MakeDayNumber(year, month, day);
}

bool frmNote::Refuse(NoteRefusal refusal) {
  if (refusal == NoteRefusal::Incomplete) {
    Warn(QStringLiteral("Dati incompleti!"));
    txtScadenze_->setFocus();
    return false;
  }
  Warn(refusal == NoteRefusal::InvalidDate ? QStringLiteral("Data non valida")
                                           : QStringLiteral("Data già presente"));
  txtdata_[0]->clear();
  txtdata_[1]->clear();
  txtdata_[0]->setFocus();
  return false;
}

bool frmNote::SaveNote() {
  const std::optional<DayNumber> date = TypedDate();
  const std::string text = ToUtf8(txtScadenze_->text());
  const int editing = editMode_ == ModifyNote ? editing_ : -1;
  if (const NoteRefusal refusal = notes_.Check(date, text, editing); refusal != NoteRefusal::None)
    return Refuse(refusal);
  const NotesChangeResult written = notes_.Save(*date, text, editing);
  // The list shows what the file holds now.
  ShowNotes();
  // Another program wrote a note on that day meanwhile: the user decides again.
  if (written.change == NotesChange::DateTaken) return Refuse(NoteRefusal::DateTaken);
  // The typed note stays in the fields, so nothing the user wrote is lost.
  if (!written.Ok()) WarnNotWritten(written);
  return written.Ok();
}

void frmNote::WarnNotWritten(const NotesChangeResult& result) {
  QString why;
  switch (result.change) {
    case NotesChange::NoteGone:
      why = QStringLiteral(
          "La nota è stata cambiata o cancellata da un altro programma: "
          "l'elenco mostra le note come sono ora.");
      break;
    case NotesChange::Full:
      why = QStringLiteral("Il calendario stampa al massimo %1 note.").arg(kMaxNotes);
      break;
    default:
      why = FromUtf8(result.file.Describe());
      break;
  }
  Warn(QStringLiteral("Attenzione: impossibile scrivere il file delle note.\n") +
       QStringLiteral("La modifica non è stata salvata.") +
       (why.isEmpty() ? QString() : "\n" + why));
}

void frmNote::OnDateChanged(int field) {
  QLineEdit* edit = txtdata_[field];
  const QString text = edit->text();
  if (text == lastDateText_[field]) return;
  lastDateText_[field] = text;
  if (DateFieldRejects(ToUtf8(text), field == 0 ? DateField::Day : DateField::Month)) {
    if (!text.isEmpty()) {
      const QSignalBlocker blocker(edit);
      edit->clear();
      lastDateText_[field].clear();
    }
    services_.beep();
    return;
  }
  // Two digits typed: on to the next field.
  if (text.size() == 2 && edit->hasFocus()) {
    if (field == 0) {
      txtdata_[1]->setFocus();
    } else {
      txtScadenze_->setFocus();
    }
  }
}

void frmNote::OnNoteEdited(const QString& text) {
  const QString safe = FromUtf8(CleanTypedNote(ToUtf8(text)));
  if (safe != text) {
    const int cursor = txtScadenze_->cursorPosition();
    txtScadenze_->setText(safe);
    txtScadenze_->setCursorPosition(cursor);
  }
  // A long note shortened by the user does not grow back beyond the limit.
  txtScadenze_->setMaxLength(std::max(kMaxTypedNote, static_cast<int>(safe.size())));
}

bool frmNote::eventFilter(QObject* watched, QEvent* event) {
  const bool isDateField = watched == txtdata_[0] || watched == txtdata_[1];
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape:
        return false;  // focus moves and the default and cancel buttons go on
      default:
        break;
    }
    if (editMode_ == Idle) return true;
    if (!isDateField) return false;
    if (key->key() == Qt::Key_Backspace) return false;
    const QString typed = key->text();
    if (typed.size() == 1 && typed[0] >= QLatin1Char('0') && typed[0] <= QLatin1Char('9'))
      return false;
    return !typed.isEmpty() || key->matches(QKeySequence::Paste);
  }
  if (isDateField && event->type() == QEvent::FocusIn) {
    auto* edit = static_cast<QLineEdit*>(watched);
    if (edit == txtdata_[1] && txtdata_[0]->text().size() == 1)
      txtdata_[0]->setText(QLatin1Char('0') + txtdata_[0]->text());
    QTimer::singleShot(0, edit, &QLineEdit::selectAll);
  }
  if (watched == txtdata_[1] && event->type() == QEvent::FocusOut &&
      txtdata_[1]->text().size() == 1)
    txtdata_[1]->setText(QLatin1Char('0') + txtdata_[1]->text());
  return QDialog::eventFilter(watched, event);
}

void frmNote::keyPressEvent(QKeyEvent* event) {
  // Esc is the "Annulla" button, not a way to close the window.
  if (event->key() == Qt::Key_Escape) {
    if (cmdNote_[cmdAnnulla]->isEnabled()) cmdNote_[cmdAnnulla]->click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace orvanta
