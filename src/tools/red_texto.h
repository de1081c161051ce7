// The terminal program in a network game: the terminal's services with the
// sockets' events run in its waits, and the answers a program without a
// person gives to network play's questions.
//
// The waits never hang: the program gives up when nothing has come from the
// network and the engine has not moved for --espera-maxima seconds, and a
// client whose administrator has gone stops at once.  A client's games run
// inside the handler of the administrator's new-game message, so giving up
// cannot unwind through Qt's event dispatch: the program says why and ends
// there (Abandona).
#pragma once

#include <QTimer>
#include <array>
#include <functional>

#include "net/qt/sala_qt.h"
#include "net/red.h"
#include "tools/huella.h"
#include "tools/interfaz_texto.h"

namespace parchis::texto {

// Says why on the error output and ends the program with code 1; the
// data folder goes too when it was a temporary one.
[[noreturn]] void Abandona(const std::string& motivo);
void PonCarpetaTemporal(const std::string& carpeta);

class InterfazRed : public InterfazTexto, public OyenteConexiones {
public:
    InterfazRed(Partida& p, std::ostream& salida, bool silencioso, bool comprobar, std::uint64_t semilla,
                double esperaMaxima);
    // The sockets report here first, to keep the waits' clock; then Red.
    void PonRed(Red* red) { red_ = red; }
    // The administrator's room, whose code is printed once it is open.
    void PonSala(const ConexionesSalaQt* sala) { sala_ = sala; }
    // The clock of the waits starts again (a new stage of the run).
    void Noticia() { noticia_ = Reloj(); }
    // The administrator has refused this client (it may try again).
    bool Rechazado() const { return rechazado_; }
    void OlvidaRechazo() { rechazado_ = false; }
    // Administrator: a seated caller has dropped out.
    bool Desconectado() const { return desconectado_; }
    void OlvidaDesconexion() { desconectado_ = false; }
    // Administrator: the client at seat j has sent its resume mark, so it
    // knows its seat and takes a snapshot.
    bool MarcaRecibida(int j) const { return marcas_[j]; }
    // Waits for `hecho` with events running; gives up when it does not come.
    template <typename F>
    void EsperaHasta(F hecho) {
        Noticia();
        while (!hecho()) Espera();
    }

    void Cede() override;
    void Espera() override;
    void EnviaRed(const std::string& texto, int salvo) override;
    void CierraRed() override;
    int Mensaje(const std::string& titulo, const std::string& texto, int lineas, int botones,
                int ayuda) override;
    void MuestraTableroVacio() override { EmpiezaPartida(); }
    void MuestraJugada(int n, bool adelante) override;
    void TocaSonido(int n, bool esperar) override;
    void DibujaDados(int jugador, int dado1, int dado2) override;
    void MuestraEsperaRed(const std::string& titulo, const std::string& texto, int lineas) override;
    int PeticionConexion(const std::string& texto, const std::vector<std::string>& opciones) override;

    void AlPedirConexion(int peticion, const std::string& ip, int puerto) override;
    void AlRecibir(int ranura, const std::string& datos) override;
    void AlCerrar(int ranura) override;
    void AlFallar(int ranura, int numero, const std::string& descripcion) override;

private:
    void AtiendeEventos(bool esperar);
    bool TiradaRecibida() const;
    void AlTerminarPartida(bool conGanador);

    Partida& p_;
    std::ostream& salida_;
    bool silencioso_;
    double esperaMaxima_;
    double noticia_ = 0;
    Red* red_ = nullptr;
    QTimer despertador_;   // ends a blocked wait now and then to look at the clock
    bool rechazado_ = false;
    bool desconectado_ = false;
    std::array<bool, 4> marcas_{};
    int cuadros_ = 0;   // frame of a received throw being tumbled, 0 = none
    std::string ultimaEspera_;
    const ConexionesSalaQt* sala_ = nullptr;
    std::string codigoMostrado_;   // the waiting panel is printed once, not every second
};

}  // namespace parchis::texto
