#include "console/cli_args.h"

#include <algorithm>

namespace tunelift::cli {
namespace {

std::wstring Lower(std::wstring word) {
    std::transform(word.begin(), word.end(), word.begin(),
                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; });
    return word;
}

// The switches that only tick something besides the options, and what they tick.
struct Flag {
    const wchar_t* name;
    bool CliCommand::*member;
};
constexpr Flag kFlags[] = {
    {L"--overwrite", &CliCommand::overwrite},
    {L"--sync", &CliCommand::sync},
    {L"--dry-run", &CliCommand::dryRun},
    {L"--version", &CliCommand::version},
};

// Ticks what `lower` names, a flag or an option's switch; false for no switch of either.
bool Tick(CliCommand& c, const std::wstring& lower) {
    for (const Flag& flag : kFlags) {
        if (lower != flag.name) continue;
        c.*flag.member = true;
        return true;
    }
    for (const OptionRow& row : kOptionRows) {
        if (!row.cliSwitch || lower != row.cliSwitch) continue;
        c.options.*row.member = true;
        return true;
    }
    return false;
}

bool IsHelp(const std::wstring& lower) { return lower == L"--help" || lower == L"-h" || lower == L"/?"; }

// "--lang de" or "--lang=de": the value, or nullopt-like empty when the word is no --lang.
bool LanguageSwitch(const std::vector<std::wstring>& args, size_t& i, std::wstring& value) {
    const std::wstring lower = Lower(args[i]);
    if (lower.starts_with(L"--lang=")) {
        value = Lower(args[i].substr(7));
        return true;
    }
    if (lower != L"--lang") return false;
    value = i + 1 < args.size() ? Lower(args[++i]) : std::wstring();
    return true;
}

}  // namespace

CliParse ParseCliArgs(const std::vector<std::wstring>& args) {
    CliParse out;
    CliCommand& c = out.command;
    const auto fail = [&out](CliError error, std::wstring culprit = {}) {
        if (out.error == CliError::None) {
            out.error = error;
            out.culprit = std::move(culprit);
        }
    };

    std::vector<std::wstring> words;  // command, playlist, destination
    bool pathsOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& word = args[i];
        const std::wstring lower = Lower(word);
        if (pathsOnly || word.empty() || word[0] != L'-') {
            if (!pathsOnly && IsHelp(lower)) c.help = true;
            else words.push_back(word);
            continue;
        }
        if (word == L"--") {
            pathsOnly = true;
            continue;
        }
        if (IsHelp(lower)) {
            c.help = true;
            continue;
        }
        std::wstring language;
        if (LanguageSwitch(args, i, language)) {
            if (language == L"de") c.german = true;
            else if (language == L"en") c.german = false;
            else fail(CliError::BadLanguage, language);
            continue;
        }
        if (!Tick(c, lower)) fail(CliError::UnknownSwitch, word);
    }
    // Asking for help or the version is never wrong, whatever else the line says.
    if (c.help || c.version) {
        out.error = CliError::None;
        out.culprit.clear();
        return out;
    }

    if (words.empty()) {
        fail(CliError::NoCommand);
        return out;
    }
    const std::wstring verb = Lower(words[0]);
    if (verb == L"copy") c.copy = true;
    else if (verb == L"check") c.copy = false;
    else fail(CliError::UnknownCommand, words[0]);
    // An empty word ("") names no file: it counts as missing.
    if (words.size() < 2 || words[1].empty()) fail(CliError::MissingPlaylist);
    else c.playlist = words[1];
    if (words.size() < 3 || words[2].empty()) fail(CliError::MissingDestination);
    else c.destination = words[2];
    if (words.size() > 3) fail(CliError::TooManyArguments, words[3]);
    if (c.dryRun && !c.copy) fail(CliError::DryRunWithCheck);
    return out;
}

}  // namespace tunelift::cli
