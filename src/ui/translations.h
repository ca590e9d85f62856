#pragma once

#include <QString>
#include <QTranslator>

namespace zm::ui {

// The Chinese texts of Qt's own widgets that the program's windows show: the buttons of its
// message boxes and the entries of the context menus of its fields, the note and the date field.
// They come from Qt's translation (qtbase_zh_CN) where Debian's qt6-translations-l10n installed
// it; this translator stands behind it, so that those texts are Chinese even without it.
class FallbackTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

// Installs the fallback texts, then Qt's own Simplified-Chinese texts (qtbase_zh_CN from Qt's
// translations folder), which take precedence where they are there. Call once, after the
// QApplication exists. Returns false when Qt's file is missing; the program's windows are
// Chinese all the same.
bool installQtTranslations();

}  // namespace zm::ui
