#pragma once

#include "console/AdifCheck.h"
#include "console/AdifReader.h"

#include <functional>
#include <string_view>

// How --fix writes a record to the copy: DISTANCE written in where it is
// missing or empty (right before <EOR>), with `overwrite` also where it
// differs (in place: length and data, the name's case and type letter
// kept; every DISTANCE of a record that has several). All other bytes as
// they were. A record whose copy would exceed MaximumRecordBytes is copied
// unchanged, so that every copy reads again.

namespace pelvorn::adif {

enum class CopyAction { Kept, Filled, Replaced, TooLarge };

// Passes the bytes of record `unit` of `text`, as they go to the copy, to
// `write` (in a few pieces); `value` is the computed DISTANCE as written.
CopyAction CopyRecord(std::string_view text, const Unit& unit, const QsoCheck& check, std::string_view value,
                      bool overwrite, const std::function<void(std::string_view)>& write);

}  // namespace pelvorn::adif
