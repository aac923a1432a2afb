// The two programs' command lines: every spelling of tunelift-cli's a user may type, and
// the files the window takes as a playlist.
#include <gtest/gtest.h>

#include <functional>

#include "console/cli_args.h"
#include "console/cli_texts.h"
#include "engine/playlist_argument.h"

namespace tunelift::cli {
namespace {

TEST(CliArgs, EveryWordIsTakenOrRefusedByName) {
    const struct {
        const char* proves;
        std::vector<std::wstring> args;
        CliError error;
        std::function<void(CliCommand&)> expect = [](CliCommand&) {};  // from "copy mix.m3u E:\"
        std::wstring culprit = {};
    } rows[] = {
        {"check, commands and switches in any case, switches anywhere",
         {L"--Overwrite", L"CHECK", L"--all-audio", L"mix.m3u", L"--number", L"E:\\", L"--write-playlist",
          L"--only-changed", L"--sync", L"--lang", L"DE"},
         CliError::None,
         [](CliCommand& c) {
             c.copy = false;
             c.overwrite = c.sync = c.german = true;
             c.options.allAudio = c.options.numberSongs = c.options.writePlaylist = c.options.onlyChanged = true;
         }},
        {"--lang=de, then the last --lang counts", {L"--lang=de", L"copy", L"mix.m3u", L"E:\\", L"--lang", L"en"},
         CliError::None},
        {"after -- a word with a dash is a path", {L"copy", L"--dry-run", L"--", L"-mix.m3u", L"E:\\"}, CliError::None,
         [](CliCommand& c) { c.dryRun = true, c.playlist = L"-mix.m3u"; }},
        {"--help wins over any fault", {L"copy", L"--bogus", L"/?"}, CliError::None,
         [](CliCommand& c) { c = {}, c.help = true; }},
        {"--version wins over any fault, as --help does", {L"copy", L"--bogus", L"--Version"}, CliError::None,
         [](CliCommand& c) { c = {}, c.version = true; }},
        {"nothing at all", {}, CliError::NoCommand},
        {"an unknown command", {L"move", L"mix.m3u", L"E:\\"}, CliError::UnknownCommand, nullptr, L"move"},
        {"an empty word names no folder", {L"copy", L"mix.m3u", L""}, CliError::MissingDestination},
        {"no playlist", {L"copy"}, CliError::MissingPlaylist},
        {"a word too many", {L"copy", L"a.m3u", L"E:\\", L"F:\\"}, CliError::TooManyArguments, nullptr, L"F:\\"},
        {"an unknown switch", {L"copy", L"mix.m3u", L"E:\\", L"--force"}, CliError::UnknownSwitch, nullptr, L"--force"},
        {"--lang without a known value", {L"copy", L"mix.m3u", L"E:\\", L"--lang"}, CliError::BadLanguage},
        {"a dry run of a check", {L"check", L"mix.m3u", L"E:\\", L"--dry-run"}, CliError::DryRunWithCheck},
    };
    for (const auto& row : rows) {
        const CliParse parse = ParseCliArgs(row.args);
        EXPECT_EQ(parse.error, row.error) << row.proves;
        EXPECT_EQ(parse.culprit, row.culprit) << row.proves;
        CliCommand expected;
        expected.playlist = L"mix.m3u", expected.destination = L"E:\\";
        if (row.expect) row.expect(expected);
        if (row.error == CliError::None) {
            EXPECT_TRUE(parse.command == expected) << row.proves;
        }
    }
}

TEST(CliArgs, ARefusalSpeaksTheLanguageAskedForEvenBeforeTheFault) {
    const CliParse parse = ParseCliArgs({L"--lang", L"de", L"kopiere"});
    EXPECT_EQ(RefusalText(CliTextsFor(parse.command.german), parse.error, parse.culprit), L"Unbekannter Befehl: kopiere");
}

TEST(WindowArgument, IsAPlaylistByItsEndingInAnyCaseAndAnXmlPlaylistOnlyWithEveryKind) {
    const struct { const wchar_t* name; bool plain, everyKind; } rows[] = {
        {L"C:\\Lists\\mix.m3u", true, true}, {L"Mix.M3U8", true, true}, {L"C:\\radio.PLS", true, true},
        {L"list.txt", true, true}, {L"C:\\Lists\\evening.XSPF", false, true}, {L"car.wpl", false, true},
        {L"zune.Zpl", false, true}, {L"C:\\song.mp3", false, false}, {L"C:\\Lists\\m3u", false, false},
        {L"C:\\my.xspf\\folder", false, false}, {L"mix.m3u.bak", false, false}, {L"mix.xspf.bak", false, false},
        {L"", false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsPlaylistArgument(row.name), row.plain) << ::testing::PrintToString(row.name);
        EXPECT_EQ(IsPlaylistArgument(row.name, true), row.everyKind) << ::testing::PrintToString(row.name);
    }
}

}  // namespace
}  // namespace tunelift::cli
