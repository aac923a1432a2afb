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
    while (done < steps.size() &&
           files.RenameFile(folder + L"\\" + steps[done].From, folder + L"\\" + steps[done].To))
        ++done;
    return done;
}

}  // namespace tunelift
