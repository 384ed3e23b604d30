#pragma once
// The names of the files the program reads and writes in its folders, for the
// window, the command line and their help texts alike.

namespace orvanta {

// In the application folder (AppFolder()).
inline constexpr char kNotesFileName[] = "Notes.dat";  // the personal notes
inline constexpr char kShiftFileName[] = "Turno.txt";  // the shift cycle

// In the temporary folder: the calendar when no other file is named.
inline constexpr char kCalendarFileName[] = "Orvanta.pdf";

}  // namespace orvanta
