#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <QStringList>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/cli/ArgumentScanner.h"
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineSystem.h"
#include "app/cli/CommandLineValues.h"
#include "app/core/run/BitmapCheck.h"
#include "base/Utf8.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestBitmaps.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

using Action = CommandLineResult::Action;

// 15 June 2031, 12:00 UTC: the same year in every time zone.
constexpr std::time_t kMidJune2031 = 1939291200;

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineResult Parse(std::vector<std::string> args) const {
    args.insert(args.begin(), "/opt/orvanta/orvanta");
    CommandLineContext context;
    context.appFolder = appFolder;
    context.tempFolder = "/tmp/";
    context.workingFolderUsable = workingFolderUsable;
    context.fileExists = [this](const std::string& path) { return existing.count(path) > 0; };
    context.folderExists = [this](const std::string& path) { return folders.count(path) > 0; };
    // Paths are one file when they share an entry in `identity` (an inode).
    context.sameFile = [this](const std::string& a, const std::string& b) {
      const auto first = identity.find(a), second = identity.find(b);
      return first != identity.end() && second != identity.end() && first->second == second->second;
    };
    context.bitmapUsable = [this](const std::string& path) { return badBitmaps.count(path) == 0; };
    context.clock = [this] { return now; };
    return ParseCommandLine(args, context);
  }
  CalendarOptions Options(std::vector<std::string> args) const {
    const CommandLineResult result = Parse(std::move(args));
    EXPECT_EQ(result.action, Action::Run) << result.text;
    return result.request.options;
  }
  // The error message, after checking that it is one line of valid UTF-8
  // naming `option` and each of `allowed`.
  std::string Error(std::vector<std::string> args, const std::string& option,
                    const std::vector<std::string>& allowed = {}) const {
    const CommandLineResult result = Parse(args);
    EXPECT_EQ(result.action, Action::Error) << args.back();
    EXPECT_EQ(result.text.find('\n'), std::string::npos) << result.text;
    EXPECT_EQ(result.text.rfind("orvanta: ", 0), 0u) << result.text;
    EXPECT_EQ(QString::fromUtf8(result.text).toStdString(), result.text) << "not UTF-8";
    EXPECT_NE(result.text.find(option), std::string::npos) << result.text;
    for (const std::string& value : allowed)
      EXPECT_NE(result.text.find(value), std::string::npos) << result.text;
    return result.text;
  }

  std::string appFolder = "/opt/orvanta/";
  bool workingFolderUsable = true;
  std::set<std::string> existing;
  std::set<std::string> folders;
  std::map<std::string, int> identity;
  std::set<std::string> badBitmaps;
  std::time_t now = kMidJune2031;
};

// The window's defaults, except the year: the current one, as `cal` does.
TEST_F(CommandLineTest, DefaultsAreTheWindowsDefaults) {
  const CommandLineResult result = Parse({});
  ASSERT_EQ(result.action, Action::Run);
  const CalendarJob& request = result.request;
  EXPECT_EQ(request.options.Anno, 2031);
  EXPECT_EQ(request.pdf.path, "/tmp/Orvanta.pdf");
  EXPECT_EQ(request.ics.path, "");
  EXPECT_EQ(request.notesFile, "/opt/orvanta/Notes.dat");
  EXPECT_EQ(request.shiftFile, "/opt/orvanta/Turno.txt");
  EXPECT_FALSE(request.openViewer);
  const CalendarOptions& o = request.options;
  EXPECT_TRUE(o.PrintColor && o.Chiesa && o.FasiSoleLuna && o.Icone && o.Note && o.PrintMese_P_S &&
              o.Progressivi && o.Testo3D && o.Zodiaco);
  EXPECT_EQ(o.TextColor, 0);
  // Notes and shifts only when their files exist.
  EXPECT_FALSE(o.NotePersonali);
  EXPECT_FALSE(o.Turno);
  EXPECT_TRUE(o.CustomTopText.empty() && o.CustomTopImage.empty() && o.CustomDownText.empty() &&
              o.CustomDownImage.empty());

  existing = {"/opt/orvanta/Notes.dat", "/opt/orvanta/Turno.txt"};
  EXPECT_TRUE(Options({}).NotePersonali);
  EXPECT_TRUE(Options({}).Turno);
  EXPECT_FALSE(Options({"--no-notes"}).NotePersonali);
  EXPECT_FALSE(Options({"--no-shift"}).Turno);
}

TEST_F(CommandLineTest, EachSwitchTurnsOffItsOwnOption) {
  existing = {"/opt/orvanta/Notes.dat", "/opt/orvanta/Turno.txt"};
  const std::vector<std::pair<std::string, bool CalendarOptions::*>> switches = {
      {"--mono", &CalendarOptions::PrintColor},
      {"--no-side-columns", &CalendarOptions::PrintMese_P_S},
      {"--no-progressive", &CalendarOptions::Progressivi},
      {"--no-3d", &CalendarOptions::Testo3D},
      {"--no-zodiac", &CalendarOptions::Zodiaco},
      {"--no-ephemeris", &CalendarOptions::FasiSoleLuna},
      {"--no-pictures", &CalendarOptions::Icone},
      {"--no-religious", &CalendarOptions::Chiesa},
      {"--no-footnotes", &CalendarOptions::Note},
      {"--no-notes", &CalendarOptions::NotePersonali},
      {"--no-shift", &CalendarOptions::Turno},
  };
  for (const auto& [name, field] : switches) {
    const CalendarOptions options = Options({name});
    for (const auto& [other, otherField] : switches)
      EXPECT_EQ(options.*otherField, other != name) << name << " / " << other;
  }
  EXPECT_TRUE(Parse({"--open"}).request.openViewer);
  EXPECT_FALSE(Options({"-mono"}).PrintColor);  // one dash works too
  EXPECT_EQ(Options({"-year=2020"}).Anno, 2020);
  // Other words after one dash are short options, as getopt reads them.
  EXPECT_EQ(Options({"-y", "2020"}).Anno, 2020);
  EXPECT_EQ(Options({"-y2020"}).Anno, 2020);
  EXPECT_EQ(Parse({"-o", "c.pdf"}).request.pdf.path, "c.pdf");
  EXPECT_EQ(Parse({"-hv"}).action, Action::Help);
  Error({"-hx"}, "'-x'");
  // A value is not an option, whatever it looks like.
  EXPECT_EQ(Options({"--header-text", "-mono", "--footer-text", "-hv"}).CustomTopText, "-mono");
  EXPECT_EQ(Options({"-o", "-mono"}).PrintColor, true);
}

TEST_F(CommandLineTest, YearAndTextColour) {
  EXPECT_EQ(Options({"--year", "1900"}).Anno, 1900);
  EXPECT_EQ(Options({"--year=2100"}).Anno, 2100);
  EXPECT_EQ(Options({"--year", "2013", "--year", "1999"}).Anno, 1999);  // the last one counts
  for (const char* bad : {"1899", "2101", "abc", "20 13", "", "+2013", "02013", "-5", "2013.0",
                          "Next", "next ", "prossimo"})
    Error({"--year", bad}, "--year", {"1900", "2100", "next"});

  EXPECT_EQ(Options({"--text-color", "black"}).TextColor, 0x000000);
  EXPECT_EQ(Options({"--text-color", "blue"}).TextColor, 0xCD0000);
  EXPECT_EQ(Options({"--text-color", "green"}).TextColor, 0x00A900);
  Error({"--text-color", "red"}, "--text-color", {"black", "blue", "green"});
  Error({"--text-color", "Blue"}, "--text-color", {"black", "blue", "green"});
}

// Without --year the current year, and "next" the coming one, by the
// context's clock in local time.
TEST_F(CommandLineTest, YearFromTheClock) {
  EXPECT_EQ(Options({"--year", "next"}).Anno, 2032);
  EXPECT_EQ(Options({"--year=next"}).Anno, 2032);
  EXPECT_EQ(Options({"--year", "next", "--year", "1999"}).Anno, 1999);
  now = 4116744000;  // 15 June 2100: this year can be written, the next cannot
  EXPECT_EQ(Options({}).Anno, 2100);
  Error({"--year", "next"}, "--year", {"2101", "1900", "2100"});
  now = -2208945600;  // 1 January 1900 12:00 UTC, a clock gone wrong
  EXPECT_EQ(Options({}).Anno, 1900);
  now = -2226225600;  // June 1899
  Error({}, "--year", {"1899", "1900", "2100"});
  EXPECT_EQ(Options({"--year", "2013"}).Anno, 2013);  // a year given needs no clock
  // 00:30 on 1 January 2027 in Rome is still 2026 in universal time.
  {
    const test::ScopedEnvironment rome("TZ", "Europe/Rome");
    ::tzset();
    now = 1798759800;
    EXPECT_EQ(Options({}).Anno, 2027);
    EXPECT_EQ(Options({"--year", "next"}).Anno, 2028);
  }
  ::tzset();
}

TEST_F(CommandLineTest, HeaderAndFooterFollowTheInputWindow) {
  const std::string fortyFive(45, 'x');
  EXPECT_EQ(Options({"--header-text", fortyFive}).CustomTopText, std::string(40, 'x'));
  EXPECT_EQ(Options({"--footer-text", fortyFive}).CustomDownText, std::string(30, 'x'));
  // Cut first, then trimmed; characters, not bytes; control characters as blanks.
  EXPECT_EQ(Options({"--header-text", "   " + std::string(40, 'y')}).CustomTopText,
            std::string(37, 'y'));
  EXPECT_EQ(Options({"--footer-text", "  Buon anno!  "}).CustomDownText, "Buon anno!");
  // Printed text has to be text: bytes that are not UTF-8 are refused, not
  // replaced, and the message shows them as U+FFFD.
  const std::string notUtf8 =
      Error({"--footer-text", std::string(40, '\xC3') + "x"}, "--footer-text", {"UTF-8"});
  EXPECT_NE(notUtf8.find("\uFFFD\uFFFD"), std::string::npos) << notUtf8;
  Error({"--header-text", "Famiglia Rossi \xE8"}, "--header-text", {"UTF-8"});
  Error({"--header-text", "\xED\xA0\x80"}, "--header-text");  // an encoded surrogate
  EXPECT_EQ(Options({"--header-text", "perch\u00E9\tcos\u00EC\n"}).CustomTopText,
            "perch\u00E9 cos\u00EC");
  EXPECT_EQ(Options({"--header-text", std::string(10000, 'z')}).CustomTopText.size(), 40u);

  CalendarOptions o = Options({"--header-color", "#FF8000", "--footer-color", "#0000cd"});
  EXPECT_EQ(o.CustomTopColor, 0x0080FF);  // 0x00BBGGRR
  EXPECT_EQ(o.CustomDownColor, 0xCD0000);
  for (const char* bad : {"FF8000", "#FFF", "#GG0000", "#FF80001", "", "red"})
    Error({"--header-color", bad}, "--header-color", {"#RRGGBB"});
  Error({"--footer-color", "blu"}, "--footer-color", {"#RRGGBB"});

  existing = {"img/../img/top.bmp", "/srv/bottom.bmp"};
  o = Options({"--header-image", "img/../img/top.bmp", "--footer-image", "/srv/bottom.bmp"});
  EXPECT_EQ(o.CustomTopImage, "img/../img/top.bmp");
  EXPECT_EQ(o.CustomDownImage, "/srv/bottom.bmp");
  EXPECT_TRUE(o.CustomTopText.empty());
  Error({"--header-image", "manca.bmp"}, "--header-image", {"bmp"});
  Error({"--footer-image", ""}, "--footer-image", {"bmp"});
  Error({"--header-text", "a", "--header-image", "/srv/bottom.bmp"}, "--header-image");
  Error({"--footer-text", "a", "--footer-image", "/srv/bottom.bmp"}, "--footer-text");
}

// Relative paths are left for the system to resolve: "lnk/.." after a
// symbolic link is not the folder it would be as text.
TEST_F(CommandLineTest, FilesStayAsTheUserGaveThem) {
  existing = {"../note.dat", "lnk/../turno.txt"};
  const CommandLineResult result =
      Parse({"--output", "out/./cal.pdf", "--notes", "../note.dat", "--shift", "lnk/../turno.txt"});
  ASSERT_EQ(result.action, Action::Run) << result.text;
  EXPECT_EQ(result.request.pdf.path, "out/./cal.pdf");
  EXPECT_EQ(result.request.notesFile, "../note.dat");
  EXPECT_EQ(result.request.shiftFile, "lnk/../turno.txt");
  EXPECT_TRUE(result.request.options.NotePersonali);
  EXPECT_TRUE(result.request.options.Turno);
  EXPECT_EQ(Parse({"--output", ":cal.pdf"}).request.pdf.path, ":cal.pdf");

  // A file named on the command line has to exist, unless it is switched off.
  Error({"--notes", "manca.dat"}, "--notes");
  Error({"--shift", "/manca.txt"}, "--shift");
  EXPECT_FALSE(Options({"--notes", "manca.dat", "--no-notes"}).NotePersonali);
  Error({"--output", ""}, "--output");

  // Without an application folder there are no default files, not even ones
  // of the same name in the working folder.
  appFolder.clear();
  existing = {"Notes.dat", "Turno.txt"};
  const CommandLineResult bare = Parse({});
  ASSERT_EQ(bare.action, Action::Run);
  EXPECT_EQ(bare.request.notesFile, "");
  EXPECT_FALSE(bare.request.options.NotePersonali || bare.request.options.Turno);
}

TEST_F(CommandLineTest, PathsKeepTheUsersBytes) {
  const std::string latin1 = "lat\xE8n";         // Latin-1, not UTF-8
  const std::string surrogate = "\xED\xB2\x80";  // an encoded U+DC80, not UTF-8 either
  existing = {"note-" + latin1 + ".dat", "/srv/" + surrogate + "turno.txt",
              "testata-" + latin1 + ".bmp", "/srv/piede\xFF.bmp"};
  const CommandLineResult result =
      Parse({"--output", latin1 + ".pdf", "--notes", "note-" + latin1 + ".dat", "--shift",
             "/srv/" + surrogate + "turno.txt", "--header-image", "testata-" + latin1 + ".bmp",
             "--footer-image=/srv/piede\xFF.bmp"});
  ASSERT_EQ(result.action, Action::Run) << result.text;
  const CalendarJob& request = result.request;
  EXPECT_EQ(request.pdf.path, latin1 + ".pdf");
  EXPECT_EQ(request.notesFile, "note-" + latin1 + ".dat");
  EXPECT_EQ(request.shiftFile, "/srv/" + surrogate + "turno.txt");
  EXPECT_EQ(request.options.CustomTopImage, "testata-" + latin1 + ".bmp");
  EXPECT_EQ(request.options.CustomDownImage, "/srv/piede\xFF.bmp");
  EXPECT_TRUE(request.options.NotePersonali && request.options.Turno);
  // A byte order mark is a character of the name too (Qt's reading of the
  // arguments dropped one that started a name, writing another file).
  EXPECT_EQ(Parse({"-o", "\uFEFFcal.pdf"}).request.pdf.path, "\uFEFFcal.pdf");
  EXPECT_EQ(Parse({"-o", "\xFF\uFEFF.pdf"}).request.pdf.path, "\xFF\uFEFF.pdf");
  const std::string utf8 = "calendario-perch\u00E9-\U0001F600.pdf";
  EXPECT_EQ(Parse({"--output=" + utf8}).request.pdf.path, utf8);

  // Messages show such bytes as U+FFFD and stay one line of UTF-8.
  const std::string missing = Error({"--notes", "manca-" + latin1}, "--notes");
  EXPECT_NE(missing.find("'manca-lat\uFFFDn'"), std::string::npos) << missing;
  Error({"--year",
         "20\xB9"
         "3"},
        "--year", {"1900"});
  Error({"--header-color",
         "#CD00\xC0"
         "0"},
        "--header-color", {"#RRGGBB"});
  Error({"--text-color", "blu\xE8"}, "--text-color", {"black"});
  Error({"--col\xF6r"}, "--col\uFFFDr");
  Error({"--mono=\xFF\x1B"}, "--mono");
  Error({"stray\xFF"}, "stray\uFFFD");
}

TEST_F(CommandLineTest, RelativePathsNeedAUsableWorkingFolder) {
  workingFolderUsable = false;
  existing = {"note.dat", "turno.txt", "top.bmp", "/srv/note.dat", "/srv/top.bmp"};
  const std::vector<std::pair<std::string, std::string>> relative = {
      {"--output", "cal.pdf"},         {"--output", "../cal.pdf"}, {"--output", ":cal.pdf"},
      {"--notes", "note.dat"},         {"--shift", "turno.txt"},   {"--header-image", "top.bmp"},
      {"--footer-image", "./top.bmp"},
  };
  for (const auto& [option, value] : relative) {
    const std::string error = Error({option, value}, option, {value, "assoluto"});
    EXPECT_EQ(error.rfind("orvanta: la cartella di lavoro non è utilizzabile", 0), 0u) << error;
  }
  // Absolute paths and the defaults need no working folder; a file switched
  // off is not read, so its path does not matter.
  const CommandLineResult absolute =
      Parse({"--output", "/srv/cal.pdf", "--notes", "/srv/note.dat", "--header-image",
             "/srv/top.bmp", "--shift", "turno.txt", "--no-shift"});
  ASSERT_EQ(absolute.action, Action::Run) << absolute.text;
  EXPECT_EQ(absolute.request.pdf.path, "/srv/cal.pdf");
  EXPECT_EQ(Parse({}).request.pdf.path, "/tmp/Orvanta.pdf");
}

TEST_F(CommandLineTest, OutputMustNameAFile) {
  folders = {"out", "/srv/calendari", "/tmp/cartella-link"};
  for (const char* path : {"keep.txt/", "out", "out/", "/srv/calendari", "/srv/calendari/", ".",
                           "..", "a/.", "a/..", "/", "/tmp/cartella-link"}) {
    Error({"--output", path}, "--output", {"nome di un file"});
  }
  for (const char* path : {"out/cal.pdf", "..cal.pdf", ".cal", "a/...", "/srv/calendari.pdf"})
    EXPECT_EQ(Parse({"--output", path}).request.pdf.path, path);
}

TEST_F(CommandLineTest, OutputMustNotBeOneOfTheInputs) {
  existing = {"/opt/orvanta/Notes.dat", "/opt/orvanta/Turno.txt", "note.dat",     "turno.txt",
              "/srv/top.bmp",           "/srv/bottom.bmp",        "/srv/note.dat"};
  identity = {{"/opt/orvanta/Notes.dat", 1},
              {"/opt/orvanta/Turno.txt", 2},
              {"note.dat", 3},
              {"link-to-note", 3},
              {"turno.txt", 4},
              {"/srv/top.bmp", 5},
              {"../srv/top.bmp", 5},
              {"/srv/bottom.bmp", 6},
              {"/tmp/Orvanta.pdf", 7},
              {"/srv/cal.pdf", 8},
              {"/srv/note.dat", 9}};
  Error({"--notes", "note.dat", "--output", "link-to-note"}, "--notes", {"'note.dat'"});
  Error({"--shift", "turno.txt", "--output", "turno.txt"}, "--shift");
  Error({"--header-image", "/srv/top.bmp", "--output", "../srv/top.bmp"}, "--header-image");
  Error({"--footer-image", "/srv/bottom.bmp", "--output", "/srv/bottom.bmp"}, "--footer-image");
  // The default files of the application folder, when they are read.
  Error({"--output", "/opt/orvanta/Notes.dat"}, "--notes", {"/opt/orvanta/Notes.dat"});
  Error({"--output", "/opt/orvanta/Turno.txt"}, "--shift", {"/opt/orvanta/Turno.txt"});
  EXPECT_EQ(Parse({"--output", "/opt/orvanta/Notes.dat", "--no-notes"}).action, Action::Run);
  // The default output as well.
  existing.insert("/tmp/Orvanta.pdf");
  identity["/tmp/Orvanta.pdf"] = 9;
  Error({"--notes", "/srv/note.dat"}, "/tmp/Orvanta.pdf", {"--notes", "/srv/note.dat"});
  EXPECT_EQ(Parse({"--notes", "note.dat", "--output", "/srv/cal.pdf"}).action, Action::Run);
}

// --ics alone writes only the iCalendar file; with --output both. It takes
// the checks of --output, and the two never name one file.
TEST_F(CommandLineTest, IcsFileAloneOrBesideThePdf) {
  CommandLineResult result = Parse({"--ics", "anno.ics"});
  ASSERT_EQ(result.action, Action::Run) << result.text;
  EXPECT_EQ(result.request.ics.path, "anno.ics");
  EXPECT_EQ(result.request.pdf.path, "");
  result = Parse({"--ics", "/srv/anno.ics", "--output", "cal.pdf", "--no-religious"});
  ASSERT_EQ(result.action, Action::Run) << result.text;
  EXPECT_EQ(result.request.ics.path, "/srv/anno.ics");
  EXPECT_EQ(result.request.pdf.path, "cal.pdf");
  EXPECT_FALSE(result.request.options.Chiesa);

  folders = {"out"};
  for (const char* path : {"", "out", "out/", ".", "a/.."})
    Error({"--ics", path}, "--ics", {".ics"});
  Error({"--ics"}, "--ics");
  // --open shows the PDF, which --ics alone does not write.
  Error({"--ics", "anno.ics", "--open"}, "--open", {"--output"});
  EXPECT_TRUE(Parse({"--ics", "anno.ics", "--output", "cal.pdf", "--open"}).request.openViewer);
  workingFolderUsable = false;
  Error({"--ics", "anno.ics", "--output", "/srv/cal.pdf"}, "--ics", {"assoluto"});

  // One file under two names: the same spelling, a link to an existing file,
  // or one name in one folder reached two ways (neither file exists yet).
  workingFolderUsable = true;
  identity = {
      {"/srv/cal.pdf", 1}, {"/srv/link.ics", 1}, {"/srv", 2}, {"/home/me/srv", 2}, {".", 3}};
  Error({"--ics", "cal.x", "--output", "cal.x"}, "--ics", {"'cal.x'", "--output"});
  Error({"--ics", "/srv/link.ics", "--output", "/srv/cal.pdf"}, "--ics", {"--output"});
  Error({"--ics", "/home/me/srv/new", "--output", "/srv/new"}, "--ics", {"--output"});
  Error({"--ics", "new", "--output", "./new"}, "--ics", {"--output"});
  EXPECT_EQ(Parse({"--ics", "/srv/new.ics", "--output", "/home/me/srv/new.pdf"}).action,
            Action::Run);

  // Nor one of the files the run reads.
  existing = {"/opt/orvanta/Notes.dat", "/srv/top.bmp"};
  identity = {{"/opt/orvanta/Notes.dat", 1}, {"/srv/top.bmp", 2}, {"note.ics", 1}};
  Error({"--ics", "note.ics"}, "--ics", {"--notes", "'note.ics'", "iCalendar"});
  Error({"--ics", "/srv/top.bmp", "--header-image", "/srv/top.bmp"}, "--ics", {"--header-image"});
  EXPECT_EQ(Parse({"--ics", "note.ics", "--no-notes"}).action, Action::Run);
}

// "-" is standard output, for one of the two files and not with --open.
TEST_F(CommandLineTest, StandardOutput) {
  CommandLineResult result = Parse({"--output", "-"});
  EXPECT_TRUE(result.request.pdf.toStandardOutput);
  EXPECT_EQ(result.request.pdf.path, "");
  result = Parse({"--ics", "-", "-o", "./-"});
  EXPECT_TRUE(result.request.ics.toStandardOutput);
  EXPECT_EQ(result.request.ics.path, "");
  EXPECT_EQ(result.request.pdf.path, "./-");
  Error({"-o-", "--ics", "-"}, "--ics", {"standard output"});
  Error({"-o", "-", "--open"}, "--open", {"--output FILE"});
}

// Texts are kept as the input window keeps them, and the user is told.
TEST_F(CommandLineTest, TextsCutOrNotInWindows1252AreWarnedAbout) {
  CommandLineResult result = Parse({"--header-text", std::string(45, 'x') + "\u0141\u00F3d\u017A"});
  ASSERT_EQ(result.warnings.size(), 1u);
  EXPECT_NE(result.warnings[0].find("--header-text"), std::string::npos);
  EXPECT_NE(result.warnings[0].find("40"), std::string::npos);
  result = Parse({"--footer-text", "\u0141\u00F3d\u017A \u0141 \u20AC", "--header-text", "ok   "});
  ASSERT_EQ(result.warnings.size(), 1u);
  EXPECT_NE(result.warnings[0].find("--footer-text: i caratteri '\u0141' '\u017A' mancano"),
            std::string::npos)
      << result.warnings[0];
  EXPECT_EQ(result.request.options.CustomDownText, "\u0141\u00F3d\u017A \u0141 \u20AC");
  EXPECT_TRUE(Parse({"--footer-text", std::string(30, 'y') + "   "}).warnings.empty());
}

TEST_F(CommandLineTest, PicturesTheBitmapReaderRefusesAreRefusedUpFront) {
  existing = {"/srv/32bit.bmp", "/srv/ok.bmp"};
  badBitmaps = {"/srv/32bit.bmp"};
  for (const char* option : {"--header-image", "--footer-image"}) {
    Error({option, "/srv/32bit.bmp"}, option,
          {"'/srv/32bit.bmp'", "non compresse", "1, 4, 8 o 24 bit", "dal basso verso l'alto"});
    EXPECT_EQ(Parse({option, "/srv/ok.bmp"}).action, Action::Run);
  }
}

// The composer takes a picture path of any length.
TEST_F(CommandLineTest, ShortPicturePathsGoAsGiven) {
  existing = {"a.bmp", "/a.bmp", "x", "\xC3\xA8.bmp"};
  for (const std::string& given : existing) {
    EXPECT_EQ(Options({"--header-image", given}).CustomTopImage, given);
    EXPECT_EQ(Options({"--footer-image", given}).CustomDownImage, given);
  }
}

TEST_F(CommandLineTest, MalformedCommandLines) {
  Error({"--colour"}, "--colour", {"--help"});
  Error({"-x"}, "-x");
  Error({"--year"}, "--year");  // value missing
  Error({"--mono=1"}, "--mono");
  Error({"2013"}, "2013");
  Error({"--year", "2013", "--", "--mono"}, "--mono");  // after "--" only positionals

  const CommandLineResult help = Parse({"--year", "1800", "--help"});
  EXPECT_EQ(help.action, Action::Help);
  for (const char* option : {"--year", "--output", "--ics", "--text-color", "--no-side-columns",
                             "--header-image", "--footer-color", "--notes", "--shift"})
    EXPECT_NE(help.text.find(option), std::string::npos) << option;
  EXPECT_EQ(Parse({"-h"}).action, Action::Help);
  // A terminal of 80 columns shows every line whole, and no description line
  // holds a word the wrapping left alone.
  for (const QString& line : QString::fromStdString(help.text).split(u'\n')) {
    EXPECT_LE(line.size(), 80) << line.toStdString();
    EXPECT_TRUE(!line.startsWith(u' ') || line.trimmed().contains(u' ')) << line.toStdString();
  }
  const CommandLineResult version = Parse({"--version"});
  EXPECT_EQ(version.action, Action::Version);
}

// How the scan has always read the arguments, quirks included: the first
// unknown option wins over any other fault, else the last option missing
// its value or given one it does not take; scanning goes on after a stray
// argument; a letter is named with one dash, a longer name with two.
TEST_F(CommandLineTest, ArgumentsAreScannedAsTheyAlwaysWere) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
      {{"-h=y", "-mono"}, "sconosciuta '-m'"},  // "-h=y" looked as if "y" took the next
      {{"--mono=1", "--open=2"}, "'--open' non accetta"},
      {{"--mono=1", "--year"}, "manca il valore dopo '--year'"},
      {{"--year", "2013", "-x", "--year"}, "sconosciuta '-x'"},
      {{"stray", "--bogus"}, "sconosciuta '--bogus'"},
      {{"stray", "--year"}, "manca il valore dopo '--year'"},
      {{"stray", "other"}, "argomento inatteso 'stray'"},
      {{"-"}, "argomento inatteso '-'"},
      {{"--", "-"}, "argomento inatteso '-'"},
      {{""}, "argomento inatteso ''"},
      {{"-vy"}, "manca il valore dopo '-vy'"},
      {{"-year"}, "manca il valore dopo '--year'"},
      {{"-hv=3"}, "'-hv' non accetta"},
      {{"-mono=3"}, "'--mono' non accetta"},
      {{"--=x"}, "sconosciuta '--'"},
      {{"--\u00E9"}, "sconosciuta '-\u00E9'"},
      {{"-h\u00E9"}, "sconosciuta '-\u00E9'"},
      {{"--\xFF"}, "sconosciuta '-\uFFFD'"},
      {{"-\U0001F600"}, "sconosciuta '-?'"},  // half a character
      {{"--\U0001F600"}, "sconosciuta '--\U0001F600'"},
      {{"--\x1B[31m"}, "sconosciuta '--?[31m'"},
      {{"-y="}, "--year: valore ''"},
      {{"-y", "2013\r"}, "--year: valore '2013?'"},
  };
  for (const auto& [args, message] : refused) {
    const std::string error = Error(args, message);
    EXPECT_EQ(error.rfind("orvanta: ", 0), 0u);
  }
  // Values: the last one counts; "=" after a letter is skipped; a line
  // break may end a year or a colour, as it always could.
  EXPECT_EQ(Options({"-y=2013"}).Anno, 2013);
  EXPECT_EQ(Options({"--year=2013", "-y1999", "-year", "2001"}).Anno, 2001);
  EXPECT_EQ(Options({"-y", "2013\n"}).Anno, 2013);
  EXPECT_EQ(Options({"--header-color=#00FF00\n"}).CustomTopColor, 0x00FF00);
  EXPECT_EQ(Parse({"-o", "a.pdf", "--output=b.pdf", "-ob=c.pdf"}).request.pdf.path, "b=c.pdf");
  EXPECT_EQ(Parse({"--help-all"}).action, Action::Help);
  EXPECT_EQ(Parse({"-v", "--", "x"}).action, Action::Error);
}

// Every string of up to two bytes, and three- and four-byte strings around
// every boundary of UTF-8, come through the scan unchanged, whatever form
// carries them; messages show what Qt reads as UTF-8 as its characters and
// each other byte as U+FFFD.
TEST(ArgumentBytes, EveryByteStringSurvivesTheScan) {
  const auto check = [](const std::string& bytes) {
    for (const std::vector<std::string>& form : {std::vector<std::string>{"p", "--output=" + bytes},
                                                 {"p", "-o=" + bytes},
                                                 {"p", "-output", bytes}}) {
      ArgumentScanner scanner;
      const ArgumentScanner::Option output = scanner.Add({"o", "output"}, true);
      ASSERT_FALSE(scanner.Scan(form).has_value()) << ::testing::PrintToString(bytes);
      ASSERT_EQ(scanner.Value(output), bytes) << ::testing::PrintToString(bytes);
    }
    // After a letter, since Qt drops a byte order mark at the start.
    const QString text = QString::fromUtf8("x" + bytes).mid(1);
    const bool valid = ("x" + text).toUtf8().toStdString() == "x" + bytes;
    ASSERT_EQ(IsValidUtf8(bytes), valid) << ::testing::PrintToString(bytes);
    const std::string shown = Quoted(bytes);
    ASSERT_TRUE(IsValidUtf8(shown)) << ::testing::PrintToString(bytes);
    if (valid) {
      QString expected = text;
      for (QChar& c : expected) {
        if (c.category() == QChar::Other_Control) c = u'?';
      }
      ASSERT_EQ(shown, "'" + expected.toStdString() + "'");
    }
  };
  check("");
  for (int a = 0; a < 256; ++a) {
    check(std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b) check({static_cast<char>(a), static_cast<char>(b)});
  }
  const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBB,
                                 0xBF, 0xC0, 0xC2, 0xDF, 0xE0, 0xED, 0xF0, 0xF4, 0xFF};
  for (int lead = 0xC0; lead < 256; ++lead) {
    for (const unsigned char second : edges) {
      for (const unsigned char third : edges) {
        const std::string three = {static_cast<char>(lead), static_cast<char>(second),
                                   static_cast<char>(third)};
        check(three);
        for (const unsigned char fourth : edges) check(three + static_cast<char>(fourth));
      }
    }
  }
  EXPECT_EQ(Quoted("a\xFF\U0001F600\x80"), "'a\uFFFD\U0001F600\uFFFD'");
}

// Texts are trimmed of what Qt counts as white space (the Unicode
// separators, U+0085), cut after characters, not bytes or UTF-16 units.
TEST(CommandLineValues, LimitTextTrimsAsQtDoes) {
  for (const char32_t blank :
       {0x09, 0x20, 0x85, 0xA0, 0x1680, 0x2000, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000}) {
    std::string text;
    AppendUtf8(text, blank);
    text += "a b";
    AppendUtf8(text, blank);
    EXPECT_EQ(LimitText(text, 40), "a b") << static_cast<unsigned>(blank);
    EXPECT_EQ(LimitText(text, 40), QString::fromStdString(text).trimmed().toStdString());
  }
  for (const char* kept : {"\u200Ba\u200B", "\uFEFFa", "a\u00AD"})
    EXPECT_EQ(LimitText(kept, 40), kept);
  EXPECT_EQ(LimitText("\U0001F600\U0001F600\U0001F600", 2), "\U0001F600\U0001F600");
  EXPECT_EQ(LimitText("\x1B[1m\u009Fx\x7F", 40), "[1m x");
}

// The real callbacks, on real files.
TEST(CommandLineSystem, FilesFoldersAndBitmaps) {
  const test::TempFolder folder("orvanta-cli");
  const std::string base = folder.path().string() + "/";
  test::WriteFile(base + "a.txt", "a");
  test::WriteFile(base + "b.txt", "a");
  ASSERT_EQ(::link((base + "a.txt").c_str(), (base + "hard.txt").c_str()), 0);
  ASSERT_EQ(::symlink("a.txt", (base + "soft.txt").c_str()), 0);
  ASSERT_EQ(::symlink(".", (base + "here").c_str()), 0);
  EXPECT_TRUE(SameFile(base + "a.txt", base + "hard.txt"));
  EXPECT_TRUE(SameFile(base + "a.txt", base + "soft.txt"));
  EXPECT_TRUE(
      SameFile(base + "a.txt", base + "here/../" + folder.path().filename().string() + "/a.txt"));
  EXPECT_FALSE(SameFile(base + "a.txt", base + "b.txt"));  // same bytes, another file
  EXPECT_FALSE(SameFile(base + "a.txt", base + "manca.txt"));
  EXPECT_FALSE(SameFile(base + "manca.txt", base + "manca.txt"));

  EXPECT_TRUE(FolderExists(base));
  EXPECT_TRUE(FolderExists(base + "here"));
  EXPECT_FALSE(FolderExists(base + "a.txt"));
  EXPECT_FALSE(FolderExists(base + "manca"));

  // A good bitmap, then the same file with one field of its header changed
  // to what the reader does not take (the rows hold enough bytes for each).
  const std::string good = test::Bitmap24(4, 2);
  const auto variant = [&](std::size_t at, std::initializer_list<unsigned char> bytes) {
    std::string bmp = good;
    for (const unsigned char b : bytes) bmp[at++] = static_cast<char>(b);
    return bmp;
  };
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"32 bit", variant(18, {3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0})},
      {"16 bit", variant(18, {6, 0, 0, 0, 2, 0, 0, 0, 1, 0, 16, 0})},
      {"top-down", variant(22, {0xFE, 0xFF, 0xFF, 0xFF})},
      {"RLE", variant(28, {8, 0, 1, 0, 0, 0})},
      {"not a bitmap", "Questa non è una bitmap"},
      {"empty", ""},
  };
  test::WriteFile(base + "good.bmp", good);
  EXPECT_TRUE(BitmapUsable(base + "good.bmp"));
  for (const auto& [what, bytes] : refused) {
    test::WriteFile(base + "bad.bmp", bytes);
    EXPECT_FALSE(BitmapUsable(base + "bad.bmp")) << what;
  }
  EXPECT_FALSE(BitmapUsable(base + "manca.bmp"));
  EXPECT_FALSE(BitmapUsable(base));
}

// The import takes its files (repeatable), --notes (which may not exist yet)
// and --dry-run, and nothing that belongs to the calendar.
TEST_F(CommandLineTest, ImportOfNotes) {
  const CommandLineResult both = Parse({"--import-notes", "a.vcf", "--import-notes=b.ics"});
  ASSERT_EQ(both.action, Action::Import) << both.text;
  EXPECT_EQ(both.import.inputFiles, (std::vector<std::string>{"a.vcf", "b.ics"}));
  EXPECT_EQ(both.import.notesFile, "/opt/orvanta/Notes.dat");
  EXPECT_FALSE(both.import.dryRun);
  const CommandLineResult dry = Parse({"--import-notes", "a.vcf", "--notes", "n.dat", "--dry-run"});
  EXPECT_EQ(dry.import.notesFile, "n.dat");
  EXPECT_TRUE(dry.import.dryRun);
  appFolder.clear();
  EXPECT_EQ(Parse({"--import-notes", "a.vcf"}).import.notesFile, "");  // exit 1 when run
  folders = {"cartella"};
  Error({"--import-notes", "a.vcf", "--notes", "cartella"}, "--notes", {"note"});
  Error({"--import-notes", "a.vcf", "-y", "2013"}, "'-y'", {"--import-notes", "--dry-run"});
  Error({"--import-notes", "a.vcf", "--mono"}, "'--mono'");
  Error({"--dry-run"}, "--dry-run", {"--import-notes"});
  Error({"--import-notes", ""}, "--import-notes", {"vCard"});
  workingFolderUsable = false;
  Error({"--import-notes", "a.vcf"}, "--import-notes", {"assoluto"});
}

// A working folder deleted under the process, or one it cannot search.
TEST(CommandLineSystem, WorkingFolder) {
  const int saved = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(saved, 0);
  const test::TempFolder folder("orvanta-cli");
  const std::string gone = folder.path().string() + "/cancellata";
  ASSERT_EQ(::mkdir(gone.c_str(), 0700), 0);
  ASSERT_EQ(::chdir(gone.c_str()), 0);
  EXPECT_TRUE(WorkingFolderUsable());
  ASSERT_EQ(::rmdir(gone.c_str()), 0);
  EXPECT_FALSE(WorkingFolderUsable());
  EXPECT_FALSE(SystemCommandLineContext("").workingFolderUsable);
  if (::geteuid() != 0) {  // root may search any folder
    ASSERT_EQ(::chdir(folder.path().c_str()), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0600), 0);
    EXPECT_FALSE(WorkingFolderUsable());
    ::chmod(folder.path().c_str(), 0700);
  }
  ASSERT_EQ(::fchdir(saved), 0);
  ::close(saved);
  EXPECT_TRUE(WorkingFolderUsable());
}

}  // namespace
}  // namespace orvanta
