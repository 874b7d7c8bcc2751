// The module benchmark's sections that run the program's code in this
// process, on the main dialog's own message loop.
#pragma once

#include <utility>

#include "JukeboxContract.h"
#include "app/VantrelRemoteDlg.h"
#include "framework/ComPtr.h"

// Command 3 (stop): a command that a stopped player answers with nothing, so
// that only the command's own way is timed.
constexpr long kStopCommand = 3;

// While it lives the dialog has no jukebox link: its commands are formatted,
// logged and dropped, so that a section times the program and not the
// jukebox.
class WithoutJukebox
{
public:
    explicit WithoutJukebox(CVantrelRemoteDlg& dialog) : m_dialog(dialog), m_link(std::move(dialog.m_jukeboxLink)) {}
    ~WithoutJukebox() { m_dialog.m_jukeboxLink = std::move(m_link); }
    WithoutJukebox(const WithoutJukebox&) = delete;
    WithoutJukebox& operator=(const WithoutJukebox&) = delete;

private:
    CVantrelRemoteDlg& m_dialog;
    ComPtr<IJukeboxLink> m_link;
};

// DispatchRemoteKey for every key that posts something, against one bare
// PostMessage to the same window.
void ReportDispatch(CVantrelRemoteDlg& dialog);
// What a post costs once the hand-over queue holds its bound of payloads.
void ReportWaitForRoom(CVantrelRemoteDlg& dialog);
// Where a command's time goes between the key's dispatch and the jukebox.
void ReportCommandCost(CVantrelRemoteDlg& dialog);
