// Export and import through user-chosen files: the proposed names and what an import takes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/logic/ProfileTransfer.h"
#include "profiles/ProfileFile.h"

namespace {

namespace fs = std::filesystem;

class ProfileTransferTest : public ::testing::Test {
  protected:
    void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    TempFolder temp_{"transfer"};
    const fs::path folder = temp_.Path();
};

TEST_F(ProfileTransferTest, ProposedNamesStayInTheProfilesFolder) {
    EXPECT_EQ(ExportFileProposal(u"C:\\Program Files\\ORVA", u"Profile2"),
              u"C:\\Program Files\\ORVA\\Profiles\\Profile2.profile");
    EXPECT_EQ(ExportFileProposal(u"C:\\ORVA", u"Sniper"), u"C:\\ORVA\\Profiles\\Sniper.profile");
    // A name is not a path: separators and other forbidden characters are replaced.
    EXPECT_EQ(ExportFileProposal(u"C:\\ORVA", u"..\\a/b:c*?\"<>|"),
              u"C:\\ORVA\\Profiles\\.._a_b_c______.profile");
    EXPECT_EQ(ImportFileProposal(u"C:\\ORVA"), u"C:\\ORVA\\Profiles\\*.profile");
}

TEST_F(ProfileTransferTest, ImportTakesTheSettingsButKeepsTheSlot) {
    Profile exported;
    exported.index = 2;  // saved from slot 3
    exported.name = u"Imported";
    exported.pointerSpeed = 9;
    exported.ledColour = 0x00112233;
    exported.buttons[3].function = kFunctionSingleKey;
    exported.buttons[3].value = 0x41;
    const fs::path file = folder / "exported";  // no extension, as a user may type it
    ASSERT_TRUE(SaveProfileFile(exported, file));

    Profile slotOne;
    slotOne.index = 0;
    slotOne.filePath = folder / "Default1.profile";
    slotOne.firmwareVersion = 109;
    slotOne.accelerationLevel = 2;
    ASSERT_EQ(ImportProfileFrom(file, slotOne), ImportResult::kImported);
    EXPECT_EQ(slotOne.index, 0) << "two profiles in one slot would never write this one";
    EXPECT_EQ(slotOne.filePath, folder / "Default1.profile");
    EXPECT_EQ(slotOne.firmwareVersion, 109);
    EXPECT_EQ(slotOne.accelerationLevel, 2);
    EXPECT_EQ(slotOne.name, u"Imported");
    EXPECT_EQ(slotOne.pointerSpeed, 9);
    EXPECT_EQ(slotOne.ledColour, 0x00112233u);
    EXPECT_EQ(slotOne.buttons[3].function, kFunctionSingleKey);
    EXPECT_EQ(slotOne.buttons[3].value, 0x41);

    // Saved again, the slot's file is the exported one but for the index.
    exported.index = 0;
    EXPECT_EQ(EncodeProfile(slotOne), EncodeProfile(exported));
}

TEST_F(ProfileTransferTest, FilesThatAreNotProfilesChangeNothing) {
    Profile target;
    target.index = 4;
    target.name = u"Keep";
    target.pointerSpeed = 3;
    const std::vector<uint8_t> before = EncodeProfile(target);

    EXPECT_EQ(ImportProfileFrom(folder / "missing.profile", target), ImportResult::kUnreadable);
    EXPECT_EQ(ImportProfileFrom(folder, target), ImportResult::kUnreadable);

    WriteBytes(folder / "text.profile", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(ImportProfileFrom(folder / "text.profile", target), ImportResult::kNotAProfile);

    Profile other;
    other.name = u"Other";
    std::vector<uint8_t> truncated = EncodeProfile(other);
    truncated.resize(truncated.size() / 2);
    WriteBytes(folder / "cut.profile", truncated);
    EXPECT_EQ(ImportProfileFrom(folder / "cut.profile", target), ImportResult::kNotAProfile);

    WriteBytes(folder / "empty.profile", {});
    EXPECT_EQ(ImportProfileFrom(folder / "empty.profile", target), ImportResult::kNotAProfile);

    EXPECT_EQ(EncodeProfile(target), before);
    EXPECT_EQ(target.index, 4);
    EXPECT_NE(ImportFailedText(ImportResult::kNotAProfile, u"C:\\x.profile").find(u"C:\\x.profile"),
              std::u16string::npos);
}

}  // namespace
