// The command lines that start-up and "Net Session (Besucher)" give cmd,
// built from a start folder, a temporary folder and a computer name of any
// bytes: the captures never go to a folder cmd would rewrite, and whatever
// the names hold stays inside its quotes.
#include "app/command_menu.h"
#include "app/startup_rules.h"
#include "fuzz_input.h"
#include "toolkit/command_line.h"

namespace {

// The command line with every quoted part emptied; what is left is all
// that cmd reads as commands and redirections.
std::string Skeleton(std::string_view commandLine)
{
    std::string skeleton;
    bool quoted = false;
    for (char character : commandLine) {
        if (character == '"') {
            quoted = !quoted;
            skeleton += character;
        } else if (!quoted) {
            skeleton += character;
        }
    }
    FUZZ_CHECK(!quoted);
    return skeleton;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const std::string_view startFolder = input.Text();
    const std::string_view tempFolder = input.Text();
    const std::string_view computerName = input.Text();

    const std::string folder = CaptureFolderFor(startFolder, tempFolder);
    FUZZ_CHECK(folder.find('%') == std::string::npos);
    std::string_view temp = tempFolder;
    if (temp.ends_with('\\'))
        temp.remove_suffix(1);
    if (!startFolder.empty() && startFolder.find('%') == std::string_view::npos)
        FUZZ_CHECK(folder == startFolder);
    else
        FUZZ_CHECK(folder.empty() || folder == temp);

    const CapturePaths paths = CapturePathsFor(folder);
    const std::pair<const std::string&, const char*> named[] = {
        {paths.workstation, "\\2345.txt"}, {paths.session, "\\bes.txt"}, {paths.ping, "\\123.txt"}};
    for (const auto& [path, name] : named)
        FUZZ_CHECK(folder.empty() ? path.empty() : path == folder + name);

    FUZZ_CHECK(Skeleton(WorkstationCaptureParameters(paths.workstation)) == " /c Net config workstation > \"\"");
    FUZZ_CHECK(Skeleton(PingCaptureParameters(computerName, paths.ping)) == " /c Ping -n 1 \"\" > \"\"");
    FUZZ_CHECK(Skeleton(SessionCaptureParameters(paths.session)) == " /c net session > \"\"");
    FUZZ_CHECK(Skeleton(SessionViewerParameters(paths.session)) == " /K more < \"\" & del \"\"");
    const std::string quoted = Quoted(computerName);
    FUZZ_CHECK(quoted.size() >= 2 && quoted.find('"', 1) == quoted.size() - 1);

    return 0;
}
