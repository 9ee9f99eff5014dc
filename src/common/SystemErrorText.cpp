#include "SystemErrorText.h"

#include <cerrno>

namespace pelvorn {
namespace {

struct ErrorText {
  int error;
  const char* text;  // UTF-8
};

// Every system error text of the program, in one place.
constexpr ErrorText ErrorTexts[] = {
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {EACCES, "Keine Berechtigung"},
    {EPERM, "Vorgang nicht zul\xC3\xA4ssig"},
    {EROFS, "Dateisystem ist nur lesbar"},
    {ENOSPC, "Auf dem Ger\xC3\xA4t ist kein Speicherplatz mehr verf\xC3\xBCgbar"},
#ifdef EDQUOT
    {EDQUOT, "Der zugeteilte Plattenplatz (Quota) ist ersch\xC3\xB6pft"},
#endif
    {EFBIG, "Datei zu gro\xC3\x9F"},
    {EIO, "Ein-/Ausgabefehler"},
    {EISDIR, "Ist ein Verzeichnis"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {ENAMETOOLONG, "Dateiname zu lang"},
#ifdef ELOOP
    {ELOOP, "Zu viele Ebenen von symbolischen Verkn\xC3\xBCpfungen"},
#endif
    {EEXIST, "Die Datei existiert bereits"},
    {EBUSY, "Das Ger\xC3\xA4t oder die Ressource ist belegt"},
    {EMFILE, "Zu viele offene Dateien"},
    {ENFILE, "Zu viele offene Dateien im System"},
    {ENOMEM, "Nicht gen\xC3\xBCgend Hauptspeicher verf\xC3\xBCgbar"},
    {EXDEV, "Ung\xC3\xBCltige Verkn\xC3\xBCpfung \xC3\xBC" "ber Ger\xC3\xA4tegrenzen hinweg"},
    {EINVAL, "Ung\xC3\xBCltiges Argument"},
    {ENXIO, "Kein solches Ger\xC3\xA4t oder keine solche Adresse"},
    {ENODEV, "Kein passendes Ger\xC3\xA4t gefunden"},
#ifdef EOPNOTSUPP
    {EOPNOTSUPP, "Die Operation wird nicht unterst\xC3\xBCtzt"},
#endif
    {EPIPE, "Daten\xC3\xBC" "bergabe unterbrochen (broken pipe)"},
    {EAGAIN, "Die Ressource ist zur Zeit nicht verf\xC3\xBCgbar"},
#ifdef ESTALE
    {ESTALE, "Veraltete Dateizugriffsnummer (file handle)"},
#endif
};

}  // namespace

std::string SystemErrorText(int error) {
  for (const ErrorText& entry : ErrorTexts) {
    if (entry.error == error) return entry.text;
  }
  return "Systemfehler " + std::to_string(error);
}

}  // namespace pelvorn
