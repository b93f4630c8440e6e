// What lies outside the program's control: captures of any size, start folders cmd would
// rewrite, public IP pages that hold no address. Each ends in a sound result.
#include "driver.h"

#include <psapi.h>

#include <memory>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return names;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Set for the program about to be started, as it was afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name)
    {
        char old[1024];
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        had_ = length > 0 && length < sizeof old;
        old_ = had_ ? old : "";
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

} // namespace

// Tens of megabytes without a line break before the usual output, in both captures: each line
// is cut at 64000 bytes and the rest skipped, so the workgroup and address behind it are found
// and the program's memory stays far below the capture's size.
TEST(HostileCapture, HugeLineIsSkippedAndTheFactsBehindItAreFound)
{
    constexpr size_t filler = 48u << 20;
    Session session("Work", "", {{"WK_FAKE_FILLER_BYTES", std::to_string(filler)}});
    ASSERT_TRUE(session.Main()) << "no main window: exit code " << session.WaitForExit(0);
    EXPECT_EQ(TextOf(session.Control(9)), "ARBEITSGRUPPE");
    EXPECT_EQ(TextOf(session.Control(3)), "10.0.0.7");
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, session.ProcessId());
    PROCESS_MEMORY_COUNTERS memory{sizeof memory};
    ASSERT_TRUE(GetProcessMemoryInfo(process, &memory, sizeof memory));
    CloseHandle(process);
    // Wine keeps no private-bytes count; the working set shows what reading the captures took.
    EXPECT_LT(memory.PeakWorkingSetSize, memory.WorkingSetSize + (8u << 20))
        << "peak " << memory.PeakWorkingSetSize << ", after start-up " << memory.WorkingSetSize;
    EXPECT_TRUE(WaitUntil([&] { return FolderEntries(session.startFolder).empty(); }, 3000)) << "captures left";
}

// cmd expands %NAME% even inside quotes: from such a folder the captures, the session list's
// too, go to the temporary folder and are removed there; the start folder stays untouched.
TEST(HostileStartFolder, PercentInTheNameSendsEveryCaptureToTheTemporaryFolder)
{
    const std::string temp = "C:\\wk-e2e\\temp-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA("C:\\wk-e2e", nullptr), CreateDirectoryA(temp.c_str(), nullptr);
    std::unique_ptr<Session> started;
    {
        ScopedVariable tmp("TMP", temp), tempVariable("TEMP", temp);
        started = std::make_unique<Session>("Work 100% %TEMP%", "", std::map<std::string, std::string>{
                                                {"WK_FAKE_WORKGROUP", "MY GROUP"}, {"WK_FAKE_ADDRESS", "10.1.2.3"}});
    }
    Session& session = *started;
    ASSERT_TRUE(session.Main());
    EXPECT_EQ(TextOf(session.Control(9)), "MY GROUP");
    EXPECT_EQ(TextOf(session.Control(3)), "10.1.2.3");
    Choose(session.Control(2), 17);  // "Net Session (Besucher)"
    ASSERT_TRUE(WaitUntil([&] { return ReadFileText(session.logPath).find("\npaged\t") != std::string::npos; }));
    ASSERT_TRUE(WaitUntil([&] { return session.Launches().size() == 4; }));
    const std::string into = " > \"" + temp + "\\";
    const std::vector<Launch> launches = session.Launches();
    EXPECT_TRUE(launches[0].commandLine.ends_with(into + "2345.txt\"")) << launches[0].commandLine;
    EXPECT_TRUE(launches[1].commandLine.ends_with(into + "123.txt\"")) << launches[1].commandLine;
    EXPECT_TRUE(launches[2].commandLine.ends_with(into + "bes.txt\"")) << launches[2].commandLine;
    EXPECT_TRUE(launches[3].commandLine.ends_with(" /K more < \"" + temp + "\\bes.txt\" & del \"" + temp +
                                                  "\\bes.txt\"")) << launches[3].commandLine;
    EXPECT_NE(ReadFileText(session.logPath).find("paged\t" + temp + "\\bes.txt\tComputer"), std::string::npos);
    EXPECT_TRUE(WaitUntil([&] { return FolderEntries(temp).empty(); }, 3000)) << "left in the temporary folder";
    EXPECT_EQ(FolderEntries(session.startFolder), std::vector<std::string>()) << "written into the start folder";
    RemoveDirectoryA(temp.c_str());
}

// Needs the namespace of tests/wine/public_ip_e2e.sh with its server in "badaddress" mode.
TEST(HostilePublicIpPage, AddressThatIsNotFourNumbersUpTo255ShowsZeros)
{
    if (Environment("WK_CLIENT_ADDRESS").empty() || Environment("WK_PAGE_DIR").empty())
        GTEST_SKIP() << "needs the test namespace of public_ip_e2e.sh";
    Session session("Work", "", {{"WK_FAKE_ADDRESS", "192.168.10.20"}});
    HWND field = session.Control(3);
    ASSERT_EQ(TextOf(field), "192.168.10.20");
    const std::string log = WindowsPathOf(Environment("WK_PAGE_DIR") + "/requests.log");
    const size_t requestsBefore = ReadFileText(log).size();
    Choose(session.Control(2), 15);  // "Internet IP (auch hinter Router)", the page says "IP: 999.999.1.1"
    EXPECT_TRUE(WaitUntil([&] { return ReadFileText(log).size() > requestsBefore; }));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(field) == "0.0.0.0"; })) << TextOf(field);
    EXPECT_EQ(WaitForWindow(session.ProcessId(), "Info", 300), nullptr);
}
