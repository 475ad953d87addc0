#pragma once

// Rows of the demo database that tests and documentation rely on. They have the same ids at every scale
// and for every seed; docs/demo-database.md tells how to find the others with SQL.

namespace dalvo::demo::especiales {

// Providers (Prestadores.IdPrestador). Codes (Prestador_OS) are 100000 + id for pharmacies,
// 200000 + id for providers of practices and 900000 + id for the provider without a type.
inline constexpr int kFarmacia = 1;            // "Farmacia San Martín": tickets every month and today
inline constexpr int kFarmaciaOBrien = 2;      // "Farmacia O'Brien": a quote in the name; its latest
                                               // due closing is not run yet (pending closing)
inline constexpr int kFarmaciaInternacion = 3; // type 14: dispenses to in-patients
inline constexpr int kClinica = 4;             // "Clínica de Cuyo": provider tickets every month and today
inline constexpr int kLaboratorio = 5;         // a laboratory (type 3)
inline constexpr int kPrestadorSinTipo = 6;    // IdTipoPrestador NULL, no tickets; keep out of reports
inline constexpr int kPrestadorSinDepartamento = 7; // a pharmacy with IdDepartamento NULL, with tickets
inline constexpr int kPrestadorDeBaja = 8;          // Baja = 1
inline constexpr int kPrimerPrestadorComun = 9;     // the generated providers start here

// Physicians (Medicos.IdMedico).
inline constexpr int kMedicoOBrien = 1;          // "O'Brien, Patricio Martín", Matricula "000101"
inline constexpr int kMedicoConEnie = 2;         // "Muñoz, Begoña"
inline constexpr int kMedicoSinNombre = 3;       // Nombre, type and specialty NULL
inline constexpr int kMedicoDeBaja = 4;          // Baja = 1
inline constexpr int kMedicosMismaMatricula = 5; // 5 and 6 share their Matricula

// The day, counted back from "today", whose pharmacy tickets exceed the consultation's limit of 1500.
inline constexpr int kDiasAntesDelDiaPico = 14;

// An action with medicines (Accion.CodigoAccion "0007", AccionMedicamento.CodigoAccion 7).
inline constexpr int kAccionConMedicamentos = 7;

} // namespace dalvo::demo::especiales
