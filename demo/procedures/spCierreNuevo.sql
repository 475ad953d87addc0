-- A new closing: the provider's tickets not yet closed from @pFechaDesde to @pFechaHasta (both 'yyyymmdd',
-- whole days) take the new closing's number, and the closing gets the figures spTotalesCierre computes,
-- the server's date and the day's processing number (one tteLog row per day on which closings run, counting
-- their tickets). Called by spGeneraCierre (pharmacies) and spGeneraCierrePrestador (providers of
-- practices); a refusal leaves everything as it was and says why in @oError / @oComentario.
CREATE PROCEDURE spCierreNuevo
    @pIdPrestador int,
    @pFarmacia bit,
    @pFechaDesde char(8),
    @pFechaHasta char(8),
    @oIdCierre int OUTPUT,
    @oError int OUTPUT,
    @oComentario char(30) OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @existe int, @tipo smallint, @desde datetime, @hasta datetime
    DECLARE @pendientes int, @cerrados int, @cierre int, @tramite int, @dia char(8), @ahora datetime
    DECLARE @cantidad int, @total money, @bonificacion money, @descuento money, @tickets int
    SELECT @oIdCierre = 0, @oError = 0, @oComentario = ''

    SELECT @existe = 1, @tipo = IdTipoPrestador FROM Prestadores (NOLOCK) WHERE IdPrestador = @pIdPrestador
    IF @existe IS NULL
    BEGIN
        SELECT @oError = 4, @oComentario = 'Prestador inexistente'
        RETURN @oError
    END
    IF @pFarmacia = 1 AND ISNULL(@tipo, 0) NOT IN (1, 14)
    BEGIN
        SELECT @oError = 39, @oComentario = 'El prestador no es farmacia'
        RETURN @oError
    END
    IF @pFarmacia = 0 AND ISNULL(@tipo, 0) IN (1, 14)
    BEGIN
        SELECT @oError = 39, @oComentario = 'El prestador es una farmacia'
        RETURN @oError
    END
    SET @desde = @pFechaDesde
    SET @hasta = DATEADD(D, 1, @pFechaHasta)
    IF @desde >= @hasta
    BEGIN
        SELECT @oError = 28, @oComentario = 'Período de cierre inválido'
        RETURN @oError
    END

    IF @pFarmacia = 1
        SELECT @pendientes = ISNULL(SUM(CASE WHEN idCierre IS NULL THEN 1 ELSE 0 END), 0), @cerrados = COUNT(*)
            FROM Tickets (NOLOCK)
            WHERE IdPrestador = @pIdPrestador AND Fecha_Prestacion >= @desde AND Fecha_Prestacion < @hasta
    ELSE
        SELECT @pendientes = ISNULL(SUM(CASE WHEN IdCierre IS NULL THEN 1 ELSE 0 END), 0), @cerrados = COUNT(*)
            FROM TicketPrestador (NOLOCK)
            WHERE IdPrestador = @pIdPrestador AND FechaDePractica >= @desde AND FechaDePractica < @hasta
    IF @pendientes = 0
    BEGIN
        IF @cerrados > 0
            SELECT @oError = 27, @oComentario = 'Período ya cerrado'
        ELSE
            SELECT @oError = 41, @oComentario = 'No hay tickets en el período'
        RETURN @oError
    END

    -- Whole seconds, as every date of the database.
    SET @ahora = CONVERT(datetime, CONVERT(varchar(19), GETDATE(), 120))
    SET @dia = CONVERT(char(8), @ahora, 112)
    BEGIN TRANSACTION
    SELECT @cierre = ISNULL(MAX(IdCierre), 0) + 1 FROM Cierres
    IF @pFarmacia = 1
        UPDATE Tickets SET idCierre = @cierre
            WHERE IdPrestador = @pIdPrestador AND idCierre IS NULL
              AND Fecha_Prestacion >= @desde AND Fecha_Prestacion < @hasta
    ELSE
        UPDATE TicketPrestador SET IdCierre = @cierre
            WHERE IdPrestador = @pIdPrestador AND IdCierre IS NULL
              AND FechaDePractica >= @desde AND FechaDePractica < @hasta
    EXEC spTotalesCierre @pIdPrestador, @cierre, NULL, NULL, @cantidad OUTPUT, @total OUTPUT,
        @bonificacion OUTPUT, @descuento OUTPUT, @tickets OUTPUT

    SELECT @tramite = NumeroTramite FROM tteLog WHERE Archivo LIKE 'TRAM' + @dia + '[_]%'
    IF @tramite IS NULL
    BEGIN
        SELECT @tramite = ISNULL(MAX(NumeroTramite), 1000) + 1 FROM tteLog
        INSERT INTO tteLog (Archivo, CantidadRegistros, NumeroTramite)
            VALUES ('TRAM' + @dia + '_' + CONVERT(varchar(10), @tramite) + '.TXT', @tickets, @tramite)
    END
    ELSE
        UPDATE tteLog SET CantidadRegistros = ISNULL(CantidadRegistros, 0) + @tickets
            WHERE NumeroTramite = @tramite

    INSERT INTO Cierres (IdCierre, IdPrestador, Cant_transac, TTicket, TAfilia, TDPrestador, BPRAL,
                         NumeroTramite, FechaServer)
        VALUES (@cierre, @pIdPrestador, @cantidad, @total, @total - @bonificacion, @descuento, @bonificacion,
                @tramite, @ahora)
    COMMIT TRANSACTION
    SET @oIdCierre = @cierre
    RETURN 0
END
