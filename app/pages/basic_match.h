// basic_match.h: the text rules of the basic search page: how a line of the hit list
// matches the typed text (for the type-ahead selection), which line is the best one, and
// how a comma-separated list of words splits into searches.
#pragma once
#include <string>
#include <vector>

// Characters that make typed text a pattern rather than a word.
inline constexpr char kPatternCharacters[] = "^$.*?[]";
bool HasPatternCharacter(const std::string& text);

// Walks line and typed together, skipping in each what is not a letter, digit, hyphen or
// blank (an apostrophe is skipped too); an upper-case typed letter must match exactly, any other
// typed character matches the line's character lower-cased. Answers how many typed
// characters matched; *equal says whether both were used up. Typed text with a pattern
// character matches nothing.
int MatchTyped(const std::string& line, const std::string& typed, bool* equal);

// The line to select for typed text among the first 200 lines: the exact line (equal, or
// covering all of typed; a later equal line wins), else a line one character short of
// typed that matched all of itself (the last wins), else the longest partial match (the
// first wins); -1 when no line matched at all.
int BestLine(const std::vector<std::string>& lines, const std::string& typed);

// The pieces of a comma-separated list, in order, empty pieces left out; blanks stay.
std::vector<std::string> SplitWordList(const std::string& text);

// Lower case, byte by byte (ASCII letters only).
std::string LowerCase(std::string text);
