// The room server: it knows rooms, codes and byte pipes, nothing of the
// game.  One thread, one epoll set, non-blocking sockets.
//
// Every caller first sends its opening line (sala/apertura.h).  An
// administrator's control connection opens a room; each client that gives
// the room's code is announced to the administrator ("LLAMADA"), who
// opens a link connection for it; from then on the server copies bytes
// between the client and that link, unchanged and in order, so the
// administrator sees each client as a caller of its own.  When the
// control connection is lost the pipes go on, and the room waits a while
// for its administrator to come back with the code and key.
//
// Bounds, so that a server facing the internet cannot be worn down: the
// opening line is short and must come soon; each connection holds at most
// LimiteSalida unsent bytes (a peer that does not read is closed, and
// until it is, its partner is not read); rooms and connections are capped
// in all and per address; wrong codes are rate-limited per address; a room
// without traffic is closed.  Nothing is written but the log lines on
// standard error, one per room opened or closed.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <unordered_map>

namespace parchis::sala {

struct Limites {
    int Conexiones = 4096;          // in all
    int ConexionesPorDireccion = 32;
    int Salas = 1000;               // in all
    int SalasPorDireccion = 4;
    int ClientesPorSala = 6;        // seated and waiting for their link
    std::size_t Salida = 64 * 1024; // unsent bytes a connection may hold
    double EsperaApertura = 10;     // seconds for the opening line
    double EsperaEnlace = 15;       // for the administrator's link to a client
    double Inactividad = 3600;      // a room without a byte for this long is closed
    double Reclamo = 120;           // a room whose administrator's control connection
                                    // was lost waits this long for it to come back
    double Atasco = 30;             // a peer that reads nothing of what it is owed
    int Fallos = 8;                 // wrong codes an address may give at once...
    double RecargaFallo = 10;       // ...and one more every this many seconds
};

struct Medidas {
    int Conexiones = 0;
    int Salas = 0;
    std::size_t BytesRetenidos = 0;   // in every buffer of ours
    std::uint64_t BytesCopiados = 0;
    std::uint64_t SalasAbiertas = 0;
    std::uint64_t Rechazos = 0;       // openings refused, any reason
};

class Servidor {
public:
    explicit Servidor(Limites limites = {}, std::ostream* registro = nullptr);
    ~Servidor();
    Servidor(const Servidor&) = delete;
    Servidor& operator=(const Servidor&) = delete;

    // Listens on `direccion`:`puerto` (IPv4); 0 takes a free port (Puerto()
    // tells which).  False with errno set when it cannot.
    bool Escucha(int puerto, const std::string& direccion = "0.0.0.0");
    int Puerto() const { return puerto_; }
    // Serves events for up to `milisegundos`, then the clocks' sweep.
    void Vuelta(int milisegundos);
    // Serves until `parar` becomes true (checked at least once a second).
    void Sirve(const volatile bool& parar);
    Medidas Mide() const;

private:
    enum class Tipo { Apertura, Control, Cliente, Enlace };
    struct Conexion {
        int Fd = -1;
        Tipo Clase = Tipo::Apertura;
        std::uint32_t Ip = 0;          // network order
        std::string Entrada;           // the opening line as it comes
        std::string Salida;            // owed to this peer
        int Par = -1;                  // the other end of its pipe
        std::string Sala;              // code of its room
        std::uint32_t Id = 0;          // a waiting client's number in its room
        double Desde = 0;              // arrival, or the last byte sent to it
        bool Leyendo = true;
        bool Escribiendo = false;
        bool CerrarAlVaciar = false;
    };
    struct Sala {
        std::string Codigo, Clave;
        int Control = -1;
        std::uint32_t Ip = 0;
        std::uint32_t UltimoId = 0;
        std::map<std::uint32_t, int> Esperando;   // id -> client fd
        int Clientes = 0;
        double Actividad = 0;
        double SinControl = 0;    // when its control connection was lost (while Control < 0)
    };
    struct Direccion {
        int Conexiones = 0;
        int Salas = 0;
        double Fallos = 0;        // tokens spent, refilled with time
        double Cuenta = 0;        // when Fallos was last refilled
    };

    void Acepta();
    void Lee(Conexion& c);
    void LeeApertura(Conexion& c);
    void Abre(Conexion& c);
    void Recupera(Conexion& c, const std::string& codigo, const std::string& clave);
    void Une(Conexion& c, const std::string& codigo, int puerto);
    void Enlaza(Conexion& c, const std::string& codigo, const std::string& clave, std::uint32_t id);
    void Copia(Conexion& desde);
    void Escribe(Conexion& c);
    void Envia(Conexion& c, const std::string& datos);
    void Rehusa(Conexion& c, const char* respuesta);
    void Cierra(int fd);
    void CierraSala(std::string codigo, const char* motivo);
    void PierdeControl(const std::string& codigo);
    void Vigila(Conexion& c);
    void VigilaEscucha(bool si);
    bool QuedanFallos(std::uint32_t ip);
    void GastaFallo(std::uint32_t ip);
    void Barre();
    Conexion* Busca(int fd);
    double Ahora() const;

    Limites limites_;
    std::ostream* registro_;
    int epoll_ = -1;
    int escucha_ = -1;
    int puerto_ = 0;
    bool escuchando_ = true;   // the listener is watched (not while out of descriptors)
    std::unordered_map<int, Conexion> conexiones_;
    std::unordered_map<std::string, Sala> salas_;
    std::unordered_map<std::uint32_t, Direccion> direcciones_;
    std::uint64_t copiados_ = 0;
    std::uint64_t abiertas_ = 0;
    std::uint64_t rechazos_ = 0;
    double ultimoBarrido_ = 0;
};

}  // namespace parchis::sala
