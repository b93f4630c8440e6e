#include "app/command_menu.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/ip_field.h"
#include "toolkit/gadget.h"
#include "toolkit/text.h"
#include "toolkit/text_file.h"

namespace {

void LaunchWithAddress(const CommandEntry& entry)
{
    // An untouched or cleared field reads 0.0.0.0; only that exact text is
    // refused.
    appState.IpFieldText = GadgetGetText(GadgetIpField);
    if (TextEquals(appState.IpFieldText, "0.0.0.0")) {
        ShowMessage("Fehler!", "Keine g\xFCltige IP", MB_OK);
        return;
    }
    LaunchProgram(entry.program, std::string(entry.parameters) + appState.IpFieldText, "", 0);
}

void ShowSessionList()
{
    const std::string& capture = appState.SessionCapturePath;
    LaunchProgram("cmd", SessionCaptureParameters(capture), "", RunWait | RunHidden);
    // The viewer deletes the capture itself once it has paged it; only when
    // no viewer could be started is it removed here.
    if (!LaunchProgram("cmd", SessionViewerParameters(capture), "", 0))
        RemoveFile(capture);
}

} // namespace

void RunMenuCommand(int index)
{
    const auto& entries = CommandEntries();
    if (index < 0 || static_cast<size_t>(index) >= entries.size())
        return;
    const CommandEntry& entry = entries[static_cast<size_t>(index)];
    switch (entry.action) {
    case CommandAction::Launch:
        LaunchProgram(entry.program, entry.parameters, "", 0);
        break;
    case CommandAction::LaunchWithAddress:
        LaunchWithAddress(entry);
        break;
    case CommandAction::OwnAddress:
        ShowOwnAddress();
        break;
    case CommandAction::PublicAddress:
        ShowPublicAddress();
        break;
    case CommandAction::SessionList:
        ShowSessionList();
        break;
    }
}
