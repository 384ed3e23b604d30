#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"

namespace orvanta {
namespace {

using Action = CommandLineResult::Action;

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineResult Parse(std::vector<std::string> args) const {
    QStringList list{QStringLiteral("/opt/orvanta/orvanta")};
    for (const std::string& a : args) list << QString::fromStdString(a);
    CommandLineContext context;
    context.appFolder = "/opt/orvanta/";
    context.tempFolder = "/tmp/";
    context.currentFolder = "/home/anna/lavoro";
    context.fileExists = [this](const std::string& path) { return existing.count(path) > 0; };
    return ParseCommandLine(list, context);
  }
  CalendarOptions Options(std::vector<std::string> args) const {
    const CommandLineResult result = Parse(std::move(args));
    EXPECT_EQ(result.action, Action::Run) << result.text;
    return result.request.options;
  }
  // The error message, after checking that it is one line naming `option`
  // and each of `allowed`.
  std::string Error(std::vector<std::string> args, const std::string& option,
                    const std::vector<std::string>& allowed = {}) const {
    const CommandLineResult result = Parse(args);
    EXPECT_EQ(result.action, Action::Error) << args.back();
    EXPECT_EQ(result.text.find('\n'), std::string::npos) << result.text;
    EXPECT_EQ(result.text.rfind("orvanta: ", 0), 0u) << result.text;
    EXPECT_NE(result.text.find(option), std::string::npos) << result.text;
    for (const std::string& value : allowed)
      EXPECT_NE(result.text.find(value), std::string::npos) << result.text;
    return result.text;
  }

  std::set<std::string> existing;
};

TEST_F(CommandLineTest, DefaultsAreTheWindowsDefaults) {
  const CommandLineResult result = Parse({});
  ASSERT_EQ(result.action, Action::Run);
  const CalendarRequest& request = result.request;
  EXPECT_EQ(request.options.Anno, 2013);
  EXPECT_EQ(request.outputFile, "/tmp/Orvanta.pdf");
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
}

TEST_F(CommandLineTest, YearAndTextColour) {
  EXPECT_EQ(Options({"--year", "1900"}).Anno, 1900);
  EXPECT_EQ(Options({"--year=2100"}).Anno, 2100);
  EXPECT_EQ(Options({"--year", "2013", "--year", "1999"}).Anno, 1999);  // the last one counts
  for (const char* bad : {"1899", "2101", "abc", "20 13", "", "+2013", "02013", "-5", "2013.0"})
    Error({"--year", bad}, "--year", {"1900", "2100"});

  EXPECT_EQ(Options({"--text-color", "black"}).TextColor, 0x000000);
  EXPECT_EQ(Options({"--text-color", "blue"}).TextColor, 0xCD0000);
  EXPECT_EQ(Options({"--text-color", "green"}).TextColor, 0x00A900);
  Error({"--text-color", "red"}, "--text-color", {"black", "blue", "green"});
  Error({"--text-color", "Blue"}, "--text-color", {"black", "blue", "green"});
}

TEST_F(CommandLineTest, HeaderAndFooterFollowTheInputWindow) {
  const std::string fortyFive(45, 'x');
  EXPECT_EQ(Options({"--header-text", fortyFive}).CustomTopText, std::string(40, 'x'));
  EXPECT_EQ(Options({"--footer-text", fortyFive}).CustomDownText, std::string(30, 'x'));
  // Cut first, then trimmed; characters, not bytes; control characters as blanks.
  EXPECT_EQ(Options({"--header-text", "   " + std::string(40, 'y')}).CustomTopText,
            std::string(37, 'y'));
  EXPECT_EQ(Options({"--footer-text", "  Buon anno!  "}).CustomDownText, "Buon anno!");
  EXPECT_EQ(Options({"--footer-text", std::string(40, '\xC3') + "x"}).CustomDownText.size(),
            30u * 3);  // invalid UTF-8 arrives as U+FFFD, three bytes each
  EXPECT_EQ(Options({"--header-text", "perch\u00E9\tcos\u00EC\n"}).CustomTopText,
            "perch\u00E9 cos\u00EC");
  EXPECT_EQ(Options({"--header-text", std::string(10000, 'z')}).CustomTopText.size(), 40u);

  CalendarOptions o = Options({"--header-color", "#FF8000", "--footer-color", "#0000cd"});
  EXPECT_EQ(o.CustomTopColor, 0x0080FF);  // 0x00BBGGRR
  EXPECT_EQ(o.CustomDownColor, 0xCD0000);
  for (const char* bad : {"FF8000", "#FFF", "#GG0000", "#FF80001", "", "red"})
    Error({"--header-color", bad}, "--header-color", {"#RRGGBB"});
  Error({"--footer-color", "blu"}, "--footer-color", {"#RRGGBB"});

  existing = {"/home/anna/lavoro/img/top.bmp", "/srv/bottom.bmp"};
  o = Options({"--header-image", "img/../img/top.bmp", "--footer-image", "/srv/bottom.bmp"});
  EXPECT_EQ(o.CustomTopImage, "/home/anna/lavoro/img/top.bmp");
  EXPECT_EQ(o.CustomDownImage, "/srv/bottom.bmp");
  EXPECT_TRUE(o.CustomTopText.empty());
  Error({"--header-image", "manca.bmp"}, "--header-image", {"bmp"});
  Error({"--footer-image", ""}, "--footer-image", {"bmp"});
  Error({"--header-text", "a", "--header-image", "/srv/bottom.bmp"}, "--header-image");
  Error({"--footer-text", "a", "--footer-image", "/srv/bottom.bmp"}, "--footer-text");
}

TEST_F(CommandLineTest, FilesAreMadeAbsolute) {
  existing = {"/home/anna/note.dat", "/home/anna/lavoro/turno.txt"};
  const CommandLineResult result =
      Parse({"--output", "out/./cal.pdf", "--notes", "../note.dat", "--shift", "turno.txt"});
  ASSERT_EQ(result.action, Action::Run);
  EXPECT_EQ(result.request.outputFile, "/home/anna/lavoro/out/cal.pdf");
  EXPECT_EQ(result.request.notesFile, "/home/anna/note.dat");
  EXPECT_EQ(result.request.shiftFile, "/home/anna/lavoro/turno.txt");
  EXPECT_TRUE(result.request.options.NotePersonali);
  EXPECT_TRUE(result.request.options.Turno);

  // A file named on the command line has to exist, unless it is switched off.
  Error({"--notes", "manca.dat"}, "--notes");
  Error({"--shift", "/manca.txt"}, "--shift");
  EXPECT_FALSE(Options({"--notes", "manca.dat", "--no-notes"}).NotePersonali);
  Error({"--output", ""}, "--output");
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
  for (const char* option : {"--year", "--output", "--text-color", "--no-side-columns",
                             "--header-image", "--footer-color", "--notes", "--shift"})
    EXPECT_NE(help.text.find(option), std::string::npos) << option;
  EXPECT_EQ(Parse({"-h"}).action, Action::Help);
  const CommandLineResult version = Parse({"--version"});
  EXPECT_EQ(version.action, Action::Version);
  EXPECT_EQ(version.text, "Orvanta 3.0.1\n");
}

}  // namespace
}  // namespace orvanta
