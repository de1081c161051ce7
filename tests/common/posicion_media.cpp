#include "common/posicion_media.h"

#include "common/interfaz_muda.h"
#include "flow/sorteo.h"

namespace parchis::prueba {

namespace {

struct Parada {};

class InterfazHasta : public InterfazMuda {
public:
    InterfazHasta(Partida& p, unsigned semilla, int jugada) : InterfazMuda(semilla), p_(p), jugada_(jugada) {}
    // The engine yields once per pass, with the move number already advanced.
    void Cede() override {
        if (p_.PartidaIniciada && p_.TiradaNueva && p_.NumJugada >= jugada_) throw Parada{};
    }

private:
    Partida& p_;
    int jugada_;
};

}  // namespace

Partida PosicionMedia(Partida p, unsigned semilla, int jugada) {
    for (int j = 1; j <= 4; ++j) p.Control[j] = 2;
    p.PausaEntreJugadas = false;
    p.Sonido = false;
    InterfazHasta ui(p, semilla, jugada);
    try {
        NuevaPartida(p, ui);
    } catch (const Parada&) {
        p.EsperandoTirada = true;
    }
    return p;
}

}  // namespace parchis::prueba
