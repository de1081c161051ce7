// Whole games of the turn engine under random rules: after every log entry
// the board is consistent, it matches play through AplicaJugada, and the log
// undoes back to the start and replays to the end through every
// intermediate board.
#include "common/partida_aleatoria.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <vector>

#include "rules/movimiento.h"
#include "rules/registro.h"
#include "flow/comprobacion.h"

namespace parchis {
namespace {

struct Foto {
    std::array<std::array<Entero, MaxFichas + 1>, 5> Fichas;
    std::array<Casilla, NumCasillas + 1> Casillas;
    std::array<Entero, 5> EnEspera, EnCasa, SiguienteSalida;
    bool operator==(const Foto&) const = default;
};

Foto FotoDe(const Partida& p) { return {p.Fichas, p.Casillas, p.EnEspera, p.EnCasa, p.SiguienteSalida}; }

// The same game played through AplicaJugada, as the computer player's
// simulation plays it.
class Sombra {
public:
    explicit Sombra(const Partida& p) : s_(p) {}

    // Returns the error found, if any, after entry n of `p`.
    std::string Sigue(const Partida& p, int n) {
        const Jugada& e = p.Jugadas[n];
        std::ostringstream r;
        // The bonus pass comes next, even when no piece can count it.
        const bool cuentaBono = e.TipoJugada == 5 || e.TipoJugada == 1 || e.TipoJugada == 2;
        if (e.TipoJugada != 6 && bono_ != 0 && !(cuentaBono && e.ValorCuenta == bono_))
            r << "entry " << n << " should be a bonus of " << bono_ << "\n";
        if (e.TipoJugada != 6) bono_ = 0;
        switch (e.TipoJugada) {
            case 3: case 4: case 5: case 8: case 9: case 10:
                s_.Turno = e.Jugador;
                AplicaJugada(s_, e.CasillaOrigen, e.CasillaFinal, e.FichaJugada);
                comida_ = s_.JugadorComido != 0 ? e.CasillaFinal : 0;
                if (e.TipoJugada != 8) bono_ = s_.Bonificacion;
                break;
            case 6:
                if (comida_ == 0) r << "entry " << n << " sends back a piece nobody captured\n";
                if (e.Jugador != s_.JugadorComido) r << "entry " << n << " sends back the wrong seat\n";
                comida_ = 0;
                break;
            case 11:  // the invariants check the rest of the penalty
                if (e.FichaJugada != 0 && p.Fichas[e.Jugador][e.FichaJugada] != 0)
                    r << "entry " << n << " leaves the penalised piece out\n";
                s_ = p;
                break;
            default:
                break;
        }
        if (comida_ == 0 && !(FotoDe(s_) == FotoDe(p))) r << "entry " << n << " differs from AplicaJugada\n";
        return r.str();
    }

    // The square where a captured piece waits to be sent back, or 0.
    int CasillaComida() const { return comida_; }

private:
    Partida s_;
    int comida_ = 0;
    int bono_ = 0;
};

TEST(PartidaAleatoria, ReglasInvariantesYDeshacer) {
    std::mt19937 azar(20240611);
    std::array<int, 12> tipos{};
    std::array<int, 8> detalles{};
    int ganadas = 0;
    for (int partida = 0; partida < 300; ++partida) {
        Partida p;
        prueba::ReglasAleatorias(p, azar);
        prueba::EmpiezaPartida(p, azar);
        SCOPED_TRACE(::testing::Message() << "game " << partida);
        std::vector<Foto> fotos{FotoDe(p)};
        Sombra sombra(p);
        bool fallo = false;
        prueba::InterfazAzar ui(p, static_cast<unsigned>(azar()));
        ui.MaxEntradas = 1500;
        ui.TrasJugada = [&](Partida& q, int n) {
            if (fallo) return;
            const Jugada& e = q.Jugadas[n];
            ++tipos[e.TipoJugada];
            ++detalles[e.Detalle];
            std::string error = sombra.Sigue(q, n);
            error += CompruebaEntrada(q, n) + CompruebaPosicion(q, sombra.CasillaComida());
            fotos.push_back(FotoDe(q));
            if (static_cast<int>(fotos.size()) != n + 1) {
                ADD_FAILURE() << "entry " << n << " recorded out of order";
                fallo = true;
            } else if (!error.empty()) {
                ADD_FAILURE() << "after entry " << n << " (kind " << e.TipoJugada << "):\n" << error;
                fallo = true;
            }
        };
        const bool ganada = prueba::JuegaPartidaAleatoria(p, ui);
        if (fallo) return;
        ganadas += ganada;
        const int ultima = p.NumJugada - 1;
        ASSERT_EQ(static_cast<int>(fotos.size()), ultima + 1);
        for (int n = ultima; n >= 1; --n) {
            RetrocedeJugada(p, n);
            ASSERT_EQ(FotoDe(p), fotos[n - 1]) << "undoing entry " << n;
        }
        for (int n = 1; n <= ultima; ++n) {
            AvanzaJugada(p, n);
            ASSERT_EQ(FotoDe(p), fotos[n]) << "replaying entry " << n;
        }
    }
    // The games must have gone through every kind of entry and outcome the
    // engine produces, or the checks above prove little.
    for (int t : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11}) EXPECT_GT(tipos[t], 0) << "kind " << t;
    for (int d = 0; d <= 7; ++d) EXPECT_GT(detalles[d], 0) << "outcome " << d;
    EXPECT_GT(ganadas, 100);
}

}  // namespace
}  // namespace parchis
