// The history file: fixed records appended and read back; pages of eight,
// newest first, and the texts of a record as the window shows them; files
// that are damaged, huge or not files at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/ficheros.h"
#include "flow/ayudas_flow.h"
#include "flow/historico.h"

namespace parchis {
namespace {

const RegistroHistorico Individual{{2004, 3, 7, 18, 5}, {"María", "Roberto", "", "Luis"}, 45, false};
const RegistroHistorico Parejas{{2023, 12, 31, 23, 59}, {"Carmen", "María", "Roberto", "Luis"}, 100, true};

TEST(Historico, RegistroDeCincuentaYSieteCaracteres) {
    // Date, four names of nine characters in Windows-1252, points, pairs.
    std::string r = ComponeRegistroHistorico(Individual);
    EXPECT_EQ(r, "200403071805" "Mar\xED" "a    " "Roberto  " "         " "Luis     " " 45" "    \r\n");
    EXPECT_EQ(ComponeRegistroHistorico(Parejas).substr(48, 4), "100P");
    RegistroHistorico largo = Individual;
    largo.Nombres[0] = "Maximiliano";
    EXPECT_EQ(ComponeRegistroHistorico(largo).substr(12, 9), "Maximilia") << "long names cut to nine";
    // Points with a zero in front read the same; what is not a number, 0.
    r.replace(48, 3, "045");
    EXPECT_EQ(LeeRegistroHistorico(r).Puntos, 45);
    r.replace(48, 3, "a\xF1" "c");
    EXPECT_EQ(LeeRegistroHistorico(r).Puntos, 0);
}

// A record cut short is read as far as it goes, and the next one appended
// starts on a record boundary without touching what was there.
TEST(Historico, SeAnadeYSeLeeAlineado) {
    prueba::CarpetaTemporal carpeta;
    EXPECT_TRUE(LeeHistorico(carpeta.Texto()).empty()) << "no file: no records";
    EXPECT_FALSE(AnadeHistorico(carpeta.Texto() + "no-existe/", Individual)) << "a failed write says so";
    ASSERT_TRUE(AnadeHistorico(carpeta.Texto(), Individual));
    const std::string fichero = carpeta.Texto() + "ZRVEL34.HIS";
    const std::string corto = ComponeRegistroHistorico(Parejas).substr(0, 25);
    std::ofstream(fichero, std::ios::binary | std::ios::app) << corto;
    const auto leidos = LeeHistorico(carpeta.Texto());
    ASSERT_EQ(leidos.size(), 2u);
    // Cut where the file ends.
    EXPECT_EQ(leidos[1], (RegistroHistorico{Parejas.Fecha, {"Carmen", "Marí", "", ""}, 0, false}));

    const std::string antes = prueba::Lee(fichero);
    ASSERT_TRUE(AnadeHistorico(carpeta.Texto(), Parejas));
    EXPECT_EQ(prueba::Lee(fichero).size(), 3u * 57u);
    EXPECT_EQ(prueba::Lee(fichero).substr(0, antes.size()), antes) << "existing records untouched";
    EXPECT_EQ(LeeHistorico(carpeta.Texto()), (std::vector{Individual, leidos[1], Parejas}));
}

TEST(HistoricoLectura, PaginasDeOchoDeLaMasNuevaALaMasAntigua) {
    // The pages met turning towards older games.
    const struct { int registros; std::vector<std::vector<int>> paginas; } casos[] = {
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
    const struct { std::array<std::string, 4> nombres; bool parejas; const char *ganadores, *perdedores; } casos[] = {
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

struct Fichero { prueba::CarpetaTemporal carpeta; std::filesystem::path ruta = carpeta.ruta / "ZRVEL34.HIS"; };

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
