// Network play inside one test process: each computer (a record, its
// services, its sockets in memory and its Red) runs on a thread of its own,
// as it would in a program of its own, and the sockets carry bytes between
// them through each computer's queue of events, run from its Cede and
// Espera like the desktop's.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/carpeta_temporal.h"
#include "common/interfaz_muda.h"
#include "net/conexiones.h"
#include "net/red.h"

namespace parchis::prueba {

class ConexionesMemoria;

// Who listens on which port.
class Centralita {
public:
    bool Escucha(int puerto, ConexionesMemoria* c);
    void Olvida(ConexionesMemoria* c);
    ConexionesMemoria* Quien(int puerto);

private:
    std::mutex m_;
    std::map<int, ConexionesMemoria*> escuchas_;
};

class ConexionesMemoria : public Conexiones {
public:
    // trozo > 0: what is sent arrives in pieces of that many bytes.
    ConexionesMemoria(Centralita& centralita, std::size_t trozo = 0)
        : centralita_(centralita), trozo_(trozo) {}
    ~ConexionesMemoria() override { centralita_.Olvida(this); }

    // Runs the events queued for this computer, waiting up to `espera` for
    // the first one.
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
    int PuertoRemoto(int ranura) const override { return ranuras_[ranura].puertoRemoto; }

    std::vector<std::string> Enviados;   // by this computer, as they left

private:
    struct Ranura {
        EstadoSocket estado = EstadoSocket::Cerrado;
        ConexionesMemoria* otro = nullptr;
        int ranuraOtro = 0;
        unsigned enlace = 0;
        int puertoRemoto = 0;
    };
    struct Peticion {
        ConexionesMemoria* cliente;
        unsigned enlace;
        int puerto;
    };
    void Encola(std::function<void()> evento);
    // Runs `evento` on this computer's thread if slot `ranura` still holds
    // connection `enlace` by then.
    void EncolaSiSigue(int ranura, unsigned enlace, std::function<void(Ranura&)> evento);

    Centralita& centralita_;
    std::size_t trozo_;
    OyenteConexiones* oyente_ = nullptr;
    Ranura ranuras_[4];
    std::map<int, Peticion> peticiones_;
    int ultimaPeticion_ = 0;
    std::mutex m_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> eventos_;
};

// The services of one computer: its events run in Cede and Espera, whose
// clock moves a tenth of a second per wait, and messages answered from a
// table of titles (Aceptar otherwise).
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
    void MuestraEsperaRed(const std::string& titulo, const std::string& texto, int lineas) override;
    int PeticionConexion(const std::string& texto, const std::vector<std::string>& opciones) override;
    void LlegaMensajeChat() override { ++Chats; }

    std::map<std::string, int> Respuestas;
    // The seat option chosen for a caller (-1 refuses); the first one by default.
    std::function<int(const std::vector<std::string>&)> Elige;
    // Run in every wait and after every message, on this computer's thread.
    std::function<void()> AlEsperar;
    std::function<void(const std::string&)> AlMensaje;
    std::vector<std::string> Titulos, Textos, Paneles;
    std::vector<std::vector<std::string>> Opciones;
    int Chats = 0;
    std::chrono::steady_clock::time_point Limite = std::chrono::steady_clock::now() + std::chrono::seconds(120);

private:
    Partida& p_;
    ConexionesMemoria& c_;
    Red* red_ = nullptr;
    double reloj_ = 0;
};

// One computer: default rules, every seat but the remote ones played by
// the computer at level 0, no pauses, its own data folder.
struct Ordenador {
    // modo 1 administrator, 2 client (at "Mi puerto" miPuerto).
    Ordenador(Centralita& centralita, int modo, int miPuerto, unsigned semilla, std::size_t trozo = 0);
    CarpetaTemporal carpeta;
    Partida p;
    ConexionesMemoria conexiones;
    InterfazRed ui;
    Red red;
    // IniciarRed and the new game it may ask for, as the program's owner does.
    void Juega();
    // Runs this computer's events until `fin` is set.
    void Atiende(const std::atomic<bool>& fin);
};

// Runs each function on a thread of its own and waits for all of them.
void EnHilos(const std::vector<std::function<void()>>& tareas);

// The log of a finished game in the administrator's numbering, one entry
// a line.  The narration detail is left out: each computer derives it from
// its own view of the throw, which for another computer's seat it lacks.
std::string LogAdministrador(const Partida& p);

}  // namespace parchis::prueba
