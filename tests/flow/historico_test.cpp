// The history file: fixed records appended and read back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "flow/ayudas_flow.h"
#include "flow/historico.h"

namespace parchis {
namespace {

const RegistroHistorico Individual{{2004, 3, 7, 18, 5}, {"María", "Roberto", "", "Luis"}, 45, false};
const RegistroHistorico Parejas{{2023, 12, 31, 23, 59}, {"Carmen", "María", "Roberto", "Luis"}, 100, true};

std::string Bytes(const std::string& fichero) {
    std::ifstream f(fichero, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void Escribe(const std::string& fichero, const std::string& bytes) {
    std::ofstream(fichero, std::ios::binary) << bytes;
}

TEST(Historico, RegistroDeCincuentaYSieteCaracteres) {
    const std::string r = ComponeRegistroHistorico(Individual);
    ASSERT_EQ(r.size(), 57u);
    EXPECT_EQ(r.substr(0, 12), "200403071805");
    EXPECT_EQ(r.substr(12, 9), "Mar" "\xED" "a    ") << "names are Windows-1252, nine characters";
    EXPECT_EQ(r.substr(21, 9), "Roberto  ");
    EXPECT_EQ(r.substr(30, 9), std::string(9, ' '));
    EXPECT_EQ(r.substr(48, 3), " 45");
    EXPECT_EQ(r.substr(51, 6), "    \r\n");
    EXPECT_EQ(ComponeRegistroHistorico(Parejas).substr(48, 4), "100P");
    RegistroHistorico largo = Individual;
    largo.Nombres[0] = "Maximiliano";
    EXPECT_EQ(ComponeRegistroHistorico(largo).substr(12, 9), "Maximilia") << "long names cut to nine";
}

TEST(Historico, SeAnadeYSeLee) {
    prueba::CarpetaTemporal carpeta;
    EXPECT_TRUE(LeeHistorico(carpeta.Texto()).empty()) << "no file: no records";
    ASSERT_TRUE(AnadeHistorico(carpeta.Texto(), Individual));
    ASSERT_TRUE(AnadeHistorico(carpeta.Texto(), Parejas));
    const std::string fichero = carpeta.Texto() + "ZRVEL34.HIS";
    const std::string antes = Bytes(fichero);
    EXPECT_EQ(antes.size(), 2u * 57u);
    ASSERT_TRUE(AnadeHistorico(carpeta.Texto(), Individual));
    EXPECT_EQ(Bytes(fichero).substr(0, antes.size()), antes) << "existing records untouched";
    const auto leidos = LeeHistorico(carpeta.Texto());
    ASSERT_EQ(leidos.size(), 3u);
    EXPECT_EQ(leidos[0], Individual);
    EXPECT_EQ(leidos[1], Parejas);
    EXPECT_EQ(leidos[2], Individual);
}

TEST(Historico, PuntosConBlancoOCeroDelante) {
    std::string r = ComponeRegistroHistorico(Individual);
    EXPECT_EQ(LeeRegistroHistorico(r).Puntos, 45);
    r.replace(48, 3, "045");
    EXPECT_EQ(LeeRegistroHistorico(r).Puntos, 45);
    r.replace(48, 3, "abc");
    EXPECT_EQ(LeeRegistroHistorico(r).Puntos, 0);
}

TEST(Historico, UnRegistroIncompletoSeLeeHastaDondeLlegaYElSiguienteQuedaAlineado) {
    prueba::CarpetaTemporal carpeta;
    const std::string fichero = carpeta.Texto() + "ZRVEL34.HIS";
    const std::string corto = ComponeRegistroHistorico(Parejas).substr(0, 25);
    Escribe(fichero, ComponeRegistroHistorico(Individual) + corto);
    auto leidos = LeeHistorico(carpeta.Texto());
    ASSERT_EQ(leidos.size(), 2u);
    EXPECT_EQ(leidos[1].Fecha, Parejas.Fecha);
    EXPECT_EQ(leidos[1].Nombres[0], "Carmen");
    EXPECT_EQ(leidos[1].Nombres[1], "Marí") << "cut where the file ends";
    EXPECT_EQ(leidos[1].Nombres[2], "");
    EXPECT_EQ(leidos[1].Puntos, 0);

    ASSERT_TRUE(AnadeHistorico(carpeta.Texto(), Individual));
    EXPECT_EQ(Bytes(fichero).size(), 3u * 57u);
    EXPECT_EQ(Bytes(fichero).substr(57, 25), corto);
    leidos = LeeHistorico(carpeta.Texto());
    ASSERT_EQ(leidos.size(), 3u);
    EXPECT_EQ(leidos[2], Individual);
}

TEST(Historico, BytesQueNoSonTextoNoRompenLaLectura) {
    prueba::CarpetaTemporal carpeta;
    std::string basura(57, '\0');
    for (int i = 0; i < 57; ++i) basura[i] = static_cast<char>(0x80 + i);
    Escribe(carpeta.Texto() + "ZRVEL34.HIS", basura + "1");
    const auto leidos = LeeHistorico(carpeta.Texto());
    ASSERT_EQ(leidos.size(), 2u);
    EXPECT_EQ(leidos[1].Fecha.Anio, 1);
}

TEST(Historico, SinPermisoDeEscrituraLoDice) {
    EXPECT_FALSE(AnadeHistorico("/nonexistent-folder/", Individual));
}

}  // namespace
}  // namespace parchis
