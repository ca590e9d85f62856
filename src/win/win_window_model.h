#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "layout/placement.h"
#include "view/cell_order.h"
#include "view/gesture.h"
#include "view/window_model.h"

namespace zm {
class Session;
}

namespace zm::win {

// The control id of a control: its number in the control table plus 100 (ids 1 and 2 are IDOK
// and IDCANCEL). Every control is a direct child of its window, so GetDlgItem finds it by this
// id, also from another process (the front-end tests do); a menu item's command is this id too.
constexpr int controlId(Ctl c) {
    return static_cast<int>(c.index()) + 100;
}
// The control of an id, when the id is one.
std::optional<Ctl> controlOfId(int id);

// The window model on native Win32 windows, every window of the layout table built from its
// rows: group boxes, statics, edits, drop-down lists, radio and push buttons, date edits
// (common controls 6) and the menu bar, in 宋体 at the monitor's DPI. Each control's HWND is kept
// by its control id while its window is loaded. Every gesture goes to the session's one entry,
// as the Qt windows send it.
//
// The methods are spread over the files of src/win by concern: win_build.cpp makes the windows
// from the rows, win_menus.cpp the menu bar, win_messages.cpp handles the windows' messages,
// win_windows.cpp shows, places, hides and unloads windows, win_controls.cpp reads and writes
// the controls.
class WinWindowModel : public WindowModel {
public:
    explicit WinWindowModel(HINSTANCE instance);
    ~WinWindowModel() override;
    WinWindowModel(const WinWindowModel&) = delete;
    WinWindowModel& operator=(const WinWindowModel&) = delete;

    void setSession(Session& session) { m_session = &session; }
    // The window of a loaded form, else nullptr.
    HWND window(FormId f) const { return form(f).hwnd; }
    // Runs the message loop until quit(); returns the exit code.
    int run();
    // Handles one message of the thread's queue as the message loop does: the keys that move
    // the focus and Esc first, as in a dialog.
    void dispatch(MSG& msg);

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
    void setTabAfter(Ctl c, Ctl previous) override;
    void setFocus(Ctl c) override;
    void selectAllInFocused() override;
    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    void setRows(Ctl c, const std::vector<Cells>& rows) override;
    std::optional<std::size_t> chosenRow(Ctl c) const override;
    void chooseRow(Ctl c, std::optional<std::size_t> row) override;
    std::optional<std::string> chooseFolder(std::string_view title,
                                            std::string_view start) override;
    std::vector<std::string> chooseFiles(std::string_view title, std::string_view start,
                                         std::string_view filter) override;
    bool isLoaded(FormId f) const override;
    void load(FormId f) override;
    void show(FormId f) override;
    void hide(FormId f) override;
    void unload(FormId f) override;
    // Form1's banner becomes visible (WZ, at form load).
    void paintBanner() override;
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
    // Where a menu, menu item or separator sits: its menu (the menu bar for a menu) and its
    // place in it; a menu's own popup.
    struct MenuPlace {
        HMENU parent = nullptr;
        UINT position = 0;
        HMENU popup = nullptr;
    };

    // win_build.cpp
    void createControls(FormId f);
    // Makes the control of a row; `chosen` tells whether it is a chosen option.
    HWND createControl(const layout::Control& c, Form& form, bool& chosen);
    void addIcon(HWND button, const layout::Control& c, UINT dpi);
    void addToolTip(const Form& form, HWND control, std::string_view tip);
    void placeControls(FormId f);
    void fitWrappedText(FormId f, const layout::Control& c, HWND hwnd);
    HFONT font(double pointSize, UINT dpi);
    // The window's style and extended style, by its row.
    static DWORD formStyle(FormId f);
    static DWORD formExStyle(FormId f);
    // win_tables.cpp
    // A table's styles and its header's columns; their widths at the window's DPI.
    void setUpTable(HWND table, const layout::Control& c);
    void sizeTableColumns(HWND table, const layout::Control& c, UINT dpi);
    // As a click on the column's header: sorted by it, or reversed when it was already.
    void sortTable(Ctl c, int column);
    void showSortArrow(Ctl c);
    // The table's notices: a row chosen by the user, a double click, a header clicked.
    void onTableNotice(const NMHDR& notice);
    // A window the user may resize: never below its row's size, its controls by their Follow.
    void limitSize(FormId f, MINMAXINFO& info) const;
    void followSize(FormId f);
    // The window a message box, question or file dialog opens over.
    HWND dialogOwner() const;
    // Puts the owner of a box just closed back in front before the program goes on.
    void reactivate(HWND owner);
    // win_menus.cpp
    void buildMenuBar(FormId f);
    const MenuPlace* menuPlace(Ctl c) const;
    std::optional<UINT> menuState(Ctl c) const;
    // win_messages.cpp
    static LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR model);
    LRESULT onFormMessage(FormId f, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void onActivate(FormId f, HWND hwnd, WPARAM wParam, LPARAM lParam);
    void onCommand(FormId f, WPARAM wParam, LPARAM lParam);
    // Tab, Shift+Tab and the arrow keys move the focus as in a dialog.
    void moveFocus(HWND form, WPARAM wParam, LPARAM lParam);
    void report(Ctl c, Gesture g);
    // Reports Choose for an option that has just become the chosen one of its group; the chosen
    // option of each group is the group's one Tab stop.
    void reportChosenOption(Ctl option);
    HBRUSH colours(HWND control, HDC dc);
    void paintBanner(HDC dc, UINT dpi);
    // win_windows.cpp
    void destroyForm(FormId f);
    // The window's place before it is shown: where it was left, else where its row says.
    void place(FormId f);
    // The trade category, the rates and the buy frame of the main window on the screen.
    layout::Rect keptClearOfDialogs() const;
    // While a modal window is open, the program's other windows take no input. `arriving` is a
    // window about to be shown, which counts as open already, `leaving` one about to be hidden,
    // which counts as closed: the others are kept from input before the modal window appears,
    // and take it again before it goes, so that the system activates one of them.
    void updateModality(std::optional<FormId> arriving, std::optional<FormId> leaving);
    // The window's place, kept when it is hidden or unloaded for its next showing.
    void keepPlace(FormId f);
    // Called as a window goes away, by the program or with its owner.
    void forget(FormId f);

    HWND control(Ctl c) const { return m_controls[c.index()]; }
    std::optional<Ctl> ctlOf(HWND control) const;
    const layout::Control* rowOf(HWND control) const;
    std::optional<FormId> formOf(HWND window) const;
    bool isOurs(HWND hwnd) const { return formOf(hwnd).has_value(); }
    Form& form(FormId f) { return m_forms[static_cast<std::size_t>(f)]; }
    const Form& form(FormId f) const { return m_forms[static_cast<std::size_t>(f)]; }

    HINSTANCE m_instance;
    Session* m_session = nullptr;
    std::array<Form, kFormCount> m_forms{};
    std::array<HWND, kControlCount> m_controls{};
    std::array<MenuPlace, kControlCount> m_menus{};
    std::array<Look, kControlCount> m_looks{};
    // Which options were chosen when last looked at, so that only a change reports Choose.
    std::array<bool, kControlCount> m_chosen{};
    // Where a window's client area was left, and where the main window's frame was then.
    struct KeptPlace {
        layout::Point client;
        layout::Point mainAt;
    };
    std::array<std::optional<KeptPlace>, kFormCount> m_places{};
    std::map<std::pair<int, UINT>, HFONT> m_fonts;  // (hundredths of a point, dpi)
    HBITMAP m_banner = nullptr;
    bool m_bannerShown = false;
    // The program is setting a date field's text: the change is no gesture of the user.
    bool m_settingDate = false;
    // Each loaded table's rows, in the order the session set them, and the column the user
    // sorted it by.
    struct Table {
        std::vector<Cells> rows;
        cell_order::SortState sorted;
    };
    std::map<Ctl, Table> m_tables;
    // The program is filling a table or choosing its row: no gesture of the user.
    bool m_settingRows = false;
};

}  // namespace zm::win
