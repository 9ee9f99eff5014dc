#pragma once

#include <QString>

namespace pelvorn {

// Returns `text` without leading and trailing blanks. Only the blank
// character counts; tabs and other white space stay.
inline QString TrimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == QLatin1Char(' ')) ++first;
  while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

}  // namespace pelvorn
