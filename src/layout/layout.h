#pragma once

#include <array>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "view/window_model.h"

// What the windows consist of, toolkit-free: one row per window and per control, with
// positions and sizes in twips (1440 to the inch, 15 to a pixel at 96 dpi). The Qt windows
// (src/app, src/batch, src/about) and the Windows front end (src/win) are both built from these
// rows, so the layout is written once. A new window, frame or menu is one more row.
namespace zm::layout {

enum class Align { Left, Center, Right };

enum class Kind {
    Form,       // the window itself: width and height are its client area, caption its title
    Frame,      // a group box with its caption on the top line
    Label,      // static text
    Field,      // single-line text field
    List,       // drop-down list (without an edit part until the program makes it editable)
    Option,     // option (radio) button; the options of one container are one group
    Check,      // check box, on or off by itself; `chosen`: ticked when the window opens
    Button,     // push button with an icon
    Picture,    // a picture that acts on a click
    Line,       // an etched horizontal line
    Date,       // a date field ("2019-03-15") with a calendar that drops down
    MenuBar,    // the window's menu bar, above its client area
    Menu,       // a menu of the menu bar
    MenuItem,   // an item of a menu; `checkable` items show a check mark
    Separator,  // a line between the items of a menu
    // A list with columns and a header: one row per item, the user may sort it by clicking a
    // column's header and choose one row. Its columns are the row's `columns`.
    Table,
};

// One column of a Table: its header text, its width in twips, and how its cells align
// (figures to the right).
struct Column {
    std::string_view caption;
    int width = 0;
    Align align = Align::Left;
};

// How a control follows a window the user resizes, in percent of the window's growth beyond
// its client size in the row: `moveX` of the growth in width is added to its left, `growX` to
// its width, and the same downwards. Controls of a window that cannot be resized keep 0.
struct Follow {
    int moveX = 0;
    int moveY = 0;
    int growX = 0;
    int growY = 0;
};

// Where a button's icon sits: left of its caption, or above it.
enum class IconPlace { Left, Above };

// Where a window opens the first time in a run (afterwards where the user left it): where the
// desktop puts it, centred over the main window, or beside the main window, leaving its buy and
// sell columns in view.
enum class Place { Desktop, OverMain, BesideMain };

struct Control {
    Ctl ctl = {};  // its name is also the Qt objectName
    Kind kind = {};
    // The frame, menu bar or menu it sits in; none for a control of the window itself.
    std::optional<Ctl> container = {};
    int left = 0;  // twips, from the container's top-left corner
    int top = 0;
    int width = 0;
    int height = 0;
    // Or the window's title; a menu's or item's caption marks its access key with &
    // ("费用规则(&R)").
    std::string_view caption = {};
    std::string_view toolTip = {};
    double pointSize = 0;  // 宋体 at this size; 0: the window's size
    int tabIndex = -1;     // place in the window's tab chain; -1: not in it
    Align align = Align::Left;
    std::string_view icon = {};  // an icon's name (src/ui/icons/<icon>.svg)
    IconPlace iconPlace = IconPlace::Left;
    bool readOnly = false;          // fields: a result only the program writes (button face)
    bool chosen = false;            // options: chosen when the window opens; items: checked
    bool checkable = false;         // menu items: shows a check mark when chosen
    bool enabled = true;            // menu items and controls: usable when the window opens
    bool wordWrap = false;          // labels: lines broken at the box's width (else one line)
    std::optional<Ctl> buddy = {};  // labels: the field or list whose caption this is
    // Date fields: the earliest date its calendar offers ("2008-09-19"); any date can be typed.
    std::string_view earliestDate = {};
    // Windows only.
    bool modal = false;        // the other windows take no input while it is open
    bool ownedByMain = false;  // stays above the main window, no taskbar button of its own
    bool escCloses = false;    // Esc does what its close box does
    // Coming back from this window to the main window is the main window's activation (its
    // focus goes to the buy price); coming back from the others leaves the focus where it was.
    bool returnActivatesMain = false;
    Place place = Place::Desktop;
    bool resizable = false;             // windows: the user may resize it (never below its size)
    Follow follow = {};                 // controls of a resizable window
    std::span<const Column> columns{};  // tables

    constexpr FormId form() const { return ctl.form(); }
    constexpr std::string_view name() const { return ctl.name(); }
};

// Every row, windows first (in FormId order), then each window's controls in the order they
// are created.
std::span<const Control> controls();

// The window's own row.
const Control& form(FormId f);
// The row of a control; nullptr when no window has it.
const Control* find(Ctl c);
// The rows of one window, the window's own first, in the order they are created.
std::vector<const Control*> rowsOf(FormId f);
// A control's top-left corner in its window's client area, in twips: the controls of a frame are
// placed from the frame's corner.
struct Corner {
    int left = 0;
    int top = 0;
};
Corner cornerInWindow(const Control& c);
// The window's controls that are in its tab chain, in tab order.
std::vector<const Control*> tabOrder(FormId f);

// The parts of the main window a dialog opened beside it leaves in view where the screen has
// room: the trade category, the rates and the buy column (a tool is mostly used on a purchase;
// the sell column may go under it on a small screen).
inline constexpr std::array<Ctl, 3> kKeptClearOfDialogs = {form1::Frame1, form1::Frame4,
                                                           form1::Frame2};

// The banner painted on Form1's surface: the text at `shadow` in grey, then at `text` in blue
// (top-left corners in twips), at 30 points.
struct Banner {
    std::string_view text;
    int textLeft;
    int textTop;
    int shadowLeft;
    int shadowTop;
    double pointSize;
    Rgb colour;
    Rgb shadowColour;
};
inline constexpr Banner kBanner{"Zunmo算股", 100, 100, 142, 142, 30, {0, 0, 255}, {100, 100, 100}};

// The program's page is its user guide, which comes with it; the about box's picture opens it
// (each front end knows where its copy is).

}  // namespace zm::layout
