// Address books and calendars imported into the notes: the fixtures in
// tests/data/import are exports as phones, address books and web calendars
// write them, imported into a notes file that already holds a note on
// 15 March and ends in a line the calendar cannot read.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/notes/NotesEditing.h"
#include "app/import/NotesImport.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

using namespace test;

constexpr char kExisting[] = "40617,\"Compleanno di Zia\"\n";  // 15 March, LF alone
constexpr char kUnreadable[] = "riga rotta\r\n";

struct Case {
  const char* fixture;
  std::vector<std::string> report;  // without the fixture's name in front
  std::string added;                // the lines that come before the unreadable one
};

class NotesImportTest : public ::testing::Test {
 protected:
  NotesImportOutcome Import(const std::string& fixture, bool dryRun = false) {
    NotesImportRequest request;
    request.inputFiles = {std::string(ORVANTA_SOURCE_DIR) + "/tests/data/import/" + fixture};
    request.notesFile = path_;
    request.dryRun = dryRun;
    return ImportNotes(request);
  }

  void Check(const Case& c) {
    WriteFile(path_, std::string(kExisting) + kUnreadable);
    const NotesImportOutcome first = Import(c.fixture);
    EXPECT_EQ(first.status, NotesImportOutcome::Status::Imported) << c.fixture;
    std::vector<std::string> report;
    const std::string name = std::string(ORVANTA_SOURCE_DIR) + "/tests/data/import/";
    for (std::string line : first.report) {
      if (line.starts_with(name)) line.erase(0, name.size());
      report.push_back(line);
    }
    EXPECT_EQ(report, c.report) << c.fixture;
    const std::string file = std::string(kExisting) + c.added + kUnreadable;
    EXPECT_EQ(ReadFile(path_), file) << c.fixture;
    // Importing the same file again adds nothing.
    const NotesImportOutcome again = Import(c.fixture);
    EXPECT_TRUE(again.report.back().starts_with("Note aggiunte: 0,")) << again.report.back();
    EXPECT_EQ(ReadFile(path_), file) << c.fixture;
  }

  TempFolder temp_{"orvanta-notes-import"};
  const std::string path_ = (temp_.path() / "Notes.dat").string();
};

TEST_F(NotesImportTest, AddressBooks) {
  const Case cases[] = {
      {"phone-2.1.vcf",
       {"phone-2.1.vcf: 15/03 \"Compleanno di Niccolò Nicolò\": giorno già occupato dalla nota "
        "\"Compleanno di Zia\"",
        "phone-2.1.vcf: 04/07 \"Compleanno di André Désiré della Rocca di Sant'Aga\": accorciata "
        "a 50 caratteri",
        "phone-2.1.vcf: 29/02 \"Compleanno di Leo Verdi\": il 29 febbraio non può essere una nota",
        "phone-2.1.vcf: 1 contatto senza data ignorato",
        "Note aggiunte: 1, già presenti: 0, scartate: 3"},
       "40728,\"Compleanno di Andr\xE9 D\xE9sir\xE9 della Rocca di Sant'Aga\"\r\n"},
      {"contacts-3.0.vcf",
       {"contacts-3.0.vcf: 15/03 \"Compleanno di Anna Rossi\": giorno già occupato dalla nota "
        "\"Compleanno di Zia\"",
        "contacts-3.0.vcf: 01/01 \"Compleanno di Dott.ssa Francesca Maria Immacolata\": "
        "accorciata a 50 caratteri",
        "contacts-3.0.vcf: 1 contatto senza data ignorato",
        "Note aggiunte: 4, già presenti: 0, scartate: 2"},
       "40544,\"Compleanno di Dott.ssa Francesca Maria Immacolata\"\r\n"
       "40703,\"Anniversario di Marco Conti\"\r\n"  // X-ANNIVERSARY, 9 June
       "40849,\"Compleanno di Marco Conti\"\r\n"    // X-APPLE-OMIT-YEAR=1604
       "40878,\"Compleanno di Ferramenta Gallo\"\r\n"},
      {"contacts-4.0.vcf",
       {"contacts-4.0.vcf: \"Compleanno di Bisnonno Ettore\": data scritta come testo ('circa "
        "1800'), non come data",
        "contacts-4.0.vcf: 22/04 \"Compleanno di Yuki ??\": scritti come '?' i caratteri che "
        "mancano in Windows-1252: '山' '田'",
        "Note aggiunte: 5, già presenti: 0, scartate: 1"},
       "40655,\"Compleanno di Paolo Grieco / Compleanno di Yuki ??\"\r\n"  // 50 characters
       "40668,\"Compleanno di S\xF8ren Kierkegaard\"\r\n"                  // 1813-05-05T00:00:00Z
       "40803,\"Anniversario di Paolo Grieco\"\r\n"
       "40887,\"Compleanno di Ada Lovelace\xB8 contessa\"\r\n"},
      // A byte order mark and blank lines before the first contact.
      {"apple-google.vcf",
       {"apple-google.vcf: 04/10 \"Other di Giulia Ferri\": data con etichetta 'Other': "
        "diventano note solo compleanni e anniversari",
        // "Compleanno di Zia" on 15/03 is there already: counted, not reported.
        "apple-google.vcf: 15/03 \"Compleanno di José Morettì\": giorno già occupato dalla "
        "nota \"Compleanno di Zia\"",  // decomposed accents, as macOS writes them
        "apple-google.vcf: 22/04 \"Compleanno di 山田\": il nome non ha nessuna lettera che le "
        "note possano scrivere",
        "apple-google.vcf: 23/05 \"Compleanno di \\x01\\x02\\x1B\": il nome non ha nessuna "
        "lettera che le note possano scrivere",
        "apple-google.vcf: \"Elena Santoro\": contatto senza END:VCARD (inizia alla riga 42): "
        "controllare il file",
        "apple-google.vcf: 14/02 \"Compleanno di Carla Bruno?\": scritti come '?' i caratteri "
        "che mancano in Windows-1252: '\\u202E'",
        "Note aggiunte: 3, già presenti: 1, scartate: 5"},
       "40588,\"Compleanno di Carla Bruno?\"\r\n"
       "40714,\"Anniversario di Giulia Ferri\"\r\n"    // item1.X-ABDATE, _$!<Anniversary>!$_
       "40877,\"Compleanno di Benedetta Lodi\"\r\n"},  // FN in BASE64
      // UTF-16 with a byte order mark; a QUOTED-PRINTABLE name that ends in "="
      // before END:VCARD does not take the next contact with it.
      {"outlook-utf16.vcf",
       {"outlook-utf16.vcf: 1 contatto senza data ignorato",
        "Note aggiunte: 3, già presenti: 0, scartate: 1"},
       "40564,\"Compleanno di Bruno Costa\"\r\n"
       "40671,\"Anniversario di Bruno Costa\"\r\n"        // X-WAB-WEDDING_ANNIVERSARY
       "40803,\"Anniversario di Paolo Marchetti\"\r\n"},  // X-MS-ANNIVERSARY
      {"evolution-cr.vcf",                                // CR alone ends the lines
       {"Note aggiunte: 2, già presenti: 0, scartate: 0"},
       "40752,\"Anniversario di Marta Galli\"\r\n"  // X-EVOLUTION-ANNIVERSARY
       "40879,\"Compleanno di Piero Galli\"\r\n"},
  };
  for (const Case& c : cases) Check(c);
}

TEST_F(NotesImportTest, Calendars) {
  const Case cases[] = {
      {"birthdays.ics",
       {"birthdays.ics: 15/03 \"Compleanno di Niccolò\": giorno già occupato dalla nota "
        "\"Compleanno di Zia\"",
        "birthdays.ics: 29/02 \"Compleanno di Leo\": il 29 febbraio non può essere una nota",
        "birthdays.ics: 01/01 \"Rinnovare l'assicurazione dell'automobile e il bol\": accorciata "
        "a 50 caratteri",
        "birthdays.ics: 04/07 \"Compleanno di ?ukasz\": scritti come '?' i caratteri che mancano "
        "in Windows-1252: 'Ł'",
        // Second Sunday of May, a one-off event, a weekly one.
        "birthdays.ics: 3 eventi ignorati perché non si ripetono ogni anno nello stesso giorno",
        "Note aggiunte: 5, già presenti: 0, scartate: 5"},
       "40544,\"Rinnovare l'assicurazione dell'automobile e il bol\"\r\n"
       "40708,\"Chiamare zio Joe a New York\"\r\n"  // 23:30 in New York on 14 June
       "40728,\"Compleanno di ?ukasz\"\r\n"
       "40775,\"Onomastico di Bernardo\"\r\n"  // floating, on the day as written
       // 23:30 UTC on 20 August is 01:30 on the 21st in Italy.
       "40776,\"Anniversario\xB8 'nozze' di Marta e Piero\"\r\n"},
      // Series that have ended, or follow another calendar; instants in UTC.
      // A byte order mark in front.
      {"holidays-ended.ics",
       {"holidays-ended.ics: 25/04 \"Anzac Day\": la serie annuale è finita nel 2018",
        "holidays-ended.ics: 19/06 \"Festa di San Gervasio\": la serie annuale è finita nel 2005",
        "holidays-ended.ics: 08/09 \"Sagra dell'uva\": la serie annuale è finita nel 2005",
        "holidays-ended.ics: 10/05 \"Fiera di maggio\": la serie annuale non ha nessuna "
        "ricorrenza",
        "holidays-ended.ics: 10/02 \"Capodanno cinese\": si ripete secondo un altro calendario "
        "(RSCALE=CHINESE)",
        "holidays-ended.ics: 11/07 \"Compleanno di Sara??\": scritti come '?' i caratteri che "
        "mancano in Windows-1252: '\\u202E' '\\u2028'",
        "Note aggiunte: 4, già presenti: 0, scartate: 5"},
       "40558,\"Auguri a Lisbona\"\r\n"     // 22:30 UTC on 15 January: 23:30 in Italy
       "40604,\"Revisione caldaia\"\r\n"    // until 2099
       "40710,\"Telefonare a Sydney\"\r\n"  // 22:30 UTC on 15 June: 00:30 on the 16th
       "40735,\"Compleanno di Sara??\"\r\n"},
  };
  for (const Case& c : cases) Check(c);
}

// A notes window open during the import keeps the imported notes at its next
// save and deletion, since it applies its change to the file as it is then.
TEST_F(NotesImportTest, AnOpenNotesWindowKeepsImportedNotes) {
  WriteFile(path_, "40545,\"Uno\"\r\n");
  NotesEditing window(path_);
  window.Load();
  ASSERT_EQ(Import("contacts-4.0.vcf").status, NotesImportOutcome::Status::Imported);
  ASSERT_TRUE(window.Save(MakeDayNumber(kEditorYear, 3, 7).value(), "Nuova", -1).Ok());
  ASSERT_TRUE(window.Remove(0).Ok());  // "Uno"
  const std::string file = ReadFile(path_);
  EXPECT_EQ(window.Notes().size(), 5u) << file;
  EXPECT_NE(file.find("40655,\"Compleanno di Paolo Grieco / Compleanno di Yuki ??\"\r\n"),
            std::string::npos)
      << file;
  EXPECT_EQ(file.find("Uno"), std::string::npos) << file;
}

// Hostile files are refused with the program's own words or read in linear
// time; nothing of them reaches the terminal raw, nothing the library says
// reaches standard error.
TEST_F(NotesImportTest, HostileFilesAreBounded) {
  const auto import = [&](const std::string& name, const std::string& bytes) {
    const std::string input = (temp_.path() / name).string();
    WriteFile(input, bytes);
    NotesImportRequest request{{input}, path_, true};
    return ImportNotes(request);
  };
  const std::string prefix = "orvanta: --import-notes: il file '" + temp_.path().string() + "/";
  const auto start = std::chrono::steady_clock::now();
  testing::internal::CaptureStderr();
  std::string deep;
  for (int i = 0; i < 300000; ++i) deep += "BEGIN:VCALENDAR\r\n";
  NotesImportOutcome outcome = import("deep.ics", deep);
  EXPECT_EQ(outcome.errors,
            std::vector<std::string>{prefix + "deep.ics' non è un iCalendar leggibile: ha "
                                              "componenti annidati più di 16 livelli (BEGIN "
                                              "dentro BEGIN)"});
  std::string folds = "BEGIN:VCARD\nNOTE\n";  // a line without a colon, then 8 MB of folds
  for (int i = 0; i < 2800000; ++i) folds += " xy\n";
  outcome = import("folds.vcf", folds + "END:VCARD\nBEGIN:VCARD\nFN:Ugo\nBDAY:--0102\nEND:VCARD\n");
  EXPECT_EQ(outcome.report.end()[-2], "Note aggiunte: 1, già presenti: 0, scartate: 1");
  outcome = import("line.ics",
                   "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20100102\nRRULE:FREQ=YEARLY\nSUMMARY:" +
                       std::string(8 << 20, 'a') +
                       "\nEND:VEVENT\nEND:VEVENT\nEND:VTODO\nEND:VCALENDAR\nEND:VCALENDAR\n");
  EXPECT_EQ(outcome.report.end()[-2], "Note aggiunte: 1, già presenti: 0, scartate: 0");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

  const std::string large = (temp_.path() / "large.vcf").string();
  WriteFile(large, "");
  std::filesystem::resize_file(large, kMaxImportBytes + 1);
  NotesImportRequest request{{large}, path_, true};
  EXPECT_EQ(ImportNotes(request).errors,
            std::vector<std::string>{
                prefix + "large.vcf' è troppo grande per un'importazione (più di 64 MB)"});
  request.inputFiles = {(temp_.path() / "x\x1B]0;T\a.vcf").string()};
  const std::vector<std::string> errors = ImportNotes(request).errors;
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("x\\x1B]0;T\\x07.vcf"), std::string::npos) << errors[0];
}

TEST_F(NotesImportTest, DryRunWritesNothing) {
  const NotesImportOutcome outcome = Import("contacts-4.0.vcf", true);
  EXPECT_EQ(outcome.report.back(),
            "Prova (--dry-run): il file delle note '" + path_ + "' non è stato modificato");
  EXPECT_FALSE(std::filesystem::exists(path_));
}

}  // namespace
}  // namespace orvanta
