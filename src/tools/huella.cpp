#include "tools/huella.h"

#include <algorithm>
#include <cstdio>

#include "flow/red.h"

namespace parchis::texto {

namespace {

// A client's seat in the administrator's numbering.
int PuestoDelAdministrador(const Partida& p, int local) {
    if (p.ModoRed != 2 || p.PuestoAdmin < 1 || local < 1) return local;
    const int i = local + p.PuestoAdmin;
    return i > 4 ? i - 4 : i;
}

int CasillaDelAdministrador(const Partida& p, int casilla) {
    return p.ModoRed == 2 ? ConvertirCasillaSalida(p, casilla) : casilla;
}

}  // namespace

std::string HuellaPartida(const Partida& p, int ganador) {
    std::uint64_t h = 14695981039346656037ull;   // FNV-1a
    const auto mezcla = [&h](int v) {
        for (int b = 0; b < 4; ++b) {
            h ^= static_cast<unsigned>(v >> (8 * b)) & 0xffu;
            h *= 1099511628211ull;
        }
    };
    const int ultima = std::min<int>(p.NumJugada, static_cast<int>(p.Jugadas.size()) - 1);
    for (int n = 1; n <= ultima; ++n) {
        const Jugada& e = p.Jugadas[n];
        for (int v : {PuestoDelAdministrador(p, e.Jugador), PuestoDelAdministrador(p, e.Autor), int(e.Dado1),
                      int(e.Dado2), int(e.ValorCuenta), int(e.TipoJugada), int(e.FichaJugada),
                      int(e.IndiceValor), CasillaDelAdministrador(p, e.CasillaOrigen),
                      CasillaDelAdministrador(p, e.CasillaFinal), int(e.Repeticiones), int(e.InicioTirada), int(e.Detalle)})
            mezcla(v);
    }
    char linea[128];
    std::snprintf(linea, sizeof linea, "partida %s, %d jugadas, ganador %d, %016llx", p.IdPartida.c_str(),
                  std::max(ultima, 0), PuestoDelAdministrador(p, ganador), static_cast<unsigned long long>(h));
    return linea;
}

}  // namespace parchis::texto
