#include "common/otro_usuario.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace parchis::prueba {

namespace {

constexpr int SinUsuario = 77;

void Entrega(const std::string& carpeta, uid_t usuario, gid_t grupo) {
    namespace fs = std::filesystem;
    if (chown(carpeta.c_str(), usuario, grupo) != 0) return;
    std::error_code ignorado;
    for (const auto& e : fs::recursive_directory_iterator(carpeta, ignorado))
        if (lchown(e.path().c_str(), usuario, grupo) != 0) return;
}

}  // namespace

void ComoUsuarioCorriente(const std::string& carpeta, const std::function<void()>& cuerpo) {
    if (geteuid() != 0) {
        cuerpo();
        return;
    }
    const passwd* nadie = getpwnam("nobody");
    if (nadie == nullptr) GTEST_SKIP() << "running as root and there is no user 'nobody'";
    Entrega(carpeta, nadie->pw_uid, nadie->pw_gid);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        if (setgid(nadie->pw_gid) != 0 || setuid(nadie->pw_uid) != 0) _exit(SinUsuario);
        cuerpo();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado)) << "the child running as 'nobody' died";
    if (WEXITSTATUS(estado) == SinUsuario) GTEST_SKIP() << "running as root and cannot become 'nobody'";
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "failures as 'nobody' above";
}

}  // namespace parchis::prueba
