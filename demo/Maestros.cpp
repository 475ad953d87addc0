#include "demo/Catalogos.h"
#include "demo/FilasEspeciales.h"
#include "demo/Modelo.h"
#include "demo/Sqlite.h"

#include <QSet>
#include <cmath>
#include <cstdio>

namespace dalvo::demo {

namespace cat = catalogos;
namespace esp = especiales;

Tamanos tamanosDe(Escala escala)
{
    switch (escala) {
    case Escala::Pruebas:
        return {32, 60, 300, 200, 80, 60, 1500, 700, 1600};
    case Escala::Demo:
        return {320, 60, 20000, 3000, 600, 1500, 60000, 20000, 1600};
    case Escala::Banco:
        // The days' random counts land within about 0.3 % of the aim: aim high so there is at least a
        // million.
        return {2000, 62, 200000, 20000, 3000, 5000, 1005000, 300000, 0};
    }
    return {};
}

std::string textoFecha(QDate dia, int segundosDelDia)
{
    char texto[64];
    std::snprintf(texto, sizeof texto, "%04d-%02d-%02d %02d:%02d:%02d", dia.year(), dia.month(), dia.day(),
                  segundosDelDia / 3600, segundosDelDia / 60 % 60, segundosDelDia % 60);
    return texto;
}

QByteArray digitos(qint64 numero, int ancho)
{
    return QByteArray::number(numero).rightJustified(ancho, '0');
}

std::string fechaReciente(Aleatorio& azar, QDate hoy, int dias)
{
    const QDate dia = hoy.addDays(-azar.entre(1, dias));
    return textoFecha(dia, azar.entre(8 * 3600, 19 * 3600));
}

namespace {

QByteArray cuit(Aleatorio& azar, int prefijo)
{
    static constexpr int kPesos[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    for (;;) {
        const QByteArray cuerpo = digitos(prefijo, 2) + digitos(azar.entre(10000000, 45999999), 8);
        int suma = 0;
        for (int i = 0; i < 10; ++i)
            suma += (cuerpo[i] - '0') * kPesos[i];
        int verificador = 11 - suma % 11;
        if (verificador == 11)
            verificador = 0;
        if (verificador == 10)
            continue;
        return cuerpo.left(2) + '-' + cuerpo.mid(2) + '-' + QByteArray::number(verificador);
    }
}

QByteArray telefono(Aleatorio& azar, const char* caracteristica)
{
    const QByteArray area(caracteristica);
    const int central = area.size() == 4 ? azar.entre(420, 499) : azar.entre(42, 49);
    const int abonado = azar.entre(0, 9999);
    return '(' + area + ") " + QByteArray::number(central) + '-' + digitos(abonado, 4);
}

QString nombrePersona(Aleatorio& azar, bool segundoNombre)
{
    const bool mujer = azar.probabilidad(0.5);
    const auto nombrePila = [&] {
        return QString::fromUtf8(mujer ? azar.elegir(cat::kNombresMujer) : azar.elegir(cat::kNombresHombre));
    };
    QString nombre = nombrePila();
    if (segundoNombre)
        nombre += QLatin1Char(' ') + nombrePila();
    const QString apellido = QString::fromUtf8(azar.elegir(cat::kApellidos));
    return apellido + QStringLiteral(", ") + nombre;
}

void tablasDeReferencia(Conexion& db)
{
    Sentencia tipos(db, "INSERT INTO TipoPrestador VALUES (?1, ?2)");
    for (const auto& t : cat::kTiposPrestador)
        tipos.insertar(t.id, t.nombre);
    Sentencia departamentos(db, "INSERT INTO Departamentos VALUES (?1, ?2)");
    int id = 0;
    for (const auto& d : cat::kDepartamentos)
        departamentos.insertar(++id, d.nombre);
    Sentencia especialidades(db, "INSERT INTO Especialidades VALUES (?1, ?2)");
    id = 0;
    for (const char* e : cat::kEspecialidades)
        especialidades.insertar(++id, e);
    Sentencia tiposMedicamento(db, "INSERT INTO TipoMedicamento VALUES (?1, ?2)");
    id = 0;
    for (const char* t : cat::kTiposMedicamento)
        tiposMedicamento.insertar(++id, t);
    Sentencia coberturas(db, "INSERT INTO Cobertura VALUES (?1, ?2)");
    for (const auto& c : cat::kCoberturas)
        coberturas.insertar(c.id, c.nombre);
    Sentencia prescripciones(db, "INSERT INTO TipoPrescripcion VALUES (?1, ?2)");
    id = 0;
    for (const char* t : cat::kTiposPrescripcion)
        prescripciones.insertar(++id, t);
    Sentencia errores(db, "INSERT INTO ErrorSys VALUES (?1, ?2, ?3, ?4)");
    for (const auto& e : cat::kErrores)
        errores.insertar(e.numero, e.severidad, e.comentario,
                         e.detalle ? std::optional<std::string_view>(e.detalle) : std::nullopt);
}

void parametros(Conexion& db, QDate hoy)
{
    const QByteArray accion = hoy.addDays(-3).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    Sentencia s(db, "INSERT INTO Parametros VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
    s.insertar("Obra Social Provincial Andina de Mendoza", 30,
               "Gracias por atenderse en nuestra red de prestadores.", 3, 30, "D:\\Dalvo\\TXT\\",
               "D:\\Dalvo\\FMT\\", "D:\\Dalvo\\LOG\\", "D:\\Dalvo\\Tramites\\", accion, accion,
               "D:\\Dalvo\\Vademecum\\Entrada\\", "D:\\Dalvo\\Vademecum\\Salida\\");
}

struct Especial
{
    int tipo;         // 0: none
    int departamento; // 0: none
    const char* nombre;
    double peso;
};

// Providers 1 to 8, the same at every scale (FilasEspeciales.h).
constexpr Especial kEspeciales[] = {{1, 1, "Farmacia San Martín", 3.0},
                                    {1, 3, "Farmacia O'Brien", 1.0},
                                    {14, 1, "Farmacia de Internación Hospital del Carmen", 1.5},
                                    {2, 1, "Clínica de Cuyo", 3.0},
                                    {3, 4, "Laboratorio Bioquímico Andino", 2.0},
                                    {0, 10, "Consultorio Sin Tipo Asignado", 0.0},
                                    {1, 0, "Farmacia Sin Departamento", 0.5},
                                    {1, 9, "Farmacia La Peña", 0.5}};

int tipoPracticas(Aleatorio& azar)
{
    static constexpr int kTipos[] = {2, 3, 4, 5, 6, 7, 8};
    static constexpr int kPesos[] = {15, 20, 15, 30, 8, 7, 5};
    int x = azar.entre(1, 100);
    for (int i = 0; i < 7; ++i)
        if ((x -= kPesos[i]) <= 0)
            return kTipos[i];
    return 5;
}

QString nombrePrestador(Aleatorio& azar, int tipo)
{
    const auto lugar = [&] { return QString::fromUtf8(azar.elegir(cat::kLugares)); };
    const auto apellido = [&] { return QString::fromUtf8(azar.elegir(cat::kApellidos)); };
    const auto lugarOApellido = [&] { return azar.probabilidad(0.5) ? lugar() : apellido(); };
    // The pattern is drawn before the rest of the name (the operands of + are not sequenced).
    const auto con = [&](const auto& patrones, const auto& resto) {
        const QString patron = QString::fromUtf8(azar.elegir(patrones)) + QLatin1Char(' ');
        return patron + resto();
    };
    switch (tipo) {
    case 1:
    case 14: {
        const QString base =
            azar.probabilidad(0.8) ? QString::fromUtf8(azar.elegir(cat::kFarmacias)) : apellido();
        return (tipo == 14 ? QStringLiteral("Farmacia de Internación ") : QStringLiteral("Farmacia ")) + base;
    }
    case 2:
        return con(cat::kPatronesClinica, lugar);
    case 3:
        return con(cat::kPatronesLaboratorio, lugarOApellido);
    case 4:
        return con(cat::kPatronesImagenes, lugar);
    case 6:
        return con(cat::kPatronesOdontologia, lugarOApellido);
    case 7:
        return con(cat::kPatronesKinesiologia, lugarOApellido);
    case 8:
        return con(cat::kPatronesOftalmologia, lugar);
    default:
        return (azar.probabilidad(0.5) ? QStringLiteral("Consultorio Dr. ")
                                       : QStringLiteral("Consultorio Dra. ")) +
               apellido();
    }
}

void prestadores(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(
        db, "INSERT INTO Prestadores VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, "
            "?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22)");
    Sentencia actualizaciones(db, "INSERT INTO PrestadorActualizaciones VALUES (?1, ?2, ?3, ?4)");
    Ponderado departamento;
    for (int p : cat::kPesoDepartamento)
        departamento.agregar(p);
    static constexpr const char* kUsuarios[] = {"admin",      "jperez",  "mgomez",
                                                "lfernandez", "sistema", "aquiroga"};
    static constexpr const char* kCondiciones[] = {"Resp. Inscripto", "Resp. Inscripto", "Resp. Inscripto",
                                                   "Monotributista", "Exento"};
    QSet<QString> usados;
    for (int id = 1; id <= m.tamanos.prestadores; ++id) {
        Prestador p;
        p.id = id;
        int idDepartamento = 0;
        QString nombre;
        if (id < esp::kPrimerPrestadorComun) {
            const Especial& e = kEspeciales[id - 1];
            p.tipo = e.tipo;
            idDepartamento = e.departamento;
            nombre = QString::fromUtf8(e.nombre);
            p.peso = e.peso;
        } else {
            p.tipo = azar.entre(1, 100) <= m.tamanos.farmaciasPorCien ? (azar.probabilidad(0.05) ? 14 : 1)
                                                                      : tipoPracticas(azar);
            idDepartamento = departamento.elegir(azar) + 1;
            nombre = nombrePrestador(azar, p.tipo);
            if (usados.contains(nombre))
                nombre +=
                    QLatin1Char(' ') + QString::fromUtf8(cat::kDepartamentos[idDepartamento - 1].nombre);
            if (usados.contains(nombre))
                nombre += QStringLiteral(" %1").arg(id);
            p.peso = 0.3 + 2.0 * azar.real() * azar.real();
        }
        usados.insert(nombre);
        p.farmacia = p.tipo == 1 || p.tipo == 14;
        p.alta = id >= esp::kPrimerPrestadorComun && azar.probabilidad(0.12)
                     ? m.desde.addDays(azar.entre(30, 330))
                     : m.desde;
        p.cierrePendiente =
            id == esp::kFarmaciaOBrien || (id >= esp::kPrimerPrestadorComun && azar.probabilidad(0.08));
        const bool baja =
            id == esp::kPrestadorDeBaja || (id >= esp::kPrimerPrestadorComun && azar.probabilidad(0.02));
        if (baja)
            p.peso = 0; // a cancelled provider sends nothing more; its past is in the data
        const auto* dep = idDepartamento ? &cat::kDepartamentos[idDepartamento - 1] : &cat::kDepartamentos[0];
        const int base = p.tipo == 0 ? 900000 : (p.farmacia ? 100000 : 200000);
        if (p.farmacia)
            p.descuentoOS = azar.entre(10, 24) * 50;
        // Each value drawn in its own statement: the order of a call's arguments is unspecified, and the
        // data must not depend on the compiler.
        const auto talVez = [&](double prob) {
            return id < esp::kPrimerPrestadorComun || azar.probabilidad(prob);
        };
        const auto siFarmacia = [&](auto valor) { return p.farmacia ? std::optional(valor) : std::nullopt; };
        std::optional<QByteArray> matricula;
        if (p.tipo == 5 || azar.probabilidad(0.2))
            matricula = "MP " + digitos(azar.entre(1000, 19999), 5);
        std::optional<int> especialidad;
        if (p.tipo == 5)
            especialidad = azar.entre(1, std::ssize(cat::kEspecialidades));
        else if (p.tipo == 2)
            especialidad = 1;
        std::optional<QString> direccion;
        if (talVez(0.97)) {
            const QString calle = QString::fromUtf8(azar.elegir(cat::kCalles));
            direccion = calle + QStringLiteral(" %1").arg(azar.entre(10, 3999));
        }
        std::optional<const char*> codigoPostal;
        if (talVez(0.95))
            codigoPostal = dep->codigoPostal;
        std::optional<QByteArray> tel;
        if (talVez(0.95))
            tel = telefono(azar, dep->caracteristica);
        std::optional<QByteArray> numeroCuit;
        if (talVez(0.9))
            numeroCuit = cuit(azar, p.tipo == 5 ? 20 : 30);
        std::optional<const char*> condicion;
        if (talVez(0.9))
            condicion = azar.elegir(kCondiciones);
        std::optional<QByteArray> ingresosBrutos;
        if (talVez(0.8)) {
            const QByteArray numero = digitos(azar.entre(0, 999999), 6);
            ingresosBrutos = "04-" + numero + '-' + QByteArray::number(azar.entre(0, 9));
        }
        const double descAfiliado = azar.entre(0, 2) * 5.0;
        const double descItem = azar.probabilidad(0.5) ? 10.0 : 15.0;
        const char* aplicacion = azar.probabilidad(0.7) ? "S" : "N";
        const std::string modificado = fechaReciente(azar, m.hoy, 700);
        const char* usuario = azar.elegir(kUsuarios);
        std::optional<QByteArray> licencia;
        if (p.farmacia)
            licencia = "L-" + digitos(azar.entre(1, 99999), 5);
        else if (azar.probabilidad(0.4))
            licencia = "H-" + digitos(azar.entre(1, 99999), 5);
        s.insertar(id, p.tipo ? std::optional<int>(p.tipo) : std::nullopt,
                   idDepartamento ? std::optional<int>(idDepartamento) : std::nullopt, matricula,
                   especialidad, QByteArray::number(base + id), nombre, direccion, codigoPostal, tel,
                   numeroCuit, condicion, ingresosBrutos, siFarmacia(descAfiliado),
                   siFarmacia(p.descuentoOS / 100.0), siFarmacia(40.0), siFarmacia(descItem),
                   siFarmacia(aplicacion), modificado, usuario, baja ? 1 : 0, licencia);
        if (p.farmacia || azar.probabilidad(0.5)) {
            const auto fecha = [&](double prob) {
                return azar.probabilidad(prob) ? std::optional<std::string>(fechaReciente(azar, m.hoy, 200))
                                               : std::nullopt;
            };
            const auto medicos = fecha(0.9);
            const auto remedios = fecha(0.9);
            const auto diagnosticos = fecha(0.6);
            actualizaciones.insertar(id, medicos, remedios, diagnosticos);
        }
        m.prestadores.push_back(std::move(p));
    }
}

void medicos(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(db, "INSERT INTO Medicos VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    struct Fijo
    {
        int matricula;
        const char* nombre;
        bool baja;
    };
    static constexpr Fijo kFijos[] = {{101, "O'Brien, Patricio Martín", false},
                                      {102, "Muñoz, Begoña", false},
                                      {103, nullptr, false},
                                      {104, "Peña, Ramón", true},
                                      {105, "Ibáñez, Lucía", false},
                                      {105, "Ibáñez, Lucía Inés", false},
                                      {107, "Gutiérrez, Ignacio", false},
                                      {108, "Núñez, Marta", false}};
    for (int id = 1; id <= m.tamanos.medicos; ++id) {
        const bool fijo = id <= std::ssize(kFijos);
        const int matricula = fijo ? kFijos[id - 1].matricula : 100 + id * 97 + azar.entre(0, 96);
        const std::optional<QString> nombre =
            fijo ? (kFijos[id - 1].nombre ? std::optional<QString>(QString::fromUtf8(kFijos[id - 1].nombre))
                                          : std::nullopt)
                 : std::optional<QString>(nombrePersona(azar, azar.probabilidad(0.4)));
        const bool sinDatos = id == esp::kMedicoSinNombre;
        std::optional<int> tipo;
        if (!sinDatos && (fijo || azar.probabilidad(0.95)))
            tipo = azar.probabilidad(0.9) ? 5 : 2;
        std::optional<int> especialidad;
        if (!sinDatos && (fijo || azar.probabilidad(0.97)))
            especialidad = azar.entre(1, std::ssize(cat::kEspecialidades));
        std::optional<std::string> modificado;
        if (azar.probabilidad(0.9))
            modificado = fechaReciente(azar, m.hoy, 900);
        const bool baja = fijo ? kFijos[id - 1].baja : azar.probabilidad(0.03);
        s.insertar(id, digitos(matricula, 6), nombre, tipo, especialidad, modificado, baja ? 1 : 0);
        m.medicos.push_back({id, matricula});
    }
}

} // namespace

void generarMaestros(Conexion& db, Modelo& m, Aleatorio& azar)
{
    tablasDeReferencia(db);
    parametros(db, m.hoy);
    Aleatorio azarPrestadores = azar.derivar(1);
    prestadores(db, m, azarPrestadores);
    Aleatorio azarMedicos = azar.derivar(2);
    medicos(db, m, azarMedicos);
    generarPrestaciones(db, m, azar);
}

} // namespace dalvo::demo
