#include "engine/full_path.h"

#include <gtest/gtest.h>

namespace {

// A relative path must reach what Windows would reach from the folder the run started in;
// a destination folder must stay the folder the copies always meant.
TEST(FullPath, PathsResolveAsFromTheRunsStartFolder) {
    const struct {
        const char* why;
        const wchar_t *folder, *path;
        bool isFolder;
        const wchar_t* full;
    } rows[] = {
        {"relative", L"C:\\Lists", L"Music\\a.mp3", false, L"C:\\Lists\\Music\\a.mp3"},
        {"dots, forward and doubled slashes", L"C:\\Lists", L"./x/../Music//a.mp3", false, L"C:\\Lists\\Music\\a.mp3"},
        {"dot-dot stops at the root", L"C:\\", L"..\\..\\a.mp3", false, L"C:\\a.mp3"},
        {"root-relative takes the folder's drive", L"C:\\Lists", L"\\Music\\a.mp3", false, L"C:\\Music\\a.mp3"},
        {"root-relative on a share", L"\\\\srv\\music\\lists", L"\\a.mp3", false, L"\\\\srv\\music\\a.mp3"},
        {"drive-relative on the folder's drive", L"C:\\Lists", L"c:Music\\a.mp3", false, L"C:\\Lists\\Music\\a.mp3"},
        {"drive-relative on another drive", L"C:\\Lists", L"D:a.mp3", false, L"D:\\a.mp3"},
        {"literal path is not touched", L"C:\\Lists", L"\\\\?\\C:\\x\\..\\a.mp3", false, L"\\\\?\\C:\\x\\..\\a.mp3"},
        {"no folder known: relative stays", L"", L"Music\\a.mp3", false, L"Music\\a.mp3"},
        {"relative destination", L"C:\\Lists", L"..\\Player", true, L"C:\\Player"},
        {"drive letter alone is its root", L"C:\\Lists", L"C:", true, L"C:"},
        {"trailing separator goes", L"C:\\Lists", L"E:\\Player\\", true, L"E:\\Player"},
        {"blanks name no folder", L"C:\\Lists", L"   ", true, L"   "},
    };
    for (const auto& row : rows) {
        const std::wstring full =
            row.isFolder ? tunelift::FullFolderIn(row.folder, row.path) : tunelift::FullPathIn(row.folder, row.path);
        EXPECT_EQ(full, row.full) << row.why;
    }
}

}  // namespace
