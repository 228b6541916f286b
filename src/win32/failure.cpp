#include "win32/failure.h"

void reportUnexpectedFailure(HWND owner) noexcept {
    MessageBoxA(owner,
                "Ein unerwarteter Fehler ist aufgetreten. Der letzte Befehl wurde nicht zu Ende "
                "ausgeführt.",
                "Velkor", MB_OK | MB_ICONSTOP);
}
