#include "MapCommand.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "console/BatchLine.h"
#include "console/ConsoleToolStatus.h"
#include "common/ReplaceFile.h"
#include "map/MapOutput.h"

namespace pelvorn {
namespace {

int Refuse(std::FILE* err, const std::string& problem, int status) {
  std::fputs(Fill(text::ErrorLine, {problem}).c_str(), err);
  return status;
}

}  // namespace

int RunMap(const MapCall& call, const NumberLocale& locale, std::FILE* out, std::FILE* err, std::string& wrongCall) {
  const auto wrong = [&](std::string reason) {
    wrongCall = std::move(reason);
    return ToolInputUnreadable;
  };
  map::MapRequest request;
  map::MapFormat format = map::MapFormat::Png;
  if (std::string reason = map::ReadMapOutput(call.output, call.size, call.radius, format, request); !reason.empty()) {
    return wrong(std::move(reason));
  }
  if (call.operands.size() != 1) return wrong(std::string(text::MapTakesOneLine));

  BatchPair pair;
  if (const std::string reason = ReadBatchPair(call.operands.front(), locale, pair); !reason.empty()) {
    return Refuse(err, reason, ToolSomeDiffer);
  }
  request.own = {pair.ownLatitude, pair.ownLongitude, pair.ownLocator};
  request.dx = map::Station{pair.foreignLatitude, pair.foreignLongitude, pair.foreignLocator};
  request.caption = Fill(text::MapCaption, {pair.ownLocator, pair.foreignLocator, pair.resultLine});
  const std::string bytes = map::RenderMapBytes(request, format);

  if (format == map::MapFormat::PngToOutput) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
      return Refuse(err, std::string(text::OutputNotWritable), ToolInputUnreadable);
    }
    return ToolSuccess;
  }
  std::string error;
  if (!ReplaceFileContents(call.output, bytes, error)) return Refuse(err, Fill(text::About, {call.output, error}), ToolInputUnreadable);
  return ToolSuccess;
}

}  // namespace pelvorn
