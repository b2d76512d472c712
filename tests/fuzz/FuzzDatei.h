// What the fuzz targets share: the input as a file in a folder of this process.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace orvano::fuzz {

// The folder goes when the process ends; one that a killed run left behind goes with the next.
class FuzzOrdner {
 public:
  FuzzOrdner() {
    const auto tmp = std::filesystem::temp_directory_path();
    std::error_code f;
    for (const auto& e : std::filesystem::directory_iterator(tmp, f)) {
      const std::string n = e.path().filename().string();
      if (n.rfind("orvano-fuzz-", 0) != 0) continue;
      const long pid = std::strtol(n.c_str() + 12, nullptr, 10);
      if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) std::filesystem::remove_all(e.path(), f);
    }
    pfad_ = tmp / ("orvano-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(pfad_);
  }
  ~FuzzOrdner() {
    std::error_code f;
    std::filesystem::remove_all(pfad_, f);
  }
  std::string name() const { return pfad_.string() + "/"; }

 private:
  std::filesystem::path pfad_;
};

inline const std::string& Ordner() {
  static const FuzzOrdner ordner;
  static const std::string o = ordner.name();
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
