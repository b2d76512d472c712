#include "core/Windows1252.h"

#include <gtest/gtest.h>

namespace orvano {
namespace {

TEST(Windows1252, AllBytesSurviveTheRoundTripThroughUtf8) {
  std::string alle;
  for (int b = 0; b < 256; ++b) alle += static_cast<char>(b);
  const std::string utf8 = Cp1252ZuUtf8(alle);
  EXPECT_EQ(Utf8ZuCp1252(utf8), alle);
}

TEST(Windows1252, GermanLettersAndTheEuroMapToTheirCodePoints) {
  EXPECT_EQ(Cp1252ZuUtf8("\xD6sterreich"), "Österreich");
  EXPECT_EQ(Cp1252ZuUtf8("Stra\xDF" "e"), "Straße");
  EXPECT_EQ(Cp1252ZuUtf8("\x80"), "€");
  EXPECT_EQ(Utf8ZuCp1252("Müller €"), "M\xFCller \x80");
  EXPECT_EQ(Utf8ZuCp1252("Š“”"), "\x8A\x93\x94");
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ZuCp1252("Łódź"), "?\xF3" "d?");
  EXPECT_EQ(Utf8ZuCp1252("日本"), "??");
  EXPECT_EQ(Utf8ZuCp1252("a😀b"), "a?b");
  // U+0080 is not a Windows-1252 character (0x80 is the euro sign).
  EXPECT_EQ(Utf8ZuCp1252("\xC2\x80"), "?");
}

TEST(Windows1252, MalformedUtf8NeverSwallowsFollowingText) {
  EXPECT_EQ(Utf8ZuCp1252("a\xFF" "b"), "a?b");
  EXPECT_EQ(Utf8ZuCp1252("a\xC3"), "a?");          // cut off at the end
  EXPECT_EQ(Utf8ZuCp1252("\xC3" "x"), "?x");       // continuation missing
  EXPECT_EQ(Utf8ZuCp1252("\xC0\xAF"), "?");        // overlong "/"
  EXPECT_EQ(Utf8ZuCp1252("\xED\xA0\x80z"), "?z");  // surrogate
}

TEST(Windows1252, ATextFileOfEitherEncodingIsReadAsWindows1252) {
  EXPECT_EQ(TextAlsCp1252("K\xC3\xB6ln;2"), "K\xF6ln;2");
  EXPECT_EQ(TextAlsCp1252("\xEF\xBB\xBF" "Stra\xC3\x9F" "e"), "Stra\xDF" "e") << "byte-order mark dropped";
  EXPECT_EQ(TextAlsCp1252("K\xF6ln"), "K\xF6ln") << "Windows-1252 stays";
  // Bytes that look like a lead byte with a wrong follower are Windows-1252 text.
  EXPECT_EQ(TextAlsCp1252("\xC3" "x \xE4"), "\xC3" "x \xE4");
  EXPECT_FALSE(IstUtf8("ab\xC3"));
  EXPECT_FALSE(IstUtf8("\xC0\xAF"));
  EXPECT_TRUE(IstUtf8("a\xF0\x9F\x98\x80"));
  EXPECT_EQ(TextAlsCp1252(std::string("\xFF\xFEK\0\xF6\0l\0n\0", 10)), "K\xF6ln") << "UTF-16 with its mark";
  EXPECT_EQ(TextAlsCp1252(std::string("\xFE\xFF\0K\0\xF6\xD8\x3D\xDE\x00", 10)), "K\xF6?") << "a pair of surrogates is one letter";
}

}  // namespace
}  // namespace orvano
