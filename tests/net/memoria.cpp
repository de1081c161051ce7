#include "net/memoria.h"

#include <thread>

#include "core/configuracion.h"
#include "flow/final.h"
#include "flow/red.h"
#include "flow/sorteo.h"

namespace parchis::prueba {

namespace {
std::atomic<unsigned> siguienteEnlace{1};
}  // namespace

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

// An event that waits inside (a game started by a message) runs the ones
// queued after it, as it would in the program.
void ConexionesMemoria::Despacha(std::chrono::milliseconds espera) {
    std::size_t n;
    {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait_for(l, espera, [this] { return !eventos_.empty(); });
        n = eventos_.size();
    }
    for (; n > 0; --n) {
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

bool ConexionesMemoria::Escucha(int puerto) {
    std::lock_guard<std::mutex> l(centralita_.m);
    return centralita_.escuchas.emplace(puerto, this).first->second == this;
}

void ConexionesMemoria::Acepta(int peticion, int ranura) {
    const Ranura r = peticiones_[peticion];
    peticiones_.erase(peticion);
    ranuras_[ranura] = {EstadoSocket::Conectado, r.otro, 0, r.enlace, r.puerto};
    r.otro->EncolaSiSigue(0, r.enlace, [this, ranura](Ranura& s) {
        s.otro = this;
        s.ranuraOtro = ranura;
    });
}

void ConexionesMemoria::Rechaza(int peticion) {
    const auto it = peticiones_.find(peticion);
    if (it == peticiones_.end()) return;
    ConexionesMemoria* cliente = it->second.otro;
    cliente->EncolaSiSigue(0, it->second.enlace, [cliente](Ranura& s) {
        s = {};
        cliente->oyente_->AlCerrar(0);
    });
    peticiones_.erase(it);
}

void ConexionesMemoria::Conecta(const std::string&, int puerto, int puertoLocal) {
    const unsigned enlace = siguienteEnlace++;
    ranuras_[0] = {EstadoSocket::Conectando, nullptr, 0, enlace, puerto};
    ConexionesMemoria* admin;
    {
        std::lock_guard<std::mutex> l(centralita_.m);
        const auto it = centralita_.escuchas.find(puerto);
        admin = it == centralita_.escuchas.end() ? nullptr : it->second;
    }
    if (admin == nullptr) {
        EncolaSiSigue(0, enlace, [this](Ranura& s) {
            s.estado = EstadoSocket::Error;
            oyente_->AlFallar(0, ErrorConexionRechazada, "Conexión rehusada");
        });
        return;
    }
    EncolaSiSigue(0, enlace, [](Ranura& s) { s.estado = EstadoSocket::Conectado; });
    admin->Encola([admin, this, enlace, puertoLocal] {
        const int id = ++admin->ultimaPeticion_;
        admin->peticiones_[id] = {EstadoSocket::Conectando, this, 0, enlace, puertoLocal};
        admin->oyente_->AlPedirConexion(id, "127.0.0.1", puertoLocal);
        admin->Rechaza(id);   // neither accepted nor refused: refused
    });
}

void ConexionesMemoria::Envia(int ranura, const std::string& datos) {
    const Ranura& r = ranuras_[ranura];
    if (r.estado != EstadoSocket::Conectado || r.otro == nullptr) return;
    Enviados.push_back(datos);
    const std::size_t trozo = trozo_ == 0 ? datos.size() : trozo_;
    for (std::size_t i = 0; i < datos.size(); i += trozo)
        r.otro->EncolaSiSigue(r.ranuraOtro, r.enlace,
                              [otro = r.otro, suya = r.ranuraOtro, pieza = datos.substr(i, trozo)](Ranura&) {
                                  otro->oyente_->AlRecibir(suya, pieza);
                              });
}

ConexionesMemoria::~ConexionesMemoria() {
    std::lock_guard<std::mutex> l(centralita_.m);
    std::erase_if(centralita_.escuchas, [this](const auto& e) { return e.second == this; });
}

void ConexionesMemoria::Cierra(int ranura) {
    Ranura& r = ranuras_[ranura];
    if (r.otro != nullptr)
        r.otro->EncolaSiSigue(r.ranuraOtro, r.enlace, [otro = r.otro, suya = r.ranuraOtro](Ranura& s) {
            s = {};
            otro->oyente_->AlCerrar(suya);
        });
    r = {};
    if (ranura != 0) return;
    std::lock_guard<std::mutex> l(centralita_.m);
    std::erase_if(centralita_.escuchas, [this](const auto& e) { return e.second == this; });
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
    if (std::chrono::steady_clock::now() > Limite) p_.PartidaIniciada = p_.JugarEnRed = false;
}

int InterfazRed::Mensaje(const std::string& titulo, const std::string& texto, int, int, int) {
    Titulos.push_back(titulo);
    Textos.push_back(texto);
    if (titulo == TituloFinal) {
        Finales.push_back(LogAdministrador(p_));
        ++Terminadas;
    }
    const auto it = Respuestas.find(titulo);
    return it == Respuestas.end() ? Aceptar : it->second;
}

int InterfazRed::PeticionConexion(const std::string& texto, const std::vector<std::string>& opciones) {
    Textos.push_back(texto);
    Opciones.push_back(opciones);
    return Elige ? Elige(opciones) : 0;
}

Ordenador::Ordenador(Centralita& c, int modo, int miPuerto, unsigned semilla, std::size_t trozo)
    : conexiones(c, trozo), ui(p, conexiones, semilla), red(p, ui, conexiones) {
    AplicaValoresPorDefecto(p);
    p.Carpeta = carpeta.Texto();
    for (int j = 1; j <= 4; ++j) {
        p.Control[j] = static_cast<Entero>(modo == 1 && j < 4 ? 3 : 2);
        p.Nivel[j] = 0;
    }
    p.Nombres = {"", "Oeste", "Norte", "Este", modo == 1 ? "Admin" : "Cliente"};
    p.PausaEntreJugadas = false;
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

void EnHilos(const std::vector<std::function<void()>>& tareas) {
    std::vector<std::thread> hilos;
    for (const auto& t : tareas) hilos.emplace_back(t);
    for (auto& h : hilos) h.join();
}

std::string LogAdministrador(const Partida& p) {
    const bool cliente = p.ModoRed == 2;
    const auto puesto = [&](int j) { return !cliente || j == 0 ? j : (j + p.PuestoAdmin - 1) % 4 + 1; };
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
