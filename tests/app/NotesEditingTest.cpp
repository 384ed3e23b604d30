// The notes editor's model: its list, its checks and how a save meets the file.

#include <gtest/gtest.h>

#include <string>

#include "app/core/notes/NotesEditing.h"
#include "tests/support/TestFiles.h"

namespace orvanta {
namespace {

using namespace test;

DayNumber Day(int month, int day) {
  return MakeDayNumber(kEditorYear, month, day).value();
}

class NotesEditingTest : public ::testing::Test {
 protected:
  TempFolder temp_{"orvanta-notes-editing"};
  const std::string path_ = (temp_.path() / "Notes.dat").string();
  NotesEditing notes_{path_};
};

// Lines the calendar's reader stops at (a blank line, a broken record) hid
// every later note from the calendar; a save writes records in the exact form first.
TEST_F(NotesEditingTest, AfterASaveTheCalendarPrintsEveryListedNote) {
  WriteFile(path_, "40545,\"Uno\"\r\n40560, \"Due\"\r\n\r\n 40600 ,\"Tre\" \r\nrotta\r\n");
  notes_.Load();
  ASSERT_EQ(notes_.Notes().size(), 3u);
  EXPECT_EQ(LoadNotesForYear(path_, 2013).size(), 2u);

  ASSERT_TRUE(notes_.Save(Day(3, 7), "Quattro", -1).Ok());
  EXPECT_EQ(ReadFile(path_),
            "40545,\"Uno\"\r\n40560,\"Due\"\r\n40600,\"Tre\"\r\n40609,\"Quattro\"\r\nrotta\r\n");
  EXPECT_EQ(LoadNotesForYear(path_, 2013).size(), notes_.Notes().size());
}

// Another program changed the file while the editor was open: every change
// applies to the file as it is now, and a change it cannot go with is told.
TEST_F(NotesEditingTest, ASaveAppliesToTheFileAsItIsNow) {
  WriteFile(path_, "40545,\"Uno\"\r\n40560,\"Due\"\r\n40600,\"Tre\"\r\n");
  notes_.Load();
  WriteFile(path_, "40545,\"Uno\"\r\n40600,\"Tre nuovo\"\r\n");
  ASSERT_TRUE(notes_.Save(Day(3, 7), "Quattro", -1).Ok());
  EXPECT_EQ(ReadFile(path_), "40545,\"Uno\"\r\n40600,\"Tre nuovo\"\r\n40609,\"Quattro\"\r\n");
  EXPECT_EQ(notes_.Notes().size(), 3u);

  // The note under change was changed by another: nothing written, list reloaded.
  const std::string theirs =
      "40545,\"Uno altrove\"\r\n40609,\"Quattro\"\r\n40600,\"Tre nuovo\"\r\n";
  WriteFile(path_, theirs);
  EXPECT_EQ(notes_.Save(Day(1, 2), "Uno mio", 0).change, NotesChange::NoteGone);
  EXPECT_EQ(ReadFile(path_), theirs);
  EXPECT_EQ(notes_.Notes()[0].text, "Uno altrove");
  // A note written meanwhile on the day being entered stays.
  WriteFile(path_, theirs + "40826,\"Da fuori\"\r\n");
  EXPECT_EQ(notes_.Save(Day(10, 10), "Mia", -1).change, NotesChange::DateTaken);
  EXPECT_EQ(notes_.Notes().size(), 4u);
  // A deletion takes only its note.
  ASSERT_TRUE(notes_.Remove(0).Ok());  // 02/01
  EXPECT_EQ(ReadFile(path_), "40600,\"Tre nuovo\"\r\n40609,\"Quattro\"\r\n40826,\"Da fuori\"\r\n");
}

TEST_F(NotesEditingTest, ChecksAndTypedText) {
  WriteFile(path_, "40545,\"Uno\"\r\n");
  notes_.Load();
  EXPECT_EQ(notes_.Check(std::nullopt, "x", -1), NoteRefusal::InvalidDate);
  EXPECT_EQ(notes_.Check(Day(1, 2), "x", -1), NoteRefusal::DateTaken);
  EXPECT_EQ(notes_.Check(Day(1, 2), "x", 0), NoteRefusal::None);  // its own date
  EXPECT_EQ(notes_.Check(Day(1, 3), " \t", -1), NoteRefusal::Incomplete);
  EXPECT_EQ(CleanTypedNote("a \"b\", c"), "a 'b'\xC2\xB8 c");
  for (const char* rejected : {"", "x", "00", "32", "1a"})
    EXPECT_TRUE(DateFieldRejects(rejected, DateField::Day)) << rejected;
  EXPECT_TRUE(DateFieldRejects("13", DateField::Month));
  EXPECT_FALSE(DateFieldRejects("31", DateField::Day));
  EXPECT_FALSE(DateFieldRejects("12", DateField::Month));
}

}  // namespace
}  // namespace orvanta
