// The game record: one value that holds the whole game (seats, pieces,
// squares, the throw, the move log, the house rules, the preferences, the
// network settings and the working flags).  Modules take it by reference.
//
// Numbers are 16-bit as in the saved files; booleans are plain bool in
// memory and become -1 / 0 only in the text form.  Per-seat arrays are
// indexed 1..4 and element 0 is unused; pieces are 1..8.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace parchis {

using Entero = std::int16_t;

inline constexpr int MaxFichas = 8;         // pieces per seat at most
inline constexpr int NumCasillas = 100;     // squares 1..100 (0 = waiting box)
inline constexpr int CrecimientoLog = 40;   // the move log grows by this many entries

// One square's occupants.  Slots 1..3 are used; 0 in Jugador means empty.
struct Casilla {
    std::array<Entero, 4> Jugador{};
    std::array<Entero, 4> Pieza{};
    bool operator==(const Casilla&) const = default;
};

// One entry of the move log (thirteen integer fields, in file order).
struct Jugada {
    Entero Jugador = 0;        // seat that moved; kind 6: seat whose piece was sent back
    Entero Autor = 0;          // kind 6: capturing seat; kind 7: seat chosen for the manual move
    Entero Dado1 = 0;
    Entero Dado2 = 0;
    Entero ValorCuenta = 0;
    Entero TipoJugada = 0;
    Entero FichaJugada = 0;
    Entero IndiceValor = 0;
    Entero CasillaOrigen = 0;
    Entero CasillaFinal = 0;
    Entero Repeticiones = 0;   // 3 is recorded as 0
    Entero InicioTirada = 0;   // 1 on the first entry after a throw and on kind 7
    Entero Detalle = 0;        // outcome code 0..7
    // Not stored in files: the occupant slot the piece left at its origin,
    // so that undoing the entry puts it back exactly (0 = unknown).
    Entero HuecoOrigen = 0;
    // Not stored in files either (added with the log replay): SiguienteSalida
    // of the seat whose piece the entry moved, before the entry was played
    // (0 = unknown).  Undoing restores it even when the box empties again,
    // where the "lowest piece in the box" rule would leave it unchanged.
    Entero SalidaAnterior = 0;
    bool operator==(const Jugada&) const = default;
};

// The computer player's chosen move.
struct EleccionJugada {
    Entero Ficha = 0;
    Entero Valor = 0;
    Entero Indice = 0;
    Entero Origen = 0;
    Entero Destino = 0;
    Entero Tipo = 0;
    bool operator==(const EleccionJugada&) const = default;
};

struct Partida {
    // Whole-record comparison: tests check that an operation left the
    // record exactly as it was.
    bool operator==(const Partida&) const = default;

    // --- seats ---------------------------------------------------------
    std::array<std::string, 5> Nombres{};   // at most 9 characters (UTF-8 in memory)
    std::array<Entero, 5> Estado{};         // 1 Activado, 2 Desactivado
    std::array<Entero, 5> Control{};        // 1 Manual, 2 Automático, 3 Remoto
    std::array<Entero, 5> Nivel{};          // 0..100
    std::array<Entero, 5> Caracter{};       // 1 Conservador, 2 Medio, 3 Agresivo
    std::array<Entero, 5> EnEspera{};       // pieces in the waiting box
    std::array<Entero, 5> EnCasa{};         // pieces at home
    std::array<Entero, 5> SiguienteSalida{};// next piece to leave the box
    std::array<std::array<Entero, MaxFichas + 1>, 5> Fichas{};  // [seat][piece] = square
    std::array<Casilla, NumCasillas + 1> Casillas{};
    Entero NumFichas = 4;                   // 4 or 8
    Entero NumJugadores = 0;                // seats with Estado 1

    // --- current throw and move -----------------------------------------
    Entero Dado1 = 0;
    Entero Dado2 = 0;
    Entero ValorCuenta = 0;
    Entero TipoJugada = 0;
    Entero FichaJugada = 0;
    Entero IndiceValor = 0;
    Entero CasillaOrigen = 0;
    Entero CasillaFinal = 0;
    Entero Repeticiones = 0;

    // --- working fields of a throw (never stored) -------------------------
    std::array<Entero, 6> ValoresCuenta{};
    Entero ModoValores = 1;
    Entero ValoresUsados = 0;
    std::array<bool, 6> ValorUsado{};
    bool AbrirBarrera = false;
    bool ComerObligado = false;
    bool SacarObligado = false;
    Entero SalidaDoble = 0;
    Entero JugadorComido = 0;
    bool EsperandoTirada = false;
    bool EsperandoFicha = false;
    bool TiradaNueva = false;
    bool CargandoPartida = false;

    // --- results of the move rules ----------------------------------------
    Entero CasillaDestino = -1;
    std::array<bool, MaxFichas + 1> FichaMovible{};
    Entero NumBarreras = 0;
    std::array<Entero, MaxFichas + 1> FichasBarrera{};
    bool HayCapturaPosible = false;
    Entero Bonificacion = 0;

    // --- the computer player's choice and the prompt facts -----------------
    EleccionJugada JugadaElegida{};
    Entero NumFichasMovibles = 0;
    Entero NumValoresDesglose = 0;
    bool DesgloseObligado = false;
    bool PuedeSacar = false;
    std::array<std::array<Entero, 6>, MaxFichas + 1> Destinos{};  // [piece][1..5]
    Entero CortesBusqueda = 0;              // searches cut by the time guard this game

    // --- counting panel of a person's move ----------------------------------
    std::array<bool, 5> ValorMarcado{};
    std::string Indicacion;

    // --- move log ---------------------------------------------------------
    std::vector<Jugada> Jugadas = std::vector<Jugada>(CrecimientoLog + 1);
    Entero NumJugada = 0;
    // The move list shown beside the board: one string per line.
    std::vector<std::string> ListaJugadas;

    // --- game progress --------------------------------------------------------
    Entero Turno = 0;
    bool PartidaIniciada = false;
    std::string IdPartida = "    ";          // exactly four characters
    Entero PuestoAdmin = 0;

    // --- rules --------------------------------------------------------------
    Entero ModoJuego = 1;          // 1 Individual, 2 Parejas
    Entero NumDados = 1;
    Entero FichasPorJugador = 1;   // 1 four pieces, 2 eight pieces
    Entero SeisConTodas = 1;
    Entero PrimeraFicha = 2;
    Entero MetodoSalida = 1;
    Entero MetodoCuenta = 2;
    bool SalidaCon5 = true;
    bool SalidaObligatoria = true;
    bool BonoComerSaliendo = true;
    bool BarreraSalida = true;
    bool BarreraSeguro = true;
    bool BarreraBlancas = true;
    bool BarreraCompaneros = false;
    bool ComerObligatorio = false;

    // --- preferences and network settings -------------------------------------
    Entero Sentido = 2;            // 1 Directo, 2 Inverso
    bool Sonido = true;
    bool PausaEntreJugadas = true;
    bool TutorAutomatico = true;
    bool IndicarDestino = true;
    Entero Velocidad = 50;
    Entero PuestoMesa = 0;
    bool JugarEnRed = false;       // never stored in the game's files
    // The switch as the player settings window was last left, kept in the
    // program's own settings file: offered again when the window opens
    // outside network play.
    bool JugarEnRedRecordado = false;
    Entero ModoRed = 2;            // 1 Administrador, 2 Cliente
    Entero MiPuerto = 1;           // 1..3 for ports 49921..49923
    std::string IPAdministrador;   // as read: up to 15 characters
    // Network play through a room server (parchis-sala) instead of a direct
    // connection; ours alone, never stored in ZRVEL34.INI.
    bool JugarPorSala = false;
    std::string ServidorSala;      // "host" or "host:port"
    std::string CodigoSala;        // the room a client joins

    // --- working fields ---------------------------------------------------------
    bool LeyendoSimulacion = false;
    bool CargaCorrecta = false;
    bool PartidaCargada = false;
    std::string Carpeta;           // data folder, always ending in '/'
    // ZRVEL34.INI is there but could not be read at start-up: this run
    // leaves it as it is, so that the person can still repair it.
    bool ConservarIni = false;

    // --- requests the settings windows leave for the main window ---------------
    // Acted on once the window that set them has closed.
    bool PedirNuevaPartida = false;
    bool PedirInicioRed = false;
    bool PedirRestaurarAnterior = false;   // load the situation before network play

    // --- turn engine and network queue (added with the turn engine) -----------
    // Received network messages that the engine and the opening draw wait
    // for: each entry is its two-digit code and payload, without "ZRA34".
    std::string ColaRed;
    // The turn line of the status bar ("Luis lanza el dado").
    std::string TextoTurno;
};

// Number of pieces per seat that the rule field asks for (4 or 8).
inline int FichasSegunRegla(const Partida& p) { return p.FichasPorJugador == 2 ? 8 : 4; }

// Pieces per seat as the rules count them, kept inside the arrays whatever
// the record says (1..MaxFichas).
inline int PiezasDe(const Partida& p) {
    return p.NumFichas < 1 ? 1 : (p.NumFichas > MaxFichas ? MaxFichas : p.NumFichas);
}

// Recounts NumJugadores from Estado.
void CuentaJugadores(Partida& p);

// SiguienteSalida of `jugador` (1..4) becomes its lowest-numbered piece in
// the waiting box; it is left as it was when none is there.
void RefrescaSalida(Partida& p, int jugador);

// Grows the log by 40 entries at a time (keeping them) until n is below its
// upper bound.
void AseguraLog(Partida& p, int n);

// Validation applied after a state file is read (names, ranges, booleans).
// Booleans are validated by the reader, which alone sees the stored number.
void ValidaPartida(Partida& p);

// Every piece in its box, squares empty, counters of a new game.
void VaciaTablero(Partida& p);
// Board reset of a new game: the board emptied and a log of 40 entries.
void ReiniciaTablero(Partida& p);

}  // namespace parchis
