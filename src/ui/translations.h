#pragma once

namespace zm::ui {

// Installs Qt's own Simplified-Chinese texts (qtbase_zh_CN from Qt's translations folder), so
// that the standard buttons read "确定" and the fields' context menus are Chinese whatever the
// session's language is. Call once, after the QApplication exists. Returns false when the file
// is missing (Debian's qt6-translations-l10n); the program then runs with Qt's English texts.
bool installQtTranslations();

}  // namespace zm::ui
