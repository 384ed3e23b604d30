// The notes editor window driven through its real controls.

#include <sys/stat.h>
#include <unistd.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <memory>

#include "GuiTestSupport.h"
#include "app/gui/PrintableText.h"
#include "app/gui/SingleInstance.h"
#include "app/gui/frmNote.h"
#include "tests/support/RunProgram.h"

using namespace orvanta;
using namespace orvanta::test;

namespace {

// What another window's save does to the file: one more line at its end.
void AppendBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::Append)) file.write(bytes);
}

// The rest of a test runs as an ordinary user (nobody) when the tests run as
// root, so that file permissions mean something; `folder` and what it holds
// become that user's. Root comes back when the scope ends.
class UnprivilegedScope {
 public:
  explicit UnprivilegedScope(const QString& folder) {
    if (::geteuid() != 0) return;
    QStringList paths{folder};
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) paths << it.next();
    for (const QString& path : paths)
      if (::chown(QFile::encodeName(path).constData(), kNobody, kNobody) != 0) return;
    if (::setegid(kNobody) != 0) return;
    if (::seteuid(kNobody) != 0) {
      Restore();
      return;
    }
    switched_ = true;
  }
  ~UnprivilegedScope() {
    if (switched_) Restore();
  }
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

  bool Ok() const { return switched_ || ::geteuid() != 0; }

 private:
  static constexpr uid_t kNobody = 65534;
  static void Restore() {
    if (::seteuid(0) != 0 || ::setegid(0) != 0) std::abort();
  }
  bool switched_ = false;
};

}  // namespace

class NotesEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestServices> t_;
  std::unique_ptr<frmNote> form_;

  QString NotesPath() const { return t_->AppFile(QStringLiteral("Notes.dat")); }
  void Open() {
    form_ = std::make_unique<frmNote>(t_->services);
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  QLineEdit* Field(const char* name) const { return form_->findChild<QLineEdit*>(name); }
  QPushButton* Button(const char* name) const { return form_->findChild<QPushButton*>(name); }
  QListWidget* List() const { return form_->findChild<QListWidget*>("Lnotes"); }
  QString Status() const { return form_->findChild<QLabel*>("lblInfo")->text(); }
  QString Count() const { return form_->findChild<QLabel*>("lblNum_note")->text(); }
  QStringList ListTexts() const {
    QStringList texts;
    for (int i = 0; i < List()->count(); ++i) texts << List()->item(i)->text();
    return texts;
  }
  void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
  // Types a date and a note into the open entry and presses the save button.
  void Enter(const QString& day, const QString& month, const QString& text, const char* save) {
    QTest::keyClicks(Field("txtdata0"), day);
    QTest::keyClicks(Field("txtdata1"), month);
    QTest::keyClicks(Field("txtScadenze"), text);
    Click(save);
  }
  void SelectRow(int row) {
    QListWidgetItem* item = List()->item(row);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(item).center());
  }
  QList<Message> WarningsTitled(const QString& title) const {
    QList<Message> found;
    for (const Message& m : t_->messages)
      if (m.title == title) found << m;
    return found;
  }

 private slots:
  void init() { t_ = std::make_unique<TestServices>(); }
  void cleanup() {
    form_.reset();
    t_.reset();
  }

  void startsIdleWithTheNotesOfTheFileInDateOrder() {
    // A record of another year is shown with its day and month in 2011.
    WriteBytes(NotesPath(),
               "40700,\"Scadenza\"\r\n40545,\"Capodanno bis\"\r\n41345,\"Anno 2013\"\r\n");
    Open();
    QCOMPARE(form_->windowTitle(), QStringLiteral("Gestione note"));
    QCOMPARE(form_->EditMode(), int(frmNote::Idle));
    QCOMPARE(Field("txtdata2")->text(), QStringLiteral("2011"));
    QCOMPARE(Field("txmask")->text(), QStringLiteral("anno"));
    QCOMPARE(ListTexts(), (QStringList{QStringLiteral("02/01/11  Capodanno bis"),
                                       QStringLiteral("12/03/11  Anno 2013"),
                                       QStringLiteral("06/06/11  Scadenza")}));
    QCOMPARE(form_->HiddenList().first(), QStringLiteral("40545  Capodanno bis"));
    QCOMPARE(Count(), QStringLiteral("3"));
    QCOMPARE(Status(), QString());
    QVERIFY(Button("cmdNote0")->isEnabled());
    QVERIFY(!Button("cmdNote1")->isEnabled());
    QVERIFY(!Button("cmdNote2")->isEnabled());
    QCOMPARE(Button("cmdNote3")->text(), QStringLiteral("Annulla"));
    QCOMPARE(Button("cmdNote3")->toolTip(), QStringLiteral("Annulla le operazioni in corso"));
    QCOMPARE(Button("cmdChiudi")->toolTip(),
             QStringLiteral("Chiude questa finestra e ritorna al calendario"));
    QVERIFY(Button("cmdNote0")->isDefault());
    // While idle every key is discarded.
    QTest::keyClicks(Field("txtdata0"), QStringLiteral("12"));
    QTest::keyClicks(Field("txtScadenze"), QStringLiteral("abc"));
    QCOMPARE(Field("txtdata0")->text(), QString());
    QCOMPARE(Field("txtScadenze")->text(), QString());
  }

  void addsANoteWithCommaAndQuoteReplaced() {
    Open();
    Click("cmdNote0");
    QCOMPARE(form_->EditMode(), int(frmNote::NewNote));
    QCOMPARE(Button("cmdNote0")->text(), QStringLiteral("Salva"));
    QCOMPARE(
        Status(),
        QStringLiteral("Scrivi la data (solo giorno e mese) e la nuova nota (max 50 caratteri)"));
    QVERIFY(!List()->isEnabled());
    QCOMPARE(Field("txtScadenze")->palette().color(QPalette::Base), QColor(192, 255, 255));
    QVERIFY(Field("txtdata0")->hasFocus());
    // Two digits move the focus on: day, month, note.
    QTest::keyClicks(Field("txtdata0"), QStringLiteral("07"));
    QVERIFY(Field("txtdata1")->hasFocus());
    QTest::keyClicks(Field("txtdata1"), QStringLiteral("03"));
    QVERIFY(Field("txtScadenze")->hasFocus());
    QTest::keyClicks(Field("txtScadenze"), QStringLiteral("  Festa, \"Anna\"  "));
    QCOMPARE(Field("txtScadenze")->text(), QStringLiteral("  Festa\u00B8 'Anna'  "));
    // What the calendar cannot print is refused as it is typed, with a word.
    for (const char32_t refused : {U'\u0141', U'\U0001F600', U'\u2603', U'\u0151'}) {
      TypeCharacters(Field("txtScadenze"), QString::fromUcs4(&refused, 1));
      QCOMPARE(QToolTip::text(), RefusedCharacterTip(refused));
    }
    QCOMPARE(Field("txtScadenze")->text(), QStringLiteral("  Festa\u00B8 'Anna'  "));
    Click("cmdNote0");
    QCOMPARE(form_->EditMode(), int(frmNote::Idle));
    QCOMPARE(ReadBytes(NotesPath()), QByteArray("40609,\"Festa\xB8 'Anna'\"\r\n"));
    QCOMPARE(ListTexts(), QStringList{QStringLiteral("07/03/11  Festa\u00B8 'Anna'")});
    QCOMPARE(Count(), QStringLiteral("1"));
    QCOMPARE(Button("cmdNote0")->text(), QStringLiteral("Nuova nota"));
    QCOMPARE(Field("txtScadenze")->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(List()->isEnabled());
  }

  void dateFieldsFilterKeysAndRejectImpossibleValues() {
    Open();
    Click("cmdNote0");
    QLineEdit* day = Field("txtdata0");
    QLineEdit* month = Field("txtdata1");
    QTest::keyClicks(day, QStringLiteral("a-/"));  // not digits: discarded, no beep
    QCOMPARE(day->text(), QString());
    QCOMPARE(t_->beeps, 0);
    QTest::keyClicks(day, QStringLiteral("32"));
    QCOMPARE(day->text(), QString());
    QVERIFY(t_->beeps >= 1);
    const int beeps = t_->beeps;
    QTest::keyClicks(day, QStringLiteral("00"));
    QCOMPARE(day->text(), QString());
    QVERIFY(t_->beeps > beeps);
    QVERIFY(day->hasFocus());
    QTest::keyClicks(day, QStringLiteral("3"));
    QTest::keyClick(day, Qt::Key_Backspace);  // emptying a field beeps too
    QCOMPARE(day->text(), QString());
    // One digit is padded when the month gets the focus, and the month when it
    // loses it.
    QTest::keyClicks(day, QStringLiteral("5"));
    month->setFocus();
    QCOMPARE(day->text(), QStringLiteral("05"));
    QTest::keyClicks(month, QStringLiteral("13"));
    QCOMPARE(month->text(), QString());
    QTest::keyClicks(month, QStringLiteral("4"));
    Field("txtScadenze")->setFocus();
    QCOMPARE(month->text(), QStringLiteral("04"));
  }

  void refusesInvalidDuplicateAndIncompleteEntries() {
    WriteBytes(NotesPath(), "40609,\"Esistente\"\r\n");
    Open();
    Click("cmdNote0");
    Enter(QStringLiteral("29"), QStringLiteral("02"), QStringLiteral("Bisestile"), "cmdNote0");
    QCOMPARE(t_->messages.size(), 1);
    QCOMPARE(t_->messages[0].text, QStringLiteral("Data non valida"));
    QCOMPARE(t_->messages[0].title, QStringLiteral("Attenzione!"));
    QCOMPARE(t_->messages[0].icon, QMessageBox::Warning);
    QCOMPARE(Field("txtdata0")->text(), QString());
    QCOMPARE(Field("txtdata1")->text(), QString());
    QCOMPARE(form_->EditMode(), int(frmNote::NewNote));
    QVERIFY(Field("txtdata0")->hasFocus());

    Field("txtScadenze")->clear();
    Enter(QStringLiteral("07"), QStringLiteral("03"), QStringLiteral("Doppia"), "cmdNote0");
    QCOMPARE(t_->messages.last().text, QStringLiteral("Data già presente"));
    QCOMPARE(t_->messages.last().title, QStringLiteral("Attenzione!"));
    QCOMPARE(form_->EditMode(), int(frmNote::NewNote));

    Field("txtScadenze")->clear();
    Enter(QStringLiteral("31"), QStringLiteral("12"), QStringLiteral("   "), "cmdNote0");
    QCOMPARE(t_->messages.last().text, QStringLiteral("Dati incompleti!"));
    QVERIFY(Field("txtScadenze")->hasFocus());
    QCOMPARE(ReadBytes(NotesPath()), QByteArray("40609,\"Esistente\"\r\n"));

    // "Annulla" drops the entry.
    Click("cmdNote3");
    QCOMPARE(form_->EditMode(), int(frmNote::Idle));
    QCOMPARE(Field("txtdata0")->text(), QString());
    QCOMPARE(Field("txtScadenze")->text(), QString());
  }

  void modifiesANoteKeepingOrChangingItsDate() {
    WriteBytes(NotesPath(), "40609,\"Primo\"\r\n40545,\"Secondo\"\r\n");
    Open();
    SelectRow(1);  // 07/03 after 02/01
    QCOMPARE(Status(), QStringLiteral("Cancella o modifica la nota selezionata"));
    QVERIFY(!Button("cmdNote0")->isEnabled());
    QVERIFY(Button("cmdNote1")->isEnabled());
    QVERIFY(Button("cmdNote2")->isEnabled());
    Click("cmdNote1");
    QCOMPARE(form_->EditMode(), int(frmNote::ModifyNote));
    QCOMPARE(Field("txtdata0")->text(), QStringLiteral("07"));
    QCOMPARE(Field("txtdata1")->text(), QStringLiteral("03"));
    QCOMPARE(Field("txtScadenze")->text(), QStringLiteral("Primo"));
    QCOMPARE(Button("cmdNote1")->text(), QStringLiteral("Salva"));
    QVERIFY(!Button("cmdNote2")->isEnabled());
    QCOMPARE(Status(),
             QStringLiteral("Modifica la data (solo giorno e/o mese) e/o la nota selezionata"));
    Field("txtScadenze")->selectAll();
    QTest::keyClicks(Field("txtScadenze"), QStringLiteral("Primo cambiato"));
    Click("cmdNote1");  // same date as before: allowed
    QVERIFY(t_->messages.isEmpty());
    QCOMPARE(ReadBytes(NotesPath()),
             QByteArray("40545,\"Secondo\"\r\n40609,\"Primo cambiato\"\r\n"));

    SelectRow(0);
    Click("cmdNote1");
    Field("txtdata0")->selectAll();
    QTest::keyClicks(Field("txtdata0"), QStringLiteral("07"));
    Field("txtdata1")->selectAll();
    QTest::keyClicks(Field("txtdata1"), QStringLiteral("03"));
    Click("cmdNote1");  // the date of the other note
    QCOMPARE(t_->messages.last().text, QStringLiteral("Data già presente"));
    Click("cmdNote3");
    QCOMPARE(Button("cmdNote1")->text(), QStringLiteral("Modifica"));
    QCOMPARE(ListTexts().size(), 2);
  }

  void deletesOnlyAfterConfirmation() {
    WriteBytes(NotesPath(), "40545,\"Uno\"\r\n40609,\"Due\"\r\n");
    Open();
    SelectRow(0);
    t_->answer = QMessageBox::No;
    Click("cmdNote2");
    QCOMPARE(t_->messages.last().text,
             QStringLiteral("          ATTENZIONE!\nCancellare la nota evidenziata?"));
    QCOMPARE(t_->messages.last().title, QStringLiteral("Orvanta"));
    QCOMPARE(t_->messages.last().icon, QMessageBox::Warning);
    QCOMPARE(ListTexts().size(), 2);
    QCOMPARE(form_->EditMode(), int(frmNote::Idle));
    QVERIFY(List()->selectedItems().isEmpty());

    SelectRow(0);
    t_->answer = QMessageBox::Yes;
    Click("cmdNote2");
    QCOMPARE(ListTexts(), QStringList{QStringLiteral("07/03/11  Due")});
    QCOMPARE(Count(), QStringLiteral("1"));
    QCOMPARE(ReadBytes(NotesPath()), QByteArray("40609,\"Due\"\r\n"));
  }

  void readOnlyFileShowsTheListButRefusesChanges() {
    WriteBytes(NotesPath(), "40545,\"Uno\"\r\n");
    t_->readOnly = true;
    Open();
    QVERIFY(form_->ReadOnlyMode());
    QCOMPARE(Status(), QStringLiteral("Attenzione: File dati di sola lettura"));
    QCOMPARE(ListTexts().size(), 1);
    QVERIFY(!Button("cmdNote0")->isEnabled());
    QVERIFY(!Button("cmdNote3")->isEnabled());
    SelectRow(0);
    QVERIFY(!Button("cmdNote1")->isEnabled());
    QVERIFY(!Button("cmdNote2")->isEnabled());
    Button("cmdNote0")->setEnabled(true);  // even a forced press does nothing
    Click("cmdNote0");
    QCOMPARE(form_->EditMode(), int(frmNote::Idle));
    QCOMPARE(ReadBytes(NotesPath()), QByteArray("40545,\"Uno\"\r\n"));
  }

  void realUnwritableFileGivesReadOnlyMode() {
    WriteBytes(NotesPath(), "40545,\"Uno\"\r\n");
    const UnprivilegedScope unprivileged(t_->appDir.path());
    if (!unprivileged.Ok()) QSKIP("root can write every file");
    QFile::setPermissions(NotesPath(), QFile::ReadOwner);
    QFile::setPermissions(t_->appDir.path(), QFile::ReadOwner | QFile::ExeOwner);
    Open();
    QVERIFY(form_->ReadOnlyMode());
    QFile::setPermissions(t_->appDir.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  // A save the file refuses (it became unwritable after the editor opened) is
  // told, and the typed note stays in the fields instead of vanishing.
  void aFailedSaveIsToldAndKeepsTheTypedNote() {
    WriteBytes(NotesPath(), "40545,\"Uno\"\r\n");
    const UnprivilegedScope unprivileged(t_->appDir.path());
    if (!unprivileged.Ok()) QSKIP("root can write every file");
    Open();
    QVERIFY(!form_->ReadOnlyMode());
    QFile::setPermissions(NotesPath(), QFile::ReadOwner);
    QFile::setPermissions(t_->appDir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const auto writable = qScopeGuard([this] {
      QFile::setPermissions(t_->appDir.path(),
                            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    Click("cmdNote0");
    Enter(QStringLiteral("07"), QStringLiteral("03"), QStringLiteral("Festa"), "cmdNote0");
    QCOMPARE(WarningsTitled(QStringLiteral("Attenzione!")).size(), 1);
    QCOMPARE(form_->EditMode(), int(frmNote::NewNote));
    QCOMPARE(Field("txtScadenze")->text(), QStringLiteral("Festa"));
    QCOMPARE(ListTexts().size(), 1);
    QCOMPARE(ReadBytes(NotesPath()), QByteArray("40545,\"Uno\"\r\n"));
    // Deleting is told the same way, and the note stays listed.
    Click("cmdNote3");
    SelectRow(0);
    t_->answer = QMessageBox::Yes;
    Click("cmdNote2");
    QCOMPARE(WarningsTitled(QStringLiteral("Attenzione!")).size(), 2);
    QCOMPARE(ListTexts().size(), 1);
  }

  void unreadableRecordsAreShownAsWarningAndKept() {
    const QByteArray tail = "not a record\r\n40700,\"Dopo\"\r\n";
    WriteBytes(NotesPath(), QByteArray("40609,\"Prima\"\r\n40545,\"Altra\"\r\n") + tail);
    Open();
    QCOMPARE(ListTexts().size(), 2);  // the records before the bad line
    QCOMPARE(form_->UnreadableLineCount(), 2);
    auto* warning = form_->findChild<QLabel*>("lblUnreadable");
    QVERIFY(warning->isVisible());
    QVERIFY(warning->text().contains(QStringLiteral("non leggibili")));
    QTRY_COMPARE(WarningsTitled(QStringLiteral("Orvanta")).size(), 1);

    // A new note is saved before the kept lines, so it can be read back.
    Click("cmdNote0");
    Enter(QStringLiteral("01"), QStringLiteral("05"), QStringLiteral("Nuova"), "cmdNote0");
    QCOMPARE(ReadBytes(NotesPath()),
             QByteArray("40545,\"Altra\"\r\n40609,\"Prima\"\r\n40664,\"Nuova\"\r\n") + tail);
    QCOMPARE(ListTexts().size(), 3);

    SelectRow(0);
    Click("cmdNote1");
    Field("txtScadenze")->selectAll();
    QTest::keyClicks(Field("txtScadenze"), QStringLiteral("Cambiata"));
    Click("cmdNote1");
    QVERIFY(ReadBytes(NotesPath()).endsWith("40545,\"Cambiata\"\r\n" + tail));

    SelectRow(0);
    Click("cmdNote2");
    QVERIFY(ReadBytes(NotesPath()).endsWith(tail));
    QCOMPARE(ListTexts().size(), 2);
    QVERIFY(warning->isVisible());
  }
  // Notes.dat is Windows-1252 even where its bytes also happen to be UTF-8:
  // "È¸" (C8 B8, as the editor stores "È,") must not turn into "ȸ".
  void windows1252RecordsAreShownAndKeptAsStored() {
    WriteBytes(NotesPath(), "40609,\"CAFF\xC8\xB8 LATTE\"\r\n");
    Open();
    QCOMPARE(ListTexts(), QStringList{QStringLiteral("07/03/11  CAFF\u00C8\u00B8 LATTE")});
    Click("cmdNote0");
    Enter(QStringLiteral("08"), QStringLiteral("03"), QStringLiteral("Altra"), "cmdNote0");
    QCOMPARE(ReadBytes(NotesPath()),
             QByteArray("40609,\"CAFF\xC8\xB8 LATTE\"\r\n40610,\"Altra\"\r\n"));
    QCOMPARE(ListTexts().first(), QStringLiteral("07/03/11  CAFF\u00C8\u00B8 LATTE"));
  }

  // A save writes back the notes the user did not touch exactly as they were:
  // a record typed in UTF-8 by hand, one longer than the 50 characters the
  // field allows for typing; one with blanks around its parts, which the
  // calendar's strict reader would stop at, in the exact format.
  void untouchedRecordsAreWrittenBackByteForByte() {
    const QByteArray handTyped = "40545,\"Compleanno di \xC5\x81ukasz \xE2\x9C\x93\"";
    const QByteArray longer = "40609,\"" + QByteArray(60, 'x') + "\"";
    const QByteArray spaced = " 40700 , \"  con spazi\t \" ";
    const QByteArray exact = "40700,\"  con spazi  \"";
    WriteBytes(NotesPath(), handTyped + "\r\n" + longer + "\r\n" + spaced + "\r\n");
    Open();
    Click("cmdNote0");
    Enter(QStringLiteral("01"), QStringLiteral("05"), QStringLiteral("Nuova"), "cmdNote0");
    QCOMPARE(ReadBytes(NotesPath()),
             handTyped + "\r\n" + longer + "\r\n" + exact + "\r\n40664,\"Nuova\"\r\n");

    // "Modifica" shows the whole long text and an unchanged save keeps it.
    SelectRow(1);
    Click("cmdNote1");
    QLineEdit* note = Field("txtScadenze");
    QCOMPARE(note->text(), QString(60, QLatin1Char('x')));
    note->end(false);
    QTest::keyClicks(note, QStringLiteral("yz"));  // typing cannot make it longer
    QCOMPARE(note->text().size(), 60);
    note->setText(QString(60, QLatin1Char('x')));
    Click("cmdNote1");
    QCOMPARE(ReadBytes(NotesPath()),
             handTyped + "\r\n40664,\"Nuova\"\r\n" + exact + "\r\n" + longer + "\r\n");

    // A changed note is written anew, the others stay as they were.
    SelectRow(2);  // 01/05 "Nuova"
    Click("cmdNote1");
    note->selectAll();
    QTest::keyClicks(note, QStringLiteral("Cambiata"));
    Click("cmdNote1");
    QCOMPARE(ReadBytes(NotesPath()),
             handTyped + "\r\n" + longer + "\r\n" + exact + "\r\n40664,\"Cambiata\"\r\n");

    // A new note still takes at most 50 typed characters.
    Click("cmdNote0");
    QTest::keyClicks(note, QString(55, QLatin1Char('n')));
    QCOMPARE(note->text().size(), 50);
  }

  // A notes file we may not read is neither shown as empty nor replaced, and
  // its permissions stay as the user set them.
  void unreadableFileIsReportedAndNeverChanged() {
    const QByteArray notes = "40545,\"Uno\"\r\n";
    WriteBytes(NotesPath(), notes);
    QVERIFY(QFile::setPermissions(NotesPath(), QFileDevice::Permissions()));
    {
      const UnprivilegedScope unprivileged(t_->appDir.path());
      if (!unprivileged.Ok()) QSKIP("cannot drop root privileges to make a file unreadable");
      Open();
      QVERIFY(form_->ReadOnlyMode());
      QTRY_COMPARE(WarningsTitled(QStringLiteral("Orvanta")).size(), 1);
      const Message warning = WarningsTitled(QStringLiteral("Orvanta")).first();
      QVERIFY2(warning.text.startsWith(
                   QStringLiteral("Attenzione: impossibile leggere il file delle note.")),
               qPrintable(warning.text));
      QVERIFY(warning.text.contains(QStringLiteral("Notes.dat")));
      QCOMPARE(Status(), QStringLiteral("Attenzione: File dati di sola lettura"));
      QVERIFY(!Button("cmdNote0")->isEnabled());
      Button("cmdNote0")->setEnabled(true);  // even a forced press changes nothing
      Click("cmdNote0");
      QCOMPARE(form_->EditMode(), int(frmNote::Idle));
      form_.reset();
    }
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(NotesPath()).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, 0u);  // permissions as the user left them
    QVERIFY(QFile::setPermissions(NotesPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(ReadBytes(NotesPath()), notes);
  }

  // Notes that another window (or another start of the program) added after
  // this window read the file survive every kind of save made here.
  void savesKeepNotesAddedMeanwhile() {
    WriteBytes(NotesPath(), "40545,\"Uno\"\r\n");
    Open();
    frmNote other(t_->services);
    QTest::mouseClick(other.findChild<QPushButton*>("cmdNote0"), Qt::LeftButton);
    QTest::keyClicks(other.findChild<QLineEdit*>("txtdata0"), QStringLiteral("07"));
    QTest::keyClicks(other.findChild<QLineEdit*>("txtdata1"), QStringLiteral("03"));
    QTest::keyClicks(other.findChild<QLineEdit*>("txtScadenze"), QStringLiteral("Altra"));
    QTest::mouseClick(other.findChild<QPushButton*>("cmdNote0"), Qt::LeftButton);
    QCOMPARE(ReadBytes(NotesPath()), QByteArray("40545,\"Uno\"\r\n40609,\"Altra\"\r\n"));

    Click("cmdNote0");  // this window still lists "Uno" only
    Enter(QStringLiteral("01"), QStringLiteral("05"), QStringLiteral("Nuova"), "cmdNote0");
    QCOMPARE(ReadBytes(NotesPath()),
             QByteArray("40545,\"Uno\"\r\n40609,\"Altra\"\r\n40664,\"Nuova\"\r\n"));
    QCOMPARE(ListTexts().size(), 3);

    AppendBytes(NotesPath(), "40700,\"Terza\"\r\n");
    SelectRow(0);
    Click("cmdNote1");
    Field("txtScadenze")->selectAll();
    QTest::keyClicks(Field("txtScadenze"), QStringLiteral("Uno cambiato"));
    Click("cmdNote1");
    QCOMPARE(ReadBytes(NotesPath()),
             QByteArray("40609,\"Altra\"\r\n40664,\"Nuova\"\r\n40545,\"Uno cambiato\"\r\n"
                        "40700,\"Terza\"\r\n"));

    AppendBytes(NotesPath(), "40701,\"Quarta\"\r\n");
    SelectRow(0);
    Click("cmdNote2");
    QCOMPARE(ReadBytes(NotesPath()),
             QByteArray("40609,\"Altra\"\r\n40664,\"Nuova\"\r\n40700,\"Terza\"\r\n"
                        "40701,\"Quarta\"\r\n"));
    QCOMPARE(ListTexts().size(), 4);  // the list shows what the file holds now
  }

  // With unreadable lines at the end, a note added meanwhile (appended after
  // them) is saved before them, where it can be read.
  void notesAddedMeanwhileAfterUnreadableLinesStayReadable() {
    WriteBytes(NotesPath(), "40545,\"Uno\"\r\nriga rovinata\r\n");
    Open();
    AppendBytes(NotesPath(), "40609,\"Altra\"\r\n");
    Click("cmdNote0");
    Enter(QStringLiteral("01"), QStringLiteral("05"), QStringLiteral("Nuova"), "cmdNote0");
    QCOMPARE(
        ReadBytes(NotesPath()),
        QByteArray("40545,\"Uno\"\r\n40664,\"Nuova\"\r\n40609,\"Altra\"\r\nriga rovinata\r\n"));
    QCOMPARE(ListTexts().size(), 3);
  }

  // One window per user whatever the environment: a start from a terminal
  // with another TMPDIR finds the lock of the running one, and a lock that
  // someone planted in a temporary folder keeps nobody out.
  void secondStartWithAnotherTmpdirIsRefused() {
    {
      SingleInstanceLock probe = UserInstanceLock();
      if (!probe.Acquire()) QSKIP("the program is running for this user");
    }
    QTemporaryDir firstTmp;
    QTemporaryDir secondTmp;
    const QString planted =
        firstTmp.path() +
        QStringLiteral("/Orvanta-%1.lock").arg(static_cast<qulonglong>(::getuid()));
    // Held by a process that runs: what another user can plant.
    QProcess holder;
    holder.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(holder.waitForStarted());
    WriteBytes(planted, QByteArray::number(holder.processId()) + "\nsleep\n" +
                            QSysInfo::machineHostName().toUtf8() + "\n");
    const auto endHolder = qScopeGuard([&holder] {
      holder.kill();
      holder.waitForFinished();
    });

    const ScopedEnvironment firstTerminal("TMPDIR", QFile::encodeName(firstTmp.path()).constData());
    SingleInstanceLock running = UserInstanceLock();
    QVERIFY(running.Acquire());
    QVERIFY(!running.FileName().isEmpty());
    QVERIFY(!running.FileName().startsWith(firstTmp.path()));
    {
      const ScopedEnvironment secondTerminal("TMPDIR",
                                             QFile::encodeName(secondTmp.path()).constData());
      SingleInstanceLock second = UserInstanceLock();
      QVERIFY(!second.Acquire());
      QCOMPARE(second.FileName(), running.FileName());
    }

    // Nobody else can create or replace the lock: its folder is ours alone.
    struct stat folder {};
    const QByteArray lockFolder = QFile::encodeName(QFileInfo(running.FileName()).path());
    QCOMPARE(::stat(lockFolder.constData(), &folder), 0);
    QCOMPARE(folder.st_uid, ::geteuid());
    QCOMPARE(folder.st_mode & 077, 0u);
  }
};

QTEST_MAIN(NotesEditorTest)
#include "NotesEditorTest.moc"
