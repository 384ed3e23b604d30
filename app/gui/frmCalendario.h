#pragma once
// The main window "Orvanta": the year, the print options, the custom header
// and footer, the notes, and the button that makes the calendar.

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/core/run/TextColourChoices.h"
#include "app/gui/GuiServices.h"
#include "calendar/CalendarOptions.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace orvanta {

class BusyPanel;
class frmInputBox;

inline constexpr char kDonationPage[] = "https://www.example.org/orvanta/dona";

class frmCalendario : public QWidget {
  Q_OBJECT
 public:
  // The load sequence runs here, except the viewer probe (DetectViewer), which
  // runs once the window is visible.
  explicit frmCalendario(GuiServices services, QWidget* parent = nullptr);
  ~frmCalendario() override;

  // Writes the probe and remembers the name of the program that opens PDFs.
  void DetectViewer();
  // The create button's sequence; a call while a run is in progress does nothing.
  void CreateCalendar();

  const CalendarOptions& Options() const { return options_; }
  int32_t RememberedTextColor() const { return rememberedTextColor_; }
  const QString& ViewerProgramName() const { return viewerProgramName_; }
  bool Running() const { return running_; }
  GuiServices& Services() { return services_; }
  BusyPanel* BusyPicture() const { return picPrint_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct OptionBox {
    QCheckBox* box;
    bool CalendarOptions::*field;
  };

  void BuildWindow();
  void BuildYearRow(QVBoxLayout* layout);
  void BuildColourRows(QVBoxLayout* layout);
  void BuildCustomGrid(QVBoxLayout* layout);
  void BuildCustomLine(QGridLayout* grid, int line, const QString& caption,
                       const QString& labelName, const QString& optionName);
  void AddInfoButton(QGridLayout* grid, int line);
  void BuildOptionBoxes(QVBoxLayout* layout);
  QCheckBox* OptionBoxOf(bool CalendarOptions::*field) const;
  void BuildDonationRow(QVBoxLayout* layout);
  void BuildButtonRow(QVBoxLayout* layout);
  void RefreshNotesOption();
  void OnSelectAll(bool ticked);
  void OnPrintColor(bool ticked);
  void OnTextColor(int32_t colour);
  void OnCustomOption(int line, int index);
  void OnCustomAction(int line);
  void ChooseCustomPicture(int line, const std::string& earlier,
                           const std::vector<std::string>& earlierMonths);
  void BuildCoverRow(QVBoxLayout* layout);
  void ChooseCover();
  void OnInfoCustom(int index);
  void OpenNotesEditor();
  void OpenAbout();
  void CleanUp();
  void PlaceBusyPanel();
  CalendarJob MakeJob();
  void ShowOutcome(const JobResult& outcome);

  GuiServices services_;
  CalendarOptions options_;
  int32_t rememberedTextColor_ = 0;
  QString viewerProgramName_;
  bool running_ = false;
  bool closeAfterRun_ = false;
  bool cleanedUp_ = false;
  std::unique_ptr<frmInputBox> inputBox_;
  // Pictures checked when chosen, placed by the run as they were prepared.
  PicturePreparer pictures_;

  QWidget* controls_ = nullptr;  // everything a run must not let change
  QComboBox* cboAnno_ = nullptr;
  QCheckBox* chkPrintColor_ = nullptr;
  std::array<QRadioButton*, std::size(kTextColourChoices)> optTextColor_{};
  std::array<std::array<QRadioButton*, 2>, 2> optCustom_{};  // [line][Immagine, Testo]
  std::array<QPushButton*, 2> cmdCustom_{};
  std::array<QPushButton*, 3> cmdInfoCustom_{};
  QPushButton* cmdNote_ = nullptr;
  QPushButton* cmdCover_ = nullptr;
  QCheckBox* chkAllSelect_ = nullptr;
  QCheckBox* chkNotePersonali_ = nullptr;
  QCheckBox* chkTurno_ = nullptr;
  std::vector<QCheckBox*> checkBoxesInOrder_;  // the window's control order
  std::vector<OptionBox> optionBoxes_;
  QLabel* imgPayPal_ = nullptr;
  QPushButton* cmdCrea_ = nullptr;
  BusyPanel* picPrint_ = nullptr;
};

}  // namespace orvanta
