// Street numbers grouped by postal code: for each code the streets that carry it, in street order.
#pragma once

#include <cstdint>
#include <vector>

namespace orvano {

// The street numbers of one postal code, ascending.
struct StrassenBereich {
  const std::int32_t* anfang = nullptr;
  const std::int32_t* ende = nullptr;
  std::size_t size() const { return static_cast<std::size_t>(ende - anfang); }
  bool empty() const { return anfang == ende; }
  const std::int32_t* begin() const { return anfang; }
  const std::int32_t* end() const { return ende; }
};

// A counting sort of the street numbers by code; a scan of the streets for a code gives the
// same numbers in the same order.
class StrassenVerzeichnis {
 public:
  static constexpr std::int32_t kPLZGrenze = 100000;

  // PLZ[k] is the code of street k for k = 1..PLZ.size()-1; a code outside 1..GRENZE-1 is left
  // out. Any other key of the streets works as well (the record a street belongs to).
  void aufbauen(const std::vector<std::int32_t>& plz, std::int32_t grenze = kPLZGrenze);
  void leeren();
  StrassenBereich bereich(std::int32_t plz) const;

 private:
  // erste_[p]..erste_[p+1] in indexe_ are the streets of code p.
  std::vector<std::int32_t> erste_;
  std::vector<std::int32_t> indexe_;
  std::int32_t grenze_ = kPLZGrenze;
};

}  // namespace orvano
