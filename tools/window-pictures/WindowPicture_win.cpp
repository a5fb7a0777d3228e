#include "WindowPicture_win.h"

namespace {
constexpr DWORD kPollMs = 50;
constexpr int kGap = 8;

BOOL CALLBACK HasUpdatedChild(HWND child, LPARAM found) {
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

bool HasUpdateRegion(HWND window) {
    bool found = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!found) ::EnumChildWindows(window, HasUpdatedChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Polls `condition` every few milliseconds until it holds (true) or `milliseconds` pass (false).
template <typename Condition>
bool PollFor(Condition condition, DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        ::Sleep(kPollMs);
    }
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
    HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    return PaintToPixels(
        width, height,
        [&](HDC memory, HDC screen) {
            return ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
        },
        out);
}

bool SaveWindowBitmap(HWND window, const std::wstring& file, DWORD milliseconds, std::string& error) {
    DWORD_PTR ignored = 0;
    if (::GetForegroundWindow() == window) {
        ::SendMessageTimeoutW(window, WM_NCACTIVATE, TRUE, 0, SMTO_NORMAL, milliseconds, &ignored);
    }
    Pixels previous;
    Pixels current;
    const bool steady = PollFor(
        [&] {
            RECT area;
            if (!::IsWindowVisible(window) || !::GetWindowRect(window, &area) || HasUpdateRegion(window)) return false;
            previous = current;
            return CaptureScreen(area, current) && previous == current;
        },
        milliseconds);
    if (!steady) {
        error = "the window did not reach a steady picture";
        return false;
    }
    if (!WriteBitmapFile(file, current)) {
        error = "cannot write the bitmap file (error " + std::to_string(::GetLastError()) + ")";
        return false;
    }
    return true;
}

bool SaveUncoveredWindowBitmap(HWND window, HWND cover, const std::wstring& file, DWORD milliseconds,
                               std::string& error) {
    RECT coverArea;
    RECT windowArea;
    if (!::GetWindowRect(cover, &coverArea) || !::GetWindowRect(window, &windowArea)) {
        error = "the windows are gone";
        return false;
    }
    const int height = coverArea.bottom - coverArea.top;
    int top = windowArea.bottom + kGap;
    if (top + height > ::GetSystemMetrics(SM_CYSCREEN)) top = windowArea.top - kGap - height;
    ::SetWindowPos(cover, nullptr, coverArea.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!PollFor([&] { return ::GetWindowRect(cover, &coverArea) && coverArea.top == top; }, milliseconds)) {
        error = "the covering window did not move";
        return false;
    }
    return SaveWindowBitmap(window, file, milliseconds, error);
}
