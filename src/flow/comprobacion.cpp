#include "flow/comprobacion.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/estado.h"
#include "core/fichero.h"
#include "rules/registro.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

using std::to_string;

std::string Pieza(int j, int k) {
    return "la ficha " + to_string(k) + " del jugador " + to_string(j);
}

bool EnSuCamino(int j, int posicion) {
    return (posicion >= 1 && posicion <= 68) ||
           (posicion >= CasillaCasa[j] - 7 && posicion <= CasillaCasa[j]);
}

using Vistas = std::array<std::array<int, MaxFichas + 1>, 5>;

// Every occupied slot names a piece that stands there.
std::string CompruebaCasillas(const Partida& p, int casillaComida, Vistas& vistas) {
    for (int s = 1; s <= NumCasillas; ++s) {
        const Casilla& c = p.Casillas[s];
        int ocupadas = 0;
        for (int h = 1; h <= 3; ++h) {
            const int j = c.Jugador[h], k = c.Pieza[h];
            if (j == 0 && k == 0) continue;
            const std::string donde = "casilla " + to_string(s) + ", hueco " + to_string(h) + ": ";
            if (j < 1 || j > 4 || k < 1 || k > p.NumFichas)
                return donde + "ocupante imposible " + to_string(j) + "/" + to_string(k);
            if (p.Fichas[j][k] != s)
                return donde + Pieza(j, k) + " está en " + to_string(p.Fichas[j][k]);
            ++vistas[j][k];
            ++ocupadas;
        }
        if (ocupadas > (s == casillaComida ? 3 : 2))
            return "casilla " + to_string(s) + " con " + to_string(ocupadas) + " fichas";
    }
    return {};
}

std::string CompruebaJugador(const Partida& p, int j, const Vistas& vistas) {
    int enEspera = 0, enCasa = 0, primera = 0;
    for (int k = 1; k <= MaxFichas; ++k) {
        const int pos = p.Fichas[j][k];
        if (k > p.NumFichas) {
            if (pos != 0) return Pieza(j, k) + " no existe y está en " + to_string(pos);
            continue;
        }
        const bool fuera = pos != 0 && pos != CasillaCasa[j];
        if (fuera && !EnSuCamino(j, pos)) return Pieza(j, k) + " fuera de su camino: " + to_string(pos);
        if (vistas[j][k] != (fuera ? 1 : 0))
            return Pieza(j, k) + " aparece " + to_string(vistas[j][k]) + " veces en las casillas";
        if (pos == 0 && primera == 0) primera = k;
        enEspera += pos == 0;
        enCasa += pos == CasillaCasa[j];
    }
    const std::string quien = "jugador " + to_string(j) + ": ";
    if (p.EnEspera[j] != enEspera)
        return quien + "EnEspera " + to_string(p.EnEspera[j]) + ", en el cuadro " + to_string(enEspera);
    if (p.EnCasa[j] != enCasa)
        return quien + "EnCasa " + to_string(p.EnCasa[j]) + ", en casa " + to_string(enCasa);
    if (enEspera > 0 && p.SiguienteSalida[j] != primera)
        return quien + "SiguienteSalida " + to_string(p.SiguienteSalida[j]) + ", debería ser " +
               to_string(primera);
    if (p.Estado[j] != 1 && enEspera != p.NumFichas) return quien + "desactivado con fichas en juego";
    return {};
}

bool EsContada(int tipo) { return tipo == 3 || tipo == 4 || tipo == 5 || (tipo >= 8 && tipo <= 10); }

// A piece moved by hand: the seat chosen for it is both the entry's seat
// and its author, and nothing is thrown or counted.
std::string CompruebaManual(const Jugada& e) {
    if (e.Autor != e.Jugador) return "autor de un movimiento manual";
    if (e.Dado1 != 0 || e.Dado2 != 0 || e.ValorCuenta != 0) return "dados en un movimiento manual";
    if (e.FichaJugada < 1 || e.InicioTirada != 1) return "movimiento manual sin ficha";
    return {};
}

std::string CompruebaCampos(const Partida& p, const Jugada& e) {
    const int t = e.TipoJugada;
    if (t == 7) return CompruebaManual(e);
    if (t == 6) {
        if (e.Autor < 1 || e.Autor > 4 || e.Autor == e.Jugador) return "autor de la captura";
        if (e.Dado1 != 0 || e.Dado2 != 0) return "dados en una captura";
        if (e.CasillaOrigen < 1 || e.CasillaOrigen > 68 || e.CasillaFinal != 0) return "casillas de la captura";
        if (e.FichaJugada < 1) return "ficha comida";
        return {};
    }
    if (e.Autor != 0) return "autor en una jugada propia";
    if (e.Dado1 < 1 || e.Dado1 > 6) return "primer dado";
    if (p.NumDados == 2 ? e.Dado2 < 1 || e.Dado2 > 6 : e.Dado2 != 0) return "segundo dado";
    if ((t == 1 || t == 2) && (e.FichaJugada != 0 || e.CasillaOrigen != 0 || e.CasillaFinal != 0))
        return "jugada sin movimiento con ficha";
    if (EsContada(t) && (e.FichaJugada < 1 || e.CasillaFinal < 1 || e.ValorCuenta < 1))
        return "jugada contada sin ficha o destino";
    if (t == 5 && e.ValorCuenta != 10 && e.ValorCuenta != 20) return "bonificación de " + to_string(e.ValorCuenta);
    if (t == 11 && e.CasillaFinal != 0) return "ficha eliminada que no vuelve al cuadro";
    return {};
}

bool MismoTablero(const Partida& a, const Partida& b) {
    return a.Fichas == b.Fichas && a.Casillas == b.Casillas && a.EnEspera == b.EnEspera &&
           a.EnCasa == b.EnCasa && a.SiguienteSalida == b.SiguienteSalida;
}

// After a capturing move the capturer shares the square with a piece of
// another seat until the next entry sends that piece back.
bool CapturaPendiente(const Partida& p, const Jugada& e) {
    if (e.CasillaFinal < 1 || e.CasillaFinal > 68) return false;
    const Casilla& c = p.Casillas[e.CasillaFinal];
    int ocupadas = 0;
    for (int h = 1; h <= 3; ++h) ocupadas += c.Jugador[h] != 0;
    return ocupadas == 3;
}

bool AlgunoPorContar(const std::array<bool, 5>& porContar) {
    return std::find(porContar.begin(), porContar.end(), true) != porContar.end();
}

std::string NoOfrecido(const Jugada& e) {
    return std::string(e.CasillaOrigen == 0 ? "sale una ficha con " : "cuenta ") + to_string(e.ValorCuenta) +
           ", un valor que la tirada no ofrece o que ya ha contado";
}

}  // namespace

std::string VigilanteJugadas::CuentaBono(const Jugada& e) {
    const auto b = std::find(bonos_.begin(), bonos_.end(), e.ValorCuenta);
    if (b == bonos_.end()) return "bonificación de " + to_string(e.ValorCuenta) + " que nadie ha ganado";
    bonos_.erase(b);
    return {};
}

std::string VigilanteJugadas::CuentaValores(const Partida& p, int n) {
    const Jugada& e = p.Jugadas[n];
    const int t = e.TipoJugada;
    if (t == 7) return {};
    if (t == 6) {
        const Jugada& captura = p.Jugadas[n - 1];
        if (captura.CasillaFinal != CasillaSalida[e.Autor] || p.BonoComerSaliendo) bonos_.push_back(20);
        return {};
    }
    if (e.InicioTirada != 0) {
        if (!bonos_.empty()) return "la tirada anterior deja una bonificación sin contar";
        if (AlgunoPorContar(porContar_)) return "la tirada anterior deja valores sin contar";
        const int ultimo = p.ModoValores >= 2 ? std::min<int>(p.ModoValores, 4) : 0;
        for (int i = 0; i <= 4; ++i) {
            valores_[i] = p.ValoresCuenta[i];
            porContar_[i] = i <= ultimo;
        }
    }
    const bool sinMover = (t == 1 || t == 2) && e.FichaJugada == 0;
    const bool bono = t == 5 || (sinMover && e.InicioTirada == 0 &&
                                 std::find(bonos_.begin(), bonos_.end(), e.ValorCuenta) != bonos_.end());
    if (bono) {
        if (std::string error = CuentaBono(e); !error.empty()) return error;
    } else if (!bonos_.empty() && t != 9) {
        return "cuenta un valor de la tirada antes de la bonificación";
    } else if (t == 3) {
        if (!porContar_[0] || e.ValorCuenta != valores_[0]) return NoOfrecido(e);
        porContar_.fill(false);
    } else if (t == 4) {
        const int i = e.IndiceValor;
        if (i < 1 || !porContar_[i] || e.ValorCuenta != valores_[i]) return NoOfrecido(e);
        porContar_[0] = porContar_[i] = false;
    } else if ((t == 8 || t == 10) && !porContar_[0]) {
        return "una salida especial con la tirada empezada";
    } else {
        // Not countable, or a move that takes what is left of the throw.
        porContar_.fill(false);
    }
    if ((t == 3 || t == 4 || t == 5) && e.CasillaFinal == CasillaCasa[e.Jugador]) bonos_.push_back(10);
    return {};
}

std::string CompruebaPosicion(const Partida& p, int casillaComida) {
    Vistas vistas{};
    std::string error = CompruebaCasillas(p, casillaComida, vistas);
    for (int j = 1; j <= 4 && error.empty(); ++j) error = CompruebaJugador(p, j, vistas);
    return error;
}

std::string CompruebaEntrada(const Partida& p, int n) {
    if (n < 1 || n >= static_cast<int>(p.Jugadas.size())) return "no hay jugada " + to_string(n);
    const Jugada& e = p.Jugadas[n];
    std::string error;
    if (e.TipoJugada < 1 || e.TipoJugada > 11)
        error = "tipo " + to_string(e.TipoJugada);
    else if (e.Jugador < 1 || e.Jugador > 4 || p.Estado[e.Jugador] != 1)
        error = "jugador " + to_string(e.Jugador);
    else if (e.FichaJugada < 0 || e.FichaJugada > p.NumFichas)
        error = "ficha " + to_string(e.FichaJugada);
    else if (e.CasillaOrigen < 0 || e.CasillaOrigen > NumCasillas || e.CasillaFinal < 0 ||
             e.CasillaFinal > NumCasillas)
        error = "casillas " + to_string(e.CasillaOrigen) + "-" + to_string(e.CasillaFinal);
    else if (e.IndiceValor < 0 || e.IndiceValor > 4 || e.Repeticiones < 0 || e.Repeticiones > 2 ||
             e.InicioTirada < 0 || e.InicioTirada > 1 || e.Detalle < 0 || e.Detalle > 7)
        error = "campos fuera de rango";
    else
        error = CompruebaCampos(p, e);
    return error.empty() ? error : "jugada " + to_string(n) + ": " + error;
}

std::string CompruebaRegistro(const Partida& p, int ultima) {
    // The move list, thousands of lines in a long game, plays no part in
    // the replay: it is copied once and dropped rather than copied three
    // times.
    Partida retroceso = p;
    retroceso.ListaJugadas = {};
    Partida inicio = retroceso;
    VaciaTablero(inicio);
    Partida avance = inicio;
    for (int n = 1; n <= ultima; ++n) AvanzaJugada(avance, n);
    if (!MismoTablero(avance, p))
        return "las jugadas 1 a " + to_string(ultima) + " no reproducen la posición final";
    for (int n = ultima; n >= 1; --n) RetrocedeJugada(retroceso, n);
    if (!MismoTablero(retroceso, inicio))
        return "deshacer las jugadas " + to_string(ultima) + " a 1 no devuelve el principio";
    return {};
}

std::string CompruebaPartida(const Partida& p) {
    if (p.Turno < 1 || p.Turno > 4) return "turno " + to_string(p.Turno);
    if (p.NumJugadores < 2) return "menos de dos jugadores";
    const int ultima = p.NumJugada - 1;
    for (int n = 1; n <= ultima; ++n)
        if (std::string error = CompruebaEntrada(p, n); !error.empty()) return error;
    if (std::string error = CompruebaPosicion(p); !error.empty()) return error;
    return CompruebaRegistro(p, ultima);
}

// A state file starts with its quoted state line of 900 characters (one
// byte each on disk).
static bool PareceEstado(const std::string& contenido) {
    constexpr std::size_t Largo = 900;
    return contenido.size() > Largo + 1 && contenido[0] == '"' && contenido.find('"', 1) == Largo + 1;
}

std::optional<Partida> LeePartidaComprobada(const Partida& p, const std::string& contenido) {
    if (!PareceEstado(contenido)) return std::nullopt;
    std::optional<Partida> leida(p);
    leida->CargandoPartida = true;
    LeerEstado(*leida, contenido);
    leida->CargandoPartida = false;
    leida->CargaCorrecta = leida->PartidaCargada = true;
    if (leida->PartidaIniciada && !CompruebaPartida(*leida).empty()) return std::nullopt;
    return leida;
}

void CargarEstadoComprobado(Partida& p, const std::string& nombre) {
    std::string contenido;
    std::optional<Partida> leida;
    if (LeeFichero(p.Carpeta + nombre, contenido) == 0) leida = LeePartidaComprobada(p, contenido);
    if (leida)
        p = std::move(*leida);
    else
        p.CargaCorrecta = false;
}

std::string VigilanteJugadas::TrasJugada(const Partida& p, int n) {
    std::string error = CompruebaEntrada(p, n);
    if (!error.empty()) return error;
    const Jugada& e = p.Jugadas[n];
    if (comida_ != 0 && (e.TipoJugada != 6 || e.CasillaOrigen != comida_))
        return "jugada " + to_string(n) + ": falta la vuelta de la ficha comida en " + to_string(comida_);
    comida_ = 0;
    if (e.TipoJugada == 6) {
        const Jugada& captura = p.Jugadas[n - 1];
        if (n < 2 || !EsContada(captura.TipoJugada) || captura.CasillaFinal != e.CasillaOrigen)
            return "jugada " + to_string(n) + ": vuelve una ficha que nadie ha comido";
    }
    if (EsContada(e.TipoJugada) && CapturaPendiente(p, e)) comida_ = e.CasillaFinal;
    error = CuentaValores(p, n);
    if (!error.empty()) return "jugada " + to_string(n) + ": " + error;
    return CompruebaPosicion(p, comida_);
}

std::string VigilanteJugadas::AlFinal(const Partida& p) {
    if (comida_ != 0) return "la partida termina con una captura a medias";
    for (int j = 1; j <= 4; ++j) {
        const bool todas = p.EnCasa[j] == p.NumFichas;
        if (todas != (j == p.Turno))
            return "gana el jugador " + to_string(p.Turno) + " pero el jugador " + to_string(j) +
                   (todas ? " tiene" : " no tiene") + " todas sus fichas en casa";
    }
    return CompruebaRegistro(p, p.NumJugada);
}

}  // namespace parchis
