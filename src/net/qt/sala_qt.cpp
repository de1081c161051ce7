#include "net/qt/sala_qt.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTimer>
#include <charconv>

#include "net/puertos.h"
#include "sala/apertura.h"

namespace parchis {

namespace {

const std::string Cabecera = "PARCHIS-SALA " + std::to_string(sala::VersionSala) + " ";

// The server's answers, in the words the player reads.
std::string Explica(const std::string& respuesta) {
    if (respuesta == "NO CODIGO") return "El código de sala no corresponde a ninguna sala abierta.";
    if (respuesta == "NO ESPERE")
        return "Demasiados códigos equivocados desde esta dirección: espere un minuto antes de volver a intentarlo.";
    if (respuesta == "NO LLENO") return "El servidor de salas no admite más salas o jugadores en este momento.";
    return "El servidor de salas ha respondido de forma inesperada.";
}

// One line of at most the opening's length; false while incomplete.  More
// than a line's worth without its end is no answer of a room server: it
// is taken as a line of its own (which reads as nothing known), so that no
// endless line is waited for or held in memory.
bool LeeLinea(QTcpSocket* s, std::string& linea) {
    if (!s->canReadLine() && s->bytesAvailable() <= qint64(sala::LongitudMaximaApertura + 2)) return false;
    const QByteArray bytes = s->readLine(sala::LongitudMaximaApertura + 2);
    linea.assign(bytes.constData(), bytes.size());
    while (!linea.empty() && (linea.back() == '\n' || linea.back() == '\r')) linea.pop_back();
    return true;
}

}  // namespace

namespace {

// The port after the ':' at `dos`, or -1 when it is not a number of 1 to 65535.
int PuertoTras(const std::string& texto, std::size_t dos) {
    int puerto = 0;
    const char* fin = texto.data() + texto.size();
    const auto r = std::from_chars(texto.data() + dos + 1, fin, puerto);
    return r.ec != std::errc() || r.ptr != fin || puerto < 1 || puerto > 65535 ? -1 : puerto;
}

}  // namespace

std::pair<std::string, int> SeparaServidor(const std::string& texto) {
    // An IPv6 address with a port goes in brackets: [2001:db8::5]:49930.
    if (texto.starts_with('[')) {
        const auto cierre = texto.find(']');
        if (cierre == std::string::npos || cierre == 1) return {texto, -1};
        if (cierre + 1 == texto.size()) return {texto.substr(1, cierre - 1), 0};
        const int puerto = texto[cierre + 1] == ':' ? PuertoTras(texto, cierre + 1) : -1;
        if (puerto < 0) return {texto, -1};
        return {texto.substr(1, cierre - 1), puerto};
    }
    const auto dos = texto.rfind(':');
    if (dos == std::string::npos || texto.find(':') != dos) return {texto, 0};   // a name, an IPv4 or an IPv6
    const int puerto = dos == 0 ? -1 : PuertoTras(texto, dos);
    if (puerto < 0) return {texto, -1};
    return {texto.substr(0, dos), puerto};
}

ConexionesSalaQt::~ConexionesSalaQt() { CierraSala(); }

// A room kept open for another server is closed.
void ConexionesSalaQt::PonSala(const std::string& servidor, const std::string& codigo) {
    const auto [host, puerto] = SeparaServidor(servidor);
    const std::string antes = servidor_;
    const int puertoAntes = puertoServidor_;
    servidor_ = puerto < 0 ? std::string() : host;
    puertoServidor_ = puerto > 0 ? puerto : PuertoSala();
    codigoCliente_ = sala::NormalizaCodigo(codigo);
    if (servidor_ != antes || puertoServidor_ != puertoAntes) CierraSala();
}

void ConexionesSalaQt::Consulta() {
    if (!origen_) return;
    const auto [servidor, codigo] = origen_();
    PonSala(servidor, codigo);
}

void ConexionesSalaQt::AvisaFallo(int numero, const std::string& descripcion) {
    const unsigned generacion = generacion_;
    QMetaObject::invokeMethod(this, [this, generacion, numero, descripcion] {
        if (Oyente() && generacion == generacion_) Oyente()->AlFallar(0, numero, descripcion);
    }, Qt::QueuedConnection);
}

// --- administrator ------------------------------------------------------

// Waits for the room here, with no events running: the caller tells the
// person at once whether the room opened.
bool ConexionesSalaQt::Escucha(int puerto) {
    Consulta();
    if (!PorSala()) {
        CierraSala();
        return ConexionesQt::Escucha(puerto);
    }
    Cierra(0);
    // The room stays between one network play and the next, as the port
    // would: the players keep the code they were given.
    if (control_ && control_->state() == QAbstractSocket::ConnectedState) {
        escuchando_ = true;
        return true;
    }
    CierraControl();
    std::string respuesta;
    // A room whose control connection was lost is asked back first; one
    // the server no longer has gives way to a new room.
    bool abierta = false;
    if (!codigo_.empty()) {
        abierta = AbreControl(respuesta);
        if (!abierta && !respuesta.empty()) {
            CierraControl();
            codigo_.clear();
            clave_.clear();
        }
    }
    if (!abierta && codigo_.empty()) abierta = AbreControl(respuesta);
    if (!abierta) {
        const std::string motivo = respuesta.empty()
                                       ? "No se puede abrir una sala en el servidor " + servidor_ + ":" +
                                             std::to_string(puertoServidor_) + "."
                                       : Explica(respuesta);
        CierraSala();
        if (Oyente()) Oyente()->AlFallar(0, ErrorServidorSala, motivo);
        return false;
    }
    escuchando_ = true;
    Vigila();
    LeeControl();   // an announcement may have come with the code
    return true;
}

// The opening line of a control connection: a new room, or the room this
// administrator had.
std::string ConexionesSalaQt::LineaControl() const {
    return Cabecera + "ADMINISTRADOR" + (codigo_.empty() ? "" : " " + codigo_ + " " + clave_) + "\n";
}

// The server's answer to LineaControl: true when it gives the room (the
// one asked back, when one was).
bool ConexionesSalaQt::TomaRespuesta(const std::string& respuesta) {
    const auto palabras = QString::fromStdString(respuesta).split(' ');
    if (palabras.size() != 3 || palabras[0] != "SALA" || palabras[1].size() != int(sala::LongitudCodigo) ||
        palabras[2].size() != int(sala::LongitudClave))
        return false;
    if (!codigo_.empty()) return palabras[1].toStdString() == codigo_ && palabras[2].toStdString() == clave_;
    codigo_ = palabras[1].toStdString();
    clave_ = palabras[2].toStdString();
    return true;
}

// Opens the control connection and waits for the room, with no events
// running.
bool ConexionesSalaQt::AbreControl(std::string& respuesta) {
    respuesta.clear();
    control_ = new QTcpSocket(this);
    control_->connectToHost(QString::fromStdString(servidor_), static_cast<quint16>(puertoServidor_));
    if (control_->waitForConnected(espera_)) {
        const std::string linea = LineaControl();
        control_->write(linea.data(), qint64(linea.size()));
        // The whole answer comes within the wait, not each of its bytes.
        QElapsedTimer reloj;
        reloj.start();
        while (!LeeLinea(control_, respuesta)) {
            const qint64 queda = espera_ - reloj.elapsed();
            if (queda <= 0 || !control_->waitForReadyRead(int(queda))) break;
        }
    }
    return TomaRespuesta(respuesta);
}

// This end probes the quiet control connection too, so that a server that
// is gone is found during the game.
void ConexionesSalaQt::Vigila() {
    if (control_->socketDescriptor() >= 0) sala::ActivaSondeo(static_cast<int>(control_->socketDescriptor()));
    connect(control_, &QTcpSocket::readyRead, this, [this] { LeeControl(); });
    connect(control_, &QTcpSocket::disconnected, this, [this] { PierdeControl(); });
}

// The control connection was lost.  During network play the room is asked
// back, again and again for about a minute (the server keeps it two),
// while the seated clients play on through their own connections; the
// person is told only when it cannot be had.  Between two network plays
// the next Escucha asks for it.
void ConexionesSalaQt::PierdeControl() {
    CierraControl();
    if (escuchando_) Reclama(0);
}

void ConexionesSalaQt::Reclama(int intento) {
    static constexpr int Pausas[] = {500, 1000, 2000, 4000, 8000, 15000, 30000};
    if (intento >= int(std::size(Pausas))) {
        CierraSala();
        AvisaFallo(ErrorServidorSala, "Se ha perdido la conexión con el servidor de salas: "
                                      "no pueden entrar más jugadores.");
        return;
    }
    const unsigned vez = reclamo_;
    QTimer::singleShot(Pausas[intento], this, [this, intento, vez] {
        if (vez != reclamo_ || !escuchando_ || codigo_.empty()) return;   // network play ended meanwhile
        control_ = new QTcpSocket(this);
        QTcpSocket* s = control_;
        const std::string linea = LineaControl();
        connect(s, &QTcpSocket::connected, this, [s, linea] { s->write(linea.data(), qint64(linea.size())); });
        connect(s, &QTcpSocket::readyRead, this, [this, s, intento] {
            std::string respuesta;
            if (!LeeLinea(s, respuesta)) return;
            s->disconnect(this);
            if (!TomaRespuesta(respuesta)) {
                CierraControl();
                // The room is gone for good: asking again gains nothing.
                return Reclama(respuesta.starts_with("NO CODIGO") ? int(std::size(Pausas)) : intento + 1);
            }
            Vigila();
            LeeControl();
        });
        const auto falla = [this, s, intento] {
            if (s != control_) return;
            CierraControl();
            Reclama(intento + 1);
        };
        connect(s, &QTcpSocket::disconnected, this, falla);
        connect(s, &QTcpSocket::errorOccurred, this, falla);
        s->connectToHost(QString::fromStdString(servidor_), static_cast<quint16>(puertoServidor_));
    });
}

// "LLAMADA <id> <ip> <port>": a client gave the code.
void ConexionesSalaQt::LeeControl() {
    std::string linea;
    while (control_ && LeeLinea(control_, linea)) {
        const auto w = QString::fromStdString(linea).split(' ');
        bool bienId = false, bienPuerto = false;
        if (w.size() != 4 || w[0] != "LLAMADA") continue;
        const uint id = w[1].toUInt(&bienId);
        const int puerto = w[3].toInt(&bienPuerto);
        if (bienId && bienPuerto && !QHostAddress(w[2]).isNull()) AbreEnlace(id, w[2].toStdString(), puerto);
    }
}

void ConexionesSalaQt::AbreEnlace(std::uint32_t id, const std::string& ip, int puerto) {
    auto* enlace = new QTcpSocket(this);
    const std::string linea = Cabecera + "ENLACE " + codigo_ + " " + clave_ + " " + std::to_string(id) + "\n";
    connect(enlace, &QTcpSocket::connected, this, [this, enlace, linea, ip, puerto] {
        enlace->disconnect(this);
        enlace->write(linea.data(), qint64(linea.size()));
        enlace->flush();
        if (escuchando_) return PresentaPeticion(enlace, ip, puerto);
        // Not listening now: the client hears its connection closed, as
        // a caller refused.
        enlace->disconnectFromHost();
        connect(enlace, &QTcpSocket::disconnected, enlace, &QObject::deleteLater);
    });
    connect(enlace, &QTcpSocket::errorOccurred, this, [this, enlace] {
        enlace->disconnect(this);
        enlace->deleteLater();
    });
    enlace->connectToHost(QString::fromStdString(servidor_), static_cast<quint16>(puertoServidor_));
}

void ConexionesSalaQt::CierraControl() {
    ++reclamo_;
    if (control_) {
        control_->disconnect(this);
        control_->abort();
        control_->deleteLater();
        control_ = nullptr;
    }
}

// The server is told, so that the room does not wait for an administrator
// that is not coming back.
void ConexionesSalaQt::CierraSala() {
    if (control_ && control_->state() == QAbstractSocket::ConnectedState && !codigo_.empty()) {
        control_->write("CIERRA\n");
        control_->flush();
    }
    CierraControl();
    codigo_.clear();
    clave_.clear();
    escuchando_ = false;
}

// --- client -------------------------------------------------------------

// The administrator's address and port are the room's business: the
// server is called, with the code and this client's port.
void ConexionesSalaQt::Conecta(const std::string& ip, int puerto, int puertoLocal) {
    Consulta();
    if (!PorSala()) return ConexionesQt::Conecta(ip, puerto, puertoLocal);
    Cierra(0);
    if (codigoCliente_.empty()) {
        aperturaFallida_ = true;
        AvisaFallo(ErrorServidorSala, "El código de sala no tiene el formato previsto: seis letras o cifras.");
        return;
    }
    apertura_ = new QTcpSocket(this);
    const std::string linea = Cabecera + "CLIENTE " + codigoCliente_ + " " + std::to_string(puertoLocal) + "\n";
    connect(apertura_, &QTcpSocket::connected, this, [this, linea] {
        apertura_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        apertura_->write(linea.data(), qint64(linea.size()));
    });
    connect(apertura_, &QTcpSocket::readyRead, this, [this] { LeeRespuesta(); });
    connect(apertura_, &QTcpSocket::disconnected, this, [this] {
        if (apertura_) LeeRespuesta();
        if (apertura_) FallaApertura(ErrorConexionRechazada, "El servidor de salas ha cerrado la conexión.");
    });
    connect(apertura_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (!apertura_ || e == QAbstractSocket::RemoteHostClosedError) return;
        const ErrorRed error = TraduceError(e);
        FallaApertura(error.Numero, error.Descripcion);
    });
    apertura_->connectToHost(QString::fromStdString(servidor_), static_cast<quint16>(puertoServidor_));
}

void ConexionesSalaQt::LeeRespuesta() {
    std::string respuesta;
    if (!apertura_ || !LeeLinea(apertura_, respuesta)) return;
    // A room waiting for its administrator is called again, as an
    // administrator not yet listening is.
    if (respuesta == "NO AUSENTE")
        return FallaApertura(ErrorConexionRechazada, "El Administrador de la sala no está conectado en este momento.");
    if (respuesta != "SI") return FallaApertura(ErrorServidorSala, Explica(respuesta));
    QTcpSocket* s = apertura_;
    apertura_ = nullptr;
    s->disconnect(this);
    Instala(0, s);   // bytes behind the answer are the administrator's
}

// A refused or unreachable server is retried by the connect loop, as an
// administrator not yet listening is; a wrong code is told to the person.
void ConexionesSalaQt::FallaApertura(int numero, const std::string& descripcion) {
    if (apertura_) {
        apertura_->disconnect(this);
        apertura_->abort();
        apertura_->deleteLater();
        apertura_ = nullptr;
    }
    aperturaFallida_ = true;
    AvisaFallo(numero, descripcion);
}

// --- both ---------------------------------------------------------------

void ConexionesSalaQt::Cierra(int ranura) {
    if (ranura == 0) {
        ++generacion_;
        escuchando_ = false;
        aperturaFallida_ = false;
        if (apertura_) {
            apertura_->disconnect(this);
            apertura_->abort();
            apertura_->deleteLater();
            apertura_ = nullptr;
        }
    }
    ConexionesQt::Cierra(ranura);
}

EstadoSocket ConexionesSalaQt::Estado(int ranura) const {
    if (ranura == 0 && PorSala()) {
        if (control_ && escuchando_) return EstadoSocket::Conectado;   // the room is open: "listening"
        if (apertura_) return EstadoSocket::Conectando;
        if (aperturaFallida_) return EstadoSocket::Error;
    }
    return ConexionesQt::Estado(ranura);
}

}  // namespace parchis
