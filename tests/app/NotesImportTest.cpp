// Address books and calendars imported into the notes: the fixtures in
// tests/data/import are exports as phones, address books and web calendars
// write them, imported into a notes file that already holds a note on
// 15 March and ends in a line the calendar cannot read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/NotesEditing.h"
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
       {"phone-2.1.vcf: 15/03 \"Compleanno di Niccolò Nicolò\": già presente \"Compleanno di Zia\"",
        "phone-2.1.vcf: 04/07 \"Compleanno di André Désiré della Rocca di Sant'Aga\": accorciata "
        "a 50 caratteri",
        "phone-2.1.vcf: 29/02 \"Compleanno di Leo Verdi\": il 29 febbraio non può essere una nota",
        "phone-2.1.vcf: 1 contatto senza data ignorato",
        "Note aggiunte: 1, già presenti: 1, scartate: 2"},
       "40728,\"Compleanno di Andr\xE9 D\xE9sir\xE9 della Rocca di Sant'Aga\"\r\n"},
      {"contacts-3.0.vcf",
       {"contacts-3.0.vcf: 15/03 \"Compleanno di Anna Rossi\": già presente \"Compleanno di Zia\"",
        "contacts-3.0.vcf: 01/01 \"Compleanno di Dott.ssa Francesca Maria Immacolata\": "
        "accorciata a 50 caratteri",
        "contacts-3.0.vcf: 1 contatto senza data ignorato",
        "Note aggiunte: 4, già presenti: 1, scartate: 1"},
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
  };
  for (const Case& c : cases) Check(c);
}

TEST_F(NotesImportTest, Calendars) {
  const Case cases[] = {
      {"birthdays.ics",
       {"birthdays.ics: 15/03 \"Compleanno di Niccolò\": già presente \"Compleanno di Zia\"",
        // Floating, on the day as written.
        "birthdays.ics: 20/08 \"Onomastico di Bernardo\": non entra nei 50 caratteri della nota "
        "del giorno \"Anniversario¸ 'nozze' di Marta e Piero\"",
        "birthdays.ics: 29/02 \"Compleanno di Leo\": il 29 febbraio non può essere una nota",
        "birthdays.ics: 01/01 \"Rinnovare l'assicurazione dell'automobile e il bol\": accorciata "
        "a 50 caratteri",
        "birthdays.ics: 04/07 \"Compleanno di ?ukasz\": scritti come '?' i caratteri che mancano "
        "in Windows-1252: 'Ł'",
        // Second Sunday of May, a one-off event, a weekly one.
        "birthdays.ics: 3 eventi ignorati perché non si ripetono ogni anno nello stesso giorno",
        "Note aggiunte: 4, già presenti: 1, scartate: 5"},
       "40544,\"Rinnovare l'assicurazione dell'automobile e il bol\"\r\n"
       "40708,\"Chiamare zio Joe a New York\"\r\n"  // 23:30 in New York on 14 June
       "40728,\"Compleanno di ?ukasz\"\r\n"
       "40775,\"Anniversario\xB8 'nozze' di Marta e Piero\"\r\n"},  // 23:30 UTC on 20 August
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
  ASSERT_TRUE(window.Save(MakeDayNumber(kEditorYear, 3, 7).value(), "Nuova", -1));
  ASSERT_TRUE(window.Remove(0));  // "Uno"
  const std::string file = ReadFile(path_);
  EXPECT_EQ(window.Notes().size(), 5u) << file;
  EXPECT_NE(file.find("40655,\"Compleanno di Paolo Grieco / Compleanno di Yuki ??\"\r\n"),
            std::string::npos)
      << file;
  EXPECT_EQ(file.find("Uno"), std::string::npos) << file;
}

TEST_F(NotesImportTest, DryRunWritesNothing) {
  const NotesImportOutcome outcome = Import("contacts-4.0.vcf", true);
  EXPECT_EQ(outcome.report.back(),
            "Prova (--dry-run): il file delle note '" + path_ + "' non è stato modificato");
  EXPECT_FALSE(std::filesystem::exists(path_));
}

}  // namespace
}  // namespace orvanta
