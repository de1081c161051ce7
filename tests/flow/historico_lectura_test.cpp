// The history as the window reads it: pages of eight, newest first, the
// texts of a record, and files that are damaged, huge or not files at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "flow/ayudas_flow.h"
#include "flow/historico.h"

namespace parchis {
namespace {

TEST(HistoricoLectura, PaginasDeOchoDeLaMasNuevaALaMasAntigua) {
    const struct {
        int registros;
        std::vector<std::vector<int>> paginas;   // turning towards older games
    } casos[] = {
        {0, {{}}},
        {8, {{7, 6, 5, 4, 3, 2, 1, 0}}},
        {9, {{8, 7, 6, 5, 4, 3, 2, 1}, {0}}},
        {20, {{19, 18, 17, 16, 15, 14, 13, 12}, {11, 10, 9, 8, 7, 6, 5, 4}, {3, 2, 1, 0}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.registros);
        int primera = c.registros - 1;
        for (std::size_t i = 0; i < c.paginas.size(); ++i) {
            EXPECT_EQ(RegistrosDePagina(primera), c.paginas[i]);
            EXPECT_EQ(HayPaginaSiguiente(primera, c.registros), i > 0) << "newer from page " << i;
            EXPECT_EQ(HayPaginaAnterior(primera), i + 1 < c.paginas.size()) << "older from page " << i;
            if (HayPaginaAnterior(primera)) primera -= RegistrosPorPagina;
        }
    }
}

TEST(HistoricoLectura, TextosDeUnRegistro) {
    const struct {
        std::array<std::string, 4> nombres;
        bool parejas;
        const char *ganadores, *perdedores;
    } casos[] = {
        {{"Ana", "Luis", "Eva", "Pepe"}, false, "Ana", "Luis, Eva y Pepe"},
        {{"Ana", "Luis", "Eva", ""}, false, "Ana", "Luis, Eva"},
        {{"Ana", "", "Eva", "Pepe"}, false, "Ana", "Eva y Pepe"},
        {{"Ana", "Luis", "Eva", "Pepe"}, true, "Ana y Luis", "Eva y Pepe"},
        {{"A\x01na", "\tLuis", "", ""}, false, "A na", "Luis"},   // control bytes of a damaged file
    };
    for (const auto& c : casos) {
        const TextoHistorico t = TextoDeRegistro({{2004, 3, 7, 9, 5}, c.nombres, 45, c.parejas});
        EXPECT_EQ(t.Fecha + " " + t.Hora + " " + t.Puntos, "07-03-2004 09:05 45");
        EXPECT_EQ(t.Ganadores + " / " + t.Perdedores, std::string(c.ganadores) + " / " + c.perdedores);
    }
}

struct Fichero {
    prueba::CarpetaTemporal carpeta;
    std::filesystem::path ruta = carpeta.ruta / "ZRVEL34.HIS";
};

TEST(HistoricoLectura, UnFicheroEnormeSeLeeHastaElLimiteConLosMasNuevosYSinTocarlo) {
    Fichero f;
    const RegistroHistorico ultimo{{2024, 1, 2, 3, 4}, {"Ana", "Luis", "", ""}, 12, false};
    // More records of zeros than are read, and an odd 20 bytes, then one
    // record out of line: the records read stay aligned on the file's start.
    const std::uintmax_t grande = LargoRegistroHistorico * (MaxRegistrosLeidos + 1000) + 20;
    { std::ofstream(f.ruta, std::ios::binary); }
    std::filesystem::resize_file(f.ruta, grande);
    { std::ofstream(f.ruta, std::ios::binary | std::ios::app) << ComponeRegistroHistorico(ultimo); }
    const auto antes = std::filesystem::last_write_time(f.ruta);
    const auto leidos = LeeHistorico(f.carpeta.Texto());
    ASSERT_EQ(leidos.size(), static_cast<std::size_t>(MaxRegistrosLeidos));
    EXPECT_EQ(leidos.back(), LeeRegistroHistorico(ComponeRegistroHistorico(ultimo).substr(37)));
    EXPECT_EQ(std::filesystem::last_write_time(f.ruta), antes);
}

TEST(HistoricoLectura, LoQueNoEsUnFicheroNoSeLeeNiBloquea) {
    Fichero carpeta, tuberia;
    std::filesystem::create_directory(carpeta.ruta);
    EXPECT_TRUE(LeeHistorico(carpeta.carpeta.Texto()).empty());
    ASSERT_EQ(mkfifo(tuberia.ruta.c_str(), 0600), 0);   // opening it would wait for a writer
    EXPECT_TRUE(LeeHistorico(tuberia.carpeta.Texto()).empty());
}

}  // namespace
}  // namespace parchis
