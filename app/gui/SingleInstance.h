#pragma once
// One running window per user, and the minimum screen.

#include <QLockFile>
#include <QSize>
#include <QString>
#include <memory>

namespace orvanta {

inline constexpr int kMinimumScreenWidth = 1024;
inline constexpr int kMinimumScreenHeight = 760;  // 760, so 1024 x 768 with a task bar fits

// True when a screen of this size (in pixels) can show the main window.
bool ScreenLargeEnough(const QSize& screen);

// The three lines shown when the screen is too small.
QString ScreenTooSmallMessage();

// "Orvanta è già in esecuzione".
QString AlreadyRunningMessage();

// A lock file named after the user. A lock left by a process that no longer
// runs is taken over.
class SingleInstanceLock {
 public:
  // The lock in `folder` (with its trailing "/"); an empty folder means no
  // lock at all, and every start goes ahead.
  explicit SingleInstanceLock(const QString& folder);
  // False only when another running process of this user holds the lock; a
  // lock that cannot be created at all (no folder, no permission) does not
  // keep the user from working.
  [[nodiscard]] bool Acquire();
  QString FileName() const { return lock_ ? lock_->fileName() : QString(); }

 private:
  std::unique_ptr<QLockFile> lock_;
};

// The lock every start of this user shares, whatever its environment (TMPDIR
// and the like): in InstanceLockFolder(), a folder nobody else can write to,
// so nobody else can create or hold the lock.
SingleInstanceLock UserInstanceLock();

}  // namespace orvanta
