// Conversion between the Windows-1252 bytes kept in records and files and UTF-8 at the program's edges.
#pragma once

#include <string>
#include <string_view>

namespace orvano {

// Every byte 0..255 maps to one code point; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so that any
// record text survives the trip to UTF-8 and back unchanged.
char32_t Cp1252ZuUnicode(unsigned char c);

// The Windows-1252 byte of a code point, or '?' when the code page cannot hold it.
char UnicodeZuCp1252(char32_t u);

std::string Cp1252ZuUtf8(std::string_view text);

// Malformed UTF-8 sequences and characters outside Windows-1252 become '?'.
std::string Utf8ZuCp1252(std::string_view text);

// Whether a text handed over block by block is well-formed UTF-8 (plain ASCII is).
class Utf8Pruefung {
 public:
  // False once the text so far cannot be UTF-8.
  bool weiter(std::string_view block);
  // Well-formed to its end, no sequence left open.
  bool gueltig() const { return gueltig_ && folge_ == 0; }
  // At least one letter of several bytes came.
  bool mehrbyte() const { return mehrbyte_; }

 private:
  bool gueltig_ = true;
  bool mehrbyte_ = false;
  int folge_ = 0;
};

// True when TEXT is well-formed UTF-8 (plain ASCII is).
bool IstUtf8(std::string_view text);

// A text file as Windows-1252: UTF-16 with its byte-order mark and UTF-8 (with or without the
// mark) are converted, anything else is taken as Windows-1252 already.
std::string TextAlsCp1252(std::string_view text);

}  // namespace orvano
