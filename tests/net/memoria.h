// Network play inside one test process: each computer (record, services,
// sockets in memory, Red) runs on a thread of its own, as in a program of
// its own; what one sends becomes an event in the other's queue, run from
// its Cede and Espera one at a time, as a window system runs them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "common/carpeta_temporal.h"
#include "common/interfaz_muda.h"
#include "net/red.h"

namespace parchis::prueba {

class ConexionesMemoria;

// Who listens on which port.
struct Centralita {
    std::mutex m;
    std::map<int, ConexionesMemoria*> escuchas;
};

class ConexionesMemoria : public Conexiones {
public:
    // trozo > 0: what is sent arrives in pieces of that many bytes.
    ConexionesMemoria(Centralita& c, std::size_t trozo) : centralita_(c), trozo_(trozo) {}
    ~ConexionesMemoria() override;
    // Runs the events queued so far, waiting up to `espera` for one.
    void Despacha(std::chrono::milliseconds espera);

    void PonOyente(OyenteConexiones* oyente) override { oyente_ = oyente; }
    bool Escucha(int puerto) override;
    void Acepta(int peticion, int ranura) override;
    void Rechaza(int peticion) override;
    void Conecta(const std::string& ip, int puerto, int puertoLocal) override;
    void Envia(int ranura, const std::string& datos) override;
    void Cierra(int ranura) override;
    EstadoSocket Estado(int ranura) const override { return ranuras_[ranura].estado; }
    std::string IpRemota(int) const override { return "127.0.0.1"; }
    int PuertoRemoto(int ranura) const override { return ranuras_[ranura].puerto; }

    std::vector<std::string> Enviados;

private:
    struct Ranura {
        EstadoSocket estado = EstadoSocket::Cerrado;
        ConexionesMemoria* otro = nullptr;
        int ranuraOtro = 0;
        unsigned enlace = 0;   // which connection: events of an older one are dropped
        int puerto = 0;
    };
    void Encola(std::function<void()> evento);
    void EncolaSiSigue(int ranura, unsigned enlace, std::function<void(Ranura&)> evento);

    Centralita& centralita_;
    std::size_t trozo_;
    OyenteConexiones* oyente_ = nullptr;
    Ranura ranuras_[4];
    std::map<int, Ranura> peticiones_;
    int ultimaPeticion_ = 0;
    std::mutex m_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> eventos_;
};

// Messages answered from a table of titles (Aceptar otherwise); the clock
// moves a tenth of a second per wait; a wait past the time limit ends the
// game and network play, so a test that hangs fails instead.
class InterfazRed : public InterfazMuda {
public:
    InterfazRed(Partida& p, ConexionesMemoria& c, unsigned semilla) : InterfazMuda(semilla), p_(p), c_(c) {}
    void PonRed(Red* red) { red_ = red; }
    void Cede() override;
    void Espera() override;
    double Reloj() override { return reloj_; }
    int Mensaje(const std::string& titulo, const std::string& texto, int, int, int) override;
    void EnviaRed(const std::string& texto, int salvo) override { red_->Envia(texto, salvo); }
    void CierraRed() override { red_->TerminarRed(); }
    void MuestraEsperaRed(const std::string& titulo, const std::string& texto, int) override {
        Paneles.push_back(titulo + "\n" + texto);
    }
    int PeticionConexion(const std::string&, const std::vector<std::string>& opciones) override;

    std::map<std::string, int> Respuestas;
    std::function<int(const std::vector<std::string>&)> Elige;   // default: the first seat
    std::function<void()> AlEsperar;                             // on this computer's thread
    std::vector<std::string> Titulos, Textos, Paneles;
    std::vector<std::vector<std::string>> Opciones;
    // The log of each game finished, in the administrator's numbering.
    std::vector<std::string> Finales;
    std::atomic<int> Terminadas{0};
    std::chrono::steady_clock::time_point Limite = std::chrono::steady_clock::now() + std::chrono::seconds(120);

private:
    Partida& p_;
    ConexionesMemoria& c_;
    Red* red_ = nullptr;
    double reloj_ = 0;
};

// Default rules, the computer at level 0 at every seat but the remote
// ones, no pauses, a data folder of its own.  modo 1 administrator, 2 client.
struct Ordenador {
    Ordenador(Centralita& c, int modo, int miPuerto, unsigned semilla, std::size_t trozo = 0);
    CarpetaTemporal carpeta;
    Partida p;
    ConexionesMemoria conexiones;
    InterfazRed ui;
    Red red;
    // IniciarRed and the new game it may ask for, as the program's owner does.
    void Juega();
    void Atiende(const std::atomic<bool>& fin) {
        while (!fin) ui.Espera();
    }
};

void EnHilos(const std::vector<std::function<void()>>& tareas);

// One entry a line; the narration detail is left out: each computer derives
// it from its own view of the throw, which for another's seat it lacks.
std::string LogAdministrador(const Partida& p);

}  // namespace parchis::prueba
