#include "GuiTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "tests/support/TestFiles.h"

namespace orvanta::test {

TestServices::TestServices() {
  services.appFolder = appDir.path() + QLatin1Char('/');
  services.tempFolder = tempDir.path() + QLatin1Char('/');
  services.message = [this](QWidget*, QMessageBox::Icon icon, const QString& title,
                            const QString& text, QMessageBox::StandardButtons buttons) {
    messages.append({icon, title, text});
    return buttons.testFlag(answer) ? answer : QMessageBox::Ok;
  };
  services.openUrl = [this](const QUrl& url) { opened.append(url); };
  services.chooseImageFile = [this](QWidget*) { return imageToChoose; };
  services.chooseImageFiles = [this](QWidget*) {
    return imagesToChoose.isEmpty() && !imageToChoose.isEmpty() ? QStringList{imageToChoose}
                                                                : imagesToChoose;
  };
  services.chooseColor = [this](QWidget*, const QColor& start) {
    colourDialogStart = start;
    return colourToChoose;
  };
  services.beep = [this] { ++beeps; };
  services.waitSeconds = [](int seconds, bool pump) {
    // A short wait keeps the tests quick; the window still runs its events.
    if (pump) QTest::qWait(seconds * 100);
  };
  services.findAssociatedProgram = [](const QString&) {
    return QStringLiteral("Errore Nessuna associazione");
  };
  services.terminateViewer = [this](const QString& viewer, const QString& document) {
    terminated.append({viewer, document});
    return 0;
  };
  services.isNotesFileReadOnly = [this](const std::string& path) {
    return readOnly ? *readOnly : DefaultGuiServices().isNotesFileReadOnly(path);
  };
  services.runCalendar = [this](const CalendarJob& job) {
    ++composeCalls;
    return RunJob(job);
  };
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  WriteFile(path.toStdString(), bytes.toStdString());
}

QByteArray ReadBytes(const QString& path) {
  return QByteArray::fromStdString(ReadFile(path.toStdString()));
}

void WhenModal(const std::function<void(QWidget* modal)>& action) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    action(modal);
  });
  poll->start();
}

void TypeCharacters(QWidget* field, const QString& text) {
  for (const char32_t character : text.toUcs4()) {
    const QString typed = QString::fromUcs4(&character, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, typed);
    QApplication::sendEvent(field, &release);
  }
}

int QpdfCheck(const QString& path) {
  QProcess qpdf;
  qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
  if (!qpdf.waitForFinished(60000)) return -1;
  return qpdf.exitCode();
}

}  // namespace orvanta::test
