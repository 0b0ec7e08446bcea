#include "skin/ControlNotification.h"

namespace {

// The ControlNotification being sent from this thread: a send to a window of the same thread
// calls its procedure directly, so the first WM_SYSCOMMAND that window sees with this code is
// ours. Menu ids are tick counts and may fall anywhere, 0xF000 .. 0xFFFF included.
struct NotificationMark {
    HWND target = nullptr;
    WPARAM code = 0;
};
thread_local NotificationMark* tCurrentMark = nullptr;

}  // namespace

LRESULT ControlNotification(HWND target, int code, LPARAM value) noexcept {
    if (target == nullptr || GetWindowThreadProcessId(target, nullptr) != GetCurrentThreadId()) {
        return 0;
    }
    NotificationMark mark{target, static_cast<WPARAM>(code)};
    NotificationMark* outer = tCurrentMark;
    tCurrentMark = &mark;
    const LRESULT result = SendMessageW(target, WM_SYSCOMMAND, mark.code, value);
    tCurrentMark = outer;
    return result;
}

bool TakeControlNotificationMark(HWND hwnd, WPARAM wParam) noexcept {
    if (tCurrentMark == nullptr || tCurrentMark->target != hwnd || tCurrentMark->code != wParam) {
        return false;
    }
    tCurrentMark->target = nullptr;
    return true;
}
