#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zm::ui {

// UTF-8 engine text to and from Qt's UTF-16 strings.
QString toQ(std::string_view s);
std::string fromQ(const QString& s);

}  // namespace zm::ui
