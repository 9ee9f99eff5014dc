#include "platform/posix/StandardStreams.h"
#include "startup/Main.h"
#include "startup/Usage.h"

#include <QStringList>

#include <cstdio>

namespace {

int Print(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  pelvorn::OpenClosedStandardStreams();
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  if (arguments == QStringList{QStringLiteral("--help")}) return Print(pelvorn::HelpText());
  if (arguments == QStringList{QStringLiteral("--version")}) return Print(pelvorn::VersionText());
  return pelvorn::Start(argv[0], arguments.join(QLatin1Char(' ')));
}
