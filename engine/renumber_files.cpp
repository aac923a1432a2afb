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

std::vector<size_t> PerformRenames(FileServices& files, const std::wstring& folder,
                                   const std::vector<RenameStep>& steps) {
    std::vector<size_t> placed;
    for (const RenameStep& step : steps) {
        if (!files.RenameFile(folder + L"\\" + step.From, folder + L"\\" + step.To)) break;
        if (step.Places) placed.push_back(*step.Places);
    }
    return placed;
}

}  // namespace tunelift
