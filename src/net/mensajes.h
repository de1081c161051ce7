// The network chat: the 214-character record that travels as code 20 and
// the list of every message sent or received since the program started.
#pragma once

#include <string>
#include <vector>

namespace parchis {

inline constexpr int LargoRegistroChat = 214;

// Name (9 characters, cut or padded), time "hh:mm" and text (200
// characters, cut or padded).  Widths count characters, not bytes.
std::string RegistroChat(const std::string& nombre, const std::string& hora,
                         const std::string& texto);

class MensajesRed {
public:
    MensajesRed();
    // Into the first free slot; the list grows by 50 when that slot is the
    // last one.
    void Anade(const std::string& registro);
    std::size_t Capacidad() const { return registros_.size(); }
    // The received-messages box: a header line and the text for each
    // message, in order.
    std::string Texto() const;

private:
    std::vector<std::string> registros_;
    std::size_t primeroLibre_ = 0;   // every slot before it is in use
};

}  // namespace parchis
