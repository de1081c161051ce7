// Network play on either role: starting it (IniciarRed), the
// administrator's seating of callers and the client's joining, the
// arrival of messages, drops, errors and the end of it (TerminarRed).
// The desktop and the terminal program each own one Red beside their
// record and their services, and route Interfaz::EnviaRed and CierraRed
// here.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core/partida.h"
#include "flow/interfaz.h"
#include "net/conexiones.h"
#include "net/mensajes.h"
#include "net/protocolo.h"

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
    // A client's new game waits for Atiende (the owner may call it when
    // idle, outside its Cede and Espera, once this is true).
    bool HayPendiente() const { return !pendientes_.empty(); }
    // Administrator: a seated caller that has not told its resume mark
    // after this many seconds of the clock is closed and its seat freed.
    // A client tells it as soon as it has its seat.
    static constexpr double EsperaMarcaPorDefecto = 10;
    void PonEsperaMarca(double segundos) { esperaMarca_ = segundos; }
    // Administrator: a client holds seat 1..3.
    bool Conectado(int puesto) const { return puesto >= 1 && puesto <= 3 && conectado_[puesto]; }

    void AlPedirConexion(int peticion, const std::string& ip, int puerto) override;
    void AlRecibir(int ranura, const std::string& datos) override;
    void AlCerrar(int ranura) override;
    void AlFallar(int ranura, int numero, const std::string& descripcion) override;

private:
    // Both roles (red.cpp).
    void ReiniciaReloj();
    void MuestraEspera(const std::string& titulo, const std::string& texto, int lineas);
    void EsperaSegundos(double segundos);
    void AnadeACola(const std::string& mensaje);
    void LlegaChat(const std::string& mensaje);
    void AvisaChat();
    bool CargaRestauracion();
    bool LineaRestauracion(std::string& linea) const;
    void ReanudaPartida();
    // The administrator (administrador.cpp).
    void IniciaAdministrador();
    void EsperaJugadores();
    void EmpiezaJuego();
    void MuestraProgreso();
    void RecibeDeCliente(int ranura, const std::string& mensaje);
    void EncolaDeCliente(int ranura, const std::string& mensaje);
    bool MarcasCompletas() const;
    void ApartaSilenciosos();
    void CierraCliente(int ranura);
    void RecuentaRemotos();
    void EnviarInstantanea();
    // The client (cliente.cpp).
    void IniciaCliente();
    void ConectaConAdministrador();
    void EnviaMarca();
    void EsperaInicio();
    void RecibeDeAdministrador(const std::string& mensaje);
    void Aplaza(const std::string& mensaje);
    void EmpiezaNuevaPartida();
    void CierraAdministrador();
    void VuelveASituacionAnterior();

    Partida& p_;
    Interfaz& ui_;
    Conexiones& conexiones_;
    MensajesRed mensajes_;
    bool desconexionVoluntaria_ = false;
    bool propioAutomatico_ = false;
    bool chatNuevo_ = false;

    Papel papel_ = Papel::Cliente;
    std::array<Receptor, 4> receptores_;
    bool esperandoConexiones_ = false;
    double inicioEspera_ = 0;
    int segundoMostrado_ = -1;
    std::string panelMostrado_;

    // The administrator's seats 1..3 (index 0 unused).
    std::array<bool, 4> conectado_{};
    std::array<std::string, 4> ipCliente_;
    std::array<int, 4> puertoCliente_{};
    int remotosEsperados_ = 0;
    int remotosConectados_ = 0;
    // Seat k's client told its resume mark; when it was seated.
    std::array<bool, 4> marcaRecibida_{};
    std::array<double, 4> sentadoEn_{};
    double esperaMarca_ = EsperaMarcaPorDefecto;
    // The slot and length of every entry of ColaRed, oldest first: the
    // engine takes entries whole from its head, so the share each client
    // holds can be told without reading the queue.
    std::deque<std::pair<int, std::size_t>> encoladas_;
    std::array<std::size_t, 4> bytesDe_{};
    std::size_t bytesEncolados_ = 0;
    bool reanudacionPosible_ = false;
    bool atendiendoPeticion_ = false;
    bool errorAvisado_ = false;   // the socket layer has told the person of a failure
    std::string marcaPropia_;

    // The client.
    bool aceptado_ = false;
    double ultimoIntento_ = 0;
    // Messages held behind a new game (code 08) until the game under way
    // has taken its last queued moves.
    std::vector<std::string> pendientes_;
    std::size_t bytesPendientes_ = 0;
    bool nuevaPartida_ = false;
};

}  // namespace parchis
