#pragma once

class QApplication;

namespace dalvo::ui {

// Start-up of the windowing side of the process: application names, Qt's Spanish texts for standard
// buttons and dialogs, the application icon, the beep of rejected keys, the decimal separator.
void prepararAplicacion(QApplication& app);

} // namespace dalvo::ui
