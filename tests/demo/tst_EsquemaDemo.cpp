// The demo schema against the schema inventory, the values against their declared types, and the index
// plans of the criteria an operator types on the phone.

#include "BasePruebas.h"
#include "demo/Sqlite.h"

#include <QRegularExpression>
#include <QtTest>

using namespace dalvo::demo;

class tst_EsquemaDemo : public QObject
{
    Q_OBJECT

private slots:
    void columnasDeclaradas_data();
    void columnasDeclaradas();
    void valoresDentroDelTipo_data();
    void valoresDentroDelTipo();
    void criteriosUsanIndice_data();
    void criteriosUsanIndice();
};

// "column type [NN] [PK]" per table: NN = NOT NULL, PK = part of the primary key.
void tst_EsquemaDemo::columnasDeclaradas_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QStringList>("columnas");
    const auto fila = [](const char* tabla, QStringList columnas) {
        QTest::newRow(tabla) << tabla << columnas;
    };
    fila("Parametros",
         {"NombreEmpresa varchar(60)", "Periodo_Prox_Consumo smallint NN", "Mensaje_Ticket varchar(255)",
          "Medicamentos_por_RDP smallint NN", "Dias_Validez_Receta smallint NN",
          "Directorio_TXT varchar(255)", "Directorio_FMT varchar(255)", "Directorio_LOG varchar(255)",
          "DirectorioTramites varchar(255)", "FechaTTAccion char(8)", "FechaAccion char(8)",
          "DirectorioTXTINMedicamentos varchar(255)", "DirectotioTXTOUTMedicamentos varchar(255)"});
    fila("Prestadores", {"IdPrestador int NN PK",
                         "IdTipoPrestador smallint",
                         "IdDepartamento smallint",
                         "Matricula char(10)",
                         "IdEspecialidad smallint",
                         "Prestador_OS char(10) NN",
                         "Nombre char(50) NN",
                         "Direccion char(50)",
                         "CodPostal char(8)",
                         "Telefono char(20)",
                         "Cuit char(13)",
                         "CondIVA char(20)",
                         "IngBrutos char(15)",
                         "Desc_al_Afiliado numeric(5,2)",
                         "Desc_a_OS numeric(5,2)",
                         "Desc_Min_Obligado numeric(5,2)",
                         "Desc_ItemObligatorio numeric(5,2)",
                         "AplicacionBonif char(1)",
                         "fUltModif datetime",
                         "LastUser char(20)",
                         "Baja bit NN",
                         "Licencia char(10)"});
    fila("TipoPrestador", {"IdTipoPrestador smallint NN PK", "TipoPrestador char(30) NN"});
    fila("Departamentos", {"IdDepartamento smallint NN PK", "Departamento char(30) NN"});
    fila("PrestadorActualizaciones", {"IdPrestador int NN PK", "fUltModif_Medicos datetime",
                                      "fUltModif_Remedios datetime", "fUltModif_Diagnosticos datetime"});
    fila("Especialidades", {"IdEspecialidad smallint NN PK", "Especialidad char(40) NN"});
    fila("Medicos",
         {"IdMedico int NN PK", "Matricula char(6) NN", "Nombre char(50)", "IdTipoPrestador smallint",
          "IdEspecialidad smallint", "fUltModif datetime", "Baja bit NN"});
    fila("Medicamentos", {"Troquel char(7) NN PK", "Barra char(13)", "Nombre char(40) NN",
                          "Prestacion char(40) NN", "Precio money NN", "IdTipoMedicamento smallint NN",
                          "FUltModif datetime", "Baja bit NN", "Nro_Regis char(10)"});
    fila("TipoMedicamento", {"IdTipoMedicamento smallint NN PK", "TipoMedicamento char(30) NN"});
    fila("Practicas", {"IdPractica int NN PK", "PracticaOS char(6) NN", "Descripcion char(60) NN",
                       "ValorNomenclador money"});
    fila("Tickets", {"IdTicket int NN PK", "AuSysT int NN", "Fecha_Prestacion datetime NN",
                     "Num_Afil char(15) NN", "Num_cred char(15)", "NumeroPlan char(4)",
                     "Ingreso_manual bit NN", "IdPrestador int NN", "medico_receta int",
                     "Fecha_Receta datetime", "IdCobertura smallint NN", "Desc_al_afiliado money NN",
                     "desc_os money NN", "idCierre int", "Anulado bit NN", "idAutorizacion int"});
    fila("Item_Tickets", {"IdTicket int NN", "Troquel char(7) NN", "Cantidad smallint NN",
                          "Cantidad_Dev smallint NN", "Precio money NN", "Desc_Os numeric(5,2) NN",
                          "IdAutorizacion int", "TipoPrescripcion smallint", "OrigenDescuento smallint"});
    fila("Cobertura", {"IdCobertura smallint NN PK", "Cobertura char(30) NN"});
    fila("TipoPrescripcion", {"IdTipoPrescripcion smallint NN PK", "TipoPrescripcion char(30) NN"});
    fila("TicketPrestador", {"IdTicket int NN PK", "AuSysT int NN", "FechaDePractica datetime NN",
                             "Asociado char(15) NN", "PlanAsociado char(4)", "TipoAsociado char(2)",
                             "IdPrestador int NN", "MatriculaPP int", "FechaDeReceta datetime",
                             "IdCierre int", "Anulado bit NN", "IdAutorizacion int", "Operacion char(2) NN"});
    fila("ItemTicketPrestador",
         {"IdTicket int NN", "Cantidad smallint NN", "Practica char(6) NN", "idPrestadorPractica int",
          "ValorNomenclador money", "TipoArancel char(2)", "IdAutorizacion int"});
    fila("Cierres", {"IdCierre int NN PK", "IdPrestador int NN", "Cant_transac smallint NN",
                     "TTicket money NN", "TAfilia money NN", "TDPrestador money NN", "BPRAL money NN",
                     "NumeroTramite int NN", "FechaServer datetime NN"});
    fila("ErrorSys", {"NumeroErrorSYS int NN PK", "Severidad smallint", "Comentario varchar(255)",
                      "Detalle varchar(255)"});
    fila("Accion", {"CodigoAccion char(4) NN PK", "Descripcion char(60) NN"});
    fila("tteLog", {"Archivo varchar(255)", "CantidadRegistros int", "NumeroTramite int"});
    fila("Autorizaciones", {"IdAutorizacion int NN PK", "Num_Afil char(15) NN"});
    fila("TrPrAfiliado", {"IdTratamiento int NN PK", "Num_Afil char(15) NN"});
    fila("TrPrMedicamento", {"IdTratamiento int NN PK", "Troquel char(7) NN PK"});
    fila("AccionMedicamento", {"CodigoAccion smallint NN PK", "Troquel char(7) NN PK"});
    fila("PrestadorPracticas",
         {"IdPrestadorPractica int NN PK", "IdPrestador int NN", "PracticaOS char(6) NN", "Valor money NN",
          "FechaDesde datetime NN", "FechaHasta datetime"});
}

void tst_EsquemaDemo::columnasDeclaradas()
{
    QFETCH(QString, tabla);
    QFETCH(QStringList, columnas);
    QVERIFY(TablasDemo().contains(tabla));
    Conexion db(pruebas::basePruebas(), true);
    Sentencia info(db, QStringLiteral("PRAGMA table_info(%1)").arg(tabla).toUtf8().constData());
    QStringList declaradas;
    while (info.siguiente()) {
        // SQLite reports a declared "int" as "INT" (its own spelling of that type name); the rest as written.
        QString texto = QString::fromUtf8(info.columnaTexto(1)) + QLatin1Char(' ') +
                        QString::fromUtf8(info.columnaTexto(2)).toLower();
        if (info.columnaEntero(3))
            texto += QStringLiteral(" NN");
        if (info.columnaEntero(5))
            texto += QStringLiteral(" PK");
        declaradas << texto;
    }
    QCOMPARE(declaradas, columnas);
}

void tst_EsquemaDemo::valoresDentroDelTipo_data()
{
    QTest::addColumn<QString>("tabla");
    for (const QString& tabla : TablasDemo())
        QTest::newRow(tabla.toUtf8().constData()) << tabla;
}

// Each column's values fit the SQL Server type it declares, stored in the form the engine expects.
void tst_EsquemaDemo::valoresDentroDelTipo()
{
    QFETCH(QString, tabla);
    Conexion db(pruebas::basePruebas(), true);
    QVERIFY(db.entero(QStringLiteral("SELECT COUNT(*) FROM ") + tabla) > 0);
    Sentencia info(db, QStringLiteral("PRAGMA table_info(%1)").arg(tabla).toUtf8().constData());
    static const QRegularExpression kTipo(QStringLiteral("^(\\w+)(?:\\((\\d+)(?:,(\\d+))?\\))?$"));
    while (info.siguiente()) {
        const QString columna = QString::fromUtf8(info.columnaTexto(1));
        const auto tipo = kTipo.match(QString::fromUtf8(info.columnaTexto(2)).toLower());
        QVERIFY2(tipo.hasMatch(), qPrintable(columna));
        const QString nombre = tipo.captured(1);
        const int largo = tipo.captured(2).toInt();
        const QString c = QStringLiteral("\"%1\"").arg(columna);
        QString fuera; // condition that a wrong value meets
        if (nombre == QLatin1String("char") || nombre == QLatin1String("varchar"))
            fuera =
                QStringLiteral("typeof(%1) <> 'text' OR length(%1) > %2 OR length(%1) = 0").arg(c).arg(largo);
        if (nombre == QLatin1String("char"))
            fuera += QStringLiteral(" OR %1 GLOB '* '").arg(c); // stored without the padding
        if (nombre == QLatin1String("int"))
            fuera =
                QStringLiteral("typeof(%1) <> 'integer' OR %1 NOT BETWEEN -2147483648 AND 2147483647").arg(c);
        if (nombre == QLatin1String("smallint"))
            fuera = QStringLiteral("typeof(%1) <> 'integer' OR %1 NOT BETWEEN -32768 AND 32767").arg(c);
        if (nombre == QLatin1String("tinyint"))
            fuera = QStringLiteral("typeof(%1) <> 'integer' OR %1 NOT BETWEEN 0 AND 255").arg(c);
        if (nombre == QLatin1String("bit"))
            fuera = QStringLiteral("%1 NOT IN (0, 1) OR typeof(%1) <> 'integer'").arg(c);
        if (nombre == QLatin1String("money"))
            fuera = QStringLiteral("typeof(%1) NOT IN ('real', 'integer') OR round(%1, 2) <> %1").arg(c);
        if (nombre == QLatin1String("numeric"))
            fuera = QStringLiteral(
                        "typeof(%1) NOT IN ('real', 'integer') OR abs(%1) >= %2 OR round(%1, %3) <> %1")
                        .arg(c)
                        .arg(std::pow(10, largo - tipo.captured(3).toInt()))
                        .arg(tipo.captured(3));
        if (nombre == QLatin1String("datetime"))
            fuera = QStringLiteral("typeof(%1) <> 'text' OR datetime(%1) IS NOT %1").arg(c);
        QVERIFY2(!fuera.isEmpty(), qPrintable(columna + QStringLiteral(": tipo desconocido")));
        const qint64 malos = db.entero(
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 IS NOT NULL AND (%3)").arg(tabla, c, fuera));
        QVERIFY2(
            malos == 0,
            qPrintable(QStringLiteral("%1.%2: %3 valores fuera del tipo").arg(tabla, columna).arg(malos)));
    }
}

void tst_EsquemaDemo::criteriosUsanIndice_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("tabla"); // the alias whose rows the criterion must reach by an index
    const QString tickets = QStringLiteral(
        "SELECT COUNT(*) FROM Tickets T INNER JOIN Prestadores P ON P.IdPrestador = T.IdPrestador WHERE ");
    const QString tp = QStringLiteral("SELECT COUNT(*) FROM TicketPrestador T INNER JOIN Prestadores P ON "
                                      "P.IdPrestador = T.IdPrestador WHERE ");
    const QString mes = QStringLiteral(" BETWEEN '2024-05-01 00:00:00' AND '2024-05-31 23:59:59'");
    QTest::newRow("prestadores, clave")
        << "SELECT COUNT(*) FROM Prestadores P INNER JOIN TipoPrestador TP ON TP.IdTipoPrestador = "
           "P.IdTipoPrestador INNER JOIN Departamentos D ON D.IdDepartamento = P.IdDepartamento WHERE "
           "P.IdPrestador = 12"
        << "P";
    QTest::newRow("prestadores, cuenta del mes") << "SELECT (SELECT COUNT(*) FROM Tickets T WHERE "
                                                    "T.IdPrestador = P.IdPrestador AND T.Fecha_Prestacion" +
                                                        mes + ") FROM Prestadores P"
                                                 << "T";
    QTest::newRow("afiliados, número exacto")
        << "SELECT COUNT(DISTINCT Num_Afil) FROM Tickets WHERE Num_Afil = '10000123/00'"
        << "Tickets";
    QTest::newRow("medicamentos, troquel exacto")
        << "SELECT COUNT(*) FROM Medicamentos M WHERE M.Troquel = '0100317'"
        << "M";
    QTest::newRow("medicamentos, código de barra exacto")
        << "SELECT COUNT(*) FROM Medicamentos M WHERE M.Barra = '7790000000133'"
        << "M";
    QTest::newRow("prácticas, código exacto")
        << "SELECT COUNT(*) FROM Practicas P WHERE P.PracticaOS = '420101'"
        << "P";
    QTest::newRow("médicos, matrícula exacta")
        << "SELECT COUNT(*) FROM Medicos M WHERE M.Matricula = '000101'"
        << "M";
    QTest::newRow("médicos, clave entre comillas") << "SELECT COUNT(*) FROM Medicos M WHERE M.idMedico = '12'"
                                                   << "M";
    QTest::newRow("farmacia, clave") << tickets + "T.IdTicket = 5"
                                     << "T";
    QTest::newRow("farmacia, AuSysT") << tickets + "T.AuSysT = 100016"
                                      << "T";
    QTest::newRow("farmacia, cierre") << tickets + "T.idCierre = 3"
                                      << "T";
    QTest::newRow("farmacia, código de prestador exacto")
        << tickets + "P.Prestador_OS = '100001' AND T.Fecha_Prestacion" + mes << "P";
    QTest::newRow("farmacia, tickets del prestador en el mes")
        << tickets + "P.Prestador_OS = '100001' AND T.Fecha_Prestacion" + mes << "T";
    QTest::newRow("farmacia, asociado")
        << tickets + "T.Num_Afil LIKE '1000%' AND T.Fecha_Prestacion" + mes << "T";
    QTest::newRow("farmacia, ítems del ticket") << "SELECT COUNT(*) FROM Item_Tickets IT WHERE IdTicket = 5"
                                                << "IT";
    QTest::newRow("prestador, clave") << tp + "T.IdTicket = 2000005"
                                      << "T";
    QTest::newRow("prestador, AuSysT") << tp + "T.AuSysT = 500016"
                                       << "T";
    QTest::newRow("prestador, cierre") << tp + "T.IdCierre = 3"
                                       << "T";
    QTest::newRow("prestador, código de prestador exacto")
        << tp + "P.Prestador_OS = '200004' AND T.FechaDePractica" + mes << "T";
    QTest::newRow("prestador, asociado") << tp + "T.Asociado LIKE '1000%' AND T.FechaDePractica" + mes << "T";
    QTest::newRow("prestador, médico de cada fila")
        << "SELECT (SELECT MAX(Medicos.Nombre) FROM Medicos WHERE Medicos.Matricula = substr('000000' || "
           "T.MatriculaPP, -6)) FROM TicketPrestador T"
        << "Medicos";
    QTest::newRow("prestador, ítems del ticket")
        << "SELECT COUNT(*) FROM ItemTicketPrestador IT WHERE IT.IdTicket = 2000005"
        << "IT";
    QTest::newRow("transacciones del día") << "SELECT COUNT(*) FROM TicketPrestador WHERE IdPrestador = 4 "
                                              "AND Operacion IN ('31', '11') AND FechaDePractica" +
                                                  mes
                                           << "TicketPrestador";
    QTest::newRow("cierres, clave") << "SELECT COUNT(C.IdCierre) FROM Cierres C INNER JOIN Prestadores P ON "
                                       "P.IdPrestador = C.IdPrestador WHERE C.IdCierre = 5"
                                    << "C";
    QTest::newRow("cierres de un prestador")
        << "SELECT COUNT(*) FROM Cierres C WHERE C.IdPrestador = 4 AND C.FechaServer" + mes << "C";
    QTest::newRow("acciones, código exacto") << "SELECT COUNT(*) FROM Accion A WHERE A.CodigoAccion = '0007'"
                                             << "A";
    QTest::newRow("errores, clave") << "SELECT COUNT(NumeroErrorSYS) FROM ErrorSys WHERE NumeroErrorSYS = 5"
                                    << "ErrorSys";
}

// The conditions are written here in SQLite as the dialect is expected to send them.
void tst_EsquemaDemo::criteriosUsanIndice()
{
    QFETCH(QString, sql);
    QFETCH(QString, tabla);
    Conexion db(pruebas::basePruebas(), true);
    Sentencia plan(db, ("EXPLAIN QUERY PLAN " + sql).toUtf8().constData());
    QStringList pasos;
    while (plan.siguiente())
        pasos << QString::fromUtf8(plan.columnaTexto(3));
    const QString busca = QStringLiteral("SEARCH %1 USING ").arg(tabla);
    const bool conIndice =
        std::any_of(pasos.begin(), pasos.end(), [&](const QString& p) { return p.startsWith(busca); });
    QVERIFY2(conIndice, qPrintable(pasos.join(QStringLiteral(" | "))));
}

QTEST_GUILESS_MAIN(tst_EsquemaDemo)
#include "tst_EsquemaDemo.moc"
