// The capture file through the Windows API.
#include "common/atomic_file.h"
#include "common/windows_api.h"
#include "floor/capture.h"

namespace gv {

bool DeleteCaptureFile(const std::filesystem::path& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WriteCaptureFile(const std::filesystem::path& path, std::string_view bytes) {
    OwnedFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    const bool written = WriteAll(file, bytes);
    return file.Close() && written;  // closed whatever the writing gave
}

std::optional<std::string> ReadCaptureFile(const std::filesystem::path& path) {
    OwnedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsOpen()) return std::nullopt;
    LARGE_INTEGER size{};
    const bool known = GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0;
    return ReadToEnd(file, known ? static_cast<std::size_t>(size.QuadPart) : 0);
}

}  // namespace gv
