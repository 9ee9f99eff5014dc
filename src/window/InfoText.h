#pragma once

#include <QString>

namespace pelvorn {

// Title of the information box.
inline const QString InfoTitle = QStringLiteral(" Info ");

// Returns the text of the information box: the program's identity, what it
// does and how to call it, 24 lines joined by `lineBreak`.
QString InfoText(const QString& lineBreak);

}  // namespace pelvorn
