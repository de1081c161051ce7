// Arbitrary events from the other computers, as either role receives them:
// the first byte picks the role, then each event is an operation byte, a
// length byte and that many bytes that arrived (Windows-1252).  The events
// are delivered from the program's waits, so they reach every stage: the
// client's joining, the administrator's seating, snapshots, new games
// played from what arrives, drops.  Nothing may crash, hang or grow
// without bound, and the record must keep every seat, piece and square in
// range.  Nothing is written: the data folder does not exist.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/configuracion.h"
#include "flow/red.h"
#include "flow/sorteo.h"
#include "net/red.h"

#include "common/interfaz_muda.h"
#include "common/sockets_en_memoria.h"

namespace {

using namespace parchis;

void Exige(bool condicion) {
    if (!condicion) std::abort();
}

// Every wait delivers the next event; when there are none left, network
// play and the game end so that every loop unwinds.
class Llegadas : public prueba::InterfazMuda {
public:
    Llegadas(Partida& p, const std::uint8_t* datos, std::size_t largo)
        : InterfazMuda(7), p_(p), datos_(datos), largo_(largo) {}
    Red* red = nullptr;

    void Espera() override {
        reloj_ += 0.5;
        Exige(p_.ColaRed.size() <= (1u << 20));
        if (pos_ + 2 > largo_) {
            p_.JugarEnRed = false;
            p_.PartidaIniciada = false;
            p_.EsperandoFicha = p_.EsperandoTirada = false;
            return;
        }
        const std::uint8_t operacion = datos_[pos_];
        const std::size_t n = std::min<std::size_t>(datos_[pos_ + 1], largo_ - pos_ - 2);
        const std::string bytes(reinterpret_cast<const char*>(datos_ + pos_ + 2), n);
        pos_ += 2 + n;
        const int ranura = p_.ModoRed == 1 ? 1 + (operacion >> 2) % 3 : 0;
        switch (operacion % 4) {
            case 0: red->AlRecibir(ranura, bytes); break;
            case 1: red->AlPedirConexion(operacion, "10.0.0.9", 49921); break;
            case 2: red->AlCerrar(ranura); break;
            default: red->Atiende(); break;
        }
    }
    double Reloj() override { return reloj_ += 0.001; }
    void EnviaRed(const std::string& texto, int salvo) override { red->Envia(texto, salvo); }
    void CierraRed() override { red->TerminarRed(); }

private:
    Partida& p_;
    const std::uint8_t* datos_;
    std::size_t largo_;
    std::size_t pos_ = 0;
    double reloj_ = 0;
};

// A data folder that does not exist: the restore points and the history
// the games try to write go nowhere, nothing is left behind and no run
// sees another's files.
const std::string& Carpeta() {
    static const std::string carpeta =
        (std::filesystem::temp_directory_path() / ("parchis-fuzz-red-" + std::to_string(getpid())) / "no").string() + "/";
    return carpeta;
}

void CompruebaRegistro(const Partida& p) {
    Exige(p.PuestoAdmin >= 0 && p.PuestoAdmin <= 3);
    Exige(p.NumFichas == 4 || p.NumFichas == 8);
    for (int j = 1; j <= 4; ++j) {
        Exige(p.Control[j] >= 1 && p.Control[j] <= 3 && p.Estado[j] >= 1 && p.Estado[j] <= 2);
        for (int k = 1; k <= MaxFichas; ++k) Exige(p.Fichas[j][k] >= 0 && p.Fichas[j][k] <= NumCasillas);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    if (largo < 1) return 0;
    Partida p;
    AplicaValoresPorDefecto(p);
    p.Carpeta = Carpeta();
    p.ModoRed = static_cast<Entero>(datos[0] % 2 == 0 ? 1 : 2);
    p.JugarEnRed = true;
    p.PausaEntreJugadas = false;
    p.IPAdministrador = "10.0.0.1";
    for (int j = 1; j <= 4; ++j) {
        p.Control[j] = static_cast<Entero>(p.ModoRed == 1 && j < 4 ? 3 : 2);
        p.Nivel[j] = 0;
    }
    prueba::SocketsEnMemoria sockets;
    sockets.alEnviar = [](int, const std::string& datos) { Exige(datos.size() <= 907); };
    Llegadas ui(p, datos + 1, largo - 1);
    Red red(p, ui, sockets);
    ui.red = &red;
    red.PonPropioAutomatico(datos[0] & 2);
    red.IniciarRed();
    if (p.PedirNuevaPartida && p.JugarEnRed) NuevaPartida(p, ui);
    CompruebaRegistro(p);
    return 0;
}
