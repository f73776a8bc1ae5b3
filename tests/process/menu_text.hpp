#pragma once
// What the console shows of the menu, and the run-time error reports, as the tests expect them.

#include <string>

namespace testsupport {

// The four menu records as the console shows them: the texts joined by CR LF.
inline const std::string kMenu = "Elija una opcion\r\n"
                                 "1. Calculo de la inversa y el determinante, para n=6\r\n"
                                 "2. Calculo del sistema Ax=b, para n=10,20,30,40,50\r\n"
                                 "(Pulse 3 para finalizar)";

inline const std::string kPrompt =
    "Pause - Please enter a blank line (to continue) or a DOS command.\r\n";

inline std::string report(const std::string& head, const std::string& message) {
    return "\r\nrun-time error " + head + "\r\n- " + message + "\r\n";
}

} // namespace testsupport
