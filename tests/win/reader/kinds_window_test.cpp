// The window with "Read playlists of every kind": what it takes by a drop and as its
// argument, what its open dialog offers, and real Save runs of an XSPF and of an m3u8
// of file addresses, through XmlLite and the file system.
#include <algorithm>
#include <string>

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
    // The address of a folder as players write it, "/" for "\\".
    std::string FolderUrl(const std::wstring& folder) const {
        std::string url = "file:///" + Utf8(folder) + "/";
        std::replace(url.begin(), url.end(), '\\', '/');
        return url;
    }

    ScratchFolder dir;
    FolderBack back;
};

TEST_F(EveryKindWindow, XmlPlaylistsAreTakenByDropAndArgumentOnlyWhileTicked) {
    const struct { const wchar_t* name; bool byDrop, ticked, taken; } rows[] = {
        {L"evening.XSPF", true, false, false}, {L"evening.XSPF", true, true, true}, {L"car.wpl", false, false, false},
        {L"car.wpl", false, true, true},       {L"mix.m3u8", true, true, true},      {L"song.mp3", false, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(row.name)) + (row.byDrop ? " dropped" : " as argument") +
                     (row.ticked ? ", ticked" : ""));
        EveryKind(row.ticked);
        SetText(ids::txtPathfrom, L"unchanged");
        if (row.byDrop) Drop(ids::txtPathfrom, {dir / row.name});
        else window->TakeStartArgument(dir / row.name);
        EXPECT_EQ(Text(ids::txtPathfrom), row.taken ? dir / row.name : L"unchanged");
    }
}

TEST_F(EveryKindWindow, OpenDialogListsEveryKindFirstInTheLanguageInForce) {
    EveryKind(true);
    ChooseLanguage(L"Deutsch");
    Click(ids::cmdSearch);
    ASSERT_EQ(modal.opens.size(), 1u);
    // What the common dialog receives: text and pattern pairs, NUL-separated.
    const std::wstring filter = ui::CommonDialogFilter(modal.opens[0].request.filter);
    std::vector<std::wstring> parts;
    for (const wchar_t* p = filter.c_str(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
    const std::vector<std::wstring> expected = {
        L"Alle Playlisten (*.m3u,*.m3u8,*.txt,*.pls,*.xspf,*.wpl,*.zpl)",
        L"*.m3u;*.m3u8;*.txt;*.pls;*.xspf;*.wpl;*.zpl",
        L"Playlists (*.m3u,*.txt)", L"*.m3u;*.txt", L"M3U Playlists (*.m3u)", L"*.m3u",
        L"TXT Playlists (*.txt)", L"*.txt"};
    EXPECT_EQ(parts, expected);
    EXPECT_EQ(modal.opens[0].request.filterIndex, 1);
}

TEST_F(EveryKindWindow, SaveRunsOfAnXspfAndOfFileAddressesCopyEverySongAndLogWhereTheyWere) {
    const std::wstring kitchen = L"K\u00fcche.mp3";
    dir.MakeFolder(L"Music");
    dir.MakeFolder(L"Player");
    dir.WriteFile(L"Music\\" + kitchen, "kitchen song");
    dir.WriteFile(L"Music\\R&B 66.mp3", "rhythm song");
    const std::wstring music = dir / L"Music", player = dir / L"Player";
    const auto logOf = [&](const std::wstring& name, int n) {
        return L"\r\n" + music + L"\\" + name + L"\r\ncopied to:\r\n" + player + L"\\" + name + L"\r\n" +
               std::to_wstring(n) + L"/" + std::to_wstring(n) + L" ok\r\n---";
    };
    const std::wstring bothCopied = logOf(kitchen, 1) + logOf(L"R&B 66.mp3", 2) + L"\r\nAll files copied!";
    const struct { const wchar_t* name; std::string bytes; } rows[] = {
        {L"evening.xspf",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
         "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">\r\n  <trackList>\r\n"
         "    <track><location>Music/K%C3%BCche.mp3</location><title>K\xC3\xBC" "che</title></track>\r\n"
         "    <track><location>Music/R&amp;B%2066.mp3</location></track>\r\n  </trackList>\r\n</playlist>\r\n"},
        {L"car.m3u8", "#EXTM3U\r\n" + FolderUrl(music) + "K%C3%BCche.mp3\r\n" + FolderUrl(music) + "R%26B%2066.mp3\r\n"},
    };
    EveryKind(true);
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(row.name)));
        dir.WriteFile(row.name, row.bytes);
        DeleteFileW((player + L"\\" + kitchen).c_str());
        DeleteFileW((player + L"\\R&B 66.mp3").c_str());
        SetText(ids::txtPathfrom, dir / row.name);
        SetText(ids::txtPathto, player);
        Click(ids::cmdSave);
        EXPECT_EQ(Text(ids::txtPlaylist), bothCopied);
        EXPECT_EQ(dir.Read(L"Player\\" + kitchen), "kitchen song");
        EXPECT_EQ(dir.Read(L"Player\\R&B 66.mp3"), "rhythm song");
    }
}

}  // namespace
}  // namespace tunelift::testing
