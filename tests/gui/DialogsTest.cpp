// The input window, the about window, the start-up checks, and Qt's own
// dialogs as the program opens them.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QUrlQuery>
#include <memory>

#include <unistd.h>

#include "GuiTestSupport.h"
#include "app/gui/PrintableText.h"
#include "app/gui/SingleInstance.h"
#include "app/gui/StartUp.h"
#include "app/gui/frmAbout.h"
#include "app/gui/frmCalendario.h"
#include "app/gui/frmInputBox.h"
#include "app/gui/frmNote.h"
#include "base/Version.h"

using namespace orvanta;
using namespace orvanta::test;

namespace {

// The texts a dialog shows: its title, labels and buttons.
QStringList Texts(QWidget* dialog) {
  QStringList texts{dialog->windowTitle()};
  for (const QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
  for (const QPushButton* button : dialog->findChildren<QPushButton*>()) texts << button->text();
  return texts;
}

// scripts/screenshots runs these tests on a virtual X screen with
// ORVANTA_DIALOG_SHOTS set to a folder: each of Qt's dialogs is then taken
// there, whole screen, as <name>.png.
void TakeScreen(const QString& name) {
  const QString folder = qEnvironmentVariable("ORVANTA_DIALOG_SHOTS");
  if (folder.isEmpty()) return;
  QTest::qWait(300);
  QProcess::execute(QStringLiteral("import"),
                    {QStringLiteral("-window"), QStringLiteral("root"),
                     QDir(folder).filePath(name + QStringLiteral(".png"))});
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestServices> t_;

 private slots:
  void init() { t_ = std::make_unique<TestServices>(); }
  void cleanup() { t_.reset(); }

  void inputBoxStopsAtTheLimitAndCounts() {
    frmInputBox box(t_->services);
    box.Prepare(0, true);
    box.show();
    auto* input = box.findChild<QLineEdit*>("txtInput");
    auto* counter = box.findChild<QLabel*>("lblNumCaratteri");
    QCOMPARE(box.windowTitle(), QStringLiteral("Input"));
    QCOMPARE(box.findChild<QLabel*>("lblInfo")->text(),
             QStringLiteral("Scrivi una breve intestazione (max 40 caratteri) da stampare nella "
                            "parte superiore del calendario"));
    QCOMPARE(counter->text(), QStringLiteral("0 - 40"));
    QTest::keyClicks(input, QStringLiteral("Dodici lette"));
    QCOMPARE(counter->text(), QStringLiteral("12 - 28"));
    QTest::keyClicks(input, QString(33, QLatin1Char('x')));
    QCOMPARE(input->text().size(), 40);
    QCOMPARE(counter->text(), QStringLiteral("40 - 0"));
    // The counter counts what the calendar prints: an emoji, refused, not at all.
    input->backspace();
    input->backspace();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    TypeCharacters(input, QStringLiteral("\U0001F600"));
    QCOMPARE(QToolTip::text(), QStringLiteral("Carattere «\U0001F600» (U+1F600) non accettato: il "
                                              "calendario non può stamparlo."));
    QCOMPARE(counter->text(), QStringLiteral("38 - 2"));

    box.Prepare(1, true);  // the footer, and the text starts empty again
    QCOMPARE(input->text(), QString());
    QCOMPARE(counter->text(), QStringLiteral("0 - 30"));
    QTest::keyClicks(input, QString(45, QLatin1Char('y')));
    QCOMPARE(counter->text(), QStringLiteral("30 - 0"));
    QCOMPARE(box.InputLimit(), 30);
    QVERIFY(box.findChild<QLabel*>("lblInfo")->text().contains(QStringLiteral("inferiore")));

    // A footer "Łódź" keeps what can be printed; a pasted accent apart from
    // its letter joins it, a line break becomes a blank.
    input->clear();
    TypeCharacters(input, QStringLiteral("\u0141\u00F3d\u017A"));
    input->insert(QStringLiteral("e\u0301\n"));
    QCOMPARE(input->text(), QStringLiteral("\u00F3d\u00E9 "));
    QCOMPARE(QToolTip::text(), RefusedCharacterTip(U'\u017A'));
    TakeScreen(QStringLiteral("carattere-rifiutato"));
    input->insert(QStringLiteral("\a"));
    QCOMPARE(QToolTip::text(), QStringLiteral("Carattere (U+0007) non accettato: il calendario "
                                              "non può stamparlo."));

    box.Prepare(0, true);
    QTest::keyClicks(input, QStringLiteral("   Famiglia Rossi  "));
    QCOMPARE(box.ResultText(), QStringLiteral("Famiglia Rossi"));
    QTest::mouseClick(box.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    QVERIFY(box.ClosedBySave());
    QVERIFY(!box.isVisible());
  }

  void colourButtonFollowsColourPrintingAndCancelKeepsTheColour() {
    frmInputBox box(t_->services);
    box.Prepare(0, false);
    auto* colour = box.findChild<QPushButton*>("cmdColor");
    QCOMPARE(colour->text(), QStringLiteral("Colore"));
    QVERIFY(!colour->isEnabled());
    QCOMPARE(box.InputColor(), 0);
    box.Prepare(0, true);
    QVERIFY(colour->isEnabled());
    t_->colourToChoose = QColor(10, 20, 30);
    QTest::mouseClick(colour, Qt::LeftButton);
    QCOMPARE(box.InputColor(), 0x1E140A);  // 0x00BBGGRR
    QCOMPARE(t_->colourDialogStart, QColor(Qt::black));
    t_->colourToChoose.reset();  // cancelled
    QTest::mouseClick(colour, Qt::LeftButton);
    QCOMPARE(box.InputColor(), 0x1E140A);
  }

  void aboutShowsItsTextsAndFollowsLinks() {
    frmAbout about(t_->services);
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su..."));
    QCOMPARE(about.findChild<QLabel*>("lblVersione")->text(),
             QStringLiteral("Versione ") + QLatin1String(kVersion));
    QCOMPARE(about.findChild<QLabel*>("Label1")->text(),
             QStringLiteral("Programma per la creazione e la stampa di calendari"));
    QVERIFY(about.findChild<QLabel*>("Label5")->text().startsWith(
        QStringLiteral("N.B. il programma, per poter funzionare")));
    QCOMPARE(about.findChild<QLabel*>("Label7")->text(),
             QStringLiteral("Per aggiornamenti al programma visita il sito :"));
    QCOMPARE(about.findChild<QLabel*>("lblMySite")->toolTip(),
             QStringLiteral("Home page personale"));
    QCOMPARE(about.findChild<QLabel*>("lblEmail")->toolTip(), QStringLiteral("e-mail"));
    QCOMPARE(about.findChild<QLabel*>("lblMySite")->cursor().shape(), Qt::PointingHandCursor);

    const QUrl mail = about.MailLink();
    QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    QCOMPARE(QUrlQuery(mail).queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded),
             QStringLiteral("Orvanta - Versione %1  (2011)").arg(QLatin1String(kVersion)));

    QTest::mouseClick(about.findChild<QLabel*>("lblEmail"), Qt::LeftButton);
    QCOMPARE(t_->opened, QList<QUrl>{mail});
    QVERIFY(!about.isVisible());  // following a link closes the window

    about.show();
    QTest::mouseClick(about.findChild<QLabel*>("imgsito"), Qt::LeftButton);
    QCOMPARE(t_->opened.last(), QUrl(QString::fromUtf8(kFurtherSite)));
    about.show();
    QTest::mouseClick(about.findChild<QLabel*>("lblMySite"), Qt::LeftButton);
    QCOMPARE(t_->opened.last(), QUrl(QString::fromUtf8(kMakerSite)));

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
  }

  // Qt's colour dialog, file chooser and the Yes/No of the delete question
  // read Italian (the system's language here is not), and none of them
  // leaves anything in the user's configuration folders.
  void qtDialogsReadItalianAndStoreNothing() {
    const GuiServices real = DefaultGuiServices();

    frmInputBox box(t_->services);
    t_->services.chooseColor = real.chooseColor;
    box.Prepare(0, true);
    box.show();
    QStringList colour;
    WhenModal([&colour](QWidget* dialog) {
      TakeScreen(QStringLiteral("dialogo-colore"));
      colour = Texts(dialog);
      qobject_cast<QDialog*>(dialog)->reject();
    });
    QTest::mouseClick(box.findChild<QPushButton*>("cmdColor"), Qt::LeftButton);
    for (const char* text : {"Seleziona colore", "Colori di &base", "&Colori personalizzati",
                             "&Aggiungi ai colori personalizzati", "Annulla"})
      QVERIFY2(colour.contains(QString::fromUtf8(text)), text);
    QCOMPARE(box.InputColor(), 0);

    QStringList file;
    WhenModal([&file](QWidget* dialog) {
      TakeScreen(QStringLiteral("dialogo-bitmap"));
      file = Texts(dialog);
      qobject_cast<QDialog*>(dialog)->reject();
    });
    QCOMPARE(real.chooseImageFile(nullptr), QString());
    for (const char* text : {"Scegli l'immagine da utilizzare",
                             "Cerca in:", "&Nome del file:", "File di tipo:", "&Apri", "Annulla"})
      QVERIFY2(file.contains(QString::fromUtf8(text)), text);
    // The kind of a folder in its list.
    QCOMPARE(
        QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
        QStringLiteral("Cartella"));

    WriteBytes(t_->AppFile(QStringLiteral("Notes.dat")), "40545,\"Uno\"\r\n");
    t_->services.message = real.message;
    frmNote notes(t_->services);
    notes.show();
    auto* list = notes.findChild<QListWidget*>("Lnotes");
    list->setCurrentRow(0);
    QStringList question;
    WhenModal([&question](QWidget* dialog) {
      TakeScreen(QStringLiteral("domanda-cancella"));
      question = Texts(dialog);
      const auto buttons = dialog->findChild<QDialogButtonBox*>()->buttons();
      for (QAbstractButton* button : buttons)
        if (button->text() == QStringLiteral("&No")) button->click();
    });
    QTest::mouseClick(notes.findChild<QPushButton*>("cmdNote2"), Qt::LeftButton);
    QVERIFY2(question.contains(QString::fromUtf8("&Sì")), qPrintable(question.join('|')));
    QVERIFY(question.contains(QStringLiteral("&No")));
    QCOMPARE(list->count(), 1);  // "No" kept the note

    // main() made both folders this process's own, empty.
    const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME"));
    const auto everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    QVERIFY2(config.isEmpty(everything), qPrintable(config.entryList(everything).join(' ')));
    QVERIFY(!QFileInfo::exists(qEnvironmentVariable("HOME") + QStringLiteral("/.config")));
  }

  // Every message box shows its whole text, wrapped when long; a short one is
  // still as wide as its title. The texts are the windows' own: the help
  // boxes, the unreadable lines and the failed write of the notes file.
  void messageBoxesShowTheirWholeText() {
    frmCalendario main(t_->services);
    for (const char* button :
         {"cmdInfoCustom0", "cmdInfoCustom1", "optCustomTop1", "cmdInfoCustom0", "optCustomDown1",
          "cmdInfoCustom1", "cmdInfoCustom2"})
      main.findChild<QAbstractButton*>(button)->click();
    // A second name of the notes file: it can be read, but not replaced (the
    // editor is told it may write, so that it tries).
    t_->readOnly = false;
    const QString notes = t_->AppFile(QStringLiteral("Notes.dat"));
    WriteBytes(notes, "40545,\"Uno\"\r\nnon leggibile\r\n");
    QCOMPARE(::link(qPrintable(notes), qPrintable(notes + QStringLiteral(".bis"))), 0);
    frmNote editor(t_->services);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTRY_COMPARE(t_->messages.size(), 6);
    editor.findChild<QPushButton*>("cmdNote0")->click();
    editor.findChild<QLineEdit*>("txtdata0")->setText(QStringLiteral("05"));
    editor.findChild<QLineEdit*>("txtdata1")->setText(QStringLiteral("06"));
    QTest::keyClicks(editor.findChild<QLineEdit*>("txtScadenze"), QStringLiteral("Prova"));
    editor.findChild<QPushButton*>("cmdNote0")->click();
    QCOMPARE(t_->messages.size(), 7);
    editor.hide();
    t_->messages.append(
        {QMessageBox::Critical, QStringLiteral("Orvanta"), ScreenTooSmallMessage()});
    t_->messages.append(
        {QMessageBox::Warning, QStringLiteral("Attenzione!"), QStringLiteral("Data non valida")});

    for (qsizetype i = 0; i < t_->messages.size(); ++i) {
      const Message& message = t_->messages[i];
      const std::unique_ptr<QMessageBox> box =
          MakeMessageBox(nullptr, message.icon, message.title, message.text, QMessageBox::Ok);
      box->show();
      QVERIFY(QTest::qWaitForWindowExposed(box.get()));
      TakeScreen(QStringLiteral("messaggio-%1").arg(i + 1));
      const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
      const QSize needed = label->wordWrap()
                               ? QSize(label->width(), label->heightForWidth(label->width()))
                               : label->sizeHint();
      QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
               qPrintable(message.text));
      // The title beside the frame's icon and buttons.
      QVERIFY(box->width() > QFontMetrics(box->font()).horizontalAdvance(message.title) + 120);
    }
  }

  void screenSizeLimits() {
    QVERIFY(ScreenLargeEnough(QSize(1024, 760)));
    QVERIFY(ScreenLargeEnough(QSize(1920, 1080)));
    QVERIFY(!ScreenLargeEnough(QSize(1024, 759)));
    QVERIFY(!ScreenLargeEnough(QSize(1023, 768)));
    QCOMPARE(
        ScreenTooSmallMessage().split(QLatin1Char('\n')),
        (QStringList{QStringLiteral("La risoluzione minima per l'utilizzo di questo programma è:"),
                     QStringLiteral("1024 x 768 pixel."),
                     QStringLiteral("Modificare la risoluzione video e, quindi, riprovare.")}));
    QCOMPARE(AlreadyRunningMessage(), QStringLiteral("Orvanta è già in esecuzione"));
  }

  void oneInstancePerUserAndStaleLocksTakenOver() {
    {
      SingleInstanceLock first(t_->services.tempFolder);
      QVERIFY(first.Acquire());
      SingleInstanceLock second(t_->services.tempFolder);
      QVERIFY(!second.Acquire());
    }
    SingleInstanceLock again(t_->services.tempFolder);
    QVERIFY(again.Acquire());
    const QString lockName = again.FileName();
    again = SingleInstanceLock(t_->services.tempFolder);  // releases

    // A lock left by a process that has ended.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    QVERIFY(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    WriteBytes(lockName, QByteArray::number(deadPid) + "\norvanta\n" +
                             QSysInfo::machineHostName().toUtf8() + "\n");
    SingleInstanceLock afterCrash(t_->services.tempFolder);
    QVERIFY(afterCrash.Acquire());
  }
};

// As QTEST_MAIN, with Qt's Italian texts loaded as the program loads them,
// and empty home and configuration folders of this process's own.
int main(int argc, char** argv) {
  QTemporaryDir home;
  const QString configHome = home.filePath(QStringLiteral("xdg-config"));
  QDir().mkpath(configHome);
  qputenv("HOME", QFile::encodeName(home.path()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
  QApplication app(argc, argv);
  if (!UseItalianForQt(app)) qWarning("Qt's Italian translations are missing");
  DialogsTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}
#include "DialogsTest.moc"
