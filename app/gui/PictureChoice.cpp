#include "app/gui/PictureChoice.h"

#include <QFileInfo>

#include <memory>

namespace orvanta {
namespace {

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace

PictureChoice CheckPictureChoice(QStringList paths, bool monthsAllowed, PictureBox box,
                                 const PicturePreparer& prepare) {
  PictureChoice choice;
  if (paths.size() != 1 && !(monthsAllowed && paths.size() == 12)) {
    choice.refusal = QStringLiteral(
                         "Scegli un'immagine sola, oppure dodici immagini (una per mese, in "
                         "ordine di nome): ne hai scelte %1.")
                         .arg(paths.size());
    return choice;
  }
  // Name order, as a folder's pictures on the command line.
  paths.sort();
  // A bitmap, as ever, is judged by the run; so is a file the dialog did
  // not find.
  for (const QString& path : paths) {
    if (!QFileInfo::exists(path)) continue;
    const std::shared_ptr<const PreparedPicture> prepared = prepare(Utf8(path), box);
    if (prepared->kind == PreparedPicture::Kind::Unusable) {
      choice.refusal =
          QStringLiteral("Il file \"%1\" %2.")
              .arg(QFileInfo(path).fileName(), QString::fromStdString(prepared->problem));
      return choice;
    }
  }
  if (paths.size() == 1) {
    choice.single = Utf8(paths.constFirst());
  } else {
    for (const QString& path : paths) choice.months.push_back(Utf8(path));
  }
  return choice;
}

}  // namespace orvanta
