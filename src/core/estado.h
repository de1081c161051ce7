// The one text form of the game record: a state line of 900 characters and
// a log line of 20 characters per entry, each written as a quoted string
// followed by CR LF, Windows-1252 on disk.
#pragma once

#include <string>

#include "core/partida.h"

namespace parchis {

struct TextoEstado {
    std::string Linea1;   // the state line, UTF-8, 900 characters
    std::string Linea2;   // the log line, UTF-8, 20 characters per entry
};

// Text typed by people (names, the administrator's address) never breaks
// the quoted line: a double quote is written as an apostrophe and control
// characters as blanks.
TextoEstado ComponerEstado(const Partida& p);

// The whole file as it is written on disk (quoted lines, CR LF, Windows-1252).
std::string ContenidoFichero(const Partida& p);
// The same written over `contenido`, whose storage is reused.
void ContenidoFichero(const Partida& p, std::string& contenido);

// Reads the bytes of a state file (as on disk) into the record: fields that
// are missing, cannot be converted or are out of range keep their values;
// then, unless LeyendoSimulacion, validates and rebuilds the move list.
void LeerEstado(Partida& p, const std::string& contenido);

// Carpeta + nombre, replaced atomically (as EscribeFichero); false when it
// could not be written.
bool GuardarEstado(const Partida& p, const std::string& nombre);

// Opens Carpeta + nombre: LeerEstado and CargaCorrecta = true (and, outside
// a simulation, PartidaCargada = true); when it cannot be opened,
// CargaCorrecta = false and nothing else changes.
void CargarEstado(Partida& p, const std::string& nombre);

}  // namespace parchis
