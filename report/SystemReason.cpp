#include "report/SystemReason.h"

#include <cerrno>
#include <cstring>

std::string SystemReason(int error) {
    switch (error) {
    case ENOENT: return "la cartella o il file non esiste";
    case ENOTDIR: return "una parte del percorso non è una cartella";
    case EACCES:
    case EPERM: return "non si hanno i permessi per farlo";
    case EROFS: return "il disco è in sola lettura";
    case ENOSPC: return "il disco è pieno";
    case EDQUOT: return "lo spazio concesso sul disco è esaurito";
    case EISDIR: return "è una cartella";
    case ENAMETOOLONG: return "il nome è troppo lungo";
    case EEXIST: return "esiste già";
    case EIO: return "errore di lettura o scrittura sul disco";
    default: return std::string("errore del sistema (") + std::strerror(error) + ")";
    }
}
