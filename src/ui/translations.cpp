#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <cstring>

namespace zm::ui {
namespace {

// Qt's English texts of the program's standard buttons and context menus, and their Chinese,
// whatever class asks for them (QLineEdit, QWidgetTextControl, QAbstractSpinBox,
// QPlatformTheme, QMessageBox, QDialogButtonBox).
struct Text {
    const char* english;
    const char* chinese;
};
constexpr Text kTexts[] = {
    {"OK", "确定"},
    {"&OK", "确定(&O)"},
    {"Cancel", "取消"},
    {"&Cancel", "取消(&C)"},
    {"Close", "关闭"},
    {"&Undo", "撤销(&U)"},
    {"&Redo", "重做(&R)"},
    {"Cu&t", "剪切(&T)"},
    {"&Copy", "复制(&C)"},
    {"&Paste", "粘贴(&P)"},
    {"Delete", "删除"},
    {"Select All", "全选"},
    {"&Select All", "全选(&S)"},
    {"Copy &Link Location", "复制链接地址(&L)"},
    {"&Step up", "增加(&S)"},
    {"Step &down", "减少(&D)"},
};

}  // namespace

QString FallbackTranslator::translate(const char* /*context*/, const char* sourceText,
                                      const char* /*disambiguation*/, int /*n*/) const {
    if (sourceText == nullptr) {
        return {};
    }
    for (const Text& t : kTexts) {
        if (std::strcmp(sourceText, t.english) == 0) {
            return QString::fromUtf8(t.chinese);
        }
    }
    return {};
}

bool installQtTranslations() {
    // Owned by the application, so they live exactly as long as the texts they translate. The
    // one installed last is asked first. (The analyser does not know that a parent owns them.)
    // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
    QCoreApplication::installTranslator(new FallbackTranslator(QCoreApplication::instance()));
    auto* translator = new QTranslator(QCoreApplication::instance());
    // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace zm::ui
