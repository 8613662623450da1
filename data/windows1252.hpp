// The character set of card files: Windows-1252, one byte a character (files made on Windows
// are in it). Bytes 0x80..0x9F have characters of their own; the five it leaves unassigned stand
// for the C1 controls of the same value; every other byte is the Latin-1 character of its value.
#pragma once

namespace sidewalk {

// The character of a byte.
char32_t Windows1252Char(unsigned char byte);

// The byte of a character, or -1 when the set has none.
int Windows1252Byte(char32_t c);

} // namespace sidewalk
