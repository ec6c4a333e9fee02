// Windows-1251 text: compile-time literals, exact bytes of the code page, and the run-time round trip.
#include "common/cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace zorikan {
namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
  return std::string(values.begin(), values.end());
}

TEST(Cp1251, LiteralsBecomeWindows1251BytesAtCompileTime) {
  static constexpr auto kExit = cp1251<"Выход">();
  static_assert(kExit.size() == 5);
  static_assert(kExit.view()[0] == '\xC2');
  EXPECT_EQ(kExit.view(), bytes({0xC2, 0xFB, 0xF5, 0xEE, 0xE4}));

  static constexpr auto kMixed = cp1251<"Nп= №1 «Ёё» — €">();
  EXPECT_EQ(kMixed.view(),
            bytes({'N', 0xEF, '=', ' ', 0xB9, '1', ' ', 0xAB, 0xA8, 0xB8, 0xBB, ' ', 0x97, ' ', 0x88}));
  static_assert(cp1251<"">().size() == 0);
  // The Latin e at the end of "отжиманиe" stays the ASCII byte.
  EXPECT_EQ(cp1251<"иe">().view(), bytes({0xE8, 0x65}));
}

TEST(Cp1251, CyrillicAlphabetFillsC0ToFFAndRoundTrips) {
  const std::string alphabet = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя";
  std::string expected;
  for (int byte = 0xC0; byte <= 0xFF; ++byte) expected.push_back(static_cast<char>(byte));
  EXPECT_EQ(utf8_to_cp1251(alphabet), expected);
  EXPECT_EQ(cp1251_to_utf8(expected), alphabet);
}

TEST(Cp1251, EveryAssignedByteRoundTripsAndTheUpperBlockHasItsCharacters) {
  for (int byte = 0; byte <= 0xFF; ++byte) {
    if (byte == 0x98) continue;
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(utf8_to_cp1251(cp1251_to_utf8(one)), one) << "byte " << byte;
  }
  EXPECT_EQ(utf8_to_cp1251("ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏ"), bytes({0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
                                                       0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F}));
  EXPECT_EQ(utf8_to_cp1251("ђ‘’“”•–—™љ›њќћџ"), bytes({0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x99,
                                                      0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F}));
  EXPECT_EQ(utf8_to_cp1251("\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї°±Ііґµ¶·ё№є»јЅѕї"),
            bytes({0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA,
                   0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5,
                   0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF}));
}

TEST(Cp1251, UnmappableAndMalformedTextBecomesQuestionMarks) {
  EXPECT_EQ(cp1251_to_utf8("\x98"), "\uFFFD");
  EXPECT_EQ(utf8_to_cp1251("\uFFFD"), "?");  // never written as the unassigned byte
  EXPECT_EQ(utf8_to_cp1251("a中b"), "a?b");
  EXPECT_EQ(utf8_to_cp1251("a\xFF"
                           "b"),
            "a?b");
  EXPECT_EQ(utf8_to_cp1251("\xC0\x80"), "??");       // overlong NUL
  EXPECT_EQ(utf8_to_cp1251("\xED\xA0\x80"), "???");  // surrogate
  EXPECT_EQ(utf8_to_cp1251("Ж\xD0"), "\xC6?");       // truncated at the end
}

}  // namespace
}  // namespace zorikan
