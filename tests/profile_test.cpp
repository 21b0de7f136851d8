// Writing the capture profile into the staging folder.
#include <gtest/gtest.h>

#include "app.h"
#include "update.h"
#include "test_support.h"

namespace
{

class CaptureProfile : public MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        folder = MakeScratchFolder("profile");
        profile = folder + "\\All-in-Wonder-NTSC.ini";
    }
    std::string folder;
    std::string profile;
};

TEST_F(CaptureProfile, IsWrittenByteForByte)
{
    ASSERT_TRUE(WriteCaptureProfile(folder.c_str()));
    EXPECT_TRUE(boxes.Boxes().empty());
    std::string written;
    ASSERT_TRUE(ReadFileBytes(profile, &written));
    EXPECT_EQ(8007u, written.size());
    EXPECT_TRUE(written == ProfileInRepository());
}

TEST_F(CaptureProfile, ReplacesALongerFileOfTheSameName)
{
    ASSERT_TRUE(WriteFileBytes(profile, std::string(20000, 'x')));
    ASSERT_TRUE(WriteCaptureProfile(folder.c_str()));
    ASSERT_TRUE(WriteCaptureProfile(folder.c_str()));
    std::string written;
    ASSERT_TRUE(ReadFileBytes(profile, &written));
    EXPECT_TRUE(written == ProfileInRepository());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.ini").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_FALSE(FindNextFileA(search, &found)) << "more than one profile file";
    FindClose(search);
}

// Each failure returns false and shows exactly its one message, owned by the main window.
void ExpectOneMessage(const BoxRecorder &boxes, const char *text)
{
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(text, boxes.Boxes()[0].text);
    EXPECT_EQ(TITLE, boxes.Boxes()[0].caption);
    EXPECT_EQ(std::vector<int>{IDOK}, boxes.Boxes()[0].buttons);
    EXPECT_EQ(g_mainWindow, boxes.Boxes()[0].owner);
}

TEST_F(CaptureProfile, AnUnwritableFileCannotBeCreated)
{
    ASSERT_TRUE(WriteFileBytes(profile, "old"));
    ASSERT_TRUE(MakeUnwritable(profile));
    BOOL written = WriteCaptureProfile(folder.c_str());
    std::string content;
    ReadFileBytes(profile, &content);
    EXPECT_TRUE(MakeWritable(profile));
    EXPECT_FALSE(written);
    ExpectOneMessage(boxes, CREATE_FILE);
    EXPECT_EQ("old", content);
}

TEST_F(CaptureProfile, AMissingFolderCannotHoldTheFile)
{
    std::string missing = folder + "\\not-there";
    EXPECT_FALSE(WriteCaptureProfile(missing.c_str()));
    ExpectOneMessage(boxes, CREATE_FILE);
}

TEST_F(CaptureProfile, APathBeyondThePathLimitIsRefused)
{
    // The folder fits the limit; with "\All-in-Wonder-NTSC.ini" the path would not.
    std::string longFolder = "C:\\" + std::string(MAX_PATH - 10, 'a');
    EXPECT_FALSE(WriteCaptureProfile(longFolder.c_str()));
    ExpectOneMessage(boxes, CREATE_FILE);
}

TEST_F(CaptureProfile, AFailedWriteIsReported)
{
    // The profile file there is /dev/full: it opens, and every write fails.
    EXPECT_FALSE(WriteCaptureProfile(TEST_FULL_DISK_DIR));
    ExpectOneMessage(boxes, WRITE_FILE);
}

} // namespace
