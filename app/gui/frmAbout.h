#pragma once
// "Informazioni su...": name, purpose, version, conditions and three links.

#include <QDialog>

class QLabel;
class QVBoxLayout;

namespace orvanta {

struct GuiServices;

inline constexpr char kMakerSite[] = "https://www.example.org/orvanta/";
inline constexpr char kMakerEmail[] = "orvanta@example.org";
inline constexpr char kFurtherSite[] = "https://www.example.net/";

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(const GuiServices& services, QWidget* owner = nullptr);

  // The "mailto:" link of the e-mail label, with the subject naming the version.
  QUrl MailLink() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddNameAndVersion(QVBoxLayout* layout);
  void AddCredits(QVBoxLayout* layout);
  void AddLinks(QVBoxLayout* layout);
  void Follow(const QUrl& url);

  const GuiServices& services_;
  QLabel* lblVersione_;
  QLabel* lblMySite_;
  QLabel* lblEmail_;
  QLabel* imgsito_;
};

}  // namespace orvanta
