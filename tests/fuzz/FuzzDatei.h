// What the fuzz targets share: the input as a file in a folder of this process.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace orvano::fuzz {

inline const std::string& Ordner() {
  static const std::string o = [] {
    const auto p = std::filesystem::temp_directory_path() / ("orvano-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p.string() + "/";
  }();
  return o;
}

inline std::string Datei(const std::string& name, std::string_view inhalt) {
  const std::string pfad = Ordner() + name;
  std::ofstream(pfad, std::ios::binary | std::ios::trunc).write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
  return pfad;
}

// The input cut in two at the first byte 0xFF (the second part empty without one).
inline std::pair<std::string_view, std::string_view> Teile(const std::uint8_t* d, std::size_t n) {
  const std::string_view s(reinterpret_cast<const char*>(d), n);
  const std::size_t p = s.find('\xFF');
  if (p == std::string_view::npos) return {s, {}};
  return {s.substr(0, p), s.substr(p + 1)};
}

}  // namespace orvano::fuzz
