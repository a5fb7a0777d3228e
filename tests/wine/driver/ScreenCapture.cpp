#include "ScreenCapture.h"

#include "WindowQuery.h"

namespace {
constexpr DWORD kSettleMs = 50;

bool HasUpdateRegion(HWND window) {
    if (::GetUpdateRect(window, nullptr, FALSE)) return true;
    for (HWND child : ChildWindowsOf(window)) {
        if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) return true;
    }
    return false;
}

bool WriteBitmapFile(const std::wstring& file, const Pixels& picture) {
    const DWORD rowBytes = (static_cast<DWORD>(picture.width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(picture.height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + imageBytes;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;  // bottom row first
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;

    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::string row(rowBytes, '\0');
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.rgb[static_cast<size_t>(y) * picture.width + x];
            row[x * 3] = static_cast<char>(pixel & 0xFF);
            row[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        bytes += row;
    }
    HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(handle);
    return ok && written == bytes.size();
}
}  // namespace

bool CaptureScreen(const RECT& area, Pixels& out) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    return PaintToPixels(width, height, [&](HDC memory, HDC screen) {
        return ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    }, out);
}

bool SaveWindowBitmap(HWND window, const std::wstring& file, RunContext& context, DWORD milliseconds,
                      std::string& error) {
    Pixels previous;
    Pixels current;
    const bool steady = context.WaitFor([&] {
        RECT area;
        if (!::IsWindowVisible(window) || !::GetWindowRect(window, &area) || HasUpdateRegion(window)) return false;
        previous = current;
        if (!CaptureScreen(area, current)) return false;
        if (previous == current) return true;
        context.Idle(kSettleMs);
        return false;
    }, milliseconds);
    if (!steady) {
        error = "the window did not reach a steady picture";
        return false;
    }
    if (!WriteBitmapFile(file, current)) {
        error = "cannot write " + ToUtf8(file);
        return false;
    }
    return true;
}
