-- Provider tickets (practices) for the listing Tickets1 (reports KTP1 to KTP6). As spRptTickets, but the member
-- is TicketPrestador.Asociado and the prescribing physician a registration number (MatriculaPP).
CREATE PROCEDURE spRptTicketsPrestador
    @pFechaDesde datetime = NULL,
    @pFechaHasta datetime = NULL,
    @pTicketDesde int = NULL,
    @pTicketHasta int = NULL,
    @pAsociado char(15) = NULL,
    @pIdPrestador int = NULL,
    @pMatriculaPP int = NULL
AS
BEGIN
    SET NOCOUNT ON
    IF @pFechaDesde IS NULL AND @pFechaHasta IS NULL AND @pTicketDesde IS NULL AND @pTicketHasta IS NULL
       AND @pAsociado IS NULL AND @pIdPrestador IS NULL AND @pMatriculaPP IS NULL
        SELECT @pTicketDesde = MAX(IdTicket) FROM TicketPrestador (NOLOCK)
    IF @pTicketDesde IS NOT NULL AND @pTicketHasta IS NULL
        SET @pTicketHasta = @pTicketDesde
    SELECT T.IdTicket, T.FechaDePractica AS Fecha_Prestacion, T.Asociado AS Num_Afil, P.Prestador_OS,
           P.Nombre AS NombrePrestador,
           ISNULL((SELECT M.Nombre FROM Medicos M (NOLOCK)
                   WHERE M.Matricula = RIGHT('000000' + RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))), 6)), '')
               AS Medico,
           (SELECT COUNT(*) FROM ItemTicketPrestador IT (NOLOCK) WHERE IT.IdTicket = T.IdTicket) AS Cantidad,
           ISNULL((SELECT SUM(ISNULL(IT.ValorNomenclador, 0) * IT.Cantidad) FROM ItemTicketPrestador IT (NOLOCK)
                   WHERE IT.IdTicket = T.IdTicket), 0) AS Total,
           CONVERT(money, 0) AS Desc_al_afiliado, CONVERT(money, 0) AS desc_os
    FROM TicketPrestador T (NOLOCK)
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
    WHERE (@pFechaDesde IS NULL OR T.FechaDePractica >= @pFechaDesde)
      AND (@pFechaHasta IS NULL OR T.FechaDePractica <= @pFechaHasta)
      AND (@pTicketDesde IS NULL OR T.IdTicket BETWEEN @pTicketDesde AND @pTicketHasta)
      AND (@pAsociado IS NULL OR T.Asociado = @pAsociado)
      AND (@pIdPrestador IS NULL OR T.IdPrestador = @pIdPrestador)
      AND (@pMatriculaPP IS NULL OR T.MatriculaPP = @pMatriculaPP)
    ORDER BY T.IdTicket
END
