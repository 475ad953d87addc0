-- A pharmacy closing for the form FormularioCierre (report KC5): one row per ticket of the closing, with the
-- closing's header on every row. Only the tickets the closing counts (not cancelled), so that the columns add
-- up to the header: Total to TTicket, CargoAfiliado to TAfilia, Bonificacion (the insurer's share) to BPRAL.
-- The 1st, 3rd to 6th arguments are sent constant and not used.
CREATE PROCEDURE spConsultaCierre
    @pNumeroEjecucionSys int = 0,
    @pIdCierre int = NULL,
    @pIdPrestador int = NULL,
    @pFechaDesde varchar(10) = NULL,
    @pFechaHasta varchar(10) = NULL,
    @pOpcion int = NULL
AS
BEGIN
    SET NOCOUNT ON
    SELECT C.IdCierre AS Cierre, C.FechaServer AS FechaCierre,
           (SELECT MIN(X.Fecha_Prestacion) FROM Tickets X (NOLOCK) WHERE X.idCierre = C.IdCierre) AS FechaDesde,
           (SELECT MAX(X.Fecha_Prestacion) FROM Tickets X (NOLOCK) WHERE X.idCierre = C.IdCierre) AS FechaHasta,
           C.NumeroTramite, C.IdPrestador AS Prestador, P.Prestador_OS, P.Nombre AS NombrePrestador,
           ISNULL(TP.TipoPrestador, '') AS TipoPrestador, CONVERT(int, C.Cant_transac) AS CantTickets,
           C.TTicket, C.TAfilia, C.TDPrestador, C.BPRAL,
           T.IdTicket, T.Fecha_Prestacion AS FechaTicket, T.Num_Afil,
           (SELECT COUNT(*) FROM Item_Tickets IT (NOLOCK) WHERE IT.IdTicket = T.IdTicket) AS Items,
           ISNULL((SELECT SUM(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev)) FROM Item_Tickets IT (NOLOCK)
                   WHERE IT.IdTicket = T.IdTicket), 0) AS Total,
           ISNULL((SELECT SUM(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev)) FROM Item_Tickets IT (NOLOCK)
                   WHERE IT.IdTicket = T.IdTicket), 0) - T.Desc_al_afiliado AS CargoAfiliado,
           T.Desc_al_afiliado AS Bonificacion
    FROM Cierres C (NOLOCK)
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = C.IdPrestador
         LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
         INNER JOIN Tickets T (NOLOCK) ON T.idCierre = C.IdCierre
    WHERE C.IdCierre = @pIdCierre AND T.Anulado = 0
    ORDER BY T.IdTicket
END
