// Network play through a room server (parchis-sala): the same slots and
// events as ConexionesQt, so the administrator and the clients play as on
// a local network.  Without a room set it is ConexionesQt itself.
//
// The administrator does not listen: Escucha opens the room on the server
// and keeps a control connection, on which the server announces each
// client that gives the code.  For each one a link connection is opened to
// the server and presented to the listener as a caller, with the client's
// address and port; accepting it seats the client, refusing it closes the
// client's connection.  A client's Conecta goes to the server with the
// code and its port, and its slot 0 holds that connection once the server
// says yes.  After the opening line the server only pipes bytes.
#pragma once

#include <QTcpSocket>
#include <functional>
#include <string>
#include <utility>

#include "net/qt/conexiones_qt.h"

namespace parchis {

class ConexionesSalaQt : public ConexionesQt {
public:
    explicit ConexionesSalaQt(QObject* padre = nullptr) : ConexionesQt(padre) {}
    ~ConexionesSalaQt() override;

    // `servidor` is "host" or "host:port" (the room port, shifted, when
    // none is given); empty for direct play.  `codigo` is the room a
    // client joins.
    void PonSala(const std::string& servidor, const std::string& codigo);
    // Asked for {server, code} at each Escucha and Conecta instead (the
    // person may change them between games).
    void PonOrigen(std::function<std::pair<std::string, std::string>()> origen) { origen_ = std::move(origen); }
    bool PorSala() const { return !servidor_.empty(); }
    // The administrator's room, once open; empty otherwise.  It stays open
    // when network play ends, so that the next one keeps the code, until
    // the room's server changes or this object goes.
    const std::string& Codigo() const { return codigo_; }
    // How long Escucha waits for the server, milliseconds.
    void PonEspera(int milisegundos) { espera_ = milisegundos; }

    bool Escucha(int puerto) override;
    void Conecta(const std::string& ip, int puerto, int puertoLocal) override;
    void Cierra(int ranura) override;
    EstadoSocket Estado(int ranura) const override;

private:
    std::string LineaControl() const;
    bool TomaRespuesta(const std::string& respuesta);
    bool AbreControl(std::string& respuesta);
    void Vigila();
    void PierdeControl();
    void Reclama(int intento);
    void CierraControl();
    void LeeControl();
    void AbreEnlace(std::uint32_t id, const std::string& ip, int puerto);
    void LeeRespuesta();
    void FallaApertura(int numero, const std::string& descripcion);
    void AvisaFallo(int numero, const std::string& descripcion);
    void CierraSala();

    void Consulta();

    std::function<std::pair<std::string, std::string>()> origen_;
    std::string servidor_;
    int puertoServidor_ = 0;
    std::string codigoCliente_;
    int espera_ = 8000;

    // The administrator's room.
    QTcpSocket* control_ = nullptr;
    std::string codigo_, clave_;
    bool escuchando_ = false;   // callers are presented (not between two network plays)
    unsigned reclamo_ = 0;      // a lost room's pending request, cancelled when it changes
    // The client while the server has not said yes.
    QTcpSocket* apertura_ = nullptr;
    bool aperturaFallida_ = false;
    unsigned generacion_ = 0;
};

// "host[:port]" or "[IPv6]:port" split; the port is 0 when absent, -1 when
// malformed.
std::pair<std::string, int> SeparaServidor(const std::string& texto);

}  // namespace parchis
