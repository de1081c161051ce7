// The socket layer kept in memory, for tests and fuzzers that drive a Red
// by hand: accepting or connecting opens a slot, closing closes it, and
// what is sent goes only to `alEnviar`.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "net/conexiones.h"

namespace parchis::prueba {

struct SocketsEnMemoria : Conexiones {
    void PonOyente(OyenteConexiones*) override {}
    bool Escucha(int) override { return !alEscuchar || alEscuchar(); }
    void Acepta(int, int ranura) override { estado[ranura] = EstadoSocket::Conectado; }
    void Rechaza(int) override {}
    void Conecta(const std::string&, int, int) override { estado[0] = EstadoSocket::Conectado; }
    void Envia(int ranura, const std::string& datos) override {
        if (alEnviar) alEnviar(ranura, datos);
    }
    void Cierra(int ranura) override {
        if (std::exchange(estado[ranura], EstadoSocket::Cerrado) != EstadoSocket::Cerrado) cerradas.push_back(ranura);
    }
    EstadoSocket Estado(int ranura) const override { return estado[ranura]; }
    std::string IpRemota(int) const override { return "127.0.0.1"; }
    int PuertoRemoto(int) const override { return 49921; }

    std::array<EstadoSocket, 4> estado{};
    std::vector<int> cerradas;   // slots closed while open, in order
    std::function<void(int, const std::string&)> alEnviar;
    std::function<bool()> alEscuchar;   // whether listening works; it works when unset
};

}  // namespace parchis::prueba
