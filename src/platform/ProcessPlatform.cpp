#include "ProcessPlatform.h"

#include <cstdio>

namespace pelvorn {

void ProcessPlatform::deliverHiddenResult(const QString& line) {
  const QByteArray utf8 = line.toUtf8() + '\n';
  std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
  std::fflush(stdout);
}

}  // namespace pelvorn
