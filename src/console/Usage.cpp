#include "Usage.h"

#include "ApplicationIdentity.h"
#include "common/Text.h"
#include "common/Texts.h"

namespace pelvorn {

std::u16string HelpText() { return FromUtf8(text::HelpText); }

std::u16string VersionText() {
  return FromUtf8(Fill(text::VersionText, {identity::ProductName, identity::Version, identity::Copyright}));
}

}  // namespace pelvorn
