#include <gtest/gtest.h>

#include <QApplication>

#include "ui/translations.h"

// Window tests run on Qt's offscreen platform unless the caller chose another.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // Qt's Chinese texts, as main() installs them: the tests see the buttons the user sees.
    zm::ui::installQtTranslations();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
