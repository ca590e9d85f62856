#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "view/controls.h"

namespace zm::ui {

// UTF-8 engine text to and from Qt's UTF-16 strings.
QString toQ(std::string_view s);
std::string fromQ(const QString& s);

// A control's objectName: its control name.
inline QString qtName(Ctl c) {
    return toQ(c.name());
}

}  // namespace zm::ui
