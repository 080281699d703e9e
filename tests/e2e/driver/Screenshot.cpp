// Screenshots of the whole screen as PNG files, for people to look at.
#include <algorithm>
#include <cstdio>
#include <exception>

#include "tests/e2e/driver/PngEncoder.h"
#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/UniqueHandle.h"
#include "tests/e2e/driver/Win32Helpers.h"

namespace kit::e2e {
namespace {

// A name from the test becomes a file name: no folders, no characters
// Windows refuses in names.
std::wstring SafeFileName(const std::string& name) {
  std::wstring safe = detail::Widen(name);
  for (auto& c : safe) {
    if (c < 32 || wcschr(L"<>:\"/\\|?*", c)) c = L'_';
  }
  while (!safe.empty() && (safe.back() == L'.' || safe.back() == L' ')) safe.pop_back();
  return safe.empty() ? L"screenshot" : safe;
}

std::wstring ScreenshotFolder() {
  const std::string dir = EnvVar("KIT_SCREENSHOT_DIR");
  if (dir.empty()) return L".";
  std::wstring folder = WindowsPathOf(dir);
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}

void CreateFolders(const std::wstring& folder) {
  for (size_t at = folder.find(L'\\', 3); ; at = folder.find(L'\\', at + 1)) {
    CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    if (at == std::wstring::npos) break;
  }
}

// The screen's pixels over width x height from (x, y), as RGB rows from the
// top; empty when the screen cannot be read.
std::vector<uint8_t> CaptureScreenRgb(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return {};
  UniqueScreenDc screen(GetDC(nullptr));
  if (!screen) return {};
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;  // top-down rows, as PNG stores them
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject dib(CreateDIBSection(memory.get(), &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !dib || !bits) return {};
  HGDIOBJ old = SelectObject(memory.get(), dib.get());
  const BOOL copied = BitBlt(memory.get(), 0, 0, w, h, screen.get(), x, y, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  SelectObject(memory.get(), old);
  if (!copied) return {};

  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  const auto* bgrx = static_cast<const uint8_t*>(bits);
  for (size_t i = 0, n = static_cast<size_t>(w) * h; i < n; ++i) {
    rgb[i * 3 + 0] = bgrx[i * 4 + 2];
    rgb[i * 3 + 1] = bgrx[i * 4 + 1];
    rgb[i * 3 + 2] = bgrx[i * 4 + 0];
  }
  return rgb;
}

std::vector<uint8_t> CaptureScreenRgb(int* width, int* height) {
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  std::vector<uint8_t> rgb =
      CaptureScreenRgb(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), w, h);
  if (!rgb.empty()) {
    *width = w;
    *height = h;
  }
  return rgb;
}

}  // namespace

ScreenColours ScreenColoursOf(HWND hwnd) {
  ScreenColours colours;
  RECT area{};
  if (!GetWindowRect(hwnd, &area)) return colours;
  int w = 0, h = 0;
  const std::vector<uint8_t> rgb = CaptureScreenRgb(&w, &h);
  if (rgb.empty()) return colours;
  const int left = std::max<int>(area.left - GetSystemMetrics(SM_XVIRTUALSCREEN), 0);
  const int top = std::max<int>(area.top - GetSystemMetrics(SM_YVIRTUALSCREEN), 0);
  const int right = std::min<int>(area.right - GetSystemMetrics(SM_XVIRTUALSCREEN), w);
  const int bottom = std::min<int>(area.bottom - GetSystemMetrics(SM_YVIRTUALSCREEN), h);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      ++colours.pixels;
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) ++colours.white;
      if (p[0] < 96 && p[1] < 96 && p[2] < 96) ++colours.dark;
    }
  }
  return colours;
}

COLORREF ScreenPixel(POINT at) {
  const std::vector<uint8_t> rgb = CaptureScreenRgb(at.x, at.y, 1, 1);
  return rgb.empty() ? CLR_INVALID : RGB(rgb[0], rgb[1], rgb[2]);
}

std::wstring SaveScreenshot(const std::string& name) {
  try {
    int w = 0, h = 0;
    const std::vector<uint8_t> rgb = CaptureScreenRgb(&w, &h);
    if (rgb.empty()) {
      std::fprintf(stderr, "kit::e2e: screenshot %s: screen capture failed\n", name.c_str());
      return {};
    }
    const std::vector<uint8_t> png = EncodePng(static_cast<uint32_t>(w), static_cast<uint32_t>(h), rgb);
    const std::wstring folder = ScreenshotFolder();
    CreateFolders(folder);
    const std::wstring path = folder + L"\\" + SafeFileName(name) + L".png";
    UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr) ||
        written != png.size()) {
      std::fprintf(stderr, "kit::e2e: screenshot %s: cannot write %s (error %lu)\n", name.c_str(),
                   detail::Narrow(path).c_str(), GetLastError());
      file.reset();
      DeleteFileW(path.c_str());  // no half-written picture left behind
      return {};
    }
    return path;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kit::e2e: screenshot %s failed: %s\n", name.c_str(), e.what());
    return {};
  }
}

}  // namespace kit::e2e
