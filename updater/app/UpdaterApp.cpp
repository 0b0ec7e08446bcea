#include "app/UpdaterApp.h"

#include <commctrl.h>

#include "app/MonitorProgram.h"
#include "app/NoticeDlg.h"
#include "app/SkinBitmap.h"
#include "app/UpdateDlg.h"
#include "logic/LaunchMode.h"
#include "logic/UpdaterPaths.h"

bool CUpdaterApp::ClaimSingleInstance() {
    mutex_.Reset(CreateMutexW(nullptr, FALSE, kMutexName));
    if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex_.Reset();
        return false;
    }
    return true;
}

int CUpdaterApp::Run(std::wstring_view commandLine) {
    if (!ClaimSingleInstance())
        return 0;
    const std::wstring trace = L"FW Update: " + std::wstring(commandLine) + L"\n";
    OutputDebugStringW(trace.c_str());

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    switch (LaunchModeFromCommandLine(commandLine)) {
        case LaunchMode::kOfferUpdate:
            if (CNoticeDlg::Show(NoticeVariant::kUpdateOffer, nullptr) == IDOK &&
                CNoticeDlg::Show(NoticeVariant::kBackupWarning, nullptr) == IDOK) {
                RunTransferWindow();
            } else {
                EndWithoutUpdate();
            }
            break;
        case LaunchMode::kOfferDriver:
            CNoticeDlg::Show(NoticeVariant::kDriverOffer, nullptr);
            EndWithoutUpdate();
            break;
        case LaunchMode::kUpToDate:
            CNoticeDlg::Show(NoticeVariant::kUpToDate, nullptr);
            EndWithoutUpdate();
            break;
        case LaunchMode::kTransferNow:
            RunTransferWindow();
            break;
    }
    return 0;
}

void CUpdaterApp::RunTransferWindow() {
    CMonitorProgram::PostClose();
    CUpdateDlg window;
    window.DoModal(nullptr);
}

void CUpdaterApp::EndWithoutUpdate() {
    if (CMonitorProgram::Find() == nullptr)
        CMonitorProgram::Start(UpdaterPaths::MonitorProgram(ProgramFolder()));
}
