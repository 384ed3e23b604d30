#include "app/gui/frmAbout.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "app/gui/GuiServices.h"
#include "app/gui/HandCursors.h"
#include "app/gui/TitleLabel.h"
#include "base/Version.h"

namespace orvanta {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, bool wrap = true) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(wrap);
  return label;
}

QLabel* MakeLink(QWidget* parent, const QString& name, const QString& text,
                 const QString& toolTip) {
  QLabel* label = MakeLabel(parent, name, text, false);
  label->setToolTip(toolTip);
  // A palette and a font, not a style sheet: the tool tip would take the
  // style sheet too and show the link's look instead of a tool tip's.
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 238));
  label->setPalette(palette);
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

// A small globe that links to the further site.
QPixmap GlobePicture() {
  QPixmap pixmap(140, 36);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(20, 90, 160), 2));
  p.setBrush(QColor(200, 225, 250));
  p.drawEllipse(QRectF(4, 4, 28, 28));
  p.drawLine(QPointF(4, 18), QPointF(32, 18));
  p.drawEllipse(QRectF(12, 4, 12, 28));
  p.setPen(QColor(20, 90, 160));
  QFont font = p.font();
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(38, 0, 100, 36), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("example.net"));
  return pixmap;
}

}  // namespace

frmAbout::frmAbout(const GuiServices& services, QWidget* owner)
    : QDialog(owner), services_(services) {
  setWindowTitle(QStringLiteral("Informazioni su..."));
  setObjectName(QStringLiteral("frmAbout"));
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(6);
  AddNameAndVersion(layout);
  layout->addSpacing(6);
  AddCredits(layout);
  layout->addSpacing(6);
  AddLinks(layout);
  setFixedWidth(540);
  for (QLabel* link : {lblMySite_, lblEmail_, imgsito_}) link->installEventFilter(this);
  SetHandCursors(this);
}

void frmAbout::AddNameAndVersion(QVBoxLayout* layout) {
  auto* title = new TitleLabel(QStringLiteral("Orvanta"), 22, this);
  title->setObjectName(QStringLiteral("Label2"));
  QLabel* label1 = MakeLabel(this, QStringLiteral("Label1"),
                             QStringLiteral("Programma per la creazione e la stampa di calendari"));
  lblVersione_ = MakeLabel(this, QStringLiteral("lblVersione"),
                           QStringLiteral("Versione ") + QString::fromLatin1(kVersion));
  QFont bold = lblVersione_->font();
  bold.setBold(true);
  lblVersione_->setFont(bold);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addWidget(label1);
  layout->addWidget(lblVersione_);
  label1->setAlignment(Qt::AlignHCenter);
  lblVersione_->setAlignment(Qt::AlignHCenter);
}

// Who made it, whom it thanks, and what it needs beside it.
void frmAbout::AddCredits(QVBoxLayout* layout) {
  layout->addWidget(
      MakeLabel(this, QStringLiteral("Label3"),
                QStringLiteral("Realizzato e curato dal gruppo di sviluppo di Orvanta")));
  layout->addWidget(MakeLabel(this, QStringLiteral("Label4"), QString()));
  layout->addWidget(MakeLabel(
      this, QStringLiteral("Label6"),
      QStringLiteral("Un ringraziamento agli autori del componente che scrive i file PDF.")));
  QLabel* label5 = MakeLabel(
      this, QStringLiteral("Label5"),
      QStringLiteral("N.B. il programma, per poter funzionare, necessita che nel computer in uso "
                     "sia installato Adobe ® Reader ® o altro programma in grado di visualizzare "
                     "e stampare i file in formato .pdf (Portable Document File)"));
  QFont small = label5->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  label5->setFont(small);
  layout->addSpacing(6);
  layout->addWidget(label5);
}

// The site, the e-mail address and the further site.
void frmAbout::AddLinks(QVBoxLayout* layout) {
  QLabel* label7 =
      MakeLabel(this, QStringLiteral("Label7"),
                QStringLiteral("Per aggiornamenti al programma visita il sito :"), false);
  lblMySite_ = MakeLink(this, QStringLiteral("lblMySite"), QString::fromUtf8(kMakerSite),
                        QStringLiteral("Home page personale"));
  lblEmail_ = MakeLink(this, QStringLiteral("lblEmail"), QString::fromUtf8(kMakerEmail),
                       QStringLiteral("e-mail"));
  imgsito_ = new QLabel(this);
  imgsito_->setObjectName(QStringLiteral("imgsito"));
  imgsito_->setPixmap(GlobePicture());
  imgsito_->setCursor(Qt::PointingHandCursor);
  imgsito_->setToolTip(QString::fromUtf8(kFurtherSite));
  auto* siteRow = new QHBoxLayout;
  siteRow->addWidget(label7);
  siteRow->addWidget(lblMySite_);
  siteRow->addStretch();
  layout->addLayout(siteRow);
  layout->addWidget(lblEmail_);
  layout->addWidget(imgsito_, 0, Qt::AlignRight);
  layout->addWidget(MakeLabel(this, QStringLiteral("lblWarning"), QStringLiteral("\n")));
}

QUrl frmAbout::MailLink() const {
  QUrl url(QStringLiteral("mailto:") + QString::fromUtf8(kMakerEmail));
  QUrlQuery query;
  query.addQueryItem(
      QStringLiteral("Subject"),
      QStringLiteral("Orvanta - ") + lblVersione_->text() + QStringLiteral("  (2011)"));
  url.setQuery(query);
  return url;
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == lblMySite_) Follow(QUrl(QString::fromUtf8(kMakerSite)));
    if (watched == lblEmail_) Follow(MailLink());
    if (watched == imgsito_) Follow(QUrl(QString::fromUtf8(kFurtherSite)));
    return watched == lblMySite_ || watched == lblEmail_ || watched == imgsito_;
  }
  return QDialog::eventFilter(watched, event);
}

void frmAbout::Follow(const QUrl& url) {
  services_.openUrl(url);
  accept();
}

}  // namespace orvanta
