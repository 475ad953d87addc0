-- The data of one closing for the closings window, in five result sets:
--   1 the header (one row): Error 0 when found, else 1 with the reason in Comentario;
--   2 the tickets the closing settles;
--   3 the "Obligatorio" discount lines: the insurer's share by percentage, for the items of the plan's
--     coverage;
--   4 the closing's other tickets (cancelled, and operations of providers of practices that are not
--     settled);
--   5 the "Directo" discount lines: the same for the items of the programmes (OrigenDescuento 6, 7, 10).
-- With a closing (and optionally its provider, which must match) it shows that closing. With a provider and
-- no closing it shows the provider's tickets not yet closed (from @pFechaDesde to @pFechaHasta, whole days,
-- when given) with the figures a closing of them would have, as a preview with Cierre 0. Pharmacies (types
-- 1 and 14) read Tickets, other providers TicketPrestador. Every set comes back even when Error is 1.
CREATE PROCEDURE spDatosCierre
    @pNumeroEjecucionSys int = 0,
    @pIdCierre int = NULL,
    @pIdPrestador int = NULL,
    @pFechaDesde varchar(10) = NULL,
    @pFechaHasta varchar(10) = NULL,
    @pOpcion int = NULL
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @error int, @comentario varchar(60), @cierre int, @prestador int, @tipo smallint, @farmacia bit
    DECLARE @nombre char(50), @fechaCierre datetime, @tramite int, @desde datetime, @hasta datetime
    DECLARE @primero datetime, @ultimo datetime, @cantidad int, @total money, @bonificacion money
    DECLARE @descuento money, @tickets int, @devueltos int, @anulados int, @porcentajeFarmacia numeric(5,2)
    SELECT @error = 0, @comentario = '', @cierre = ISNULL(@pIdCierre, 0)

    IF @cierre <> 0
    BEGIN
        SELECT @prestador = IdPrestador, @cantidad = Cant_transac, @total = TTicket, @bonificacion = BPRAL,
               @descuento = TDPrestador, @tramite = NumeroTramite, @fechaCierre = FechaServer
            FROM Cierres (NOLOCK) WHERE IdCierre = @cierre
        IF @prestador IS NULL
            SELECT @error = 1, @comentario = 'No existe el cierre ' + CONVERT(varchar(10), @cierre)
        ELSE IF ISNULL(@pIdPrestador, 0) <> 0 AND @pIdPrestador <> @prestador
            SELECT @error = 1, @comentario = 'El cierre ' + CONVERT(varchar(10), @cierre)
                                             + ' no es del prestador ' + CONVERT(varchar(10), @pIdPrestador)
    END
    ELSE IF ISNULL(@pIdPrestador, 0) <> 0
    BEGIN
        SELECT @prestador = IdPrestador FROM Prestadores (NOLOCK) WHERE IdPrestador = @pIdPrestador
        IF @prestador IS NULL
            SELECT @error = 1, @comentario = 'No existe el prestador ' + CONVERT(varchar(10), @pIdPrestador)
        IF ISNULL(@pFechaDesde, '') <> ''
            SET @desde = @pFechaDesde
        IF ISNULL(@pFechaHasta, '') <> ''
            SET @hasta = DATEADD(D, 1, CONVERT(datetime, @pFechaHasta))
    END
    ELSE
        SELECT @error = 1, @comentario = 'Falta el número de cierre o de prestador'
    IF @error <> 0
        SET @prestador = NULL

    IF @prestador IS NOT NULL
    BEGIN
        SELECT @tipo = IdTipoPrestador, @nombre = Nombre, @porcentajeFarmacia = ISNULL(Desc_a_OS, 0)
            FROM Prestadores (NOLOCK) WHERE IdPrestador = @prestador
        IF @cierre = 0
            EXEC spTotalesCierre @prestador, 0, @desde, @hasta, @cantidad OUTPUT, @total OUTPUT,
                @bonificacion OUTPUT, @descuento OUTPUT, @tickets OUTPUT
    END
    SET @farmacia = CASE WHEN ISNULL(@tipo, 0) IN (1, 14) THEN 1 ELSE 0 END

    IF @farmacia = 1
        SELECT @primero = MIN(T.Fecha_Prestacion), @ultimo = MAX(T.Fecha_Prestacion),
               @anulados = ISNULL(SUM(CASE WHEN T.Anulado = 1 THEN 1 ELSE 0 END), 0),
               @devueltos = ISNULL(SUM(CASE WHEN T.Anulado = 0 AND EXISTS (SELECT 1 FROM Item_Tickets I (NOLOCK)
                                                WHERE I.IdTicket = T.IdTicket AND (I.Precio < 0 OR I.Cantidad_Dev > 0))
                                            THEN 1 ELSE 0 END), 0)
            FROM Tickets T (NOLOCK)
            WHERE T.IdPrestador = @prestador
              AND ((@cierre <> 0 AND T.idCierre = @cierre)
                   OR (@cierre = 0 AND T.idCierre IS NULL AND (@desde IS NULL OR T.Fecha_Prestacion >= @desde)
                       AND (@hasta IS NULL OR T.Fecha_Prestacion < @hasta)))
    ELSE
        SELECT @primero = MIN(T.FechaDePractica), @ultimo = MAX(T.FechaDePractica),
               @anulados = ISNULL(SUM(CASE WHEN T.Anulado = 1 THEN 1 ELSE 0 END), 0),
               @devueltos = ISNULL(SUM(CASE WHEN T.Anulado = 0 AND T.Operacion NOT IN ('11', '31') THEN 1 ELSE 0 END), 0)
            FROM TicketPrestador T (NOLOCK)
            WHERE T.IdPrestador = @prestador
              AND ((@cierre <> 0 AND T.IdCierre = @cierre)
                   OR (@cierre = 0 AND T.IdCierre IS NULL AND (@desde IS NULL OR T.FechaDePractica >= @desde)
                       AND (@hasta IS NULL OR T.FechaDePractica < @hasta)))

    -- 1: the header.
    SELECT @error AS Error, @comentario AS Comentario, @tipo AS TipoPrestador, @prestador AS Prestador,
           @nombre AS NombreFarmacia,
           ISNULL(CONVERT(char(8), @fechaCierre, 112), '') AS FechaCierre,
           ISNULL(CONVERT(char(8), @primero, 112), '') AS FechaDesde,
           ISNULL(CONVERT(char(5), @primero, 108), '') AS HoraDesde,
           ISNULL(CONVERT(char(8), @ultimo, 112), '') AS FechaHasta,
           ISNULL(CONVERT(char(5), @ultimo, 108), '') AS HoraHasta,
           @cantidad AS CantTickets, @devueltos AS CantDevueltos, @anulados AS CantAnulados,
           @total AS TotalTicket, @bonificacion AS TBonificacion,
           CASE WHEN @total <> 0 AND ABS(@bonificacion * 100.0 / @total) < 1000
                THEN CONVERT(numeric(5,2), @bonificacion * 100.0 / @total) END AS PorcBonificacion,
           @descuento AS TDctoPRAL, @porcentajeFarmacia AS PorcDescuento,
           CONVERT(money, @bonificacion - @descuento) AS APagarPorPRAL,
           CASE WHEN @prestador IS NULL THEN NULL ELSE ISNULL(@tramite, 0) END AS NumeroTramite,
           @cierre AS Cierre

    -- 2: the tickets settled.
    IF @farmacia = 1
        SELECT T.IdTicket, T.Num_Afil,
               ISNULL((SELECT SUM(I.Cantidad - I.Cantidad_Dev) FROM Item_Tickets I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS CantidadMedicamentos,
               ISNULL((SELECT SUM((I.Cantidad - I.Cantidad_Dev) * I.Precio) FROM Item_Tickets I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS Total,
               CONVERT(char(10), CASE WHEN EXISTS (SELECT 1 FROM Item_Tickets I (NOLOCK) WHERE I.IdTicket = T.IdTicket
                                                       AND (I.Precio < 0 OR I.Cantidad_Dev > 0))
                                      THEN 'Devolución' ELSE 'Normal' END) AS Tipo
            FROM Tickets T (NOLOCK)
            WHERE T.IdPrestador = @prestador AND T.Anulado = 0
              AND ((@cierre <> 0 AND T.idCierre = @cierre)
                   OR (@cierre = 0 AND T.idCierre IS NULL AND (@desde IS NULL OR T.Fecha_Prestacion >= @desde)
                       AND (@hasta IS NULL OR T.Fecha_Prestacion < @hasta)))
            ORDER BY T.IdTicket
    ELSE
        SELECT T.IdTicket, T.Asociado AS Num_Afil,
               ISNULL((SELECT SUM(I.Cantidad) FROM ItemTicketPrestador I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS CantidadMedicamentos,
               ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)) FROM ItemTicketPrestador I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS Total,
               CONVERT(char(10), 'Op. ' + T.Operacion) AS Tipo
            FROM TicketPrestador T (NOLOCK)
            WHERE T.IdPrestador = @prestador AND T.Anulado = 0 AND T.Operacion IN ('11', '31')
              AND ((@cierre <> 0 AND T.IdCierre = @cierre)
                   OR (@cierre = 0 AND T.IdCierre IS NULL AND (@desde IS NULL OR T.FechaDePractica >= @desde)
                       AND (@hasta IS NULL OR T.FechaDePractica < @hasta)))
            ORDER BY T.IdTicket

    -- 3: the "Obligatorio" lines.
    IF @farmacia = 1
        EXEC spLineasCierre @prestador, @cierre, @desde, @hasta, @porcentajeFarmacia, 0
    ELSE
        SELECT CONVERT(numeric(5,2), 100) AS Desc_OS, CONVERT(money, @total) AS TotalDescuento,
               CONVERT(money, 0) AS CargoAfiliado, CONVERT(money, @total) AS BonifAPRAL,
               CONVERT(money, 0) AS BonifFarmacia
            WHERE @prestador IS NOT NULL AND @cantidad > 0

    -- 4: the other tickets.
    IF @farmacia = 1
        SELECT T.IdTicket, T.Num_Afil,
               ISNULL((SELECT SUM(I.Cantidad - I.Cantidad_Dev) FROM Item_Tickets I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS CantidadMedicamentos,
               ISNULL((SELECT SUM((I.Cantidad - I.Cantidad_Dev) * I.Precio) FROM Item_Tickets I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS Total,
               CONVERT(char(10), 'Anulado') AS Tipo
            FROM Tickets T (NOLOCK)
            WHERE T.IdPrestador = @prestador AND T.Anulado = 1
              AND ((@cierre <> 0 AND T.idCierre = @cierre)
                   OR (@cierre = 0 AND T.idCierre IS NULL AND (@desde IS NULL OR T.Fecha_Prestacion >= @desde)
                       AND (@hasta IS NULL OR T.Fecha_Prestacion < @hasta)))
            ORDER BY T.IdTicket
    ELSE
        SELECT T.IdTicket, T.Asociado AS Num_Afil,
               ISNULL((SELECT SUM(I.Cantidad) FROM ItemTicketPrestador I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS CantidadMedicamentos,
               ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)) FROM ItemTicketPrestador I (NOLOCK)
                           WHERE I.IdTicket = T.IdTicket), 0) AS Total,
               CONVERT(char(10), CASE WHEN T.Anulado = 1 THEN 'Anulado' ELSE 'Op. ' + T.Operacion END) AS Tipo
            FROM TicketPrestador T (NOLOCK)
            WHERE T.IdPrestador = @prestador AND (T.Anulado = 1 OR T.Operacion NOT IN ('11', '31'))
              AND ((@cierre <> 0 AND T.IdCierre = @cierre)
                   OR (@cierre = 0 AND T.IdCierre IS NULL AND (@desde IS NULL OR T.FechaDePractica >= @desde)
                       AND (@hasta IS NULL OR T.FechaDePractica < @hasta)))
            ORDER BY T.IdTicket

    -- 5: the "Directo" lines.
    IF @farmacia = 1
        EXEC spLineasCierre @prestador, @cierre, @desde, @hasta, @porcentajeFarmacia, 1
    ELSE
        SELECT CONVERT(numeric(5,2), 100) AS Desc_OS, CONVERT(money, 0) AS TotalDescuento,
               CONVERT(money, 0) AS CargoAfiliado, CONVERT(money, 0) AS BonifAPRAL, CONVERT(money, 0) AS BonifFarmacia
            WHERE 1 = 0
    RETURN @error
END
