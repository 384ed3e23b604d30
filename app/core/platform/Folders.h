#pragma once
// The two folders the program works in, and the file test that the windows
// and the composer use before reading an optional file.

#include <string>

namespace orvanta {

// The application folder, ending in exactly one "/": where Notes.dat and
// Turno.txt live. It is the folder of the running executable (from
// /proc/self/exe) only for a copy the user owns and runs in place, as a build
// tree or a portable copy. An installed program (/usr/bin, ...) keeps the
// user's files in the per-user data folder $XDG_DATA_HOME/orvanta/ (default
// ~/.local/share/orvanta/), created on first use, and never writes into a
// system folder, not even as root. Empty when there is no usable home.
// With `create` false nothing is made: the folder it would be (for a dry run).
std::string AppFolder(bool create = true);

// Notes kept beside a copy of the program in a folder the user cannot write
// (so the program works in the data folder `appFolder` instead) are copied
// there once, byte for byte and private (0600), when it has no notes yet, so
// they stay printed and editable. Answers what the user is told (Italian,
// one sentence), empty when nothing was copied.
std::string AdoptNotesBesideProgram(const std::string& appFolder);
// The same beside the program in `exeFolder` (with its trailing "/").
std::string AdoptNotesBesideProgram(const std::string& appFolder, const std::string& exeFolder);

// The choice AppFolder() makes, given the executable's folder, whether it is
// the user's own copy, and $XDG_DATA_HOME and the home folder (either may be
// empty). Does not touch the file system.
std::string ChooseAppFolder(const std::string& exeFolder, bool ownCopy, const std::string& dataHome,
                            const std::string& home);

// The folder of the running program (from /proc/self/exe), ending in "/";
// empty when unknown.
std::string ProgramFolder();

// The user's temporary folder ending in exactly one "/": $TMPDIR when it is
// an absolute path naming a folder, otherwise "/tmp/".
std::string TempFolder();

// The program's private per-user temporary folder, ending in "/": everything
// the program writes for a while (the calendar, the viewer probe, the guide,
// the pictures of a run) goes there, never straight into the shared
// temporary folder. Made on each call: ask once and keep the answer.
std::string PrivateTempFolder();

// Where the single-instance lock lives, ending in "/": the same for every
// start of the same user whatever the environment (it is not taken from
// TMPDIR or XDG variables), and a folder nobody else can write to: the
// user's runtime folder /run/user/<uid>/ when it is private, else
// ~/.local/state/orvanta/ in the home folder from the user database. Empty
// when neither can be used.
std::string InstanceLockFolder();

// True when `path` names an existing regular file (a symbolic link to one
// counts); false for folders, other file kinds, missing paths and any error.
bool FileExists(const std::string& path);

// `folder` with exactly one trailing "/" ("" stays "").
std::string WithTrailingSlash(std::string folder);

}  // namespace orvanta
