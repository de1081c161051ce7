#include "flow/final.h"

#include <algorithm>
#include <vector>

#include "ai/dados.h"
#include "flow/motor.h"
#include "rules/tablero.h"

namespace parchis {

namespace {

bool EnJuego(const Partida& p, int j) { return p.Estado[j] == 1; }

int RecorridoTotal(const Partida& p, int j) {
    int total = 0;
    for (int k = 1; k <= p.NumFichas; ++k) total += CasillasRecorridas(p, j, k);
    return total;
}

// The winning pair: seats 2 and 4, or 1 and 3.
bool GananDosYCuatro(const Partida& p) { return p.Turno == 2 || p.Turno == 4; }

std::string TextoGanador(const Partida& p) {
    const auto& n = p.Nombres;
    if (p.ModoJuego == 2) {
        if (GananDosYCuatro(p)) return "Habeis ganado la partida \r\n" + n[2] + " y " + n[4];
        return "Han ganado la partida \r\n" + n[1] + " y " + n[3];
    }
    if (p.Turno == 4) return n[4] + ", has ganado la partida. ";
    return "Ha ganado la partida " + n[p.Turno];
}

std::string NombreSiJuega(const Partida& p, int j) { return EnJuego(p, j) ? p.Nombres[j] : ""; }

}  // namespace

int CalculaPuntos(const Partida& p) {
    int jugadores = 0;
    long cubierto = 0;
    for (int j = 1; j <= 4; ++j) {
        if (!EnJuego(p, j)) continue;
        ++jugadores;
        if (j != p.Turno) cubierto += RecorridoTotal(p, j);
    }
    const long total = static_cast<long>(p.NumFichas) * 71 * (jugadores - 1);
    if (total <= 0) return 0;
    const long resto = std::clamp(total - cubierto, 0L, total);
    const long numerador = 100 * resto;
    long puntos = numerador / total;
    const long sobra = 2 * (numerador % total);
    if (sobra > total || (sobra == total && puntos % 2 == 1)) ++puntos;
    return static_cast<int>(puntos);
}

std::string TextoFinal(const Partida& p, int puntos) {
    return "Puntos : " + std::to_string(puntos) + "\r\n" + TextoGanador(p);
}

RegistroHistorico RegistroDeLaPartida(const Partida& p, int puntos, const FechaHora& fecha) {
    RegistroHistorico r;
    r.Fecha = fecha;
    r.Puntos = puntos;
    r.Parejas = p.ModoJuego == 2;
    if (r.Parejas) {
        const bool pares = GananDosYCuatro(p);
        const int orden[4] = {pares ? 2 : 1, pares ? 4 : 3, pares ? 1 : 2, pares ? 3 : 4};
        for (int i = 0; i < 4; ++i) r.Nombres[i] = NombreSiJuega(p, orden[i]);
        return r;
    }
    // The others in the order they finished: the furthest advanced first.
    std::vector<int> otros;
    for (int j = 1; j <= 4; ++j)
        if (EnJuego(p, j) && j != p.Turno) otros.push_back(j);
    std::stable_sort(otros.begin(), otros.end(),
                     [&](int a, int b) { return RecorridoTotal(p, a) > RecorridoTotal(p, b); });
    r.Nombres[0] = p.Nombres[p.Turno];
    for (std::size_t i = 0; i < otros.size() && i < 3; ++i) r.Nombres[i + 1] = p.Nombres[otros[i]];
    return r;
}

void FinDePartida(Partida& p, Interfaz& ui) {
    ui.PonPuntero(Puntero::Normal);
    ui.Pausa(200);
    ui.TocaSonido(14, false);
    ui.Pausa(300);
    ui.BorraDados();
    for (int paso = 1; paso <= 4; ++paso) {
        ui.MuestraEmblema(p.Turno, paso);
        ui.Pausa(300);
    }
    const int puntos = CalculaPuntos(p);
    ui.Mensaje(TituloFinal, TextoFinal(p, puntos), p.ModoJuego == 2 ? 3 : 2, 1, 0);
    if (ui.Mensaje(TituloHistorico, PreguntaHistorico, 1, 2, 2181) == Aceptar &&
        !AnadeHistorico(p.Carpeta, RegistroDeLaPartida(p, puntos, ui.Ahora())))
        ui.Mensaje(TituloErrorHistorico,
                   "No se ha podido añadir esta partida al Histórico (archivo ZRVEL34.HIS): compruebe que se "
                   "puede escribir en la carpeta de datos y que queda espacio libre en el disco.",
                   3, 1, 2181);
    // The dice of the game join the tally of all games (a record without a
    // data folder, in tests, keeps no tally).
    std::string apartado;
    const bool anadida = p.Carpeta.empty() || AnadeRecuento(p.Carpeta, p, &apartado);
    const std::string aparte = apartado.substr(apartado.rfind('/') + 1);
    if (!anadida)
        ui.Mensaje(TituloErrorRecuento,
                   "No se ha podido añadir esta partida al recuento de dados (archivo parchis-dados.txt): "
                   "compruebe que se puede leer y escribir en la carpeta de datos y que queda espacio libre "
                   "en el disco. " +
                       (aparte.empty() ? std::string("El archivo se deja como estaba.")
                                       : "El archivo anterior estaba dañado y se ha guardado aparte como " +
                                             aparte + "."),
                   3, 1, 0);
    else if (!aparte.empty())
        ui.Mensaje(TituloErrorRecuento,
                   "El recuento de dados (archivo parchis-dados.txt) estaba dañado: se ha guardado aparte como " +
                       aparte + " y el recuento sigue con lo que se ha podido leer de él.",
                   3, 1, 0);
    TerminaPartida(p, ui);
}

}  // namespace parchis
