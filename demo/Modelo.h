#pragma once

// What the master-data generator hands to the ticket generator: the entities tickets refer to, kept in
// memory while the file is written.

#include "demo/Aleatorio.h"
#include "demo/GeneradorDemo.h"

#include <QByteArray>
#include <QDate>
#include <string>
#include <vector>

namespace dalvo::demo {

class Conexion;

struct Tamanos
{
    int prestadores;      // including the special ones
    int farmaciasPorCien; // share of pharmacies among the generated providers
    int afiliados;
    int medicamentos;
    int practicas;
    int medicos;
    int ticketsFarmacia; // over 13 months, without the peak day
    int ticketsPrestador;
    int ticketsDiaPico; // 0: no peak day (the bench's average day is already above the limit)
};

Tamanos tamanosDe(Escala escala);

struct Prestador
{
    int id = 0;
    int tipo = 0; // 0: none
    bool farmacia = false;
    int descuentoOS = 0;          // Desc_a_OS, hundredths of a percent
    double peso = 1;              // share of the tickets
    QDate alta;                   // first day with transactions
    bool cierrePendiente = false; // its last due closing is not generated yet
    std::vector<int> practicas;   // indexes into Modelo::practicas it performs
};

struct Medicamento
{
    QByteArray troquel;
    qint64 precio = 0; // cents, today
    int generico = 0;
};

struct Practica
{
    QByteArray codigo;
    qint64 valor = 0; // cents, 0 when the nomenclature has no value
    int rubro = 0;
};

// One provider's value for a practice over a period (a row of PrestadorPracticas).
struct ValorPractica
{
    int id = 0;
    QDate desde;
    QDate hasta; // invalid: still in force
    qint64 valor = 0;
};

struct Afiliado
{
    QByteArray numero;     // Num_Afil
    QByteArray credencial; // Num_cred
    int plan = 0;          // index into catalogos::kPlanes
    bool titular = true;
    int cobertura = 1;            // usual coverage of the member's tickets
    std::vector<int> tratamiento; // medicines of a long-term treatment (indexes)
    int autorizacion = 0;         // an authorisation of the member, 0 when none yet
};

struct Medico
{
    int id = 0;
    int matricula = 0;
};

struct Modelo
{
    Escala escala = Escala::Demo;
    QDate hoy;
    QDate desde; // first day with transactions
    Tamanos tamanos{};
    std::vector<Prestador> prestadores;
    std::vector<Medicamento> medicamentos;
    Ponderado medicamentoPorUso;
    std::vector<Practica> practicas;
    // valores[p][k]: periods of prestadores[p].practicas[k], oldest first
    std::vector<std::vector<std::vector<ValorPractica>>> valores;
    std::vector<Afiliado> afiliados;
    std::vector<Medico> medicos;
    int ultimaAutorizacion = 0;
};

// Writes the master tables (lookups, providers, physicians, medicines, practices, actions, errors,
// parameters, treatments) and fills the model.
void generarMaestros(Conexion& db, Modelo& modelo, Aleatorio& azar);

// Medicines, practices and each provider's values, members and their treatments, actions (called by
// generarMaestros).
void generarPrestaciones(Conexion& db, Modelo& modelo, Aleatorio& azar);

// Writes tickets, items, authorisations, closings and the processing log.
void generarMovimientos(Conexion& db, Modelo& modelo, Aleatorio& azar);

// 'yyyy-mm-dd hh:mm:ss', the stored form of every datetime column.
std::string textoFecha(QDate dia, int segundosDelDia = 0);
// A moment within the last 'dias' days before hoy, as stored.
std::string fechaReciente(Aleatorio& azar, QDate hoy, int dias);
// The number zero-padded to ancho digits.
QByteArray digitos(qint64 numero, int ancho);

} // namespace dalvo::demo
