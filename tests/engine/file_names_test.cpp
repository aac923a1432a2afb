#include "engine/file_names.h"

#include <gtest/gtest.h>

#include <string>

using namespace tunelift;

namespace {

TEST(FoldNameCase, FoldsLettersTheFileSystemTreatsAsEqual) {
    const struct { std::wstring in, out; } rows[] = {
        {L"a.mp3", L"A.MP3"},      {L"Ärger-ÿ.mp3", L"ÄRGER-Ÿ.MP3"}, {L"ß÷×", L"ß÷×"},
        {L"āłžŋ", L"ĀŁŽŊ"},        {L"ωςάύ", L"ΩςΆΎ"},             {L"яёђ", L"ЯЁЂ"},
        {L"日本 ☃.flac", L"日本 ☃.FLAC"}, {L"ａｂｃ", L"ＡＢＣ"},          {L"", L""},
    };
    for (const auto& row : rows) EXPECT_EQ(FoldNameCase(row.in), row.out);
}

TEST(IsPlainFileName, OnlyNamesThatMeanOneFileInTheFolder) {
    const struct { std::wstring name; bool plain; } rows[] = {
        {L"a.mp3", true},        {L"cover art.jpg", true}, {L".hidden", true},     {L"..a", true},
        {L"nul.txt.bak", false}, {L"console.mp3", true},   {L"com10.mp3", true},   {L"日本.mp3", true},
        {L"", false},            {L".", false},            {L"..", false},         {L"sub\\a.mp3", false},
        {L"sub/a.mp3", false},   {L"C:a.mp3", false},      {L"*.mp3", false},      {L"a?.mp3", false},
        {L"a<b", false},         {L"a>b", false},          {L"a\"b", false},       {L"a|b", false},
        {L"trail.", false},      {L"trail ", false},       {L"NUL", false},        {L"con.mp3", false},
        {L"Com1.mp3", false},    {L"lpt9", false},         {L"AUX .txt", false},   {std::wstring(L"a\0b", 3), false},
        {L"tab\tname", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsPlainFileName(row.name), row.plain) << "row of size " << row.name.size();
}

}  // namespace
