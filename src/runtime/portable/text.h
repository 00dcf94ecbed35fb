#pragma once
// Texts inside the program are UTF-16; they are converted only at the edges:
// UTF-8 for the network and the favourites file, the ANSI code page for the
// login password, the kick/ban/remove-ban payloads and host names.
#include <cstdint>
#include <string>
#include <string_view>

using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 bytes -> UTF-16. Invalid sequences become U+FFFD; never reads past `bytes`.
Text Utf8ToText(std::string_view bytes);
// UTF-16 -> UTF-8. An unpaired surrogate becomes U+FFFD.
std::string TextToUtf8(TextView text);
// As Utf8ToText; false when any sequence was invalid.
bool Utf8ToTextChecked(std::string_view bytes, Text& text);
// UTF-16 bytes of either byte order -> text; false for an odd byte count or an unpaired
// surrogate (kept as it is; an odd last byte is dropped).
bool Utf16BytesToText(std::string_view bytes, bool bigEndian, Text& text);

// UTF-16 -> one byte per UTF-16 unit in the ANSI code page. Units the code page cannot
// hold become '?', so the byte count always equals the character count. On Windows this is
// the system's code page; elsewhere a fixed Windows-1252 table, so both builds agree on the
// bytes of the common case.
std::string TextToAnsi(TextView text);
// ANSI code page bytes -> UTF-16 (one unit per byte).
Text AnsiToText(std::string_view bytes);

// The system's ANSI code page; 1252 where there is no system to ask.
std::uint32_t AnsiCodePage();
// Bytes in `codePage` -> UTF-16, read as one buffer, so that the double-byte code pages (932,
// 936, 949, 950) keep their characters whole. False when the bytes are not valid in that code
// page, or the build cannot convert it (without Windows only 1252 is known); `text` is then
// the best reading there is.
bool CodePageToText(std::string_view bytes, std::uint32_t codePage, Text& text);

// Plain ASCII literals and numbers, used all over the protocol and the windows.
Text AsciiText(std::string_view ascii);
Text DecimalText(std::int64_t value);
