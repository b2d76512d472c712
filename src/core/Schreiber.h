// Buffered output to a file under construction, written by a second thread while the caller fills.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace orvano {

// The caller fills a buffer of some megabytes; a full buffer goes to a writer thread that writes
// it and starts its write-back to the disk, so that formatting, the kernel's copy and the disk
// work at the same time and the final fsync has little left to wait for (only AUF_DIE_PLATTE:
// a file that is not synced is left to the kernel's own pace). A small file never starts the
// thread. Errors of the writer come back as DateiFehler at the next schreiben/leeren.
class Schreiber {
 public:
  // AB: where the file's write position stands (the writes go on from there).
  Schreiber(int fd, std::string anzeigeName, bool aufDiePlatte = true, std::int64_t ab = 0);
  ~Schreiber();
  Schreiber(const Schreiber&) = delete;
  Schreiber& operator=(const Schreiber&) = delete;

  void schreiben(const void* daten, std::size_t n);
  void schreiben(std::string_view text) { schreiben(text.data(), text.size()); }
  // Room for N bytes (at most a buffer's 4 MB) where the next ones go, to be written in place
  // and then taken with belegen(end of what was written): no copy of each line.
  char* platz(std::size_t n);
  void belegen(const char* ende);
  // Writes everything handed over so far and waits for it; throws what went wrong.
  void leeren();

 private:
  struct Puffer {
    std::unique_ptr<char[]> daten;
    std::size_t belegt = 0;
  };
  void abgeben();
  void schreiberSchleife();
  int direktSchreiben(const char* p, std::size_t n);
  void fehlerWerfen();

  int fd_;
  std::string name_;
  bool aufDiePlatte_;
  Puffer aktuell_;
  std::int64_t versatz_ = 0;  // bytes written; only the one who writes touches it

  std::mutex m_;
  std::condition_variable cv_;
  std::vector<Puffer> voll_;   // handed over, in order
  std::vector<Puffer> frei_;   // written, to be filled again
  bool schreibt_ = false;      // the thread holds a buffer
  bool ende_ = false;
  int fehler_ = 0;             // errno of the first failed write
  std::thread faden_;
};

}  // namespace orvano
