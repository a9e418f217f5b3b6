// str_internal.h: the character set shared by the string family's sources: character
// lengths under the optional double-byte lead-byte set, Windows-1252 decoding and encoding,
// case mapping and sort weights of single bytes. Internal to the string family.
#pragma once

#include <cstdint>

namespace vkobase::str {

// Bytes of the character at p: 0 at the terminator, 2 for a lead byte followed by a
// non-NUL byte while a double-byte set is installed, 1 otherwise.
int char_len(const char *p) noexcept;
// True while a double-byte lead-byte set is installed.
bool double_byte_active() noexcept;
// Wide code of the character at p (len bytes as char_len answered).
std::uint16_t decode(const char *p, int len) noexcept;
// Writes the bytes of wc into out (room for 2) and answers their count; 0 when wc has none.
int encode(std::uint16_t wc, char *out) noexcept;
// Case mapping and sort weight of a single byte under Windows-1252.
unsigned char byte_upper(unsigned char b) noexcept;
unsigned char byte_lower(unsigned char b) noexcept;
// Base letter of a byte for collation: accents dropped, upper case; other bytes unchanged.
unsigned char byte_base(unsigned char b) noexcept;

// Unicode of a Windows-1252 byte, and the byte of a Unicode character (0 when none).
std::uint16_t cp1252_to_unicode(unsigned char b) noexcept;
unsigned char unicode_to_cp1252(std::uint16_t u) noexcept;

} // namespace vkobase::str
