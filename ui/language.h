// mdlLanguage: the interface texts in English and German, where the window shows
// them, and SetLanguage. Portable: the window implements LanguageTarget; tests script it.
#pragma once
#include <iterator>
#include <string>
#include <string_view>

#include "engine/run_options.h"
#include "engine/run_texts.h"
#include "ui/control_ids.h"

namespace tunelift::mdlLanguage {

struct Texts {
    const RunTexts* Run;  // what the run writes, asks and refuses with
    const wchar_t* CapSearch;
    const wchar_t* CapCopy;
    const wchar_t* CapCancel;
    const wchar_t* CapPanelFile;
    const wchar_t* CapPanelFilename;
    const wchar_t* CapPanelProgress;
    const wchar_t* CapMenuFile;
    const wchar_t* CapMenuAbout;
    const wchar_t* CapMenuOpen;
    const wchar_t* CapMenuDest;
    const wchar_t* CapMenuOpenSearch;
    const wchar_t* CapMenuOSR;
    const wchar_t* CapMenuExit;
    const wchar_t* CapOverwrite;
    const wchar_t* CapSync;
    const wchar_t* CapMenuOptions;
    const wchar_t* CapAllPlaylists;  // the open dialog's first type while every kind is read
    const wchar_t* CapPanelVerifying;  // panel 1 while a copy is read back
    bool german;  // the option captions come from the option table, by language
};

extern const Texts kEnglish;
extern const Texts kGerman;

// The texts in force; empty strings until the first SetLanguage.
const Texts& Current();

// Where SetLanguage writes a text: the caption of a control or menu item, by its ID,
// or one panel of the status bar.
struct Place {
    int id;         // ids:: of a control or a menu item
    int panel = 0;  // with ids::stbStatus: the panel, 1..3
    friend bool operator==(const Place&, const Place&) = default;
};

// Every place SetLanguage writes, with the text it gets, in the order it writes them.
// A text of the run's table is named by `runText` instead of `text`.
struct Placement {
    Place place;
    const wchar_t* Texts::*text;
    const wchar_t* RunTexts::*runText = nullptr;
};
inline constexpr Placement kPlacements[] = {
    {{ids::cmdSearch}, &Texts::CapSearch},
    {{ids::cmdSearch2}, &Texts::CapSearch},
    {{ids::cmdSave}, &Texts::CapCopy},
    {{ids::cmdCancel}, &Texts::CapCancel},
    {{ids::stbStatus, 1}, &Texts::CapPanelFile},
    {{ids::stbStatus, 2}, &Texts::CapPanelFilename},
    {{ids::stbStatus, 3}, &Texts::CapPanelProgress},
    {{ids::txtPathfrom}, nullptr, &RunTexts::CapPromptPlaylist},
    {{ids::txtPathto}, nullptr, &RunTexts::CapPromptDestination},
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

// After the places above, SetLanguage writes the Options menu's caption and then each
// option's caption from the option table, in the table's order.

class LanguageTarget {
public:
    virtual ~LanguageTarget() = default;
    virtual void SetPlaceText(Place place, const std::wstring& text) = 0;
};

// "Deutsch" exactly gives German; every other name gives English.
void SetLanguage(LanguageTarget& target, std::wstring_view name);

}  // namespace tunelift::mdlLanguage
