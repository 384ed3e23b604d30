#include "app/gui/PdfViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <string>

#include "app/core/platform/PlatformDesktopEntry.h"
#include "app/core/platform/PlatformPaths.h"
#include "app/core/platform/ViewerProbe.h"
#include "app/gui/GuiServices.h"

namespace orvanta {

namespace {

constexpr qint64 kMaxDesktopFileBytes = qint64{256} * 1024;

// Writes the probe; false when it could not be written (the writer's message
// is shown when it refused the file).
bool WriteProbe(const GuiServices& services, const QString& probePath) {
  return WriteProbePdf(
      ToUtf8(probePath), [&services](const std::string& title, const std::string& text) {
        services.Tell(nullptr, QMessageBox::Critical, FromUtf8(title), FromUtf8(text));
      });
}

}  // namespace

QString QueryDefaultApplication(const QString& mimeType) {
  QProcess process;
  process.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
  if (!process.waitForStarted(3000)) return {};
  if (!process.waitForFinished(5000)) {
    process.kill();
    process.waitForFinished(1000);
    return {};
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
  const QString answer = QString::fromUtf8(process.readAllStandardOutput());
  return answer.section(QLatin1Char('\n'), 0, 0).section(QLatin1Char(';'), 0, 0).trimmed();
}

QString FindAssociatedProgram(const QString& documentPath, const DefaultApplicationQuery& query) {
  const QFileInfo document(documentPath);
  if (!document.absoluteDir().exists()) return QString::fromUtf8(kErrorPathNotFound);
  if (!document.exists() || document.isDir()) return QString::fromUtf8(kErrorFileNotFound);

  const QMimeType type = QMimeDatabase().mimeTypeForFile(document);
  QString typeName = type.isValid() && !type.isDefault() ? type.name() : QString();
  // Without a MIME database the probe is still known by its name.
  if (typeName.isEmpty() &&
      document.suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0)
    typeName = QStringLiteral("application/pdf");
  if (typeName.isEmpty()) return QString::fromUtf8(kErrorNoAssociation);
  const QString desktopId = query ? query(typeName) : QString();
  if (desktopId.isEmpty()) return QString::fromUtf8(kErrorNoAssociation);
  const std::string desktopFile = FindDesktopFile(ToUtf8(desktopId), XdgDataDirsFromEnvironment());
  if (desktopFile.empty()) return QString::fromUtf8(kErrorNoAssociation);

  QFile file(FromUtf8(desktopFile));
  if (!file.open(QIODevice::ReadOnly)) return QString::fromUtf8(kErrorBadFormat);
  const QByteArray text = file.read(kMaxDesktopFileBytes);
  const std::string program =
      DesktopExecProgram(std::string_view(text.constData(), static_cast<size_t>(text.size())));
  if (program.empty()) return QString::fromUtf8(kErrorBadFormat);
  const std::string resolved = ResolveProgramInPath(program);
  return FromUtf8(resolved.empty() ? program : resolved);
}

QString DetectPdfViewer(const GuiServices& services) {
  const QString probePath = services.tempFolder + QStringLiteral("Test.pdf");
  if (!WriteProbe(services, probePath)) return {};
  services.waitSeconds(1, true);
  const QString program = services.findAssociatedProgram(probePath);
  if (program.startsWith(QStringLiteral("Errore"))) return {};
  return FromUtf8(FileNameOfPath(ToUtf8(program)));
}

}  // namespace orvanta
