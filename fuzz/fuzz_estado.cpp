// Arbitrary bytes as a state file, read as a saved game and as a computer
// player's scratch file.  Reading must never leave an index out of range,
// and whatever it leaves in the record must be written and read back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/codificacion.h"
#include "core/estado.h"
#include "registros.h"

namespace {

using parchis::Partida;

// The checks below are left out of the coverage feedback: they are not what
// is explored, and over a log of thousands of entries their comparisons
// would cost more than the reading they check.
#define SIN_COBERTURA __attribute__((no_sanitize("coverage")))

SIN_COBERTURA void Exige(bool condicion) {
    if (!condicion) std::abort();
}

SIN_COBERTURA bool Entre(int valor, int min, int max) { return valor >= min && valor <= max; }

SIN_COBERTURA void CompruebaRangos(const Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        Exige(parchis::CuentaCaracteres(p.Nombres[j]) <= 9);
        Exige(Entre(p.EnEspera[j], 0, 8) && Entre(p.EnCasa[j], 0, 8) &&
              Entre(p.SiguienteSalida[j], 0, 8));
        for (int k = 1; k <= parchis::MaxFichas; ++k) Exige(Entre(p.Fichas[j][k], 0, 100));
    }
    for (int i = 1; i <= parchis::NumCasillas; ++i)
        for (int h = 1; h <= 3; ++h)
            Exige(Entre(p.Casillas[i].Jugador[h], 0, 4) && Entre(p.Casillas[i].Pieza[h], 0, 8));
    Exige(p.NumFichas == 4 || p.NumFichas == 8);
    Exige(Entre(p.NumJugadores, 0, 4) && Entre(p.Turno, 0, 4) && Entre(p.Repeticiones, 0, 3));
    Exige(Entre(p.NumJugada, 0, 9999));
    Exige(p.Jugadas.size() == static_cast<std::size_t>(p.NumJugada) + 41);
    for (const auto& j : p.Jugadas)
        Exige(Entre(j.Jugador, 0, 4) && Entre(j.Autor, 0, 4) && Entre(j.FichaJugada, 0, 8) &&
              Entre(j.CasillaOrigen, 0, 100) && Entre(j.CasillaFinal, 0, 100) &&
              Entre(j.TipoJugada, 0, 11) && Entre(j.IndiceValor, 0, 5) && Entre(j.Detalle, 0, 7));
    Exige(p.IdPartida.size() >= 4);
    if (!p.LeyendoSimulacion) {
        Exige(Entre(p.Nivel[1], 0, 100) && Entre(p.Control[2], 1, 3) && Entre(p.Velocidad, 0, 100));
        Exige(p.NumFichas == parchis::FichasSegunRegla(p));
        Exige(!p.ListaJugadas.empty());
        // The next piece out of a box is one of the seat's, in the box when
        // any piece is.
        for (int j = 1; j <= 4; ++j) {
            const int s = p.SiguienteSalida[j];
            Exige(Entre(s, 1, p.NumFichas));
            bool alguna = false;
            for (int k = 1; k <= p.NumFichas; ++k) alguna = alguna || p.Fichas[j][k] == 0;
            Exige(!alguna || p.Fichas[j][s] == 0);
        }
    }
}

SIN_COBERTURA void CompruebaRelectura(Partida& p, Partida& otra) {
    // Texts of thousands of entries, kept between runs as the records are.
    static std::string fichero, releido;
    parchis::ContenidoFichero(p, fichero);
    Exige(fichero.find("\"\r\n\"") == 901);
    fuzz::Reinicia(otra, p);
    parchis::LeerEstado(otra, fichero);
    parchis::ContenidoFichero(otra, releido);
    Exige(releido == fichero);
    Exige(fuzz::MismoLog(otra.Jugadas, p.Jugadas) && otra.Nombres == p.Nombres);
    Exige(otra.ListaJugadas == p.ListaJugadas);
    fuzz::SueltaLineas(p);
    fuzz::SueltaLineas(otra);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    static Partida nueva;
    // A record and the one it is read back into, for each way of reading.
    static Partida leida[2], releida[2];
    static std::string contenido;
    contenido.assign(reinterpret_cast<const char*>(datos), largo);
    for (bool simulacion : {false, true}) {
        Partida& p = leida[simulacion];
        fuzz::Reinicia(p, nueva);
        p.LeyendoSimulacion = simulacion;
        parchis::LeerEstado(p, contenido);
        CompruebaRangos(p);
        CompruebaRelectura(p, releida[simulacion]);
    }
    return 0;
}
