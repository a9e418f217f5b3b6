// open_file.h: the open step the program's documents share: the file-open dialog asks for a
// file, starting where the document's file specification points (made in the default
// folder on first use, then kept for the next open).
#pragma once
#include <memory>

struct s_file_spec;

// The owner of a document's open-file specification.
struct OpenFileSpec {
    OpenFileSpec();
    ~OpenFileSpec();
    std::unique_ptr<s_file_spec> spec;
};

// Asks for a file to open. True when the user chose one that can be read; false after a
// cancel (silently), or for a folder or a file that cannot be read (after an error message).
bool AskForFileToOpen(OpenFileSpec* file);
