// LaunchProgram and the text-file operations against real processes and
// files. The stand-in fake_cmd.exe records how it was started.
#include "toolkit/launch.h"
#include "toolkit/system_facts.h"
#include "toolkit/text_file.h"
#include "toolkit_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

std::string StandInPath()
{
    std::string path = std::string("Z:") + WK_STAND_IN_DIR + "/fake_cmd.exe";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A program folder with the stand-in as cmd.exe, a tools folder with it as
// tool.exe, and a log the stand-in appends to.
class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int number = 0;
        root = "C:\\wk-wine\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++number) + "\\";
        CreateDirectoryA("C:\\wk-wine", nullptr);
        CreateDirectoryA(root.c_str(), nullptr);
        programFolder = root + "prog\\";
        toolsFolder = root + "tools\\";
        CreateDirectoryA(programFolder.c_str(), nullptr);
        CreateDirectoryA(toolsFolder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(StandInPath().c_str(), (programFolder + "cmd.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(StandInPath().c_str(), (toolsFolder + "tool.exe").c_str(), FALSE));
        log = root + "launches.log";
        DeleteFileA(log.c_str());  // left by an earlier run with the same process id
        SetEnvironmentVariableA("WK_LAUNCH_LOG", log.c_str());
        SetEnvironmentVariableA("WK_FAKE_DELAY_MS", "700");
        ProgramFolderSet(programFolder);
        SetCurrentDirectoryA(root.c_str());
    }

    // Fields of the one recorded launch: show, folder, module, command line.
    std::vector<std::string> RecordedLaunch()
    {
        std::string line = ReadAll(log);
        line = line.substr(0, line.find("\r\n"));
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        return fields.size() >= 6 ? std::vector<std::string>(fields.begin() + 2, fields.end())
                                  : std::vector<std::string>{};
    }

    bool WaitForLog()
    {
        for (int attempt = 0; attempt < 250; ++attempt, Sleep(20))
            if (!RecordedLaunch().empty())
                return true;
        return false;
    }

    std::string root, programFolder, toolsFolder, log;
};

} // namespace

TEST_F(LaunchTest, HiddenAndWaitedRunsInProgramFolderAndReturnsAfterItsEnd)
{
    ASSERT_TRUE(LaunchProgram("cmd", " /c dir > listing.txt", "", RunWait | RunHidden));
    EXPECT_NE(ReadAll(log).find("ended"), std::string::npos) << "returned before the program ended";
    const std::vector<std::string> launch = RecordedLaunch();
    ASSERT_EQ(launch.size(), 4u);
    EXPECT_EQ(launch[0], "0") << "not started hidden";
    EXPECT_EQ(Lower(launch[1]), Lower(programFolder));
    EXPECT_EQ(Lower(launch[2]), Lower(programFolder + "cmd.exe"));
    EXPECT_NE(launch[3].find(" /c dir > listing.txt"), std::string::npos) << launch[3];
}

TEST_F(LaunchTest, ShownAndNotWaitedReturnsAtOnce)
{
    SetEnvironmentVariableA("WK_FAKE_DELAY_MS", "3000");
    const DWORD start = GetTickCount();
    ASSERT_TRUE(LaunchProgram("cmd", " /k echo", "", 0));
    EXPECT_LT(GetTickCount() - start, 2000u) << "waited for the program";
    EXPECT_EQ(ReadAll(log).find("ended"), std::string::npos) << ReadAll(log);
    ASSERT_TRUE(WaitForLog());
    EXPECT_EQ(RecordedLaunch().at(0), std::to_string(SW_SHOWNORMAL));
}

TEST_F(LaunchTest, ProgramWithFolderPartStartsInThatFolder)
{
    ASSERT_TRUE(LaunchProgram(toolsFolder + "tool.exe", "", "", RunWait | RunHidden));
    EXPECT_EQ(Lower(RecordedLaunch().at(1)), Lower(toolsFolder));
}

TEST_F(LaunchTest, GivenWorkingFolderWins)
{
    ASSERT_TRUE(LaunchProgram(toolsFolder + "tool.exe", "", root, RunWait | RunHidden));
    EXPECT_EQ(Lower(RecordedLaunch().at(1)), Lower(root));
}

TEST_F(LaunchTest, TextFileLinesEndAtLfCrLfLoneCrAndNul)
{
    const char content[] = "a\r\nb\n\nc\rd\0e\r\nlast";
    WriteAll(programFolder + "lines.txt", std::string(content, sizeof content - 1));
    // A relative path is taken from the program folder.
    ASSERT_TRUE(OpenTextFile(0, "lines.txt"));
    std::vector<std::string> lines;
    do
        lines.push_back(ReadTextLine());
    while (!AtEndOfFile(0));
    CloseTextFile(0);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "c", "d", "e", "last"}));

    RemoveFile(programFolder + "lines.txt");
    EXPECT_EQ(GetFileAttributesA((programFolder + "lines.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveFile(programFolder + "lines.txt");  // a missing file is no error
}

TEST_F(LaunchTest, MissingFileReadsEmptyAndIsAtEndAtOnceAndEmptyFileGivesOneEmptyLine)
{
    EXPECT_FALSE(OpenTextFile(0, root + "missing.txt"));
    EXPECT_EQ(ReadTextLine(), "");
    EXPECT_TRUE(AtEndOfFile(0));
    EXPECT_TRUE(AtEndOfFile(7));
    CloseTextFile(0);

    WriteAll(root + "empty.txt", "");
    ASSERT_TRUE(OpenTextFile(0, root + "empty.txt"));
    EXPECT_TRUE(AtEndOfFile(0));
    EXPECT_EQ(ReadTextLine(), "");
    CloseTextFile(0);
}

TEST(SystemFacts, NamesAndBrandAreReadFromThePlatform)
{
    char expected[256] = {};
    DWORD size = sizeof expected;
    GetComputerNameA(expected, &size);
    EXPECT_EQ(ComputerName(), expected);
    EXPECT_FALSE(UserName().empty());
    const std::string brand = ProcessorBrand();
    EXPECT_LE(brand.size(), 48u);
    EXPECT_EQ(brand.find('\0'), std::string::npos);
}
