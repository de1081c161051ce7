// Permission tests mean nothing to root, who ignores permissions: the test
// body runs in a child process as the user "nobody" when the tests run as
// root, and directly otherwise.
#pragma once

#include <functional>
#include <string>

namespace parchis::prueba {

// Gives `carpeta` (and what is in it) to the user the body will run as, runs
// the body, and reports its failures in this test.  Skips the test, saying
// why, when no ordinary user can be had.
void ComoUsuarioCorriente(const std::string& carpeta, const std::function<void()>& cuerpo);

}  // namespace parchis::prueba
