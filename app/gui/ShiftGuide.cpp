#include "app/gui/ShiftGuide.h"

#include <QUrl>

#include "app/core/platform/Folders.h"
#include "app/core/run/EmbeddedFiles.h"
#include "app/gui/GuiServices.h"
#include "app/gui/WaitSeconds.h"

namespace orvanta {

void ShowShiftGuide(QWidget* owner, const GuiServices& services) {
  const std::string path = WriteShiftGuide(ToUtf8(services.tempFolder), PumpEvents);
  if (!path.empty() && FileExists(path)) {
    services.openUrl(QUrl::fromLocalFile(FromUtf8(path)));
    return;
  }
  services.Tell(owner, QMessageBox::Critical, QStringLiteral("Orvanta"),
                QStringLiteral("Impossibile visualizzare le informazioni."));
}

}  // namespace orvanta
