#include "engine/renumber_files.h"

namespace tunelift {

std::vector<ListedFile> ListDestination(FileServices& files, const std::wstring& folder) {
    std::vector<ListedFile> listing;
    const std::unique_ptr<FileSearch> search = files.StartSearch(folder + L"\\*.*");
    if (!search) return listing;
    for (FindRecord record; search->Next(record);) {
        if (record.Name == L"." || record.Name == L"..") continue;
        std::optional<FileStamp> stamp;
        if (!(record.Attributes & kAttributeDirectory)) stamp = FileStamp{record.Size, record.LastWriteTime};
        listing.push_back({std::move(record.Name), stamp});
    }
    return listing;
}

size_t PerformRenames(FileServices& files, const std::wstring& folder, const std::vector<RenameStep>& steps) {
    size_t done = 0;
    for (; done < steps.size(); ++done) {
        const std::wstring from = folder + L"\\" + steps[done].From, to = folder + L"\\" + steps[done].To;
        const std::optional<FileStamp> before = files.StampOf(from);
        if (!files.RenameFile(from, to)) break;
        // Some stick drivers (FAT through FUSE under Wine) stamp a file with the time it
        // takes its new name; the next run knows the song by the time it had.
        const std::optional<FileStamp> after = files.StampOf(to);
        if (before && after && after->LastWriteTime != before->LastWriteTime)
            files.SetLastWriteTime(to, before->LastWriteTime);
    }
    return done;
}

}  // namespace tunelift
