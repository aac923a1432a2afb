#include "ui/language.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tunelift::mdlLanguage;

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
        EXPECT_EQ(r.At(Place::CmdSave), row.german ? L"Kopieren" : L"Copy!");
    }
}

TEST(Language, WritesEighteenPlacesInTheirOrder) {
    Recorder r;
    SetLanguage(r, L"English");
    const std::vector<Place> order = {
        Place::CmdSearch, Place::CmdSearch2, Place::CmdSave, Place::CmdCancel,
        Place::Panel1, Place::Panel2, Place::Panel3, Place::TxtPathfrom, Place::TxtPathto,
        Place::MnuAbout, Place::MnuDest, Place::MnuExit, Place::MnuFile, Place::MnuOpen,
        Place::MnuOpenSearch, Place::MnuOSR, Place::ChkExists, Place::ChkKill};
    ASSERT_EQ(r.writes.size(), order.size());
    ASSERT_EQ(static_cast<int>(order.size()), kPlaceCount);
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(r.writes[i].first, order[i]) << "write " << i;
}

TEST(Language, PanelsReadLabelColonBlank) {
    Recorder r;
    SetLanguage(r, L"Deutsch");
    EXPECT_EQ(r.At(Place::Panel1), L"Datei: ");
    EXPECT_EQ(r.At(Place::Panel2), L"Dateiname: ");
    EXPECT_EQ(r.At(Place::Panel3), L"Fortschritt: ");
    SetLanguage(r = Recorder{}, L"English");
    EXPECT_EQ(r.At(Place::Panel3), L"Progress: ");
}

TEST(Language, TextsThatDifferInPunctuationOrLetters) {
    const struct { const wchar_t* Texts::*field; const wchar_t* english; const wchar_t* german; } rows[] = {
        {&Texts::MsgNoPlaylist, L"No playlist found!", L"Kein Playlist gefunden"},
        {&Texts::CapCopy, L"Copy!", L"Kopieren"},
        {&Texts::CapMenuAbout, L"About", L"\u00dcber"},
        {&Texts::CapMenuOSR, L"Open, search and run", L"\u00d6ffnen, suchen und starten"},
        {&Texts::CapOverwrite, L"Overwrite existing files", L"\u00dcberschreibe existierende Dateien"},
        {&Texts::CapPromptPlaylist, L"Open playlist", L"Playlist \u00f6ffnen"},
        {&Texts::MsgCanceled, L"Canceled!", L"Kopiervorgang wurde abgebrochen!"},
        {&Texts::MsgSelectDestination, L"Please select a destination directory!",
         L"Bitte w\u00e4hlen Sie einen Zielordner aus!"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(std::wstring(kEnglish.*row.field), row.english);
        EXPECT_EQ(std::wstring(kGerman.*row.field), row.german);
    }
}

}  // namespace
