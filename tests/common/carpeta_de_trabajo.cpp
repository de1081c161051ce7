// Every test program runs inside a folder of its own, removed at the end, so
// a test that leaves the data folder empty (the program's folder is then the
// current one) never writes history or configuration files into the build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class CarpetaDeTrabajo : public ::testing::Environment {
public:
    void SetUp() override {
        namespace fs = std::filesystem;
        std::string plantilla = (fs::temp_directory_path() / "parchis-pruebas-XXXXXX").string();
        if (mkdtemp(plantilla.data()) == nullptr) return;
        carpeta_ = plantilla;
        anterior_ = fs::current_path();
        fs::current_path(carpeta_);
    }
    void TearDown() override {
        if (carpeta_.empty()) return;
        std::error_code error;
        std::filesystem::current_path(anterior_, error);
        std::filesystem::remove_all(carpeta_, error);
    }

private:
    std::filesystem::path carpeta_;
    std::filesystem::path anterior_;
};

const auto* const registro = ::testing::AddGlobalTestEnvironment(new CarpetaDeTrabajo);

}  // namespace
