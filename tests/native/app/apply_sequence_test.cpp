// Apply end to end below the window: what the main window is asked to do, in which order, what
// reaches the files and the mouse, where it stops, and what the user is told.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FakeHid.h"
#include "TempFolder.h"
#include "app/logic/ApplySequence.h"
#include "base/TextConvert.h"
#include "device/MouseApply.h"
#include "profiles/DeviceImage.h"
#include "profiles/ProfileFile.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class RecordingHost : public ApplyHost {
  public:
    explicit RecordingHost(const int32_t& busy) : busy_(busy) {}
    void CollectPages() override { Record("collect"); }
    void ApplyWindowsSettings() override { Record("windows"); }
    bool SaveMacros() override {
        Record("macros");
        return macrosSave;
    }
    void ShowMessage(const std::u16string& text) override {
        Record("message " + Utf16ToUtf8(text));
    }

    Lines calls;
    bool busyThroughout = true;
    bool macrosSave = true;

  private:
    void Record(const std::string& call) {
        calls.push_back(call);
        busyThroughout = busyThroughout && busy_ == 1;
    }
    const int32_t& busy_;
};

class ApplySequenceTest : public ::testing::Test {
  protected:
    ApplySequenceTest() : host(busy), link(transport, transport.clock) {
        transport.AddUsualInterfaces();
        for (int i = 0; i < 5; ++i) {
            Profile& profile = profiles[static_cast<size_t>(i)];
            profile.index = static_cast<uint8_t>(i);
            profile.firmwareVersion = 109;
            profile.name = u"Profile" + Utf8ToUtf16(std::to_string(i + 1));
            profile.filePath =
                folder / "Profiles" / ("Default" + std::to_string(i + 1) + ".profile");
        }
    }

    ApplyOutcome Apply(int current) { return RunApply(host, link, profiles, current, busy); }

    // The SET lines reduced to "select N", "image N" (a header) and "chunk".
    Lines MouseSteps() const {
        Lines steps;
        bool operand = false;
        for (const std::string& line : transport.log.Sets()) {
            const std::string bytes = line.substr(4);
            if (operand) {
                steps.back() += " " + bytes.substr(3, 1);
                operand = false;
            } else if (bytes.rfind("0302", 0) == 0) {
                steps.push_back("select");
                operand = true;
            } else if (bytes.rfind("0300", 0) == 0) {
                steps.push_back("image " + bytes.substr(11, 1));
            } else if (bytes.rfind("05", 0) != 0) {
                steps.push_back(bytes);
            }
        }
        return steps;
    }

    int32_t busy = 0;
    RecordingHost host;
    FakeTransport transport;
    DeviceLink link;
    ProfileSet profiles;
    TempFolder temp_{"apply"};
    const fs::path folder = temp_.Path();
};

TEST_F(ApplySequenceTest, ProfileThreeCurrentWritesFilesThenSelectsFiveImagesSelects) {
    profiles[2].ledColour = 0x123456;
    ApplyOutcome outcome = Apply(2);
    EXPECT_TRUE(outcome.filesSaved);
    EXPECT_TRUE(outcome.macrosSaved);
    EXPECT_TRUE(outcome.mouseWritten);
    EXPECT_EQ(host.calls, (Lines{"collect", "windows", "macros"}));
    EXPECT_TRUE(host.busyThroughout);
    EXPECT_EQ(busy, 0);
    EXPECT_EQ(MouseSteps(), (Lines{"select 2", "image 0", "image 1", "image 2", "image 3",
                                   "image 4", "select 2"}));
    for (const Profile& profile : profiles) {
        Profile loaded;
        ASSERT_TRUE(LoadProfileFile(profile.filePath, loaded)) << profile.filePath;
        EXPECT_EQ(EncodeProfile(loaded), EncodeProfile(profile));
    }
    EXPECT_EQ(transport.model.Memory().activeSlot, 2);
}

TEST_F(ApplySequenceTest, AMouseWhoseVersionIsNotKnownYetIsAskedBeforeTheImagesAreBuilt) {
    // The read at start ran out of time: the images still take the layout of the mouse's
    // firmware (the report rate in byte 87 from version 1.09 on), as the slots show.
    for (Profile& profile : profiles) {
        profile.firmwareVersion = 0;
    }
    profiles[1].reportRate = 2;
    ASSERT_TRUE(Apply(1).mouseWritten);
    const Lines steps = MouseSteps();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front().substr(0, 4), "0304");
    EXPECT_EQ(steps.size(), 8u);
    for (size_t i = 0; i < profiles.size(); ++i) {
        EXPECT_EQ(profiles[i].firmwareVersion, 109);
        const std::optional<DeviceImage> image = BuildDeviceImage(profiles[i]);
        ASSERT_TRUE(image);
        const auto& slot = transport.model.Memory().slots[i];
        EXPECT_TRUE(std::equal(image->begin(), image->begin() + DeviceImageLength(profiles[i]),
                               slot.begin()))
            << "slot " << i;
    }
    EXPECT_EQ(transport.model.Memory().slots[1][86], 0);
    EXPECT_EQ(transport.model.Memory().slots[1][87], 2);

    // Once known, the version is not asked again.
    transport.log.lines.clear();
    ASSERT_TRUE(Apply(1).mouseWritten);
    EXPECT_EQ(MouseSteps().front(), "select 1");
}

TEST_F(ApplySequenceTest, WithoutTheMouseFilesAreStillWrittenAndTheUserIsTold) {
    transport.model.Unplug();
    ApplyOutcome outcome = Apply(0);
    EXPECT_TRUE(outcome.filesSaved);
    EXPECT_FALSE(outcome.mouseWritten);
    EXPECT_EQ(host.calls, (Lines{"collect", "windows", "macros", "message ORVA mouse no found."}));
    EXPECT_EQ(busy, 0);
    EXPECT_TRUE(MouseSteps().empty());
    for (const Profile& profile : profiles) {
        EXPECT_TRUE(fs::exists(profile.filePath)) << profile.filePath;
    }
}

TEST_F(ApplySequenceTest, MissingAcknowledgeInProfileTwoStopsTheImagesButSelectsAgain) {
    vmouse::MouseFaults faults;
    faults.ackAfterPolls = vmouse::kNever;
    faults.ackFaultSlot = 1;
    transport.model.SetFaults(faults);
    ApplyOutcome outcome = Apply(3);
    EXPECT_FALSE(outcome.mouseWritten);
    EXPECT_EQ(host.calls,
              (Lines{"collect", "windows", "macros", "message set profile to mcu failed."}));
    const Lines steps = MouseSteps();
    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(steps.front(), "select 3");
    EXPECT_EQ(steps[1], "image 0");
    EXPECT_EQ(steps[2], "image 1");
    EXPECT_EQ(steps.back(), "select 3");
    for (const std::string& step : steps) {
        EXPECT_NE(step, "image 2");
        EXPECT_NE(step, "image 3");
        EXPECT_NE(step, "image 4");
    }
    EXPECT_EQ(busy, 0);
}

TEST_F(ApplySequenceTest, FilesThatCannotBeSavedAreNamedAndNothingElseStops) {
    // A regular file where the profile folder should be: neither profile 2 nor 4 can be saved.
    fs::create_directories(folder);
    const fs::path blocker = folder / "blocked";
    std::ofstream(blocker) << "not a folder";
    profiles[1].filePath = blocker / "Default2.profile";
    profiles[3].filePath = blocker / "Default4.profile";
    host.macrosSave = false;
    ApplyOutcome outcome = Apply(0);
    EXPECT_FALSE(outcome.filesSaved);
    EXPECT_FALSE(outcome.macrosSaved);
    EXPECT_TRUE(outcome.mouseWritten);
    ASSERT_EQ(host.calls.size(), 6u);
    EXPECT_EQ(host.calls[2],
              "message " + Utf16ToUtf8(SaveFailedText(profiles[1].filePath.u16string())));
    EXPECT_EQ(host.calls[3],
              "message " + Utf16ToUtf8(SaveFailedText(profiles[3].filePath.u16string())));
    EXPECT_EQ(host.calls[4], "macros");
    EXPECT_EQ(host.calls[5].rfind("message The macros could not be saved to ", 0), 0u);
    EXPECT_TRUE(fs::exists(profiles[0].filePath));
    EXPECT_TRUE(fs::exists(profiles[4].filePath));
}

TEST_F(ApplySequenceTest, WhileTheUpdaterRunsFilesAreSavedButTheMouseIsLeftAlone) {
    ASSERT_TRUE(link.EnsureOpen());
    transport.processes.push_back(u"UPDATER.EXE");
    ApplyOutcome outcome = Apply(1);
    EXPECT_TRUE(outcome.filesSaved);
    EXPECT_FALSE(outcome.mouseWritten);
    EXPECT_TRUE(MouseSteps().empty()) << "nothing may reach the mouse during a firmware update";
    EXPECT_FALSE(link.IsOpen());
    ASSERT_EQ(host.calls.size(), 4u);
    EXPECT_EQ(host.calls[3].rfind("message The firmware updater is running.", 0), 0u);
    EXPECT_EQ(busy, 0);

    transport.processes.pop_back();
    EXPECT_TRUE(Apply(1).mouseWritten);
}

}  // namespace
