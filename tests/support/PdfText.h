// The text of a PDF file as pdftotext reads it (empty when the tool or the file is missing).
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace orvano::test {

inline std::string PdfText(const std::string& pdf) {
  std::string text;
  std::unique_ptr<FILE, int (*)(FILE*)> p(::popen(("pdftotext -layout '" + pdf + "' -").c_str(), "r"), ::pclose);
  if (!p) return text;
  char puffer[4096];
  while (const std::size_t n = std::fread(puffer, 1, sizeof puffer, p.get())) text.append(puffer, n);
  return text;
}

}  // namespace orvano::test
