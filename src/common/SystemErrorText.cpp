#include "SystemErrorText.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <cerrno>
#include <string_view>

namespace pelvorn {
namespace {

struct ErrorText {
  int error;
  std::string_view text;
};

// Every system error the program names, with its text.
constexpr ErrorText ErrorTexts[] = {
    {ENOENT, text::NoSuchFile},
    {EACCES, text::PermissionDenied},
    {EPERM, text::NotPermitted},
    {EROFS, text::ReadOnlyFileSystem},
    {ENOSPC, text::NoSpace},
#ifdef EDQUOT
    {EDQUOT, text::QuotaExceeded},
#endif
    {EFBIG, text::FileTooLarge},
    {EIO, text::InputOutputError},
    {EISDIR, text::IsDirectory},
    {ENOTDIR, text::NotDirectory},
    {ENAMETOOLONG, text::NameTooLong},
#ifdef ELOOP
    {ELOOP, text::TooManyLinks},
#endif
    {EEXIST, text::FileExists},
    {EBUSY, text::DeviceBusy},
    {EMFILE, text::TooManyOpenFiles},
    {ENFILE, text::TooManyOpenFilesInSystem},
    {ENOMEM, text::OutOfMemory},
    {EXDEV, text::CrossDeviceLink},
    {EINVAL, text::InvalidArgument},
    {ENXIO, text::NoSuchDeviceOrAddress},
    {ENODEV, text::NoSuchDevice},
#ifdef EOPNOTSUPP
    {EOPNOTSUPP, text::NotSupported},
#endif
    {EPIPE, text::BrokenPipe},
    {EAGAIN, text::TryAgain},
#ifdef ESTALE
    {ESTALE, text::StaleHandle},
#endif
};

}  // namespace

std::string SystemErrorText(int error) {
  for (const ErrorText& entry : ErrorTexts) {
    if (entry.error == error) return std::string(entry.text);
  }
  return Fill(text::SystemError, {std::to_string(error)});
}

}  // namespace pelvorn
