#pragma once

#include "data/Motor.h"

#include <QString>

struct sqlite3;

namespace dalvo::embebido {

// Message numbers of the demo server: SQL Server's own where SQL Server has one, with SQL Server's SQLSTATE
// as FreeTDS reports it and the text of a Spanish-language server.
namespace num {
inline constexpr qint32 SintaxisCerca = 102;
inline constexpr qint32 SinComillaFinal = 105;
inline constexpr qint32 SinFinComentario = 113;
inline constexpr qint32 UnaSolaExpresion = 116;
inline constexpr qint32 VariableSinDeclarar = 137;
inline constexpr qint32 VariableRepetida = 134;
inline constexpr qint32 AsignacionMezclada = 141;
inline constexpr qint32 PalabraClave = 156;
inline constexpr qint32 ArgumentosFuncion = 174;
inline constexpr qint32 FuncionDesconocida = 195;
inline constexpr qint32 FaltaParametro = 201;
inline constexpr qint32 ColumnaInvalida = 207;
inline constexpr qint32 ObjetoInvalido = 208;
inline constexpr qint32 ColumnaAmbigua = 209;
inline constexpr qint32 ColumnasInsert = 213;
inline constexpr qint32 DesbordeTipo = 220;
inline constexpr qint32 ConversionMoney = 235;
inline constexpr qint32 FechaInvalida = 241;
inline constexpr qint32 FechaFueraDeRango = 242;
inline constexpr qint32 TipoDesconocido = 243;
inline constexpr qint32 ConversionTexto = 245;
inline constexpr qint32 EstiloInvalido = 281;
inline constexpr qint32 ArgumentosInsuficientes = 313;
inline constexpr qint32 SubconsultaVariosValores = 512;
inline constexpr qint32 NoNulo = 515;
inline constexpr qint32 Restriccion = 547;
inline constexpr qint32 BaseDesconocida = 911;
inline constexpr qint32 BloqueoAgotado = 1222;
inline constexpr qint32 ClaveUnica = 2601;
inline constexpr qint32 ClavePrimaria = 2627;
inline constexpr qint32 ProcedimientoNoEncontrado = 2812;
inline constexpr qint32 CommitSinBegin = 3902;
inline constexpr qint32 RollbackSinBegin = 3903;
inline constexpr qint32 BaseDeInicio = 4060;
inline constexpr qint32 IdentificadorSinEnlace = 4104;
inline constexpr qint32 CombinacionNoAnsi = 4147;
inline constexpr qint32 ConversionNumero = 8114;
inline constexpr qint32 DesbordeAritmetico = 8115;
inline constexpr qint32 OperandoInvalido = 8117;
inline constexpr qint32 NoAgrupada = 8120;
inline constexpr qint32 DivisionPorCero = 8134;
inline constexpr qint32 DemasiadosArgumentos = 8144;
inline constexpr qint32 NoEsParametro = 8145;
inline constexpr qint32 Truncado = 8152;
inline constexpr qint32 InicioSesion = 18456;
inline constexpr qint32 Usuario = 50000; // RAISERROR with a message text
// The demo server's own numbers (above SQL Server's system range, below FreeTDS's 20000+ client numbers
// would be confusing, so they live at 30900).
inline constexpr qint32 NoSoportado = 30900;        // a T-SQL construct the dialect does not know
inline constexpr qint32 DefinicionInvalida = 30901; // a stored procedure text that cannot be read
inline constexpr qint32 ErrorInterno = 30902;       // an SQLite failure with no SQL Server equivalent
// FreeTDS's client-side numbers.
inline constexpr qint32 EscrituraFallida = 20006; // the link is gone
inline constexpr qint32 SinServidor = 20009;      // nothing answers
} // namespace num

ado::ErrorAdo errorAdo(qint32 numero, const QString& estado, const QString& texto);
[[noreturn]] void lanzar(qint32 numero, const QString& estado, const QString& texto);

// The ones raised from several places.
[[noreturn]] void errorSintaxis(const QString& cerca);
[[noreturn]] void errorPalabraClave(const QString& palabra);
[[noreturn]] void noSoportado(const QString& construccion);
[[noreturn]] void objetoInvalido(const QString& nombre);
[[noreturn]] void columnaInvalida(const QString& nombre);

// The error records of a link that is gone, of an unreachable server, of a command time-out.
QVector<ado::ErrorAdo> erroresEnlacePerdido();
QVector<ado::ErrorAdo> erroresSinServidor(const QString& detalle);
QVector<ado::ErrorAdo> erroresTiempoAgotado();

// SQLite functions cannot throw: they hand an error over as a coded text that the executor turns back into
// the SQL Server record.
QByteArray codificarError(const ado::ErrorAdo& e);
ado::ErrorAdo errorDeSqlite(sqlite3* db, int codigo, const char* mensaje);

} // namespace dalvo::embebido
