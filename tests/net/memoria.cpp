#include "net/memoria.h"

#include <thread>

#include "core/configuracion.h"
#include "flow/red.h"
#include "flow/sorteo.h"
#include "rules/tablero.h"

namespace parchis::prueba {

namespace {

std::atomic<unsigned> siguienteEnlace{1};

}  // namespace

bool Centralita::Escucha(int puerto, ConexionesMemoria* c) {
    std::lock_guard<std::mutex> l(m_);
    auto [it, nuevo] = escuchas_.emplace(puerto, c);
    return nuevo || it->second == c;
}

void Centralita::Olvida(ConexionesMemoria* c) {
    std::lock_guard<std::mutex> l(m_);
    std::erase_if(escuchas_, [c](const auto& e) { return e.second == c; });
}

ConexionesMemoria* Centralita::Quien(int puerto) {
    std::lock_guard<std::mutex> l(m_);
    const auto it = escuchas_.find(puerto);
    return it == escuchas_.end() ? nullptr : it->second;
}

void ConexionesMemoria::Encola(std::function<void()> evento) {
    {
        std::lock_guard<std::mutex> l(m_);
        eventos_.push_back(std::move(evento));
    }
    cv_.notify_one();
}

void ConexionesMemoria::EncolaSiSigue(int ranura, unsigned enlace, std::function<void(Ranura&)> evento) {
    Encola([this, ranura, enlace, evento = std::move(evento)] {
        if (ranuras_[ranura].enlace == enlace) evento(ranuras_[ranura]);
    });
}

// One event at a time, as a window system runs them: an event that waits
// inside (a game started by a message) runs the ones queued after it.
void ConexionesMemoria::Despacha(std::chrono::milliseconds espera) {
    std::size_t pendientes;
    {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait_for(l, espera, [this] { return !eventos_.empty(); });
        pendientes = eventos_.size();
    }
    for (; pendientes > 0; --pendientes) {
        std::function<void()> evento;
        {
            std::lock_guard<std::mutex> l(m_);
            if (eventos_.empty()) return;
            evento = std::move(eventos_.front());
            eventos_.pop_front();
        }
        evento();
    }
}

bool ConexionesMemoria::Escucha(int puerto) { return centralita_.Escucha(puerto, this); }

void ConexionesMemoria::Acepta(int peticion, int ranura) {
    const auto it = peticiones_.find(peticion);
    if (it == peticiones_.end()) return;
    const Peticion pet = it->second;
    peticiones_.erase(it);
    ranuras_[ranura] = {EstadoSocket::Conectado, pet.cliente, 0, pet.enlace, pet.puerto};
    pet.cliente->EncolaSiSigue(0, pet.enlace, [this, ranura](Ranura& r) {
        r.otro = this;
        r.ranuraOtro = ranura;
    });
}

void ConexionesMemoria::Rechaza(int peticion) {
    const auto it = peticiones_.find(peticion);
    if (it == peticiones_.end()) return;
    ConexionesMemoria* cliente = it->second.cliente;
    cliente->EncolaSiSigue(0, it->second.enlace, [cliente](Ranura& r) {
        r = {};
        cliente->oyente_->AlCerrar(0);
    });
    peticiones_.erase(it);
}

void ConexionesMemoria::Conecta(const std::string&, int puerto, int puertoLocal) {
    const unsigned enlace = siguienteEnlace++;
    ranuras_[0] = {EstadoSocket::Conectando, nullptr, 0, enlace, puerto};
    ConexionesMemoria* admin = centralita_.Quien(puerto);
    if (admin == nullptr) {
        EncolaSiSigue(0, enlace, [this](Ranura& r) {
            r.estado = EstadoSocket::Error;
            oyente_->AlFallar(0, ErrorConexionRechazada, "Conexión rehusada");
        });
        return;
    }
    EncolaSiSigue(0, enlace, [](Ranura& r) { r.estado = EstadoSocket::Conectado; });
    admin->Encola([admin, this, enlace, puertoLocal] {
        const int id = ++admin->ultimaPeticion_;
        admin->peticiones_[id] = {this, enlace, puertoLocal};
        admin->oyente_->AlPedirConexion(id, "127.0.0.1", puertoLocal);
        admin->Rechaza(id);   // neither accepted nor refused: refused
    });
}

void ConexionesMemoria::Envia(int ranura, const std::string& datos) {
    Ranura& r = ranuras_[ranura];
    if (r.estado != EstadoSocket::Conectado || r.otro == nullptr) return;
    Enviados.push_back(datos);
    const std::size_t trozo = trozo_ == 0 ? datos.size() : trozo_;
    for (std::size_t i = 0; i < datos.size(); i += trozo) {
        ConexionesMemoria* otro = r.otro;
        otro->EncolaSiSigue(r.ranuraOtro, r.enlace, [otro, pieza = datos.substr(i, trozo), ranura = r.ranuraOtro](Ranura&) {
            otro->oyente_->AlRecibir(ranura, pieza);
        });
    }
}

void ConexionesMemoria::Cierra(int ranura) {
    Ranura& r = ranuras_[ranura];
    if (r.otro != nullptr) {
        ConexionesMemoria* otro = r.otro;
        const int suya = r.ranuraOtro;
        otro->EncolaSiSigue(suya, r.enlace, [otro, suya](Ranura& s) {
            s = {};
            otro->oyente_->AlCerrar(suya);
        });
    }
    if (ranura == 0) centralita_.Olvida(this);
    r = {};
}

void InterfazRed::Cede() {
    c_.Despacha(std::chrono::milliseconds(0));
    red_->Atiende();
}

void InterfazRed::Espera() {
    reloj_ += 0.1;
    c_.Despacha(std::chrono::milliseconds(2));
    red_->Atiende();
    if (AlEsperar) AlEsperar();
    // A test that hangs fails instead: every wait of the game gives up.
    if (std::chrono::steady_clock::now() > Limite) {
        p_.PartidaIniciada = false;
        p_.JugarEnRed = false;
    }
}

int InterfazRed::Mensaje(const std::string& titulo, const std::string& texto, int, int, int) {
    Titulos.push_back(titulo);
    Textos.push_back(texto);
    if (AlMensaje) AlMensaje(titulo);
    const auto it = Respuestas.find(titulo);
    return it == Respuestas.end() ? Aceptar : it->second;
}

void InterfazRed::MuestraEsperaRed(const std::string& titulo, const std::string& texto, int) {
    Paneles.push_back(titulo + "\n" + texto);
}

int InterfazRed::PeticionConexion(const std::string& texto, const std::vector<std::string>& opciones) {
    Textos.push_back(texto);
    Opciones.push_back(opciones);
    return Elige ? Elige(opciones) : 0;
}

Ordenador::Ordenador(Centralita& centralita, int modo, int miPuerto, unsigned semilla, std::size_t trozo)
    : conexiones(centralita, trozo), ui(p, conexiones, semilla), red(p, ui, conexiones) {
    AplicaValoresPorDefecto(p);
    p.Carpeta = carpeta.Texto();
    for (int j = 1; j <= 4; ++j) {
        p.Control[j] = static_cast<Entero>(modo == 1 && j < 4 ? 3 : 2);
        p.Nivel[j] = 0;
    }
    p.Nombres = {"", "Oeste", "Norte", "Este", modo == 1 ? "Admin" : "Cliente"};
    p.PausaEntreJugadas = false;
    p.Velocidad = 100;
    p.JugarEnRed = true;
    p.ModoRed = static_cast<Entero>(modo);
    p.MiPuerto = static_cast<Entero>(miPuerto);
    p.IPAdministrador = "127.0.0.1";
    CuentaJugadores(p);
    ui.PonRed(&red);
    red.PonPropioAutomatico(true);
}

void Ordenador::Juega() {
    red.IniciarRed();
    if (p.PedirNuevaPartida && p.JugarEnRed) {
        p.PedirNuevaPartida = false;
        NuevaPartida(p, ui);
    }
}

void Ordenador::Atiende(const std::atomic<bool>& fin) {
    while (!fin) ui.Espera();
}

void EnHilos(const std::vector<std::function<void()>>& tareas) {
    std::vector<std::thread> hilos;
    for (const auto& t : tareas) hilos.emplace_back(t);
    for (auto& h : hilos) h.join();
}

std::string LogAdministrador(const Partida& p) {
    const bool cliente = p.ModoRed == 2;
    const auto puesto = [&](int j) {
        if (!cliente || j == 0) return j;
        const int i = j + p.PuestoAdmin;
        return i > 4 ? i - 4 : i;
    };
    const auto casilla = [&](int c) { return cliente ? ConvertirCasillaSalida(p, c) : c; };
    std::string log;
    for (std::size_t n = 1; n < p.Jugadas.size() && p.Jugadas[n].Jugador != 0; ++n) {
        const Jugada& e = p.Jugadas[n];
        for (int v : {puesto(e.Jugador), puesto(e.Autor), +e.Dado1, +e.Dado2, +e.ValorCuenta, +e.TipoJugada,
                      +e.FichaJugada, +e.IndiceValor, casilla(e.CasillaOrigen), casilla(e.CasillaFinal),
                      +e.Repeticiones, +e.InicioTirada})
            log += std::to_string(v) + ' ';
        log += '\n';
    }
    return log;
}

}  // namespace parchis::prueba
