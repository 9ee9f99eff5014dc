#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace pelvorn {

// A new file that replaces `utf8Path` only once it is complete and on the
// disk: it is written in the same directory, then named (or renamed over
// `utf8Path`) by Commit; the directory is then synced, so after a power cut
// `utf8Path` is the old file or the new one. A replacement that is never
// committed (destroyed, or any step failed) is removed and `utf8Path` is as
// it was. The process's umask and signal dispositions are left alone. On
// Linux the new file has no name while it is written, so a killed run
// leaves nothing (but for a kill between naming and renaming); elsewhere it
// is `utf8Path`.pelvorn-… and a kill leaves it. Windows refuses a
// read-only `utf8Path`. (One implementation per platform.)
class FileReplacement {
public:
  FileReplacement();
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Each returns false, with the reason in `error` (German), when its step
  // fails; the replacement is then abandoned and later calls fail too.
  bool Open(const std::string& utf8Path, std::string& error);
  bool Write(std::string_view bytes, std::string& error);
  bool Commit(std::string& error);

private:
  struct State;
  std::unique_ptr<State> state_;
};

// Writes `contents` to the file `utf8Path` through a FileReplacement.
bool ReplaceFileContents(const std::string& utf8Path, std::string_view contents, std::string& error);

}  // namespace pelvorn
