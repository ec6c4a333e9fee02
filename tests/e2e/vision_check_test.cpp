// The whole program's vision check with the robot user on simulated time: the bisection examples with
// their records, the level rules, the robot that sees gaps down to a width, the notes under a result,
// leaving by both buttons and by the menu, and set-ups that cannot size or show a ring.
#include <gtest/gtest.h>

#include <limits>

#include "common/text_format.h"
#include "tests/e2e/vision_robot.h"
#include "vision/setup_fault.h"

namespace zorikan::testing {
namespace {

// Rings of 371 px at 0.1 down to 19 px at 2.0, so the robot sees every gap.
const std::string kLargeRings = saved_parameters("900.000", " 17.700", "    768", "   1024");

// The record's date and time, and the moment they name.
constexpr Format kStampLayout = parse_format("(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2)");

double record_moment(const std::string& record, std::array<int32_t, 6>& stamp) {
  EXPECT_TRUE(parse_text(record, kRecordDateReadLayout, stamp, ErrorExit::kReturn).ok()) << record;
  return SimulatedTime::epoch_of_local_time({stamp[2], stamp[1], stamp[0], stamp[3], stamp[4], stamp[5], 0});
}

struct Bisection {
  std::string verdicts;  // P passed, F failed, one per level probed
  std::vector<float> levels;
  std::string field;  // the acuity in the record
};

class VisionBisection : public ::testing::TestWithParam<Bisection> {};

TEST_P(VisionBisection, ProbesTheLevelsAndAppendsTheRecord) {
  const Bisection& example = GetParam();
  SessionRun session;
  session.dir.write("zorikan.vvd", kLargeRings);
  VisionRobot robot(session, [&](const RingView&, int level, int) {
    return level <= static_cast<int>(example.verdicts.size()) && example.verdicts[level - 1] == 'P' ? 'R'
                                                                                                    : 'W';
  });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(300), 0);

  EXPECT_EQ(robot.levels(), example.levels);
  EXPECT_EQ(robot.size_after_result, 2) << "the start screen is back after the click";
  const auto records = results_records(session.dir);
  ASSERT_EQ(records.size(), 1u);
  std::array<int32_t, 6> stamp{};
  const double moment = record_moment(records[0], stamp);
  EXPECT_LE(robot.presentations().back().at - 1, moment);
  EXPECT_LE(moment, robot.result_seen_at);
  std::array<char, 29> date{};
  format_to_text(date, kStampLayout, stamp);
  EXPECT_EQ(records[0], std::string(date.data(), date.size()) +
                            utf8_to_cp1251("сек, D=  900.0см  DD=17.7  ny= 768 nx=1024 OZ2=") +
                            example.field);
}

INSTANTIATE_TEST_SUITE_P(Examples, VisionBisection,
                         ::testing::Values(Bisection{"F", {0.1f}, "0.00"},
                                           Bisection{"PFFF", {0.1f, 0.7f, 0.4f, 0.2f}, "0.10"},
                                           Bisection{"PFPPP", {0.1f, 0.7f, 0.4f, 0.5f, 0.6f}, "0.60"},
                                           Bisection{"PPFPF", {0.1f, 0.7f, 1.0f, 0.8f, 0.9f}, "0.80"},
                                           Bisection{"PPPFF", {0.1f, 0.7f, 1.0f, 1.5f, 1.25f}, "1.00"},
                                           Bisection{"PPPPP", {0.1f, 0.7f, 1.0f, 1.5f, 2.0f}, "2.00"}),
                         [](const auto& info) { return info.param.verdicts; });

// The rules of one level, on the first level (0.1); later levels are answered wrong.
struct LevelRun {
  std::string name;
  std::string actions;  // the robot's actions at the rings of the first level
  bool passed;
  int counted_silences;  // 400 Hz tones
};

class VisionLevelRules : public ::testing::TestWithParam<LevelRun> {};

TEST_P(VisionLevelRules, DecideTheFirstLevelAfterItsRings) {
  const LevelRun& run = GetParam();
  SessionRun session;
  session.dir.write("zorikan.vvd", kLargeRings);
  VisionRobot robot(session, [&](const RingView&, int level, int index) {
    return level == 1 && index < static_cast<int>(run.actions.size()) ? run.actions[index] : 'W';
  });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(300), 0);

  const auto presentations = robot.presentations();
  int first_level = 0, silences = 0;
  while (first_level < static_cast<int>(presentations.size()) && presentations[first_level].acuity == 0.1f)
    ++first_level;
  EXPECT_EQ(first_level, static_cast<int>(run.actions.size())) << "rings shown at 0.1";
  EXPECT_EQ(robot.levels().size() > 1, run.passed);
  for (const SimulatedTone& tone : session.time.tones())
    silences += tone.frequency_hz == 400 && tone.start_seconds < presentations[first_level - 1].at + 2.5;
  EXPECT_EQ(silences, run.counted_silences);
  EXPECT_EQ(results_records(session.dir).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, VisionLevelRules,
    ::testing::Values(LevelRun{"TwoWrongThenTenRightPass", "WWRRRRRRRRRR", true, 0},
                      LevelRun{"AWrongAfterNineRightResetsTheRun", "RRRRRRRRRWRRRRRRRRRR", true, 0},
                      LevelRun{"AThirdWrongFailsAtOnce", "WRWRRW", false, 0},
                      LevelRun{"ARightAnswerClearsTheSilenceRun", "RSSSSRSSSSRRRRRRRR", true, 8},
                      LevelRun{"FiveSilentInARowFail", "RSSSSS", false, 5},
                      LevelRun{"SilenceRepeatsUncountedUntilAFirstAnswer", "SSSSSSSRRRRRRRRRR", true, 0},
                      LevelRun{"ALateClickIsNoAnswerAndIsDiscarded", "RLLLLS", false, 5}),
    [](const auto& info) { return info.param.name; });

// The answer window is measured on the steady clock: the system's clock set an hour forward in the
// first ring's window neither ends it before the answer at 0.3 s, and set an hour back in the second
// (left unanswered) it still ends after 2 s.
TEST(VisionCheck, AnswerWindowsIgnoreTheSystemClockBeingSet) {
  SessionRun session;
  session.dir.write("zorikan.vvd", kLargeRings);
  VisionRobot robot(session, [&](const RingView&, int level, int index) {
    if (level != 1) return 'W';
    return index == 1 ? 'S' : 'R';
  });
  std::vector<double> onsets;
  session.time.on_tone([&](const SimulatedTone& tone) {
    if (tone.frequency_hz != 1000 || onsets.size() >= 2) return;
    const double step = onsets.empty() ? 3600 : -3600;
    onsets.push_back(tone.start_seconds);
    session.time.at(tone.start_seconds + 0.1, [&session, step] { session.time.step_wall_clock(step); });
  });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(300), 0);

  ASSERT_EQ(onsets.size(), 2u);
  std::vector<SimulatedTone> verdicts;
  for (const SimulatedTone& tone : session.time.tones())
    if (tone.frequency_hz != 1000) verdicts.push_back(tone);
  ASSERT_GE(verdicts.size(), 2u);
  EXPECT_EQ(verdicts[0].frequency_hz, 800);
  EXPECT_NEAR(verdicts[0].start_seconds - onsets[0], 0.3, 0.005);
  EXPECT_EQ(verdicts[1].frequency_hz, 400);
  EXPECT_NEAR(verdicts[1].start_seconds - onsets[1], 2.0, 0.005);
  EXPECT_GT(robot.levels().size(), 1u) << "0.1 passed with ten right answers";
}

// A robot that sees gaps of at least k pixels. Gap widths for the default set-up (200 cm, 17.7", 1024 x
// 768): 16.5 px at 0.1, 8.3 at 0.2, 5.5 at 0.3, 2.4 at 0.7.
class VisionThreshold : public ::testing::TestWithParam<std::pair<double, std::string>> {};

TEST_P(VisionThreshold, FindsTheAcuityOfTheSmallestGapItSees) {
  SessionRun session;
  VisionRobot robot(
      session, [](const RingView& view, int, int) { return view.gap_width >= GetParam().first ? 'R' : 'W'; });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(300), 0);
  const auto records = results_records(session.dir);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].substr(76), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Robot, VisionThreshold,
                         ::testing::Values(std::pair{20.0, "0.00"}, std::pair{12.0, "0.10"},
                                           std::pair{7.0, "0.20"}));

// A result finer than the set-up can show, 2.0 at the default set-up (whose gap at 2.0 is 0.83 pixels),
// adds the line naming the distance that would measure it, below the result; at 900 cm a gap of 2.0 is
// 3.7 pixels and no line is added; on 75.6" 1024 x 768 at 900 cm it is 0.87 pixels, and the line says
// that no distance the parameters take measures it. A ring of 0.1 that does not fit the window (806 pixels
// on 15.6" 3840 x 2160 at 500 cm) adds the line that rings were shown clipped. Every line ends inside the
// window; the record is the same either way.
struct ResultLines {
  std::string name;
  std::string saved;  // zorikan.vvd, or none for the defaults
  bool beyond;
  bool clipped;
};

class VisionResultNotes : public ::testing::TestWithParam<ResultLines> {};

TEST_P(VisionResultNotes, ShowTheLinesThatApplyUnderTheResultAndLeaveTheRecord) {
  SessionRun session;
  if (!GetParam().saved.empty()) session.dir.write("zorikan.vvd", GetParam().saved);
  VisionRobot robot(session, [](const RingView&, int, int) { return 'R'; });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(300), 0);

  ASSERT_FALSE(robot.result_picture.isNull());
  EXPECT_EQ(shows_blue(robot.result_picture.copy(0, 420, 980, 45)), GetParam().beyond);
  EXPECT_EQ(shows_blue(robot.result_picture.copy(0, 466, 980, 40)), GetParam().clipped);
  EXPECT_FALSE(shows_blue(robot.result_picture.copy(960, 420, 20, 86))) << "a line runs past the window";
  const auto records = results_records(session.dir);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].substr(76), "2.00");
}

INSTANTIATE_TEST_SUITE_P(
    SetUps, VisionResultNotes,
    ::testing::Values(ResultLines{"Defaults", std::string(), true, false},
                      ResultLines{"LargeRings", kLargeRings, false, false},
                      ResultLines{"BeyondEveryDistance",
                                  saved_parameters("900.000", " 75.600", "    768", "   1024"), true, false},
                      ResultLines{"RingOfPoint1BeyondTheWindow",
                                  saved_parameters("500.000", " 15.600", "   2160", "   3840"), false, true}),
    [](const auto& info) { return info.param.name; });

// Leaving during a level test: the start screen comes back, nothing is written, and only a chart request
// starts its activity.
struct Abandon {
  std::string name;
  std::string actions;
  size_t chart_calls;
};

class VisionAbandon : public ::testing::TestWithParam<Abandon> {};

TEST_P(VisionAbandon, ReturnsToTheStartScreenWithoutARecord) {
  SessionRun session;
  std::atomic<int> size_after{-1};
  VisionRobot robot(session, [&](const RingView&, int, int index) {
    if (index + 1 == static_cast<int>(GetParam().actions.size())) {
      const double now = session.time.now();
      session.time.at(now + 4.0, [&] { size_after = shown_pattern_size(window_picture()); });
      session.time.at(now + 5.0, [] { choose_menu("Выход"); });
    }
    return index < static_cast<int>(GetParam().actions.size()) ? GetParam().actions[index] : 'S';
  });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(), 0);

  EXPECT_EQ(size_after, 2);
  EXPECT_FALSE(std::filesystem::exists(session.dir.path() / "zorikan.rtr"));
  const auto calls = ActivityLog::instance().calls();
  ASSERT_EQ(calls.size(), 1 + GetParam().chart_calls);
  EXPECT_EQ(calls[0].routine, "vision check");
  EXPECT_EQ(click_flag, 0) << "the releases completed no click for the start screen";
}

INSTANTIATE_TEST_SUITE_P(Leaving, VisionAbandon,
                         ::testing::Values(Abandon{"BothInTheAnswerWaitLeftReleasedFirst", "B", 0},
                                           Abandon{"BothInTheAnswerWaitRightReleasedFirst", "X", 0},
                                           Abandon{"BothInTheBlankSecond", "Rb", 0},
                                           Abandon{"ChartInTheAnswerWait", "C", 1},
                                           Abandon{"ChartInTheBlankSecond", "Rc", 1}),
                         [](const auto& info) { return info.param.name; });

// A set-up that cannot size a ring, or a window that cannot show one (its width read as 0): the message
// instead of rings, a click, no record. The dialog refuses such values and the reading of zorikan.vvd
// skips them, so they are put in place after the dialog, as a damaged program state would hold them.
struct BadSetup {
  float distance_cm;
  float diagonal_inch;
  int32_t screen_ny;
  int32_t screen_nx;
  SetupFault fault;
  int32_t window_width_read = 980;
};

class VisionSetupFault : public ::testing::TestWithParam<BadSetup> {};

TEST_P(VisionSetupFault, ShowsWhichValueToCorrectAndWritesNothing) {
  SessionRun session;
  VisionRobot robot(session, [](const RingView&, int, int) { return 'S'; });
  if (GetParam().window_width_read == 0)
    activity_routines.run_vision_check = [](int16_t, int16_t window_ny) { run_vision_check(0, window_ny); };
  std::atomic<bool> message{false};
  std::atomic<int> size_after{-1};
  const double start = session.time.now();
  session.time.at(start + 2.0, [setup = GetParam()] {
    session_params.distance_cm = setup.distance_cm;
    session_params.diagonal_inch = setup.diagonal_inch;
    session_params.screen_ny = setup.screen_ny;
    session_params.screen_nx = setup.screen_nx;
  });
  robot.start_at(start + 3.0);
  session.time.at(start + 4.0, [&] {
    message = shows_blue(window_picture());
    click_button(Qt::RightButton);
  });
  session.time.at(start + 8.0, [&] { size_after = shown_pattern_size(window_picture()); });
  robot.exit_at(start + 9.0);
  ASSERT_EQ(session.run(), 0);

  EXPECT_EQ(find_setup_fault(session_params), GetParam().fault);
  EXPECT_TRUE(message);
  EXPECT_EQ(size_after, 2) << "the start screen is back; the right click started no new check";
  EXPECT_TRUE(robot.presentations().empty());
  EXPECT_FALSE(std::filesystem::exists(session.dir.path() / "zorikan.rtr"));
}

INSTANTIATE_TEST_SUITE_P(Parameters, VisionSetupFault,
                         ::testing::Values(BadSetup{0.0f, 17.7f, 768, 1024, SetupFault::kDistance},
                                           BadSetup{std::numeric_limits<float>::quiet_NaN(), 17.7f, 768, 1024,
                                                    SetupFault::kDistance},
                                           BadSetup{-50.0f, 17.7f, 768, 1024, SetupFault::kDistance},
                                           BadSetup{200.0f, 0.0f, 768, 1024, SetupFault::kDiagonal},
                                           BadSetup{200.0f, std::numeric_limits<float>::infinity(), 768, 1024,
                                                    SetupFault::kDiagonal},
                                           BadSetup{200.0f, 17.7f, 0, 1024, SetupFault::kScreenNy},
                                           BadSetup{200.0f, 17.7f, 768, -1, SetupFault::kScreenNx},
                                           BadSetup{200.0f, 17.7f, 768, 1024, SetupFault::kNone, 0}));

}  // namespace
}  // namespace zorikan::testing
