#include "ui/qt_text.h"

namespace zm::ui {

QString toQ(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string fromQ(const QString& s) {
    return s.toStdString();
}

}  // namespace zm::ui
