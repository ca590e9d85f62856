// FormExport: the journal's 流水 and 持仓 written as two CSV files into a folder the user types,
// pastes or picks. A file already there is replaced only when the user agrees.
#include <array>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "fees/number_text.h"
#include "journal/csv.h"
#include "journal/journal_lists.h"
#include "session/apply_verdict.h"
#include "session/journal_windows.h"
#include "settings/file_io.h"
#include "view/cell_order.h"
#include "view/messages.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using namespace formExport;

fs::path pathOf(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace

void JournalWindows::openExport() {
    if (!storeReady()) {
        return;
    }
    m_ui.load(FormId::FormExport);
    m_ui.setText(TextExportFolder, m_exportFolder);
    m_ui.show(FormId::FormExport);
    m_ui.setFocus(TextExportFolder);
    m_ui.selectAllInFocused();
}

void JournalWindows::browseFolder() {
    std::string start(trimBlanks(m_ui.text(TextExportFolder)));
    if (start.empty()) {
        std::error_code error;
        start = utf8Of(fs::current_path(error));
    }
    if (const auto folder = m_ui.chooseFolder(msg::kExportFolderTitle, start)) {
        m_ui.setText(TextExportFolder, *folder);
    }
}

void JournalWindows::exportOk() {
    const std::string typed(trimBlanks(m_ui.text(TextExportFolder)));
    if (typed.empty()) {
        ShowInputError(m_ui, TextExportFolder, msg::kExportFolderMissing);
        return;
    }
    // A relative folder is taken from the current folder.
    std::error_code error;
    // The system's own separators, so that the names the messages show read as the user's.
    const fs::path folder = fs::absolute(pathOf(typed), error).make_preferred();
    if (error || !fs::is_directory(folder, error)) {
        ShowInputError(m_ui, TextExportFolder, msg::exportNoSuchFolder(typed));
        return;
    }
    if (storeReady() && writeExport(utf8Of(folder))) {
        m_exportFolder = typed;
        m_ui.hide(FormId::FormExport);
    }
}

bool JournalWindows::writeExport(const std::string& folder) {
    const std::vector<journal::Entry> entries = m_store.entries();
    const auto held = journal::holdingListRows(journal::positions(entries), listSettings());
    const std::array<std::pair<std::string, std::string>, 2> files = {{
        {utf8Of(pathOf(folder) / pathOf(msg::kExportEntriesFile)),
         journal::csvText(journal::entryRows(entries))},
        {utf8Of(pathOf(folder) / pathOf(msg::kExportHoldingsFile)),
         journal::csvText(journal::holdingListCsv(held))},
    }};
    // Every replacement is agreed to before anything is written.
    for (const auto& [path, bytes] : files) {
        std::error_code error;
        if (fs::exists(pathOf(path), error) && !m_ui.askYesNo(msg::exportReplaceQuestion(path))) {
            return false;
        }
    }
    for (const auto& [path, bytes] : files) {
        if (!settings::replaceFile(path, bytes, settings::readWholeFile(path))) {
            m_ui.showMessage(msg::exportFailed(path));
            return false;
        }
    }
    return true;
}

void JournalWindows::closeExport() {
    m_ui.hide(FormId::FormExport);
}

}  // namespace zm
