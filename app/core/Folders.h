#pragma once
// The two folders the program works in, and the file test that the windows
// and the composer use before reading an optional file.

#include <string>

namespace orvanta {

// The application folder, ending in exactly one "/": where Notes.dat and
// Turno.txt live and the pictures are extracted. It is the folder of the
// running executable (from /proc/self/exe) when we may write there, as in a
// build tree or a copy in the user's home. An installed program's folder
// (/usr/bin, ...) is not ours to write, so then it is the per-user data
// folder $XDG_DATA_HOME/orvanta/ (default ~/.local/share/orvanta/), created
// on first use. Empty when neither can be found.
std::string AppFolder();

// The choice AppFolder() makes, given the executable's folder, whether it is
// writable, and $XDG_DATA_HOME and $HOME (either may be empty). Does not
// touch the file system.
std::string ChooseAppFolder(const std::string& exeFolder, bool exeFolderWritable,
                            const std::string& dataHome, const std::string& home);

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
