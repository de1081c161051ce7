// Validation of a record read from a file: every setting a window could
// never produce is put back to its default, so the rest of the program can
// rely on the ranges.  Stored booleans are settled by the reader, the only
// one that sees the number that was stored.
#include "core/codificacion.h"
#include "core/partida.h"

namespace parchis {

namespace {

// First character as typed (after leading blanks), the rest in lower case.
std::string NombreValidado(const std::string& nombre) {
    const std::string sinBlancos = QuitaBlancosIzquierda(nombre);
    const std::string primero = PrimerosCaracteres(sinBlancos, 1);
    return primero + MinusculasEspanol(std::string_view(sinBlancos).substr(primero.size()));
}

void Limita(Entero& campo, int min, int max, Entero defecto) {
    if (campo < min || campo > max) campo = defecto;
}

void ValidaPuestos(Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        p.Nombres[j] = NombreValidado(p.Nombres[j]);
        Limita(p.Nivel[j], 0, 100, 50);
        Limita(p.Control[j], 1, 3, 2);
        Limita(p.Caracter[j], 1, 3, 2);
        Limita(p.Estado[j], 1, 2, 1);
    }
}

void ValidaReglas(Partida& p) {
    Limita(p.Sentido, 1, 2, 2);
    Limita(p.ModoRed, 1, 2, 2);
    Limita(p.NumDados, 1, 2, 1);
    Limita(p.FichasPorJugador, 1, 2, 1);
    Limita(p.MetodoSalida, 1, 2, 1);
    Limita(p.MetodoCuenta, 1, 2, 2);
    Limita(p.MiPuerto, 1, 3, 1);
    // A stored 3 (no window produces it) passes, as it always has.
    Limita(p.ModoJuego, 1, 3, 1);
    Limita(p.SeisConTodas, 1, 3, 1);
    Limita(p.PrimeraFicha, 1, 3, 2);
    Limita(p.Velocidad, 0, 100, 50);
    Limita(p.PuestoMesa, 0, 3, 0);
}

}  // namespace

void ValidaPartida(Partida& p) {
    ValidaPuestos(p);
    ValidaReglas(p);
    // The derived counts follow the validated fields they come from.
    p.NumFichas = static_cast<Entero>(FichasSegunRegla(p));
    CuentaJugadores(p);
    // The next piece to leave a box is the lowest-numbered one in it, as the
    // mover keeps it: a damaged file could name a piece the seat does not
    // have, which would then be moved.
    for (int j = 1; j <= 4; ++j) {
        Limita(p.SiguienteSalida[j], 1, p.NumFichas, 1);
        RefrescaSalida(p, j);
    }
}

}  // namespace parchis
