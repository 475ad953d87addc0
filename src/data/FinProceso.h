#pragma once

#include <functional>

namespace dalvo {

// Ends the process at once, closing every window without further events (a cancelled log-in, a cancelled
// reconnection, Terminar). Nothing is flushed but the standard streams: the log and the settings are
// written as they go. Tests install their own exit, which returns; so every caller returns right after.
void FinalizarProceso(int codigo = 0);

// Replaces the exit (null: back to the real one); returns the one it replaces.
using SalidaProceso = std::function<void(int codigo)>;
SalidaProceso setSalidaProceso(SalidaProceso salida);

} // namespace dalvo
