#include "comun_ai.h"

#include <sstream>

namespace parchis::prueba {

std::string ResumenEleccion(const Partida& p) {
    std::ostringstream s;
    const auto& e = p.JugadaElegida;
    s << "ficha " << e.Ficha << " valor " << e.Valor << " indice " << e.Indice << " origen " << e.Origen
      << " destino " << e.Destino << " tipo " << e.Tipo << " | movibles " << p.NumFichasMovibles
      << " desglose " << p.NumValoresDesglose << " obligado " << p.DesgloseObligado << " sacar "
      << p.PuedeSacar << " sacarObligado " << p.SacarObligado << " captura " << p.HayCapturaPosible
      << " cortes " << p.CortesBusqueda << " salidaDoble " << p.SalidaDoble << " modo " << p.ModoValores
      << " valorCuenta " << p.ValorCuenta << " | destinos";
    for (int k = 1; k <= MaxFichas; ++k) {
        s << " [";
        for (int h = 1; h <= 5; ++h) s << p.Destinos[k][h] << (h < 5 ? "," : "");
        s << "]";
    }
    return s.str();
}

std::string ResumenReglas(const Partida& p) {
    std::ostringstream s;
    s << "turno " << p.Turno << " nivel " << p.Nivel[p.Turno] << " caracter " << p.Caracter[p.Turno]
      << " dados " << p.NumDados << " (" << p.Dado1 << "," << p.Dado2 << ") fichas " << p.NumFichas
      << " modo " << p.ModoJuego << " seis " << p.SeisConTodas << " primera " << p.PrimeraFicha
      << " salida " << p.MetodoSalida << " cuenta " << p.MetodoCuenta << " con5 " << p.SalidaCon5
      << " obligatoria " << p.SalidaObligatoria << " comer " << p.ComerObligatorio << " companeros "
      << p.BarreraCompaneros << " tipo " << p.TipoJugada << " valor " << p.ValorCuenta << " usados "
      << p.ValoresUsados << "/" << p.ModoValores << " jugada " << p.NumJugada;
    return s.str();
}

}  // namespace parchis::prueba
