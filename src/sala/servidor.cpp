#include "sala/servidor.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <vector>

#include "sala/apertura.h"

namespace parchis::sala {

namespace {

constexpr std::size_t Trozo = 16 * 1024;

std::string TextoIp(std::uint32_t ip) {
    char texto[INET_ADDRSTRLEN] = "?";
    in_addr a{};
    a.s_addr = ip;
    inet_ntop(AF_INET, &a, texto, sizeof texto);
    return texto;
}

}  // namespace

Servidor::Servidor(Limites limites, std::ostream* registro)
    : limites_(limites), registro_(registro), epoll_(epoll_create1(EPOLL_CLOEXEC)) {}

Servidor::~Servidor() {
    for (auto& [fd, c] : conexiones_) close(fd);
    if (escucha_ >= 0) close(escucha_);
    if (epoll_ >= 0) close(epoll_);
}

double Servidor::Ahora() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool Servidor::Escucha(int puerto, const std::string& direccion) {
    if (epoll_ < 0) return false;
    escucha_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (escucha_ < 0) return false;
    const int si = 1;
    setsockopt(escucha_, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(puerto));
    if (inet_pton(AF_INET, direccion.c_str(), &a.sin_addr) != 1) {
        errno = EINVAL;
        return false;
    }
    socklen_t largo = sizeof a;
    if (bind(escucha_, reinterpret_cast<sockaddr*>(&a), sizeof a) < 0 || listen(escucha_, 512) < 0 ||
        getsockname(escucha_, reinterpret_cast<sockaddr*>(&a), &largo) < 0)
        return false;
    puerto_ = ntohs(a.sin_port);
    epoll_event e{};
    e.events = EPOLLIN;
    e.data.fd = escucha_;
    return epoll_ctl(epoll_, EPOLL_CTL_ADD, escucha_, &e) == 0;
}

void Servidor::Sirve(const volatile bool& parar) {
    while (!parar) Vuelta(1000);
}

void Servidor::Vuelta(int milisegundos) {
    epoll_event eventos[256];
    const int n = epoll_wait(epoll_, eventos, 256, milisegundos);
    // An fd closed earlier in this batch may already hold a new connection:
    // its events are looked at again in the next round instead.
    std::vector<int> cerradas;
    for (int i = 0; i < n; ++i) {
        const int fd = eventos[i].data.fd;
        if (fd == escucha_) {
            Acepta();
            continue;
        }
        Conexion* c = Busca(fd);
        if (!c) continue;
        const auto ev = eventos[i].events;
        if (ev & (EPOLLERR | EPOLLHUP)) {
            // What came before a reset is still read: a peer that closes
            // with bytes of ours unread resets the connection, and an
            // administrator closing its room often goes that way.
            if ((ev & EPOLLIN) && c->Leyendo) Lee(*c);
            if (Busca(fd)) Cierra(fd);
            continue;
        }
        if (ev & EPOLLOUT) Escribe(*c);
        if (!(c = Busca(fd))) continue;
        if ((ev & EPOLLIN) && c->Leyendo) Lee(*c);
        else if ((ev & EPOLLRDHUP) && !c->Leyendo) {
            // A client that gave up before its link came, or a peer whose
            // partner is full: nothing of it is read until there is room.
            if (c->Clase == Tipo::Cliente && c->Par < 0) Cierra(fd);
            else if (c->Par >= 0) { c->Leyendo = true; Vigila(*c); }
        }
    }
    if (Ahora() - ultimoBarrido_ >= 1) Barre();
}

Servidor::Conexion* Servidor::Busca(int fd) {
    const auto it = conexiones_.find(fd);
    return it == conexiones_.end() ? nullptr : &it->second;
}

void Servidor::Acepta() {
    for (int vueltas = 0; vueltas < 256; ++vueltas) {
        sockaddr_in a{};
        socklen_t largo = sizeof a;
        const int fd = accept4(escucha_, reinterpret_cast<sockaddr*>(&a), &largo, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            // Out of descriptors (or memory) the backlog waits, and so does
            // the listener: still watched, it would be reported ready at
            // once and the loop would spin.  A closed connection or the
            // next sweep watches it again.
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) VigilaEscucha(false);
            return;
        }
        const std::uint32_t ip = a.sin_addr.s_addr;
        Direccion& d = direcciones_[ip];
        if (int(conexiones_.size()) >= limites_.Conexiones || d.Conexiones >= limites_.ConexionesPorDireccion) {
            close(fd);
            ++rechazos_;
            continue;
        }
        ++d.Conexiones;
        const int si = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &si, sizeof si);
        ActivaSondeo(fd);
        Conexion& c = conexiones_[fd];
        c.Fd = fd;
        c.Ip = ip;
        c.Desde = Ahora();
        epoll_event e{};
        e.events = EPOLLIN | EPOLLRDHUP;
        e.data.fd = fd;
        epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &e);
    }
}

void Servidor::VigilaEscucha(bool si) {
    if (escucha_ < 0 || escuchando_ == si) return;
    escuchando_ = si;
    epoll_event e{};
    e.events = si ? EPOLLIN : 0u;
    e.data.fd = escucha_;
    epoll_ctl(epoll_, EPOLL_CTL_MOD, escucha_, &e);
}

void Servidor::Vigila(Conexion& c) {
    epoll_event e{};
    e.events = (c.Leyendo ? EPOLLIN : 0u) | (c.Salida.empty() ? 0u : unsigned(EPOLLOUT));
    // A peer that hung up is looked at once; while it is not read, it is not
    // asked about again (level-triggered, it would be reported forever).
    if (!c.Leyendo && c.Par < 0) e.events |= EPOLLRDHUP;
    e.data.fd = c.Fd;
    epoll_ctl(epoll_, EPOLL_CTL_MOD, c.Fd, &e);
}

void Servidor::Lee(Conexion& c) {
    switch (c.Clase) {
    case Tipo::Apertura:
        return LeeApertura(c);
    case Tipo::Control: {
        // The administrator says one thing here, that it closes its room
        // ("CIERRA"): any byte is taken for it.
        char bytes[512];
        const ssize_t n = recv(c.Fd, bytes, sizeof bytes, 0);
        if (n > 0) CierraSala(c.Sala, "el administrador la ha cerrado");
        else if (n == 0 || (errno != EAGAIN && errno != EINTR)) Cierra(c.Fd);
        return;
    }
    default:
        return Copia(c);
    }
}

void Servidor::LeeApertura(Conexion& c) {
    char bytes[LongitudMaximaApertura + 2];
    const ssize_t n = recv(c.Fd, bytes, sizeof bytes - c.Entrada.size(), 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return Cierra(c.Fd);
    if (n < 0) return;
    c.Entrada.append(bytes, std::size_t(n));
    const std::size_t fin = c.Entrada.find('\n');
    if (fin == std::string::npos) {
        if (c.Entrada.size() > LongitudMaximaApertura) Rehusa(c, "NO APERTURA\n");
        return;
    }
    const Apertura a = sala::LeeApertura(std::string_view(c.Entrada).substr(0, fin));
    c.Entrada.erase(0, fin + 1);   // what follows belongs to the pipe
    switch (a.Quien) {
    case Papel::Administrador:
        return a.Codigo.empty() ? Abre(c) : Recupera(c, a.Codigo, a.Clave);
    case Papel::Cliente:
        return Une(c, a.Codigo, a.Puerto);
    case Papel::Enlace:
        return Enlaza(c, a.Codigo, a.Clave, a.Id);
    case Papel::Ninguno:
        return Rehusa(c, "NO APERTURA\n");
    }
}

void Servidor::Abre(Conexion& c) {
    Direccion& d = direcciones_[c.Ip];
    if (int(salas_.size()) >= limites_.Salas || d.Salas >= limites_.SalasPorDireccion)
        return Rehusa(c, "NO LLENO\n");
    std::string codigo;
    for (int i = 0; i < 20 && (codigo.empty() || salas_.count(codigo)); ++i) codigo = GeneraCodigo(LongitudCodigo);
    const std::string clave = GeneraCodigo(LongitudClave);
    if (codigo.empty() || salas_.count(codigo) || clave.empty()) return Rehusa(c, "NO LLENO\n");
    Sala& s = salas_[codigo];
    s.Codigo = codigo;
    s.Clave = clave;
    s.Control = c.Fd;
    s.Ip = c.Ip;
    s.Actividad = Ahora();
    ++d.Salas;
    ++abiertas_;
    c.Clase = Tipo::Control;
    c.Sala = codigo;
    c.Entrada.clear();
    if (registro_)
        *registro_ << "parchis-sala: sala " << codigo << " abierta por " << TextoIp(c.Ip) << " (" << salas_.size()
                   << " salas)" << std::endl;
    Envia(c, "SALA " + codigo + " " + clave + "\n");
}

// The administrator is back with its room's code and key, on a new
// control connection.  One the server still holds is closed first: it is
// most likely dead without the server having heard (a router that
// forgot the connection, an address that changed).
void Servidor::Recupera(Conexion& c, const std::string& codigo, const std::string& clave) {
    if (!QuedanFallos(c.Ip)) return Rehusa(c, "NO ESPERE\n");
    const auto it = salas_.find(codigo);
    if (it == salas_.end() || !IgualesSinPrisa(it->second.Clave, clave)) {
        GastaFallo(c.Ip);
        return Rehusa(c, "NO CODIGO\n");
    }
    if (Conexion* viejo = Busca(it->second.Control)) {
        viejo->Clase = Tipo::Apertura;   // its room does not go with it
        Cierra(viejo->Fd);
    }
    Sala& s = it->second;
    s.Control = c.Fd;
    s.Actividad = Ahora();
    c.Clase = Tipo::Control;
    c.Sala = codigo;
    c.Entrada.clear();
    if (registro_) *registro_ << "parchis-sala: sala " << codigo << " recuperada por " << TextoIp(c.Ip) << std::endl;
    Envia(c, "SALA " + codigo + " " + s.Clave + "\n");
}

// The pipes of the seated clients go on; clients that give the code are
// refused until the administrator is back, and the room is closed if it
// does not come back in time.
void Servidor::PierdeControl(const std::string& codigo) {
    const auto it = salas_.find(codigo);
    if (it == salas_.end()) return;
    it->second.Control = -1;
    it->second.SinControl = Ahora();
    if (registro_) *registro_ << "parchis-sala: sala " << codigo << " sin administrador" << std::endl;
}

// Tokens of wrong codes: an address has limites_.Fallos of them and gets
// one back every RecargaFallo seconds.  With none left every code it gives
// is refused, right or wrong, so guessing gains nothing.
bool Servidor::QuedanFallos(std::uint32_t ip) {
    Direccion& d = direcciones_[ip];
    const double ahora = Ahora();
    d.Fallos = std::max(0.0, d.Fallos - (ahora - d.Cuenta) / limites_.RecargaFallo);
    d.Cuenta = ahora;
    return d.Fallos + 1 <= limites_.Fallos;
}

void Servidor::GastaFallo(std::uint32_t ip) {
    if (QuedanFallos(ip)) direcciones_[ip].Fallos += 1;
}

void Servidor::Une(Conexion& c, const std::string& codigo, int puerto) {
    if (!QuedanFallos(c.Ip)) return Rehusa(c, "NO ESPERE\n");
    const auto it = salas_.find(codigo);
    if (it == salas_.end()) {
        GastaFallo(c.Ip);
        return Rehusa(c, "NO CODIGO\n");
    }
    Sala& s = it->second;
    if (s.Clientes >= limites_.ClientesPorSala) return Rehusa(c, "NO LLENO\n");
    // While the room waits for its administrator, its clients are told to
    // call again (its code is no secret to them: a live room says "SI").
    Conexion* control = Busca(s.Control);
    if (!control) return Rehusa(c, "NO AUSENTE\n");
    const int fd = c.Fd;
    const std::string llamada =
        "LLAMADA " + std::to_string(s.UltimoId + 1) + " " + TextoIp(c.Ip) + " " + std::to_string(puerto) + "\n";
    c.Clase = Tipo::Cliente;
    c.Sala = codigo;
    c.Id = ++s.UltimoId;
    c.Desde = Ahora();
    c.Leyendo = false;   // its bytes wait in the system until its link comes
    s.Esperando[c.Id] = fd;
    ++s.Clientes;
    Envia(c, "SI\n");
    Envia(*control, llamada);
    if (Conexion* k = Busca(fd)) Vigila(*k);
}

void Servidor::Enlaza(Conexion& c, const std::string& codigo, const std::string& clave, std::uint32_t id) {
    const auto it = salas_.find(codigo);
    const bool clave_bien = it != salas_.end() && IgualesSinPrisa(it->second.Clave, clave);
    const auto espera = clave_bien ? it->second.Esperando.find(id) : std::map<std::uint32_t, int>::iterator();
    if (!clave_bien || espera == it->second.Esperando.end()) {
        if (!clave_bien) GastaFallo(c.Ip);
        return Rehusa(c, "NO CODIGO\n");
    }
    Conexion* cliente = Busca(espera->second);
    it->second.Esperando.erase(espera);
    if (!cliente) return Rehusa(c, "NO CODIGO\n");
    c.Clase = Tipo::Enlace;
    c.Sala = codigo;
    c.Par = cliente->Fd;
    cliente->Par = c.Fd;
    cliente->Leyendo = true;
    it->second.Actividad = Ahora();
    // Bytes that came behind either opening line go on as the first of the pipe.
    std::string deCliente, deEnlace;
    deCliente.swap(cliente->Entrada);
    deEnlace.swap(c.Entrada);
    copiados_ += deCliente.size() + deEnlace.size();
    const int fdCliente = cliente->Fd, fdEnlace = c.Fd;
    if (!deEnlace.empty()) Envia(*cliente, deEnlace);
    if (Conexion* e = Busca(fdEnlace); e && !deCliente.empty()) Envia(*e, deCliente);
    if (Conexion* k = Busca(fdCliente)) Vigila(*k);
    if (Conexion* e = Busca(fdEnlace)) Vigila(*e);
}

// Copies what fits in the partner's buffer; when it is full the reading
// stops until the partner takes some (back pressure through TCP).
void Servidor::Copia(Conexion& desde) {
    Conexion* par = desde.Par >= 0 ? Busca(desde.Par) : nullptr;
    if (!par) return Cierra(desde.Fd);
    const int fd = desde.Fd, fdPar = par->Fd;
    char bytes[Trozo];
    for (int vueltas = 0; vueltas < 4; ++vueltas) {
        const std::size_t sitio = limites_.Salida - std::min(limites_.Salida, par->Salida.size());
        if (sitio == 0) {
            desde.Leyendo = false;
            Vigila(desde);
            return;
        }
        const ssize_t n = recv(fd, bytes, std::min(sitio, sizeof bytes), 0);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return Cierra(fd);
        if (n < 0) return;
        copiados_ += std::size_t(n);
        if (auto s = salas_.find(desde.Sala); s != salas_.end()) s->second.Actividad = Ahora();
        Envia(*par, std::string(bytes, std::size_t(n)));
        if (!Busca(fdPar) || !Busca(fd)) return;
        if (std::size_t(n) < std::min(sitio, sizeof bytes)) return;
    }
}

void Servidor::Envia(Conexion& c, const std::string& datos) {
    if (c.Salida.empty()) {
        const ssize_t n = send(c.Fd, datos.data(), datos.size(), MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN && errno != EINTR) return Cierra(c.Fd);
        const std::size_t enviados = n > 0 ? std::size_t(n) : 0;
        if (enviados == datos.size()) return;
        c.Salida.assign(datos, enviados);
        c.Desde = Ahora();
    } else {
        c.Salida += datos;
    }
    if (c.Salida.size() > limites_.Salida) return Cierra(c.Fd);   // it does not read
    Vigila(c);
}

void Servidor::Escribe(Conexion& c) {
    if (c.Salida.empty()) return Vigila(c);
    const ssize_t n = send(c.Fd, c.Salida.data(), c.Salida.size(), MSG_NOSIGNAL);
    if (n < 0 && errno != EAGAIN && errno != EINTR) return Cierra(c.Fd);
    if (n <= 0) return;
    c.Salida.erase(0, std::size_t(n));
    c.Desde = Ahora();
    if (c.Salida.empty() && c.CerrarAlVaciar) return Cierra(c.Fd);
    // Room again: the partner that was held back is read again.
    if (Conexion* par = c.Par >= 0 ? Busca(c.Par) : nullptr; par && !par->Leyendo) {
        par->Leyendo = true;
        Vigila(*par);
    }
    Vigila(c);
}

void Servidor::Rehusa(Conexion& c, const char* respuesta) {
    ++rechazos_;
    send(c.Fd, respuesta, std::char_traits<char>::length(respuesta), MSG_NOSIGNAL | MSG_DONTWAIT);
    Cierra(c.Fd);
}

// A closed peer's partner still gets what it is owed, and is closed once
// its buffer is empty (or it stops reading).
void Servidor::Cierra(int fd) {
    const auto it = conexiones_.find(fd);
    if (it == conexiones_.end()) return;
    Conexion c = std::move(it->second);
    conexiones_.erase(it);
    epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
    close(fd);
    VigilaEscucha(true);
    if (auto d = direcciones_.find(c.Ip); d != direcciones_.end()) --d->second.Conexiones;
    if (c.Clase == Tipo::Control) PierdeControl(c.Sala);
    if (c.Clase == Tipo::Cliente) {
        if (auto s = salas_.find(c.Sala); s != salas_.end()) {
            --s->second.Clientes;
            if (c.Par < 0) s->second.Esperando.erase(c.Id);
        }
    }
    if (Conexion* par = c.Par >= 0 ? Busca(c.Par) : nullptr) {
        par->Par = -1;
        if (par->Salida.empty()) Cierra(par->Fd);
        else {
            par->CerrarAlVaciar = true;
            par->Leyendo = false;
            Vigila(*par);
        }
    }
}

// By value: the name often belongs to a connection that this closes.
void Servidor::CierraSala(std::string codigo, const char* motivo) {
    const auto it = salas_.find(codigo);
    if (it == salas_.end()) return;
    const Sala s = std::move(it->second);
    salas_.erase(it);
    if (auto d = direcciones_.find(s.Ip); d != direcciones_.end()) --d->second.Salas;
    std::vector<int> miembros;
    for (const auto& [fd, c] : conexiones_)
        if (c.Sala == codigo) miembros.push_back(fd);
    for (const int fd : miembros) {
        if (Conexion* c = Busca(fd)) c->Clase = Tipo::Apertura;   // the room is already gone
        Cierra(fd);
    }
    if (registro_)
        *registro_ << "parchis-sala: sala " << codigo << " cerrada: " << motivo << " (" << salas_.size() << " salas)"
                   << std::endl;
}

// Once a second: openings that do not come, links that do not come, peers
// that read nothing, rooms with nothing going on, and forgotten addresses.
void Servidor::Barre() {
    const double ahora = ultimoBarrido_ = Ahora();
    VigilaEscucha(true);
    std::vector<int> fuera;
    std::vector<std::string> inactivas;
    for (const auto& [fd, c] : conexiones_) {
        if ((c.Clase == Tipo::Apertura && ahora - c.Desde > limites_.EsperaApertura) ||
            (c.Clase == Tipo::Cliente && c.Par < 0 && c.Salida.empty() && ahora - c.Desde > limites_.EsperaEnlace) ||
            (!c.Salida.empty() && ahora - c.Desde > limites_.Atasco))
            fuera.push_back(fd);
    }
    for (const int fd : fuera) Cierra(fd);
    std::vector<std::string> abandonadas;
    for (const auto& [codigo, s] : salas_) {
        if (ahora - s.Actividad > limites_.Inactividad) inactivas.push_back(codigo);
        else if (s.Control < 0 && ahora - s.SinControl > limites_.Reclamo) abandonadas.push_back(codigo);
    }
    for (const auto& codigo : inactivas) CierraSala(codigo, "inactiva");
    for (const auto& codigo : abandonadas) CierraSala(codigo, "el administrador se ha ido");
    for (auto it = direcciones_.begin(); it != direcciones_.end();) {
        const Direccion& d = it->second;
        const bool olvidada = d.Conexiones <= 0 && d.Salas <= 0 &&
                              d.Fallos - (ahora - d.Cuenta) / limites_.RecargaFallo <= 0;
        it = olvidada ? direcciones_.erase(it) : std::next(it);
    }
}

Medidas Servidor::Mide() const {
    Medidas m;
    m.Conexiones = int(conexiones_.size());
    m.Salas = int(salas_.size());
    for (const auto& [fd, c] : conexiones_) m.BytesRetenidos += c.Entrada.capacity() + c.Salida.capacity();
    m.BytesCopiados = copiados_;
    m.SalasAbiertas = abiertas_;
    m.Rechazos = rechazos_;
    return m;
}

}  // namespace parchis::sala
