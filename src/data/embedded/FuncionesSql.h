#pragma once

struct sqlite3;

namespace dalvo::embebido {

enum class OrdenFecha : unsigned char;

// The SQL functions the translated statements call (all named dalvo_*, plus upper/lower with accents).
// The translator writes their calls; nothing else should.
//   dalvo_convertir(x, destino, longitud, precision, escala, estilo, origen, escalaOrigen)
//   dalvo_dateadd(parte, n, fecha), dalvo_datediff(parte, a, b), dalvo_datepart(parte, fecha)
//   dalvo_ahora(), dalvo_pad(x, n), dalvo_ajustar(x, n, recortar), dalvo_nocero(x), dalvo_unico(x)
//   dalvo_objid(nombre), dalvo_tipo(declaracion, campo), dalvo_charindex(a, b[, inicio]),
//   dalvo_replicate(s, n), dalvo_round(x, n[, truncar]), dalvo_replace(s, a, b), dalvo_prefijo(patron, cual),
//   dalvo_mas(a, b)
void registrarFuncionesSql(sqlite3* db, const OrdenFecha* orden);
void registrarFuncionesFecha(sqlite3* db, const OrdenFecha* orden); // called by registrarFuncionesSql

// Codes of the date parts as the translator passes them.
namespace parte {
inline constexpr int Anio = 1, Trimestre = 2, Mes = 3, DiaDelAnio = 4, Dia = 5, Semana = 6, DiaSemana = 7,
                     Hora = 8, Minuto = 9, Segundo = 10, Milisegundo = 11;
}

// What dalvo_tipo(declaracion, campo) returns for the catalogue views.
namespace campoTipo {
inline constexpr int Usertype = 0, Longitud = 1, Escala = 2, Nombre = 3, Precision = 4, Xtype = 5;
}

} // namespace dalvo::embebido
