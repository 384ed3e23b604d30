// The viewer probe, the desktop's PDF association and the responsive wait.

#include <sys/resource.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <memory>

#include "GuiTestSupport.h"
#include "app/gui/GuiApplication.h"
#include "app/gui/PdfViewer.h"
#include "app/gui/WaitSeconds.h"

using namespace orvanta;
using namespace orvanta::test;

namespace {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestServices> t_;
  QByteArray savedDataHome_, savedDataDirs_, savedPath_;

  // A desktop data folder with one application entry.
  QString MakeDataDir(const QString& id, const QByteArray& entry) {
    const QString dir = t_->TempFile(QStringLiteral("share"));
    QDir().mkpath(dir + QStringLiteral("/applications"));
    WriteBytes(dir + QStringLiteral("/applications/") + id, entry);
    qputenv("XDG_DATA_HOME", dir.toUtf8());
    // The system folders stay, for the MIME database.
    qputenv("XDG_DATA_DIRS",
            t_->TempFile(QStringLiteral("none")).toUtf8() + ":/usr/local/share:/usr/share");
    return dir;
  }
  QString Probe() {
    const QString path = t_->TempFile(QStringLiteral("Doc.pdf"));
    WriteBytes(path, "%PDF-1.3\n");
    return path;
  }

 private slots:
  void init() {
    t_ = std::make_unique<TestServices>();
    savedDataHome_ = qgetenv("XDG_DATA_HOME");
    savedDataDirs_ = qgetenv("XDG_DATA_DIRS");
    savedPath_ = qgetenv("PATH");
  }
  void cleanup() {
    qputenv("XDG_DATA_HOME", savedDataHome_);
    qputenv("XDG_DATA_DIRS", savedDataDirs_);
    qputenv("PATH", savedPath_);
    t_.reset();
  }

  void associationGivesTheProgramOfTheDesktopEntry() {
    MakeDataDir(QStringLiteral("test-viewer.desktop"),
                "[Desktop Entry]\nType=Application\nExec=sh -c true %U\n");
    QString askedType;
    const QString program = FindAssociatedProgram(Probe(), [&askedType](const QString& type) {
      askedType = type;
      return QStringLiteral("test-viewer.desktop");
    });
    QCOMPARE(askedType, QStringLiteral("application/pdf"));
    QCOMPARE(program, QStandardPaths::findExecutable(QStringLiteral("sh")));
  }

  void associationErrors() {
    const auto viewer = [](const QString&) { return QStringLiteral("test-viewer.desktop"); };
    const auto nobody = [](const QString&) { return QString(); };
    MakeDataDir(QStringLiteral("test-viewer.desktop"), "[Desktop Entry]\nName=No command\n");
    QCOMPARE(FindAssociatedProgram(t_->TempFile(QStringLiteral("nowhere/x.pdf")), viewer),
             QStringLiteral("Errore Percorso non trovato"));
    QCOMPARE(FindAssociatedProgram(t_->TempFile(QStringLiteral("missing.pdf")), viewer),
             QStringLiteral("Errore File non trovato"));
    QCOMPARE(FindAssociatedProgram(Probe(), nobody), QStringLiteral("Errore Nessuna associazione"));
    QCOMPARE(FindAssociatedProgram(Probe(), viewer), QStringLiteral("Errore Formato errato"));
    QCOMPARE(FindAssociatedProgram(
                 Probe(), [](const QString&) { return QStringLiteral("not-installed.desktop"); }),
             QStringLiteral("Errore Nessuna associazione"));
    // A file whose type the desktop cannot tell.
    const QString unknown = t_->TempFile(QStringLiteral("data.zzqq"));
    WriteBytes(unknown, QByteArray("\x01\x02\x03\x04", 4));
    QCOMPARE(FindAssociatedProgram(unknown, viewer), QStringLiteral("Errore Nessuna associazione"));
  }

  void defaultApplicationIsAskedOfXdgMime() {
    const QString bin = t_->TempFile(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QString script = bin + QStringLiteral("/xdg-mime");
    WriteBytes(script,
               "#!/bin/sh\n[ \"$1 $2 $3\" = \"query default application/pdf\" ] && "
               "echo 'test-viewer.desktop;other.desktop'\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", bin.toUtf8() + ":" + savedPath_);
    QCOMPARE(QueryDefaultApplication(QStringLiteral("application/pdf")),
             QStringLiteral("test-viewer.desktop"));
    QCOMPARE(QueryDefaultApplication(QStringLiteral("text/plain")), QString());
    qputenv("PATH", bin.toUtf8());  // no xdg-mime at all
    QFile::remove(script);
    QCOMPARE(QueryDefaultApplication(QStringLiteral("application/pdf")), QString());
  }

  void probeIsAValidPdfAndGivesTheViewerName() {
    QString probed;
    t_->services.findAssociatedProgram = [&probed](const QString& path) {
      probed = path;
      return QStringLiteral("/opt/Viewer/bin/FastViewer");
    };
    QCOMPARE(DetectPdfViewer(t_->services), QStringLiteral("FastViewer"));
    QCOMPARE(probed, t_->TempFile(QStringLiteral("Test.pdf")));
    QCOMPARE(QpdfCheck(probed), 0);

    t_->services.findAssociatedProgram = [](const QString&) {
      return QStringLiteral("Errore Nessuna associazione");
    };
    QCOMPARE(DetectPdfViewer(t_->services), QString());
    QVERIFY(t_->messages.isEmpty());
  }

  void probeRefusesAPlantedSymbolicLink() {
    const QString target = t_->TempFile(QStringLiteral("victim.txt"));
    WriteBytes(target, "keep me");
    QVERIFY(QFile::link(target, t_->TempFile(QStringLiteral("Test.pdf"))));
    bool asked = false;
    t_->services.findAssociatedProgram = [&asked](const QString&) {
      asked = true;
      return QStringLiteral("/usr/bin/viewer");
    };
    QCOMPARE(DetectPdfViewer(t_->services), QString());
    QVERIFY(!asked);
    QCOMPARE(ReadBytes(target), QByteArray("keep me"));
    QCOMPARE(t_->messages.size(), 1);  // the writer said why
  }

  // What another user plants in the shared temporary folder under the names
  // the window writes (the calendar, the probe) blocks nothing: the window
  // keeps its files in a folder of the user's own.
  void windowFilesGoIntoAPrivateFolder() {
    const QByteArray savedTmp = qgetenv("TMPDIR");
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QString shared = t_->TempFile(QStringLiteral("shared"));
    QDir().mkpath(shared);
    const QString victim = t_->TempFile(QStringLiteral("victim.txt"));
    WriteBytes(victim, "keep me");
    QVERIFY(QFile::link(victim, shared + QStringLiteral("/Test.pdf")));
    QVERIFY(QFile::link(victim, shared + QStringLiteral("/Orvanta.pdf")));
    qputenv("TMPDIR", shared.toUtf8());
    qunsetenv("XDG_RUNTIME_DIR");
    GuiServices services = DefaultGuiServices();
    qputenv("TMPDIR", savedTmp);
    qputenv("XDG_RUNTIME_DIR", savedRuntime);

    QCOMPARE(services.tempFolder, shared + QStringLiteral("/orvanta-%1/").arg(::geteuid()));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(services.tempFolder).permissions() & others, QFile::Permissions());
    services.waitSeconds = [](int, bool) {};
    services.findAssociatedProgram = [](const QString&) { return QStringLiteral("/usr/bin/v"); };
    QCOMPARE(DetectPdfViewer(services), QStringLiteral("v"));
    QCOMPARE(QpdfCheck(services.tempFolder + QStringLiteral("Test.pdf")), 0);
    QCOMPARE(ReadBytes(victim), QByteArray("keep me"));
  }

  void waitEndsAtTheNextSecondKeepingTheWindowRunningWithoutBurningTheProcessor() {
    // Start in the middle of a second: the wait lasts the half second left.
    QThread::msleep(static_cast<unsigned long>(1500 - QDateTime::currentMSecsSinceEpoch() % 1000));
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(50);
    const double cpuBefore = ProcessCpuSeconds();
    const qint64 startMs = QDateTime::currentMSecsSinceEpoch();
    WaitSeconds(1, true);
    const qint64 endMs = QDateTime::currentMSecsSinceEpoch();
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const QString times = QStringLiteral("%1 .. %2").arg(startMs).arg(endMs);
    QVERIFY2(endMs / 1000 == startMs / 1000 + 1, qPrintable(times));  // the next second
    QVERIFY2(endMs % 1000 < 200, qPrintable(times));                  // just as it began
    QVERIFY(ticks >= 4);  // events went on during the wait
    QVERIFY2(cpu < 0.3, qPrintable(QString::number(cpu)));
  }

  // Last: after it no event loop of this process runs again. A signal ends
  // every loop, as closing the window would, so the clean-up runs.
  void aSignalEndsEveryEventLoop() {
    const QuitOnSignals quit;
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    QEventLoop loop;  // a message box's, say
    QCOMPARE(loop.exec(), 128 + SIGTERM);
  }
};

QTEST_MAIN(PlatformTest)
#include "PlatformTest.moc"
