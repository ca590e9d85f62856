// Takes the user guide's pictures of the Windows program's dialogs of the tools menu: the
// program's own windows, built as zunmo-calc.exe builds them, each tool filled in with its worked
// example under today's rules (Shanghai, commission 0.25 per mille, minimum 5) through the
// session's one entry, then each dialog saved as a 24-bit BMP of what the screen shows of it.
// scripts/win-screenshots.sh runs it under Wine on Xvfb and turns the BMPs into the PNGs of docs/.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "session/session.h"
#include "win/date_field.h"
#include "win/wide_text.h"
#include "win/win_window_model.h"

namespace {

using namespace std::chrono_literals;
using zm::Ctl;
using zm::FormId;
using zm::Gesture;

// The thread's messages handled for a while, so that every window has painted.
void pump(zm::win::WinWindowModel& windows, std::chrono::milliseconds time = 400ms) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            windows.dispatch(msg);
        }
        std::this_thread::sleep_for(10ms);
    }
}

// What the screen shows of a window, as a bottom-up 24-bit BMP file.
bool save(HWND window, const std::wstring& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;  // "BM"
    head.bfOffBits = sizeof head + sizeof info;
    head.bfSize = head.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(&head, sizeof head, 1, file) == 1 &&
                         std::fwrite(&info, sizeof info, 1, file) == 1 &&
                         std::fwrite(pixels.data(), pixels.size(), 1, file) == 1;
    return std::fclose(file) == 0 && written;
}

struct Shot {
    Ctl item;  // the tools menu's item
    std::vector<std::pair<Ctl, std::string_view>> typed;
    std::optional<Ctl> option;  // chosen before typing, when not the first of its group
    Ctl calculate;
    const wchar_t* file;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zm_win_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const std::wstring out = argv[1];
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    zm::win::useChineseCalendars();

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring settings = std::wstring(temp) + L"zm-screenshots-TKVR.INI";
    DeleteFileW(settings.c_str());
    zm::win::WinWindowModel windows(GetModuleHandleW(nullptr));
    zm::Session session(windows, zm::win::toUtf8(settings));
    windows.setSession(session);
    session.start();
    pump(windows);
    session.handle(zm::form1::mnuRulesCurrent, Gesture::Click);
    windows.setText(zm::form1::Combo1, "0.25");
    session.handle(zm::form1::Combo1, Gesture::Enter);

    namespace avg = zm::formAverage;
    namespace swg = zm::formSwing;
    namespace lts = zm::formLots;
    namespace lim = zm::formLimit;
    namespace exr = zm::formExRights;
    const Shot shots[] = {
        {zm::form1::mnuAverage,
         {{avg::TextAvgHeld, "1000"},
          {avg::TextAvgCost, "12"},
          {avg::TextAvgPrice, "9"},
          {avg::TextAvgTarget, "10.5"}},
         avg::OptAvg_1,
         avg::cmdCalc,
         L"windows-tool-average.bmp"},
        {zm::form1::mnuSwing,
         {{swg::TextSwingHeld, "1000"},
          {swg::TextSwingCost, "10.5"},
          {swg::TextSwingQty, "500"},
          {swg::TextSwingBuy, "9.8"},
          {swg::TextSwingSell, "10.1"}},
         std::nullopt,
         swg::cmdCalc,
         L"windows-tool-swing.bmp"},
        {zm::form1::mnuLots,
         {{lts::TextLotsCash, "10000"}, {lts::TextLotsPrice, "9.99"}},
         std::nullopt,
         lts::cmdCalc,
         L"windows-tool-lots.bmp"},
        {zm::form1::mnuLimit,
         {{lim::TextLimitClose, "10.05"}},
         std::nullopt,
         lim::cmdCalc,
         L"windows-tool-limit.bmp"},
        {zm::form1::mnuExRights,
         {{exr::TextExClose, "152.21"}, {exr::TextExCash, "16.5"}},
         std::nullopt,
         exr::cmdCalc,
         L"windows-tool-exrights.bmp"},
    };
    int failed = 0;
    for (const Shot& shot : shots) {
        session.handle(shot.item, Gesture::Click);
        pump(windows);
        if (shot.option) {
            windows.setChecked(*shot.option, true);  // reports the choice, as a click does
        }
        for (const auto& [field, text] : shot.typed) {
            windows.setText(field, text);
        }
        session.handle(shot.calculate, Gesture::Click);
        pump(windows, 800ms);
        HWND dialog = windows.window(shot.calculate.form());
        SetForegroundWindow(dialog);
        pump(windows);
        if (!save(dialog, out + L"\\" + shot.file)) {
            std::fwprintf(stderr, L"zm_win_screenshots: cannot write %ls\n", shot.file);
            ++failed;
        }
        session.handle(zm::formControl(shot.calculate.form()), Gesture::Close);
    }
    session.handle(zm::form1::Command2, Gesture::Click);
    pump(windows);
    DeleteFileW(settings.c_str());
    return failed == 0 ? 0 : 1;
}
