// mdlLanguage: the interface texts in English and German, where the window shows
// them, and SetLanguage. Portable: the window implements LanguageTarget; tests script it.
#pragma once
#include <iterator>
#include <string>
#include <string_view>

#include "engine/run_host.h"
#include "ui/control_ids.h"

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
    const wchar_t* MsgPlaylistUnreadable;
    // The Options menu and the run's texts for its behaviours.
    const wchar_t* CapMenuOptions;
    const wchar_t* CapOptAllAudio;
    const wchar_t* CapOptNumberSongs;
    const wchar_t* CapOptWritePlaylist;
    const wchar_t* CapOptOnlyChanged;
    const wchar_t* CapOptAskBeforeSync;
    const wchar_t* CapOptCheckFreeSpace;
    const wchar_t* MsgPlaylistWritten;
    const wchar_t* MsgPlaylistNotWritten;
    const wchar_t* MsgAskSync;
    const wchar_t* MsgSyncDeclined;
    const wchar_t* MsgAskFreeSpace;
};

extern const Texts kEnglish;
extern const Texts kGerman;

// The texts in force; empty strings until the first SetLanguage.
const Texts& Current();

// The text a run asks for, from one language's table.
const wchar_t* TextFor(const Texts& texts, RunText id);

// Where SetLanguage writes a text: the caption of a control or menu item, by its ID,
// or one panel of the status bar.
struct Place {
    int id;         // ids:: of a control or a menu item
    int panel = 0;  // with ids::stbStatus: the panel, 1..3
    friend bool operator==(const Place&, const Place&) = default;
};

// Every place SetLanguage writes, with the text it gets, in the order it writes them.
struct Placement {
    Place place;
    const wchar_t* Texts::*text;
};
inline constexpr Placement kPlacements[] = {
    {{ids::cmdSearch}, &Texts::CapSearch},
    {{ids::cmdSearch2}, &Texts::CapSearch},
    {{ids::cmdSave}, &Texts::CapCopy},
    {{ids::cmdCancel}, &Texts::CapCancel},
    {{ids::stbStatus, 1}, &Texts::CapPanelFile},
    {{ids::stbStatus, 2}, &Texts::CapPanelFilename},
    {{ids::stbStatus, 3}, &Texts::CapPanelProgress},
    {{ids::txtPathfrom}, &Texts::CapPromptPlaylist},
    {{ids::txtPathto}, &Texts::CapPromptDestination},
    {{ids::mnuAbout}, &Texts::CapMenuAbout},
    {{ids::mnuDest}, &Texts::CapMenuDest},
    {{ids::mnuExit}, &Texts::CapMenuExit},
    {{ids::mnuFile}, &Texts::CapMenuFile},
    {{ids::mnuOpen}, &Texts::CapMenuOpen},
    {{ids::mnuOpenSearch}, &Texts::CapMenuOpenSearch},
    {{ids::mnuOSR}, &Texts::CapMenuOSR},
    {{ids::chkExists}, &Texts::CapOverwrite},
    {{ids::chkKill}, &Texts::CapSync},
};
inline constexpr int kPlaceCount = static_cast<int>(std::size(kPlacements));

// The Options menu's captions, written by SetLanguage after the places above.
inline constexpr Placement kOptionPlacements[] = {
    {{ids::mnuOptions}, &Texts::CapMenuOptions},
    {{ids::mnuAllAudio}, &Texts::CapOptAllAudio},
    {{ids::mnuNumberSongs}, &Texts::CapOptNumberSongs},
    {{ids::mnuWritePlaylist}, &Texts::CapOptWritePlaylist},
    {{ids::mnuOnlyChanged}, &Texts::CapOptOnlyChanged},
    {{ids::mnuAskBeforeSync}, &Texts::CapOptAskBeforeSync},
    {{ids::mnuCheckFreeSpace}, &Texts::CapOptCheckFreeSpace},
};

class LanguageTarget {
public:
    virtual ~LanguageTarget() = default;
    virtual void SetPlaceText(Place place, const std::wstring& text) = 0;
};

// "Deutsch" exactly gives German; every other name gives English.
void SetLanguage(LanguageTarget& target, std::wstring_view name);

}  // namespace tunelift::mdlLanguage
