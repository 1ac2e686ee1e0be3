// The destination page: the drive part of a path, the integer reading of the required
// space, the free-space query and the page as the host drives it through the exports.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "ScriptedHost.h"
#include "destination/DrivePart.h"
#include "destination/IntegerText.h"
#include "plugin/PluginError.h"
#include "toolkit/Edit.h"
#include "toolkit/Shapes.h"
#include "toolkit/Switch.h"

namespace dw {
namespace {

struct DrivePartCase {
  std::u16string path;
  std::u16string drive;
};

TEST(DrivePartTest, LetterUncOrNothing) {
  const DrivePartCase cases[] = {
      {u"C:\\Games\\App", u"C:"},
      {u"C:", u"C:"},
      {u"d:\\", u"d:"},
      {u"C:relative", u"C:"},
      {u"\\\\server\\share\\dir\\sub", u"\\\\server\\share"},
      {u"\\\\server\\share\\", u"\\\\server\\share"},
      {u"\\\\server\\share", u"\\\\server\\share"},
      {u"\\\\server", u"\\\\server"},
      {u"\\Games\\App", u""},
      {u"Games\\App", u""},
      {u"C", u""},
      {u"", u""},
      {u"D:\\<AppName>", u"D:"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DrivePart(c.path), c.drive) << "path of " << c.path.size() << " units";
  }
}

struct IntegerCase {
  std::u16string text;
  std::optional<std::int32_t> value;
};

TEST(IntegerTextTest, ReadsSignedDecimalAndHexadecimal) {
  const IntegerCase cases[] = {
      {u"-5", -5},
      {u"", std::nullopt},
      {u"12abc", std::nullopt},
      {u"99999999999", std::nullopt},
      {u" 42", 42},
      {u"   42", 42},
      {u"+7", 7},
      {u"$1F", 31},
      {u"x1f", 31},
      {u"X1F", 31},
      {u"0x10", 16},
      {u"0X10", 16},
      {u"-$10", -16},
      {u"-0x10", -16},
      {u"007", 7},
      {u"0", 0},
      {u"2147483647", 2147483647},
      {u"-2147483648", INT32_MIN},
      {u"2147483648", std::nullopt},
      {u"-2147483649", std::nullopt},
      {u"$7FFFFFFF", 2147483647},
      {u"$80000000", std::nullopt},
      {u"0000000000000000000042", 42},
      {u"42 ", std::nullopt},
      {u" ", std::nullopt},
      {u"-", std::nullopt},
      {u"+", std::nullopt},
      {u"$", std::nullopt},
      {u"0x", std::nullopt},
      {u"x", std::nullopt},
      {u"$1G", std::nullopt},
      {u"1F", std::nullopt},
      {u"\t5", std::nullopt},
      {u"- 5", std::nullopt},
      {u"+-5", std::nullopt},
      {u"1e3", std::nullopt},
      {u"4.5", std::nullopt},
      {u"\uFF15", std::nullopt},  // a full-width digit is not a digit here
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadInt32(c.text), c.value) << "text of " << c.text.size() << " units";
  }
}

TEST(IntegerTextTest, FailureNamesTheText) {
  try {
    ReadInt32OrThrow(u"12abc");
    FAIL() << "no error";
  } catch (const PluginError& error) {
    EXPECT_EQ(error.message, u"'12abc' is not a valid integer value");
  }
  try {
    ReadInt32OrThrow(u"");
    FAIL() << "no error";
  } catch (const PluginError& error) {
    EXPECT_EQ(error.message, u"'' is not a valid integer value");
  }
  EXPECT_EQ(ReadInt32OrThrow(u"$FF"), 255);
}

// ---- the page as a host drives it ----

constexpr std::uint64_t kKB = 1024;
constexpr std::uint64_t kMB = 1024 * kKB;
constexpr std::uint64_t kGB = 1024 * kMB;
constexpr std::uint64_t kTB = 1024 * kGB;

class DestinationPageTest : public testing::ScriptedHostTest {
 protected:
  // The wizard with a directory on drive E:, whose space a test sets, and the form on the
  // destination page.
  void StartOnDestinationPage(const std::u16string& requiredMB, std::uint64_t freeBytes,
                              std::uint64_t totalBytes = 100 * kTB) {
    sim.SetDrive(u"E:", freeBytes, totalBytes, freeBytes);
    StartWizard(u"Nightfall", requiredMB);
    func04("E:\\Games\\Nightfall");
    GoToStage(2, 1);
    ASSERT_EQ(Stages().TabIndex(), 2);
    ASSERT_EQ(Configuration().TabIndex(), 1);
  }
  // Sets the free space of E: and makes the page read it again, as a new directory does.
  void FreeSpaceBecomes(std::uint64_t freeBytes, std::uint64_t totalBytes = 100 * kTB) {
    sim.SetDrive(u"E:", freeBytes, totalBytes, freeBytes);
    directoryCount_++;
    const std::string directory = "E:\\Games\\Nightfall" + std::to_string(directoryCount_);
    func04(directory.c_str());
  }
  std::u16string Text(const char* label) { return Get<TLabel>(label).Text(); }
  float Sweep() { return Get<TArc>("Arc6").EndAngle(); }

 private:
  int directoryCount_ = 0;
};

TEST_F(DestinationPageTest, NextNeedsMoreFreeSpaceThanRequired) {
  // 1024 MB required: 1,048,576 KB.
  StartOnDestinationPage(u"1024", 1024 * kMB);
  EXPECT_EQ(NextButton().Text(), u"Install");
  EXPECT_FALSE(NextButton().Enabled()) << "equal is not enough";

  FreeSpaceBecomes(1024 * kMB + kKB);
  EXPECT_TRUE(NextButton().Enabled()) << "one kilobyte more";

  FreeSpaceBecomes(1024 * kMB + 1023);
  EXPECT_FALSE(NextButton().Enabled()) << "1023 bytes are not a kilobyte";

  FreeSpaceBecomes(1024 * kMB - kKB);
  EXPECT_FALSE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, EnteringThePageAppliesTheSpaceTest) {
  StartOnDestinationPage(u"1024", 10 * kGB);
  EXPECT_TRUE(NextButton().Enabled());
  Press("Button2");  // back to the terms page, which always lets the user go on
  sim.Advance(400);
  ASSERT_EQ(Configuration().TabIndex(), 0);
  EXPECT_TRUE(NextButton().Enabled());
  sim.SetDrive(u"E:", 1 * kGB, 100 * kTB, 1 * kGB);
  Press("Button3");
  sim.Advance(400);
  ASSERT_EQ(Configuration().TabIndex(), 1);
  EXPECT_FALSE(NextButton().Enabled()) << "the drive is read afresh on entering";
  EXPECT_EQ(Text("Label28"), u"1.00 GB");
}

TEST_F(DestinationPageTest, TwoTebibytesRequiredAreComparedAndShownWhole) {
  // 2,097,152 MB * 1024 no longer fits in 32 bits; it must not wrap to a negative need.
  StartOnDestinationPage(u"2097152", 1 * kTB);
  EXPECT_EQ(State().RequiredSpaceMB, 2097152);
  EXPECT_EQ(Text("Label30"), u"2.00 TB is needed from selected directory");
  EXPECT_FALSE(NextButton().Enabled());
  FreeSpaceBecomes(2 * kTB);
  EXPECT_FALSE(NextButton().Enabled());
  FreeSpaceBecomes(2 * kTB + kKB);
  EXPECT_TRUE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, SpaceLinesAndGaugeShowTheDrive) {
  // 17.8 GB free of 40 GB: the ring shows the used share.
  StartOnDestinationPage(u"4792", 18'664'898 * kKB + 500, 40 * kGB);
  EXPECT_EQ(Text("Label28"), u"17.8 GB");
  EXPECT_EQ(Text("Label33"), u"17.8 GB is available from the selected drive");
  EXPECT_EQ(Text("Label30"), u"4.68 GB is needed from selected directory");
  const double total = 40.0 * kGB;
  const double free = 18'664'898.0 * kKB + 500;
  EXPECT_EQ(Sweep(), static_cast<float>((total - free) / total * 360.0));
  EXPECT_TRUE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, QuotaGivesANegativeSweep) {
  // Under a quota the volume's free bytes can exceed what the caller may use in total.
  StartOnDestinationPage(u"1", 150 * kGB, 100 * kGB);
  EXPECT_FLOAT_EQ(Sweep(), -180.0f);
  EXPECT_EQ(Text("Label28"), u"150 GB");
  EXPECT_TRUE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, FreeSpaceIsTheVolumesNotTheCallers) {
  StartWizard();
  sim.SetDrive(u"F:", 1 * kGB, 8 * kGB, 4 * kGB);
  func04("F:\\App");
  EXPECT_EQ(Text("Label28"), u"4.00 GB");
  EXPECT_FLOAT_EQ(Sweep(), 180.0f);
}

TEST_F(DestinationPageTest, DriveThatCannotBeQueried) {
  StartOnDestinationPage(u"0", 50 * kGB, 100 * kGB);
  EXPECT_TRUE(NextButton().Enabled());
  const float sweepBefore = Sweep();
  func04("Q:\\Nowhere");
  EXPECT_EQ(Text("Label28"), u"0.00 MB");
  EXPECT_EQ(Text("Label33"), u"0.00 MB is available from the selected drive");
  EXPECT_EQ(Sweep(), sweepBefore) << "the gauge keeps its angle";
  EXPECT_FALSE(NextButton().Enabled());

  // A relative directory has no drive part and is not asked about at all.
  sim.ClearLogs();
  func04("Games\\Nightfall");
  EXPECT_TRUE(sim.diskQueries.empty());
  EXPECT_EQ(Text("Label28"), u"0.00 MB");
}

TEST_F(DestinationPageTest, QueriesTheDrivePartOnly) {
  StartWizard();
  sim.SetDrive(u"\\\\server\\share", 2 * kGB, 4 * kGB, 2 * kGB);
  sim.ClearLogs();
  func04("\\\\server\\share\\Games\\Nightfall");
  ASSERT_FALSE(sim.diskQueries.empty());
  for (const auto& query : sim.diskQueries) EXPECT_EQ(query, u"\\\\server\\share");
  EXPECT_EQ(Text("Label28"), u"2.00 GB");
  sim.ClearLogs();
  func04("C:\\Program Files\\Nightfall");
  ASSERT_FALSE(sim.diskQueries.empty());
  EXPECT_EQ(sim.diskQueries.front(), u"C:");
}

TEST_F(DestinationPageTest, SameDirectoryDoesNotRecompute) {
  StartOnDestinationPage(u"1024", 10 * kGB);
  const std::u16string shown = Text("Label28");
  sim.SetDrive(u"E:", 1 * kMB, 100 * kTB, 1 * kMB);
  sim.ClearLogs();
  func04("E:\\Games\\Nightfall");
  EXPECT_TRUE(sim.diskQueries.empty());
  EXPECT_EQ(Text("Label28"), shown);
  EXPECT_TRUE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, OtherPagesKeepTheirNextButton) {
  StartWizard();
  sim.SetDrive(u"E:", 0, 100 * kGB, 0);
  // Welcome: Next stays enabled although the drive is full.
  ASSERT_EQ(Stages().TabIndex(), 0);
  ASSERT_TRUE(NextButton().Enabled());
  func04("E:\\Full");
  EXPECT_EQ(Text("Label28"), u"0.00 MB");
  EXPECT_FLOAT_EQ(Sweep(), 360.0f);
  EXPECT_TRUE(NextButton().Enabled());

  // Terms page of the Configuration stage: the same.
  GoToStage(2, 0);
  ASSERT_EQ(Configuration().TabIndex(), 0);
  func04("E:\\Full\\Again");
  EXPECT_TRUE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, InstallationStageKeepsNextDisabled) {
  StartOnDestinationPage(u"1", 10 * kGB);
  onNextClick = [](int) { func05(); };
  Press("Button3");
  sim.Advance(400);
  ASSERT_EQ(Stages().TabIndex(), 3);
  ASSERT_FALSE(NextButton().Enabled());
  FreeSpaceBecomes(50 * kGB);
  EXPECT_EQ(Text("Label28"), u"50.0 GB");
  EXPECT_FALSE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, RequiredSpaceZero) {
  StartOnDestinationPage(u"0", kKB);
  EXPECT_EQ(Text("Label30"), u"0.00 MB is needed from selected directory");
  EXPECT_TRUE(NextButton().Enabled()) << "one kilobyte free is more than nothing";
  FreeSpaceBecomes(kKB - 1);
  EXPECT_FALSE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, RequiredSpaceReadings) {
  const struct {
    std::u16string text;
    std::int32_t mb;
    std::u16string label30;
  } cases[] = {
      {u" 42", 42, u"42.0 MB is needed from selected directory"},
      {u"+7", 7, u"7.00 MB is needed from selected directory"},
      {u"$400", 1024, u"1.00 GB is needed from selected directory"},
      {u"0x10", 16, u"16.0 MB is needed from selected directory"},
      {u"-5", -5, u"-5.0 MB is needed from selected directory"},
  };
  for (const auto& c : cases) {
    ResetPluginState();
    StartWizard(u"Nightfall", c.text);
    EXPECT_TRUE(sim.errors.empty());
    EXPECT_EQ(State().RequiredSpaceMB, c.mb);
    EXPECT_EQ(Text("Label30"), c.label30);
  }
}

TEST_F(DestinationPageTest, RequiredSpaceThatIsNoIntegerEndsTheShow) {
  const std::u16string design = u"4.68GB is needed from selected directory";
  for (const std::u16string text : {u"12abc", u"", u"99999999999"}) {
    ResetPluginState();
    sim.ClearLogs();
    StartWizard(u"Nightfall", text);
    ASSERT_EQ(sim.errors.size(), 1u);
    EXPECT_EQ(sim.errors[0], u"'" + text + u"' is not a valid integer value");
    EXPECT_EQ(State().RequiredSpaceMB, 0);
    EXPECT_EQ(Text("Label30"), design);
    // The steps before it have run: the placeholders are gone, the pages are reset.
    EXPECT_EQ(Text("Label2"), u"Nightfall");
    EXPECT_EQ(Outcome().TabIndex(), 0);
  }
}

TEST_F(DestinationPageTest, RequiredSpaceIsReadWhenShownOnly) {
  StartWizard(u"Nightfall", u"2048");
  func08(testing::HostText(u"Nightfall").get(), testing::HostText(u"1").get());
  EXPECT_EQ(State().RequiredSpaceMB, 2048);
  EXPECT_EQ(Text("Label30"), u"2.00 GB is needed from selected directory");
}

TEST_F(DestinationPageTest, SearchButtonClicksTheHostsBrowseButton) {
  StartOnDestinationPage(u"1", 10 * kGB);
  sim.SetDrive(u"G:", 3 * kGB, 6 * kGB, 3 * kGB);
  // The host's browse dialog answers inside the click, through func04.
  sim.SetHandler(browse, [](unsigned message, std::uintptr_t, std::intptr_t) {
    if (message == win::kWmLButtonUp) func04("G:\\Chosen");
    return std::intptr_t{0};
  });
  sim.ClearLogs();
  Press("SearchEditButton1");
  const auto messages = sim.MessagesTo(browse);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].message, win::kWmLButtonDown);
  EXPECT_EQ(messages[1].message, win::kWmLButtonUp);
  for (const auto& m : messages) {
    EXPECT_EQ(m.wParam, 10u);
    EXPECT_EQ(m.lParam, 10);
  }
  EXPECT_TRUE(sim.MessagesTo(next).empty());
  EXPECT_EQ(Get<TEdit>("Edit1").Text(), u"G:\\Chosen");
  EXPECT_EQ(Text("Label28"), u"3.00 GB");
  EXPECT_TRUE(NextButton().Enabled());
}

TEST_F(DestinationPageTest, ShortcutSwitches) {
  StartWizard();
  EXPECT_EQ(func11(1), 1);
  EXPECT_EQ(func11(0), 1);
  auto& desktop = Get<TSwitch>("Switch1");
  auto& startMenu = Get<TSwitch>("Switch2");

  startMenu.SetIsChecked(false);
  EXPECT_EQ(Text("Label24"), u"Off");
  EXPECT_EQ(Text("Label21"), u"On");
  EXPECT_EQ(func11(1), 1);
  EXPECT_EQ(func11(0), 0);
  EXPECT_EQ(func11(0x100), 0) << "only the low byte counts";

  desktop.SetIsChecked(false);
  EXPECT_EQ(Text("Label21"), u"Off");
  EXPECT_EQ(func11(0x1FF), 0);

  startMenu.SetIsChecked(true);
  EXPECT_EQ(Text("Label24"), u"On");
  EXPECT_EQ(Text("Label21"), u"Off");
  EXPECT_EQ(func11(0), 1);
}

}  // namespace
}  // namespace dw
