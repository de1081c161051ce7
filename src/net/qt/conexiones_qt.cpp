#include "net/qt/conexiones_qt.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace parchis {

namespace {

// What one socket holds unread, at most: a peer that sends faster than it
// is read waits for us (TCP holds it back) instead of filling our memory.
constexpr qint64 LimiteLectura = 64 * 1024;

// What waits to be sent to one computer, at most.  A computer that reads
// nothing while we keep sending (a flood of chat relayed back to it) would
// otherwise grow our memory without end; one so far behind is as good as
// gone, and is dropped.  A whole game's messages take a small part of it.
constexpr qint64 LimiteEscritura = 1024 * 1024;

std::string Texto(const QByteArray& bytes) { return std::string(bytes.constData(), bytes.size()); }

// IPv4 callers of a dual-stack listener show as ::ffff:a.b.c.d.
std::string Direccion(const QHostAddress& direccion) {
    bool v4 = false;
    const quint32 ip = direccion.toIPv4Address(&v4);
    return (v4 ? QHostAddress(ip) : direccion).toString().toStdString();
}

}  // namespace

ErrorRed TraduceError(QAbstractSocket::SocketError error) {
    using E = QAbstractSocket;
    switch (error) {
    case E::ConnectionRefusedError:
        return {ErrorConexionRechazada, "El equipo remoto ha rechazado la conexión."};
    case E::RemoteHostClosedError:
        return {ErrorConexionAbortada, "Se ha interrumpido la conexión con el equipo remoto."};
    case E::AddressInUseError:
        return {ErrorDireccionEnUso, "La dirección o el puerto ya están en uso."};
    case E::HostNotFoundError:
        return {11001, "No se encuentra el equipo remoto."};
    case E::SocketAccessError:
        return {10013, "No hay permiso para usar el puerto."};
    case E::SocketResourceError:
        return {10055, "No quedan recursos del sistema para la conexión."};
    case E::SocketTimeoutError:
        return {10060, "Se ha agotado el tiempo de espera de la conexión."};
    case E::SocketAddressNotAvailableError:
        return {10049, "La dirección local no está disponible en este equipo."};
    case E::NetworkError:
        return {10050, "Error de la red (red caída o inalcanzable)."};
    default:
        return {10000 + int(error), "Error desconocido de la conexión."};
    }
}

ConexionesQt::ConexionesQt(QObject* padre) : QObject(padre) {}

// Nothing of ours may be signalled while it is being taken apart.
ConexionesQt::~ConexionesQt() {
    oyente_ = nullptr;
    for (auto& r : ranuras_) Suelta(r.socket);
    for (auto& [id, s] : peticiones_) Suelta(s);
    if (servidor_) servidor_->close();
}

bool ConexionesQt::Escucha(int puerto) {
    Cierra(0);
    servidor_ = new QTcpServer(this);
    connect(servidor_, &QTcpServer::newConnection, this, [this] { AlLlegarPeticion(); });
    const auto p = static_cast<quint16>(puerto);
    if (servidor_->listen(QHostAddress::Any, p) || servidor_->listen(QHostAddress::AnyIPv4, p)) return true;
    delete servidor_;
    servidor_ = nullptr;
    return false;
}

// A caller waits under its number until the listener accepts it into a slot
// or refuses it; one neither accepted nor refused by then is refused.
void ConexionesQt::AlLlegarPeticion() {
    while (servidor_ && servidor_->hasPendingConnections()) {
        QTcpSocket* s = servidor_->nextPendingConnection();
        PresentaPeticion(s, Direccion(s->peerAddress()), s->peerPort());
    }
}

void ConexionesQt::PresentaPeticion(QTcpSocket* s, const std::string& ip, int puerto) {
    s->setParent(this);
    s->setReadBufferSize(LimiteLectura);   // a caller not answered yet may already send
    const int id = ++ultimaPeticion_;
    peticiones_[id] = s;
    QMetaObject::invokeMethod(this, [this, id, ip, puerto] {
        if (!peticiones_.count(id)) return;
        if (oyente_) oyente_->AlPedirConexion(id, ip, puerto);
        Rechaza(id);
    }, Qt::QueuedConnection);
}

void ConexionesQt::Instala(int ranura, QTcpSocket* s) {
    if (!Valida(ranura)) return;
    Ocupa(ranura, s);
    if (s->bytesAvailable() > 0) {
        const std::string datos = Texto(s->readAll());
        Avisa(ranura, [ranura, datos](OyenteConexiones& o) { o.AlRecibir(ranura, datos); });
    }
    if (s->state() != QAbstractSocket::ConnectedState) Termina(ranura);
}

void ConexionesQt::Acepta(int peticion, int ranura) {
    const auto it = peticiones_.find(peticion);
    if (it == peticiones_.end() || ranura < 1 || !Valida(ranura)) return;
    QTcpSocket* s = it->second;
    peticiones_.erase(it);
    Ocupa(ranura, s);
    // What the caller sent or did while it waited is reported now.
    if (s->bytesAvailable() > 0) {
        const std::string datos = Texto(s->readAll());
        Avisa(ranura, [ranura, datos](OyenteConexiones& o) { o.AlRecibir(ranura, datos); });
    }
    if (s->state() != QAbstractSocket::ConnectedState) Termina(ranura);
}

void ConexionesQt::Rechaza(int peticion) {
    const auto it = peticiones_.find(peticion);
    if (it == peticiones_.end()) return;
    QTcpSocket* s = it->second;
    peticiones_.erase(it);
    s->disconnect(this);
    s->disconnectFromHost();   // the caller sees its connection closed
    s->deleteLater();
}

void ConexionesQt::Conecta(const std::string& ip, int puerto, int puertoLocal) {
    Cierra(0);
    auto* s = new QTcpSocket(this);
    Ocupa(0, s);
    if (!s->bind(QHostAddress::AnyIPv4, static_cast<quint16>(puertoLocal),
                 QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        AlFallarSocket(0, s->error());
        return;
    }
    s->connectToHost(QString::fromStdString(ip), static_cast<quint16>(puerto));
}

void ConexionesQt::Envia(int ranura, const std::string& datos) {
    if (!Valida(ranura)) return;
    QTcpSocket* s = ranuras_[ranura].socket;
    if (!s || s->state() != QAbstractSocket::ConnectedState) return;
    if (s->bytesToWrite() + static_cast<qint64>(datos.size()) > LimiteEscritura) {
        Abandona(ranura);
        return;
    }
    s->write(datos.data(), static_cast<qint64>(datos.size()));
    s->flush();   // the peer waits for it; the engine may think for a while before yielding
}

void ConexionesQt::Cierra(int ranura) {
    if (!Valida(ranura)) return;
    Ranura& r = ranuras_[ranura];
    ++r.generacion;
    Suelta(r.socket);
    r = Ranura{nullptr, false, false, r.generacion};
    if (ranura == 0 && servidor_) {
        servidor_->close();
        servidor_->deleteLater();
        servidor_ = nullptr;
    }
}

EstadoSocket ConexionesQt::Estado(int ranura) const {
    if (!Valida(ranura)) return EstadoSocket::Cerrado;
    if (ranura == 0 && servidor_) return EstadoSocket::Conectado;   // listening
    const Ranura& r = ranuras_[ranura];
    if (r.error) return EstadoSocket::Error;
    if (!r.socket) return EstadoSocket::Cerrado;
    switch (r.socket->state()) {
    case QAbstractSocket::ConnectedState:
        return EstadoSocket::Conectado;
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::ConnectingState:
    case QAbstractSocket::BoundState:
        return EstadoSocket::Conectando;
    default:
        return EstadoSocket::Cerrado;
    }
}

std::string ConexionesQt::IpRemota(int ranura) const {
    const QTcpSocket* s = Valida(ranura) ? ranuras_[ranura].socket : nullptr;
    return s ? Direccion(s->peerAddress()) : std::string();
}

int ConexionesQt::PuertoRemoto(int ranura) const {
    const QTcpSocket* s = Valida(ranura) ? ranuras_[ranura].socket : nullptr;
    return s ? s->peerPort() : 0;
}

void ConexionesQt::Ocupa(int ranura, QTcpSocket* socket) {
    Cierra(ranura);
    ranuras_[ranura].socket = socket;
    socket->setParent(this);
    Vigila(ranura, socket);
}

void ConexionesQt::Vigila(int ranura, QTcpSocket* s) {
    s->disconnect(this);
    // Messages are small and each waits for an answer: no batching delay.
    s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    s->setReadBufferSize(LimiteLectura);
    connect(s, &QTcpSocket::connected, this,
            [s] { s->setSocketOption(QAbstractSocket::LowDelayOption, 1); });
    connect(s, &QTcpSocket::readyRead, this, [this, ranura, s] {
        const std::string datos = Texto(s->readAll());
        Avisa(ranura, [ranura, datos](OyenteConexiones& o) { o.AlRecibir(ranura, datos); });
    });
    connect(s, &QTcpSocket::disconnected, this, [this, ranura, s] {
        if (s->bytesAvailable() > 0) {
            const std::string datos = Texto(s->readAll());
            Avisa(ranura, [ranura, datos](OyenteConexiones& o) { o.AlRecibir(ranura, datos); });
        }
        Termina(ranura);
    });
    connect(s, &QTcpSocket::errorOccurred, this,
            [this, ranura](QAbstractSocket::SocketError e) { AlFallarSocket(ranura, e); });
}

void ConexionesQt::Suelta(QTcpSocket* socket) {
    if (!socket) return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

// The end of a connection is reported once, however it ended: the remote
// close, a reset or a broken link of a connected socket.  A connection that
// never came up is an error of its own (refused, unreachable...).
void ConexionesQt::AlFallarSocket(int ranura, QAbstractSocket::SocketError error) {
    Ranura& r = ranuras_[ranura];
    if (error == QAbstractSocket::RemoteHostClosedError) return;   // `disconnected` follows
    const bool estabaConectado = r.socket && r.socket->state() == QAbstractSocket::ConnectedState;
    if (estabaConectado || r.terminada) {
        if (!r.terminada) {
            r.terminada = true;
            const ErrorRed e = TraduceError(QAbstractSocket::RemoteHostClosedError);
            Avisa(ranura, [ranura, e](OyenteConexiones& o) { o.AlFallar(ranura, e.Numero, e.Descripcion); });
        }
        return;
    }
    r.error = true;
    const ErrorRed e = TraduceError(error);
    Avisa(ranura, [ranura, e](OyenteConexiones& o) { o.AlFallar(ranura, e.Numero, e.Descripcion); });
}

// The peer stopped reading: its socket goes at once, with what it had
// waiting, and the listener hears of a close like any other.
void ConexionesQt::Abandona(int ranura) {
    QTcpSocket* s = ranuras_[ranura].socket;
    s->disconnect(this);
    s->abort();
    Termina(ranura);
}

void ConexionesQt::Termina(int ranura) {
    Ranura& r = ranuras_[ranura];
    if (r.terminada || r.error) return;
    r.terminada = true;
    Avisa(ranura, [ranura](OyenteConexiones& o) { o.AlCerrar(ranura); });
}

void ConexionesQt::Avisa(int ranura, std::function<void(OyenteConexiones&)> evento) {
    const unsigned generacion = ranuras_[ranura].generacion;
    QMetaObject::invokeMethod(this, [this, ranura, generacion, evento = std::move(evento)] {
        if (oyente_ && ranuras_[ranura].generacion == generacion) evento(*oyente_);
    }, Qt::QueuedConnection);
}

}  // namespace parchis
