#pragma once
// "Gestione note": lists, adds, changes and deletes the personal notes; every
// change is written to the notes file at once.

#include <QDialog>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

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
  const QStringList& HiddenList() const { return hiddenList_; }
  // Lines of the file that could not be read; every rewrite keeps them.
  int UnreadableLineCount() const { return static_cast<int>(keptLines_.size()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LoadNotesList();
  void SetEditColours(bool on);
  void ResetEditor();
  void OnSelection();
  void OnButton(int index);
  bool SaveNote();
  void RemoveSelectedNote();
  void WriteRemainingNotes(bool withNewNote, int newDay, const QString& newText);
  int SelectedIndex() const;
  void ShowCount();
  void OnDateChanged(int field);
  void OnDateEdited(int field);
  void OnNoteEdited(const QString& text);
  void Warn(const QString& text);

  const GuiServices& services_;
  std::string notesPath_;
  int editMode_ = Idle;
  bool readOnlyMode_ = false;
  bool unreadableWarned_ = false;
  QStringList hiddenList_;  // the hidden list: "DayNumber  text", sorted
  std::vector<std::string> keptLines_;
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
