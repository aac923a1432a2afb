// Modal dialogs run their own message loop on the test thread; this closer acts on them
// from another thread, the way a person at the screen would, and ends the process when
// a dialog will not close, so that a stuck dialog fails the suite instead of hanging it.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tunelift::testing {

class DialogCloser {
public:
    // `act` gets the first dialog window ("#32770") that the calling thread shows.
    explicit DialogCloser(std::function<void(HWND dialog)> act);
    ~DialogCloser();
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;

    bool acted() const { return acted_; }
    // The dialog stayed open after the action and had to be cancelled.
    bool forced() const { return forced_; }

private:
    void Watch();

    DWORD ownerThread_;
    std::function<void(HWND)> act_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> acted_{false};
    std::atomic<bool> forced_{false};
    std::thread thread_;
};

// Helpers for the closer's actions (cross-thread, by message).
std::wstring TextOf(HWND window);
std::vector<std::wstring> ComboItems(HWND combo);
std::vector<std::wstring> ChildTexts(HWND parent);
void PressButton(HWND dialog, int id);
// The text of the selected item of the dialog's folder tree; "" when nothing is selected.
std::wstring SelectedTreeItem(HWND dialog);
// Polls `done` every 20 ms for up to `ms`; its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000);

}  // namespace tunelift::testing
