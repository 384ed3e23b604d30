// The main window driven through its real controls: defaults, interlocks,
// header and footer, the notes row, a real calendar run and the clean-up.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "GuiTestSupport.h"
#include "app/gui/BusyPanel.h"
#include "app/gui/frmCalendario.h"
#include "app/gui/frmInputBox.h"
#include "app/gui/frmNote.h"
#include "pdf/PdfError.h"

using namespace orvanta;
using namespace orvanta::test;

namespace {

const char* const kOptionBoxes[] = {"chkPrintMese_P_S", "chkProgressivi",  "chkTesto3D",
                                    "chkZodiaco",       "chkFasiSoleLuna", "chkIcone",
                                    "chkChiesa",        "chkNote"};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestServices> t_;
  std::unique_ptr<frmCalendario> window_;

  void Open() {
    window_ = std::make_unique<frmCalendario>(t_->services);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  template <typename T = QWidget>
  T* Control(const char* name) const {
    T* control = window_->findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }
  QCheckBox* Box(const char* name) const { return Control<QCheckBox>(name); }
  // Check boxes and option buttons are clicked on their indicator (a wide
  // box does not react to a click beyond its caption).
  void Click(const char* name) {
    QWidget* control = Control(name);
    const bool indicator = qobject_cast<QCheckBox*>(control) != nullptr ||
                           qobject_cast<QRadioButton*>(control) != nullptr;
    QTest::mouseClick(control, Qt::LeftButton, {},
                      indicator ? QPoint(8, control->height() / 2) : control->rect().center());
  }
  const CalendarOptions& Options() const { return window_->Options(); }

 private slots:
  void init() { t_ = std::make_unique<TestServices>(); }
  void cleanup() {
    window_.reset();
    t_.reset();
  }

  void defaultsWithoutShiftAndNotesFiles() {
    Open();
    QCOMPARE(window_->windowTitle(), QStringLiteral("Orvanta"));
    auto* years = Control<QComboBox>("cboAnno");
    QCOMPARE(years->count(), 114);
    QCOMPARE(years->itemText(0), QStringLiteral("1900"));
    QCOMPARE(years->currentText(), QStringLiteral("2013"));
    QVERIFY(Box("chkPrintColor")->isChecked());
    QVERIFY(Box("chkAllSelect")->isChecked());
    for (const char* name : kOptionBoxes) QVERIFY2(Box(name)->isChecked(), name);
    for (const char* name : {"chkNotePersonali", "chkTurno"}) {
      QVERIFY2(!Box(name)->isChecked(), name);
      QVERIFY2(!Box(name)->isEnabled(), name);
    }
    QVERIFY(Control<QRadioButton>("optTextColor0")->isChecked());
    QVERIFY(Control<QRadioButton>("optCustomTop0")->isChecked());
    QVERIFY(Control<QRadioButton>("optCustomDown0")->isChecked());
    QCOMPARE(Control<QPushButton>("cmdCustom0")->text(), QStringLiteral("Scegli"));
    QCOMPARE(Control<QPushButton>("cmdCustom1")->text(), QStringLiteral("Scegli"));

    const CalendarOptions& o = Options();
    QVERIFY(o.PrintColor && o.Chiesa && o.FasiSoleLuna && o.Icone && o.Note && o.PrintMese_P_S &&
            o.Progressivi && o.Testo3D && o.Zodiaco);
    QVERIFY(!o.NotePersonali);
    QVERIFY(!o.Turno);
    QCOMPARE(o.TextColor, 0);
    QVERIFY(o.CustomTopText.empty() && o.CustomTopImage.empty());

    // Captions as the window shows them, blanks included.
    QCOMPARE(Control<QRadioButton>("optTextColor0")->text(),
             QStringLiteral(" Testo: nero / rosso"));
    QCOMPARE(Box("chkZodiaco")->text(), QStringLiteral("Stampa  icone del periodo zodiacale"));
    QCOMPARE(Control<QPushButton>("cmdCrea")->text(), QStringLiteral("Crea calendario pdf"));
    QCOMPARE(Control<QPushButton>("cmdCrea")->toolTip(),
             QStringLiteral("Crea il file pdf con il calendario"));
    QCOMPARE(Control<QPushButton>("cmdNote")->toolTip(),
             QStringLiteral("Inserimento di note personali"));
    QVERIFY(Control<QLabel>("lblDonate")
                ->text()
                .startsWith(QStringLiteral(
                    "Questo  calendario ti  sarà  utile  per  un  anno  intero... \n")));
    QVERIFY(window_->BusyPicture()->isHidden());

    // The pointing hand on the clickable controls.
    for (const char* name : {"cboAnno", "chkPrintColor", "chkTurno", "optTextColor2",
                             "optCustomDown1", "cmdCrea", "cmdInfo", "imgPayPal"})
      QCOMPARE(Control(name)->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(Control("lblDonate")->cursor().shape(), Qt::ArrowCursor);
  }

  void shiftAndNotesFilesEnableTheirBoxes() {
    WriteBytes(t_->AppFile(QStringLiteral("Turno.txt")), "01/01/2013\r\nM\r\nP\r\n");
    WriteBytes(t_->AppFile(QStringLiteral("Notes.dat")), "40545,\"Uno\"\r\n");
    Open();
    for (const char* name : {"chkNotePersonali", "chkTurno"}) {
      QVERIFY2(Box(name)->isChecked(), name);
      QVERIFY2(Box(name)->isEnabled(), name);
    }
    QVERIFY(Options().NotePersonali);
    QVERIFY(Options().Turno);
    // A shift file spoilt while the window is open: the run prints no
    // shifts and the box says so.
    WriteBytes(t_->AppFile(QStringLiteral("Turno.txt")), "non è un turno\r\n");
    Click("cmdCrea");
    QVERIFY(!Options().Turno);
    QVERIFY(!Box("chkTurno")->isChecked());
  }

  void selectAllLeavesDisabledBoxesAndTheColourBox() {
    Open();
    Click("chkAllSelect");
    QVERIFY(!Box("chkAllSelect")->isChecked());
    for (const char* name : kOptionBoxes) QVERIFY2(!Box(name)->isChecked(), name);
    QVERIFY(Box("chkPrintColor")->isChecked());
    const CalendarOptions& o = Options();
    QVERIFY(!o.Chiesa && !o.FasiSoleLuna && !o.Icone && !o.Note && !o.PrintMese_P_S &&
            !o.Progressivi && !o.Testo3D && !o.Zodiaco);
    QVERIFY(o.PrintColor);

    Click("chkAllSelect");
    for (const char* name : kOptionBoxes) QVERIFY2(Box(name)->isChecked(), name);
    QVERIFY(!Box("chkTurno")->isChecked());
    QVERIFY(!Box("chkNotePersonali")->isChecked());
    QVERIFY(!Options().Turno);
    QVERIFY(o.Chiesa && o.Zodiaco);

    // A single box writes its own flag.
    Click("chkIcone");
    QVERIFY(!Options().Icone);
  }

  void colourInterlockRemembersTheChosenColour() {
    Open();
    Click("optTextColor1");
    QCOMPARE(Options().TextColor, 0xCD0000);
    QCOMPARE(window_->RememberedTextColor(), 0xCD0000);
    Click("chkPrintColor");
    QVERIFY(!Options().PrintColor);
    for (const char* name : {"optTextColor0", "optTextColor1", "optTextColor2"})
      QVERIFY2(!Control(name)->isEnabled(), name);
    Click("chkPrintColor");
    QVERIFY(Control("optTextColor1")->isEnabled());
    QCOMPARE(Options().TextColor, 0xCD0000);
    Click("optTextColor2");
    QCOMPARE(Options().TextColor, 0x00A900);
    Click("optTextColor0");
    QCOMPARE(Options().TextColor, 0);
  }

  void helpMessagesFollowTheChosenKind() {
    Open();
    const QString closing = QStringLiteral(
        "Per maggiori informazioni e/o suggerimenti in merito all'utilizzo di questa opzione, "
        "leggere la guida (pulsante ?) allegata al programma.");
    Click("cmdInfoCustom0");
    QStringList lines = t_->messages.last().text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[1], QStringLiteral("210 mm (L) per 25 mm (H)."));
    QCOMPARE(lines.last(), closing);
    QCOMPARE(t_->messages.last().title, QStringLiteral("Orvanta"));
    QCOMPARE(t_->messages.last().icon, QMessageBox::Information);
    Click("cmdInfoCustom1");
    QCOMPARE(t_->messages.last().text.split(QLatin1Char('\n'))[1],
             QStringLiteral("100 mm (L) per 12 mm (H)."));
    Click("optCustomDown1");
    Click("cmdInfoCustom1");
    lines = t_->messages.last().text.split(QLatin1Char('\n'));
    QCOMPARE(lines[0],
             QStringLiteral("La stringa (scritta) da stampare può contenere al massimo 30 "
                            "caratteri alfanumerici."));
    QCOMPARE(lines[1],
             QStringLiteral("I caratteri in eccedenza verranno eliminati automaticamente."));
    QCOMPARE(lines.size(), 3);
    Click("cmdInfoCustom2");
    QCOMPARE(t_->messages.last().text,
             QStringLiteral("Consente di memorizzare delle brevi note (anniversari, scadenze, "
                            "compleanni, ecc.) che verranno stampate ogni anno in corrispondenza "
                            "della data scelta.\n") +
                 closing);
  }

  // The tab key walks the rows as they stand, each row's help button last.
  void tabOrderFollowsTheRows() {
    Open();
    QStringList order;
    QWidget* widget = Control("cboAnno");
    do {
      if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isVisibleTo(window_.get()))
        order << widget->objectName();
      widget = widget->nextInFocusChain();
    } while (widget != Control("cboAnno"));
    const QStringList rows = {"cboAnno",        "chkPrintColor",  "optTextColor0",  "optTextColor1",
                              "optTextColor2",  "optCustomTop0",  "optCustomTop1",  "cmdCustom0",
                              "cmdInfoCustom0", "optCustomDown0", "optCustomDown1", "cmdCustom1",
                              "cmdInfoCustom1", "cmdNote",        "cmdInfoCustom2", "chkAllSelect"};
    QCOMPARE(order.mid(0, rows.size()), rows);
  }

  void headerPictureAndTextClearEachOther() {
    Open();
    t_->imageToChoose = QStringLiteral("/tmp/a.bmp");  // 10 characters
    Click("cmdCustom0");
    QCOMPARE(Options().CustomTopImage, std::string("/tmp/a.bmp"));
    t_->imageToChoose = QStringLiteral("/a.bmp");  // 6 characters: ignored
    Click("cmdCustom0");
    QVERIFY(Options().CustomTopImage.empty());
    t_->imageToChoose = QStringLiteral("/tmp/header.bmp");
    Click("cmdCustom0");
    Click("optCustomTop1");
    QVERIFY(Options().CustomTopImage.empty());
    QCOMPARE(Control<QPushButton>("cmdCustom0")->text(), QStringLiteral("Scrivi"));

    // The text through the input window, closed with "Salva e chiudi".
    t_->colourToChoose = QColor(255, 0, 0);
    WhenModal([](QWidget* modal) {
      QCOMPARE(modal->windowTitle(), QStringLiteral("Input"));
      QTest::mouseClick(modal->findChild<QPushButton*>("cmdColor"), Qt::LeftButton);
      QTest::keyClicks(modal->findChild<QLineEdit*>("txtInput"), QStringLiteral("  Casa Bianchi "));
      QTest::mouseClick(modal->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    });
    Click("cmdCustom0");
    QCOMPARE(Options().CustomTopText, std::string("Casa Bianchi"));
    QCOMPARE(Options().CustomTopColor, 0x0000FF);

    // The footer with colour printing off: "Colore" is disabled and a new
    // window starts from black.
    Click("chkPrintColor");
    Click("optCustomDown1");
    bool colourEnabled = true;
    WhenModal([&colourEnabled](QWidget* modal) {
      colourEnabled = modal->findChild<QPushButton*>("cmdColor")->isEnabled();
      QTest::keyClicks(modal->findChild<QLineEdit*>("txtInput"), QString(35, QLatin1Char('z')));
      modal->close();  // the close box keeps the window and its colour
    });
    Click("cmdCustom1");
    QVERIFY(!colourEnabled);
    QCOMPARE(Options().CustomDownText, std::string(30, 'z'));
    QCOMPARE(Options().CustomDownColor, 0);

    // Back to "Immagine": the text goes, the colour stays.
    Click("optCustomTop0");
    QVERIFY(Options().CustomTopText.empty());
    QCOMPARE(Options().CustomTopColor, 0x0000FF);
    QCOMPARE(Control<QPushButton>("cmdCustom0")->text(), QStringLiteral("Scegli"));
  }

  void closeBoxKeepsTheInputColourForTheNextOpening() {
    Open();
    Click("optCustomTop1");
    t_->colourToChoose = QColor(0, 0, 255);
    WhenModal([](QWidget* modal) {
      QTest::mouseClick(modal->findChild<QPushButton*>("cmdColor"), Qt::LeftButton);
      modal->close();
    });
    Click("cmdCustom0");
    QCOMPARE(Options().CustomTopColor, 0xFF0000);
    WhenModal([](QWidget* modal) {
      QTest::keyClicks(modal->findChild<QLineEdit*>("txtInput"), QStringLiteral("Blu"));
      QTest::mouseClick(modal->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    });
    Click("cmdCustom0");
    QCOMPARE(Options().CustomTopColor, 0xFF0000);  // carried over
    WhenModal([](QWidget* modal) { modal->close(); });
    Click("cmdCustom0");
    QCOMPARE(Options().CustomTopColor, 0);  // "Salva e chiudi" discarded it: black again
  }

  void firstNoteTicksThePersonalNotesBox() {
    Open();
    QVERIFY(!Box("chkNotePersonali")->isEnabled());
    bool mainHidden = false;
    WhenModal([this, &mainHidden](QWidget* modal) {
      mainHidden = !window_->isVisible();
      QCOMPARE(modal->windowTitle(), QStringLiteral("Gestione note"));
      QTest::mouseClick(modal->findChild<QPushButton*>("cmdNote0"), Qt::LeftButton);
      QTest::keyClicks(modal->findChild<QLineEdit*>("txtdata0"), QStringLiteral("15"));
      QTest::keyClicks(modal->findChild<QLineEdit*>("txtdata1"), QStringLiteral("03"));
      QTest::keyClicks(modal->findChild<QLineEdit*>("txtScadenze"), QStringLiteral("Idi"));
      QTest::mouseClick(modal->findChild<QPushButton*>("cmdNote0"), Qt::LeftButton);
      QTest::mouseClick(modal->findChild<QPushButton*>("cmdChiudi"), Qt::LeftButton);
    });
    Click("cmdNote");
    QVERIFY(mainHidden);
    QVERIFY(window_->isVisible());
    QVERIFY(Box("chkNotePersonali")->isChecked());
    QVERIFY(Box("chkNotePersonali")->isEnabled());
    QVERIFY(Options().NotePersonali);

    // Unticked by the user, ticked again when the editor closes.
    Click("chkNotePersonali");
    QVERIFY(!Options().NotePersonali);
    WhenModal([](QWidget* modal) { modal->close(); });
    Click("cmdNote");
    QVERIFY(Box("chkNotePersonali")->isChecked());
  }

  void createWritesAValidCalendarAndOpensIt() {
    WriteBytes(t_->AppFile(QStringLiteral("Notes.dat")), "40617,\"Anniversario\"\r\n");
    bool busyShown = false;
    bool controlsLocked = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    t_->services.waitSeconds = [&](int, bool) {
      busyShown = window_->BusyPicture()->isVisible();
      controlsLocked = !Control("cmdCrea")->isEnabled() && !Control("chkIcone")->isEnabled();
      cursor = QApplication::overrideCursor() != nullptr ? QApplication::overrideCursor()->shape()
                                                         : Qt::ArrowCursor;
      const int phase = window_->BusyPicture()->Animation()->Phase();
      QTest::qWait(300);
      QVERIFY(window_->BusyPicture()->Animation()->Phase() != phase);  // the printer moves
    };
    Open();
    Control<QComboBox>("cboAnno")->setCurrentText(QStringLiteral("2012"));
    Click("cmdCrea");

    QVERIFY(busyShown);
    QVERIFY(controlsLocked);
    QCOMPARE(cursor, Qt::WaitCursor);
    QCOMPARE(t_->composeCalls, 1);
    const QString calendar = t_->TempFile(QStringLiteral("Orvanta.pdf"));
    QVERIFY(QFile::exists(calendar));
    QCOMPARE(QpdfCheck(calendar), 0);
    QCOMPARE(t_->opened, QList<QUrl>{QUrl::fromLocalFile(calendar)});
    // The run's pictures went into a folder of the run, removed with it.
    QVERIFY(QDir(t_->appDir.path()).entryList({QStringLiteral("*OV.bmp")}).isEmpty());
    QCOMPARE(QDir(t_->services.tempFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(window_->BusyPicture()->isHidden());
    QVERIFY(Control("cmdCrea")->isEnabled());
    QVERIFY(Control("chkIcone")->isEnabled());
    QVERIFY(!Control("chkTurno")->isEnabled());  // still disabled: no shift file
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(t_->messages.isEmpty());
  }

  void doubleClickStartsOnlyOneRunAndOptionsStayLocked() {
    Open();
    QWidget* create = Control("cmdCrea");
    const QPoint centre = create->rect().center();
    const QPoint global = create->mapToGlobal(centre);
    // The four events of a double click arrive before the first run ends.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
      QCoreApplication::postEvent(
          create,
          new QMouseEvent(type, centre, global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier));
    // During the run: a further click and an option change are refused.
    bool optionUnchanged = false;
    QTimer::singleShot(50, this, [&] {
      QVERIFY(window_->Running());
      QTest::mouseClick(create, Qt::LeftButton);
      window_->CreateCalendar();
      Click("chkZodiaco");
      optionUnchanged = Box("chkZodiaco")->isChecked() && Options().Zodiaco;
    });
    QTRY_VERIFY_WITH_TIMEOUT(t_->composeCalls == 1 && !window_->Running(), 60000);
    QTest::qWait(200);
    QCOMPARE(t_->composeCalls, 1);
    QCOMPARE(t_->opened.size(), 1);
    QVERIFY(optionUnchanged);
  }

  void closingDuringARunWaitsForItsEnd() {
    t_->services.waitSeconds = [this](int, bool) {
      window_->close();
      QVERIFY(window_->isVisible());  // not while the run uses the pictures
    };
    Open();
    Click("cmdCrea");
    QCOMPARE(t_->composeCalls, 1);
    QVERIFY(!window_->isVisible());
    QVERIFY(QDir(t_->appDir.path()).entryList({QStringLiteral("*OV.bmp")}).isEmpty());
    QCOMPARE(QpdfCheck(t_->TempFile(QStringLiteral("Orvanta.pdf"))), 0);
  }

  void aFailedRunIsReportedAndOpensNothing() {
    t_->services.runCalendar = [](const CalendarJob&) {
      JobResult failed;
      failed.detail = "Impossibile scrivere il file";
      return failed;
    };
    Open();
    Click("cmdCrea");
    QCOMPARE(t_->messages.size(), 1);
    QCOMPARE(t_->messages[0].title, QStringLiteral("Orvanta"));
    QCOMPARE(t_->messages[0].icon, QMessageBox::Critical);
    QVERIFY(t_->messages[0].text.contains(QStringLiteral("Impossibile scrivere il file")));
    QVERIFY(t_->opened.isEmpty());
    QVERIFY(Control("cmdCrea")->isEnabled());
    QVERIFY(!window_->Running());
  }

  void guideDonationAndAboutUseTheShell() {
    Open();
    Click("cmdHelpPrintTurno");
    const QString guide = t_->TempFile(QStringLiteral("Turno_Guida.htm"));
    QCOMPARE(t_->opened, QList<QUrl>{QUrl::fromLocalFile(guide)});
    QVERIFY(QFile(guide).size() > 0);
    Click("imgPayPal");
    QCOMPARE(t_->opened.last(), QUrl(QString::fromUtf8(kDonationPage)));
    WhenModal([](QWidget* modal) {
      QCOMPARE(modal->windowTitle(), QStringLiteral("Informazioni su..."));
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    Click("cmdInfo");
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // A guide that cannot be written is reported.
    t_->services.tempFolder = t_->TempFile(QStringLiteral("missing/"));
    window_ = std::make_unique<frmCalendario>(t_->services);
    window_->show();
    Click("cmdHelpPrintTurno");
    QCOMPARE(t_->messages.last().text, QStringLiteral("Impossibile visualizzare le informazioni."));
    QCOMPARE(t_->messages.last().icon, QMessageBox::Critical);
  }

  void closingCleansUpAndEndsOnlyOurViewer() {
    t_->services.findAssociatedProgram = [](const QString&) {
      return QStringLiteral("/usr/lib/viewer/FastViewer");
    };
    Open();
    window_->DetectViewer();
    QCOMPARE(window_->ViewerProgramName(), QStringLiteral("FastViewer"));
    for (const char* name : {"1OV.bmp", "25OV.bmp", "MyOV.bmp"})
      WriteBytes(t_->AppFile(QString::fromLatin1(name)), "BM");
    WriteBytes(t_->AppFile(QStringLiteral("Keep.bmp")), "BM");
    WriteBytes(t_->TempFile(QStringLiteral("Turno_Guida.htm")), "<html>");
    QWidget other;
    other.show();
    window_->close();
    QCOMPARE(t_->terminated.size(), 1);
    QCOMPARE(t_->terminated[0], (QStringList{QStringLiteral("FastViewer"),
                                             t_->TempFile(QStringLiteral("Orvanta.pdf"))}));
    // Pictures never go into the program's folder, so nothing is deleted
    // there: files of the user's that end in "OV.bmp" stay.
    QCOMPARE(QDir(t_->appDir.path()).entryList(QDir::Files).size(), 4);
    QVERIFY(!QFile::exists(t_->TempFile(QStringLiteral("Turno_Guida.htm"))));
    QVERIFY(!other.isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
