// mdlLanguage: the 24 interface texts in English and German, and SetLanguage.
// Portable: the window implements LanguageTarget; tests can script it.
#pragma once
#include <string>
#include <string_view>

#include "engine/run_host.h"

namespace tunelift::mdlLanguage {

struct Texts {
    const wchar_t* CapSearch;
    const wchar_t* CapCopy;
    const wchar_t* MsgCopiedTo;
    const wchar_t* MsgNoPlaylist;
    const wchar_t* MsgAllCopied;
    const wchar_t* MsgSearchFinished;
    const wchar_t* CapCancel;
    const wchar_t* MsgCanceled;
    const wchar_t* CapPanelFile;
    const wchar_t* CapPanelFilename;
    const wchar_t* CapPanelProgress;
    const wchar_t* CapPromptPlaylist;
    const wchar_t* CapPromptDestination;
    const wchar_t* CapMenuFile;
    const wchar_t* CapMenuAbout;
    const wchar_t* CapMenuOpen;
    const wchar_t* CapMenuDest;
    const wchar_t* CapMenuOpenSearch;
    const wchar_t* CapMenuOSR;
    const wchar_t* CapMenuExit;
    const wchar_t* CapOverwrite;
    const wchar_t* CapSync;
    const wchar_t* MsgSelectPlaylist;
    const wchar_t* MsgSelectDestination;
};

extern const Texts kEnglish;
extern const Texts kGerman;

// The texts in force; empty strings until the first SetLanguage.
const Texts& Current();

// The text a run asks for, from one language's table.
const wchar_t* TextFor(const Texts& texts, RunText id);

// The places of the window that SetLanguage writes, in the order it writes them.
enum class Place {
    CmdSearch, CmdSearch2, CmdSave, CmdCancel,
    Panel1, Panel2, Panel3,
    TxtPathfrom, TxtPathto,
    MnuAbout, MnuDest, MnuExit, MnuFile, MnuOpen, MnuOpenSearch, MnuOSR,
    ChkExists, ChkKill,
};
constexpr int kPlaceCount = 18;

class LanguageTarget {
public:
    virtual ~LanguageTarget() = default;
    virtual void SetPlaceText(Place place, const std::wstring& text) = 0;
};

// "Deutsch" exactly gives German; every other name gives English.
void SetLanguage(LanguageTarget& target, std::wstring_view name);

}  // namespace tunelift::mdlLanguage
