-- DalvoHD demo transaction database, in SQLite.
--
-- Columns carry SQL Server type names: the embedded engine derives the ADO type codes and the server
-- catalogue (syscolumns, systypes) from them. Text columns compare as SQL Server's case-insensitive
-- collations do (CI_AS, registered by the engine); declaring it on the column lets equality use the indexes.
-- Stored values: dates as text 'yyyy-mm-dd hh:mm:ss', money and numeric as REAL, bit as 0/1, char values
-- without trailing blanks (the engine pads char(n) on output).
--
-- The generator runs the CREATE TABLE statements first, loads the data, and only then the CREATE INDEX
-- statements (a bulk load into indexed tables is several times slower).

CREATE TABLE Parametros (
    NombreEmpresa varchar(60) COLLATE CI_AS NULL,
    Periodo_Prox_Consumo smallint NOT NULL,
    Mensaje_Ticket varchar(255) COLLATE CI_AS NULL,
    Medicamentos_por_RDP smallint NOT NULL,
    Dias_Validez_Receta smallint NOT NULL,
    Directorio_TXT varchar(255) COLLATE CI_AS NULL,
    Directorio_FMT varchar(255) COLLATE CI_AS NULL,
    Directorio_LOG varchar(255) COLLATE CI_AS NULL,
    DirectorioTramites varchar(255) COLLATE CI_AS NULL,
    FechaTTAccion char(8) COLLATE CI_AS NULL,
    FechaAccion char(8) COLLATE CI_AS NULL,
    DirectorioTXTINMedicamentos varchar(255) COLLATE CI_AS NULL,
    DirectotioTXTOUTMedicamentos varchar(255) COLLATE CI_AS NULL
);

CREATE TABLE TipoPrestador (
    IdTipoPrestador smallint NOT NULL PRIMARY KEY,
    TipoPrestador char(30) COLLATE CI_AS NOT NULL
);

CREATE TABLE Departamentos (
    IdDepartamento smallint NOT NULL PRIMARY KEY,
    Departamento char(30) COLLATE CI_AS NOT NULL
);

CREATE TABLE Especialidades (
    IdEspecialidad smallint NOT NULL PRIMARY KEY,
    Especialidad char(40) COLLATE CI_AS NOT NULL
);

CREATE TABLE Prestadores (
    IdPrestador int NOT NULL PRIMARY KEY,
    IdTipoPrestador smallint NULL,
    IdDepartamento smallint NULL,
    Matricula char(10) COLLATE CI_AS NULL,
    IdEspecialidad smallint NULL,
    Prestador_OS char(10) COLLATE CI_AS NOT NULL,
    Nombre char(50) COLLATE CI_AS NOT NULL,
    Direccion char(50) COLLATE CI_AS NULL,
    CodPostal char(8) COLLATE CI_AS NULL,
    Telefono char(20) COLLATE CI_AS NULL,
    Cuit char(13) COLLATE CI_AS NULL,
    CondIVA char(20) COLLATE CI_AS NULL,
    IngBrutos char(15) COLLATE CI_AS NULL,
    Desc_al_Afiliado numeric(5,2) NULL,
    Desc_a_OS numeric(5,2) NULL,
    Desc_Min_Obligado numeric(5,2) NULL,
    Desc_ItemObligatorio numeric(5,2) NULL,
    AplicacionBonif char(1) COLLATE CI_AS NULL,
    fUltModif datetime NULL,
    LastUser char(20) COLLATE CI_AS NULL,
    Baja bit NOT NULL DEFAULT 0,
    Licencia char(10) COLLATE CI_AS NULL
);

CREATE TABLE PrestadorActualizaciones (
    IdPrestador int NOT NULL PRIMARY KEY,
    fUltModif_Medicos datetime NULL,
    fUltModif_Remedios datetime NULL,
    fUltModif_Diagnosticos datetime NULL
);

CREATE TABLE Medicos (
    IdMedico int NOT NULL PRIMARY KEY,
    Matricula char(6) COLLATE CI_AS NOT NULL,
    Nombre char(50) COLLATE CI_AS NULL,
    IdTipoPrestador smallint NULL,
    IdEspecialidad smallint NULL,
    fUltModif datetime NULL,
    Baja bit NOT NULL DEFAULT 0
);

CREATE TABLE TipoMedicamento (
    IdTipoMedicamento smallint NOT NULL PRIMARY KEY,
    TipoMedicamento char(30) COLLATE CI_AS NOT NULL
);

CREATE TABLE Medicamentos (
    Troquel char(7) COLLATE CI_AS NOT NULL PRIMARY KEY,
    Barra char(13) COLLATE CI_AS NULL,
    Nombre char(40) COLLATE CI_AS NOT NULL,
    Prestacion char(40) COLLATE CI_AS NOT NULL,
    Precio money NOT NULL,
    IdTipoMedicamento smallint NOT NULL,
    FUltModif datetime NULL,
    Baja bit NOT NULL DEFAULT 0,
    Nro_Regis char(10) COLLATE CI_AS NULL
);

CREATE TABLE Practicas (
    IdPractica int NOT NULL PRIMARY KEY,
    PracticaOS char(6) COLLATE CI_AS NOT NULL UNIQUE,
    Descripcion char(60) COLLATE CI_AS NOT NULL,
    ValorNomenclador money NULL
);

CREATE TABLE PrestadorPracticas (
    IdPrestadorPractica int NOT NULL PRIMARY KEY,
    IdPrestador int NOT NULL,
    PracticaOS char(6) COLLATE CI_AS NOT NULL,
    Valor money NOT NULL,
    FechaDesde datetime NOT NULL,
    FechaHasta datetime NULL
);

CREATE TABLE Cobertura (
    IdCobertura smallint NOT NULL PRIMARY KEY,
    Cobertura char(30) COLLATE CI_AS NOT NULL
);

CREATE TABLE TipoPrescripcion (
    IdTipoPrescripcion smallint NOT NULL PRIMARY KEY,
    TipoPrescripcion char(30) COLLATE CI_AS NOT NULL
);

CREATE TABLE Autorizaciones (
    IdAutorizacion int NOT NULL PRIMARY KEY,
    Num_Afil char(15) COLLATE CI_AS NOT NULL
);

CREATE TABLE TrPrAfiliado (
    IdTratamiento int NOT NULL PRIMARY KEY,
    Num_Afil char(15) COLLATE CI_AS NOT NULL
);

CREATE TABLE TrPrMedicamento (
    IdTratamiento int NOT NULL,
    Troquel char(7) COLLATE CI_AS NOT NULL,
    PRIMARY KEY (IdTratamiento, Troquel)
);

CREATE TABLE Cierres (
    IdCierre int NOT NULL PRIMARY KEY,
    IdPrestador int NOT NULL,
    Cant_transac smallint NOT NULL,
    TTicket money NOT NULL DEFAULT 0,
    TAfilia money NOT NULL DEFAULT 0,
    TDPrestador money NOT NULL DEFAULT 0,
    BPRAL money NOT NULL DEFAULT 0,
    NumeroTramite int NOT NULL DEFAULT 0,
    FechaServer datetime NOT NULL
);

-- No key column: none is named by any statement, and an invented one would show in the ad-hoc window.
CREATE TABLE tteLog (
    Archivo varchar(255) COLLATE CI_AS NULL,
    CantidadRegistros int NULL,
    NumeroTramite int NULL
);

CREATE TABLE Tickets (
    IdTicket int NOT NULL PRIMARY KEY,
    AuSysT int NOT NULL,
    Fecha_Prestacion datetime NOT NULL,
    Num_Afil char(15) COLLATE CI_AS NOT NULL,
    Num_cred char(15) COLLATE CI_AS NULL,
    NumeroPlan char(4) COLLATE CI_AS NULL,
    Ingreso_manual bit NOT NULL DEFAULT 0,
    IdPrestador int NOT NULL,
    medico_receta int NULL,
    Fecha_Receta datetime NULL,
    IdCobertura smallint NOT NULL,
    Desc_al_afiliado money NOT NULL DEFAULT 0,
    desc_os money NOT NULL DEFAULT 0,
    idCierre int NULL,
    Anulado bit NOT NULL DEFAULT 0,
    idAutorizacion int NULL
);

CREATE TABLE Item_Tickets (
    IdTicket int NOT NULL,
    Troquel char(7) COLLATE CI_AS NOT NULL,
    Cantidad smallint NOT NULL,
    Cantidad_Dev smallint NOT NULL DEFAULT 0,
    Precio money NOT NULL,
    Desc_Os numeric(5,2) NOT NULL,
    IdAutorizacion int NULL,
    TipoPrescripcion smallint NULL,
    OrigenDescuento smallint NULL
);

CREATE TABLE TicketPrestador (
    IdTicket int NOT NULL PRIMARY KEY,
    AuSysT int NOT NULL,
    FechaDePractica datetime NOT NULL,
    Asociado char(15) COLLATE CI_AS NOT NULL,
    PlanAsociado char(4) COLLATE CI_AS NULL,
    TipoAsociado char(2) COLLATE CI_AS NULL,
    IdPrestador int NOT NULL,
    MatriculaPP int NULL,
    FechaDeReceta datetime NULL,
    IdCierre int NULL,
    Anulado bit NOT NULL DEFAULT 0,
    IdAutorizacion int NULL,
    Operacion char(2) COLLATE CI_AS NOT NULL
);

CREATE TABLE ItemTicketPrestador (
    IdTicket int NOT NULL,
    Cantidad smallint NOT NULL,
    Practica char(6) COLLATE CI_AS NOT NULL,
    idPrestadorPractica int NULL,
    ValorNomenclador money NULL,
    TipoArancel char(2) COLLATE CI_AS NULL,
    IdAutorizacion int NULL
);

CREATE TABLE ErrorSys (
    NumeroErrorSYS int NOT NULL PRIMARY KEY,
    Severidad smallint NULL,
    Comentario varchar(255) COLLATE CI_AS NULL,
    Detalle varchar(255) COLLATE CI_AS NULL
);

CREATE TABLE Accion (
    CodigoAccion char(4) COLLATE CI_AS NOT NULL PRIMARY KEY,
    Descripcion char(60) COLLATE CI_AS NOT NULL
);

-- The action's code is numeric here so that a condition comparing it unquoted (= 0007) matches; every
-- action code is digits.
CREATE TABLE AccionMedicamento (
    CodigoAccion smallint NOT NULL,
    Troquel char(7) COLLATE CI_AS NOT NULL,
    PRIMARY KEY (CodigoAccion, Troquel)
);

-- Internal tables of the demo server: the engine keeps them out of its catalogue views.
CREATE TABLE dalvo_info (
    clave TEXT NOT NULL PRIMARY KEY,
    valor TEXT NOT NULL
);

CREATE TABLE dalvo_procedimientos (
    nombre TEXT NOT NULL PRIMARY KEY COLLATE CI_AS,
    texto TEXT NOT NULL
);

-- Indexes: equality on keys and codes must be a search, so the criteria an operator types on the phone
-- (ticket number, AuSysT, closing, provider code, member, troquel, registration number) answer at once.

CREATE INDEX IX_Prestadores_Nombre ON Prestadores (Nombre);
CREATE UNIQUE INDEX IX_Prestadores_Prestador_OS ON Prestadores (Prestador_OS);
CREATE INDEX IX_Prestadores_Licencia ON Prestadores (Licencia);
CREATE INDEX IX_Prestadores_IdTipoPrestador ON Prestadores (IdTipoPrestador);
CREATE INDEX IX_Prestadores_IdDepartamento ON Prestadores (IdDepartamento);
CREATE INDEX IX_TipoPrestador_TipoPrestador ON TipoPrestador (TipoPrestador);

CREATE INDEX IX_Medicos_Matricula ON Medicos (Matricula);
CREATE INDEX IX_Medicos_Nombre ON Medicos (Nombre);

CREATE INDEX IX_Medicamentos_Barra ON Medicamentos (Barra);
CREATE INDEX IX_Medicamentos_Nombre ON Medicamentos (Nombre);

CREATE INDEX IX_Practicas_Descripcion ON Practicas (Descripcion);
CREATE INDEX IX_PrestadorPracticas_Prestador ON PrestadorPracticas (IdPrestador, PracticaOS);

CREATE INDEX IX_Tickets_Prestador_Fecha ON Tickets (IdPrestador, Fecha_Prestacion);
CREATE INDEX IX_Tickets_Fecha_Prestacion ON Tickets (Fecha_Prestacion);
CREATE INDEX IX_Tickets_Num_Afil ON Tickets (Num_Afil);
CREATE INDEX IX_Tickets_AuSysT ON Tickets (AuSysT);
CREATE INDEX IX_Tickets_idCierre ON Tickets (idCierre);
CREATE INDEX IX_Tickets_medico_receta ON Tickets (medico_receta);

CREATE INDEX IX_Item_Tickets_IdTicket ON Item_Tickets (IdTicket, Troquel);
CREATE INDEX IX_Item_Tickets_Troquel ON Item_Tickets (Troquel);

CREATE INDEX IX_TicketPrestador_FechaDePractica ON TicketPrestador (FechaDePractica);
CREATE INDEX IX_TicketPrestador_Prestador_Fecha ON TicketPrestador (IdPrestador, FechaDePractica, Operacion);
CREATE INDEX IX_TicketPrestador_Asociado ON TicketPrestador (Asociado);
CREATE INDEX IX_TicketPrestador_AuSysT ON TicketPrestador (AuSysT);
CREATE INDEX IX_TicketPrestador_IdCierre ON TicketPrestador (IdCierre);
CREATE INDEX IX_TicketPrestador_MatriculaPP ON TicketPrestador (MatriculaPP);

CREATE INDEX IX_ItemTicketPrestador_IdTicket ON ItemTicketPrestador (IdTicket);
CREATE INDEX IX_ItemTicketPrestador_Practica ON ItemTicketPrestador (Practica);

CREATE INDEX IX_Cierres_FechaServer ON Cierres (FechaServer);
CREATE INDEX IX_Cierres_Prestador_Fecha ON Cierres (IdPrestador, FechaServer);

CREATE INDEX IX_Accion_Descripcion ON Accion (Descripcion);
CREATE INDEX IX_tteLog_NumeroTramite ON tteLog (NumeroTramite);
CREATE INDEX IX_Autorizaciones_Num_Afil ON Autorizaciones (Num_Afil);
CREATE INDEX IX_TrPrAfiliado_Num_Afil ON TrPrAfiliado (Num_Afil);
CREATE INDEX IX_TrPrMedicamento_Troquel ON TrPrMedicamento (Troquel);
