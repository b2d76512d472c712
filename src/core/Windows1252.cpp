#include "Windows1252.h"

#include <array>

namespace orvano {

namespace {

// Code points of the bytes 0x80..0x9F; undefined bytes keep their own value.
constexpr std::array<char32_t, 32> kObereSteuerzeichen = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void Utf8Anhaengen(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

}  // namespace

char32_t Cp1252ZuUnicode(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F) return kObereSteuerzeichen[c - 0x80];
  return c;
}

char UnicodeZuCp1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (unsigned i = 0; i < kObereSteuerzeichen.size(); ++i) {
    if (kObereSteuerzeichen[i] == u) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::string Cp1252ZuUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) Utf8Anhaengen(out, Cp1252ZuUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ZuCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int folge = 0;
    char32_t u = 0;
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      folge = 1;
      u = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      folge = 2;
      u = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      folge = 3;
      u = b & 0x07;
    } else {
      out += '?';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool gut = true;
    for (int k = 0; k < folge; ++k, ++j) {
      if (j >= text.size() || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80) {
        gut = false;
        break;
      }
      u = (u << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
    }
    // Overlong forms and surrogates are malformed too.
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (gut && (u < kMinimum[folge] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF))) gut = false;
    if (!gut) {
      out += '?';
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    out += UnicodeZuCp1252(u);
    i = j;
  }
  return out;
}

bool Utf8Pruefung::weiter(std::string_view block) {
  for (const char z : block) {
    if (!gueltig_) return false;
    const auto c = static_cast<unsigned char>(z);
    if (folge_ > 0) {
      gueltig_ = (c & 0xC0) == 0x80;
      --folge_;
    } else if (c >= 0x80) {
      folge_ = c >= 0xC2 && c <= 0xDF ? 1 : (c & 0xF0) == 0xE0 ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : -1;
      gueltig_ = folge_ > 0;
      mehrbyte_ = true;
    }
  }
  return gueltig_;
}

bool IstUtf8(std::string_view text) {
  Utf8Pruefung p;
  p.weiter(text);
  return p.gueltig();
}

std::string TextAlsCp1252(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") return Utf8ZuCp1252(text.substr(3));
  if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF") {
    // UTF-16 by its mark; pairs of surrogates make one letter outside the code page.
    const bool gross = text[0] == '\xFE';
    std::string out;
    for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
      const auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
      const char32_t u = gross ? static_cast<char32_t>(a << 8 | b) : static_cast<char32_t>(b << 8 | a);
      if (u >= 0xDC00 && u <= 0xDFFF) continue;  // the second half of a pair: its letter was written
      out += UnicodeZuCp1252(u >= 0xD800 && u <= 0xDBFF ? 0x10000 : u);
    }
    return out;
  }
  return IstUtf8(text) ? Utf8ZuCp1252(text) : std::string(text);
}

}  // namespace orvano
