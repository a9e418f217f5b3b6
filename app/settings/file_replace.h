// file_replace.h: writing a settings file safely. The new text goes into a temporary file
// in the same directory, which is flushed to disk and then renamed over the old file, so a
// failure (or a kill) at any point leaves either the old file or the new one, never a part.
#pragma once
#include <string>

// Replaces the file at path with text. Answers 1 when written, 0 when not (the old file,
// if any, unchanged; no temporary file is left behind). The new file keeps the old one's
// permissions (a new one is readable by all).
int ReplaceFileContents(const std::string& path, const std::string& text);
