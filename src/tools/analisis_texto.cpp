#include "tools/analisis_texto.h"

#include <chrono>
#include <cstdio>

#include "ai/dados.h"
#include "core/configuracion.h"
#include "core/estado.h"
#include "core/fichero.h"
#include "flow/jugada.h"
#include "flow/posibilidades.h"

namespace parchis::texto {

namespace {

std::string Porcentaje(double x, int decimales) {
    char t[32];
    std::snprintf(t, sizeof t, "%.*f", decimales, 100 * x);
    std::string s = t;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

}  // namespace

int AnalizaFichero(const std::string& fichero, std::uint64_t semilla, double margen, std::ostream& salida,
                   std::ostream& errores) {
    std::string contenido;
    if (LeeFichero(fichero, contenido) != 0) {
        errores << "no se puede leer " << fichero << '\n';
        return 1;
    }
    Partida p;
    AplicaValoresPorDefecto(p);
    LeerEstado(p, contenido);
    CuentaJugadores(p);
    // A saved game stands at the start of a throw.
    p.TiradaNueva = true;
    p.EsperandoFicha = p.EsperandoTirada = false;
    const auto inicio = std::chrono::steady_clock::now();
    Analisis analisis(p, semilla, margen, 200000, 0, true);
    if (!analisis.Valido()) {
        errores << fichero << " no contiene una partida en juego que se pueda continuar\n";
        return 1;
    }
    analisis.Espera();
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    const Posibilidades r = analisis.Estimacion();
    salida << "Partida de " << fichero << ": jugada " << p.NumJugada << ", turno de "
           << NombreDe(p, p.Turno) << "\n";
    char linea[160];
    std::snprintf(linea, sizeof linea,
                  "Posibilidades de ganar (margen del 95 %%), %lld partidas simuladas en %.1f s:\n",
                  static_cast<long long>(r.Terminadas), segundos);
    salida << linea;
    for (int j = 1; j <= 4; ++j) {
        if (p.Estado[j] != 1 || (r.Parejas && j > 2)) continue;
        std::string nombre = NombreDe(p, j);
        if (r.Parejas) nombre += " y " + NombreDe(p, j + 2);
        // Padded by characters, not bytes ("María").
        std::size_t letras = 0;
        for (unsigned char c : nombre) letras += (c & 0xC0) != 0x80;
        salida << "  " << nombre << std::string(letras < 20 ? 20 - letras : 1, ' ')
               << Porcentaje(r.Probabilidad(j), 1) << " % ± " << Porcentaje(r.Margen(j), 1) << '\n';
    }
    if (r.SinGanador > 0) salida << "  Sin ganador (límite de jugadas): " << r.SinGanador << '\n';
    const RecuentoDados dados = CuentaTiradas(p);
    const CuentaDados& todos = dados[0];
    salida << "Dados de la partida: " << todos.Tiradas + todos.TiradasDos << " tiradas. "
           << Veredicto(PruebaCaras(todos)) << ".\n";
    salida.flush();
    return salida.good() ? 0 : 1;
}

}  // namespace parchis::texto
