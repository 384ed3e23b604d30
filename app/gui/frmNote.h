#pragma once
// "Gestione note": lists, adds, changes and deletes the personal notes; every
// change is written to the notes file at once.

#include <QDialog>
#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/core/notes/NotesEditing.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvanta {

struct GuiServices;

class frmNote : public QDialog {
  Q_OBJECT
 public:
  enum Mode { Idle = 0, NewNote = 1, ModifyNote = 2, Deleting = 3 };
  enum Button { cmdNuova = 0, cmdModifica = 1, cmdCancella = 2, cmdAnnulla = 3 };

  explicit frmNote(const GuiServices& services, QWidget* owner = nullptr);

  int EditMode() const { return editMode_; }
  bool ReadOnlyMode() const { return readOnlyMode_; }
  // "DayNumber  text" of each listed note, in list order.
  QStringList HiddenList() const;
  // Lines of the file that could not be read; every rewrite keeps them.
  int UnreadableLineCount() const {
    return static_cast<int>(notes_.AsRead().unreadableLines.size());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LoadNotesList();
  void ShowNotes();
  void FillLists();
  void ShowFileProblems();
  void ShowReadOnly();
  void ShowPendingWarning();
  void SetEditColours(bool on);
  void ResetEditor();
  void OnSelection();
  void BuildDateField();
  void BuildNoteFields();
  void BuildButtons();
  void StyleInfoLabels();
  void BuildLayout();
  void ConnectFields();
  void OnButton(int index);
  void StartNewNote();
  void StartModifyNote();
  void AskDeleteNote();
  std::optional<DayNumber> TypedDate() const;
  bool Refuse(NoteRefusal refusal);
  bool SaveNote();
  void WarnNotWritten(const NotesChangeResult& result);
  int SelectedIndex() const;
  void ShowCount();
  void OnDateChanged(int field);
  void OnNoteEdited(const QString& text);
  void Warn(const QString& text);

  const GuiServices& services_;
  std::string notesPath_;
  int editMode_ = Idle;
  bool readOnlyMode_ = false;
  bool unreadableWarned_ = false;
  bool readFailureWarned_ = false;
  QString pendingWarning_;  // shown once the window is on screen
  NotesEditing notes_;      // the list, its rules and the file
  int editing_ = -1;        // the note under "Modifica"
  std::array<QString, 2> lastDateText_;

  std::array<QLineEdit*, 3> txtdata_{};
  QLineEdit* txmask_;
  QFrame* picData_;
  std::array<QLabel*, 2> lblSeparatore_{};
  QLineEdit* txtScadenze_;
  QListWidget* lnotes_;
  std::array<QPushButton*, 4> cmdNote_{};
  QPushButton* cmdChiudi_;
  QLabel* lblInfo_;
  QLabel* lblNumNote_;
  QLabel* lblUnreadable_;
};

}  // namespace orvanta
