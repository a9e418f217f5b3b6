// file_replace.h: writing a settings file safely. The new text goes into a temporary file
// in the same directory, which is flushed to disk and then renamed over the old file, so a
// failure (or a kill) at any point leaves either the old file or the new one, never a part.
// A temporary file is named after the file, the writing process and a random part
// ("BookMark.kq.4711.Xq3bZ1"), so that one a killed process left can be told from one a
// running process is writing.
#pragma once
#include <string>

// Replaces the file at path with text. Answers 1 when written, 0 when not (the old file,
// if any, unchanged; no temporary file is left behind). The new file keeps the old one's
// permissions (a new one is readable by all). After a good write the stale temporary files
// of path are removed.
int ReplaceFileContents(const std::string& path, const std::string& text);

// Removes the temporary files of path that no running process is writing: those of a
// process that has ended (or of this one, between its writes), and those of the earlier
// naming without a process ("BookMark.kq.bcbd2s") not changed for a minute.
void RemoveStaleTemporaries(const std::string& path);
