// The window with "Read playlists of every kind": what it takes by a drop and as its
// argument, what its open dialog offers, and a real Save run of an XSPF through XmlLite
// and the file system.
#include "scratch_folder.h"
#include "window_fixture.h"

namespace tunelift::testing {
namespace {

// Drops and arguments make the playlist's folder current: it is put back, before the
// scratch folder goes.
struct FolderBack {
    FolderBack() { GetCurrentDirectoryW(MAX_PATH, saved); }
    ~FolderBack() { SetCurrentDirectoryW(saved); }
    wchar_t saved[MAX_PATH] = {};
};

class EveryKindWindow : public WindowTest {
protected:
    void EveryKind(bool on) {
        if (window->Options().allKinds != on) Menu(ids::mnuAllKinds);
    }
    ScratchFolder dir;
    FolderBack back;
};

TEST_F(EveryKindWindow, XmlPlaylistsAreTakenByDropAndArgumentOnlyWhileTicked) {
    for (const bool ticked : {false, true}) {
        EveryKind(ticked);
        for (const bool byDrop : {true, false}) {
            const std::wstring playlist = dir / (byDrop ? L"evening.XSPF" : L"car.wpl");
            SetText(ids::txtPathfrom, L"unchanged");
            if (byDrop) Drop(ids::txtPathfrom, {playlist});
            else window->TakeStartArgument(playlist);
            EXPECT_EQ(Text(ids::txtPathfrom), ticked ? playlist : L"unchanged")
                << (byDrop ? "dropped" : "as argument") << (ticked ? ", ticked" : ", unticked");
        }
    }
}

// Every kind first, in the language in force; the plain types follow as they were.
TEST_F(EveryKindWindow, OpenDialogListsEveryKindFirstInTheLanguageInForce) {
    ChooseLanguage(L"Deutsch");
    Click(ids::cmdSearch);
    EveryKind(true);
    Click(ids::cmdSearch);
    ASSERT_EQ(modal.opens.size(), 2u);
    EXPECT_EQ(modal.opens[1].request.filter, L"Alle Playlisten (*.m3u,*.m3u8,*.txt,*.pls,*.xspf,*.wpl,*.zpl)|"
                                             L"*.m3u;*.m3u8;*.txt;*.pls;*.xspf;*.wpl;*.zpl|" +
                                                 modal.opens[0].request.filter);
}

TEST_F(EveryKindWindow, SaveRunOfAnXspfCopiesEverySongAndLogsWhereItWas) {
    const std::wstring kitchen = L"K\u00fcche.mp3", player = dir / L"Player";
    dir.MakeFolder(L"Player");
    dir.WriteFile(kitchen, "kitchen song");
    dir.WriteFile(L"R&B 66.mp3", "rhythm song");
    dir.WriteFile(L"evening.xspf",
                  "\xEF\xBB\xBF<?xml version=\"1.0\"?><playlist version=\"1\" xmlns=\"http://xspf.org/"
                  "ns/0/\"><trackList><track><location>K%C3%BCche.mp3</location></track><track><location>R&amp;B"
                  "%2066.mp3</location></track></trackList></playlist>");
    EveryKind(true);
    SetText(ids::txtPathfrom, dir / L"evening.xspf");
    SetText(ids::txtPathto, player);
    Click(ids::cmdSave);
    const auto logOf = [&](const std::wstring& name, const wchar_t* count) {
        return L"\r\n" + (dir / name) + L"\r\ncopied to:\r\n" + player + L"\\" + name + L"\r\n" + count + L" ok\r\n---";
    };
    EXPECT_EQ(Text(ids::txtPlaylist), logOf(kitchen, L"1/1") + logOf(L"R&B 66.mp3", L"2/2") + L"\r\nAll files copied!");
    EXPECT_EQ(dir.Read(L"Player\\" + kitchen), "kitchen song");
    EXPECT_EQ(dir.Read(L"Player\\R&B 66.mp3"), "rhythm song");
}

}  // namespace
}  // namespace tunelift::testing
