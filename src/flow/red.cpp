#include "flow/red.h"

#include <cstdio>

namespace parchis {

namespace {

constexpr std::size_t LargoTirada = 6;       // "01" + 4 digits
constexpr std::size_t LargoMovimiento = 20;  // "06" + 18 characters

// The number written in `largo` digits at `desde`, or -1 when any of them
// is not a digit.
int Digitos(const std::string& s, std::size_t desde, std::size_t largo) {
    int n = 0;
    for (std::size_t i = desde; i < desde + largo; ++i) {
        if (i >= s.size() || s[i] < '0' || s[i] > '9') return -1;
        n = n * 10 + (s[i] - '0');
    }
    return n;
}

std::string Ceros(int valor, int ancho) {
    char b[16];
    std::snprintf(b, sizeof b, "%0*d", ancho, valor);
    return b;
}

bool EsCliente(const Partida& p) { return p.JugarEnRed && p.ModoRed == 2; }

// The length of a queued entry with this code, 0 for one never queued.
std::size_t LargoEntrada(std::string_view codigo) {
    if (codigo == "01") return LargoTirada;
    if (codigo == "06") return LargoMovimiento;
    if (codigo == "02" || codigo == "03") return 3;
    return 0;
}

int Gira(int casilla, int puestos) {
    if (casilla >= 1 && casilla <= 68) {
        const int v = casilla + 17 * puestos;
        return v >= 69 ? v - 68 : v;
    }
    if (casilla >= 69 && casilla <= 100) {
        const int v = casilla + 8 * puestos;
        return v >= 101 ? v - 32 : v;
    }
    return casilla;
}

struct Recibido {
    int numero, dado1, dado2, valor, tipo, ficha, indice, origen, destino;
};

bool TipoRemoto(int tipo) {
    return (tipo >= 1 && tipo <= 5) || (tipo >= 8 && tipo <= 10);
}

// A move that this position can carry out without damage: a known kind, a
// piece of the seat standing where the move says it starts, squares on the
// board.  Legality is the sender's business; consistency is ours.
bool Coherente(const Partida& p, const Recibido& r) {
    if (!TipoRemoto(r.tipo) || r.dado1 > 6 || r.dado2 > 6 || r.indice > 4) return false;
    if (r.origen > NumCasillas || r.destino > NumCasillas) return false;
    if (r.ficha == 0) return r.tipo == 1 || r.tipo == 2;
    return r.ficha <= p.NumFichas && r.destino >= 1 && p.Fichas[p.Turno][r.ficha] == r.origen;
}

}  // namespace

bool EsRemoto(const Partida& p) {
    if (!p.JugarEnRed) return false;
    if (p.ModoRed == 1) return p.Control[p.Turno] == 3;
    return p.Turno != 4;
}

bool SigueRemoto(const Partida& p) { return p.ModoRed == 2 || p.Control[p.Turno] == 3; }

int ConvertirPuesto(const Partida& p, int puestoAdmin) {
    const int local = puestoAdmin + 4 - p.PuestoAdmin;
    return local > 4 ? local - 4 : local;
}

int ConvertirCasillaEntrada(const Partida& p, int casilla) { return Gira(casilla, p.PuestoAdmin); }

int ConvertirCasillaSalida(const Partida& p, int casilla) { return Gira(casilla, 4 - p.PuestoAdmin); }

std::string TextoTirada(const Partida& p) {
    return "ZRA3401" + Ceros(p.Dado1, 2) + Ceros(p.Dado2, 2);
}

std::string TextoMovimiento(const Partida& p) {
    const bool cliente = EsCliente(p);
    const int origen = cliente ? ConvertirCasillaSalida(p, p.CasillaOrigen) : p.CasillaOrigen;
    const int destino = cliente ? ConvertirCasillaSalida(p, p.CasillaFinal) : p.CasillaFinal;
    return "ZRA3406" + Ceros(p.NumJugada, 4) + Ceros(p.Dado1, 1) + Ceros(p.Dado2, 1) +
           Ceros(p.ValorCuenta, 2) + Ceros(p.TipoJugada, 2) + Ceros(p.FichaJugada, 1) +
           Ceros(p.IndiceValor, 1) + Ceros(origen, 3) + Ceros(destino, 3);
}

void EnviaDelTurno(const Partida& p, Interfaz& ui, const std::string& texto) {
    if (!p.JugarEnRed) return;
    if (p.ModoRed == 1)
        ui.EnviaRed(texto, p.Turno);
    else if (p.Turno == 4)
        ui.EnviaRed(texto, 0);
}

bool TomaTirada(Partida& p) {
    std::size_t i;
    while ((i = Cabeza(p, "01")) != std::string::npos) {
        const int d1 = Digitos(p.ColaRed, i + 2, 2);
        const int d2 = Digitos(p.ColaRed, i + 4, 2);
        p.ColaRed.erase(0, i + LargoTirada);
        const bool segundo = p.NumDados == 2 ? d2 >= 1 && d2 <= 6 : d2 >= 0 && d2 <= 6;
        if (d1 < 1 || d1 > 6 || !segundo) continue;
        p.Dado1 = static_cast<Entero>(d1);
        p.Dado2 = static_cast<Entero>(d2);
        return true;
    }
    return false;
}

bool TomaMovimiento(Partida& p) {
    std::size_t i;
    while ((i = Cabeza(p, "06")) != std::string::npos) {
        const std::string& c = p.ColaRed;
        Recibido r{Digitos(c, i + 2, 4),  Digitos(c, i + 6, 1),  Digitos(c, i + 7, 1),
                   Digitos(c, i + 8, 2),  Digitos(c, i + 10, 2), Digitos(c, i + 12, 1),
                   Digitos(c, i + 13, 1), Digitos(c, i + 14, 3), Digitos(c, i + 17, 3)};
        p.ColaRed.erase(0, i + LargoMovimiento);
        if (r.numero < 0 || r.dado1 < 0 || r.dado2 < 0 || r.valor < 0 || r.tipo < 0 || r.ficha < 0 ||
            r.indice < 0 || r.origen < 0 || r.destino < 0)
            continue;
        if (EsCliente(p)) {
            r.origen = ConvertirCasillaEntrada(p, r.origen);
            r.destino = ConvertirCasillaEntrada(p, r.destino);
        }
        if (r.numero != p.NumJugada || !Coherente(p, r)) continue;
        p.Dado1 = static_cast<Entero>(r.dado1);
        p.Dado2 = static_cast<Entero>(r.dado2);
        p.ValorCuenta = static_cast<Entero>(r.valor);
        p.TipoJugada = static_cast<Entero>(r.tipo);
        p.FichaJugada = static_cast<Entero>(r.ficha);
        p.IndiceValor = static_cast<Entero>(r.indice);
        p.CasillaOrigen = static_cast<Entero>(r.origen);
        p.CasillaFinal = static_cast<Entero>(r.destino);
        // The second piece of a two-piece exit follows the first here too, as
        // the computer player's choice steps it on the sending computer.
        if (r.tipo == 8) p.SalidaDoble = 1;
        if (r.tipo == 9) p.SalidaDoble = 0;
        return true;
    }
    return false;
}

std::size_t Cabeza(Partida& p, std::string_view codigo) {
    std::string& c = p.ColaRed;
    const std::size_t i = p.ModoRed == 1 ? 1 : 0;   // the sender's slot on the administrator
    for (;;) {
        if (c.size() < i + 2) return std::string::npos;
        const std::size_t largo = LargoEntrada(std::string_view(c).substr(i, 2));
        if (largo == 0) {
            c.clear();   // nothing to tell where the next entry starts
            return std::string::npos;
        }
        if (c.size() < i + largo) return std::string::npos;
        const bool suya = i == 0 || c[0] == static_cast<char>('0' + p.Turno);
        if (suya && c.compare(i, 2, codigo) == 0) return i;
        c.erase(0, i + largo);
    }
}

}  // namespace parchis
