#include "skin/KeyboardHookSlot.h"

#include <array>
#include <utility>

namespace {

struct HookClient {
    HHOOK hook = nullptr;
    HWND target = nullptr;
};

std::array<HookClient, kKeyboardHookClients> gClients{};

// A hook procedure has no context argument: each client place gets a procedure of its own that
// knows which target it reports to.
template <int Index>
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const HookClient& client = gClients[Index];
    if (code >= 0 && client.target != nullptr) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        PostMessageW(client.target, WM_HOOK_EVENT, event->vkCode, event->flags & LLKHF_UP);
    }
    // Keys are passed on: the focused program still receives them.
    return CallNextHookEx(client.hook, code, wParam, lParam);
}

template <int... Index>
constexpr std::array<HOOKPROC, sizeof...(Index)> MakeProcs(std::integer_sequence<int, Index...>) {
    return {&KeyboardHookProc<Index>...};
}

constexpr auto kProcs = MakeProcs(std::make_integer_sequence<int, kKeyboardHookClients>{});

}  // namespace

bool InstallKeyboardHook(HWND target) noexcept {
    if (target == nullptr) {
        return false;
    }
    for (const HookClient& client : gClients) {
        if (client.target == target) {
            return true;
        }
    }
    for (size_t i = 0; i < gClients.size(); ++i) {
        if (gClients[i].hook != nullptr) {
            continue;
        }
        // The target goes in first: the system may call the procedure before SetWindowsHookExW
        // returns.
        gClients[i].target = target;
        gClients[i].hook =
            SetWindowsHookExW(WH_KEYBOARD_LL, kProcs[i], GetModuleHandleW(nullptr), 0);
        if (gClients[i].hook == nullptr) {
            gClients[i].target = nullptr;
            return false;
        }
        return true;
    }
    return false;
}

void RemoveKeyboardHook(HWND target) noexcept {
    for (HookClient& client : gClients) {
        if (client.target == target && client.hook != nullptr) {
            UnhookWindowsHookEx(client.hook);
            client = HookClient{};
        }
    }
}

void RemoveAllKeyboardHooks() noexcept {
    for (HookClient& client : gClients) {
        if (client.hook != nullptr) {
            UnhookWindowsHookEx(client.hook);
        }
        client = HookClient{};
    }
}

int InstalledKeyboardHookCount() noexcept {
    int count = 0;
    for (const HookClient& client : gClients) {
        count += client.hook != nullptr ? 1 : 0;
    }
    return count;
}
