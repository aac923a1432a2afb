// Every spelling of the command line a user may type, and what it is taken for.
#include <gtest/gtest.h>

#include "console/cli_args.h"
#include "console/cli_texts.h"

namespace tunelift::cli {
namespace {

CliCommand Copy(bool copy = true) {
    CliCommand c;
    c.copy = copy;
    c.playlist = L"mix.m3u";
    c.destination = L"E:\\";
    return c;
}

template <class F>
CliCommand With(F change, bool copy = true) {
    CliCommand c = Copy(copy);
    change(c);
    return c;
}

TEST(CliArgs, EveryWordIsTakenOrRefusedByName) {
    const struct {
        const char* proves;
        std::vector<std::wstring> args;
        CliError error;
        CliCommand command = {};  // with no error
        std::wstring culprit = {};
    } rows[] = {
        {"copy with its two paths", {L"copy", L"mix.m3u", L"E:\\"}, CliError::None, Copy()},
        {"check is a Check run", {L"check", L"mix.m3u", L"E:\\"}, CliError::None, Copy(false)},
        {"commands and switches in any case", {L"COPY", L"mix.m3u", L"E:\\", L"--Sync"}, CliError::None,
         With([](CliCommand& c) { c.sync = true; })},
        {"switches anywhere, each ticks its own",
         {L"--overwrite", L"copy", L"--all-audio", L"mix.m3u", L"--number", L"E:\\", L"--write-playlist",
          L"--only-changed", L"--dry-run"},
         CliError::None, With([](CliCommand& c) {
             c.overwrite = c.dryRun = true;
             c.options.allAudio = c.options.numberSongs = c.options.writePlaylist = c.options.onlyChanged = true;
         })},
        {"--lang de", {L"copy", L"mix.m3u", L"E:\\", L"--lang", L"de"}, CliError::None,
         With([](CliCommand& c) { c.german = true; })},
        {"--lang=DE", {L"copy", L"mix.m3u", L"E:\\", L"--lang=DE"}, CliError::None,
         With([](CliCommand& c) { c.german = true; })},
        {"the last --lang counts", {L"--lang", L"de", L"copy", L"mix.m3u", L"E:\\", L"--lang", L"en"},
         CliError::None, Copy()},
        {"after -- a word with a dash is a path", {L"copy", L"--", L"-mix.m3u", L"E:\\"}, CliError::None,
         With([](CliCommand& c) { c.playlist = L"-mix.m3u"; })},
        {"--help wins over anything", {L"copy", L"--bogus", L"--help"}, CliError::None,
         With([](CliCommand& c) { c = {}; c.help = true; })},
        {"/? is help", {L"/?"}, CliError::None, With([](CliCommand& c) { c = {}; c.help = true; })},
        {"nothing at all", {}, CliError::NoCommand},
        {"an unknown command", {L"move", L"mix.m3u", L"E:\\"}, CliError::UnknownCommand, {}, L"move"},
        {"no destination", {L"copy", L"mix.m3u"}, CliError::MissingDestination},
        {"an empty destination names no folder", {L"copy", L"mix.m3u", L""}, CliError::MissingDestination},
        {"an empty playlist names no file", {L"copy", L"", L"E:\\"}, CliError::MissingPlaylist},
        {"a word too many", {L"copy", L"a.m3u", L"E:\\", L"F:\\"}, CliError::TooManyArguments, {}, L"F:\\"},
        {"an unknown switch", {L"copy", L"mix.m3u", L"E:\\", L"--force"}, CliError::UnknownSwitch, {}, L"--force"},
        {"a misspelt language", {L"copy", L"mix.m3u", L"E:\\", L"--lang", L"fr"}, CliError::BadLanguage, {}, L"fr"},
        {"--lang without its value", {L"copy", L"mix.m3u", L"E:\\", L"--lang"}, CliError::BadLanguage},
        {"a dry run of a check", {L"check", L"mix.m3u", L"E:\\", L"--dry-run"}, CliError::DryRunWithCheck},
    };
    for (const auto& row : rows) {
        const CliParse parse = ParseCliArgs(row.args);
        EXPECT_EQ(parse.error, row.error) << row.proves;
        EXPECT_EQ(parse.culprit, row.culprit) << row.proves;
        if (row.error == CliError::None) {
            EXPECT_TRUE(parse.command == row.command) << row.proves;
        }
    }
}

TEST(CliArgs, ARefusalSpeaksTheLanguageAskedForEvenBeforeTheFault) {
    const CliParse parse = ParseCliArgs({L"--lang", L"de", L"kopiere"});
    EXPECT_EQ(RefusalText(CliTextsFor(parse.command.german), parse.error, parse.culprit),
              L"Unbekannter Befehl: kopiere");
}

}  // namespace
}  // namespace tunelift::cli
