#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/controls.h"

namespace zm {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

// The two system colours a field's background takes: button face for read-only (locked or
// output) fields, window background for editable ones.
enum class Background { ButtonFace, Window };

// What became of a request to show the user guide page: shown in a browser; the page is not
// where the program looked for it (a program copied without its guide); no browser could be
// started. `path` is where the page is, or was looked for.
struct UserGuide {
    enum class Outcome { Opened, Missing, NoBrowser };
    Outcome outcome = Outcome::Opened;
    std::string path;
};

// The narrow seam between the engine and the windows. The Qt windows implement it on real
// widgets; tests implement it in memory. Every procedure of the engine acts on the windows
// through these calls only, in the order it makes them.
class WindowModel {
public:
    virtual ~WindowModel() = default;

    // Text of a field, or the chosen entry of a drop-down list.
    virtual std::string text(Ctl c) const = 0;
    // Sets a field's text; for a drop-down list, chooses the entry with that text (a text that
    // is no entry leaves the choice as it was).
    virtual void setText(Ctl c, std::string_view text) = 0;
    virtual bool isReadOnly(Ctl c) const = 0;
    virtual void setReadOnly(Ctl c, bool readOnly) = 0;
    virtual void setBackground(Ctl c, Background background) = 0;
    // Caption of a label, frame or button.
    virtual std::string caption(Ctl c) const = 0;
    virtual void setCaption(Ctl c, std::string_view caption) = 0;
    virtual Rgb foreColor(Ctl c) const = 0;
    virtual void setForeColor(Ctl c, Rgb colour) = 0;
    virtual std::string toolTip(Ctl c) const = 0;
    virtual void setToolTip(Ctl c, std::string_view toolTip) = 0;
    // Whether an option button or a checkable menu item is chosen.
    virtual bool isChecked(Ctl c) const = 0;
    virtual void setChecked(Ctl c, bool checked) = 0;
    // Enables or disables a control or a menu item.
    virtual bool isEnabled(Ctl c) const = 0;
    virtual void setEnabled(Ctl c, bool enabled) = 0;
    // A drop-down list: replaces its entries (choosing none), and lets the user type a text of
    // their own besides picking an entry (setText then takes any text).
    virtual void setEntries(Ctl c, const std::vector<std::string>& entries) = 0;
    virtual void setEditable(Ctl c, bool editable) = 0;
    // Moves control `c` to right after `previous` in their window's tab chain.
    virtual void setTabAfter(Ctl c, Ctl previous) = 0;

    virtual void setFocus(Ctl c) = 0;
    // Selects the whole text of the control that has the focus now (start 0, length of its text).
    virtual void selectAllInFocused() = 0;

    // A modal message box: warning icon, title "股票计算器提示", one OK button. Returns once the
    // user has closed it.
    virtual void showMessage(std::string_view text) = 0;
    // A modal question, title "股票计算器提示", question icon, buttons 是 and 否 (否 the default,
    // so that Enter never agrees by accident). True for 是; 否, Esc and the close box give false.
    virtual bool askYesNo(std::string_view text) = 0;

    // A list with columns (layout Kind::Table). Its rows are addressed in the order given here,
    // whatever column the user has sorted the view by; setting rows keeps the view's sort and
    // chooses no row.
    using Cells = std::vector<std::string>;
    virtual void setRows(Ctl c, const std::vector<Cells>& rows) = 0;
    // The chosen row, as an index into the rows set; nullopt when none is chosen.
    virtual std::optional<std::size_t> chosenRow(Ctl c) const = 0;
    // Chooses a row (and scrolls it into view), or none.
    virtual void chooseRow(Ctl c, std::optional<std::size_t> row) = 0;

    // The system's dialogs that pick a folder, or one or more files (`filter` as
    // "交割单 (*.txt *.xls *.csv)"), starting in `start`; full paths in UTF-8, none when the user
    // cancels.
    virtual std::optional<std::string> chooseFolder(std::string_view title,
                                                    std::string_view start) = 0;
    virtual std::vector<std::string> chooseFiles(std::string_view title, std::string_view start,
                                                 std::string_view filter) = 0;

    // Windows. load creates the window hidden (nothing when it is loaded); show shows it, loading
    // it first, without waiting for it to close (a window whose layout row is modal keeps the
    // others from input while it is open); hide keeps it loaded; unload closes and destroys it
    // (nothing when it is not loaded).
    virtual bool isLoaded(FormId f) const = 0;
    virtual void load(FormId f) = 0;
    virtual void show(FormId f) = 0;
    virtual void hide(FormId f) = 0;
    virtual void unload(FormId f) = 0;
    // Paints the banner onto Form1's surface (WZ), kept across repaints. A model without a
    // surface has nothing to paint.
    virtual void paintBanner() {}
    // Ends the program with exit status 0 once the current handler returns.
    virtual void quit() = 0;

    // Opens the user guide page that comes with the program in the system's web browser.
    virtual UserGuide openUserGuide() = 0;
};

}  // namespace zm
