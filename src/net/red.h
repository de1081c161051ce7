// Network play on either role: starting it (IniciarRed), the
// administrator's seating of callers and the client's joining, the
// arrival of messages, drops, errors and the end of it (TerminarRed).
// The desktop and the terminal program each own one Red beside their
// record and their services, and route Interfaz::EnviaRed and CierraRed
// here.
#pragma once

#include <string>

#include "core/partida.h"
#include "flow/interfaz.h"
#include "net/conexiones.h"
#include "net/mensajes.h"

namespace parchis {

class Red : public OyenteConexiones {
public:
    Red(Partida& p, Interfaz& ui, Conexiones& conexiones);

    // Starts network play in mode p.ModoRed; returns when play starts (a
    // new game asked with PedirNuevaPartida, or the unfinished one
    // resumed and played) or when network play ended on the way.
    void IniciarRed();
    // Ends network play on either role.
    void TerminarRed();
    // Interfaz::EnviaRed: the administrator sends to every client but the
    // one at seat `salvo`, a client to the administrator.
    void Envia(const std::string& texto, int salvo);
    // The chat window's send button.
    void EnviaMensaje(const std::string& texto);
    const MensajesRed& Mensajes() const { return mensajes_; }
    // Runs what arrived but had to wait: a client's new game (code 08)
    // waits behind the previous game's moves still queued.  The owner calls
    // it from its Cede and Espera.
    void Atiende();
    // The client's own seat is played by the computer (the terminal
    // program) instead of by the person at this computer.
    void PonPropioAutomatico(bool si) { propioAutomatico_ = si; }
    // The person removed a remote player in the settings window: the close
    // of that client asks nothing.
    void PonDesconexionVoluntaria(bool si) { desconexionVoluntaria_ = si; }

    void AlPedirConexion(int peticion, const std::string& ip, int puerto) override;
    void AlRecibir(int ranura, const std::string& datos) override;
    void AlCerrar(int ranura) override;
    void AlFallar(int ranura, int numero, const std::string& descripcion) override;

private:
    Partida& p_;
    Interfaz& ui_;
    Conexiones& conexiones_;
    MensajesRed mensajes_;
    bool desconexionVoluntaria_ = false;
    bool propioAutomatico_ = false;
};

}  // namespace parchis
