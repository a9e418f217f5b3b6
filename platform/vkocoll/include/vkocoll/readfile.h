// readfile.h: opening a file to read it, and reading its text a line at a time, whatever the
// name stands for. A name may be a FIFO, a device or a link to one (/dev/zero, /dev/urandom):
// opening a FIFO waits for a writer, and reading a device never ends. Only a regular file is
// read; anything else is opened without waiting and refused at once.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

// Why a file was not opened for reading.
enum class ReadRefusal {
    kNone,       // opened
    kCannotOpen, // missing, not permitted and the like: errno says which
    kFolder,     // a folder
    kNotRegular, // a FIFO, a device or a socket
};

// Opens path to read it as a binary stream. The open itself never waits (not even on a
// FIFO without a writer); what it opened is looked at through the descriptor, so a name
// changed in between cannot slip past. Answers the stream (blocking again, for ordinary
// reads; the caller closes it), or null with *refusal (when given) saying why; errno is
// kept from the failed open for kCannotOpen.
std::FILE* OpenFileToRead(const std::string& path, ReadRefusal* refusal = nullptr);

// A refusal in words for a message that names the file: "a folder", "a device, a pipe or a
// socket", or for kCannotOpen the system's text of error.
std::string DescribeReadRefusal(ReadRefusal refusal, int error);

// What stands at path when it is there but no regular file, in the same words ("a folder",
// "a device, a pipe or a socket"), or "a link to <target> (<the system's text>)" for a link
// that leads to no file; empty for a regular file or for nothing at all. Nothing is opened.
std::string DescribeNonFile(const std::string& path);

// How reading a line went.
enum class LineRead {
    kLine,    // *line holds the next line, without its '\n'
    kEnd,     // nothing is left (a last line without '\n' is still a line)
    kTooLong, // the line runs past longest bytes; it is not kept and the file not read further
    kFailed,  // the system refused the read
};

// Reads the next line of file into *line, holding at most longest bytes, so that a file of
// one endless line cannot fill the memory. A UTF-8 byte-order mark at the start of the file
// (some editors write one) is read as nothing: it is no part of the first line.
LineRead ReadTextLine(std::FILE* file, std::string* line, std::size_t longest);
