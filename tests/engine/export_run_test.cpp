#include <gtest/gtest.h>

#include <map>

#include "run_fixture.h"

namespace tunelift::testing {
namespace {

class ExportRun : public RunFixture<> {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        files.AddFolder(L"C:\\Music");
    }
    void Playlist(const std::wstring& text) { files.AddFile(kList, text); }
};

// ---- input checks ----

TEST_F(ExportRun, RefusesEmptyOrPromptOnlyBoxesWithTheirMessage) {
    const struct { const mdlLanguage::Texts* lang; std::wstring from, to; const wchar_t* message; } rows[] = {
        {&mdlLanguage::kEnglish, L"", kDest, L"Please select a playlist!"},
        {&mdlLanguage::kEnglish, L"Open playlist", kDest, L"Please select a playlist!"},
        {&mdlLanguage::kEnglish, kList, L"", L"Please select a destination directory!"},
        {&mdlLanguage::kEnglish, kList, L"Destination", L"Please select a destination directory!"},
        {&mdlLanguage::kGerman, L"Playlist \u00f6ffnen", kDest, L"Bitte w\u00e4hlen Sie eine Playlist aus!"},
        {&mdlLanguage::kGerman, kList, L"Ziel", L"Bitte w\u00e4hlen Sie einen Zielordner aus!"},
    };
    Playlist(L"C:\\Music\\a.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    for (const auto& row : rows) {
        RunState fresh;
        ScriptedHost h;
        h.texts = row.lang;
        h.pathFrom = row.from;
        h.pathTo = row.to;
        h.logText = L"earlier";
        EXPECT_EQ(SaveFiles(h, files, fresh, true), RunEnd::InputRefused);
        ASSERT_EQ(h.errors.size(), 1u);
        EXPECT_EQ(h.errors[0], row.message);
        EXPECT_EQ(h.logText, L"earlier") << "nothing else changes";
        EXPECT_EQ(h.barValue, 100);
    }
    EXPECT_TRUE(files.copies.empty());
}

TEST_F(ExportRun, OtherLanguagesPromptIsAPathNotAPrompt) {
    host.pathFrom = L"Playlist \u00f6ffnen";  // German prompt while English is active
    EXPECT_EQ(Save(), RunEnd::NoPlaylist);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.logText, L"No playlist found!");
}

// ---- the log text, to the character ----

TEST_F(ExportRun, SaveRunLogsEntryCopyAndCounts) {
    Playlist(L"#EXTM3U\r\n#EXTINF:215,Artist - A\r\nC:\\Music\\a.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_EQ(host.Log().Slot(3), L"\r\nC:\\Music\\a.mp3\r\ncopied to:\r\nE:\\Player\\a.mp3\r\n1/1 ok\r\n---");
    EXPECT_EQ(host.logText,
              L"\r\nC:\\Music\\a.mp3\r\ncopied to:\r\nE:\\Player\\a.mp3\r\n1/1 ok\r\n---\r\nAll files copied!");
    EXPECT_TRUE(files.FileExists(L"E:\\Player\\a.mp3"));
    EXPECT_EQ(host.panels[1], L"File: C:\\Music\\a.mp3");
    EXPECT_EQ(host.panels[2], L"Filename: a.mp3");
    EXPECT_EQ(host.panels[3], L"Progress: 0%");
    EXPECT_EQ(host.barValue, 0);
}

TEST_F(ExportRun, CheckRunLogsSourcesOnlyAndWritesNothing) {
    Playlist(L"C:\\Music\\a.mp3\r\nC:\\Music\\missing.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    EXPECT_EQ(Check(), RunEnd::Finished);
    EXPECT_EQ(host.logText,
              L"\r\nC:\\Music\\a.mp3\r\n1/1 ok\r\n---\r\nC:\\Music\\missing.mp3\r\n1/2 error\r\n---"
              L"\r\nSearch finished!");
    EXPECT_TRUE(files.copies.empty());
    EXPECT_FALSE(files.FileExists(L"E:\\Player\\a.mp3"));
}

TEST_F(ExportRun, PlsSaveRunWritesTheBoxFormWithoutFileName) {
    Playlist(L"[playlist]\r\nFile1=C:\\Music\\a.mp3\r\nTitle1=A\r\nNumberOfEntries=1\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_EQ(host.logText,
              L"\r\nC:\\Music\\a.mp3\r\ncopied to:\r\nE:\\Player\\\r\n1/1 ok\r\n---\r\nAll files copied!");
    for (int n = 0; n <= 10; ++n) EXPECT_EQ(host.Log().Slot(n), L"") << "slot " << n;
    EXPECT_TRUE(files.FileExists(L"E:\\Player\\a.mp3"));
}

TEST_F(ExportRun, UnrecognisedPlaylistShowsOnlyTheMessageAndZeroPercent) {
    const wchar_t* rows[] = {L"Music\\a.mp3\r\n", L"\\\\server\\share\\a.mp3\r\n", L"[Playlist]\r\n", L" C:\\a.mp3", L""};
    for (const wchar_t* content : rows) {
        Playlist(content);
        host.logText = L"old";
        EXPECT_EQ(Save(), RunEnd::NoPlaylist);
        EXPECT_EQ(host.logText, L"No playlist found!");
        EXPECT_EQ(host.panels[3], L"Progress: 0%");
    }
    files.RemoveFile(kList);
    EXPECT_EQ(Check(), RunEnd::NoPlaylist) << "a missing playlist";
}

// ---- overwrite rule ----

struct OverwriteRow {
    const char* name;
    std::wstring playlist;
    int overwrite;
    bool replaced;
};

class OverwriteRule : public ExportRun, public ::testing::WithParamInterface<OverwriteRow> {};

TEST_P(OverwriteRule, ReplacesOnlyWhenAllowed) {
    const OverwriteRow& row = GetParam();
    Playlist(row.playlist);
    files.AddFile(L"C:\\Music\\a.mp3", L"new");
    files.AddFile(L"E:\\Player\\a.mp3", L"old");
    // The name form resolves against the current folder: the fake treats it as a bare path.
    files.AddFile(L"a.mp3", L"new");
    host.overwrite = row.overwrite;
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_EQ(files.Content(L"E:\\Player\\a.mp3"), row.replaced ? L"new" : L"old");
    EXPECT_NE(host.logText.find(L"1/1 ok"), std::wstring::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, OverwriteRule,
    ::testing::Values(OverwriteRow{"M3uKeptWhenOff", L"C:\\Music\\a.mp3\r\n", 0, false},
                      OverwriteRow{"M3uReplacedWhenOn", L"C:\\Music\\a.mp3\r\n", 1, true},
                      OverwriteRow{"PlsDriveKeptWhenOff", L"[playlist]\r\nFile1=C:\\Music\\a.mp3\r\n", 0, false},
                      OverwriteRow{"PlsDriveReplacedWhenOn", L"[playlist]\r\nFile1=C:\\Music\\a.mp3\r\n", 1, true},
                      OverwriteRow{"PlsNameAlwaysReplaced", L"[playlist]\r\nFile1=a.mp3\r\n", 0, true},
                      OverwriteRow{"PlsNameReplacedWhenOn", L"[playlist]\r\nFile1=a.mp3\r\n", 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportRun, MissingDestinationFolderGivesErrorsAndStillEnds) {
    host.pathTo = L"F:\\Nowhere";
    Playlist(L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    files.AddFile(L"C:\\Music\\b.mp3");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_NE(host.logText.find(L"0/1 error"), std::wstring::npos);
    EXPECT_NE(host.logText.find(L"0/2 error"), std::wstring::npos);
    EXPECT_TRUE(host.logText.ends_with(L"\r\nFinished: 2 of 2 songs could not be copied!"));
}

// A Save run claims every file copied only when every entry is ok; a Check run, and a
// run in German, say it their way.
TEST_F(ExportRun, TheEndLineCountsTheSongsThatFailed) {
    const struct { bool copy; const mdlLanguage::Texts* lang; const wchar_t* list; const wchar_t* end; } rows[] = {
        {true, &mdlLanguage::kEnglish, L"C:\\Music\\a.mp3\r\n", L"\r\n1/1 ok\r\n---\r\nAll files copied!"},
        {true, &mdlLanguage::kEnglish, L"C:\\Music\\a.mp3\r\nC:\\Music\\gone.mp3\r\nC:\\Music\\b.mp3\r\n",
         L"\r\n2/3 ok\r\n---\r\nFinished: 1 of 3 songs could not be copied!"},
        {true, &mdlLanguage::kGerman, L"C:\\Music\\gone.mp3\r\nC:\\Music\\a.mp3\r\n",
         L"\r\n1/2 ok\r\n---\r\nFertig: 1 von 2 Titeln konnten nicht kopiert werden!"},
        {false, &mdlLanguage::kEnglish, L"C:\\Music\\gone.mp3\r\n", L"\r\n0/1 error\r\n---\r\nSearch finished!"},
    };
    files.AddFile(L"C:\\Music\\a.mp3");
    files.AddFile(L"C:\\Music\\b.mp3");
    for (const auto& row : rows) {
        ScriptedHost h;
        h.texts = row.lang;
        h.pathFrom = kList;
        h.pathTo = kDest;
        files.AddFile(kList, row.list);
        SaveFiles(h, files, state, row.copy);
        EXPECT_TRUE(h.logText.ends_with(row.end)) << ::testing::PrintToString(h.logText);
    }
}

TEST_F(ExportRun, EntryThatIsNoPlainFileNameIsNeverWrittenOutsideTheDestination) {
    Playlist(L"[playlist]\r\nFile1=../../evil.mp3\r\nFile2=a:b.mp3\r\n");
    files.AddFile(L"../../evil.mp3");
    files.AddFile(L"a:b.mp3");
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.copies.empty());
    EXPECT_NE(host.logText.find(L"0/2 error"), std::wstring::npos);
}

// ---- the 101-slot window and the scroll bar ----

std::wstring NumberedList(int lines) {
    std::wstring text;
    for (int n = 1; n <= lines; ++n) text += L"C:\\Music\\" + std::to_wstring(n) + L".mp3\r\n";
    return text;
}

TEST_F(ExportRun, NinetyNineLinesLeaveTheScrollBarAlone) {
    Playlist(NumberedList(99));
    EXPECT_EQ(Check(), RunEnd::Finished);
    EXPECT_EQ(host.scrollMax, 32767);
    EXPECT_EQ(host.scrollValue, 0);
    EXPECT_EQ(host.Log().Slot(100), L"\r\nSearch finished!");
    EXPECT_EQ(host.logText, host.Log().TheLogData(1, 100));
}

TEST_F(ExportRun, HundredLinesSetTheRangeAndShowSlotsOneToHundredOne) {
    Playlist(NumberedList(100));
    EXPECT_EQ(Check(), RunEnd::Finished);
    EXPECT_EQ(host.scrollMin, 1);
    EXPECT_EQ(host.scrollMax, 98);
    EXPECT_EQ(host.scrollValue, 98);
    EXPECT_EQ(host.Log().Slot(101), L"\r\nSearch finished!");
    EXPECT_EQ(host.logText, host.Log().TheLogData(1, 101));
}

TEST_F(ExportRun, HundredFiftyLinesShowTheLastHundredOneSlots) {
    Playlist(NumberedList(150));
    ScriptedHost& watching = host;
    // What the view showed right after each scroll update.
    std::map<int, std::wstring> viewAfterScroll;
    watching.onEvent = [&](ScriptedHost& h, const RunEvent& e) {
        if (const auto* line = std::get_if<run_event::LineHandled>(&e); line && line->progress.line >= 100)
            viewAfterScroll[h.scrollValue] = h.logText;
    };
    EXPECT_EQ(SaveFiles(watching, files, state, false), RunEnd::Finished);
    EXPECT_EQ(watching.scrollMin, 1);
    EXPECT_EQ(watching.scrollMax, 148);
    EXPECT_EQ(watching.scrollValue, 148);
    EXPECT_EQ(host.Log().Slot(151), L"\r\nSearch finished!");
    EXPECT_EQ(watching.logText, host.Log().TheLogData(51, 151));
    EXPECT_EQ(watching.logText.find(L"C:\\Music\\50.mp3\r\n"), std::wstring::npos);
    EXPECT_NE(watching.logText.find(L"C:\\Music\\51.mp3\r\n"), std::wstring::npos);
    // Advancing to line 148 shows slots 145 to 148; 148 is not written yet then.
    EXPECT_EQ(viewAfterScroll.at(145), host.Log().TheLogData(145, 147));
    EXPECT_EQ(viewAfterScroll.size(), 51u) << "lines 101 to 151 each move the scroll bar";

    watching.scrollValue = 0;
    watching.MoveScrollTo(148);
    EXPECT_EQ(watching.logText, host.Log().TheLogData(148, 151));
    EXPECT_NE(watching.logText.find(L"Search finished!"), std::wstring::npos);
}

TEST_F(ExportRun, PlaylistsPastTheScrollAndSlotLimitsRunToTheEnd) {
    const int lines = 70000;
    std::wstring text;
    for (int n = 1; n <= lines; ++n) text += L"C:\\M\\" + std::to_wstring(n) + L".mp3\r";
    Playlist(text);
    files.AddFile(L"C:\\M\\69999.mp3");
    EXPECT_EQ(Check(), RunEnd::Finished);
    EXPECT_EQ(host.scrollMax, 32767);
    EXPECT_EQ(host.scrollValue, 32767);
    // The last slot holds the newest line's text and the end line; the counts run on.
    const std::wstring tail = L"\r\nC:\\M\\70000.mp3\r\n1/70000 error\r\n---\r\nSearch finished!";
    ASSERT_GE(host.logText.size(), tail.size());
    EXPECT_EQ(host.logText.substr(host.logText.size() - tail.size()), tail);
    EXPECT_EQ(host.Log().Slot(RunLog::kLastSlot), tail);
}

// ---- cancel ----

TEST_F(ExportRun, CancelDuringACopyThatIsNotLastStopsAtTheNextLine) {
    Playlist(L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\nC:\\Music\\c.mp3\r\n");
    for (auto n : {L"a", L"b", L"c"}) files.AddFile(std::wstring(L"C:\\Music\\") + n + L".mp3");
    files.duringCopy = [&](const std::wstring& source) {
        if (source == L"C:\\Music\\b.mp3") state.bCancel = true;
    };
    EXPECT_EQ(Save(), RunEnd::Canceled);
    EXPECT_TRUE(files.FileExists(L"E:\\Player\\b.mp3")) << "the copy under way completes";
    EXPECT_FALSE(files.FileExists(L"E:\\Player\\c.mp3"));
    EXPECT_NE(host.logText.find(L"2/2 ok\r\n---"), std::wstring::npos);
    EXPECT_EQ(host.logText.find(L"All files copied!"), std::wstring::npos);
    EXPECT_EQ(host.logText.substr(host.logText.size() - 11), L"\r\nCanceled!");
    EXPECT_EQ(host.panels[3], L"Progress: 0%");
}

TEST_F(ExportRun, CancelDuringTheLastCopyStillWritesTheEndLine) {
    Playlist(L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    files.AddFile(L"C:\\Music\\b.mp3");
    files.duringCopy = [&](const std::wstring& source) {
        if (source == L"C:\\Music\\b.mp3") state.bCancel = true;
    };
    Save();
    const std::wstring tail = L"2/2 ok\r\n---\r\nAll files copied!\r\nCanceled!";
    EXPECT_EQ(host.logText.substr(host.logText.size() - tail.size()), tail);
}

TEST_F(ExportRun, CancelWhileIdleIsForgottenByTheNextRun) {
    Playlist(L"C:\\Music\\a.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    state.bCancel = true;
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.FileExists(L"E:\\Player\\a.mp3"));
}

// ---- runs that follow runs, and changes during a run ----

TEST_F(ExportRun, SaveAfterCheckAppendsToTheSameSlots) {
    Playlist(L"C:\\Music\\a.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    Check();
    Save();
    EXPECT_EQ(host.Log().Slot(1),
              L"\r\nC:\\Music\\a.mp3\r\n1/1 ok\r\n---"
              L"\r\nC:\\Music\\a.mp3\r\ncopied to:\r\nE:\\Player\\a.mp3\r\n1/1 ok\r\n---");
    EXPECT_EQ(host.Log().Slot(2), L"\r\nSearch finished!\r\nAll files copied!");
}

TEST_F(ExportRun, LanguageSwitchMidRunChangesLaterLinesButNotTheDestination) {
    Playlist(L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    files.AddFile(L"C:\\Music\\b.mp3");
    files.AddFolder(L"Ziel");
    host.onEvent = [&](ScriptedHost& h, const RunEvent&) {
        if (files.FileExists(L"E:\\Player\\a.mp3") && h.texts == &mdlLanguage::kEnglish)
            h.SwitchLanguage(mdlLanguage::kGerman);
    };
    EXPECT_EQ(Save(), RunEnd::Finished);
    EXPECT_TRUE(files.FileExists(L"E:\\Player\\b.mp3"));
    EXPECT_FALSE(files.FileExists(L"Ziel\\b.mp3"));
    EXPECT_NE(host.logText.find(L"copied to:\r\nE:\\Player\\a.mp3"), std::wstring::npos);
    EXPECT_NE(host.logText.find(L"wird kopiert nach:\r\nE:\\Player\\b.mp3"), std::wstring::npos);
    EXPECT_NE(host.logText.find(L"Alle Dateien kopiert!"), std::wstring::npos);
    EXPECT_EQ(host.panels[3], L"Fortschritt: 0%");
}

TEST_F(ExportRun, ASecondRunDuringARunIsRefusedAndTheFirstGoesOn) {
    Playlist(L"C:\\Music\\a.mp3\r\nC:\\Music\\b.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3");
    files.AddFile(L"C:\\Music\\b.mp3");
    std::vector<RunEnd> nested;
    host.onEvent = [&](ScriptedHost&, const RunEvent&) {
        if (nested.empty()) nested.push_back(Check());
    };
    EXPECT_EQ(Save(), RunEnd::Finished);
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_EQ(nested[0], RunEnd::Busy);
    EXPECT_TRUE(files.FileExists(L"E:\\Player\\b.mp3"));
    EXPECT_EQ(Check(), RunEnd::Finished) << "a later run is not refused";
}

TEST_F(ExportRun, ProgressReportsDriveBarAndPanel) {
    Playlist(L"C:\\Music\\a.mp3\r\n");
    files.AddFile(L"C:\\Music\\a.mp3", std::wstring(1000, L'x'));
    std::vector<std::wstring> panels;
    host.onEvent = [&](ScriptedHost& h, const RunEvent&) { panels.push_back(h.panels[3]); };
    Save();
    EXPECT_NE(std::find(panels.begin(), panels.end(), L"Progress: 50%"), panels.end());
    EXPECT_NE(std::find(panels.begin(), panels.end(), L"Progress: 100%"), panels.end());
}

}  // namespace
}  // namespace tunelift::testing
