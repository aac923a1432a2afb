#include "ui/language.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tunelift::mdlLanguage;
namespace ids = tunelift::ids;

namespace {

struct Recorder : LanguageTarget {
    std::vector<std::pair<Place, std::wstring>> writes;
    void SetPlaceText(Place place, const std::wstring& text) override { writes.emplace_back(place, text); }
    std::wstring At(Place p) const {
        for (auto& [place, text] : writes) if (place == p) return text;
        return L"<unset>";
    }
};

TEST(Language, OnlyExactDeutschGivesGerman) {
    const struct { const wchar_t* name; bool german; } rows[] = {
        {L"Deutsch", true},   {L"English", false}, {L"deutsch", false}, {L"DEUTSCH", false},
        {L" Deutsch", false}, {L"Deutsch ", false}, {L"", false},       {L"Français", false},
    };
    for (const auto& row : rows) {
        Recorder r;
        SetLanguage(r, row.name);
        EXPECT_EQ(&Current(), row.german ? &kGerman : &kEnglish) << "name: '" << std::wstring(row.name).size();
        EXPECT_EQ(r.At({ids::cmdSave}), row.german ? L"Kopieren" : L"Copy!");
    }
}

TEST(Language, WritesEighteenPlacesInTheirOrder) {
    Recorder r;
    SetLanguage(r, L"English");
    const std::vector<Place> order = {
        {ids::cmdSearch}, {ids::cmdSearch2}, {ids::cmdSave}, {ids::cmdCancel},
        {ids::stbStatus, 1}, {ids::stbStatus, 2}, {ids::stbStatus, 3}, {ids::txtPathfrom}, {ids::txtPathto},
        {ids::mnuAbout}, {ids::mnuDest}, {ids::mnuExit}, {ids::mnuFile}, {ids::mnuOpen},
        {ids::mnuOpenSearch}, {ids::mnuOSR}, {ids::chkExists}, {ids::chkKill}};
    ASSERT_EQ(r.writes.size(), order.size() + 1 + std::size(tunelift::kOptionRows));
    ASSERT_EQ(static_cast<int>(order.size()), kPlaceCount);
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(r.writes[i].first, order[i]) << "write " << i;
    // The Options menu's captions follow the designed places, the options in their table's order.
    EXPECT_EQ(r.writes[order.size()].first, Place{ids::mnuOptions});
    for (size_t i = 0; i < std::size(tunelift::kOptionRows); ++i)
        EXPECT_EQ(r.writes[order.size() + 1 + i].first, Place{tunelift::kOptionRows[i].menuId}) << "option " << i;
}

TEST(Language, PanelsReadLabelColonBlank) {
    Recorder r;
    SetLanguage(r, L"Deutsch");
    EXPECT_EQ(r.At({ids::stbStatus, 1}), L"Datei: ");
    EXPECT_EQ(r.At({ids::stbStatus, 2}), L"Dateiname: ");
    EXPECT_EQ(r.At({ids::stbStatus, 3}), L"Fortschritt: ");
    SetLanguage(r = Recorder{}, L"English");
    EXPECT_EQ(r.At({ids::stbStatus, 3}), L"Progress: ");
}

TEST(Language, TextsThatDifferInPunctuationOrLetters) {
    const struct { const wchar_t* (*text)(const Texts&); const wchar_t* english; const wchar_t* german; } rows[] = {
        {[](const Texts& t) { return t.Run->MsgNoPlaylist; }, L"No playlist found!", L"Kein Playlist gefunden"},
        {[](const Texts& t) { return t.CapCopy; }, L"Copy!", L"Kopieren"},
        {[](const Texts& t) { return t.CapMenuAbout; }, L"About", L"\u00dcber"},
        {[](const Texts& t) { return t.CapMenuOSR; }, L"Open, search and run", L"\u00d6ffnen, suchen und starten"},
        {[](const Texts& t) { return t.CapOverwrite; }, L"Overwrite existing files", L"\u00dcberschreibe existierende Dateien"},
        {[](const Texts& t) { return t.Run->CapPromptPlaylist; }, L"Open playlist", L"Playlist \u00f6ffnen"},
        {[](const Texts& t) { return t.Run->MsgCanceled; }, L"Canceled!", L"Kopiervorgang wurde abgebrochen!"},
        {[](const Texts& t) { return t.Run->MsgPlaylistUnreadable; }, L"The playlist can no longer be read!",
         L"Die Playlist kann nicht mehr gelesen werden!"},
        {[](const Texts& t) { return t.Run->MsgSelectDestination; }, L"Please select a destination directory!",
         L"Bitte w\u00e4hlen Sie einen Zielordner aus!"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(std::wstring(row.text(kEnglish)), row.english);
        EXPECT_EQ(std::wstring(row.text(kGerman)), row.german);
    }
}

}  // namespace
