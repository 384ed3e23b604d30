// The notes editor window driven through its real controls.

#include <unistd.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "GuiTestSupport.h"
#include "app/gui/frmNote.h"

using namespace orvanta;
using namespace orvanta::test;

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
    Enter(QStringLiteral("08"), QStringLiteral("03"), QStringLiteral("   "), "cmdNote0");
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
    if (::geteuid() == 0) QSKIP("root can write every file");
    WriteBytes(NotesPath(), "40545,\"Uno\"\r\n");
    QFile::setPermissions(NotesPath(), QFile::ReadOwner);
    QFile::setPermissions(t_->appDir.path(), QFile::ReadOwner | QFile::ExeOwner);
    Open();
    QVERIFY(form_->ReadOnlyMode());
    QFile::setPermissions(t_->appDir.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
};

QTEST_MAIN(NotesEditorTest)
#include "gui_notes_editor_tests.moc"
