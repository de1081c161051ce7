// The Qt socket slots on the loopback: seating a caller, exact bytes both
// ways, closes reported once, refusals, and events that can be waited for
// from inside another event's handler.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "net/qt/conexiones_qt.h"
#include "red_qt/bucle.h"

namespace parchis {
namespace {

using prueba::Hasta;

struct Registro : OyenteConexiones {
    std::function<void(int peticion)> alPedir = [](int) {};
    std::function<void(int ranura, const std::string&)> alRecibir = [](int, const std::string&) {};
    std::vector<std::pair<std::string, int>> llamadas;
    std::map<int, std::string> datos;
    std::vector<int> cerradas, fallos;

    void AlPedirConexion(int peticion, const std::string& ip, int puerto) override {
        llamadas.emplace_back(ip, puerto);
        alPedir(peticion);
    }
    void AlRecibir(int ranura, const std::string& d) override {
        datos[ranura] += d;
        alRecibir(ranura, d);
    }
    void AlCerrar(int ranura) override { cerradas.push_back(ranura); }
    void AlFallar(int, int numero, const std::string& descripcion) override {
        fallos.push_back(numero);
        EXPECT_FALSE(descripcion.empty());
    }
};

struct Mesa : testing::Test {
    Mesa() {
        admin.PonOyente(&ra);
        cliente.PonOyente(&rc);
        EXPECT_TRUE(admin.Escucha(puertoAdmin));
    }
    void Entra(int ranura) {
        ra.alPedir = [this, ranura](int peticion) { admin.Acepta(peticion, ranura); };
        cliente.Conecta("127.0.0.1", puertoAdmin, puertoCliente);
        ASSERT_TRUE(Hasta([&] {
            return cliente.Estado(0) == EstadoSocket::Conectado && admin.Estado(ranura) == EstadoSocket::Conectado;
        }));
    }
    int puertoAdmin = prueba::PuertoLibre(), puertoCliente = prueba::PuertoLibre();
    ConexionesQt admin, cliente;
    Registro ra, rc;
};

TEST_F(Mesa, ElLlamanteOcupaSuRanuraYLosBytesViajanExactos) {
    EXPECT_FALSE(ConexionesQt().Escucha(puertoAdmin));   // the port is taken
    Entra(2);
    ASSERT_EQ(ra.llamadas.size(), 1u);
    EXPECT_EQ(ra.llamadas[0], std::make_pair(std::string("127.0.0.1"), puertoCliente));
    EXPECT_EQ(admin.IpRemota(2), "127.0.0.1");
    EXPECT_EQ(admin.PuertoRemoto(2), puertoCliente);

    std::string todos;
    for (int i = 0; i < 256; ++i) todos += char(i);
    std::string grande;
    while (grande.size() < (1u << 20)) grande += todos;
    admin.Envia(2, grande);
    cliente.Envia(0, "ZRA3404" + todos);
    admin.Envia(1, "nadie");   // an empty slot sends nothing
    ASSERT_TRUE(Hasta([&] { return rc.datos[0].size() >= grande.size() && ra.datos[2].size() >= 263; }));
    EXPECT_EQ(rc.datos[0], grande);
    EXPECT_EQ(ra.datos[2], "ZRA3404" + todos);

    // Our own close is not reported to us; the other end hears it once.
    cliente.Cierra(0);
    ASSERT_TRUE(Hasta([&] { return !ra.cerradas.empty(); }));
    Hasta([] { return false; }, 0.3);
    EXPECT_EQ(ra.cerradas, std::vector<int>{2});
    EXPECT_TRUE(rc.cerradas.empty());
    EXPECT_EQ(admin.Estado(2), EstadoSocket::Cerrado);

    // The client's port is free again at once (address reuse).
    Entra(2);
    admin.Cierra(0);
    admin.Cierra(2);
    ASSERT_TRUE(Hasta([&] { return !rc.cerradas.empty(); }));
    EXPECT_EQ(rc.cerradas, std::vector<int>{0});
}

TEST_F(Mesa, UnLlamanteNoAceptadoVeCerrarseSuConexion) {
    // While the first caller is being answered a second one comes: it is
    // not accepted, and the first is seated afterwards.
    ConexionesQt otro;
    Registro ro;
    otro.PonOyente(&ro);
    bool primera = true;
    ra.alPedir = [&](int peticion) {
        if (!std::exchange(primera, false)) return;
        otro.Conecta("127.0.0.1", puertoAdmin, prueba::PuertoLibre());
        EXPECT_TRUE(Hasta([&] { return ra.llamadas.size() == 2 && !ro.cerradas.empty(); }));
        admin.Acepta(peticion, 3);
    };
    cliente.Conecta("127.0.0.1", puertoAdmin, puertoCliente);
    ASSERT_TRUE(Hasta([&] { return admin.Estado(3) == EstadoSocket::Conectado; }));
    EXPECT_EQ(ro.cerradas, std::vector<int>{0});
    EXPECT_TRUE(rc.cerradas.empty());
    EXPECT_EQ(cliente.Estado(0), EstadoSocket::Conectado);
}

TEST_F(Mesa, UnaLlegadaSePuedeEsperarDentroDeOtra) {
    // The handler of the first arrival waits for the second, as a game run
    // from a message handler waits for the next throw.
    Entra(1);
    bool segunda = false;
    ra.alRecibir = [&](int, const std::string& d) {
        if (d != "uno") return;
        cliente.Envia(0, "dos");
        segunda = Hasta([&] { return ra.datos[1] == "unodos"; });
    };
    cliente.Envia(0, "uno");
    ASSERT_TRUE(Hasta([&] { return ra.datos[1].size() >= 3; }));
    Hasta([&] { return segunda; }, 3);
    EXPECT_TRUE(segunda);
}

TEST_F(Mesa, UnaConexionRechazadaSeReintentaSinPrisa) {
    const int nadie = prueba::PuertoLibre();
    cliente.Conecta("127.0.0.1", nadie, puertoCliente);
    ASSERT_TRUE(Hasta([&] { return !rc.fallos.empty(); }));
    EXPECT_EQ(rc.fallos, std::vector<int>{ErrorConexionRechazada});
    EXPECT_EQ(cliente.Estado(0), EstadoSocket::Error);
    // A retry right after a failure waits a moment before trying.
    QElapsedTimer reloj;
    reloj.start();
    cliente.Cierra(0);
    cliente.Conecta("127.0.0.1", nadie, puertoCliente);
    EXPECT_EQ(cliente.Estado(0), EstadoSocket::Conectando);
    ASSERT_TRUE(Hasta([&] { return rc.fallos.size() == 2; }));
    EXPECT_GE(reloj.elapsed(), 200);
    EXPECT_TRUE(rc.cerradas.empty());
}

}  // namespace
}  // namespace parchis
