// The Qt socket slots on the loopback: exact bytes both ways, a close
// reported once and only to the other end, a client port free again at
// once.  (An arrival waited for inside another's handler: every client game
// after the first in the network tests.)
#include <gtest/gtest.h>

#include <map>

#include "net/qt/conexiones_qt.h"
#include "red_qt/bucle.h"

namespace parchis {
namespace {

using prueba::Hasta;

struct Registro : OyenteConexiones {
    ConexionesQt* admin = nullptr;
    std::map<int, std::string> datos;
    std::vector<int> cerradas;

    void AlPedirConexion(int peticion, const std::string&, int) override { admin->Acepta(peticion, 2); }
    void AlRecibir(int ranura, const std::string& d) override { datos[ranura] += d; }
    void AlCerrar(int ranura) override { cerradas.push_back(ranura); }
    void AlFallar(int, int, const std::string&) override {}
};

struct Mesa : testing::Test {
    Mesa() {
        admin.PonOyente(&ra);
        cliente.PonOyente(&rc);
        EXPECT_TRUE(admin.Escucha(puertoAdmin));
        ra.admin = &admin;
    }
    void Entra() {
        cliente.Conecta("127.0.0.1", puertoAdmin, puertoCliente);
        ASSERT_TRUE(Hasta([&] {
            return cliente.Estado(0) == EstadoSocket::Conectado && admin.Estado(2) == EstadoSocket::Conectado;
        }));
    }
    int puertoAdmin = prueba::PuertoLibre(), puertoCliente = prueba::PuertoLibre();
    ConexionesQt admin, cliente;
    Registro ra, rc;
};

TEST_F(Mesa, LosBytesViajanExactosYElCierreSeAvisaUnaVez) {
    Entra();
    EXPECT_EQ(admin.IpRemota(2), "127.0.0.1");
    EXPECT_EQ(admin.PuertoRemoto(2), puertoCliente);
    std::string todos;
    for (int i = 0; i < 256; ++i) todos += char(i);
    std::string grande;
    while (grande.size() < (1u << 20)) grande += todos;
    admin.Envia(2, grande);
    cliente.Envia(0, "ZRA3404" + todos);
    ASSERT_TRUE(Hasta([&] { return rc.datos[0].size() >= grande.size() && ra.datos[2].size() >= 263; }));
    EXPECT_EQ(rc.datos[0], grande);
    EXPECT_EQ(ra.datos[2], "ZRA3404" + todos);

    cliente.Cierra(0);
    ASSERT_TRUE(Hasta([&] { return !ra.cerradas.empty(); }));
    Hasta([] { return false; }, 0.3);
    EXPECT_EQ(ra.cerradas, std::vector<int>{2});
    EXPECT_TRUE(rc.cerradas.empty());
    Entra();   // the client's port is free again at once
}

}  // namespace
}  // namespace parchis
