#pragma once
// Services for window tests: temporary application and temporary folders, and
// recorders instead of message boxes, dialogs, the shell and the beeper.

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <optional>
#include <string>

#include "app/gui/GuiServices.h"

namespace orvanta::test {

struct Message {
  QMessageBox::Icon icon;
  QString title;
  QString text;
};

class TestServices {
 public:
  TestServices();
  TestServices(const TestServices&) = delete;
  TestServices& operator=(const TestServices&) = delete;

  GuiServices services;
  QTemporaryDir appDir;
  QTemporaryDir tempDir;

  QList<Message> messages;
  QMessageBox::StandardButton answer = QMessageBox::Yes;
  QList<QUrl> opened;
  int beeps = 0;
  QString imageToChoose;
  QStringList imagesToChoose;  // the multiple choice; empty: imageToChoose alone
  std::optional<QColor> colourToChoose;
  QColor colourDialogStart;
  int composeCalls = 0;
  std::optional<bool> readOnly;  // overrides the notes file test when set
  QList<QStringList> terminated;

  QString AppFile(const QString& name) const { return services.appFolder + name; }
  QString TempFile(const QString& name) const { return services.tempFolder + name; }
};

// Writes raw bytes (Windows-1252 texts, CR LF) to a file.
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

// Runs `action` on the next modal window once it is open (the caller then
// starts the modal loop, e.g. by a click).
void WhenModal(const std::function<void(QWidget* modal)>& action);

// Types `text` one character at a time, a character outside the 16-bit range
// as one key (QTest::keyClicks would send its two halves apart).
void TypeCharacters(QWidget* field, const QString& text);

// `qpdf --check` exit code for a file (0: clean).
int QpdfCheck(const QString& path);

}  // namespace orvanta::test
