#include "ui/taskbar_win.h"

#include <shobjidl.h>

#include <cstdint>

#include "win/handles_win.h"

namespace tunelift::ui {
namespace {

class ShellTaskbarButton final : public TaskbarButton {
public:
    explicit ShellTaskbarButton(HWND window) : window_(window) {}

    void ButtonCreated() override {
        // The shell is asked only once it has made the button; before, it has nothing to show on.
        if (!list_ && SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_ITaskbarList3, list_.put_void())) &&
            FAILED(list_->HrInit()))
            list_.reset();
    }
    void SetProgress(int done, int total) override {
        if (!list_ || total <= 0) return;
        // A long playlist moves the button by less than a percent per line: the shell is
        // told only when it shows.
        const int percent = static_cast<int>(int64_t{done} * 100 / total);
        if (percent == shownPercent_) return;
        shownPercent_ = percent;
        list_->SetProgressValue(window_, static_cast<ULONGLONG>(done), static_cast<ULONGLONG>(total));
    }
    void SetError() override {
        if (!list_ || red_) return;
        red_ = true;
        list_->SetProgressState(window_, TBPF_ERROR);
    }
    void Clear() override {
        shownPercent_ = -1;
        red_ = false;
        if (list_) list_->SetProgressState(window_, TBPF_NOPROGRESS);
    }
    void Flash() override {
        // Until the user brings the window up.
        FLASHWINFO info{sizeof info, window_, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
        FlashWindowEx(&info);
    }

private:
    const HWND window_;
    win::ComPtr<ITaskbarList3> list_;
    int shownPercent_ = -1;
    bool red_ = false;
};

}  // namespace

std::unique_ptr<TaskbarButton> CreateShellTaskbarButton(HWND window) {
    return std::make_unique<ShellTaskbarButton>(window);
}

UINT TaskbarButtonCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

}  // namespace tunelift::ui
