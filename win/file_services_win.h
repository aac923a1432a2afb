// The file services of the Windows build: playlist reading, copying, existence
// tests, folder search and deletion over the W entry points.
#pragma once
#include <memory>

#include "engine/file_services.h"

namespace tunelift::win {

std::unique_ptr<FileServices> CreateFileServices();

}  // namespace tunelift::win
