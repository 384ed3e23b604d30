#include "base/FileResult.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace orvanta {

FileResult FileResult::FromErrno(std::string path, int error) {
  FileStatus status = FileStatus::SystemError;
  if (error == ELOOP) {
    status = FileStatus::SymbolicLink;
  } else if (error == EACCES || error == EPERM || error == EROFS) {
    status = FileStatus::PermissionDenied;
  } else if (error == ENOENT || error == ENOTDIR) {
    status = FileStatus::NotFound;
  } else if (error == EISDIR || error == ENXIO) {
    status = FileStatus::NotRegular;
  }
  return {status, error, std::move(path)};
}

std::string FileResult::Describe() const {
  const std::string file = "\"" + path + "\"";
  switch (status) {
    case FileStatus::Ok:
      return {};
    case FileStatus::SymbolicLink:
      return file + " è un collegamento simbolico e per sicurezza non viene seguito";
    case FileStatus::NotRegular:
      return file + " non è un file normale";
    case FileStatus::ForeignOwner:
      return file + " appartiene a un altro utente e per sicurezza non viene sovrascritto";
    case FileStatus::NoName:
      return file + " non indica il nome di un file";
    case FileStatus::TooLarge:
      return file + " supera il limite di " + std::to_string(limit) + " byte";
    case FileStatus::HardLinked:
      return file +
             " ha altri nomi (collegamenti fisici): sostituirlo li separerebbe dal nuovo "
             "contenuto, quindi non viene modificato";
    case FileStatus::ForeignLink:
      return file +
             " passa per un collegamento simbolico di un altro utente e per sicurezza non "
             "viene seguito";
    case FileStatus::Busy:
      return file + " è in uso da un'altra modifica: riprova fra poco";
    case FileStatus::UnexpectedContent:
      return file + " contiene altro e per sicurezza non viene modificato";
    case FileStatus::PermissionDenied:
    case FileStatus::NotFound:
    case FileStatus::SystemError:
      break;
  }
  return file + ": " + std::strerror(error != 0 ? error : EIO);
}

}  // namespace orvanta
