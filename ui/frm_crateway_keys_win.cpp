// frmCrateway's keyboard: Tab in the designed order, Esc, the keys of the path boxes and
// the language box, and the focus when the window is activated.
#include "ui/frm_crateway_win.h"

#include <commctrl.h>

#include "ui/control_ids.h"

namespace tunelift::ui {

void frmCrateway::txtPathfrom_KeyDown() {
    if (PathFrom() == mdlLanguage::Current().Run->CapPromptPlaylist) SetWindowTextW(Item(ids::txtPathfrom), L"");
}

void frmCrateway::txtPathto_KeyDown() {
    if (PathTo() == mdlLanguage::Current().Run->CapPromptDestination) SetWindowTextW(Item(ids::txtPathto), L"");
}

void frmCrateway::cmbLang_KeyUp() { cmbLang_Click(); }

// The Windows habit: Esc stops what is under way, as Cancel does, and is harmless
// otherwise. It never closes the window.
void frmCrateway::Escape_Press() {
    if (run_.Running()) cmdCancel_Click();
}

bool frmCrateway::KeyOfFocusMove(WPARAM key) const {
    return key == VK_TAB || key == VK_MENU || (key == VK_SHIFT && cmbLangTabbedInto_);
}

bool frmCrateway::DialogKeys(void* self, const MSG& msg) { return static_cast<frmCrateway*>(self)->OnDialogKey(msg); }

bool frmCrateway::OnDialogKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    HWND next = layout_.NextTabStop(GetFocus(), GetKeyState(VK_SHIFT) < 0);
    if (!next) return false;
    // As the dialog manager does: a text box tabbed into has its text selected.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    SetFocus(next);
    cmbLangTabbedInto_ = next == Item(ids::cmbLang);
    return true;
}

void frmCrateway::RememberFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

// The window itself never keeps the focus: it goes back to the control that had it, and
// at start to the first tab stop.
void frmCrateway::RestoreFocus() {
    HWND target = lastFocus_ && IsWindowVisible(lastFocus_) ? lastFocus_ : layout_.NextTabStop(nullptr, false);
    if (target) SetFocus(target);
}

LRESULT CALLBACK frmCrateway::ControlProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
    return reinterpret_cast<frmCrateway*>(data)->HandleControlMessage(control, msg, wParam, lParam);
}

LRESULT frmCrateway::HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(control);
    const bool multiLineView = id == ids::txtPlaylist || id == ids::txtAbout1;
    switch (msg) {
        case WM_GETDLGCODE:
            // A multi-line edit asks for every key, Tab and Esc included, and then posts
            // WM_CLOSE to its parent on Esc: these views leave both to the window.
            if (multiLineView) return DefSubclassProc(control, msg, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
            break;
        case WM_KEYDOWN:
            if (multiLineView && wParam == VK_ESCAPE) {
                Escape_Press();
                return 0;
            }
            // Before the key takes effect, so a typed letter starts the path.
            if (id == ids::txtPathfrom) txtPathfrom_KeyDown();
            if (id == ids::txtPathto) txtPathto_KeyDown();
            // A key pressed here is the box's own; an auto-repeat of a held key is not.
            if (id == ids::cmbLang && !(lParam & (1 << 30))) cmbLangTabbedInto_ = false;
            break;
        case WM_CHAR:
            if (multiLineView && wParam == VK_ESCAPE) return 0;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (id == ids::cmbLang) {
                const LRESULT result = DefSubclassProc(control, msg, wParam, lParam);
                if (!KeyOfFocusMove(wParam)) cmbLang_KeyUp();
                return result;
            }
            break;
        case WM_KILLFOCUS:
            if (id == ids::cmbLang) cmbLangTabbedInto_ = false;
            break;
        case WM_CLOSE:
            // A control is never closed for good (the about box would be gone).
            if (id == ids::pcbAbout) return 0;
            break;
        case WM_DROPFILES:
            if (id == ids::txtPathfrom) {
                HDROP drop = reinterpret_cast<HDROP>(wParam);
                txtPathfrom_OLEDragDrop(drop);
                DragFinish(drop);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, ControlProc, static_cast<UINT_PTR>(id));
            break;
        default:
            break;
    }
    return DefSubclassProc(control, msg, wParam, lParam);
}

}  // namespace tunelift::ui
