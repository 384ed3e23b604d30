#include "app/gui/BitmapChooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace orvanta {

namespace {

// Qt's file list writes sizes and dates in the system's locale whatever the
// program's: this proxy writes them again in Italian, leaving the process
// locale alone.
class ItalianFileDetails : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    constexpr int kSizeColumn = 1;
    constexpr int kDateColumn = 3;
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    const QModelIndex source = mapToSource(index);
    if (role != Qt::DisplayRole || files == nullptr) return QIdentityProxyModel::data(index, role);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    // A folder has no size in the list.
    if (index.column() == kSizeColumn && !files->isDir(source))
      return italian.formattedDataSize(files->size(source));
    if (index.column() == kDateColumn)
      return italian.toString(files->lastModified(source), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
  }
};

}  // namespace

namespace {

QStringList RunChooser(QWidget* owner, QFileDialog::FileMode mode) {
  // Qt's own dialog, not the desktop's: that one speaks the desktop's
  // language and keeps its own history.
  QFileDialog dialog(owner, QStringLiteral("Scegli l'immagine da utilizzare"), QString(),
                     QStringLiteral("Immagini (*.jpg *.jpeg *.png *.bmp *.JPG *.JPEG *.PNG *.BMP);;"
                                    "Foto JPEG (*.jpg *.jpeg *.JPG *.JPEG);;Immagini PNG (*.png "
                                    "*.PNG);;Bitmap (*.bmp *.BMP)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(mode);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setLocale(QLocale(QLocale::Italian, QLocale::Italy));
  dialog.setProxyModel(new ItalianFileDetails(&dialog));
  // The list's sizes, kinds and dates read whole, the names take the rest.
  if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < list->header()->count(); ++column)
      list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  dialog.resize(720, 440);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

QString ChooseBitmapFile(QWidget* owner) {
  const QStringList chosen = RunChooser(owner, QFileDialog::ExistingFile);
  return chosen.isEmpty() ? QString() : chosen.constFirst();
}

QStringList ChoosePictureFiles(QWidget* owner) {
  return RunChooser(owner, QFileDialog::ExistingFiles);
}

}  // namespace orvanta
