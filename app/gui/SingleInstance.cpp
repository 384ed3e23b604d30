#include "app/gui/SingleInstance.h"

#include "app/core/platform/Folders.h"
#include "app/core/platform/PlatformProcesses.h"

namespace orvanta {

bool ScreenLargeEnough(const QSize& screen) {
  return screen.width() >= kMinimumScreenWidth && screen.height() >= kMinimumScreenHeight;
}

QString ScreenTooSmallMessage() {
  return QStringLiteral(
      "La risoluzione minima per l'utilizzo di questo programma è:\n1024 x 768 pixel.\n"
      "Modificare la risoluzione video e, quindi, riprovare.");
}

QString AlreadyRunningMessage() {
  return QStringLiteral("Orvanta") + QStringLiteral(" è già in esecuzione");
}

SingleInstanceLock::SingleInstanceLock(const QString& folder) {
  if (folder.isEmpty()) return;
  lock_ = std::make_unique<QLockFile>(
      folder + QStringLiteral("Orvanta-%1.lock").arg(static_cast<qulonglong>(CurrentUserId())));
  // Only a dead owner makes a lock stale, however long the window stays open.
  lock_->setStaleLockTime(0);
}

bool SingleInstanceLock::Acquire() {
  if (!lock_ || lock_->tryLock(0)) return true;
  return lock_->error() != QLockFile::LockFailedError;
}

SingleInstanceLock UserInstanceLock() {
  return SingleInstanceLock(QString::fromStdString(InstanceLockFolder()));
}

}  // namespace orvanta
