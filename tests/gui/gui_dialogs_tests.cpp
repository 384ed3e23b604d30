// The input window, the about window and the start-up checks.

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QUrlQuery>
#include <memory>

#include "GuiTestSupport.h"
#include "app/gui/SingleInstance.h"
#include "app/gui/frmAbout.h"
#include "app/gui/frmInputBox.h"

using namespace orvanta;
using namespace orvanta::test;

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

    box.Prepare(1, true);  // the footer, and the text starts empty again
    QCOMPARE(input->text(), QString());
    QCOMPARE(counter->text(), QStringLiteral("0 - 30"));
    QTest::keyClicks(input, QString(45, QLatin1Char('y')));
    QCOMPARE(counter->text(), QStringLiteral("30 - 0"));
    QCOMPARE(box.InputLimit(), 30);
    QVERIFY(box.findChild<QLabel*>("lblInfo")->text().contains(QStringLiteral("inferiore")));

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
    QCOMPARE(about.findChild<QLabel*>("lblVersione")->text(), QStringLiteral("Versione 3.0.1"));
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
             QStringLiteral("Orvanta - Versione 3.0.1  (2011)"));

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

QTEST_MAIN(DialogsTest)
#include "gui_dialogs_tests.moc"
