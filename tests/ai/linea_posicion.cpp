#include "linea_posicion.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/codificacion.h"
#include "core/estado.h"

namespace parchis::prueba {

namespace {

// The fields of a throw the state line does not hold, in line order.
template <typename Accion>
void CamposTirada(Partida& p, Accion accion) {
    for (Entero* e : {&p.Dado1, &p.Dado2, &p.ValorCuenta, &p.TipoJugada, &p.ModoValores,
                      &p.ValoresUsados, &p.SalidaDoble})
        accion(*e);
    for (Entero& v : p.ValoresCuenta) accion(v);
    for (bool& b : p.ValorUsado) accion(b);
    for (bool* b : {&p.AbrirBarrera, &p.ComerObligado, &p.SacarObligado, &p.TiradaNueva}) accion(*b);
}

// The first log entry still read: the oldest of the seats' newest entries
// that began a throw.
int PrimeraLeida(const Partida& p) {
    const int ultima = std::min<int>(p.NumJugada - 1, static_cast<int>(p.Jugadas.size()) - 1);
    std::array<bool, 5> visto{};
    int primera = std::max(ultima, 1);
    for (int n = ultima; n >= 1; --n) {
        const Jugada& e = p.Jugadas[n];
        if (e.Jugador < 1 || e.Jugador > 4 || e.InicioTirada != 1 || visto[e.Jugador]) continue;
        visto[e.Jugador] = true;
        primera = n;
    }
    return primera;
}

}  // namespace

std::string LineaPosicion(const Partida& p) {
    Partida q = p;
    std::ostringstream tirada;
    CamposTirada(q, [&tirada](auto& campo) { tirada << static_cast<int>(campo) << ' '; });
    const int primera = PrimeraLeida(p);
    const int ultima = std::min<int>(p.NumJugada - 1, static_cast<int>(p.Jugadas.size()) - 1);
    q.Jugadas.assign(1, Jugada{});
    for (int n = primera; n <= ultima; ++n) q.Jugadas.push_back(p.Jugadas[n]);
    q.NumJugada = static_cast<Entero>(q.Jugadas.size());
    const TextoEstado t = ComponerEstado(q);
    return tirada.str() + ";" + t.Linea2 + ";" + t.Linea1;
}

bool LeePosicion(const std::string& linea, Partida& p) {
    const auto a = linea.find(';');
    const auto b = a == std::string::npos ? a : linea.find(';', a + 1);
    if (b == std::string::npos) return false;
    p = Partida{};
    p.LeyendoSimulacion = true;
    LeerEstado(p, Windows1252DesdeUtf8("\"" + linea.substr(b + 1) + "\"\r\n\"" +
                                       linea.substr(a + 1, b - a - 1) + "\"\r\n"));
    p.LeyendoSimulacion = false;
    std::istringstream tirada(linea.substr(0, a));
    bool bien = true;
    CamposTirada(p, [&](auto& campo) {
        int v = 0;
        bien = bien && static_cast<bool>(tirada >> v);
        campo = static_cast<std::remove_reference_t<decltype(campo)>>(v);
    });
    return bien;
}

std::vector<Partida> PosicionesDeFichero(const std::string& ruta) {
    std::vector<Partida> posiciones;
    std::ifstream fichero(ruta);
    Partida p;
    for (std::string linea; std::getline(fichero, linea);)
        if (LeePosicion(linea, p)) posiciones.push_back(p);
    return posiciones;
}

}  // namespace parchis::prueba
