// file_replace.h: writing a settings file safely. The new text goes into a temporary file
// in the same directory, which is flushed to disk and then renamed over the old file, so a
// failure (or a kill) at any point leaves either the old file or the new one, never a part.
// A settings file the user keeps as a symbolic link stays one: the save follows the link
// and replaces the file it leads to, in that file's folder. A name that stands for no
// regular file (a FIFO, a device, a socket, a folder, a link that leads nowhere or round in
// a loop) is never replaced.
// A temporary file is named after the file, the writing process and a random part
// ("BookMark.kq.4711.Xq3bZ1"), so that one a killed process left can be told from one a
// running process is writing.
#pragma once
#include <string>

// Replaces the file at path (or the one its link leads to) with text. Answers 1 when
// written, 0 when not (the old file, if any, unchanged; no temporary file is left behind),
// with *why, when given, saying why in words for a message that names the file. The new
// file keeps the old one's permissions; a new one takes the default ones under the umask.
// After a good write the stale temporary files of the file written are removed.
int ReplaceFileContents(const std::string& path, const std::string& text,
                        std::string* why = nullptr);

// Why a save may not replace what path names ("a device, a pipe or a socket, not a file",
// "a link to x, which is not there", ...), or "" when it may: nothing there yet, a regular
// file, or a link that leads to one.
std::string ReplaceRefusal(const std::string& path);

// Whether nothing at all is there by that name (not even a link that leads nowhere).
bool NothingNamed(const std::string& path);

// Why the settings file at path could not be read, after its open failed with error: what
// the name stands for when no save may replace it, else the system's reason.
std::string DescribeUnreadable(const std::string& path, int error);

// The line a message adds to say why a file was not read or written: "\n<file>: <why>."
std::string WhyLine(const std::string& file, const std::string& why);

// Removes the temporary files of path that no running process is writing: those of a
// process that has ended (or of this one, between its writes), and those of the earlier
// naming without a process ("BookMark.kq.bcbd2s") not changed for a minute.
void RemoveStaleTemporaries(const std::string& path);
