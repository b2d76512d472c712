// A fresh folder under the system's temp directory, removed again with the test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace orvano::test {

class TempOrdner {
 public:
  TempOrdner() {
    std::string muster = (std::filesystem::temp_directory_path() / "orvano-test-XXXXXX").string();
    if (::mkdtemp(muster.data()) == nullptr) std::abort();
    pfad_ = muster + "/";
  }
  ~TempOrdner() {
    std::error_code ec;
    std::filesystem::remove_all(pfad_, ec);
  }
  TempOrdner(const TempOrdner&) = delete;
  TempOrdner& operator=(const TempOrdner&) = delete;

  // The folder with a trailing separator.
  const std::string& pfad() const { return pfad_; }
  std::string operator/(std::string_view name) const { return pfad_ + std::string(name); }

 private:
  std::string pfad_;
};

inline void DateiSchreiben(const std::string& name, std::string_view inhalt) {
  std::filesystem::create_directories(std::filesystem::path(name).parent_path());
  std::ofstream f(name, std::ios::binary | std::ios::trunc);
  f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

inline std::string DateiLesen(const std::string& name) {
  std::ifstream f(name, std::ios::binary | std::ios::ate);
  if (!f) return {};
  std::string inhalt(static_cast<std::size_t>(f.tellg()), '\0');
  f.seekg(0);
  f.read(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
  return inhalt;
}

}  // namespace orvano::test
