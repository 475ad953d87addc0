-- Closings still to be run (reports KP2 and KP3, layout CierresPendientes): per provider and month already
-- ended, the tickets that carry no closing, with what the closing would settle (tickets not cancelled; for
-- providers of practices, operations "11" and "31"). Provider 0 (or NULL) means every provider.
CREATE PROCEDURE AuxCierresPendientes
    @pIdPrestador int = 0
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @mes datetime
    SET @mes = CONVERT(datetime, CONVERT(char(6), GETDATE(), 112) + '01', 112)
    IF @pIdPrestador = 0
        SET @pIdPrestador = NULL
    SELECT Y.IdPrestador, P.Prestador_OS, P.Nombre AS NombrePrestador, ISNULL(TP.TipoPrestador, '') AS TipoPrestador,
           RIGHT(Y.Mes, 2) + '/' + LEFT(Y.Mes, 4) AS Periodo, Y.Desde, Y.Hasta, Y.Tickets, Y.Transacciones,
           Y.Importe, Y.ACargoOS
    FROM (SELECT X.IdPrestador, X.Mes, MIN(X.Fecha) AS Desde, MAX(X.Fecha) AS Hasta, COUNT(*) AS Tickets,
                 SUM(X.Cuenta) AS Transacciones, SUM(X.Importe) AS Importe, SUM(X.ACargoOS) AS ACargoOS
          FROM (SELECT T.IdPrestador, CONVERT(char(6), T.Fecha_Prestacion, 112) AS Mes, T.Fecha_Prestacion AS Fecha,
                       CASE WHEN T.Anulado = 0 THEN 1 ELSE 0 END AS Cuenta,
                       CASE WHEN T.Anulado = 0
                            THEN ISNULL((SELECT SUM(I.Precio * (I.Cantidad - I.Cantidad_Dev)) FROM Item_Tickets I (NOLOCK)
                                         WHERE I.IdTicket = T.IdTicket), 0)
                            ELSE 0 END AS Importe,
                       CASE WHEN T.Anulado = 0 THEN T.Desc_al_afiliado ELSE 0 END AS ACargoOS
                FROM Tickets T (NOLOCK)
                WHERE T.idCierre IS NULL AND T.Fecha_Prestacion < @mes
                  AND (@pIdPrestador IS NULL OR T.IdPrestador = @pIdPrestador)
                UNION ALL
                SELECT T.IdPrestador, CONVERT(char(6), T.FechaDePractica, 112), T.FechaDePractica,
                       CASE WHEN T.Anulado = 0 AND T.Operacion IN ('11', '31') THEN 1 ELSE 0 END,
                       CASE WHEN T.Anulado = 0 AND T.Operacion IN ('11', '31')
                            THEN ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0))
                                         FROM ItemTicketPrestador I (NOLOCK) WHERE I.IdTicket = T.IdTicket), 0)
                            ELSE 0 END,
                       CASE WHEN T.Anulado = 0 AND T.Operacion IN ('11', '31')
                            THEN ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0))
                                         FROM ItemTicketPrestador I (NOLOCK) WHERE I.IdTicket = T.IdTicket), 0)
                            ELSE 0 END
                FROM TicketPrestador T (NOLOCK)
                WHERE T.IdCierre IS NULL AND T.FechaDePractica < @mes
                  AND (@pIdPrestador IS NULL OR T.IdPrestador = @pIdPrestador)) X
          GROUP BY X.IdPrestador, X.Mes) Y
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = Y.IdPrestador
         LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
    ORDER BY P.Nombre, Y.IdPrestador, Y.Mes
END
