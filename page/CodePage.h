#pragma once

// The system's 8-bit code page, where the platform has one. Linux has none: there the page is
// plain US-ASCII and every other character is written as a character reference.
struct CodePageBytes
{
    char Bytes[4] = {};
    int Size = 0; // 0: the code page cannot hold the character
};

// The bytes that stand for a character above 127 in the system's code page, exactly and
// without a look-alike stand-in.
CodePageBytes InCodePage(char32_t code);
