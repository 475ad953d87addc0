-- A small transaction database shaped like the demo's: SQL Server type names, text columns CI_AS.
CREATE TABLE Parametros (NombreEmpresa varchar(60) COLLATE CI_AS NULL, Periodo_Prox_Consumo smallint NOT NULL,
    Mensaje_Ticket varchar(255) COLLATE CI_AS NULL, Medicamentos_por_RDP smallint NOT NULL,
    Dias_Validez_Receta smallint NOT NULL, Directorio_TXT varchar(255) COLLATE CI_AS NULL,
    Directorio_FMT varchar(255) COLLATE CI_AS NULL, Directorio_LOG varchar(255) COLLATE CI_AS NULL,
    DirectorioTramites varchar(255) COLLATE CI_AS NULL, FechaTTAccion char(8) COLLATE CI_AS NULL,
    FechaAccion char(8) COLLATE CI_AS NULL, DirectorioTXTINMedicamentos varchar(255) COLLATE CI_AS NULL,
    DirectotioTXTOUTMedicamentos varchar(255) COLLATE CI_AS NULL);
CREATE TABLE TipoPrestador (IdTipoPrestador smallint NOT NULL PRIMARY KEY, TipoPrestador char(30) COLLATE CI_AS NOT NULL);
CREATE TABLE Departamentos (IdDepartamento smallint NOT NULL PRIMARY KEY, Departamento char(30) COLLATE CI_AS NOT NULL);
CREATE TABLE Prestadores (IdPrestador int NOT NULL PRIMARY KEY, IdTipoPrestador smallint NULL, IdDepartamento smallint NULL,
    Matricula char(10) COLLATE CI_AS NULL, IdEspecialidad smallint NULL, Prestador_OS char(10) COLLATE CI_AS NOT NULL,
    Nombre char(50) COLLATE CI_AS NOT NULL, Direccion char(50) COLLATE CI_AS NULL, CodPostal char(8) COLLATE CI_AS NULL,
    Telefono char(20) COLLATE CI_AS NULL, Cuit char(13) COLLATE CI_AS NULL, CondIVA char(20) COLLATE CI_AS NULL,
    IngBrutos char(15) COLLATE CI_AS NULL, Desc_al_Afiliado numeric(5,2) NULL, Desc_a_OS numeric(5,2) NULL,
    Desc_Min_Obligado numeric(5,2) NULL, Desc_ItemObligatorio numeric(5,2) NULL, AplicacionBonif char(1) COLLATE CI_AS NULL,
    fUltModif datetime NULL, LastUser char(20) COLLATE CI_AS NULL, Baja bit NOT NULL DEFAULT 0,
    Licencia char(10) COLLATE CI_AS NULL);
CREATE UNIQUE INDEX ix_prestadores_os ON Prestadores(Prestador_OS);
CREATE INDEX ix_prestadores_nombre ON Prestadores(Nombre);
CREATE TABLE PrestadorActualizaciones (IdPrestador int NOT NULL PRIMARY KEY, fUltModif_Medicos datetime NULL,
    fUltModif_Remedios datetime NULL, fUltModif_Diagnosticos datetime NULL);
CREATE TABLE Especialidades (IdEspecialidad smallint NOT NULL PRIMARY KEY, Especialidad char(40) COLLATE CI_AS NOT NULL);
CREATE TABLE Medicos (IdMedico int NOT NULL PRIMARY KEY, Matricula char(6) COLLATE CI_AS NOT NULL,
    Nombre char(50) COLLATE CI_AS NULL, IdTipoPrestador smallint NULL, IdEspecialidad smallint NULL, fUltModif datetime NULL,
    Baja bit NOT NULL DEFAULT 0);
CREATE INDEX ix_medicos_matricula ON Medicos(Matricula);
CREATE TABLE TipoMedicamento (IdTipoMedicamento smallint NOT NULL PRIMARY KEY, TipoMedicamento char(30) COLLATE CI_AS NOT NULL);
CREATE TABLE Medicamentos (Troquel char(7) COLLATE CI_AS NOT NULL PRIMARY KEY, Barra char(13) COLLATE CI_AS NULL,
    Nombre char(40) COLLATE CI_AS NOT NULL, Prestacion char(40) COLLATE CI_AS NOT NULL, Precio money NOT NULL,
    IdTipoMedicamento smallint NOT NULL, FUltModif datetime NULL, Baja bit NOT NULL DEFAULT 0, Nro_Regis char(10) COLLATE CI_AS NULL);
CREATE TABLE Practicas (IdPractica int NOT NULL PRIMARY KEY, PracticaOS char(6) COLLATE CI_AS NOT NULL UNIQUE,
    Descripcion char(60) COLLATE CI_AS NOT NULL, ValorNomenclador money NULL);
CREATE TABLE Cobertura (IdCobertura smallint NOT NULL PRIMARY KEY, Cobertura char(30) COLLATE CI_AS NOT NULL);
CREATE TABLE TipoPrescripcion (IdTipoPrescripcion smallint NOT NULL PRIMARY KEY, TipoPrescripcion char(30) COLLATE CI_AS NOT NULL);
CREATE TABLE Tickets (IdTicket int NOT NULL PRIMARY KEY, AuSysT int NOT NULL, Fecha_Prestacion datetime NOT NULL,
    Num_Afil char(15) COLLATE CI_AS NOT NULL, Num_cred char(15) COLLATE CI_AS NULL, NumeroPlan char(4) COLLATE CI_AS NULL,
    Ingreso_manual bit NOT NULL DEFAULT 0, IdPrestador int NOT NULL, medico_receta int NULL, Fecha_Receta datetime NULL,
    IdCobertura smallint NOT NULL, Desc_al_afiliado money NOT NULL DEFAULT 0, desc_os money NOT NULL DEFAULT 0,
    idCierre int NULL, Anulado bit NOT NULL DEFAULT 0, idAutorizacion int NULL);
CREATE INDEX ix_tickets_prestador_fecha ON Tickets(IdPrestador, Fecha_Prestacion);
CREATE INDEX ix_tickets_fecha ON Tickets(Fecha_Prestacion);
CREATE INDEX ix_tickets_afiliado ON Tickets(Num_Afil);
CREATE INDEX ix_tickets_ausyst ON Tickets(AuSysT);
CREATE TABLE Item_Tickets (IdTicket int NOT NULL, Troquel char(7) COLLATE CI_AS NOT NULL, Cantidad smallint NOT NULL,
    Cantidad_Dev smallint NOT NULL DEFAULT 0, Precio money NOT NULL, Desc_Os numeric(5,2) NOT NULL, IdAutorizacion int NULL,
    TipoPrescripcion smallint NULL, OrigenDescuento smallint NULL);
CREATE INDEX ix_items_ticket ON Item_Tickets(IdTicket);
CREATE TABLE TicketPrestador (IdTicket int NOT NULL PRIMARY KEY, AuSysT int NOT NULL, FechaDePractica datetime NOT NULL,
    Asociado char(15) COLLATE CI_AS NOT NULL, PlanAsociado char(4) COLLATE CI_AS NULL, TipoAsociado char(2) COLLATE CI_AS NULL,
    IdPrestador int NOT NULL, MatriculaPP int NULL, FechaDeReceta datetime NULL, IdCierre int NULL, Anulado bit NOT NULL DEFAULT 0,
    IdAutorizacion int NULL, Operacion char(2) COLLATE CI_AS NOT NULL);
CREATE TABLE ItemTicketPrestador (IdTicket int NOT NULL, Cantidad smallint NOT NULL, Practica char(6) COLLATE CI_AS NOT NULL,
    idPrestadorPractica int NULL, ValorNomenclador money NULL, TipoArancel char(2) COLLATE CI_AS NULL, IdAutorizacion int NULL);
CREATE TABLE PrestadorPracticas (IdPrestadorPractica int NOT NULL PRIMARY KEY, IdPrestador int NOT NULL,
    PracticaOS char(6) COLLATE CI_AS NOT NULL, Valor money NOT NULL, FechaDesde datetime NOT NULL, FechaHasta datetime NULL);
CREATE TABLE Cierres (IdCierre INTEGER PRIMARY KEY, IdPrestador int NOT NULL, Cant_transac smallint NOT NULL,
    TTicket money NOT NULL DEFAULT 0, TAfilia money NOT NULL DEFAULT 0, TDPrestador money NOT NULL DEFAULT 0,
    BPRAL money NOT NULL DEFAULT 0, NumeroTramite int NOT NULL, FechaServer datetime NOT NULL);
CREATE INDEX ix_cierres_fecha ON Cierres(FechaServer);
CREATE TABLE ErrorSys (NumeroErrorSYS int NOT NULL PRIMARY KEY, Severidad smallint NULL,
    Comentario varchar(255) COLLATE CI_AS NULL, Detalle varchar(255) COLLATE CI_AS NULL);
CREATE TABLE Accion (CodigoAccion char(4) COLLATE CI_AS NOT NULL PRIMARY KEY, Descripcion char(60) COLLATE CI_AS NOT NULL);
CREATE TABLE tteLog (Archivo varchar(255) COLLATE CI_AS NULL, CantidadRegistros int NULL, NumeroTramite int NULL);

INSERT INTO Parametros VALUES ('Obra Social de Prueba', 1, 'Gracias', 3, 30, '/txt', '/fmt', '/log', '/tramites', '20240501', '20240502', '/in', '/out');
INSERT INTO TipoPrestador VALUES (1, 'Farmacia'), (4, 'Clínica'), (14, 'Farmacia Internación');
INSERT INTO Departamentos VALUES (1, 'Capital'), (2, 'Godoy Cruz');
INSERT INTO Prestadores (IdPrestador, IdTipoPrestador, IdDepartamento, Matricula, Prestador_OS, Nombre, Direccion, CodPostal,
    Desc_al_Afiliado, Desc_a_OS, Desc_Min_Obligado, fUltModif, Baja, Licencia) VALUES
    (1, 1, 1, 'M-1', 'F001', 'Farmacia San Martín', 'San Martín 100', '5500', 40, 10, 5, '2024-05-01 10:00:00', 0, 'L-77'),
    (2, 4, 2, NULL, 'C002', 'CLÍNICA ÁNGEL', NULL, NULL, 12.5, 0, 0, NULL, 1, NULL),
    (3, 14, 1, NULL, 'F003', 'Farmacia Ñandú', 'Belgrano 5', '5501', 35.25, 5, 0, '2024-04-30 23:59:59', 0, NULL);
INSERT INTO PrestadorActualizaciones VALUES (1, '2024-05-02 08:00:00', NULL, NULL);
INSERT INTO Especialidades VALUES (1, 'Clínica Médica'), (2, 'Pediatría');
INSERT INTO Medicos VALUES (7, '000123', 'Pérez Juan', 4, 1, '2024-01-15 00:00:00', 0), (8, '004567', NULL, NULL, NULL, NULL, 1),
    (9, '000123', 'Pérez Juana', 4, 2, NULL, 0);
INSERT INTO TipoMedicamento VALUES (1, 'Comprimidos'), (2, 'Jarabe');
INSERT INTO Medicamentos VALUES ('0001234', '7790001000012', 'Amoxicilina 500', 'Comprimidos x 16', 1520.5, 1, '2024-03-31 00:00:00', 0, 'R-1'),
    ('0001235', NULL, 'Ibuprofeno', 'Jarabe 100 ml', 890, 2, NULL, 1, NULL);
INSERT INTO Practicas VALUES (1, '420101', 'Consulta médica', 5000), (2, '340201', 'Radiografía de tórax', NULL);
INSERT INTO Cobertura VALUES (1, 'PMO'), (2, 'Crónicos');
INSERT INTO TipoPrescripcion VALUES (1, 'Receta común');
INSERT INTO Tickets VALUES
    (100, 42, '2024-05-10 09:30:00', '99001', 'C1', 'P1', 0, 1, 7, '2024-05-09 00:00:00', 1, 10.5, 20, NULL, 0, NULL),
    (101, 123456789, '2024-05-31 23:59:59', '99002', NULL, NULL, 1, 1, NULL, NULL, 2, 0, 0, 1, 1, 77),
    (102, 7, '2024-06-01 00:00:00', 'ab-99001', 'C9', 'P2', 0, 3, 8, NULL, 1, 1, 2, NULL, 0, NULL);
INSERT INTO Item_Tickets VALUES (100, '0001234', 2, 0, 100.25, 40, NULL, 1, 10), (100, '0001235', 1, 1, -50, 40, 5, NULL, 6),
    (101, '0001234', 3, 0, 12, 0, NULL, NULL, NULL), (102, '0001235', 1, 0, 890, 0, NULL, NULL, 7);
INSERT INTO TicketPrestador VALUES (500, 77, '2024-05-15 11:00:00', '99001', 'P1', 'T', 2, 123, NULL, NULL, 0, NULL, '11'),
    (501, 78, '2024-05-16 12:00:00', '99003', NULL, NULL, 2, 4567, '2024-05-01 00:00:00', 1, 1, 9, '62');
INSERT INTO ItemTicketPrestador VALUES (500, 1, '420101', 1, 4500, 'A', NULL), (500, 2, '340201', NULL, NULL, NULL, 3);
INSERT INTO PrestadorPracticas VALUES (1, 2, '420101', 5200, '2024-01-01 00:00:00', NULL);
INSERT INTO Cierres VALUES (1, 1, 2, 1000, 400, 100, 500, 33, '2024-05-20 12:00:00'),
    (2, 2, 1, 250.5, 50, 0, 100.25, 0, '2024-02-01 08:00:00');
INSERT INTO ErrorSys VALUES (1, 16, 'Error de prueba', 'Detalle del error');
INSERT INTO Accion VALUES ('0007', 'Acción de invierno'), ('0012', 'Campaña');
INSERT INTO tteLog VALUES ('archivo1.txt', 120, 33), (NULL, NULL, NULL);
