-- A ticket with its items for the layout Ticket (report KT). First result set: which ticket was found (no row
-- when there is none); second: one row per item with the ticket's data on every row. A pharmacy ticket is
-- looked for first, then a provider ticket. The 1st and 3rd arguments are sent constant and not used.
CREATE PROCEDURE spgetDetalleTicket
    @p1 int = 0,
    @pIdTicket int = NULL,
    @p3 int = NULL
AS
BEGIN
    SET NOCOUNT ON
    IF EXISTS (SELECT 1 FROM Tickets (NOLOCK) WHERE IdTicket = @pIdTicket)
    BEGIN
        SELECT IdTicket, CONVERT(char(10), 'FARMACIA') AS Tipo FROM Tickets (NOLOCK) WHERE IdTicket = @pIdTicket
        SELECT T.IdTicket, T.AuSysT, T.Fecha_Prestacion, T.Num_Afil, T.Num_cred, T.NumeroPlan, C.Cobertura,
               P.Prestador_OS, P.Nombre AS NombrePrestador, ISNULL(M.Nombre, '') AS Medico,
               ISNULL(M.Matricula, '') AS Matricula, T.Fecha_Receta, T.Anulado, T.idCierre,
               IT.Troquel, CONVERT(char(60), RTRIM(ISNULL(MD.Nombre, '')) + ' ' + RTRIM(ISNULL(MD.Prestacion, '')))
                   AS Medicamento,
               IT.Cantidad, IT.Cantidad_Dev, IT.Precio, IT.Desc_Os,
               IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) AS Importe,
               CONVERT(money, IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) * (100 - IT.Desc_Os) / 100) AS CargoAfiliado
        FROM Tickets T (NOLOCK)
             INNER JOIN Item_Tickets IT (NOLOCK) ON IT.IdTicket = T.IdTicket
             INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
             INNER JOIN Cobertura C (NOLOCK) ON C.IdCobertura = T.IdCobertura
             LEFT JOIN Medicos M (NOLOCK) ON M.IdMedico = T.medico_receta
             LEFT JOIN Medicamentos MD (NOLOCK) ON MD.Troquel = IT.Troquel
        WHERE T.IdTicket = @pIdTicket
        ORDER BY IT.Troquel
        RETURN 0
    END
    SELECT IdTicket, CONVERT(char(10), 'PRESTADOR') AS Tipo FROM TicketPrestador (NOLOCK) WHERE IdTicket = @pIdTicket
    SELECT T.IdTicket, T.AuSysT, T.FechaDePractica AS Fecha_Prestacion, T.Asociado AS Num_Afil,
           CONVERT(char(15), '') AS Num_cred, T.PlanAsociado AS NumeroPlan, CONVERT(char(30), '') AS Cobertura,
           P.Prestador_OS, P.Nombre AS NombrePrestador,
           ISNULL((SELECT M.Nombre FROM Medicos M (NOLOCK)
                   WHERE M.Matricula = RIGHT('000000' + RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))), 6)), '')
               AS Medico,
           RIGHT('000000' + RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))), 6) AS Matricula,
           T.FechaDeReceta AS Fecha_Receta, T.Anulado, T.IdCierre AS idCierre,
           IT.Practica AS Troquel, CONVERT(char(60), PR.Descripcion) AS Medicamento,
           IT.Cantidad, CONVERT(smallint, 0) AS Cantidad_Dev, ISNULL(IT.ValorNomenclador, 0) AS Precio,
           CONVERT(numeric(5,2), 0) AS Desc_Os, ISNULL(IT.ValorNomenclador, 0) * IT.Cantidad AS Importe,
           CONVERT(money, 0) AS CargoAfiliado
    FROM TicketPrestador T (NOLOCK)
         INNER JOIN ItemTicketPrestador IT (NOLOCK) ON IT.IdTicket = T.IdTicket
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
         LEFT JOIN Practicas PR (NOLOCK) ON PR.PracticaOS = IT.Practica
    WHERE T.IdTicket = @pIdTicket
    ORDER BY IT.Practica
END
