// The repeats of a held key whose press went to another window. Windows' help
// box closes as its key goes down; held, the key goes on repeating into the
// scene once that is active again, and Escape there ends the program. A hook
// on the scene's thread sees each key message before the toolkit does and
// turns such a repeat into a message that does nothing.
#include "platform/win32/key_repeats.h"

#include <windows.h>

#include <bitset>

namespace {

// The keys, by virtual-key code, whose first press came to this thread and
// that have not come up here since.
std::bitset<256> pressed_here;

// In a key message's lParam: the key was down already, so this is a repeat.
constexpr LPARAM repeat_bit = LPARAM{1} << 30;

LRESULT CALLBACK keep_out_repeat(int code, WPARAM removed, LPARAM message)
{
    // A message looked at but left in the queue comes again when it is taken.
    MSG &msg = *reinterpret_cast<MSG *>(message);
    if (code == HC_ACTION && (removed & PM_REMOVE) != 0 && msg.wParam < pressed_here.size()) {
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if ((msg.lParam & repeat_bit) == 0)
                pressed_here.set(msg.wParam);
            else if (!pressed_here.test(msg.wParam))
                msg.message = WM_NULL;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            pressed_here.reset(msg.wParam);
            break;
        default:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, removed, message);
}

} // namespace

void keep_out_repeats_of_presses_elsewhere()
{
    // A hook of this thread's own: no DLL, and the help box's thread is left alone.
    SetWindowsHookExA(WH_GETMESSAGE, keep_out_repeat, nullptr, GetCurrentThreadId());
}
