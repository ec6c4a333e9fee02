// Formatted text conversion: format parsing, the edit descriptors' output and input, line handling.
#include "common/text_format.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "common/cp1251.h"

namespace zorikan {
namespace {

// The text that format_to_text leaves in a buffer of `width` characters; failures fail the test.
std::string formatted(std::string_view format_text, OutputList values, size_t width = 20) {
  std::vector<char> text(width, '#');
  const IoResult result = format_to_text(text, parse_format(format_text), values, ErrorExit::kReturn);
  EXPECT_TRUE(result.ok()) << result.report;
  return std::string(text.begin(), text.end());
}

std::string field(std::string_view format_text, OutputValue value) {
  const std::string text = formatted(format_text, {value});
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::vector<std::string> lines_of(std::string_view format_text, OutputList values) {
  std::vector<std::string> lines;
  const RecordFailure failure = write_records(parse_format(format_text), values,
                                              [&](std::string_view line) { lines.emplace_back(line); });
  EXPECT_TRUE(failure.ok()) << failure.what;
  return lines;
}

float read_real(std::string_view format_text, std::string_view text) {
  float value = -1.0f;
  const IoResult result = parse_text(text, parse_format(format_text), {&value}, ErrorExit::kReturn);
  EXPECT_TRUE(result.ok()) << result.report;
  return value;
}

int32_t read_integer(std::string_view format_text, std::string_view text) {
  int32_t value = -1;
  const IoResult result = parse_text(text, parse_format(format_text), {&value}, ErrorExit::kReturn);
  EXPECT_TRUE(result.ok()) << result.report;
  return value;
}

TEST(TextFormat, FormatsParseAtCompileTimeAndMalformedOnesAreNamed) {
  static constexpr Format kGlyphPoints = parse_format("(20I4)");
  static_assert(kGlyphPoints.descriptors().size() == 1 && kGlyphPoints.descriptors()[0].repeat == 20);
  static constexpr Format kStamp = parse_format(" ( 1X , I2.2,'.'/2x,'it''s',F5.2 ) ");
  static_assert(kStamp.descriptors().size() == 7 && kStamp.literal(kStamp.descriptors()[5]) == "it's");

  const auto error_of = [](std::string_view text) {
    const FormatParse parse = try_parse_format(text);
    return parse.error == nullptr ? std::string("ok") : std::to_string(parse.column) + ": " + parse.error;
  };
  EXPECT_EQ(error_of("(I4"), "4: missing \")\" at the end");
  EXPECT_EQ(error_of("I4"), "1: a format begins with \"(\"");
  EXPECT_EQ(error_of("(F7)"), "4: Fw.d needs \".\" and a number of decimals d");
  EXPECT_EQ(error_of("(F3.3)"), "6: Fw.d needs d smaller than w");
  EXPECT_EQ(error_of("(I2.3)"), "6: Iw.m needs m no larger than w");
  EXPECT_EQ(error_of("(I0)"), "4: a field width must be 1 to 1000");
  EXPECT_EQ(error_of("(I4 I4)"), "5: \",\" missing between edit descriptors");
  EXPECT_EQ(error_of("(I4,)"), "5: an edit descriptor is missing");
  EXPECT_EQ(error_of("(A10)"), "2: unsupported edit descriptor");
  EXPECT_EQ(error_of("(2(I4))"), "3: groups in parentheses are not supported");
  EXPECT_EQ(error_of("('abc)"), "7: the quoted text has no closing quote");
  EXPECT_EQ(error_of("('час中')"), "6: the quoted text holds a character outside Windows-1251");
  EXPECT_EQ(error_of("(I4)x"), "5: text after the closing \")\"");
  EXPECT_EQ(error_of("(I4/I4,/,2/)"), "ok");

  EXPECT_EXIT(parse_format(std::string("(F7)")), ::testing::ExitedWithCode(1),
              ::testing::Eq("format \"(F7)\", column 4: Fw.d needs \".\" and a number of decimals d\n"));
}

TEST(TextFormat, IntegersRightJustifiedWithLeadingZerosOrAsterisks) {
  EXPECT_EQ(formatted("(I4)", {7}, 6), "   7  ");
  EXPECT_EQ(field("(I2.2)", 7), "07");
  EXPECT_EQ(field("(I4.3)", -5), "-005");
  EXPECT_EQ(field("(I4)", -12), " -12");
  EXPECT_EQ(field("(I3)", 1234), "***");
  EXPECT_EQ(field("(I2)", -10), "**");
  EXPECT_EQ(formatted("(I3.0,'|')", {0}, 4), "   |");
  EXPECT_EQ(field("(I11)", INT32_MIN), "-2147483648");
}

TEST(TextFormat, RealsRoundTheExactFloatHalvesAwayFromZero) {
  EXPECT_EQ(field("(F7.1)", 200.0f), "  200.0");
  EXPECT_EQ(field("(F8.2)", 1.5f), "    1.50");
  EXPECT_EQ(field("(F9.7)", 2.5f / 3), "0.8333333");
  // 0.1f is 0.100000001490116...; the double 0.1 would give 0.1000000000.
  EXPECT_EQ(field("(F12.10)", 0.1f), "0.1000000015");
  // 1.005f is 1.00499999523..., below the half: no decimal-string rounding.
  EXPECT_EQ(field("(F4.2)", 1.005f), "1.00");
  // Exact ties round away from zero (not to even).
  EXPECT_EQ(field("(F4.2)", 0.125f), "0.13");
  EXPECT_EQ(field("(F5.2)", -0.125f), "-0.13");
  EXPECT_EQ(field("(F3.0)", 2.5f), " 3.");
  EXPECT_EQ(field("(F4.0)", -2.5f), " -3.");
  EXPECT_EQ(field("(F5.1)", 99.96f), "100.0");
}

TEST(TextFormat, RealsLeadingZeroOnlyWhenItFitsAndAsterisksWhenTooWide) {
  EXPECT_EQ(field("(F4.2)", 0.8f), "0.80");
  EXPECT_EQ(field("(F5.2)", 0.5f), " 0.50");
  EXPECT_EQ(field("(F3.2)", 0.5f), ".50");
  EXPECT_EQ(field("(F4.2)", -0.5f), "-.50");
  EXPECT_EQ(field("(F5.2)", -0.5f), "-0.50");
  EXPECT_EQ(field("(F7.3)", 1000.0f), "*******");
  EXPECT_EQ(field("(F7.3)", -99.999f), "-99.999");
  EXPECT_EQ(field("(F7.3)", -100.0f), "*******");
  EXPECT_EQ(field("(F4.2)", 9.999f), "****");  // rounds up to 10.00
  EXPECT_EQ(field("(F6.1)", 9999.9f), "9999.9");
  // A negative value that rounds to zero loses its sign.
  EXPECT_EQ(field("(F5.2)", -0.001f), " 0.00");
  EXPECT_EQ(field("(F5.2)", -0.0f), " 0.00");
  EXPECT_EQ(field("(F8.2)", NAN), "     NaN");
  EXPECT_EQ(field("(F8.2)", -INFINITY), "    -Inf");
  EXPECT_EQ(field("(F2.1)", NAN), "**");
}

TEST(TextFormat, LiteralsSkipsNewLinesAndReversionMakeLines) {
  static constexpr Format kVisionRecord = parse_format(
      "(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2,'сек, D=',F7.1,'см  DD=',F4.1,'  ny=',I4,"
      "' nx=',I4,' OZ2=',F4.2)");
  std::array<char, 80> record;
  ASSERT_TRUE(
      format_to_text(record, kVisionRecord, {7, 3, 2026, 9, 5, 3, 200.0f, 17.7f, 768, 1024, 0.8f}).ok());
  EXPECT_EQ(cp1251_to_utf8({record.data(), record.size()}),
            " 07.03.2026г,   9час  5мин  3сек, D=  200.0см  DD=17.7  ny= 768 nx=1024 OZ2=0.80");

  // Reversion: values beyond the format start it again on a new line.
  EXPECT_EQ(lines_of("(3I2)", std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}),
            (std::vector<std::string>{" 1 2 3", " 4 5 6", " 7"}));
  // Output stops at the first I or F without a value, after the texts before it.
  EXPECT_EQ(lines_of("(I2,' cm',I2,' mm')", {1}), (std::vector<std::string>{" 1 cm"}));
  EXPECT_EQ(lines_of("('header',I4)", {}), (std::vector<std::string>{"header"}));
  // X leaves blanks only when something follows; "/" ends a line.
  EXPECT_EQ(lines_of("(I2,3X,I2/2X,'a',2X)", {1, 2}), (std::vector<std::string>{" 1    2", "  a"}));
}

TEST(TextFormat, TextOutputIsBlankPaddedAndFailuresLeaveItUnchanged) {
  EXPECT_EQ(formatted("(F6.1)", {200.0f}, 10), " 200.0    ");

  std::array<char, 10> text;
  text.fill('#');
  IoResult result = format_to_text(text, parse_format("(I12)"), {5}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kOutputTooLong);
  EXPECT_EQ(result.report, "text of 10 characters: the output \"           5\" is 12 characters long");
  result = format_to_text(text, parse_format("(I2/I2)"), {1, 2}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kOutputTooLong);
  EXPECT_EQ(result.report, "text of 10 characters: the output needs 2 lines");
  result = format_to_text(text, parse_format("(1X,I4)"), {1.5f}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kMismatch);
  EXPECT_EQ(result.report, "text of 10 characters, columns 2-5: I4 needs an integer, the value is a real");
  result = format_to_text(text, parse_format("('only text')"), {1}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kMismatch);
  EXPECT_EQ(std::string(text.begin(), text.end()), "##########");
}

TEST(TextFormat, IntegerInputIgnoresBlanksAndNamesBadFields) {
  EXPECT_EQ(read_integer("(16X,I8)", "ignored 16 chars      42 and more"), 42);
  EXPECT_EQ(read_integer("(I4)", " 1 2"), 12);
  EXPECT_EQ(read_integer("(I4)", "  -7"), -7);
  EXPECT_EQ(read_integer("(I4)", "    "), 0);
  EXPECT_EQ(read_integer("(16X,I8)", "short line"), 0);  // missing columns read as blanks
  EXPECT_EQ(read_integer("(I11)", "-2147483648"), INT32_MIN);

  int32_t value = 0;
  IoResult result =
      parse_text("count           abc     ", parse_format("(16X,I8)"), {&value}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kBadField);
  EXPECT_EQ(result.report, "text \"count           abc\", columns 17-24: \"abc\" is not an integer");
  result = parse_text("12.5", parse_format("(I4)"), {&value}, ErrorExit::kReturn);
  EXPECT_EQ(result.report, "text \"12.5\", columns 1-4: \"12.5\" is not an integer");
  result = parse_text("2147483648", parse_format("(I10)"), {&value}, ErrorExit::kReturn);
  EXPECT_EQ(result.report, "text \"2147483648\", columns 1-10: \"2147483648\" is too large for an integer");
  result = parse_text("   -", parse_format("(I4)"), {&value}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kBadField);
  float real = 0.0f;
  result = parse_text("12", parse_format("(I4)"), {&real}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kMismatch);

  EXPECT_EXIT(parse_text("   x", parse_format("(I4)"), {&value}), ::testing::ExitedWithCode(1),
              ::testing::Eq("text \"   x\", columns 1-4: \"x\" is not an integer\n"));
}

TEST(TextFormat, RealInputTakesImpliedDecimalsSignsAndExponents) {
  EXPECT_EQ(read_real("(F7.3)", "     65"), 0.065f);
  EXPECT_EQ(read_real("(F7.3)", "   65.0"), 65.0f);
  EXPECT_EQ(read_real("(F7.3)", "200.000  (comment)"), 200.0f);
  EXPECT_EQ(read_real("(F10.0)", "65        "), 65.0f);
  EXPECT_EQ(read_real("(F10.0)", " 1 7. 7"), 17.7f);
  EXPECT_EQ(read_real("(F7.3)", ""), 0.0f);
  EXPECT_EQ(read_real("(F8.2)", "  -2.5"), -2.5f);
  EXPECT_EQ(read_real("(F8.2)", "  .5"), 0.5f);
  EXPECT_EQ(read_real("(F8.2)", "1.5E2"), 150.0f);
  EXPECT_EQ(read_real("(F8.2)", "1.5d-1"), 0.15f);
  EXPECT_EQ(read_real("(F8.2)", "1.5+3"), 1500.0f);
  EXPECT_EQ(read_real("(F7.3)", "65E1"), 0.65f);  // implied decimals, then the exponent
  EXPECT_EQ(read_real("(F8.2)", "1E-60"), 0.0f);
  EXPECT_TRUE(std::isnan(read_real("(F8.2)", "     NaN")));
  EXPECT_EQ(read_real("(F8.2)", "    -Inf"), -INFINITY);

  float value = 0.0f;
  for (const char* bad : {"1.2.3", "*******", "1.5E", "1.5E+", ".", "-", "1,5"}) {
    const IoResult result = parse_text(bad, parse_format("(F7.3)"), {&value}, ErrorExit::kReturn);
    EXPECT_EQ(result.status, IoStatus::kBadField) << bad;
  }
  const IoResult result = parse_text("1E50", parse_format("(F7.3)"), {&value}, ErrorExit::kReturn);
  EXPECT_EQ(result.report, "text \"1E50\", columns 1-7: \"1E50\" is too large for a real number");
}

TEST(TextFormat, InputReversionReadsFurtherLinesAndStopsWhenTheValuesAreRead) {
  const std::vector<std::string> file = {"   1   2   3   4", "   5   6   7   8", "   9  10"};
  size_t next = 0;
  const RecordSource source = [&](std::string_view& line) {
    if (next == file.size()) return IoStatus::kEndOfFile;
    line = file[next++];
    return IoStatus::kOk;
  };
  std::array<int32_t, 6> points = {};
  ASSERT_TRUE(read_records(parse_format("(4I4)"), std::span<int32_t>(points), source).ok());
  EXPECT_EQ(points, (std::array<int32_t, 6>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(next, 2u);
  // No values still consumes one line.
  ASSERT_TRUE(read_records(parse_format("(4I4)"), {}, source).ok());
  EXPECT_EQ(next, 3u);
  int32_t value = 0;
  EXPECT_EQ(read_records(parse_format("(4I4)"), {&value}, source).status, IoStatus::kEndOfFile);

  // Literals and skips pass over their columns, so a writer's format reads its own line back.
  int32_t day = 0;
  float distance = 0.0f;
  ASSERT_TRUE(parse_text(utf8_to_cp1251(" 07.сек, D=  200.5"), parse_format("(1X,I2.2,'.сек, D=',F7.1)"),
                         {&day, &distance})
                  .ok());
  EXPECT_EQ(day, 7);
  EXPECT_EQ(distance, 200.5f);
  const IoResult result = parse_text("   1", parse_format("(I4/I4)"), {&value, &day}, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kEndOfFile);
  EXPECT_EQ(result.report, "text \"   1\": the format reads past the end of the text");
}

}  // namespace
}  // namespace zorikan
