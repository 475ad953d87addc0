#pragma once

#include <QDateTime>
#include <QString>

namespace dalvo {

// Appends "stamp | text | procedure" to the day's log file yyyymmdd.log. The day's first line removes the
// older *.log files of that folder and writes the "INICIO:" and "APP.:" header lines. Never shows anything
// and never fails to its caller: an event that cannot be written is lost. Never pass a password.
void GrabarLog(const QString& sTexto, const QString& sProcedimiento = {});

// The folder of the log files: the program folder, or the per-user data folder where the program folder
// cannot be written.
QString carpetaLog();

// "dd/mmm/yyyy hh:nn:ss" with the locale's abbreviated month ("03/feb/2024 14:05:09").
QString selloLog(const QDateTime& momento);

} // namespace dalvo
