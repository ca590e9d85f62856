// Takes the user guide's pictures of the Windows program's dialogs of the tools menu: the
// program's own windows, built as zunmo-calc.exe builds them, each tool filled in with its worked
// example under today's rules (Shanghai, commission 0.25 per mille, minimum 5) through the
// session's one entry, then each dialog saved as a 24-bit BMP of what the screen shows of it.
// Then the journal window with the guide's worked example (windows-journal.bmp) and the
// statement import with its fee check (windows-import.bmp), driven as the Qt tool drives them;
// the journal and the copies of the statements live in the temporary folder.
// scripts/win-screenshots.sh runs it under Wine on Xvfb and turns the BMPs into the PNGs of docs/.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "guide_examples/journal_examples.h"
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

// A cell of a table as the list view shows it.
std::string cellText(zm::win::WinWindowModel& windows, Ctl table, std::size_t row,
                     std::size_t column) {
    HWND view = GetDlgItem(windows.window(table.form()), zm::win::controlId(table));
    if (view == nullptr || static_cast<int>(row) >= ListView_GetItemCount(view)) {
        return {};
    }
    wchar_t text[512] = {};
    ListView_GetItemText(view, static_cast<int>(row), static_cast<int>(column), text,
                         static_cast<int>(std::size(text)));
    return zm::win::toUtf8(text);
}

// Each column of the tables made as wide as its header and cells, as a double click on the
// header's divider makes it, and the window widened until every column shows; the window is
// moved to the screen's corner so that all of it is on the screen.
void fitColumns(zm::win::WinWindowModel& windows, FormId f, std::initializer_list<Ctl> tables) {
    HWND window = windows.window(f);
    int missing = 0;
    for (Ctl c : tables) {
        HWND view = GetDlgItem(window, zm::win::controlId(c));
        HWND header = ListView_GetHeader(view);
        int total = 0;
        for (int column = 0; column < Header_GetItemCount(header); ++column) {
            wchar_t caption[128] = {};
            LVCOLUMNW info{};
            info.mask = LVCF_TEXT;
            info.pszText = caption;
            info.cchTextMax = static_cast<int>(std::size(caption));
            ListView_GetColumn(view, column, &info);
            ListView_SetColumnWidth(view, column, LVSCW_AUTOSIZE);
            const int width =
                std::max(ListView_GetColumnWidth(view, column),
                         static_cast<int>(ListView_GetStringWidth(view, caption)) + 16);
            ListView_SetColumnWidth(view, column, width);
            total += width;
        }
        RECT client{};
        GetClientRect(view, &client);
        const int shown = static_cast<int>(client.right - client.left);
        missing = std::max(missing, total - shown + GetSystemMetrics(SM_CXVSCROLL) + 4);
    }
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + std::max(0, missing), r.bottom - r.top,
                 SWP_NOZORDER);
}

// The statement samples, copied into `folder` under the names a user's files might have.
constexpr std::pair<const char*, const wchar_t*> kImportSamples[] = {
    {"tab_gbk_quoted.txt", L"交割单2024年3月.txt"}, {"unbalanced.csv", L"交割单2024年8月.csv"}};

// The samples' folder on Wine's drive Z:, the root of the file system.
std::wstring samplePath(const char* sample) {
    std::wstring path = L"Z:" + zm::win::toWide(std::string(ZM_STATEMENT_SAMPLES) + "/" + sample);
    std::ranges::replace(path, L'/', L'\\');
    return path;
}

struct Shot {
    Ctl item;  // the tools menu's item
    std::vector<std::pair<Ctl, std::string_view>> typed;
    std::optional<Ctl> option;  // chosen before typing, when not the first of its group
    Ctl calculate;
    const wchar_t* file;
};

// Pumps until the window has painted, brings it to the front and saves it as `file` in `out`.
bool saveForm(zm::win::WinWindowModel& windows, FormId f, const std::wstring& out,
              const wchar_t* file) {
    pump(windows, 800ms);
    HWND dialog = windows.window(f);
    SetForegroundWindow(dialog);
    pump(windows);
    if (!save(dialog, out + L"\\" + file)) {
        std::fwprintf(stderr, L"zm_win_screenshots: cannot write %ls\n", file);
        return false;
    }
    return true;
}

// The journal's two pictures; the number that failed.
int journalPictures(zm::Session& session, zm::win::WinWindowModel& windows,
                    const std::wstring& folder, const std::wstring& out) {
    const zm::guide::CellReader cell = [&windows](Ctl table, std::size_t row, std::size_t column) {
        return cellText(windows, table, row, column);
    };
    int failed = 0;
    const std::string journal = zm::guide::journalExample(session, windows, cell);
    if (journal.empty()) {
        fitColumns(windows, FormId::FormJournal,
                   {zm::formJournal::ListHoldings, zm::formJournal::ListEntries});
        failed += saveForm(windows, FormId::FormJournal, out, L"windows-journal.bmp") ? 0 : 1;
    } else {
        std::fprintf(stderr, "zm_win_screenshots: journal: %s\n", journal.c_str());
        ++failed;
    }
    session.handle(zm::formJournal::cmdClose, Gesture::Click);

    CreateDirectoryW(folder.c_str(), nullptr);
    std::string typed;
    for (const auto& [sample, copy] : kImportSamples) {
        if (!CopyFileW(samplePath(sample).c_str(), (folder + L"\\" + copy).c_str(), FALSE)) {
            std::fprintf(stderr, "zm_win_screenshots: cannot copy %s\n", sample);
            ++failed;
        }
        typed += (typed.empty() ? "" : " ; ") + zm::win::toUtf8(copy);
    }
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(folder.c_str());
    const std::string imported = zm::guide::importExample(session, windows, cell, typed);
    SetCurrentDirectoryW(current);
    if (imported.empty()) {
        fitColumns(windows, FormId::FormImport, {zm::formImport::ListImport});
        failed += saveForm(windows, FormId::FormImport, out, L"windows-import.bmp") ? 0 : 1;
    } else {
        std::fprintf(stderr, "zm_win_screenshots: import: %s\n", imported.c_str());
        ++failed;
    }
    session.handle(zm::formImport::cmdCancel, Gesture::Click);
    for (const auto& [sample, copy] : kImportSamples) {
        DeleteFileW((folder + L"\\" + copy).c_str());
    }
    RemoveDirectoryW(folder.c_str());
    return failed;
}

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
    const std::wstring journal = std::wstring(temp) + L"zm-screenshots-journal.sqlite";
    const std::wstring statements = std::wstring(temp) + L"zm-screenshots-statements";
    DeleteFileW(settings.c_str());
    DeleteFileW(journal.c_str());
    zm::win::WinWindowModel windows(GetModuleHandleW(nullptr));
    zm::Session session(windows, zm::win::toUtf8(settings), zm::win::toUtf8(journal));
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
    failed += journalPictures(session, windows, statements, out);
    session.handle(zm::form1::Command2, Gesture::Click);
    pump(windows);
    DeleteFileW(settings.c_str());
    DeleteFileW(journal.c_str());
    return failed == 0 ? 0 : 1;
}
