#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.h"
#include "session/window_model.h"

namespace zm {
class Session;
}

namespace zm::win {

// The control id of a row: its place in the layout table plus 100 (ids 1 and 2 are IDOK and
// IDCANCEL). Every control is a direct child of its window, so GetDlgItem finds it by this id,
// also from another process (the front-end test does).
int controlId(const layout::Control& c);

// The window model on native Win32 windows, built from the layout table: group boxes, statics,
// edits, drop-down lists, radio and push buttons (common controls 6), in 宋体 at the monitor's
// DPI. Events go to the Session exactly as the Qt windows send them.
class WinWindowModel : public WindowModel {
public:
    explicit WinWindowModel(HINSTANCE instance);
    ~WinWindowModel() override;
    WinWindowModel(const WinWindowModel&) = delete;
    WinWindowModel& operator=(const WinWindowModel&) = delete;

    void setSession(Session& session) { m_session = &session; }
    // Form1's banner becomes visible (WZ, at form load).
    void showBanner();
    // Runs the message loop until quit(); returns the exit code.
    int run();

    std::string text(Ctl c) const override;
    void setText(Ctl c, std::string_view text) override;
    bool isReadOnly(Ctl c) const override;
    void setReadOnly(Ctl c, bool readOnly) override;
    void setBackground(Ctl c, Background background) override;
    std::string caption(Ctl c) const override;
    void setCaption(Ctl c, std::string_view caption) override;
    Rgb foreColor(Ctl c) const override;
    void setForeColor(Ctl c, Rgb colour) override;
    std::string toolTip(Ctl c) const override;
    void setToolTip(Ctl c, std::string_view toolTip) override;
    bool isChecked(Ctl c) const override;
    void setChecked(Ctl c, bool checked) override;
    bool isEnabled(Ctl c) const override;
    void setEnabled(Ctl c, bool enabled) override;
    void setEntries(Ctl c, const std::vector<std::string>& entries) override;
    void setEditable(Ctl c, bool editable) override;
    void setFocus(Ctl c) override;
    void selectAllInFocused() override;
    void showMessage(std::string_view text) override;
    bool isLoaded(FormId f) const override;
    void load(FormId f) override;
    void show(FormId f) override;
    void hide(FormId f) override;
    void unload(FormId f) override;
    void quit() override;
    UserGuide openUserGuide() override;

private:
    struct Form {
        HWND hwnd = nullptr;
        HWND toolTip = nullptr;
        UINT dpi = 96;
        HWND savedFocus = nullptr;
        bool everActive = false;
    };
    struct Look {
        COLORREF fore = RGB(0, 0, 0);
        int background = -1;  // COLOR_BTNFACE, COLOR_WINDOW, or -1: the control's own
    };

    static LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR model);
    LRESULT onFormMessage(FormId f, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    void destroyForm(FormId f);
    HWND control(Ctl c) const;
    const layout::Control* rowOf(HWND control) const;
    bool isOurs(HWND hwnd) const;
    // Coming back from this window of the program to the main window activates the main window.
    bool returnsToMain(HWND hwnd) const;
    // Reports Choose for an option that has just become the chosen one of its group.
    void reportChosenOption(Ctl option);
    void createControls(FormId f);
    void placeControls(FormId f);
    void fitWrappedText(FormId f, const layout::Control& c, HWND hwnd);
    HFONT font(double pointSize, UINT dpi);
    HBRUSH colours(HWND control, HDC dc);
    void paintBanner(HWND hwnd, HDC dc, UINT dpi);
    void onCommand(FormId f, HWND control, WORD code);

    HINSTANCE m_instance;
    Session* m_session = nullptr;
    std::array<Form, 4> m_forms{};
    std::map<HWND, Look> m_looks;
    std::map<std::pair<int, UINT>, HFONT> m_fonts;  // (hundredths of a point, dpi)
    HBITMAP m_banner = nullptr;
    bool m_bannerShown = false;
    // Which options were chosen when last looked at, so that only a change reports Choose.
    std::array<bool, kControlCount> m_chosen{};
};

}  // namespace zm::win
