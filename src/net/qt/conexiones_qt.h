// The socket slots of network play on Qt's TCP classes (QtNetwork only, so
// the terminal program can use them under a QCoreApplication).
//
// Every event reaches the listener as a posted call, never from inside a
// Qt signal: a handler may run a whole game nested in its waits, and Qt
// does not signal new data on a socket whose readyRead slot has not yet
// returned.  The data are read at once and travel with the event, byte for
// byte.  An event of a socket that has since left its slot is dropped.
#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <array>
#include <functional>
#include <map>

#include "net/conexiones.h"

class QTcpServer;
class QTcpSocket;

namespace parchis {

// The number and the Spanish description a socket error is shown with.
struct ErrorRed {
    int Numero;
    std::string Descripcion;
};
ErrorRed TraduceError(QAbstractSocket::SocketError error);

class ConexionesQt : public QObject, public Conexiones {
public:
    explicit ConexionesQt(QObject* padre = nullptr);
    ~ConexionesQt() override;

    void PonOyente(OyenteConexiones* oyente) override { oyente_ = oyente; }
    bool Escucha(int puerto) override;
    void Acepta(int peticion, int ranura) override;
    void Rechaza(int peticion) override;
    void Conecta(const std::string& ip, int puerto, int puertoLocal) override;
    void Envia(int ranura, const std::string& datos) override;
    void Cierra(int ranura) override;
    EstadoSocket Estado(int ranura) const override;
    std::string IpRemota(int ranura) const override;
    int PuertoRemoto(int ranura) const override;

protected:
    // For a connection made another way (through a room server): it waits
    // under a request number as a caller of the listener would.
    void PresentaPeticion(QTcpSocket* socket, const std::string& ip, int puerto);
    // Puts a connected socket in a slot; what it already holds is reported.
    void Instala(int ranura, QTcpSocket* socket);
    OyenteConexiones* Oyente() const { return oyente_; }

private:
    struct Ranura {
        QTcpSocket* socket = nullptr;
        bool error = false;      // the last attempt failed; Estado says so until closed
        bool terminada = false;  // its close has been reported once
        unsigned generacion = 0; // events of an earlier socket in the slot are stale
    };

    void Ocupa(int ranura, QTcpSocket* socket);
    void Vigila(int ranura, QTcpSocket* socket);
    void Suelta(QTcpSocket* socket);
    void AlLlegarPeticion();
    void AlFallarSocket(int ranura, QAbstractSocket::SocketError error);
    void Termina(int ranura);
    void Abandona(int ranura);
    void Avisa(int ranura, std::function<void(OyenteConexiones&)> evento);
    bool Valida(int ranura) const { return ranura >= 0 && ranura < int(ranuras_.size()); }

    OyenteConexiones* oyente_ = nullptr;
    QTcpServer* servidor_ = nullptr;
    std::array<Ranura, 4> ranuras_;
    std::map<int, QTcpSocket*> peticiones_;
    int ultimaPeticion_ = 0;
};

}  // namespace parchis
