-- Re-values a provider's tickets that are not closed yet (@pIdTicket 0: all of them; otherwise that one
-- ticket, which must be the provider's and not closed) with today's values, as the demo prices them:
--   pharmacies: each item takes the medicine's current price (a return keeps its sign); the ticket's
--     Desc_al_afiliado is again the sum of the insurer's shares (Desc_Os percent of each item's amount, in
--     cents) and desc_os that sum times the pharmacy's Desc_a_OS percent;
--   providers of practices: each item takes the provider's value of the practice in force today (and points
--     at it), or else the nomenclature's value.
-- A refusal comes back in @oError (<> 0) and @oComentario, with nothing changed.
CREATE PROCEDURE spActualizaTickets
    @pIDPrestador int,
    @pIdTicket int,
    @oError int OUTPUT,
    @oComentario char(30) OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @existe int, @tipo smallint, @farmacia bit, @esta int, @cerrado int, @hoy datetime
    SELECT @oError = 0, @oComentario = ''
    SET @pIdTicket = ISNULL(@pIdTicket, 0)
    SELECT @existe = 1, @tipo = IdTipoPrestador FROM Prestadores (NOLOCK) WHERE IdPrestador = @pIDPrestador
    IF @existe IS NULL
    BEGIN
        SELECT @oError = 4, @oComentario = 'Prestador inexistente'
        RETURN @oError
    END
    SET @farmacia = CASE WHEN ISNULL(@tipo, 0) IN (1, 14) THEN 1 ELSE 0 END
    IF @pIdTicket <> 0
    BEGIN
        IF @farmacia = 1
            SELECT @esta = 1, @cerrado = CASE WHEN idCierre IS NULL THEN 0 ELSE 1 END
                FROM Tickets (NOLOCK) WHERE IdTicket = @pIdTicket AND IdPrestador = @pIDPrestador
        ELSE
            SELECT @esta = 1, @cerrado = CASE WHEN IdCierre IS NULL THEN 0 ELSE 1 END
                FROM TicketPrestador (NOLOCK) WHERE IdTicket = @pIdTicket AND IdPrestador = @pIDPrestador
        IF @esta IS NULL
        BEGIN
            SELECT @oError = 15, @oComentario = 'Ticket inexistente'
            RETURN @oError
        END
        IF @cerrado = 1
        BEGIN
            SELECT @oError = 17, @oComentario = 'Ticket incluido en un cierre'
            RETURN @oError
        END
    END

    SET @hoy = CONVERT(datetime, CONVERT(char(8), GETDATE(), 112))
    BEGIN TRANSACTION
    IF @farmacia = 1
    BEGIN
        UPDATE I SET Precio = CASE WHEN I.Precio < 0 THEN -M.Precio ELSE M.Precio END
            FROM Item_Tickets I
            INNER JOIN Tickets T ON T.IdTicket = I.IdTicket
            INNER JOIN Medicamentos M ON M.Troquel = I.Troquel
            WHERE T.IdPrestador = @pIDPrestador AND T.idCierre IS NULL
              AND (@pIdTicket = 0 OR T.IdTicket = @pIdTicket)
        -- In whole cents, rounded half away from zero, as the tickets were priced.
        UPDATE Tickets
            SET Desc_al_afiliado = ISNULL((SELECT SUM(ROUND(ROUND(I.Precio * 100, 0) * (I.Cantidad - I.Cantidad_Dev)
                                                            * I.Desc_Os / 100.0, 0))
                                               FROM Item_Tickets I WHERE I.IdTicket = Tickets.IdTicket), 0) / 100.0
            WHERE IdPrestador = @pIDPrestador AND idCierre IS NULL AND (@pIdTicket = 0 OR IdTicket = @pIdTicket)
        UPDATE Tickets
            SET desc_os = ROUND(ROUND(Desc_al_afiliado * 100, 0)
                                * ISNULL((SELECT P.Desc_a_OS FROM Prestadores P WHERE P.IdPrestador = Tickets.IdPrestador), 0)
                                / 100.0, 0) / 100.0
            WHERE IdPrestador = @pIDPrestador AND idCierre IS NULL AND (@pIdTicket = 0 OR IdTicket = @pIdTicket)
    END
    ELSE
    BEGIN
        UPDATE I
            SET idPrestadorPractica = (SELECT MAX(V.IdPrestadorPractica) FROM PrestadorPracticas V
                                           WHERE V.IdPrestador = T.IdPrestador AND V.PracticaOS = I.Practica
                                             AND V.FechaDesde <= @hoy
                                             AND (V.FechaHasta IS NULL OR V.FechaHasta >= @hoy))
            FROM ItemTicketPrestador I
            INNER JOIN TicketPrestador T ON T.IdTicket = I.IdTicket
            WHERE T.IdPrestador = @pIDPrestador AND T.IdCierre IS NULL
              AND (@pIdTicket = 0 OR T.IdTicket = @pIdTicket)
        UPDATE I
            SET ValorNomenclador = ISNULL((SELECT V.Valor FROM PrestadorPracticas V
                                               WHERE V.IdPrestadorPractica = I.idPrestadorPractica),
                                          ISNULL((SELECT P.ValorNomenclador FROM Practicas P
                                                      WHERE P.PracticaOS = I.Practica), I.ValorNomenclador))
            FROM ItemTicketPrestador I
            INNER JOIN TicketPrestador T ON T.IdTicket = I.IdTicket
            WHERE T.IdPrestador = @pIDPrestador AND T.IdCierre IS NULL
              AND (@pIdTicket = 0 OR T.IdTicket = @pIdTicket)
    END
    COMMIT TRANSACTION
    RETURN 0
END
