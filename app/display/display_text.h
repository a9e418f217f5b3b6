// display_text.h: the two text forms of an entry. The stored form is a field stream: a
// code byte (0x81 to 0xF5; 0 ends the entry), the text length as a packed number, the
// text. Every code belongs to one of ten entry parts. The display form is what the
// formatter writes for each part and the entry painter draws: single-byte text in which
// the bytes below 0x20 switch styles, fonts and colours (see the constants below), runs
// are made by the fifteen wrappings of Wrap, and a few phrases are fixed.
#pragma once
#include <cstdint>
#include <string>

// Entry parts, numbered as the description's entry-part keys number them.
inline constexpr int kPartCount = 10;
inline constexpr int kMainPart = 1;      // main_entry
inline constexpr int kPronPart = 2;      // pron_entry
inline constexpr int kVariantPart = 3;   // variant_entry
inline constexpr int kFunctionPart = 4;  // function_entry
inline constexpr int kInflectedPart = 5; // inflected_entry
inline constexpr int kUsagePart = 6;     // usage_entry
inline constexpr int kEtymologyPart = 7; // etymology_entry
inline constexpr int kDatePart = 8;      // date_entry
inline constexpr int kTextPart = 9;      // text_entry: every code no other part names
inline constexpr int kArtPart = 10;      // art_entry

// The part of a field code.
int PartOfCode(std::uint8_t code);

// Display bytes.
inline constexpr char kStylePlain = '\x01';
inline constexpr char kStyleBold = '\x02';
inline constexpr char kStyleItalic = '\x03';
inline constexpr char kStyleSmall = '\x04';
inline constexpr char kSoundToggle = '\x0E';       // blue; starts a word group
inline constexpr char kHighlightToggle = '\x0F';   // red
inline constexpr char kSyllableBreak = '\xA3';
inline constexpr char kEnDash = '\x96';
inline constexpr char kEmDash = '\x97';
// 0x10 to 0x1F: a one-character escape; the byte after it is a character, never a code.
inline bool IsEscapeByte(unsigned char byte) { return byte >= 0x10 && byte <= 0x1F; }

// The fixed phrases.
inline constexpr char kMoreAtPhrase[] = "\x01\x97 more at ";
inline constexpr char kSynonymSeeInAdditionPhrase[] = " \x02synonym\x01 see in addition ";
inline constexpr char kSynonymsSeePhrase[] = "\x02synonyms\x01 see ";
inline constexpr char kUsageSeePhrase[] = "\x02usage\x01 see ";

// Wraps text as run number wrapping (1 to 15); the numbers without a form of their own
// (5, 6, 7, 11, 12, 13) and unknown numbers give the text unchanged.
//   1: 01 t            2: 02 t 01        3: 03 t 01        4: 04 t 01
//   8: " " 01 \ t 01 \ " "                9: 01 [ t 01 ]
//  10: 01 19 E1 t 01 19 F1 (angle brackets of font 1)
//  14: 0E 02 t 01 0E (the sound-word run)  15: 0F t 0F (a highlight)
std::string Wrap(int wrapping, const std::string& text);
