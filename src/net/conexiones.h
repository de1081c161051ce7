// The socket layer as the network play sees it: a few numbered slots and
// the events they report.  On the administrator slot 0 listens and slots
// 1..3 hold the clients of seats 1..3; a client has one socket, slot 0.
// The desktop and the terminal program implement it on Qt's sockets
// (net/qt); a test can implement it in memory.  Every event is delivered
// on the program's one thread, from inside Interfaz::Cede or Espera.
#pragma once

#include <string>

namespace parchis {

enum class EstadoSocket { Cerrado, Conectando, Conectado, Error };

// Error numbers the messages show, whatever the socket library calls them.
inline constexpr int ErrorConexionAbortada = 10053;
inline constexpr int ErrorDireccionEnUso = 10048;
inline constexpr int ErrorConexionRechazada = 10061;
// Through a room server: it cannot be reached, refused the code, or the
// room is gone.  A client hears it as a refusal of its connection.
inline constexpr int ErrorServidorSala = 11010;

class OyenteConexiones {
public:
    virtual ~OyenteConexiones() = default;
    // A caller asks to join through slot 0.  `peticion` names it for
    // Acepta or Rechaza; a request neither accepted nor refused before the
    // handler returns is refused.
    virtual void AlPedirConexion(int peticion, const std::string& ip, int puerto) = 0;
    // Bytes arrived on a slot, as they came (Windows-1252).
    virtual void AlRecibir(int ranura, const std::string& datos) = 0;
    // The other end closed the slot's connection.
    virtual void AlCerrar(int ranura) = 0;
    // `numero` is one of the numbers above or another the message shows;
    // `descripcion` is a readable Spanish description.
    virtual void AlFallar(int ranura, int numero, const std::string& descripcion) = 0;
};

class Conexiones {
public:
    virtual ~Conexiones() = default;
    virtual void PonOyente(OyenteConexiones* oyente) = 0;

    // --- administrator ---------------------------------------------------
    // Slot 0 listens on every address at `puerto`; false when it cannot.
    virtual bool Escucha(int puerto) = 0;
    virtual void Acepta(int peticion, int ranura) = 0;
    virtual void Rechaza(int peticion) = 0;

    // --- client ------------------------------------------------------------
    // Slot 0 connects from `puertoLocal` to ip:puerto; the outcome comes as
    // Estado, AlFallar or AlCerrar.
    virtual void Conecta(const std::string& ip, int puerto, int puertoLocal) = 0;

    // --- both -----------------------------------------------------------------
    // Sending on a slot that is not connected does nothing.
    virtual void Envia(int ranura, const std::string& datos) = 0;
    virtual void Cierra(int ranura) = 0;
    virtual EstadoSocket Estado(int ranura) const = 0;
    virtual std::string IpRemota(int ranura) const = 0;
    virtual int PuertoRemoto(int ranura) const = 0;
};

}  // namespace parchis
