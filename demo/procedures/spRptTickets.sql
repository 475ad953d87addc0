-- Pharmacy tickets for the listing Tickets1 (reports KT1 to KT6). Every argument is optional; with none, the
-- last ticket made; a first ticket number alone is that ticket.
CREATE PROCEDURE spRptTickets
    @pFechaDesde datetime = NULL,
    @pFechaHasta datetime = NULL,
    @pTicketDesde int = NULL,
    @pTicketHasta int = NULL,
    @pNumAfil char(15) = NULL,
    @pIdPrestador int = NULL,
    @pIdMedico int = NULL
AS
BEGIN
    SET NOCOUNT ON
    IF @pFechaDesde IS NULL AND @pFechaHasta IS NULL AND @pTicketDesde IS NULL AND @pTicketHasta IS NULL
       AND @pNumAfil IS NULL AND @pIdPrestador IS NULL AND @pIdMedico IS NULL
        SELECT @pTicketDesde = MAX(IdTicket) FROM Tickets (NOLOCK)
    IF @pTicketDesde IS NOT NULL AND @pTicketHasta IS NULL
        SET @pTicketHasta = @pTicketDesde
    SELECT T.IdTicket, T.Fecha_Prestacion, T.Num_Afil, P.Prestador_OS, P.Nombre AS NombrePrestador,
           ISNULL(M.Nombre, '') AS Medico,
           (SELECT COUNT(*) FROM Item_Tickets IT (NOLOCK) WHERE IT.IdTicket = T.IdTicket) AS Cantidad,
           ISNULL((SELECT SUM(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev)) FROM Item_Tickets IT (NOLOCK)
                   WHERE IT.IdTicket = T.IdTicket), 0) AS Total,
           T.Desc_al_afiliado, T.desc_os
    FROM Tickets T (NOLOCK)
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
         LEFT JOIN Medicos M (NOLOCK) ON M.IdMedico = T.medico_receta
    WHERE (@pFechaDesde IS NULL OR T.Fecha_Prestacion >= @pFechaDesde)
      AND (@pFechaHasta IS NULL OR T.Fecha_Prestacion <= @pFechaHasta)
      AND (@pTicketDesde IS NULL OR T.IdTicket BETWEEN @pTicketDesde AND @pTicketHasta)
      AND (@pNumAfil IS NULL OR T.Num_Afil = @pNumAfil)
      AND (@pIdPrestador IS NULL OR T.IdPrestador = @pIdPrestador)
      AND (@pIdMedico IS NULL OR T.medico_receta = @pIdMedico)
    ORDER BY T.IdTicket
END
